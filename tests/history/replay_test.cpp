// A kept game stepped through card by card and trick by trick, played again from a seat, and
// exported for people and programs.
#include "history/game_export.h"
#include "history/game_replay.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <string>

namespace lastling::history {
namespace {

// Deck position p holds card p: trump Two of Clubs; seat 1 is dealt 2..5, seat 2 6..9,
// seat 3 10..13, seat 4 14..17; the first two draws are 18 and 19. Bob (seat 2) kept it.
GameRecord keptGame() {
    GameRecord game;
    game.header.startedMs = 1765180800000; // 2025-12-08 08:00 UTC
    game.header.role = Role::Joined;
    game.header.table = "192.0.2.7";
    game.header.mySeat = 2;
    game.header.target = 30;
    game.header.names = {"", "Ann", "Bob", "Cid", "Dee"};
    RoundRecord round;
    round.number = 1;
    round.trump = 1;
    for (int card = 1; card <= 52; ++card) {
        round.deck.push_back(card);
    }
    round.saltHex = "00112233445566778899aabbccddeeff";
    round.tricks = {{{{1, 2}, {2, 6}, {3, 13}, {4, 14}}, 3},
                    {{{3, 18}, {4, 15}, {1, 3}, {2, 7}}, 2}};
    game.rounds.push_back(round);
    return game;
}

using Hand = std::array<int, 5>;

TEST(Replay, StepsCardByCardWithEveryHandFaceUp) {
    GameReplay replay(keptGame());
    EXPECT_EQ(replay.table().line, "Round 1: trump is the Two of Clubs.");
    EXPECT_EQ(replay.table().hands[1], (Hand{0, 2, 3, 4, 5}));
    EXPECT_EQ(replay.table().hands[4], (Hand{0, 14, 15, 16, 17}));
    EXPECT_FALSE(replay.previousCard()); // the first step

    ASSERT_TRUE(replay.nextCard());
    EXPECT_EQ(replay.table().line, "Ann plays the Three of Clubs.");
    EXPECT_EQ(replay.table().hands[1], (Hand{0, 0, 3, 4, 5}));
    EXPECT_EQ(replay.table().onTable, (Hand{0, 2, 0, 0, 0}));
    ASSERT_TRUE(replay.nextCard());
    EXPECT_EQ(replay.table().line, "You play the Seven of Clubs.");
    replay.nextCard();
    replay.nextCard();
    EXPECT_EQ(replay.table().line, "Dee plays the Two of Diamonds. Cid takes the trick.");
    EXPECT_EQ(replay.table().onTable, (Hand{0, 2, 6, 13, 14}));
    EXPECT_EQ(replay.table().trickWinner, 3);

    // The winner draws position 18 into the slot it emptied, and leads it.
    ASSERT_TRUE(replay.nextCard());
    EXPECT_EQ(replay.table().line, "Cid plays the Six of Diamonds.");
    EXPECT_EQ(replay.table().hands[3], (Hand{0, 10, 11, 12, 0}));
    EXPECT_EQ(replay.table().onTable, (Hand{0, 0, 0, 18, 0}));
    EXPECT_EQ(replay.table().trick, 2);
    EXPECT_EQ(replay.table().cardsOut, 1);
}

TEST(Replay, TricksAndEndsJumpBothWays) {
    GameReplay replay(keptGame());
    ASSERT_TRUE(replay.nextTrick());
    EXPECT_EQ(replay.table().trick, 1);
    EXPECT_EQ(replay.table().cardsOut, 4);
    ASSERT_TRUE(replay.nextTrick());
    EXPECT_EQ(replay.table().line, "You play the Eight of Clubs. You take the trick.");
    EXPECT_FALSE(replay.nextTrick()); // the last step
    EXPECT_FALSE(replay.nextCard());
    ASSERT_TRUE(replay.previousTrick());
    EXPECT_EQ(replay.table().trick, 1);
    EXPECT_EQ(replay.table().cardsOut, 4);
    ASSERT_TRUE(replay.previousTrick());
    EXPECT_EQ(replay.table().trick, 0);
    replay.toEnd();
    EXPECT_EQ(replay.table().cardsOut, 4);
    EXPECT_EQ(replay.table().trick, 2);
    replay.toStart();
    EXPECT_EQ(replay.table().trick, 0);
}

TEST(Replay, ARoundIsReachedAtItsDeal) {
    GameRecord game = keptGame();
    game.rounds.push_back(game.rounds[0]);
    game.rounds[1].number = 2;
    game.rounds[1].trump = 40; // Two of Spades
    GameReplay replay(std::move(game));
    replay.toRound(2);
    EXPECT_EQ(replay.table().round, 2);
    EXPECT_EQ(replay.table().trick, 0);
    EXPECT_EQ(replay.table().line, "Round 2: trump is the Two of Spades.");
    replay.previousCard(); // back over the round's start: the first round's last card
    EXPECT_EQ(replay.table().round, 1);
    EXPECT_EQ(replay.table().trick, 2);
    replay.toRound(1);
    EXPECT_EQ(replay.table().round, 1);
    EXPECT_EQ(replay.table().trick, 0);
    replay.toRound(3); // no such round: stays
    EXPECT_EQ(replay.table().round, 1);
}

// Bob played from seat 2: at a solo table he sits in seat 1 with his own hand, Ann, who led,
// sits at his right (seat 4), and the trump and the draws stay where they were.
TEST(Replay, ADealIsPlayedAgainFromThePlayersOwnPlace) {
    const auto again = dealAgain(keptGame(), 1);
    ASSERT_TRUE(again.has_value());
    const std::vector<int> expected = {1,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                       2,  3,  4,  5,  18, 19, 20, 21, 22, 23, 24, 25, 26,
                                       27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39,
                                       40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52};
    EXPECT_EQ(again->deck, expected);
    EXPECT_EQ(again->leader, 4);
    EXPECT_EQ(again->target, 30);

    GameRecord fromSeatOne = keptGame();
    fromSeatOne.header.mySeat = 1;
    EXPECT_EQ(dealAgain(fromSeatOne, 1)->deck, keptGame().rounds[0].deck);
    EXPECT_EQ(dealAgain(fromSeatOne, 1)->leader, 1);

    EXPECT_FALSE(dealAgain(keptGame(), 0).has_value());
    EXPECT_FALSE(dealAgain(keptGame(), 2).has_value());
    GameRecord unshown = keptGame();
    unshown.rounds[0].deck.clear();
    EXPECT_FALSE(dealAgain(unshown, 1).has_value());
}

TEST(Export, TextAndJsonTellTheSameGame) {
    GameRecord game = keptGame();
    game.rounds[0].winner = 2;
    game.rounds[0].points = 20;
    game.rounds[0].total = 20;
    const std::string text = exportText(game);
    EXPECT_EQ(text, "Lastling game of 2025-12-08 08:00 UTC\n"
                    "Table: Joined at 192.0.2.7\n"
                    "Seat 1: Ann\n"
                    "Seat 2: Bob (you)\n"
                    "Seat 3: Cid\n"
                    "Seat 4: Dee\n"
                    "Play to: 30\n"
                    "\n"
                    "Round 1, trump Two of Clubs\n"
                    "  Ann was dealt Three of Clubs, Four of Clubs, Five of Clubs, Six of Clubs\n"
                    "  Bob was dealt Seven of Clubs, Eight of Clubs, Nine of Clubs, Ten of Clubs\n"
                    "  Cid was dealt Jack of Clubs, Queen of Clubs, King of Clubs, Ace of Clubs\n"
                    "  Dee was dealt Two of Diamonds, Three of Diamonds, Four of Diamonds, Five "
                    "of Diamonds\n"
                    "  Trick 1: Ann Three of Clubs; Bob Seven of Clubs; Cid Ace of Clubs; Dee Two "
                    "of Diamonds; taken by Cid\n"
                    "  Trick 2: Cid Six of Diamonds; Dee Three of Diamonds; Ann Four of Clubs; Bob "
                    "Eight of Clubs; taken by Bob\n"
                    "  Bob won the round with 20 points (20 in all)\n"
                    "\n"
                    "The game was not finished.\n");

    const QJsonObject json = QJsonDocument::fromJson(exportJson(game)).object();
    EXPECT_EQ(json["started"].toString(), "2025-12-08T08:00:00Z");
    EXPECT_EQ(json["role"].toString(), "joined");
    EXPECT_EQ(json["mySeat"].toInt(), 2);
    EXPECT_EQ(json["seats"].toArray()[2].toObject()["name"].toString(), "Cid");
    const QJsonObject round = json["rounds"].toArray()[0].toObject();
    EXPECT_EQ(round["number"].toInt(), 1);
    EXPECT_EQ(round["deck"].toArray().size(), 52);
    EXPECT_EQ(round["trump"].toInt(), 1);
    const QJsonObject trick = round["tricks"].toArray()[1].toObject();
    EXPECT_EQ(trick["winner"].toInt(), 2);
    EXPECT_EQ(trick["plays"].toArray()[0].toObject()["card"].toInt(), 18);
    EXPECT_EQ(trick["plays"].toArray()[0].toObject()["name"].toString(), "Six of Diamonds");
    EXPECT_EQ(round["result"].toObject()["points"].toInt(), 20);
    EXPECT_TRUE(json["winner"].isNull());
}

} // namespace
} // namespace lastling::history
