// A thousand whole games through the real host and engine, watched where the host hands bytes
// to its connections: every card number a connection is sent must be one its receiver may know
// at that moment. Only the trump, cards put on the table, the receiver's own hand and the round
// winner's cards shown at the round's end may reach a connection.
#include "fakes.h"
#include "host/engine/game_engine.h"
#include "host/engine/random.h"
#include "host/engine_table.h"
#include "manual_timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <charconv>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::host::testing {
namespace {

constexpr int kGames = 1000;
constexpr int kSpectator = 5;
constexpr std::uint32_t kSeed = 1234567u;
const std::array<std::string, kSpectator + 1> kNames{"", "Ann", "Bob", "Cid", "Dee", "Eve"};

// Where a message carries card numbers. Every word the host sends is listed, so a new message
// fails this test until someone decides what its fields reveal.
enum class CardFields {
    None,
    Trump,       // CMD_roundstart+TRUMP+
    OwnHand,     // CMD_mycards+SEAT+slot+card+slot+card...
    Played,      // CMD_heplayed+SEAT+CARD+left+
    RoundWinner, // CMD_roundover+winner+points+total+card...
    TableState,  // CMD_gamestats+seat+target+TRUMP+turn, then seat+score+PLAYED+count four times
};

const std::map<std::string, CardFields, std::less<>>& cardFieldsByWord() {
    static const std::map<std::string, CardFields, std::less<>> words{
        {"CMD_sendlogininfo", CardFields::None},
        {"CMD_seatkey", CardFields::None},
        {"CMD_seatkept", CardFields::None},
        {"CMD_full", CardFields::None},
        {"CMD_newplayerinfo", CardFields::None},
        {"CMD_existingplayers", CardFields::None},
        {"CMD_havewrongversion", CardFields::None},
        {"CMD_wrongversion", CardFields::None},
        {"CMD_playerdisconnected", CardFields::None},
        {"CMD_justwatching", CardFields::None},
        {"CMD_playasound", CardFields::None},
        {"CMD_chat", CardFields::None},
        {"CMD_action", CardFields::None},
        {"CMD_startgame", CardFields::None},
        {"CMD_nextplayer", CardFields::None},
        {"CMD_error", CardFields::None},   // seat and hand slot
        {"CMD_endhand", CardFields::None}, // winner and its count of cards
        {"CMD_playerstats", CardFields::None},
        {"CMD_starthand", CardFields::None},
        {"CMD_winner", CardFields::None},
        {"CMD_roundstart", CardFields::Trump},
        {"CMD_mycards", CardFields::OwnHand},
        {"CMD_heplayed", CardFields::Played},
        {"CMD_roundover", CardFields::RoundWinner},
        {"CMD_gamestats", CardFields::TableState},
    };
    return words;
}

using Fields = std::vector<std::string>;

// A message without its end byte, cut at every "+".
Fields fieldsOf(std::string_view text) {
    Fields fields;
    for (std::size_t start = 0;;) {
        const std::size_t plus = text.find('+', start);
        fields.emplace_back(text.substr(start, plus - start));
        if (plus == std::string_view::npos) {
            return fields;
        }
        start = plus + 1;
    }
}

// -1 for a field that is missing or not a plain number.
int numberAt(const Fields& fields, std::size_t index) {
    if (index >= fields.size()) {
        return -1;
    }
    const std::string& field = fields[index];
    int number = -1;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), number);
    return error == std::errc{} && end == field.data() + field.size() ? number : -1;
}

std::string joined(const Fields& fields) {
    std::string text;
    for (const std::string& field : fields) {
        text += (text.empty() ? "" : "+") + field;
    }
    return text;
}

bool holds(const cards::Hand& hand, int card) {
    return std::find(hand.begin(), hand.end(), card) != hand.end();
}

int suitOf(int card) {
    return (card - 1) / 13 + 1;
}

// Judges each message by the engine's real state at the moment it is sent.
class EntitlementCheck {
public:
    EntitlementCheck(const SeatTable& seats, const GameEngine& engine)
        : m_seats(seats), m_engine(engine) {}

    void check(int to, const Fields& fields) {
        const auto found = cardFieldsByWord().find(fields[0]);
        if (found == cardFieldsByWord().end()) {
            fail(to, fields, "a message nobody has classified");
            return;
        }
        if (found->second == CardFields::Trump) {
            m_played.reset(); // a new round: nothing of it is on the table yet
        }
        noteTable();
        switch (found->second) {
        case CardFields::None:
            break;
        case CardFields::Trump:
            expectCard(to, fields, 1, false);
            break;
        case CardFields::OwnHand:
            if (numberAt(fields, 1) != to || !SeatTable::isPlayingSeat(to)) {
                fail(to, fields, "a hand sent to another connection than its seat's");
            }
            for (std::size_t i = 3; i < fields.size(); i += 2) {
                expectCard(to, fields, i, true);
            }
            break;
        case CardFields::Played:
            expectCard(to, fields, 2, false);
            break;
        case CardFields::RoundWinner:
            for (std::size_t i = 4; i < fields.size(); ++i) {
                expectCard(to, fields, i, false, soleHolderHand(numberAt(fields, 1)));
            }
            break;
        case CardFields::TableState:
            if (fields.size() != 21) {
                fail(to, fields, "a table state of an unexpected shape");
            }
            expectCard(to, fields, 3, false);
            for (std::size_t i = 7; i < fields.size(); i += 4) {
                expectCard(to, fields, i, true);
            }
            break;
        }
    }

    long cardsChecked() const { return m_cardsChecked; }
    long failures() const { return m_failures; }
    const std::vector<std::string>& firstFailures() const { return m_firstFailures; }

    void fail(int to, const Fields& fields, const std::string& why) {
        ++m_failures;
        if (m_firstFailures.size() < 10) {
            m_firstFailures.push_back("to slot " + std::to_string(to) + ": \"" + joined(fields) +
                                      "\": " + why);
        }
    }

private:
    // Every card is on the table while its "CMD_heplayed" goes out, so looking at each send
    // collects all cards played this round.
    void noteTable() {
        for (int seat = 1; seat <= kPlayingSeats; ++seat) {
            const int card = m_seats[seat].playedcard;
            if (card >= 1 && card <= 52) {
                m_played.set(static_cast<std::size_t>(card));
            }
        }
    }

    // The round winner shows its cards when it is the only seat still holding any.
    const cards::Hand* soleHolderHand(int winner) const {
        if (!SeatTable::isPlayingSeat(winner)) {
            return nullptr;
        }
        for (int seat = 1; seat <= kPlayingSeats; ++seat) {
            const cards::Hand& hand = m_seats[seat].hand;
            if (seat != winner && std::count(hand.begin(), hand.end(), 0) != 4) {
                return nullptr;
            }
        }
        return &m_seats[winner].hand;
    }

    void expectCard(int to, const Fields& fields, std::size_t index, bool mayBeEmpty,
                    const cards::Hand* revealed = nullptr) {
        const int card = numberAt(fields, index);
        ++m_cardsChecked;
        if (card == 0 && mayBeEmpty) {
            return;
        }
        if (card < 1 || card > 52) {
            fail(to, fields, "field " + std::to_string(index) + " is no card");
        } else if (!entitled(to, card, revealed)) {
            fail(to, fields, "card " + std::to_string(card) + " is not the receiver's to see");
        }
    }

    bool entitled(int to, int card, const cards::Hand* revealed) const {
        if (card == m_engine.trumpcard() || m_played.test(static_cast<std::size_t>(card))) {
            return true;
        }
        if (revealed && holds(*revealed, card)) {
            return true;
        }
        // Its own hand, for a logged-in player on a playing seat; a spectator has none.
        const bool player =
            SeatTable::isPlayingSeat(to) && m_seats[to].connected && !m_seats[to].name.empty();
        return player && holds(m_seats[to].hand, card);
    }

    const SeatTable& m_seats;
    const GameEngine& m_engine;
    std::bitset<53> m_played;
    long m_cardsChecked = 0;
    long m_failures = 0;
    std::vector<std::string> m_firstFailures;
};

// A table client as far as this test needs one: it keeps its hand from its own messages and,
// while it plays, answers its turn with a card it may play.
struct Client {
    void take(const Fields& fields) {
        const std::string& word = fields[0];
        if (word == "CMD_roundstart") {
            hand = {};
            ledSuit = 0;
        } else if (word == "CMD_starthand") {
            ledSuit = 0;
        } else if (word == "CMD_mycards" && numberAt(fields, 1) == seat) {
            for (std::size_t i = 2; i + 1 < fields.size(); i += 2) {
                const int slot = numberAt(fields, i);
                if (slot >= 1 && slot <= 4) {
                    hand[static_cast<std::size_t>(slot - 1)] = numberAt(fields, i + 1);
                }
            }
        } else if (word == "CMD_heplayed") {
            takePlayed(numberAt(fields, 1), numberAt(fields, 2));
        } else if (word == "CMD_nextplayer" && numberAt(fields, 1) == seat) {
            startTurn();
        } else if (word == "CMD_gamestats" && numberAt(fields, 4) == seat) {
            startTurn(); // it may have come back while its card was awaited
        } else if (word == "CMD_error" && numberAt(fields, 1) == seat) {
            const int slot = numberAt(fields, 2);
            if (slot >= 1 && slot <= 4) {
                refused[static_cast<std::size_t>(slot)] = true;
            }
            onTurn = plays;
        }
    }

    // A card of the led suit when it holds one, else its first card; none it was refused.
    int chooseSlot() const {
        int first = 0;
        for (int slot = 1; slot <= 4; ++slot) {
            const int card = hand[static_cast<std::size_t>(slot - 1)];
            if (card == 0 || refused[static_cast<std::size_t>(slot)]) {
                continue;
            }
            if (ledSuit != 0 && suitOf(card) == ledSuit) {
                return slot;
            }
            first = first == 0 ? slot : first;
        }
        return first;
    }

    int seat = 0;
    bool plays = false; // answers its turns; otherwise the computer plays its seat
    bool onTurn = false;
    int chosenCard = 0; // the card it sent last, until the table shows it
    int ledSuit = 0;    // a client that came back mid-trick may guess wrong and be refused
    cards::Hand hand{};
    std::array<bool, 5> refused{}; // this turn, index = hand slot

private:
    void startTurn() {
        onTurn = plays;
        refused = {};
    }
    void takePlayed(int who, int card) {
        if (ledSuit == 0 && card >= 1 && card <= 52) {
            ledSuit = suitOf(card);
        }
        if (who != seat) {
            return;
        }
        for (int& held : hand) {
            if (held == card) {
                held = 0;
            }
        }
    }
};

class CheckingTransport : public RecordingTransport {
public:
    void send(int slot, const std::string& bytes) override { onSend(slot, bytes); }
    std::function<void(int, const std::string&)> onSend;
};

// The plain computer player: the thinking one plays out whole rounds per card, which a
// thousand games cannot afford, and how a card is chosen does not change what is sent.
struct ClassicBots : BotPreferences {
    int botSpeedMs() const override { return 250; }
    BotSkill botSkill() const override { return BotSkill::Classic; }
};

class NoLeakTest : public ::testing::Test {
protected:
    NoLeakTest() {
        transport.core = &core;
        transport.onSend = [this](int to, const std::string& bytes) { delivered(to, bytes); };
        core.setGame(&table);
        core.setClock([] { return std::int64_t{1'000'000}; }); // a kept seat stays kept
        for (int slot = 1; slot <= kSpectator; ++slot) {
            clients[static_cast<std::size_t>(slot)].seat = slot;
            join(slot, slot);
        }
    }

    static std::string addressOf(int seat) { return "192.168.1." + std::to_string(10 + seat); }

    // Accepts a connection from the seat's player and logs it in under the seat's name.
    int join(int seat, int expectedSlot) {
        const int slot = core.chooseSlot();
        EXPECT_EQ(slot, expectedSlot);
        core.connectionAccepted(slot, addressOf(seat));
        login(slot, kNames[static_cast<std::size_t>(seat)]);
        return slot;
    }
    void login(int slot, const std::string& name) {
        const std::string number = std::to_string(slot);
        core.bytesReceived(slot, "CMD_logininfo+" + number + "+1.0.1+" + name + "\xFF\xFF");
        drain();
    }
    void receive(int slot, const std::string& text) {
        core.bytesReceived(slot, wire(text));
        drain();
    }
    void drain() {
        while (core.dispatchOne()) {
        }
    }

    void delivered(int to, const std::string& bytes) {
        if (bytes.size() < 2 || bytes.back() != '\xFF') {
            check.fail(to, {bytes}, "not one whole message");
            return;
        }
        const Fields fields = fieldsOf(std::string_view(bytes).substr(0, bytes.size() - 1));
        check.check(to, fields);
        count(to, fields);
        if (to >= 1 && to < static_cast<int>(clients.size())) {
            clients[static_cast<std::size_t>(to)].take(fields);
        }
    }

    void count(int to, const Fields& fields) {
        const std::string& word = fields[0];
        if (to == joining && word == "CMD_mycards") {
            ++newcomerHands;
        }
        if (to == kSpectator && word == "CMD_gamestats") {
            ++spectatorStates;
        }
        if (to != 1) {
            return; // slot 1 never leaves, so it sees every game through
        }
        if (word == "CMD_winner") {
            ++winners;
        } else if (word == "CMD_roundover" && fields.size() > 4) {
            ++revealingRounds;
        } else if (word == "CMD_heplayed") {
            ++playsThisGame;
            const int seat = numberAt(fields, 1);
            if (SeatTable::isPlayingSeat(seat)) {
                int& chosen = clients[static_cast<std::size_t>(seat)].chosenCard;
                ++(chosen != 0 && chosen == numberAt(fields, 2) ? humanCards : computerCards);
                chosen = 0;
            }
        }
    }

    // Sends the card of each player whose turn it is; true if one went out.
    bool answerTurns() {
        bool sent = false;
        for (int seat = 1; seat <= kPlayingSeats; ++seat) {
            Client& client = clients[static_cast<std::size_t>(seat)];
            if (!client.onTurn) {
                continue;
            }
            client.onTurn = false;
            handMismatches += client.hand != seats[seat].hand;
            const int slot = client.chooseSlot();
            if (slot == 0) {
                continue;
            }
            client.chosenCard = client.hand[static_cast<std::size_t>(slot - 1)];
            receive(seat,
                    "CMD_playcard+" + std::to_string(seat) + "+" + std::to_string(slot) + "+");
            sent = true;
        }
        return sent;
    }

    void spectatorComesBack() {
        transport.close(kSpectator);
        clients[kSpectator] = Client{};
        clients[kSpectator].seat = kSpectator;
        join(kSpectator, kSpectator);
    }
    // The hosting player removes the seat's player; the computer plays the seat meanwhile,
    // while a new connection sits on it without logging in.
    void seatRemoved(int seat) {
        receive(1, "CMD_kickhim+1+" + std::to_string(seat) + "+");
        vacant = seat;
        vacantSteps = 25; // long enough to cross draws, and often a deal
        core.connectionAccepted(seat, addressOf(seat));
    }
    // A newcomer takes the computer-played seat mid-game: it is told the table and its hand.
    void newcomerTakesSeat() {
        const int seat = vacant;
        vacant = 0;
        Client& client = clients[static_cast<std::size_t>(seat)];
        client = Client{};
        client.seat = seat;
        client.plays = true;
        joining = seat;
        login(seat, kNames[static_cast<std::size_t>(seat)]);
        joining = 0;
    }

    void midGameTurn(int game) {
        switch (game % 4) {
        case 0:
            spectatorComesBack();
            break;
        case 1:
            seatRemoved(2 + game / 4 % 3);
            break;
        case 2:
            for (int seat = 1; seat <= kPlayingSeats; ++seat) {
                Client& client = clients[static_cast<std::size_t>(seat)];
                if (!client.plays) {
                    client.plays = true;
                    receive(seat, "CMD_justwatch+" + std::to_string(seat) + "+2");
                    break;
                }
            }
            break;
        default:
            break;
        }
    }

    // Seats whose bit is clear in `game` are left to the computer by just watching, so the
    // low four bits walk through every mix of players and computer.
    void playGame(int game) {
        if (vacant != 0) {
            newcomerTakesSeat();
        }
        for (int seat = 1; seat <= kPlayingSeats; ++seat) {
            clients[static_cast<std::size_t>(seat)].plays = (game >> (seat - 1) & 1) != 0;
        }
        playsThisGame = 0;
        receive(1, "CMD_startgame+Ann+" + std::to_string(1 + game % 4 * 10) + "+");
        for (int seat = 1; seat <= kPlayingSeats; ++seat) {
            if (!clients[static_cast<std::size_t>(seat)].plays) {
                receive(seat, "CMD_justwatch+" + std::to_string(seat) + "+1");
            }
        }
        const int turnOfEvents = 4 + game % 13;
        bool eventDone = false;
        while (engine.gameinprogress()) {
            if (answerTurns()) {
                continue;
            }
            if (!eventDone && playsThisGame >= turnOfEvents) {
                eventDone = true;
                midGameTurn(game);
                continue;
            }
            if (vacant != 0 && --vacantSteps <= 0) {
                newcomerTakesSeat();
                continue;
            }
            if (!computerTimer.tick() && !paceTimer.tick()) {
                ADD_FAILURE() << "game " << game << " waits for a card nobody sends";
                return;
            }
        }
    }

    SeatTable seats;
    CheckingTransport transport;
    HostCore core{seats, transport};
    ManualTimer paceTimer;
    ManualTimer computerTimer;
    ClassicBots bots;
    Random random{kSeed};
    GameEngine engine{seats, core, paceTimer, computerTimer, bots, random};
    EngineTable table{engine};
    EntitlementCheck check{seats, engine};
    std::array<Client, kMaxSlots + 2> clients{}; // index = slot

    int vacant = 0; // a removed player's seat nobody has taken yet
    int vacantSteps = 0;
    int joining = 0; // the seat a newcomer is logging in to
    int playsThisGame = 0;
    long winners = 0;
    long revealingRounds = 0;
    long humanCards = 0;
    long computerCards = 0;
    long newcomerHands = 0;
    long spectatorStates = 0;
    long handMismatches = 0;
};

TEST_F(NoLeakTest, NoConnectionIsSentACardItMayNotSeeInAThousandGames) {
    for (int game = 0; game < kGames && !HasFailure(); ++game) {
        playGame(game);
    }

    EXPECT_EQ(check.failures(), 0) << ::testing::PrintToString(check.firstFailures());
    EXPECT_EQ(handMismatches, 0) << "a player's messages did not tell it its own hand";
    // Not vacuous: every game ended, and players, the computer, shown hands and the table
    // states of late joiners, seated and watching, all went through the check.
    EXPECT_EQ(winners, kGames);
    EXPECT_GT(humanCards, 10000);
    EXPECT_GT(computerCards, 10000);
    EXPECT_GT(revealingRounds, 1000);
    EXPECT_GT(newcomerHands, 150);
    EXPECT_GT(spectatorStates, 200);
    EXPECT_GT(check.cardsChecked(), 100000);
}

} // namespace
} // namespace lastling::host::testing
