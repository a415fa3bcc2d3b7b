// SPDX-License-Identifier: GPL-3.0-or-later
// Amounts a battle shows are never negative, not even "-0"; numbers typed as a Japanese input method types them are read.
#include "battle/Messages.h"
#include "battle/Outcome.h"
#include "records/Numbers.h"

#include <gtest/gtest.h>

#include <limits>

TEST(AmountsAndNumbersTest, NegativeAndNegativeZeroAmountsCountAndShowAsZero)
{
    for (const double amount : {-5.0, -0.0}) {
        pc::OBJE target;
        pc::InitObje(target);
        target.curStatus.HP = 50;
        EXPECT_EQ(pc::damageMessage("", "T", pc::dealDamage(target, amount)), "Tは0のダメージを受けた！") << amount;
        EXPECT_EQ(pc::healMessage("", "T", pc::healBy(target, amount)), "TはHPが0回復した！") << amount;
        EXPECT_EQ(target.curStatus.HP, 50) << amount;
    }
}

TEST(AmountsAndNumbersTest, AFieldHoldsAWholeNumberInAsciiOrFullWidthOrNothing)
{
    const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
        {"", 0}, {"\u3000 ", 0}, {"42", 42}, {" +7\t", 7}, {"１２３４５６７８９０", 1234567890}, {"－５", -5}, {"−３", -3},
        {"\u3000４２\u3000", 42}, {"99999999999", std::numeric_limits<std::int32_t>::max()},
        {"12abc", std::nullopt}, {"abc", std::nullopt}, {"-", std::nullopt}, {"1.5", std::nullopt},
        {"1 2", std::nullopt}, {"--1", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(pc::fieldNumber(text), expected) << text;
}
