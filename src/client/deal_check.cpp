#include "client/deal_check.h"

#include "client/ui_text.h"
#include "protocol/deal_seal.h"
#include "protocol/fields.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <algorithm>
#include <bitset>
#include <exception>

namespace lastling::client {

namespace {

constexpr int kDeckCards = static_cast<int>(protocol::kDealCards);
constexpr int kFirstDraw = 18; // deck position the first trick's winner draws

bool isLowerHex(std::string_view text, std::size_t length) {
    return text.size() == length &&
           text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// Deck index (0-based) of a seat's dealt hand slot 1..4.
std::size_t dealtIndex(int seat, int slot) {
    return static_cast<std::size_t>(4 * seat - 3 + slot - 1);
}

} // namespace

std::optional<RevealedDeal> parseReveal(std::string_view payload) {
    protocol::Fields fields(payload);
    RevealedDeal deal;
    deal.saltHex = fields.text();
    if (!isLowerHex(deal.saltHex, 2 * protocol::kDealSaltBytes)) {
        return std::nullopt;
    }
    std::bitset<kDeckCards + 1> seen;
    for (int position = 1; position <= kDeckCards; ++position) {
        int card = 0;
        if (fields.atEnd() || !protocol::tryParseInt(fields.text(), card) || card < 1 ||
            card > kDeckCards || seen[static_cast<std::size_t>(card)]) {
            return std::nullopt;
        }
        seen[static_cast<std::size_t>(card)] = true;
        deal.deck.push_back(card);
    }
    if (!fields.atEnd()) {
        return std::nullopt; // more than 52 cards
    }
    return deal;
}

std::string dealFingerprint(const RevealedDeal& deal) {
    std::string salt;
    if (!protocol::fromHex(deal.saltHex, salt)) {
        return {};
    }
    const std::string bytes = protocol::sealedBytes(deal.deck, salt);
    if (bytes.empty()) {
        return {};
    }
    return QCryptographicHash::hash(
               QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
               QCryptographicHash::Sha256)
        .toHex()
        .toStdString();
}

DealCheck::DealCheck(const ClientState& state, LineSink systemLine)
    : m_state(state), m_systemLine(std::move(systemLine)) {}

void DealCheck::seen(std::string_view word, std::string_view payload) {
    try {
        if (word == "CMD_dealseal") {
            sealed(payload);
        } else if (word == "CMD_roundstart") {
            roundstart(payload);
        } else if (word == "CMD_gamestats") {
            m_fromDeal = false; // came in mid-round: only what is seen from now on is known
        } else if (word == "CMD_mycards") {
            mycards(payload);
        } else if (word == "CMD_heplayed") {
            protocol::Fields fields(payload);
            const int seat = fields.number();
            note(Kind::Played, seat, fields.number());
        } else if (word == "CMD_endhand") {
            note(Kind::Won, protocol::Fields(payload).number(), 0);
        } else if (word == "CMD_dealreveal") {
            revealed(payload);
        }
    } catch (const std::exception&) {
        // A field that is no number: the table reports it; the check ignores the message.
    }
}

void DealCheck::sealed(std::string_view payload) {
    const std::string fingerprint = protocol::Fields(payload).text();
    m_fingerprint = isLowerHex(fingerprint, protocol::kDealFingerprintHex) ? fingerprint : "";
    m_trump = 0;
    m_fromDeal = false;
    m_dealtSeen = false;
    m_steps.clear();
}

void DealCheck::roundstart(std::string_view payload) {
    const bool fresh = !m_fingerprint.empty() && m_steps.empty() && m_trump == 0;
    if (!fresh) {
        m_fingerprint.clear(); // a round the host did not seal: nothing to hold it to
        m_steps.clear();
    }
    m_fromDeal = fresh;
    m_trump = protocol::Fields(payload).number();
}

void DealCheck::mycards(std::string_view payload) {
    protocol::Fields fields(payload);
    if (fields.number() != m_state.myseat || m_fingerprint.empty()) {
        return;
    }
    std::vector<std::pair<int, int>> slotCards;
    while (!fields.atEnd() && slotCards.size() < 4) {
        const int slot = fields.number();
        slotCards.emplace_back(slot, fields.number());
    }
    const bool dealt = m_fromDeal && !m_dealtSeen;
    m_dealtSeen = true;
    for (const auto& [slot, card] : slotCards) {
        note(dealt ? Kind::Dealt : Kind::Drawn, slot, card);
    }
}

void DealCheck::note(Kind kind, int seat, int card) {
    if (!m_fingerprint.empty() && m_steps.size() < kMaxSteps) {
        m_steps.push_back({kind, seat, card});
    }
}

void DealCheck::revealed(std::string_view payload) {
    if (m_fingerprint.empty()) {
        return; // nothing was promised for this round
    }
    const std::optional<RevealedDeal> deal = parseReveal(payload);
    if (!deal || !matches(*deal)) {
        // kWarning in the player's language.
        m_systemLine(
            "0+" +
            uiText(QCoreApplication::translate(
                "DealCheck", "The host's deal for this round does not match what it promised.")));
    }
    m_fingerprint.clear();
    m_steps.clear();
}

bool DealCheck::matches(const RevealedDeal& deal) const {
    if (dealFingerprint(deal) != m_fingerprint) {
        return false;
    }
    if (m_trump != 0 && deal.deck[0] != m_trump) {
        return false;
    }
    return !m_fromDeal || playsMatch(deal.deck);
}

// Replays the round on the shown deck: each seat holds what it was dealt and what its won
// tricks drew, and plays only from that; our own hand and draws are the deck's.
bool DealCheck::playsMatch(const std::vector<int>& deck) const {
    std::array<std::vector<int>, kSeatCount + 1> held{};
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        for (int slot = 1; slot <= 4; ++slot) {
            held[static_cast<std::size_t>(seat)].push_back(deck[dealtIndex(seat, slot)]);
        }
    }
    std::vector<int> ownDraws;
    std::vector<int> deckDrawsForUs;
    int next = kFirstDraw;
    for (const Step& step : m_steps) {
        switch (step.kind) {
        case Kind::Dealt: // seat holds the hand slot
            if (!m_state.isPlayingSeat(m_state.myseat) || step.seat < 1 || step.seat > 4 ||
                deck[dealtIndex(m_state.myseat, step.seat)] != step.card) {
                return false;
            }
            break;
        case Kind::Drawn:
            ownDraws.push_back(step.card);
            break;
        case Kind::Played: {
            if (step.seat < 1 || step.seat > kSeatCount) {
                return false;
            }
            auto& hand = held[static_cast<std::size_t>(step.seat)];
            const auto found = std::find(hand.begin(), hand.end(), step.card);
            if (found == hand.end()) {
                return false;
            }
            hand.erase(found);
            break;
        }
        case Kind::Won:
            if (step.seat < 1 || step.seat > kSeatCount || next > kDeckCards) {
                return false;
            }
            held[static_cast<std::size_t>(step.seat)].push_back(
                deck[static_cast<std::size_t>(next - 1)]);
            if (step.seat == m_state.myseat) {
                deckDrawsForUs.push_back(deck[static_cast<std::size_t>(next - 1)]);
            }
            ++next;
            break;
        }
    }
    return ownDraws == deckDrawsForUs;
}

} // namespace lastling::client
