#include "cards/computer/game_odds.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace lastling::computer::smart {

namespace {

constexpr double kScoreSlack = 15.0; // keeps a share of the scores sensible near zero

// The chance of winning the game from given scores, if every later round is won by this seat
// with its usual share and by each other seat with a third of the rest, for points spread as
// rounds usually pay. Worked out once per target, for targets small enough to tabulate.
class GameOdds {
public:
    static constexpr int kLargestTarget = 40;

    explicit GameOdds(int target) : m_target(target), m_chances(tableSize(target), -1.0f) {
        double total = 0.0;
        for (std::size_t p = 0; p < kPointsSeen.size(); ++p) {
            total += kPointsSeen[p];
        }
        for (std::size_t p = 0; p < kPointsSeen.size(); ++p) {
            m_points[p + kFewestPoints] = kPointsSeen[p] / total;
        }
        for (int p = kMostRoundPoints; p >= 0; --p) {
            m_atLeast[static_cast<std::size_t>(p)] =
                m_points[static_cast<std::size_t>(p)] +
                (p < kMostRoundPoints ? m_atLeast[static_cast<std::size_t>(p + 1)] : 0.0);
        }
    }

    int target() const { return m_target; }

    // Scores below the target; `others` in any order.
    double chance(int mine, std::array<int, 3> others) {
        std::sort(others.begin(), others.end());
        float& memo = m_chances[index(mine, others)];
        if (memo < 0.0f) {
            memo = static_cast<float>(work(mine, others));
        }
        return memo;
    }

private:
    static constexpr double kMyRoundShare = 0.32;
    static constexpr int kFewestPoints = 2;
    static constexpr int kMostRoundPoints = 56;
    // How often a round paid 2, 3, 4, ... points, in played games.
    static constexpr std::array<double, 53> kPointsSeen{
        236, 236, 251, 259, 277, 285, 296, 317, 338, 347, 370, 393, 418, 205, 208, 212, 208, 217,
        207, 200, 184, 185, 172, 159, 136, 141, 114, 102, 92,  98,  86,  79,  69,  56,  55,  46,
        42,  34,  23,  22,  17,  13,  9,   7,   6,   4,   3,   2,   1,   1,   1,   1,   1};

    static std::size_t tableSize(int target) {
        const auto t = static_cast<std::size_t>(target);
        return t * (t * (t + 1) * (t + 2) / 6);
    }
    std::size_t index(int mine, const std::array<int, 3>& sorted) const {
        const auto a = static_cast<std::size_t>(sorted[0]);
        const auto b = static_cast<std::size_t>(sorted[1]);
        const auto c = static_cast<std::size_t>(sorted[2]);
        const auto t = static_cast<std::size_t>(m_target);
        return static_cast<std::size_t>(mine) * (t * (t + 1) * (t + 2) / 6) +
               c * (c + 1) * (c + 2) / 6 + b * (b + 1) / 2 + a;
    }
    double reaching(int score) const { // the chance a round's points take `score` to the target
        return m_atLeast[static_cast<std::size_t>(
            std::clamp(m_target - score, 0, kMostRoundPoints))];
    }

    double work(int mine, const std::array<int, 3>& others) {
        double mineWins = reaching(mine);
        for (int p = kFewestPoints; mine + p < m_target; ++p) {
            mineWins += m_points[static_cast<std::size_t>(p)] * chance(mine + p, others);
        }
        double othersWin = 0.0;
        for (std::size_t o = 0; o < others.size(); ++o) {
            std::array<int, 3> after = others;
            for (int p = kFewestPoints; others[o] + p < m_target; ++p) {
                after[o] = others[o] + p;
                othersWin += m_points[static_cast<std::size_t>(p)] * chance(mine, after);
            }
        }
        return kMyRoundShare * mineWins + (1.0 - kMyRoundShare) / 3.0 * othersWin;
    }

    int m_target;
    std::vector<float> m_chances;
    std::array<double, kMostRoundPoints + 1> m_points{};
    std::array<double, kMostRoundPoints + 1> m_atLeast{};
};

GameOdds& oddsFor(int target) {
    thread_local std::unique_ptr<GameOdds> odds;
    if (!odds || odds->target() != target) {
        odds = std::make_unique<GameOdds>(target);
    }
    return *odds;
}

// A share of the scores, for targets too large to tabulate.
double scoreShare(const SeatView& view, const RoundResult& result) {
    double mine = 0.0;
    double total = 0.0;
    for (int seat = 1; seat <= 4; ++seat) {
        const int score = view.scores[static_cast<std::size_t>(seat)] +
                          (seat == result.winner ? result.points : 0);
        const double weight = kScoreSlack + std::max(score, 0);
        total += weight;
        mine += seat == view.seat ? weight : 0.0;
    }
    return mine / total;
}

} // namespace

double outcomeValue(const SeatView& view, const RoundResult& result) {
    std::array<int, 5> scores{};
    for (int seat = 1; seat <= 4; ++seat) {
        const auto s = static_cast<std::size_t>(seat);
        scores[s] = std::max(view.scores[s], 0) + (seat == result.winner ? result.points : 0);
        if (seat == result.winner && scores[s] >= view.targetscore) {
            return seat == view.seat ? 1.0 : 0.0;
        }
    }
    if (view.targetscore < 1 || view.targetscore > GameOdds::kLargestTarget) {
        return scoreShare(view, result);
    }
    std::array<int, 3> others{};
    std::size_t n = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        if (seat != view.seat && n < others.size()) {
            others[n++] = std::min(scores[static_cast<std::size_t>(seat)], view.targetscore - 1);
        }
    }
    const int mine = std::min(scores[static_cast<std::size_t>(view.seat)], view.targetscore - 1);
    return oddsFor(view.targetscore).chance(mine, others);
}

} // namespace lastling::computer::smart
