#include "protocol/wire_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lastling::protocol {
namespace {

// ---- reading: UTF-8 only when valid and not plain ASCII ----

struct ReadCase {
    const char* what;
    std::string bytes;
    std::string utf8; // as read, in UTF-8
};

class ReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, ReadsUtf8OnlyWhenValidAndHighElseLatin1) {
    EXPECT_EQ(textToUtf8(GetParam().bytes), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ReadTest,
    ::testing::Values(
        ReadCase{"Empty", "", ""}, ReadCase{"Ascii", "Ann", "Ann"},
        ReadCase{"Latin1", "Jos\xE9", "Jos\xC3\xA9"},
        ReadCase{"Utf8", "Jos\xC3\xA9", "Jos\xC3\xA9"},
        ReadCase{"FourBytes", "\xF0\x9F\x91\x8D", "\xF0\x9F\x91\x8D"},
        ReadCase{"LastCodePoint", "\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        // one bad sequence makes the whole text Latin-1
        ReadCase{"CutShort", "\xC3\xA9\xE6\xBC", "\xC3\x83\xC2\xA9\xC3\xA6\xC2\xBC"},
        ReadCase{"Overlong", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        ReadCase{"Surrogate", "\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"},
        ReadCase{"BeyondUnicode", "\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80"},
        ReadCase{"LoneContinuation", "a\x80", "a\xC2\x80"},
        ReadCase{"LoneContinuationFirst", "\x80\xC3\xA9", "\xC2\x80\xC3\x83\xC2\xA9"}),
    [](const auto& info) { return std::string(info.param.what); });

// ---- sending: single bytes when they hold the text and read back as it ----

struct SendCase {
    const char* what;
    std::string utf8;
    std::string bytes;
};

class SendTest : public ::testing::TestWithParam<SendCase> {};

TEST_P(SendTest, SingleBytesWhenTheyReadBackElseUtf8) {
    EXPECT_EQ(textFromUtf8(GetParam().utf8), GetParam().bytes);
    EXPECT_EQ(textToUtf8(GetParam().bytes), GetParam().utf8) << "reads back as sent";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SendTest,
    ::testing::Values(SendCase{"Empty", "", ""}, SendCase{"Ascii", "a+b|c", "a+b|c"},
                      SendCase{"Latin1", "Zo\xC3\xAB", "Zo\xEB"},
                      SendCase{"LastSingleByte", "\xC3\xBE", "\xFE"},
                      // 0xFF is the end byte, so the y with diaeresis needs UTF-8
                      SendCase{"EndByteLetter", "\xC3\xBF", "\xC3\xBF"},
                      SendCase{"FirstBeyondLatin1", "\xC4\x80", "\xC4\x80"},
                      SendCase{"Mixed", "\xC3\xA9\xE6\xBC\xA2", "\xC3\xA9\xE6\xBC\xA2"},
                      // "Ã©" in single bytes would read back as "é"
                      SendCase{"Lookalike", "\xC3\x83\xC2\xA9", "\xC3\x83\xC2\xA9"},
                      SendCase{"LookalikeWithAnInvalidTail", "\xC3\x83\xC2\xA9\xC3\x83",
                               "\xC3\xA9\xC3"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(WireTextTest, BrokenUtf8FromQtBecomesReplacementCharacters) {
    EXPECT_EQ(textFromUtf8("a\xED\xA0\x80"), "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(encodeText(std::u32string{U'a', char32_t{0xD800}}), "a\xEF\xBF\xBD");
    EXPECT_EQ(encodeText(std::u32string(1, char32_t{0x110000})), "\xEF\xBF\xBD");
}

// ---- cutting ----

struct CutCase {
    const char* what;
    std::string bytes;
    std::size_t most;
    std::string cut;
};

class CutTextTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutTextTest, CountsCharactersNotBytes) {
    EXPECT_EQ(cutText(GetParam().bytes, GetParam().most), GetParam().cut);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CutTextTest,
    ::testing::Values(CutCase{"Shorter", "\xE6\xBC\xA2\xE5\xAD\x97", 3, "\xE6\xBC\xA2\xE5\xAD\x97"},
                      CutCase{"AtTheLimit", "\xE6\xBC\xA2\xE5\xAD\x97", 2,
                              "\xE6\xBC\xA2\xE5\xAD\x97"},
                      CutCase{"OneAbove", "\xE6\xBC\xA2\xE5\xAD\x97", 1, "\xE6\xBC\xA2"},
                      CutCase{"ToNothing", "\xE6\xBC\xA2", 0, ""},
                      CutCase{"Latin1", "\xE9\xE9\xE9", 2, "\xE9\xE9"},
                      // what is left fits single bytes: sent as older peers read it
                      CutCase{"LeftFitsLatin1", "\xC3\xA9\xE6\xBC\xA2", 1, "\xE9"}),
    [](const auto& info) { return std::string(info.param.what); });

class CutPointTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutPointTest, NeverEndsInsideAUtf8Sequence) {
    const std::string& bytes = GetParam().bytes;
    EXPECT_EQ(bytes.substr(0, cutPoint(bytes, GetParam().most)), GetParam().cut);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, CutPointTest,
    ::testing::Values(CutCase{"Whole", "a\xE6\xBC\xA2", 9, "a\xE6\xBC\xA2"},
                      CutCase{"AtTheEnd", "a\xE6\xBC\xA2", 4, "a\xE6\xBC\xA2"},
                      CutCase{"OneByteIn", "a\xE6\xBC\xA2", 2, "a"},
                      CutCase{"TwoBytesIn", "a\xE6\xBC\xA2", 3, "a"},
                      CutCase{"ThreeBytesIntoFour", "a\xF0\x9F\x91\x8D", 4, "a"},
                      CutCase{"BeforeALead", "a\xE6\xBC\xA2", 1, "a"},
                      CutCase{"Zero", "\xE6\xBC\xA2", 0, ""},
                      CutCase{"IntoTheFirst", "\xE6\xBC\xA2", 2, ""},
                      CutCase{"Latin1", "\xE9\xE9\xE9", 2, "\xE9\xE9"},
                      CutCase{"BrokenSequenceIsBytes", "a\xE6\x41\xA2", 3, "a\xE6\x41"}),
    [](const auto& info) { return std::string(info.param.what); });

// ---- names and chat ----

struct CleanCase {
    const char* what;
    std::string bytes;
    std::string clean;
};

class CleanNameTest : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanNameTest, LeavesNothingHiddenAndNoSeparator) {
    EXPECT_EQ(cleanName(GetParam().bytes), GetParam().clean);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CleanNameTest,
    ::testing::Values(CleanCase{"Plain", "Ann", "Ann"}, CleanCase{"Separators", "a+b|c", "a_b_c"},
                      CleanCase{"Controls", "a\tb\x1B\x7F", "ab"},
                      CleanCase{"C1ControlInUtf8", "a\xC2\x85\xC5\x81", "a\xC5\x81"},
                      CleanCase{"FirstAndLastOverride",
                                "\xE2\x80\xAA"
                                "a\xE2\x80\xAE",
                                "a"},
                      CleanCase{"Isolates",
                                "\xE2\x81\xA6"
                                "a\xE2\x81\xA9",
                                "a"},
                      CleanCase{"Marks",
                                "\xE2\x80\x8E"
                                "a\xE2\x80\x8F",
                                "a"},
                      CleanCase{"ZeroWidth",
                                "\xE2\x80\x8B"
                                "a\xE2\x80\x8C\xE2\x80\x8D\xE2\x81\xA0\xEF\xBB\xBF",
                                "a"},
                      CleanCase{"SoftHyphen", "B\xC2\xADob", "Bob"},
                      // removing comes before counting: 30 visible characters stay
                      CleanCase{"HiddenDoNotCount", std::string(30, 'x') + "\xE2\x80\x8B",
                                std::string(30, 'x')},
                      CleanCase{"HiddenBetweenThirty", "\xE2\x80\x8B" + std::string(30, 'x') + "y",
                                std::string(30, 'x')},
                      CleanCase{"Empty", "\xE2\x80\xAE", ""}),
    [](const auto& info) { return std::string(info.param.what); });

class CleanChatTest : public ::testing::TestWithParam<CleanCase> {};

TEST_P(CleanChatTest, KeepsTheLinesOrderAndItsColourField) {
    EXPECT_EQ(cleanChatText(GetParam().bytes), GetParam().clean);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CleanChatTest,
    ::testing::Values(CleanCase{"PlusKept", "1+1", "1+1"},
                      CleanCase{"BarInLatin1", "a|b",
                                "a\xA6"
                                "b"},
                      CleanCase{"BarInUtf8", "\xE6\xBC\xA2|", "\xE6\xBC\xA2\xC2\xA6"},
                      CleanCase{"OverrideAndIsolate",
                                "a\xE2\x80\xAE"
                                "b\xE2\x81\xA7"
                                "c",
                                "abc"},
                      // marks and joiners are writing, not tricks: they stay
                      CleanCase{"MarksAndJoinersKept",
                                "\xE2\x80\x8F\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB",
                                "\xE2\x80\x8F\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x92\xBB"}),
    [](const auto& info) { return std::string(info.param.what); });

} // namespace
} // namespace lastling::protocol
