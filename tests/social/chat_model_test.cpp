#include "social/chat_model.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <string>
#include <utility>
#include <vector>

namespace lastling::social {
namespace {

// A line as text: "[style]text" for text, "{link#jump}text" for links, "<n>" for smileys.
std::string render(const ChatLine& line) {
    std::string out;
    for (const auto& run : line.runs) {
        switch (run.kind) {
        case ChatRun::Kind::Text:
            out += "[" + std::to_string(run.style) + "]" + run.text;
            break;
        case ChatRun::Kind::Link:
            out += "{link#" + std::to_string(run.jump) + "}" + run.text;
            break;
        case ChatRun::Kind::Smiley:
            out += "<" + std::to_string(run.smiley) + ">";
            break;
        }
    }
    return out;
}

std::string wire(std::string text) {
    return text + '\xFF';
}

// ---- sending ----

struct SendCase {
    const char* name;
    std::string field;
    bool loggedin;
    Colour colour;
    std::string message; // empty: nothing sent
    bool clearField;
};

class SenditTest : public ::testing::TestWithParam<SendCase> {};

TEST_P(SenditTest, BuildsTheMessageAndSaysWhetherToEmptyTheField) {
    const auto& c = GetParam();
    const SendResult result = ChatModel::sendit(c.field, 2, c.loggedin, c.colour);
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.clearField, c.clearField);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SenditTest,
    ::testing::Values(
        SendCase{"Chat", "hello all", true, kBlack, wire("CMD_chat+2+hello all|clBlack"), true},
        SendCase{"ChatInHexColour", "hi", true, 0xFF8040, wire("CMD_chat+2+hi|$00FF8040"), true},
        SendCase{"PlusKept", "a+b", true, kBlack, wire("CMD_chat+2+a+b|clBlack"), true},
        SendCase{"Action", "/me waves", true, kRed, wire("CMD_action+2+waves|clRed"), true},
        SendCase{"ActionGluedToCommand", "/mewaves", true, kBlack,
                 wire("CMD_action+2+aves|clBlack"), true},
        SendCase{"BareMe", "/me", true, kBlack, wire("CMD_action+2+|clBlack"), true},
        SendCase{"OtherSlashCommand", "/quit now", true, kBlack, "", true},
        SendCase{"LoneSlash", "/", true, kBlack, "", true},
        SendCase{"Empty", "", true, kBlack, "", true},
        SendCase{"NotLoggedIn", "hello", false, kBlack, "", false},
        SendCase{"BarAndEndByteMadeSafe",
                 std::string("a|b\xFF"
                             "c"),
                 true, kBlack,
                 wire("CMD_chat+2+a\xC2\xA6" // the y with diaeresis goes as UTF-8
                      "b\xC3\xBF"
                      "c|clBlack"),
                 true},
        SendCase{"ActionMadeSafe", "/me x|y", true, kBlack, wire("CMD_action+2+x\xA6y|clBlack"),
                 true}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- receiving and showing ----

struct ShowCase {
    const char* name;
    std::string payload;
    std::string shown; // empty: no line
    int style;
    Colour colour;
};

class ShowChatMessageTest : public ::testing::TestWithParam<ShowCase> {};

TEST_P(ShowChatMessageTest, ShowsTheLineInItsSeatStyleAndColour) {
    const auto& c = GetParam();
    ChatModel model;
    model.showChatMessage(c.payload);
    if (c.shown.empty()) {
        EXPECT_TRUE(model.lines().empty());
        return;
    }
    ASSERT_EQ(model.lines().size(), 1u);
    EXPECT_EQ(render(model.lines().front()), c.shown);
    EXPECT_EQ(model.lines().front().style, c.style);
    EXPECT_EQ(model.styles()[static_cast<std::size_t>(c.style)].colour, c.colour);
    EXPECT_TRUE(model.styles()[static_cast<std::size_t>(c.style)].bold);
}

INSTANTIATE_TEST_SUITE_P(
    Payloads, ShowChatMessageTest,
    ::testing::Values(
        ShowCase{"RelayedChat", "2+Ann chats: hello|clBlack", "[7]Ann chats:  hello ", 7, kBlack},
        ShowCase{"RelayedAction", "1+Ann waves|$00FF8040", "[6] Ann waves ", 6, 0xFF8040},
        ShowCase{"PhraseAction", "9+Bo says: hi there|clNavy", "[14]Bo says:  hi there ", 14,
                 0x800000},
        ShowCase{"BarInTextCutsAndGoesRed", "3+Cy chats: a|b|clBlue", "[8]Cy chats:  a ", 8, kRed},
        ShowCase{"NoBarIsRed", "3+Cy chats: plain", "[8]Cy chats:  plain ", 8, kRed},
        ShowCase{"NoColourIsRed", "3+Cy chats: x|purple", "[8]Cy chats:  x ", 8, kRed},
        ShowCase{"EmptyColourIsRed", "3+Cy chats: x|", "[8]Cy chats:  x ", 8, kRed},
        ShowCase{"SystemLine", "0+You are Connected.|clBlue", "[0] You are Connected. ", 0,
                 0xFF0000},
        ShowCase{"RunsOfBlanks", "4+D:a   b|clBlack", "[9]D: a   b ", 9, kBlack},
        ShowCase{"LeadingZeroSeat", "05+E: x|clBlack", "[10]E:  x ", 10, kBlack},
        ShowCase{"Latin1Kept", "2+\xC5sa: h\xE9j|clBlack", "[7]\xC3\x85sa:  h\xC3\xA9j ", 7,
                 kBlack},
        ShowCase{"Empty", "", "", 0, 0}, ShowCase{"NoPlus", "hello|clBlack", "", 0, 0},
        ShowCase{"SeatMissing", "+hi|clBlack", "", 0, 0},
        ShowCase{"SeatNotANumber", "x+hi|clBlack", "", 0, 0},
        ShowCase{"SeatBeyondNine", "10+hi|clBlack", "", 0, 0},
        ShowCase{"NegativeSeat", "-1+hi|clBlack", "", 0, 0},
        ShowCase{"HugeSeat", "99999999999999999999+hi|clBlack", "", 0, 0},
        ShowCase{"SeatWithBlank", " 2+hi|clBlack", "", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A line of ours waiting to go out shows as the host will relay it, without the end byte.
TEST(ChatModelTest, WaitingTextShowsTheLineAsTheTableWillSeeIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"CMD_chat+3+hello there|clBlack\xFF", "Ann chats: hello there"},
        {"CMD_chat+3+no colour\xFF", "Ann chats: no colour"},
        {"CMD_chat+3+\xFF", "Ann chats: "},
        {"CMD_action+3+waves|$00FF0000\xFF", "Ann waves"},
        {"CMD_action+3+says: Thanks!|clRed", "Ann says: Thanks!"},
        {"CMD_playasound+3+wave2+\xFF", "Ann plays a sound"},
    };
    for (const auto& [message, shown] : cases) {
        EXPECT_EQ(ChatModel::waitingText(message, "Ann"), shown) << message;
    }
}

TEST(ChatModelTest, OversizedLineIsKeptWhole) {
    ChatModel model;
    std::string text(70000, 'x');
    for (std::size_t i = 7; i < text.size(); i += 8) {
        text[i] = ' ';
    }
    model.showChatMessage("2+Big: " + text + "|clBlack");
    ASSERT_EQ(model.lines().size(), 1u);
    std::size_t shownChars = 0;
    for (const auto& run : model.lines().front().runs) {
        shownChars += run.text.size();
    }
    EXPECT_EQ(shownChars, std::string("Big: ").size() + 1 + text.size() + 1);
    EXPECT_LE(model.lines().front().runs.size(), 2u); // words of one style share a run
}

// ---- smileys ----

TEST(ChatModelTest, SmileyCodes) {
    struct Case {
        std::string text;
        std::string shown;
    };
    const std::vector<Case> cases{
        {"hi:)#12 there:)#99", "[7]A:  hi <2>[7] there <0>"},
        {":)#10:)#27", "[7]A:   <0>[7] <17>"},
        {"x:)#28", "[7]A:  x <0>"},
        {"x:)#1", "[7]A:  x <0>"},  // one digit at the end
        {"x:)#", "[7]A:  x <0>"},   // no digits at all
        {"x:)#2a", "[7]A:  x <0>"}, // not a number
        {"x:)#-1", "[7]A:  x <0>"},
        {"x:)#15y", "[7]A:  x <5>[7]y "},
        {"x:)#15 :)#", "[7]A:  x <5>[7]  <0>"},
        {":)", "[7]A:  :) "},
    };
    for (const auto& c : cases) {
        ChatModel model;
        model.addlinetochat("2+A: " + c.text, kBlack);
        ASSERT_EQ(model.lines().size(), 1u) << c.text;
        EXPECT_EQ(render(model.lines().front()), c.shown) << c.text;
    }
}

// ---- links ----

TEST(ChatModelTest, Islink) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"www.example.com ", true},
        {"WWW.EXAMPLE.COM", true},
        {"HTTP://X.ORG", true},
        {"(see:http://x.org)", true},
        {"https://x.org", false},
        {"https://www.x.org", true},
        {"", false},
        {"www", false},
        {"http:/x", false},
        {"\xC9WWW.x", true},
    };
    for (const auto& [word, link] : cases) {
        EXPECT_EQ(ChatModel::islink(word), link) << word;
    }
}

TEST(ChatModelTest, LinksAreNumberedAndOpenTheirOwnAddress) {
    ChatModel model;
    model.showChatMessage(
        "2+Al chats: see www.a.com and HTTP://B.ORG/x but not https://c.net|clBlack");
    ASSERT_EQ(model.lines().size(), 1u);
    EXPECT_EQ(render(model.lines().front()), "[7]Al chats:  see {link#0}www.a.com [7]and "
                                             "{link#1}HTTP://B.ORG/x [7]but not https://c.net ");
    EXPECT_EQ(model.linkCounter(), 1);
    EXPECT_EQ(model.linkSlot(0), "www.a.com ");
    EXPECT_EQ(model.linkAddress(0), "www.a.com");
    EXPECT_EQ(model.linkAddress(1), "HTTP://B.ORG/x");
    for (int outside : {-1, 2, 101, 1000000}) {
        EXPECT_EQ(model.linkAddress(outside), "") << outside;
    }
    EXPECT_EQ(model.linkSlot(-1), "");
    EXPECT_EQ(model.linkSlot(101), "");
}

TEST(ChatModelTest, LinkCounterWrapsToOneButEveryLinkKeepsItsAddress) {
    ChatModel model;
    for (int i = 0; i < 103; ++i) {
        model.addlinetochat("1+A: www.site" + std::to_string(i) + ".com", kBlack);
    }
    EXPECT_EQ(model.linkCounter(), 2); // 0..100, then 1, 2
    EXPECT_EQ(model.linkSlot(1), "www.site101.com ");
    EXPECT_EQ(model.linkSlot(100), "www.site100.com ");
    EXPECT_EQ(model.linkAddress(1), "www.site1.com");
    EXPECT_EQ(model.linkAddress(102), "www.site102.com");
}

TEST(ChatModelTest, ClearStartsLinkNumberingAgain) {
    ChatModel model;
    QSignalSpy cleared(&model, &ChatModel::cleared);
    model.addlinetochat("1+A: www.old.com www.older.com", kBlack);
    model.clear();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_TRUE(model.lines().empty());
    EXPECT_EQ(model.linkCounter(), -1);
    EXPECT_EQ(model.linkAddress(1), "");
    model.addlinetochat("1+A: www.new.com", kBlack);
    EXPECT_EQ(render(model.lines().front()), "[6]A:  {link#0}www.new.com ");
    EXPECT_EQ(model.linkCounter(), 0);
    EXPECT_EQ(model.linkAddress(0), "www.new.com");
}

// ---- styles ----

TEST(ChatModelTest, ANewColourRecoloursTheSeatStyleOnly) {
    ChatModel model;
    QSignalSpy changed(&model, &ChatModel::stylesChanged);
    const auto before = model.styles();
    model.addlinetochat("3+Cy: one", kRed);
    model.addlinetochat("3+Cy: two", kRed); // same look: no change to report
    model.addlinetochat("3+Cy: three", 0xFF0000);
    ASSERT_EQ(changed.count(), 2);
    EXPECT_EQ(changed[0][0].toUInt(), 1u << 8);
    EXPECT_EQ(model.styles()[8].colour, 0xFF0000u);
    EXPECT_TRUE(model.styles()[8].bold);
    for (std::size_t s = 0; s < before.size(); ++s) {
        if (s != 8) {
            EXPECT_EQ(model.styles()[s], before[s]) << s;
        }
    }
    EXPECT_EQ(before[4].colour, 0x008000u);
    EXPECT_TRUE(before[4].underline);
}

TEST(ChatModelTest, PointSizesAreSetTogetherAndKeptReadable) {
    ChatModel model;
    for (const auto& [asked, got] : std::vector<std::pair<int, int>>{
             {8, 8}, {11, 11}, {14, 14}, {0, 6}, {-5, 6}, {1000, 72}}) {
        model.setAllPointSizes(asked);
        for (const auto& style : model.styles()) {
            EXPECT_EQ(style.pointSize, got) << asked;
        }
    }
}

TEST(ChatModelTest, OldestLinesLeaveInBatchesWithTheirLinks) {
    ChatModel model;
    model.setMaxLines(10);
    QSignalSpy removed(&model, &ChatModel::oldestLinesRemoved);
    for (int i = 0; i < 30; ++i) {
        model.addlinetochat("1+A: www.l" + std::to_string(i) + ".com", kBlack);
        EXPECT_LE(model.lines().size(), 11u);
    }
    int total = 0;
    for (const auto& call : removed) {
        total += call[0].toInt();
    }
    EXPECT_EQ(total + static_cast<int>(model.lines().size()), 30);
    EXPECT_EQ(model.linkAddress(0), "");
    EXPECT_EQ(model.linkAddress(29), "www.l29.com");
    EXPECT_EQ(model.linkAddress(30 - static_cast<int>(model.lines().size())),
              "www.l" + std::to_string(30 - model.lines().size()) + ".com");
}

} // namespace
} // namespace lastling::social
