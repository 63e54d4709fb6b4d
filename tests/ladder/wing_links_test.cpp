// SPDX-License-Identifier: GPL-3.0-or-later
// Wings carry their reasoning as a chain, like the chains do: z off at one end forces z on at the
// other, link by link, each link with a reason that holds on the position; a wing removing two
// digits has a chain for each, and a death blossom carries its petals. The links are checked here
// against the board itself, not against how the finders build them.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "ladder_support.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::candidates_text;
using testing::expand;
using testing::model;

constexpr const char* kEmpty = ".................................................................................";

bool in_unit(int cell, int unit) {
    switch (unit_kind(unit)) {
        case UnitKind::Row: return row_of(cell) == unit_number(unit);
        case UnitKind::Column: return col_of(cell) == unit_number(unit);
        case UnitKind::Region: return box_of(cell) == unit_number(unit);
    }
    return false;
}

bool sees(int a, int b) {
    return a != b && (row_of(a) == row_of(b) || col_of(a) == col_of(b) || box_of(a) == box_of(b));
}

// The cells a chain's end stands for: the set's cells holding the digit, or the end's cell.
std::vector<int> holders(const Candidates& c, const Link& link, const Candidate& end) {
    if (link.why.kind != LinkReason::Kind::Als) return {end.cell};
    std::vector<int> cells;
    for (const std::uint8_t cell : link.why.cells)
        if (c.has(cell, end.digit)) cells.push_back(cell);
    return cells;
}

// What is wrong with one link's reason on the position, in words; empty when nothing is.
std::string reason_fault(const Candidates& c, const Link& l) {
    if (!c.has(l.from.cell, l.from.digit) || !c.has(l.to.cell, l.to.digit)) return "a dead candidate";
    switch (l.why.kind) {
        case LinkReason::Kind::Cell:
            if (l.from.cell != l.why.cell || l.to.cell != l.why.cell || l.from.digit == l.to.digit)
                return "not two digits of its cell";
            if (l.strong && std::popcount(static_cast<unsigned>(c.mask(l.why.cell))) != 2)
                return "strong, but the cell has more digits";
            return "";
        case LinkReason::Kind::Unit:
            if (l.from.digit != l.to.digit || l.from.cell == l.to.cell || !in_unit(l.from.cell, l.why.unit) ||
                !in_unit(l.to.cell, l.why.unit))
                return "not one digit in two cells of the unit";
            if (l.strong && std::popcount(static_cast<unsigned>(c.places(l.why.unit, l.from.digit))) != 2)
                return "strong, but the digit has more places in the unit";
            return "";
        case LinkReason::Kind::Als: {
            unsigned digits = 0;
            for (const std::uint8_t cell : l.why.cells) digits |= c.mask(cell);
            const auto in_set = [&](int cell) {
                return std::find(l.why.cells.begin(), l.why.cells.end(), cell) != l.why.cells.end();
            };
            if (!l.strong || std::popcount(digits) != static_cast<int>(l.why.cells.size()) + 1 ||
                !in_set(l.from.cell) || !in_set(l.to.cell) || l.from.digit == l.to.digit)
                return "not a strong link inside an almost locked set";
            return "";
        }
        default: return "a reason that is not a cell, a unit or a set";
    }
}

// What is wrong with the chain on the position, in words; empty when nothing is. Every removal
// must see both ends.
std::string faults_of(const Candidates& c, const std::vector<Link>& links, const std::vector<Candidate>& removals) {
    if (links.empty()) return "no links";
    std::string faults;
    const auto fault = [&](std::size_t i, const std::string& what) {
        faults += "link " + std::to_string(i + 1) + ": " + what + "; ";
    };
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Link& l = links[i];
        if (l.strong != (i % 2 == 0)) fault(i, "kinds do not alternate from a strong link");
        if (i > 0 && !(l.from == links[i - 1].to)) fault(i, "does not start where the previous one ends");
        if (const std::string why = reason_fault(c, l); !why.empty()) fault(i, why);
        if (!l.strong && i > 0 && i + 1 < links.size())
            for (const int a : holders(c, links[i - 1], l.from))
                for (const int b : holders(c, links[i + 1], l.to))
                    if (!sees(a, b)) fault(i, "places of the digit that do not see one another");
    }
    if (!links.back().strong) faults += "the chain ends on a weak link; ";
    // The ends: z off at the start forces z on at the end, so every removal sees both ends.
    const Candidate start = links.front().from, end = links.back().to;
    for (const Candidate& e : removals) {
        bool both = e.digit == start.digit && e.digit == end.digit;
        for (const int a : holders(c, links.front(), start)) both = both && sees(e.cell, a);
        for (const int b : holders(c, links.back(), end)) both = both && sees(e.cell, b);
        if (!both) faults += "removes " + candidates_text({e}) + ", which does not see both ends; ";
    }
    return faults;
}

std::string faults_of(const Candidates& c, const Step& step) { return faults_of(c, step.links, step.eliminations); }

// The reasons' kinds along the chain: C a cell, U a unit, A an almost locked set.
std::string shape_of(const Step& step) {
    std::string shape;
    for (const Link& l : step.links)
        shape += l.why.kind == LinkReason::Kind::Cell ? 'C' : l.why.kind == LinkReason::Kind::Unit ? 'U' : 'A';
    return shape;
}

struct Wing {
    const char* name;
    Finder find;
    const char* edits;
    const char* shape;
    const char* start; // the chain's first candidate
    const char* end;   // its last
};

class WingChain : public ::testing::TestWithParam<Wing> {};

TEST_P(WingChain, holds_link_by_link_and_proves_the_removals) {
    const Wing& t = GetParam();
    const Candidates c = model(kEmpty, t.edits);
    const std::optional<Step> step = t.find(c);
    ASSERT_TRUE(step.has_value());
    ASSERT_FALSE(step->eliminations.empty());
    EXPECT_EQ(faults_of(c, *step), "");
    EXPECT_EQ(shape_of(*step), t.shape);
    ASSERT_FALSE(step->links.empty());
    EXPECT_EQ(candidates_text({step->links.front().from}), t.start);
    EXPECT_EQ(candidates_text({step->links.back().to}), t.end);
    EXPECT_TRUE(told_as_chain(*step));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Wings, WingChain, ::testing::Values(
    // Pivot r5c5 {1,2}, wings r5c8 {1,3} and r8c5 {2,3}: 3 off in r5c8 = 1 in r5c8 - 1 off in the
    // pivot = 2 in the pivot - 2 off in r8c5 = 3 in r8c5.
    Wing{"xy_wing", find_xy_wing, "r5c5=12 r5c8=13 r8c5=23", "CUCUC", "r5c8-3", "r8c5-3"},
    // Pivot r5c5 {1,2,3}, r4c4 {2,3}, r5c8 {1,3}: 3 off in r4c4 = 2 in r4c4 - 2 off in the pivot =
    // 3 in the pivot or r5c8 (two cells, three digits).
    Wing{"xyz_wing", find_xyz_wing, "r5c5=123 r5c8=13 r4c4=23", "CUA", "r4c4-3", "r5c5-3"},
    // r5c3 and r9c4 {4,9}, the 9 of row 8 only in r8c3 and r8c6.
    Wing{"w_wing", find_w_wing, "r5c3=49 r9c4=49 r8c1245789-9", "CUUUC", "r5c3-4", "r9c4-4"},
    // r1c1 {3,4}, then r2c2 {1,2,3}, r2c7 {1,4}, r2c8 {2,4}: three cells, four digits, joined to
    // r1c1 by the 3 of region 1.
    // r1c1 {1,3} and the pivot r1c5 {1,2} joined by the 1 of row 1; the pivot and r2c4 {2,3} with
    // r2c6 {1,3} (two cells, three digits) by the 2 of region 2; the 3 of r1c1 or of r2c4/r2c6.
    Wing{"als_xy_wing", find_als_xy_wing, "r1c1=13 r1c5=12 r2c4=23 r2c6=13", "CUCUA", "r1c1-3", "r2c4-3"},
    Wing{"wxyz_wing", find_wxyz_wing, "r2c2=123 r2c7=14 r2c8=24 r1c1=34", "CUA", "r1c1-4", "r2c7-4"}
), [](const ::testing::TestParamInfo<Wing>& info) { return std::string(info.param.name); });
// clang-format on

// The check above catches a chain that does not hold: the xy-wing's chain with one link moved, a
// strong link's cell given more digits, and a removal that sees one end only.
TEST(WingChain, the_check_sees_broken_chains) {
    const Candidates c = model(kEmpty, "r5c5=12 r5c8=13 r8c5=23");
    const Step good = *find_xy_wing(c);
    ASSERT_EQ(faults_of(c, good), "");

    Step unlinked = good;
    unlinked.links[2].from = unlinked.links[0].from;
    EXPECT_NE(faults_of(c, unlinked), "");

    const Candidates wider = model(kEmpty, "r5c5=124 r5c8=13 r8c5=23");
    EXPECT_NE(faults_of(wider, good), "");

    Step far = good;
    far.eliminations.push_back(Candidate{static_cast<std::uint8_t>(cell_at(0, 7)), 3}); // r1c8 sees r5c8 only
    EXPECT_NE(faults_of(c, far), "");
}

// A wing that removes two digits: one chain per digit, each proving the removals of its digit,
// the first being the step's links.
TEST(WingChain, two_digits_removed_each_by_its_own_chain) {
    // The pivot r1c5 {1,2}; r1c1 {1,3,4} with r1c2 {3,4} by the 1 of row 1; r2c4 {2,3,4} with r2c6
    // {3,4} by the 2 of region 2: the 3 and the 4 are each in one of the two sets.
    const Candidates c = model(kEmpty, "r1c5=12 r1c1=134 r1c2=34 r2c4=234 r2c6=34");
    const std::optional<Step> step = find_als_xy_wing(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(candidates_text(step->eliminations), expand("r1c46-34 r2c123-34"));
    ASSERT_EQ(step->chains.size(), 2u);
    EXPECT_EQ(step->links, step->chains.front());
    unsigned proved = 0;
    for (const std::vector<Link>& chain : step->chains) {
        ASSERT_FALSE(chain.empty());
        const int z = chain.front().from.digit;
        std::vector<Candidate> mine;
        for (const Candidate& e : step->eliminations)
            if (e.digit == z) mine.push_back(e);
        EXPECT_FALSE(mine.empty()) << z;
        EXPECT_EQ(faults_of(c, chain, mine), "") << z;
        proved |= 1u << z;
    }
    EXPECT_EQ(proved, (1u << 3) | (1u << 4));
}

// What is wrong with a death blossom's petals on the position; empty when nothing is: one petal
// per digit of the stem, each the stem's digit weakly linked to the petal's places of it (all
// seeing the stem), then a strong link inside the petal to one digit z shared by every petal;
// every removal is a z that sees every z of every petal.
std::string petal_faults(const Candidates& c, const Step& step) {
    if (step.petals.empty()) return "no petals";
    const int stem = step.petals.front().front().from.cell;
    std::string faults;
    unsigned stem_digits = 0;
    std::vector<int> z_places;
    int z = 0;
    for (std::size_t i = 0; i < step.petals.size(); ++i) {
        const std::vector<Link>& petal = step.petals[i];
        const std::string name = "petal " + std::to_string(i + 1) + ": ";
        if (petal.size() != 2 || petal[0].strong || !petal[1].strong || !(petal[0].to == petal[1].from)) {
            faults += name + "not a weak link then a strong one; ";
            continue;
        }
        for (const Link& l : petal)
            if (const std::string why = reason_fault(c, l); !why.empty()) faults += name + why + "; ";
        if (petal[0].from.cell != stem) faults += name + "another stem; ";
        stem_digits |= 1u << petal[0].from.digit;
        for (const int h : holders(c, petal[1], petal[1].from))
            if (!sees(h, stem)) faults += name + "a place of the stem's digit that does not see the stem; ";
        if (z != 0 && petal[1].to.digit != z) faults += name + "another digit at its end; ";
        z = petal[1].to.digit;
        for (const int h : holders(c, petal[1], petal[1].to)) z_places.push_back(h);
    }
    if (stem_digits != c.mask(stem) || step.petals.size() != static_cast<std::size_t>(std::popcount(stem_digits)))
        faults += "the petals are not one per digit of the stem; ";
    for (const Candidate& e : step.eliminations) {
        bool all = e.digit == z;
        for (const int h : z_places) all = all && sees(e.cell, h);
        if (!all) faults += "removes " + candidates_text({e}) + ", which does not see every place of the digit; ";
    }
    return faults;
}

struct Blossom {
    const char* name;
    const char* edits;
    const char* eliminations; // as edits
};

class DeathBlossomPetals : public ::testing::TestWithParam<Blossom> {};

TEST_P(DeathBlossomPetals, hold_on_the_board_and_prove_the_removals) {
    const Candidates c = model(kEmpty, GetParam().edits);
    const std::optional<Step> step = find_death_blossom(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(candidates_text(step->eliminations), expand(GetParam().eliminations));
    EXPECT_EQ(petal_faults(c, *step), "");
    // The petals are data beside the drawing's links, not a chain told link by link.
    EXPECT_FALSE(told_as_chain(*step));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Petals, DeathBlossomPetals, ::testing::Values(
    // Stem r5c5 {1,2,3}, petals of one cell each: r4c6 {1,4}, r6c6 {2,4}, r5c1 {3,4}.
    Blossom{"cells", "r5c5=123 r4c6=14 r6c6=24 r5c1=34", "r5c46-4"},
    // The petal of the 3 is two cells of row 5 holding 3, 4 and 7; its 4 only in r5c1.
    Blossom{"a_set", "r5c5=123 r4c6=14 r6c6=24 r5c1=347 r5c2=37", "r5c46-4"},
    // A stem of two digits: r1c1 {5,6}; r1c4 {5,8} and r4c1 with r5c1 {6,7,8} (the 6 of column 1).
    Blossom{"two_stem_digits", "r1c1=56 r1c4=58 r4c1=678 r5c1=67", "r4c4-8"}
), [](const ::testing::TestParamInfo<Blossom>& info) { return std::string(info.param.name); });
// clang-format on

// The check above catches petals that do not hold: a weak link moved off the stem's unit, a
// petal left out, a removal that misses a petal.
TEST(DeathBlossomPetals, the_check_sees_broken_petals) {
    const Candidates c = model(kEmpty, "r5c5=123 r4c6=14 r6c6=24 r5c1=34");
    const Step good = *find_death_blossom(c);
    ASSERT_EQ(petal_faults(c, good), "");

    Step wrong_unit = good;
    wrong_unit.petals[2][0].why.unit = static_cast<std::uint8_t>(9 + 4); // column 5 holds no r5c1
    EXPECT_NE(petal_faults(c, wrong_unit), "");

    Step missing = good;
    missing.petals.pop_back();
    EXPECT_NE(petal_faults(c, missing), "");

    Step far = good;
    far.eliminations.push_back(Candidate{static_cast<std::uint8_t>(cell_at(4, 2)), 4}); // r5c3: not r4c6, r6c6
    EXPECT_NE(petal_faults(c, far), "");
}

} // namespace
} // namespace vornel::ladder
