// The seed rule every seed field and --seed share: digits of both widths, the
// whole 32-bit range and nothing past it, blanks naming no seed.
#include "records/SeedText.h"

#include <gtest/gtest.h>

#include <string>

using namespace pc;

namespace {

std::string fullWidth(char digit)
{
    // U+FF10 + d is EF BC (90 + d) in UTF-8.
    return std::string("\xEF\xBC") + static_cast<char>('\x90' + (digit - '0'));
}

} // namespace

TEST(SeedTextTest, EveryDigitOfEitherWidthReadsAsItself)
{
    for (char d = '0'; d <= '9'; ++d) {
        const auto value = static_cast<std::uint32_t>(d - '0');
        EXPECT_EQ(parseSeed(std::string(1, d)), value) << d;
        EXPECT_EQ(parseSeed(fullWidth(d)), value) << d;
        EXPECT_EQ(parseSeed(std::string("7") + d), 70 + value) << d;
        EXPECT_EQ(parseSeed(fullWidth('7') + fullWidth(d)), 70 + value) << d;
        EXPECT_EQ(parseSeed(fullWidth('7') + d), 70 + value) << d;
    }
}

TEST(SeedTextTest, BothEndsOfTheRangeAndNothingBeyond)
{
    const struct { const char* text; std::optional<std::uint32_t> seed; } cases[] = {
        {"0", 0u}, {"4294967295", 4294967295u}, {"4294967294", 4294967294u}, {"0004294967295", 4294967295u},
        {"4294967296", std::nullopt}, {"4294967300", std::nullopt}, {"42949672950", std::nullopt},
        {"99999999999999999999999", std::nullopt},
        {"\xEF\xBC\x94\xEF\xBC\x92", 42u}, // full-width ４２
        {" 42 ", 42u}, {"\t42", 42u}, {"\xE3\x80\x80" "42\xE3\x80\x80", 42u}, // ideographic spaces
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseSeed(c.text), c.seed) << '"' << c.text << '"';
}

TEST(SeedTextTest, AnythingButDigitsIsRefusedNotTrimmed)
{
    for (const char* text : {"-1", "+1", "1e3", "1.0", "1,000", "4 2", "0x10", "42a", "a42", "シード",
                             "\xEF\xBC\x8D" "1", "\xE2\x88\x92" "1", "\xEF\xBC\x8B" "1", "１２a"}) {
        EXPECT_EQ(parseSeed(text), std::nullopt) << '"' << text << '"';
        EXPECT_FALSE(seedTextIsBlank(text)) << '"' << text << '"';
    }
}

TEST(SeedTextTest, ABlankTextNamesNoSeed)
{
    for (const char* text : {"", " ", "\t \t", "\xE3\x80\x80"}) {
        EXPECT_TRUE(seedTextIsBlank(text)) << '"' << text << '"';
        EXPECT_EQ(parseSeed(text), std::nullopt) << '"' << text << '"';
    }
    EXPECT_FALSE(seedTextIsBlank("0"));
}
