// The last trick and ignoring a player's chat: what this client alone shows.
#include "client_fixture.h"

#include <string>
#include <vector>

namespace lastling::client::testing {
namespace {

// ---- last trick ----

TEST_F(ClientFixture, LastTrickFreezesAtTheTakeAndShowsUntilTheNextTrick) {
    loginAs(3, "Cy");
    host({"CMD_existingplayers+1+Ann+0+2+Bob+0", "CMD_startgame+Ann+30+", "CMD_roundstart+40+"});
    model.toggleLastTrick(); // nothing taken yet: nothing to show
    EXPECT_FALSE(model.view().lastTrickShown);

    host({"CMD_heplayed+2+11+3+", "CMD_heplayed+3+12+3+", "CMD_heplayed+4+13+3+",
          "CMD_heplayed+1+50+3+"});
    EXPECT_TRUE(model.view().lastTrick.cards.empty()); // still on the table
    host("CMD_endhand+1+4+");
    const std::vector<TrickCard> first = {
        {2, "Bob", 11}, {3, "You", 12}, {4, "Kling", 13}, {1, "Ann", 50}};
    EXPECT_EQ(model.view().lastTrick.cards, first);
    EXPECT_EQ(model.view().lastTrick.takerSeat, 1);
    EXPECT_EQ(model.view().lastTrick.takerName, "Ann");

    host("CMD_starthand+");
    model.toggleLastTrick();
    EXPECT_TRUE(model.view().lastTrickShown);
    host("CMD_heplayed+1+51+3+"); // the next trick's first card closes it
    EXPECT_FALSE(model.view().lastTrickShown);
    model.toggleLastTrick(); // opened again: later cards leave it open and unchanged
    host({"CMD_playerstats+4", "CMD_heplayed+2+14+2+"});
    EXPECT_TRUE(model.view().lastTrickShown);
    EXPECT_EQ(model.view().lastTrick.cards, first);
    host({"CMD_heplayed+3+15+2+", "CMD_endhand+3+3+", "CMD_starthand+"});
    const std::vector<TrickCard> second = {{1, "Ann", 51}, {2, "Bob", 14}, {3, "You", 15}};
    EXPECT_EQ(model.view().lastTrick.cards, second);
    EXPECT_EQ(model.view().lastTrick.takerName, "You");
    EXPECT_TRUE(model.view().lastTrickShown); // until a card is played
    host("CMD_roundstart+40+");               // a new round has no took-trick stack
    EXPECT_FALSE(model.view().lastTrickShown);
    EXPECT_TRUE(model.view().lastTrick.cards.empty());
    EXPECT_EQ(model.view().lastTrick.takerSeat, 0);
    host({"CMD_heplayed+1+52+1+", "CMD_endhand+1+1+"});
    ASSERT_FALSE(model.view().lastTrick.cards.empty());
    model.toggleLastTrick();
    host("CMD_winner+Ann+1+"); // the game's end takes it away
    EXPECT_FALSE(model.view().lastTrickShown);
    EXPECT_TRUE(model.view().lastTrick.cards.empty());
    model.toggleLastTrick();
    EXPECT_FALSE(model.view().lastTrickShown);
    host({"CMD_heplayed+2+11+3+", "CMD_endhand+2+4+", "CMD_startgame+Ann+30+"});
    EXPECT_TRUE(model.view().lastTrick.cards.empty()); // nor has a new game
}

// ---- ignoring a player ----

TEST_F(ClientFixture, IgnoredSeatIsHiddenUntilUndoneOrGone) {
    loginAs(1, "Ann");
    host("CMD_existingplayers+2+Bob+0+3+Cy+0");
    std::vector<std::string> shown;
    for (const char* word : {"CMD_chat", "CMD_action", "CMD_playasound"}) {
        session.on(word, model.unlessIgnored([&shown, word](std::string_view payload, int) {
            shown.push_back(std::string(word) + "+" + std::string(payload));
        }));
    }
    const std::vector<std::string> fromBob = {"CMD_chat+2+Bob chats: hi|clBlack",
                                              "CMD_action+2+Bob waves|clBlack",
                                              "CMD_playasound+2+wave2+"};
    const std::string fromCy = "CMD_chat+3+Cy chats: yo|clBlack";

    EXPECT_TRUE(model.seatPopupItems(2).ignoreChat);
    EXPECT_FALSE(model.seatPopupItems(1).ignoreChat); // not oneself
    EXPECT_FALSE(model.seatPopupItems(4).ignoreChat); // nobody there
    model.ignoreChat(2);
    EXPECT_FALSE(model.seatPopupItems(2).ignoreChat);
    EXPECT_TRUE(model.seatPopupItems(2).stopIgnoring);
    host({fromBob[0], fromBob[1], fromBob[2], fromCy, "CMD_chat+x+junk", "CMD_chat+9"});
    EXPECT_EQ(shown, (std::vector<std::string>{fromCy, "CMD_chat+x+junk", "CMD_chat+9"}));

    shown.clear();
    model.stopIgnoring(2);
    host({fromBob[0], fromBob[1], fromBob[2]});
    EXPECT_EQ(shown, fromBob);

    // Leaving ends it at once: the seat's menu offers no "Stop Ignoring", and the next player
    // in that seat is heard.
    shown.clear();
    model.ignoreChat(2);
    host("CMD_playerdisconnected+2+Bob");
    EXPECT_FALSE(seat(2).chatIgnored);
    EXPECT_FALSE(model.seatPopupItems(2).stopIgnoring);
    host({"CMD_newplayerinfo+2+Dee+0", "CMD_chat+2+Dee chats: hello|clBlack"});
    EXPECT_EQ(shown, std::vector<std::string>{"CMD_chat+2+Dee chats: hello|clBlack"});
    EXPECT_FALSE(seat(2).chatIgnored);
}

} // namespace
} // namespace lastling::client::testing
