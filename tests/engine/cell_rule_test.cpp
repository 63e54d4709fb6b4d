#include <gtest/gtest.h>

#include "cell_rule.h"
#include "failures.h"

using namespace vornel;

TEST(CellRule, placeholder) { EXPECT_EQ(cell_value_of_text("7"), 7); }
