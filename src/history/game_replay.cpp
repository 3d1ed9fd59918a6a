#include "history/game_replay.h"

#include "cards/cards.h"

#include <utility>

namespace lastling::history {

namespace {

constexpr std::size_t kFirstDrawIndex = 17; // deck position 18

void removeCard(std::array<int, 5>& hand, int card) {
    for (int slot = 1; slot <= 4; ++slot) {
        if (hand[static_cast<std::size_t>(slot)] == card) {
            hand[static_cast<std::size_t>(slot)] = 0;
            return;
        }
    }
}

void drawInto(std::array<int, 5>& hand, int card) {
    for (int slot = 1; slot <= 4; ++slot) {
        if (hand[static_cast<std::size_t>(slot)] == 0) {
            hand[static_cast<std::size_t>(slot)] = card;
            return;
        }
    }
}

bool validSeat(int seat) {
    return seat >= 1 && seat <= 4;
}

} // namespace

std::optional<DealAgain> dealAgain(const GameRecord& game, int round) {
    if (round < 1 || round > static_cast<int>(game.rounds.size())) {
        return std::nullopt;
    }
    const RoundRecord& kept = game.rounds[static_cast<std::size_t>(round - 1)];
    if (kept.deck.size() != 52 || kept.tricks.empty() || kept.tricks[0].plays.empty() ||
        !validSeat(kept.tricks[0].plays[0].seat)) {
        return std::nullopt;
    }
    const int own = validSeat(game.header.mySeat) ? game.header.mySeat : 1;
    DealAgain again;
    again.deck = kept.deck;
    for (int seat = 1; seat <= 4; ++seat) {
        const int from = (seat - 1 + own - 1) % 4 + 1;
        for (int slot = 0; slot < 4; ++slot) {
            again.deck[static_cast<std::size_t>(4 * seat - 3 + slot)] =
                kept.deck[static_cast<std::size_t>(4 * from - 3 + slot)];
        }
    }
    again.leader = (kept.tricks[0].plays[0].seat - own + 4) % 4 + 1;
    again.target = game.header.target;
    return again;
}

GameReplay::GameReplay(GameRecord record) : m_record(std::move(record)) {
    for (std::size_t r = 0; r < m_record.rounds.size(); ++r) {
        const RoundRecord& round = m_record.rounds[r];
        const int roundNumber = static_cast<int>(r) + 1;
        m_moments.push_back({roundNumber, 0, 0});
        for (std::size_t t = 0; t < round.tricks.size(); ++t) {
            for (std::size_t c = 1; c <= round.tricks[t].plays.size(); ++c) {
                m_moments.push_back({roundNumber, static_cast<int>(t) + 1, static_cast<int>(c)});
            }
        }
    }
    show(0);
}

std::string GameReplay::nameOf(int seat) const {
    if (!validSeat(seat)) {
        return {};
    }
    if (seat == m_record.header.mySeat) {
        return "You";
    }
    return m_record.header.names[static_cast<std::size_t>(seat)];
}

bool GameReplay::nextCard() {
    if (m_at + 1 >= m_moments.size()) {
        return false;
    }
    show(m_at + 1);
    return true;
}

bool GameReplay::previousCard() {
    if (m_at == 0) {
        return false;
    }
    show(m_at - 1);
    return true;
}

bool GameReplay::nextTrick() {
    std::size_t at = m_at;
    // Past the current trick's end, then on to the end of the next one.
    const auto sameTrick = [this](std::size_t a, std::size_t b) {
        return m_moments[a].round == m_moments[b].round && m_moments[a].trick == m_moments[b].trick;
    };
    if (at + 1 >= m_moments.size()) {
        return false;
    }
    ++at;
    while (at + 1 < m_moments.size() && sameTrick(at, at + 1)) {
        ++at;
    }
    show(at);
    return true;
}

bool GameReplay::previousTrick() {
    if (m_at == 0) {
        return false;
    }
    std::size_t at = m_at;
    const Moment here = m_moments[at];
    // Back to before the current trick's first card: the last card of the trick before.
    while (at > 0 && m_moments[at].round == here.round && m_moments[at].trick == here.trick) {
        --at;
    }
    show(at);
    return true;
}

void GameReplay::toRound(int round) {
    for (std::size_t i = 0; i < m_moments.size(); ++i) {
        if (m_moments[i].round == round) {
            show(i);
            return;
        }
    }
}

void GameReplay::toStart() {
    show(0);
}

void GameReplay::toEnd() {
    show(m_moments.empty() ? 0 : m_moments.size() - 1);
}

void GameReplay::show(std::size_t index) {
    m_at = index;
    m_table = {};
    if (index < m_moments.size()) {
        build(m_moments[index]);
    }
}

void GameReplay::dealHands(const RoundRecord& round) {
    if (round.deck.size() != 52) {
        return;
    }
    for (int seat = 1; seat <= 4; ++seat) {
        for (int slot = 1; slot <= 4; ++slot) {
            m_table.hands[static_cast<std::size_t>(seat)][static_cast<std::size_t>(slot)] =
                round.deck[static_cast<std::size_t>(4 * seat - 3 + slot - 1)];
        }
    }
}

void GameReplay::build(const Moment& moment) {
    const RoundRecord& round = m_record.rounds[static_cast<std::size_t>(moment.round - 1)];
    m_table.round = moment.round;
    m_table.trick = moment.trick;
    m_table.cardsOut = moment.cardsOut;
    m_table.trump = round.trump;
    dealHands(round);
    const bool known = round.deck.size() == 52;
    std::size_t draw = kFirstDrawIndex;
    for (int t = 1; t <= moment.trick; ++t) {
        const TrickRecord& trick = round.tricks[static_cast<std::size_t>(t - 1)];
        const int shown =
            t == moment.trick ? moment.cardsOut : static_cast<int>(trick.plays.size());
        for (int c = 0; c < shown; ++c) {
            const PlayRecord& play = trick.plays[static_cast<std::size_t>(c)];
            if (!validSeat(play.seat)) {
                continue;
            }
            removeCard(m_table.hands[static_cast<std::size_t>(play.seat)], play.card);
            if (t == moment.trick) {
                m_table.onTable[static_cast<std::size_t>(play.seat)] = play.card;
            }
        }
        const bool finished = t < moment.trick || shown == static_cast<int>(trick.plays.size());
        if (finished && t < moment.trick && known && validSeat(trick.winner) && draw < 52) {
            drawInto(m_table.hands[static_cast<std::size_t>(trick.winner)], round.deck[draw++]);
        } else if (finished && t < moment.trick) {
            ++draw;
        }
        if (t == moment.trick && finished) {
            m_table.trickWinner = trick.winner;
        }
    }

    if (moment.trick == 0) {
        m_table.line = "Round " + std::to_string(moment.round) + ": trump is the " +
                       cards::name(round.trump) + ".";
        return;
    }
    const TrickRecord& trick = round.tricks[static_cast<std::size_t>(moment.trick - 1)];
    const PlayRecord& play = trick.plays[static_cast<std::size_t>(moment.cardsOut - 1)];
    const std::string who = nameOf(play.seat);
    m_table.line =
        who + (who == "You" ? " play the " : " plays the ") + cards::name(play.card) + ".";
    if (m_table.trickWinner != 0) {
        const std::string winner = nameOf(m_table.trickWinner);
        m_table.line += " " + winner + (winner == "You" ? " take" : " takes") + " the trick.";
        const bool lastOfRound = moment.trick == static_cast<int>(round.tricks.size());
        if (lastOfRound && validSeat(round.winner)) {
            const std::string roundWinner = nameOf(round.winner);
            m_table.line += " " + roundWinner + (roundWinner == "You" ? " win" : " wins") +
                            " the round with " + std::to_string(round.points) + " points.";
        }
    }
}

} // namespace lastling::history
