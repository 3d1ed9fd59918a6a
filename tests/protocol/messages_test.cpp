#include "protocol/messages.h"

#include <gtest/gtest.h>

#include <string>

namespace lastling::protocol {
namespace {

// Wire text without its end byte; every builder must end in exactly one end byte
// (the login in two, since the login name carries one).
std::string body(const std::string& message) {
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(message.back(), '\xFF');
    return message.substr(0, message.size() - 1);
}

TEST(MessagesTest, ClientToHostLiterals) {
    EXPECT_EQ(body(logininfo(3, "1.0.1", "Ann\xFF")), "CMD_logininfo+3+1.0.1+Ann\xFF");
    EXPECT_EQ(kVersion, "1.0.1"); // older copies compare this text at login
    EXPECT_EQ(body(chat(2, "hi + you|clRed")), "CMD_chat+2+hi + you|clRed");
    EXPECT_EQ(body(action(2, "says: Hello|$00FF8040")), "CMD_action+2+says: Hello|$00FF8040");
    EXPECT_EQ(body(playasound(5, 12)), "CMD_playasound+5+wave12+");
    EXPECT_EQ(body(kickhim(1, 3)), "CMD_kickhim+1+3+");
    EXPECT_EQ(body(justwatch(2, 1)), "CMD_justwatch+2+1");
    EXPECT_EQ(body(justwatch(2, 2)), "CMD_justwatch+2+2");
    EXPECT_EQ(body(startgame("You", "30")), "CMD_startgame+You+30+");
    EXPECT_EQ(body(playcard(1, 4)), "CMD_playcard+1+4+");
}

TEST(MessagesTest, HostToClientLiterals) {
    EXPECT_EQ(body(sendlogininfo(1)), "CMD_sendlogininfo+1");
    EXPECT_EQ(body(full()), "CMD_full+");
    EXPECT_EQ(body(newplayerinfo(1, "You")), "CMD_newplayerinfo+1+You+0");
    EXPECT_EQ(body(existingplayers({{1, "Al", false}, {6, "Bo", true}})),
              "CMD_existingplayers+1+Al+0+6+Bo+1");
    EXPECT_EQ(existingplayers({}), "");
    EXPECT_EQ(body(havewrongversion("Bo")), "CMD_havewrongversion+Bo");
    EXPECT_EQ(body(wrongversion()), "CMD_wrongversion+");
    EXPECT_EQ(body(gamestats(2, 30, 17, 4,
                             {{{1, 5, 0, 3}, {2, 0, 14, 4}, {3, 12, 0, 0}, {4, 0, 52, 1}}})),
              "CMD_gamestats+2+30+17+4+1+5+0+3+2+0+14+4+3+12+0+0+4+0+52+1");
    EXPECT_EQ(body(mycards(1, {{1, 5}, {2, 0}, {3, 40}, {4, 13}})),
              "CMD_mycards+1+1+5+2+0+3+40+4+13");
    EXPECT_EQ(body(mycards(3, {{2, 7}})), "CMD_mycards+3+2+7");
    EXPECT_EQ(body(playerdisconnected(3, "Ann")), "CMD_playerdisconnected+3+Ann");
    EXPECT_EQ(body(justwatching(2, 1)), "CMD_justwatching+2+1");
    EXPECT_EQ(body(playasoundRelay(4, "wave3+")), "CMD_playasound+4+wave3+");
    EXPECT_EQ(body(chatRelay("2", "Bo", "hi|clRed")), "CMD_chat+2+Bo chats: hi|clRed");
    EXPECT_EQ(body(actionRelay("2", "Bo", "waves|clRed")), "CMD_action+2+Bo waves|clRed");
    EXPECT_EQ(body(startgameAnnounce("You", 5)), "CMD_startgame+You+5+");
    EXPECT_EQ(body(roundstart(27)), "CMD_roundstart+27+");
    EXPECT_EQ(body(nextplayer(3)), "CMD_nextplayer+3+");
    EXPECT_EQ(body(heplayed(2, 14, 3)), "CMD_heplayed+2+14+3+");
    EXPECT_EQ(body(error(1, 2)), "CMD_error+1+2+");
    EXPECT_EQ(body(endhand(4, 2)), "CMD_endhand+4+2+");
    EXPECT_EQ(body(playerstats({2, 3})), "CMD_playerstats+2+3");
    EXPECT_EQ(playerstats({}), "");
    EXPECT_EQ(body(roundover(2, 20, 45, {13, 18})), "CMD_roundover+2+20+45+13+18");
    EXPECT_EQ(body(starthand()), "CMD_starthand++");
    EXPECT_EQ(body(winner("Klot", 2)), "CMD_winner+Klot+2+");
    EXPECT_EQ(body(turntime(4, 120)), "CMD_turntime+4+120");
    EXPECT_EQ(body(hostLine("Bo|x")), "CMD_action+0+Bo\xA6x|clBlue");
}

TEST(MessagesTest, UnsafeTextIsReplaced) {
    EXPECT_EQ(safeName("a+b|c\xFF"
                       "d"),
              "a_b_c_d");
    EXPECT_EQ(safeName(""), "");
    // A lone 0xFF is the letter y with diaeresis, which only UTF-8 can carry.
    EXPECT_EQ(safeChatText("1+1|2\xFF"), "1+1\xC2\xA6"
                                         "2\xC3\xBF");
    EXPECT_EQ(safeRelayedChat("a|b|clRed"), "a\xA6"
                                            "b|clRed");
    EXPECT_EQ(safeRelayedChat("no colour"), "no colour");
    EXPECT_EQ(safeRelayedChat("x\xFF|$00000000"), "x\xC3\xBF|$00000000");
}

} // namespace
} // namespace lastling::protocol
