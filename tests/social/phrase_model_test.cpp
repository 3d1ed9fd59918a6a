#include "social/phrase_model.h"

#include "social/chatter_sounds.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace lastling::social {
namespace {

using namespace std::chrono_literals;

std::string wire(std::string text) {
    return text + '\xFF';
}

// A clock that moves only when the test says so.
struct HandClock {
    std::chrono::steady_clock::time_point now{std::chrono::hours(1000)};
    PhraseModel::Clock clock() {
        return [this] { return now; };
    }
};

// ---- what a click sends ----

struct ClickCase {
    const char* name;
    std::string phrase;
    Colour colour;
    std::string message;
};

class PhraseClickTest : public ::testing::TestWithParam<ClickCase> {};

TEST_P(PhraseClickTest, SendsTheActionText) {
    const auto& c = GetParam();
    PhraseModel model;
    PhraseTexts texts = builtInPhrases();
    texts[3] = c.phrase;
    model.setPhrases(texts);
    EXPECT_EQ(model.click(4, 3, true, c.colour), c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Phrases, PhraseClickTest,
    ::testing::Values(
        ClickCase{"Says", "Excellent!", kBlack, wire("CMD_action+3+says: Excellent!|clBlack")},
        ClickCase{"MeForm", "/me bows", kRed, wire("CMD_action+3+bows|clRed")},
        ClickCase{"MeWithoutBlankIsSaid", "/me", kBlack, wire("CMD_action+3+says: /me|clBlack")},
        ClickCase{"Empty", "", 0xFF8040, wire("CMD_action+3+says: |$00FF8040")},
        ClickCase{"BarAndEndByteReplaced", "a|b\xFF", kBlack,
                  wire("CMD_action+3+says: a\xC2\xA6" // the y with diaeresis goes as UTF-8
                       "b\xC3\xBF|clBlack")}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the lock ----

TEST(PhraseModelTest, LockLastsTwoSecondsByTheClock) {
    HandClock hand;
    PhraseModel model(hand.clock());
    EXPECT_FALSE(model.click(2, 1, true, kBlack).empty());
    EXPECT_TRUE(model.click(3, 1, true, kBlack).empty()) << "second quick click";
    EXPECT_EQ(model.lockRemaining(), 2000ms);
    hand.now += 1999ms;
    EXPECT_TRUE(model.click(3, 1, true, kBlack).empty());
    EXPECT_EQ(model.lockRemaining(), 1ms);
    hand.now += 500us; // half a millisecond left still reads as one
    EXPECT_FALSE(model.ready());
    EXPECT_EQ(model.lockRemaining(), 1ms);
    hand.now += 500us;
    EXPECT_TRUE(model.ready());
    EXPECT_EQ(model.click(3, 1, true, kBlack), wire("CMD_action+1+says: Nice Try!|clBlack"));
}

TEST(PhraseModelTest, NothingIsSentWhileNotLoggedInAndTheLockStaysOpen) {
    HandClock hand;
    PhraseModel model(hand.clock());
    EXPECT_TRUE(model.click(1, 1, false, kBlack).empty());
    EXPECT_TRUE(model.ready());
    EXPECT_FALSE(model.click(1, 1, true, kBlack).empty());
    EXPECT_TRUE(model.click(0, 1, true, kBlack).empty());
    EXPECT_TRUE(model.click(10, 1, true, kBlack).empty());
}

// ---- where the texts come from ----

TEST(PhraseModelTest, SettingsReplaceOnlyWithNonEmptyTextsAndTheEditorWithAny) {
    PhraseModel model;
    PhraseTexts edited = builtInPhrases();
    edited[2] = "";
    edited[4] = std::string(60, 'x');
    edited[5] = "one\r\ntwo";
    model.setPhrases(edited);
    EXPECT_EQ(model.phrases()[2], "");
    EXPECT_EQ(model.phrases()[4], std::string(kMaxPhraseLength, 'x'));
    EXPECT_EQ(model.phrases()[5], "one  two");

    PhraseTexts saved{};
    saved[0] = "Hi all";
    saved[1] = std::string(2047, 'y'); // a hand-edited file
    model.applySettings(saved);
    EXPECT_EQ(model.phrases()[0], "Hi all");
    EXPECT_EQ(model.phrases()[1].size(), static_cast<std::size_t>(kMaxPhraseLength));
    EXPECT_EQ(model.phrases()[2], "") << "an empty value leaves what the button has";
    EXPECT_EQ(model.phrases()[3], "Excellent!");

    PhraseModel fresh;
    fresh.applySettings(PhraseTexts{});
    EXPECT_EQ(fresh.phrases(), builtInPhrases());
}

// ---- chatter sounds ----

struct ChatterCase {
    int tag;
    bool loggedin;
    std::string message;
};

class ChatterMessageTest : public ::testing::TestWithParam<ChatterCase> {};

TEST_P(ChatterMessageTest, SendsOnlyARealSoundWhileLoggedIn) {
    const auto& c = GetParam();
    EXPECT_EQ(chatterSoundMessage(c.tag, 3, c.loggedin), c.message);
}

INSTANTIATE_TEST_SUITE_P(Tags, ChatterMessageTest,
                         ::testing::Values(ChatterCase{2, true, wire("CMD_playasound+3+wave2+")},
                                           ChatterCase{20, true, wire("CMD_playasound+3+wave20+")},
                                           ChatterCase{0, true, ""}, ChatterCase{21, true, ""},
                                           ChatterCase{2, false, ""}));

TEST(ChatterSoundsTest, NamesAndCaptions) {
    EXPECT_EQ(chatterCaption(1), "Doh");
    EXPECT_EQ(chatterCaption(2), "Cough");
    EXPECT_EQ(chatterCaption(20), "Crying");
    EXPECT_EQ(chatterCaption(21), "");
    EXPECT_EQ(chatterSoundNumber("wave2"), 2);
    EXPECT_EQ(chatterSoundNumber("WAVE20"), 20);
    for (const char* bad :
         {"", "wave", "wave0", "wave21", "wave02", "wave2x", "wave-1", "wav2", "wave99999999999"}) {
        EXPECT_EQ(chatterSoundNumber(bad), 0) << bad;
    }
}

} // namespace
} // namespace lastling::social
