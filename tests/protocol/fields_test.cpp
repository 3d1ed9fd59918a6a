#include "protocol/fields.h"

#include <gtest/gtest.h>

namespace lastling::protocol {
namespace {

TEST(FieldsTest, StrictDecimalConversion) {
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {{"0", true, 0},        {"42", true, 42},
                          {"-7", true, -7},      {"2147483647", true, 2147483647},
                          {"", false, 0},        {"+1", false, 0},
                          {" 1", false, 0},      {"1 ", false, 0},
                          {"1a", false, 0},      {"$10", false, 0},
                          {"0x10", false, 0},    {"2147483648", false, 0},
                          {"99999999999", false, 0}, {"-", false, 0}};
    for (const auto& c : cases) {
        int value = -1;
        EXPECT_EQ(tryParseInt(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        } else {
            EXPECT_THROW(parseInt(c.text), ConversionError) << c.text;
        }
    }
}

TEST(FieldsTest, ReadsFromTheFrontAndTheLastFieldIsTheRest) {
    Fields fields("3+1.0.1+Ann+with+plus");
    EXPECT_EQ(fields.number(), 3);
    EXPECT_EQ(fields.text(), "1.0.1");
    EXPECT_EQ(fields.rest(), "Ann+with+plus");

    Fields list("1+You+0+6+Bo+1");
    int entries = 0;
    while (!list.atEnd()) {
        list.number();
        list.text();
        list.text();
        ++entries;
    }
    EXPECT_EQ(entries, 2);
}

TEST(FieldsTest, ATrailingPlusReadsAsAnEmptyFieldThatFailsToConvert) {
    Fields fields("1+Ann+0+");
    fields.number();
    fields.text();
    fields.text();
    EXPECT_TRUE(fields.atEnd());
    Fields cut("2+");
    EXPECT_EQ(cut.number(), 2);
    EXPECT_TRUE(cut.atEnd());
    EXPECT_THROW(cut.number(), ConversionError);
}

} // namespace
} // namespace lastling::protocol
