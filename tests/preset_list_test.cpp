// Splitting and writing the preset list.
#include "roster/PresetList.h"

#include <gtest/gtest.h>

using namespace pc;
using Names = std::vector<std::string>;

TEST(PresetListTest, Splitting)
{
    const struct { const char* name; std::string text; std::optional<Names> expected; } cases[] = {
        {"two names", "a\nb\n", Names{"a", "b"}},
        {"last name without line feed", "a\nb", Names{"a"}},
        {"single name without line feed", "a", std::nullopt},
        {"one line feed", "\n", Names{""}},
        {"empty line inside", "a\n\nb\n", Names{"a", "", "b"}},
        {"empty file", "", std::nullopt},
        {"byte-order mark and CRLF", "\xEF\xBB\xBF" "a\r\nb\r\n", Names{"a", "b"}},
        {"not UTF-8", "a\n\xFF\n", std::nullopt},
        {"Japanese names", "勇者\n魔法使い\n", Names{"勇者", "魔法使い"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parsePresetText(c.text), c.expected) << c.name;
}

TEST(PresetListTest, WritesOneLinePerRecordAndNothingForAnEmptyRoster)
{
    EXPECT_EQ(presetText(nullptr), "");
    OBJE a, b, c;
    a.fileName = "a";
    b.fileName = "b";
    c.fileName = "c";
    a.next = &b;
    b.next = &c;
    EXPECT_EQ(presetText(&a), "a\nb\nc\n");
    EXPECT_EQ(parsePresetText(presetText(&a)), (Names{"a", "b", "c"}));
}
