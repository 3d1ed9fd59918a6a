// The host seals each round's deck at the deal and shows it, with the salt, at the round's end.
#include "fakes.h"
#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "host/engine_table.h"
#include "host/kept_deal.h"
#include "host/sha256_sealer.h"
#include "manual_timer.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace lastling::host::testing {
namespace {

struct BotsOnly : BotPreferences {
    int botSpeedMs() const override { return 250; }
    BotSkill botSkill() const override { return BotSkill::Classic; }
};

std::vector<std::string> fieldsOf(const std::string& message) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : message.substr(0, message.size() - 1)) { // without the end byte
        if (c == '+') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

bool startsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

// The fingerprint as a table recomputes it: 52 card bytes, then the 16 salt bytes.
std::string sha256Hex(const std::vector<int>& deck, const std::string& saltHex) {
    QByteArray bytes;
    for (int card : deck) {
        bytes.append(static_cast<char>(card));
    }
    bytes.append(QByteArray::fromHex(QByteArray::fromStdString(saltHex)));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

class DealSealTest : public ::testing::Test {
protected:
    DealSealTest() {
        transport.core = &core;
        core.setGame(&table);
        core.setDealSealer(&sealer);
    }
    int join(const std::string& name) {
        const int slot = core.chooseSlot();
        core.connectionAccepted(slot);
        receive(slot, "CMD_logininfo+" + std::to_string(slot) + "+1.0.1+" + name);
        return slot;
    }
    void receive(int slot, const std::string& text) {
        core.bytesReceived(slot, wire(text));
        while (core.dispatchOne()) {
        }
    }
    // Five tables, four of them seated and handed to the computer: the game plays itself.
    void playWholeGame() {
        for (const char* name : {"Ann", "Bob", "Cid", "Dee", "Eve"}) {
            join(name);
        }
        receive(1, "CMD_startgame+Ann+30+");
        for (int seat = 1; seat <= 4; ++seat) {
            receive(1, "CMD_justwatch+" + std::to_string(seat) + "+1");
        }
        for (int guard = 0; guard < 100000 && engine.gameinprogress(); ++guard) {
            if (!computerTimer.tick() && !timer1.tick()) {
                break;
            }
        }
        ASSERT_FALSE(engine.gameinprogress());
    }

    SeatTable seats;
    RecordingTransport transport;
    HostCore core{seats, transport};
    Sha256Sealer sealer;
    ManualTimer timer1;
    ManualTimer computerTimer;
    BotsOnly bots;
    Random random{20261208};
    GameEngine engine{seats, core, timer1, computerTimer, bots, random};
    EngineTable table{engine};
};

TEST_F(DealSealTest, EveryRoundIsSealedAtTheDealAndShownAfterItsEnd) {
    playWholeGame();
    const std::vector<std::string> toSpectator = transport.sentTo(5);
    std::set<std::string> salts;
    std::string fingerprint;
    int trump = 0;
    bool roundOver = false;
    int rounds = 0;
    for (const std::string& message : toSpectator) {
        if (startsWith(message, "CMD_dealseal+")) {
            const auto fields = fieldsOf(message);
            ASSERT_EQ(fields.size(), 3u) << message; // word, fingerprint, empty after "+"
            EXPECT_TRUE(fingerprint.empty()) << "a second seal before the reveal";
            fingerprint = fields[1];
            roundOver = false;
        } else if (startsWith(message, "CMD_roundstart+")) {
            trump = std::stoi(fieldsOf(message)[1]);
        } else if (startsWith(message, "CMD_mycards+")) {
            ADD_FAILURE() << "a spectator was shown a hand";
        } else if (startsWith(message, "CMD_roundover+")) {
            roundOver = true;
        } else if (startsWith(message, "CMD_dealreveal+")) {
            ASSERT_TRUE(roundOver) << "the deal was shown before the round ended";
            const auto fields = fieldsOf(message);
            ASSERT_EQ(fields.size(), 55u); // word, salt, 52 cards, empty after "+"
            const std::string salt = fields[1];
            ASSERT_EQ(salt.size(), 32u);
            std::vector<int> deck;
            for (std::size_t i = 2; i < 54; ++i) {
                deck.push_back(std::stoi(fields[i]));
            }
            std::vector<int> sorted = deck;
            std::sort(sorted.begin(), sorted.end());
            for (int card = 1; card <= 52; ++card) {
                EXPECT_EQ(sorted[static_cast<std::size_t>(card - 1)], card);
            }
            EXPECT_EQ(deck[0], trump);
            EXPECT_EQ(sha256Hex(deck, salt), fingerprint);
            EXPECT_TRUE(salts.insert(salt).second) << "salt used twice: " << salt;
            fingerprint.clear();
            ++rounds;
        }
    }
    EXPECT_GE(rounds, 2);
    EXPECT_TRUE(fingerprint.empty()) << "a round was sealed and never shown";

    // Seat 1 learns exactly what the spectator learns of the deal.
    auto sealWords = [](const std::vector<std::string>& messages) {
        std::vector<std::string> kept;
        std::copy_if(messages.begin(), messages.end(), std::back_inserter(kept),
                     [](const std::string& m) {
                         return startsWith(m, "CMD_dealseal+") || startsWith(m, "CMD_dealreveal+");
                     });
        return kept;
    };
    EXPECT_EQ(sealWords(transport.sentTo(1)), sealWords(toSpectator));
}

// The hand seat 1 was dealt is at deck positions 2..5 of the deck shown afterwards.
TEST_F(DealSealTest, TheShownDeckIsTheOneDealt) {
    join("Ann");
    receive(1, "CMD_startgame+Ann+30+");
    const std::vector<std::string> atDeal = transport.sentTo(1);
    std::vector<std::string> hand;
    for (const std::string& message : atDeal) {
        if (startsWith(message, "CMD_mycards+")) {
            hand = fieldsOf(message);
        }
        EXPECT_FALSE(startsWith(message, "CMD_dealreveal+"));
    }
    ASSERT_EQ(hand.size(), 10u); // word, seat, four slot and card pairs
    receive(1, "CMD_justwatch+1+1");
    for (int guard = 0; guard < 100000; ++guard) {
        if (!computerTimer.tick() && !timer1.tick()) {
            break;
        }
        const auto& sent = transport.sent;
        if (!sent.empty() && startsWith(sent.back().second, "CMD_dealreveal+")) {
            break;
        }
    }
    const auto fields = fieldsOf(transport.sent.back().second);
    ASSERT_EQ(fields[0], "CMD_dealreveal");
    for (int slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(fields[static_cast<std::size_t>(2 + slot)],
                  hand[static_cast<std::size_t>(2 * slot + 1)]);
    }
}

// A table that comes in mid-round gets the round's seal, so it can check the round's end.
TEST_F(DealSealTest, ALateJoinerGetsTheOpenSeal) {
    join("Ann");
    receive(1, "CMD_startgame+Ann+30+");
    std::string seal;
    for (const std::string& message : transport.sentTo(1)) {
        if (startsWith(message, "CMD_dealseal+")) {
            seal = message;
        }
    }
    ASSERT_FALSE(seal.empty());
    const int late = join("Zed");
    const auto toLate = transport.sentTo(late);
    EXPECT_EQ(std::count(toLate.begin(), toLate.end(), seal), 1);
}

} // namespace
} // namespace lastling::host::testing

namespace lastling::host::testing {
namespace {

// A kept deck is dealt once, led by the chosen seat; then the fallback deals again.
TEST(KeptDealTest, TheNextGameStartsFromTheKeptDeckAndLeader) {
    auto fallback = std::make_unique<Random>(7);
    KeptDeal deal(std::move(fallback));
    Deck deck{};
    for (int position = 1; position <= 52; ++position) {
        deck[static_cast<std::size_t>(position)] = 53 - position;
    }
    Deck repeated = deck;
    repeated[52] = repeated[51];
    EXPECT_FALSE(deal.playNext(repeated, 1));
    EXPECT_FALSE(deal.playNext(deck, 0));
    EXPECT_FALSE(deal.playNext(deck, 5));
    ASSERT_TRUE(deal.playNext(deck, 4));
    EXPECT_EQ(deal.below(4), 3u); // the seat before seat 4 draws the first turn

    Deck dealt{};
    deal.shuffle(dealt);
    EXPECT_EQ(dealt, deck);
    deal.shuffle(dealt);
    EXPECT_NE(dealt, deck);

    ASSERT_TRUE(deal.playNext(deck, 1));
    EXPECT_EQ(deal.below(4), 0u); // 0 stands for seat 4, so seat 1 leads
}

} // namespace
} // namespace lastling::host::testing
