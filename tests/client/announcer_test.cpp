#include "client_fixture.h"

#include "client/table_announcer.h"

#include <string>
#include <vector>

namespace lastling::client::testing {
namespace {

class Announcements : public ClientFixture {
protected:
    TableMoment moment() const {
        return TableMoment{model.view(), model.state().whoseturn, model.state().myseat};
    }
    // What one host message (or, when it is empty, one click on slot 1) makes heard.
    std::vector<std::string> after(const std::string& message) {
        const TableMoment before = moment();
        if (message.empty()) {
            model.cardClicked(1);
        } else {
            host(message);
        }
        return announcementsBetween(before, moment());
    }
};

// One game as a screen reader hears it, step by step; each step depends on the ones before.
TEST_F(Announcements, WholeGameSpeaksEachEventOnce) {
    loginAs(1, "Ann");
    struct Step {
        std::string message;
        std::vector<std::string> heard;
    };
    const std::vector<Step> steps = {
        {"CMD_startgame+Ann+30+", {}},
        {"CMD_roundstart+14", {"Trump: Two of Diamonds."}},
        {"CMD_mycards+1+1+27+2+28+3+29+4+30",
         {"Your cards: Two of Hearts, Three of Hearts, Four of Hearts, Five of Hearts."}},
        {"CMD_nextplayer+2", {"Klot's turn."}},
        {"CMD_heplayed+2+40+3", {"Klot played the Two of Spades."}},
        {"CMD_nextplayer+1", {"Your Turn."}},
        {"", {}}, // our click: nothing new until the host answers
        {"CMD_error+1+1", {"You must follow suit if able."}},
        {"", {}},
        {"CMD_error+1+1", {"You must follow suit if able."}}, // the same text, a second time
        {"CMD_heplayed+1+27+3", {"You played the Two of Hearts."}},
        {"CMD_heplayed+3+41+0", {"Klick played the Three of Spades."}},
        {"CMD_endhand+1+3", {"You took the trick."}},
        {"CMD_mycards+1+1+31", {"You drew Six of Hearts."}},
        {"CMD_playerstats+3", {"Klick is out."}},
        {"CMD_playerstats+3", {}}, // already out
        {"CMD_starthand+", {}},
        {"CMD_nextplayer+1", {"Your Turn."}},
        {"CMD_nextplayer+1", {}}, // asked again: nothing changed
        {"CMD_heplayed+4+52+3", {"Kling played the Ace of Spades."}},
        {"CMD_winner+Ann+1", {"You have Won the Game!"}},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(after(steps[i].message), steps[i].heard) << i << ": " << steps[i].message;
    }
}

// The turn time as the table shows and speaks it: only for the seat on turn, our own last ten
// seconds in red and said once; late, foreign and broken figures change nothing.
TEST_F(Announcements, TurnTimeShowsOnTheSeatOnTurnAndSpeaksOurLastTenSeconds) {
    loginAs(1, "Ann");
    for (const char* message : {"CMD_startgame+Ann+30+", "CMD_roundstart+14",
                                "CMD_mycards+1+1+27+2+28+3+29+4+30"}) {
        host(message);
    }
    struct Step {
        std::string message;
        std::vector<std::string> heard;
        int timedSeat;
        int secondsLeft;
        bool red;
    };
    const std::vector<Step> steps = {
        {"CMD_turntime+2+30", {}, 0, 0, false}, // nobody is on turn yet
        {"CMD_nextplayer+2", {"Klot's turn."}, 0, 0, false},
        {"CMD_turntime+2+11", {}, 2, 11, false},
        {"CMD_turntime+2+10", {}, 2, 10, false}, // another seat's last seconds: not red
        {"CMD_heplayed+2+40+3", {"Klot played the Two of Spades."}, 0, 0, false},
        {"CMD_turntime+2+9", {}, 0, 0, false}, // after the card: late
        {"CMD_nextplayer+1", {"Your Turn."}, 0, 0, false},
        {"CMD_turntime+1+11", {}, 1, 11, false},
        {"CMD_turntime+3+10", {}, 1, 11, false}, // not the seat on turn
        {"CMD_turntime+1+10", {"10 seconds left"}, 1, 10, true},
        {"CMD_turntime+1+9", {}, 1, 9, true},
        {"CMD_turntime+1+0", {}, 1, 9, true},
        {"CMD_turntime+1+3601", {}, 1, 9, true},
        {"CMD_turntime+5+5", {}, 1, 9, true},
        {"CMD_turntime+1+x", {}, 1, 9, true},
        {"CMD_heplayed+1+27+3", {"You played the Two of Hearts."}, 0, 0, false},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(after(steps[i].message), steps[i].heard) << i << ": " << steps[i].message;
        EXPECT_EQ(model.view().timedSeat, steps[i].timedSeat) << i;
        EXPECT_EQ(model.view().secondsLeft, steps[i].secondsLeft) << i;
        EXPECT_EQ(model.view().timeRunningOut, steps[i].red) << i;
    }
}

TEST_F(Announcements, AnotherSeatWinningTheRoundAndTheGame) {
    loginAs(2, "Bo");
    host({"CMD_existingplayers+1+Ann+0", "CMD_startgame+Ann+30+", "CMD_roundstart+1"});
    EXPECT_EQ(after("CMD_playerstats+2+4"),
              (std::vector<std::string>{"You are out.", "Kling is out."}));
    EXPECT_EQ(after("CMD_endhand+1+2"), std::vector<std::string>{"Ann took the trick."});
    EXPECT_EQ(after("CMD_winner+Ann+1"), std::vector<std::string>{"Ann has Won the Game!"});
    // A message that changes nothing is not heard.
    EXPECT_EQ(after("CMD_roundstart+1"), std::vector<std::string>{});
}

TEST_F(Announcements, KeyOnAHandSlotSaysWhyItCannotPlay) {
    loginAs(1, "Ann");
    host({"CMD_startgame+Ann+30+", "CMD_roundstart+14", "CMD_mycards+1+1+27+2+0+3+29"});
    struct Case {
        int slot;
        bool myTurn;
        std::string said;
    };
    const std::vector<Case> cases = {
        {1, true, ""},
        {3, true, ""},
        {2, true, "Hand slot 2 is empty."}, // shown, but no card
        {4, true, "Hand slot 4 is empty."}, // never dealt: slot 4 holds no card
        {1, false, "Not your turn."},
        {2, false, "Hand slot 2 is empty."},
        {0, true, ""},
        {5, true, ""},
    };
    for (const Case& c : cases) {
        TableMoment now = moment();
        now.whoseturn = c.myTurn ? 1 : 2;
        EXPECT_EQ(slotKeyRefusal(now, c.slot), c.said) << c.slot << " " << c.myTurn;
    }
    // A played card leaves its slot hidden.
    host("CMD_nextplayer+1");
    model.cardClicked(3);
    host("CMD_heplayed+1+29+2");
    EXPECT_EQ(slotKeyRefusal(moment(), 3), "Hand slot 3 is empty.");
}

} // namespace
} // namespace lastling::client::testing
