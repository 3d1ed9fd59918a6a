#include "history/game_recorder.h"

#include "client/deal_check.h"
#include "protocol/fields.h"

#include <QDateTime>

#include <exception>

namespace lastling::history {

namespace {

std::int64_t utcNowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace

GameRecorder::GameRecorder(HistoryStore& store, const client::TableModel& model)
    : m_store(store), m_model(model), m_clock(&utcNowMs) {}

void GameRecorder::seen(std::string_view word, std::string_view payload) {
    try {
        protocol::Fields fields(payload);
        if (word == "CMD_startgame") {
            fields.text(); // the starter
            beginGame(fields.number());
        } else if (word == "CMD_gamestats" && m_game == 0) {
            fields.number(); // our seat
            const int target = fields.number();
            const int trump = fields.number();
            beginGame(target); // came in mid-game: kept from here on
            beginRound(trump);
        } else if (word == "CMD_dealseal") {
            m_seal = fields.text();
        } else if (word == "CMD_roundstart") {
            beginRound(fields.number());
        } else if (word == "CMD_heplayed") {
            const int seat = fields.number();
            played(seat, fields.number());
        } else if (word == "CMD_endhand") {
            trickTaken(fields.number());
        } else if (word == "CMD_roundover") {
            roundOver(payload);
        } else if (word == "CMD_dealreveal") {
            revealed(payload);
        } else if (word == "CMD_winner") {
            const std::string name = fields.text();
            won(fields.number(), name);
        }
    } catch (const std::exception&) {
        // A field that is no number: the table reports it; nothing of it is kept.
    }
}

Role GameRecorder::role() const {
    const client::ClientState& state = m_model.state();
    if (state.isSpectator()) {
        return Role::Watching;
    }
    if (!state.ishost) {
        return Role::Joined;
    }
    return m_model.othersAtTable() ? Role::Hosting : Role::Solo;
}

void GameRecorder::beginGame(int target) {
    GameHeader header;
    header.startedMs = m_clock();
    header.role = role();
    header.table = header.role == Role::Joined || header.role == Role::Watching
                       ? m_model.state().hostaddress
                       : std::string();
    header.mySeat = m_model.state().myseat;
    header.target = target;
    for (int seat = 1; seat <= client::kSeatCount; ++seat) {
        header.names[static_cast<std::size_t>(seat)] =
            m_model.view().seats[static_cast<std::size_t>(seat)].name;
    }
    m_game = m_store.beginGame(header);
    m_round = 0;
    m_trick = 0;
    m_pending = {};
    m_revealDue = false;
}

void GameRecorder::beginRound(int trump) {
    if (m_game == 0 || trump < 1 || trump > 52) {
        return;
    }
    ++m_round;
    m_trick = 0;
    m_pending = {};
    m_revealDue = false;
    m_store.beginRound(m_game, m_round, trump);
}

void GameRecorder::played(int seat, int card) {
    if (m_game == 0 || m_round == 0 || seat < 1 || seat > client::kSeatCount || card < 1 ||
        card > 52 || m_pending.plays.size() >= kMaxTrickCards) {
        return;
    }
    m_pending.plays.push_back({seat, card});
}

void GameRecorder::trickTaken(int winner) {
    if (m_game == 0 || m_round == 0 || winner < 1 || winner > client::kSeatCount ||
        m_pending.plays.empty()) {
        m_pending = {};
        return;
    }
    m_pending.winner = winner;
    m_store.addTrick(m_game, m_round, ++m_trick, m_pending);
    m_pending = {};
}

void GameRecorder::roundOver(std::string_view payload) {
    if (m_game == 0 || m_round == 0) {
        return;
    }
    protocol::Fields fields(payload);
    const int winner = fields.number();
    const int points = fields.number();
    const int total = fields.number();
    m_store.endRound(m_game, m_round, winner, points, total);
    m_revealDue = true;
    kept();
}

// Kept only when it is the deal the host sealed; the table warns about any other.
void GameRecorder::revealed(std::string_view payload) {
    if (m_game == 0 || !m_revealDue) {
        return;
    }
    m_revealDue = false;
    const auto deal = client::parseReveal(payload);
    if (deal && !m_seal.empty() && client::dealFingerprint(*deal) == m_seal) {
        m_store.keepDeal(m_game, m_round, deal->deck, deal->saltHex);
        kept();
    }
    m_seal.clear();
}

void GameRecorder::won(int seat, const std::string& name) {
    if (m_game == 0) {
        return;
    }
    m_store.endGame(m_game, seat, name);
    m_game = 0;
    kept();
}

void GameRecorder::kept() {
    if (m_keptHook) {
        m_keptHook();
    }
}

} // namespace lastling::history
