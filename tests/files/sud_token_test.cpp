// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "sud_file.h"

using namespace vornel;

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

struct TokenCase {
    const char* run;
    std::int32_t value;
};

} // namespace

TEST(SudToken, numbers_in_every_accepted_form_convert_to_their_value) {
    const TokenCase cases[] = {
        {"0", 0},
        {"7", 7},
        {"+7", 7},
        {"-7", -7},
        {"07", 7},
        {"0000000000000000000000000000012", 12},
        {"-0", 0},
        {"$A", 10},
        {"$a", 10},
        {"x1f", 31},
        {"X1F", 31},
        {"0x10", 16},
        {"0X10", 16},
        {"-$A", -10},
        {"+0xA", 10},
        {"$0", 0},
        {"$0FFFFFFF", 268435455},
        {"$000000000FFFFFFF", 268435455},
        {"$7FFFFFFF", kMax},
        {"$80000000", kMin},
        {"$FFFFFFFF", -1},
        {"-$FFFFFFFF", 1},
        {"-$80000000", kMin},
        {"2147483647", kMax},
        {"-2147483648", kMin},
        {"+2147483647", kMax},
        {"214748364", 214748364},
        {"65537", 65537},
        {"40000", 40000},
    };
    for (const auto& c : cases) {
        const TokenValue token = convert_sud_token(c.run);
        EXPECT_TRUE(token.ok) << c.run;
        EXPECT_EQ(token.value, c.value) << c.run;
    }
}

TEST(SudToken, failures_give_the_digits_accumulated_before_the_point_of_failure_without_sign) {
    const TokenCase cases[] = {
        {"", 0},
        {"-", 0},
        {"+", 0},
        {"$", 0},
        {"x", 0},
        {"0x", 0},
        {"-0x", 0},
        {"+$", 0},
        {"a", 0},
        {"5a", 5},
        {"-5a", 5},
        {"12.5", 12},
        {"7-", 7},
        {"$1G", 1},
        {"-$1G", 1},
        {"$-1", 0},
        {"--1", 0},
        {"+-1", 0},
        {"0x0x1", 0},
        {"00x5", 0},
        {"1e3", 1},
        {"\xEF\xBB\xBF"
         "7",
         0},
        // decimal: the digit that would follow a value above 214748364 is the point of failure
        {"21474836470", kMax},
        {"99999999999", 999999999},
        {"4294967296", 429496729},
        // decimal: all digits taken, the result does not fit; the point of failure is the end
        {"2147483648", kMin},
        {"-2147483649", static_cast<std::int32_t>(0x80000001u)},
        {"2147483649", static_cast<std::int32_t>(0x80000001u)},
        // hexadecimal: the digit that would follow a value above 268435455
        {"$100000000", 0x10000000},
        {"$123456789", 0x12345678},
        {"-$123456789", 0x12345678},
        {"0xFFFFFFFFF", -1},
    };
    for (const auto& c : cases) {
        const TokenValue token = convert_sud_token(c.run);
        EXPECT_FALSE(token.ok) << c.run;
        EXPECT_EQ(token.value, c.value) << c.run;
    }
}
