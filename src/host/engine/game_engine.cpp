#include "host/engine/game_engine.h"

#include <limits>
#include <vector>

#include "cards/computer/classic_player.h"
#include "cards/computer/smart_player.h"

namespace lastling::host {

namespace {

constexpr int kCardPauseTicks = 1;
constexpr int kRoundPauseTicks = 7;
constexpr int kTrickPauseTicks = 3;
constexpr int kDefaultBotSpeedMs = 500;

int addPoints(int score, int points) {
    // A huge target would otherwise let a very long game overflow the score.
    const long long sum = static_cast<long long>(score) + points;
    return sum > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                 : static_cast<int>(sum);
}

} // namespace

GameEngine::GameEngine(SeatTable& seats, GameEvents& events, Timer& paceTimer, Timer& computerTimer,
                       const BotPreferences& bots, DealSource& deal)
    : m_seats(seats), m_events(events), m_paceTimer(paceTimer), m_computerTimer(computerTimer),
      m_bots(bots), m_deal(deal) {
    m_paceTimer.setHandler([this] { onPaceTick(); });
    m_computerTimer.setHandler([this] { onComputerTick(); });
}

void GameEngine::setTickMs(int ms) {
    m_tickMs = ms > 0 ? ms : 1;
}

int GameEngine::counthiscards(int seat) const {
    return SeatTable::isPlayingSeat(seat) ? cards::countCards(m_seats[seat].hand) : 0;
}

// ---- game and round ----

void GameEngine::startgame(const std::string& starter, int target) {
    m_paceTimer.stop();
    m_computerTimer.stop();
    m_awaitingCard = false;
    m_gameinprogress = true;
    m_targetscore = target;
    m_events.gameStarted(starter, m_targetscore);

    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        m_seats[seat].score = 0;
        m_seats[seat].justwatching = false;
        m_seats[seat].inround = true;
    }
    m_currentplayer = static_cast<int>(m_deal.below(kPlayingSeats));
    if (m_currentplayer == 0) {
        m_currentplayer = kPlayingSeats; // the seat after it leads the first trick
    }
    m_trickleader = 0;
    startround();
}

void GameEngine::startround() {
    if (checkforwin()) {
        return;
    }
    m_trickleader = 0;
    m_ledsuit = 0;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        m_seats[seat].playedcard = 0;
        m_seats[seat].inround = true;
    }
    m_playedThisRound.reset();
    m_voidSuits.fill(0);
    m_playLog.count = 0;
    shuffle();
}

bool GameEngine::checkforwin() {
    int winner = 0;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (m_seats[seat].score >= m_targetscore) {
            winner = seat; // a later seat replaces an earlier one
        }
    }
    if (winner == 0) {
        return false;
    }
    const SeatRecord& record = m_seats[winner];
    const std::string& name = record.name.empty() ? record.computername : record.name;
    m_events.gameWon(name, winner);
    m_gameinprogress = false;
    m_awaitingCard = false;
    return true;
}

void GameEngine::shuffle() {
    m_deal.shuffle(m_deck);
    m_deckpos = 1; // position 1 is the trump card and is never dealt
    m_trumpcard = m_deck[1];
    m_trumpsuit = cards::suitOf(m_trumpcard);
    m_events.deckShuffled(m_deck);
    m_events.roundStarted(m_trumpcard);
    deal();
}

void GameEngine::deal() {
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        m_seats[seat].inround = true;
        for (int& slot : m_seats[seat].hand) {
            ++m_deckpos;
            slot = m_deck[m_deckpos];
            m_deck[m_deckpos] = 0;
        }
    }
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (m_seats[seat].loggedin) {
            m_events.handDealt(seat, m_seats[seat].hand);
        }
    }
    passTurn();
}

// ---- turns ----

void GameEngine::findplayer() {
    if (m_gameinprogress && m_awaitingCard) {
        passTurn();
    }
}

bool GameEngine::advanceToSeatInRound() {
    for (int step = 0; step < kPlayingSeats; ++step) {
        m_currentplayer = m_currentplayer % kPlayingSeats + 1;
        if (m_seats[m_currentplayer].inround) {
            return true;
        }
    }
    return false;
}

void GameEngine::passTurn() {
    // A computer turn armed for the previous seat must never play for the next one.
    m_computerTimer.stop();
    m_awaitingCard = false;
    if (!advanceToSeatInRound()) {
        return;
    }
    if (m_currentplayer == m_trickleader) {
        endhand();
        return;
    }
    m_events.turnPassed(m_currentplayer);
    m_awaitingCard = true;
    if (!humanPlays(m_currentplayer)) {
        armComputer();
    }
}

bool GameEngine::humanPlays(int seat) const {
    const SeatRecord& record = m_seats[seat];
    return record.connected && record.loggedin && !record.justwatching;
}

// A seat whose player goes while the table waits for its card never lets the turn pass
// without one: in a game where the last seat holding cards wins, a skipped turn is a win.
void GameEngine::seatLeft(int slot) {
    playOwedCard(slot);
}

void GameEngine::seatStartsWatching(int seat) {
    playOwedCard(seat);
}

void GameEngine::seatAway(int seat) {
    playOwedCard(seat);
}

void GameEngine::turnRanOut(int seat) {
    playOwedCard(seat);
}

void GameEngine::playOwedCard(int seat) {
    if (!m_gameinprogress || !m_awaitingCard || !SeatTable::isPlayingSeat(seat) ||
        seat != m_currentplayer) {
        return;
    }
    m_computerTimer.stop();
    m_botSkill = m_bots.botSkill();
    computerplay(seat);
}

void GameEngine::seatReturned(int seat) {
    if (m_awaitingCard && SeatTable::isPlayingSeat(seat) && seat == m_currentplayer) {
        m_computerTimer.stop();
    }
}

// ---- cards ----

void GameEngine::playcard(int seat, int slot) {
    if (SeatTable::isPlayingSeat(seat)) {
        playcardFor(seat, slot);
    }
}

bool GameEngine::playcardFor(int seat, int slot) {
    // Cards count only while the seat on turn is awaited: not in a pause, not after the game.
    if (!m_gameinprogress || !m_awaitingCard || seat != m_currentplayer) {
        return false;
    }
    SeatRecord& record = m_seats[seat];
    if (slot < 1 || slot > cards::kHandSlots || !cards::isCard(record.hand[slot - 1])) {
        return false; // an empty slot: the seat plays again
    }
    if (!cards::mayPlay(record.hand, slot, m_ledsuit)) {
        if (record.loggedin) {
            m_events.cardRefused(seat, slot);
        }
        return false;
    }
    const int card = record.hand[slot - 1];
    record.playedcard = card;
    record.hand[slot - 1] = cards::kNone;
    m_playedThisRound.set(static_cast<std::size_t>(card));
    if (m_ledsuit != 0 && cards::suitOf(card) != m_ledsuit) {
        m_voidSuits[seat] |= 1u << m_ledsuit;
    }
    m_playLog.add(seat, card, m_trickleader == 0);
    if (m_trickleader == 0) {
        m_trickleader = seat;
        m_ledsuit = cards::suitOf(card);
    }
    m_awaitingCard = false;
    m_computerTimer.stop();
    m_events.cardPlayed(seat, card, counthiscards(seat));
    armPause(kCardPauseTicks, Step::PassTurn);
    return true;
}

// ---- tricks ----

int GameEngine::checktrick() const {
    cards::Trick table{};
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        table[static_cast<std::size_t>(seat)] = m_seats[seat].playedcard;
    }
    return cards::trickWinner(table, m_ledsuit, m_trumpsuit);
}

void GameEngine::endhand() {
    int winner = checktrick();
    if (winner == 0) {
        winner = m_trickleader; // cannot happen: the leader's card is of the led suit
    }
    m_currentplayer = winner;
    drawCard(winner);
    m_events.trickTaken(winner, counthiscards(winner));

    std::vector<int> out;
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (counthiscards(seat) == 0) {
            m_seats[seat].inround = false;
            out.push_back(seat);
        }
    }
    if (!out.empty()) {
        m_events.seatsOut(out);
    }
    if (static_cast<int>(out.size()) >= kPlayingSeats - 1) {
        endround(roundWinner(winner));
        return;
    }
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        m_seats[seat].playedcard = 0;
    }
    m_currentplayer = winner == 1 ? kPlayingSeats : winner - 1; // so the turn lands on the winner
    m_trickleader = 0;
    m_ledsuit = 0;
    armPause(kTrickPauseTicks, Step::NextTrick);
}

void GameEngine::drawCard(int winner) {
    // Only a trick that others were made to sit out can empty the deck; then nobody draws.
    if (m_deckpos >= cards::kCards) {
        return;
    }
    m_voidSuits[winner] = 0; // the drawn card may be of any suit
    cards::Hand& hand = m_seats[winner].hand;
    for (int slot = 1; slot <= cards::kHandSlots; ++slot) {
        if (hand[slot - 1] != 0) {
            continue;
        }
        ++m_deckpos;
        const int card = m_deck[m_deckpos];
        m_deck[m_deckpos] = 0;
        hand[slot - 1] = card;
        if (m_seats[winner].loggedin) {
            m_events.cardDrawn(winner, slot, card);
        }
        return;
    }
}

// The last seat with cards; the trick winner when a dry deck left nobody holding any.
int GameEngine::roundWinner(int trickWinner) const {
    for (int seat = 1; seat <= kPlayingSeats; ++seat) {
        if (counthiscards(seat) != 0) {
            return seat;
        }
    }
    return trickWinner;
}

void GameEngine::endround(int winner) {
    m_currentplayer = winner; // the seat after the round winner leads the next round
    SeatRecord& record = m_seats[winner];
    const int points = cards::handPoints(record.hand);
    std::vector<int> left;
    for (int card : record.hand) {
        if (cards::isCard(card)) {
            left.push_back(card);
        }
    }
    record.score = addPoints(record.score, points);
    m_events.roundOver(winner, points, record.score, left);
    armPause(kRoundPauseTicks, Step::NextRound);
}

void GameEngine::starthand() {
    m_events.trickStarts();
    passTurn();
}

// ---- pacing ----

void GameEngine::armPause(int ticks, Step step) {
    m_paceTimer.stop();
    m_pauseticks = ticks;
    m_step = step;
    m_paceTimer.start(m_tickMs);
}

void GameEngine::onPaceTick() {
    --m_pauseticks;
    if (m_pauseticks >= 1) {
        return;
    }
    m_paceTimer.stop();
    switch (m_step) {
    case Step::PassTurn:
        passTurn();
        break;
    case Step::NextRound:
        startround();
        break;
    case Step::NextTrick:
        starthand();
        break;
    }
}

// ---- computer player ----

void GameEngine::armComputer() {
    m_computerTimer.stop();
    m_botSkill = m_bots.botSkill();
    m_botticks = 1;
    const int speed = m_bots.botSpeedMs();
    m_computerTimer.start(speed > 0 ? speed : kDefaultBotSpeedMs);
}

void GameEngine::onComputerTick() {
    --m_botticks;
    if (m_botticks >= 1) {
        return;
    }
    m_computerTimer.stop();
    computerplay(m_currentplayer);
}

void GameEngine::computerplay(int seat) {
    if (!m_gameinprogress || !m_awaitingCard || !SeatTable::isPlayingSeat(seat)) {
        return;
    }
    const SeatView view = viewFor(seat);
    int slot = m_botSkill == BotSkill::Smart ? computer::SmartPlayer::chooseSlot(view) : 0;
    if (!view.isLegal(slot)) {
        slot = computer::ClassicPlayer::chooseSlot(view);
    }
    playcardFor(seat, slot);
}

SeatView GameEngine::viewFor(int seat) const {
    SeatView view;
    if (!SeatTable::isPlayingSeat(seat)) {
        return view;
    }
    view.seat = seat;
    view.hand = m_seats[seat].hand;
    view.ledsuit = m_ledsuit;
    view.trickleader = m_trickleader;
    view.trumpcard = m_trumpcard;
    view.trumpsuit = m_trumpsuit;
    view.seen = m_playedThisRound;
    view.targetscore = m_targetscore;
    view.voidSuits = m_voidSuits;
    view.playLog = m_playLog;
    for (int other = 1; other <= kPlayingSeats; ++other) {
        const SeatRecord& record = m_seats[other];
        view.table[other] = record.playedcard;
        view.handCounts[other] = cards::countCards(record.hand);
        view.inround[other] = record.inround;
        view.scores[other] = record.score;
    }
    return view;
}

} // namespace lastling::host
