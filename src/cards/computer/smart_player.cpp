#include "cards/computer/smart_player.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>

#include "cards/computer/game_odds.h"
#include "cards/computer/hand_guess.h"
#include "cards/computer/playout.h"

namespace lastling::computer {

namespace {

using namespace smart;

constexpr int kMaxLeadPlayouts = 512;
constexpr int kMaxFollowPlayouts = 128; // following is closer to settled than leading

std::uint64_t viewHash(const SeatView& view) {
    std::uint64_t hash = static_cast<std::uint64_t>(view.seat);
    for (int card : view.hand) {
        hash = hash * 131 + static_cast<std::uint64_t>(card);
    }
    for (int card : view.table) {
        hash = hash * 131 + static_cast<std::uint64_t>(card);
    }
    for (int count : view.handCounts) {
        hash = hash * 131 + static_cast<std::uint64_t>(count);
    }
    return hash * 131 + std::hash<std::bitset<cards::kCards + 1>>{}(view.seen);
}

// The card that takes the trick so far.
int takingCard(const SeatView& view) {
    const int taker = cards::trickWinner(view.table, view.ledsuit, view.trumpsuit);
    return view.table[static_cast<std::size_t>(taker)];
}

int followSlot(const SeatView& view) {
    return smart::followSlot(view.hand, takingCard(view), view.ledsuit, view.trumpsuit);
}

// Each candidate card (every lead, or every follow of a seat that can take the trick) is played
// out to the round's end on the same guesses at the hidden cards. Candidates that trail the best
// one clearly drop out, and the race stops early once the remaining ones are all about as good.
class CardRace {
public:
    CardRace(const SeatView& view, const std::array<int, cards::kHandSlots>& slots, int count,
             int maxPlayouts)
        : m_view(view), m_slots(slots), m_count(count), m_maxPlayouts(maxPlayouts),
          m_start(tableOf(view)), m_random(viewHash(view)) {
        m_alive.fill(false);
        for (auto& values : m_outcomes) {
            values.fill(-1.0f);
        }
        std::fill(m_alive.begin(), m_alive.begin() + count, true);
        for (TablePicture& picture : m_pictures) {
            picture = pictureTable(view, m_random);
        }
    }

    int winner() {
        while (m_played < m_maxPlayouts) {
            for (int i = 0; i < kBatch; ++i) {
                playOnce();
            }
            if (settle()) {
                break;
            }
        }
        return m_slots[static_cast<std::size_t>(leader())];
    }

private:
    static constexpr int kBatch = 8;
    static constexpr int kMinPlayouts = 32;
    static constexpr int kPictures = 16;      // guesses at how the other seats' slots lie
    static constexpr double kClearLead = 2.5; // standard errors
    static constexpr double kIndifferent =
        0.005; // a gap in the share of the game too small to matter

    void playOnce() {
        const TablePicture& picture = m_pictures[static_cast<std::size_t>(m_played % kPictures)];
        const Playout guess = guessHiddenCards(m_view, m_start, picture, m_random);
        std::array<float, cards::kHandSlots> values{};
        for (std::size_t i = 0; i < static_cast<std::size_t>(m_count); ++i) {
            if (m_alive[i]) {
                values[i] = valueOf(finishRound(guess, m_view.seat, m_slots[i]));
                m_sums[i] += values[i];
            }
        }
        for (std::size_t i = 0; i < static_cast<std::size_t>(m_count); ++i) {
            for (std::size_t j = 0; j < static_cast<std::size_t>(m_count); ++j) {
                const double gap = values[i] - values[j];
                m_gaps[i][j] += gap;
                m_gapSquares[i][j] += gap * gap;
            }
        }
        ++m_played;
    }

    // Rounds end in few different ways; each is valued once.
    float valueOf(const RoundResult& result) {
        const auto points = static_cast<std::size_t>(std::clamp(result.points, 0, kMostPoints));
        float& value =
            m_outcomes[static_cast<std::size_t>(std::clamp(result.winner, 0, 4))][points];
        if (value < 0.0f) {
            value = static_cast<float>(outcomeValue(m_view, result));
        }
        return value;
    }

    int leader() const {
        int best = -1;
        for (int i = 0; i < m_count; ++i) {
            const auto n = static_cast<std::size_t>(i);
            if (m_alive[n] && (best < 0 || m_sums[n] > m_sums[static_cast<std::size_t>(best)])) {
                best = i;
            }
        }
        return best;
    }

    // Drops the candidates that clearly trail; true when the race is decided.
    bool settle() {
        if (m_played < kMinPlayouts) {
            return false;
        }
        const int best = leader();
        bool close = true;
        int alive = 0;
        for (int i = 0; i < m_count; ++i) {
            if (i == best || !m_alive[static_cast<std::size_t>(i)]) {
                continue;
            }
            const Gap gap = gapBehind(best, i);
            if (gap.mean > kClearLead * gap.error) {
                m_alive[static_cast<std::size_t>(i)] = false;
            } else {
                ++alive;
                close = close && gap.mean + kClearLead * gap.error < kIndifferent;
            }
        }
        return alive == 0 || close;
    }

    struct Gap {
        double mean;
        double error;
    };

    // How far candidate i trails `best`, playout by playout, and the standard error of that.
    Gap gapBehind(int best, int i) const {
        const auto b = static_cast<std::size_t>(best);
        const auto n = static_cast<std::size_t>(i);
        const double mean = m_gaps[b][n] / m_played;
        const double variance = std::max(m_gapSquares[b][n] / m_played - mean * mean, 0.0);
        return {mean, std::sqrt(variance / m_played) + 1e-9};
    }

    const SeatView& m_view;
    std::array<int, cards::kHandSlots> m_slots;
    int m_count;
    int m_maxPlayouts;
    Start m_start;
    PlayoutRandom m_random;
    std::array<bool, cards::kHandSlots> m_alive{};
    std::array<TablePicture, kPictures> m_pictures{};
    std::array<double, cards::kHandSlots> m_sums{};
    std::array<std::array<double, cards::kHandSlots>, cards::kHandSlots> m_gaps{};
    std::array<std::array<double, cards::kHandSlots>, cards::kHandSlots> m_gapSquares{};
    int m_played = 0;
    static constexpr int kMostPoints = 4 * 14;
    std::array<std::array<float, kMostPoints + 1>, 5> m_outcomes{};
};

// Following, a seat that can take the trick weighs taking it cheaply, dearly or not at all by
// playing each out; a seat that cannot sheds its weakest card.
int chooseFollow(const SeatView& view, std::array<int, cards::kHandSlots> legal, int choices) {
    const int preferred = followSlot(view);
    const int card = view.hand[static_cast<std::size_t>(preferred - 1)];
    if (!cards::beats(card, takingCard(view), view.ledsuit, view.trumpsuit)) {
        return preferred;
    }
    std::swap(legal[0],
              *std::find(legal.begin(), legal.begin() + choices, preferred)); // ties go to it
    return CardRace(view, legal, choices, kMaxFollowPlayouts).winner();
}

} // namespace

int SmartPlayer::chooseSlot(const SeatView& view) {
    std::array<int, cards::kHandSlots> legal{};
    int choices = 0;
    for (int slot = 1; slot <= cards::kHandSlots; ++slot) {
        if (view.isLegal(slot)) {
            legal[static_cast<std::size_t>(choices++)] = slot;
        }
    }
    if (choices <= 1) {
        return choices == 1 ? legal[0] : 0;
    }
    if (view.seat < 1 || view.seat > 4) {
        return followSlot(view);
    }
    if (view.ledsuit != 0) {
        return chooseFollow(view, legal, choices);
    }
    // Every lead is played out; the fitted score only orders them, so that a tie goes to the
    // lead it prefers.
    const CardSet known = tableOf(view).playout.known;
    const int held = cards::countCards(view.hand);
    const auto score = [&](int slot) {
        return leadScore(view.hand[static_cast<std::size_t>(slot - 1)], held, view.trumpsuit,
                         known);
    };
    for (int i = 1; i < choices; ++i) { // best first; at most four cards
        for (int j = i; j > 0 && score(legal[static_cast<std::size_t>(j)]) >
                                     score(legal[static_cast<std::size_t>(j - 1)]);
             --j) {
            std::swap(legal[static_cast<std::size_t>(j)], legal[static_cast<std::size_t>(j - 1)]);
        }
    }
    return CardRace(view, legal, choices, kMaxLeadPlayouts).winner();
}

} // namespace lastling::computer
