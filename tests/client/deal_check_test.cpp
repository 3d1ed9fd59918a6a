// The table holds the host to the deal it sealed: a shown deck that does not match the seal,
// or a card seen that the deck did not put there, puts a warning in the chat.
#include "client/deal_check.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lastling::client {
namespace {

const std::string kWarning = "0+The host's deal for this round does not match what it promised.";
const std::string kSalt = "00112233445566778899aabbccddeeff";

// Deck positions 1..52 hold 1, 8, 15, ... (steps of 7 around the deck).
std::vector<int> testDeck() {
    std::vector<int> deck;
    for (int i = 0; i < 52; ++i) {
        deck.push_back(i * 7 % 52 + 1);
    }
    return deck;
}

std::string fingerprintOf(const std::vector<int>& deck, const std::string& saltHex) {
    QByteArray bytes;
    for (int card : deck) {
        bytes.append(static_cast<char>(card));
    }
    bytes.append(QByteArray::fromHex(QByteArray::fromStdString(saltHex)));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

std::string revealOf(const std::vector<int>& deck, const std::string& saltHex) {
    std::string payload = saltHex;
    for (int card : deck) {
        payload += "+" + std::to_string(card);
    }
    return payload + "+";
}

// One round seen from seat 2: dealt positions 6..9, it wins the first trick and draws
// position 18, which it leads next.
struct Round {
    std::vector<int> sealed = testDeck();
    std::vector<int> shown = testDeck();
    std::string salt = kSalt;
    std::vector<std::pair<std::string, std::string>> messages;
    std::string reveal;

    int at(int position) const { return sealed[static_cast<std::size_t>(position - 1)]; }
    std::string card(int position) const { return std::to_string(at(position)); }

    void script() {
        messages = {
            {"CMD_dealseal", fingerprintOf(sealed, kSalt) + "+"},
            {"CMD_roundstart", card(1) + "+"},
            {"CMD_mycards", "2+1+" + card(6) + "+2+" + card(7) + "+3+" + card(8) + "+4+" + card(9)},
            {"CMD_heplayed", "1+" + card(2) + "+3+"},
            {"CMD_heplayed", "2+" + card(7) + "+3+"},
            {"CMD_heplayed", "3+" + card(10) + "+3+"},
            {"CMD_heplayed", "4+" + card(14) + "+3+"},
            {"CMD_mycards", "2+2+" + card(18)},
            {"CMD_endhand", "2+4+"},
            {"CMD_heplayed", "2+" + card(18) + "+3+"},
            {"CMD_heplayed", "3+" + card(11) + "+2+"},
        };
    }
    void set(std::size_t index, const std::string& payload) { messages[index].second = payload; }
};

struct Tamper {
    const char* name;
    std::function<void(Round&)> change;
    bool warns;
};

void PrintTo(const Tamper& tamper, std::ostream* out) {
    *out << tamper.name;
}

class DealCheckTest : public ::testing::TestWithParam<Tamper> {};

TEST_P(DealCheckTest, WarnsExactlyWhenTheDealDiffers) {
    Round round;
    round.script();
    GetParam().change(round);
    if (round.reveal.empty()) {
        round.reveal = revealOf(round.shown, round.salt);
    }

    ClientState state;
    state.myseat = 2;
    std::vector<std::string> lines;
    DealCheck check(state, [&lines](const std::string& line) { lines.push_back(line); });
    for (const auto& [word, payload] : round.messages) {
        check.seen(word, payload);
    }
    check.seen("CMD_roundover", "2+20+20+13+18+");
    check.seen("CMD_dealreveal", round.reveal);
    check.seen("CMD_dealreveal", round.reveal); // a second showing is no news

    const std::vector<std::string> expected =
        GetParam().warns ? std::vector<std::string>{kWarning} : std::vector<std::string>{};
    EXPECT_EQ(lines, expected);
}

std::vector<int> swapped(std::vector<int> deck, std::size_t a, std::size_t b) {
    std::swap(deck[a], deck[b]);
    return deck;
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, DealCheckTest,
    ::testing::Values(
        Tamper{"Honest", [](Round&) {}, false},
        Tamper{"OtherSalt",
               [](Round& r) { r.reveal = revealOf(r.shown, "ff112233445566778899aabbccddeeff"); },
               true},
        // Unseen positions swapped: only the fingerprint tells.
        Tamper{"UnseenCardsSwapped", [](Round& r) { r.shown = swapped(r.shown, 40, 41); }, true},
        // Sealed and shown alike, but seat 3 played a card the deck never gave it.
        Tamper{"PlayedCardNotHeld", [](Round& r) { r.set(5, "3+" + r.card(45) + "+3+"); }, true},
        Tamper{"PlayedCardOfAnotherSeat", [](Round& r) { r.set(5, "3+" + r.card(15) + "+3+"); },
               true},
        Tamper{"OwnHandDiffers",
               [](Round& r) {
                   r.set(2, "2+1+" + r.card(6) + "+2+" + r.card(7) + "+3+" + r.card(30) + "+4+" +
                                r.card(9));
               },
               true},
        Tamper{"OwnDrawDiffers", [](Round& r) { r.set(7, "2+2+" + r.card(19)); }, true},
        Tamper{"TrumpDiffers", [](Round& r) { r.set(1, r.card(2) + "+"); }, true},
        // A seat may play a card only after drawing it.
        Tamper{"DrawnCardPlayedByTheLoser", [](Round& r) { r.set(10, "3+" + r.card(18) + "+2+"); },
               true},
        Tamper{"FiftyOneCards",
               [](Round& r) {
                   r.reveal = revealOf({r.shown.begin(), r.shown.end() - 1}, r.salt);
               },
               true},
        Tamper{"FiftyThreeCards",
               [](Round& r) {
                   auto deck = r.shown;
                   deck.push_back(deck[0]);
                   r.reveal = revealOf(deck, r.salt);
               },
               true},
        Tamper{"RepeatedCard",
               [](Round& r) {
                   auto deck = r.shown;
                   deck[51] = deck[50];
                   r.reveal = revealOf(deck, r.salt);
               },
               true},
        Tamper{"CardOutOfRange",
               [](Round& r) {
                   auto deck = r.shown;
                   deck[51] = 53;
                   r.reveal = revealOf(deck, r.salt);
               },
               true},
        Tamper{"ShortSalt", [](Round& r) { r.reveal = revealOf(r.shown, kSalt.substr(2)); }, true},
        Tamper{"NotANumber", [](Round& r) { r.reveal = kSalt + "+x+"; }, true},
        // A host that seals nothing promises nothing: an old host, or a round joined unsealed.
        Tamper{"NoSeal",
               [](Round& r) {
                   r.messages.erase(r.messages.begin());
                   r.reveal = "junk";
               },
               false}),
    [](const ::testing::TestParamInfo<Tamper>& info) { return std::string(info.param.name); });

} // namespace
} // namespace lastling::client
