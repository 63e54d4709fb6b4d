// SPDX-License-Identifier: GPL-3.0-or-later
// The techniques built on sets of cells (almost locked sets, WXYZ-Wing, Sue de Coq, aligned pair
// exclusion) and the rectangles beyond types 1, 2 and 4, each on published example positions with
// the published eliminations, then on positions where they must find nothing, then every finder
// at every position the ladder passes through on the corpus, against the solution.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "ladder.h"
#include "ladder_support.h"
#include "narrator_fr.h"
#include "techniques/als.h"
#include "techniques/techniques.h"

namespace vornel::ladder {
namespace {

using testing::candidates_text;
using testing::expand;
using testing::grid_of;
using testing::model;
using testing::PlainSolver;

// A position as technique references publish it: 81 cells, a digit for a filled cell (a '+'
// before it when it was found, not given), '.' for an empty one; then the candidates already
// removed from the empty cells, each as digit, row, column ("325" removes the 3 from r2c5).
Candidates published(std::string_view grid, std::string_view removed) {
    Grid values{};
    std::size_t cell = 0;
    for (const char ch : grid) {
        if (ch == '+') continue;
        if (cell < 81) values[cell++] = static_cast<std::uint8_t>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
    }
    EXPECT_EQ(cell, 81u);
    Candidates c(values);
    std::istringstream in{std::string(removed)};
    std::string token;
    while (in >> token) c.eliminate(9 * (token[1] - '1') + (token[2] - '1'), token[0] - '0');
    return c;
}

// The same "drc" list as candidates text: "r2c5-3 ...".
std::string published_eliminations(std::string_view list) {
    std::vector<Candidate> result;
    std::istringstream in{std::string(list)};
    std::string token;
    while (in >> token)
        result.push_back({static_cast<std::uint8_t>(9 * (token[1] - '1') + (token[2] - '1')),
                          static_cast<std::uint8_t>(token[0] - '0')});
    return candidates_text(result);
}

struct Case {
    const char* name;
    Finder find;
    const char* grid;
    const char* removed;
    Technique technique;
    int variant;
    const char* eliminations; // "drc" list
    const char* cells;        // the pattern's cells as edits, "" to leave unchecked
};

class PublishedPosition : public ::testing::TestWithParam<Case> {};

TEST_P(PublishedPosition, gives_the_published_eliminations) {
    const Case& t = GetParam();
    const Candidates c = published(t.grid, t.removed);
    const std::optional<Step> step = t.find(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->technique, t.technique);
    EXPECT_EQ(step->variant, t.variant);
    EXPECT_EQ(candidates_text(step->eliminations), published_eliminations(t.eliminations));
    EXPECT_TRUE(step->placements.empty());
    if (*t.cells != '\0') {
        EXPECT_EQ(testing::cells_text({step->cells.begin(), step->cells.end()}), testing::expand_cells(t.cells));
    }
    // The groups split the cells exactly.
    std::size_t grouped = 0;
    for (const std::uint8_t size : step->groups) grouped += size;
    if (!step->groups.empty()) { EXPECT_EQ(grouped, step->cells.size()); }
    // Every step is told, in sentences that end with a full stop.
    const std::vector<std::string> told = narrate_sentences(*step);
    ASSERT_FALSE(told.empty());
    for (const std::string& sentence : told) EXPECT_EQ(sentence.back(), '.') << sentence;
}

// clang-format off
const Case kCases[] = {
    // Two sets of column 2's region and row 7 linked by the 3... as published: r4c3,r5c3,r6c23 hold
    // 3 4 5 6 8, r7c2 holds 3 7 8; the 8 leaves column 3 below.
    {"als_xz", find_als_xz,
     ".+934.7.6.4....59...276...+41........591.+5...8.2..78....6..25.4...4..........1....3",
     "325 145 245 747 748 255 581 587 591 597", Technique::AlsXz, 1, "873 883 893", ""},
    {"als_xz_doubly_linked", find_als_xz,
     ".......+3.6..5..18..83.1..+2....9573...6.....92...........+6...254.487...1+3..23.....",
     "111 615 616 636 453 457 261 262 164 464 664 465 467 667 668 669 171 971 172 972 985 986 791 792 895 995 196 "
     "896 996",
     Technique::AlsXz, 2, "141 149 151 153 161 162 163 212 413 463 725 925 926", "r2c239 r4c23"},
    {"als_xy_wing", find_als_xy_wing,
     "4.6....7......1+46....+68+4...23.....+4....34.......8.+295+3.9.......+3.2.5761.5...2...4",
     "812 914 721 722 723 924 829 133 733 143 743 144 944 849 852 153 753 859 171 773 873 175 893 996",
     Technique::AlsXyWing, 0, "377", ""},
    {"sue_de_coq", find_sue_de_coq,
     "+3+24+8+6+1+59765+7+9+4+3+82191+8+5+273+642.1+43....5.32.6...+4..+7.....+1..6.....+8..1746..7..+39..1.", "",
     Technique::SueDeCoq, 0, "378 578 757 758 849 858 869 949 957 967 969", "r46c8 r8c8 r4c7 r5c9"},
    {"unique_rectangle_type_6_rows", find_unique_rectangle,
     "541.+3.+7.+9....+7.+245...9+4+5+1.3....+6.891....+8.+3+7+66+1+8397+4+5+2+2+67+4+1+9+5+3+8+1+8+9+7536+2+43+54+826+9+17",
     "", Technique::UniqueRectangle, 6, "543 554", "r45c34"},
    {"unique_rectangle_type_6_columns", find_unique_rectangle,
     "+2395+4+7+6+185+7+4+8+6+1+3+92+8+1+6+32+94+5+7+7419+35..+69+8+5+67+2+13+4...+4+1857+9..8.+967.......+3+9..19...+4.+6.",
     "", Technique::UniqueRectangle, 6, "784 793", "r89c34"},
    // Another hidden rectangle (r69c46) comes first in this position; with its elimination made,
    // the published one.
    {"hidden_rectangle", find_hidden_rectangle,
     "+39+4+6+821+5+7+6+1+873+5+42+952+7+4..+3+681+53.47..+6+4+7.+56+8.3+18+6....+7+457+368.4..+29+4+5.....+3+2+81.....4", "966",
     Technique::HiddenRectangle, 0, "995", "r79c57"},
    {"hidden_rectangle_two_bivalue_corners", find_hidden_rectangle,
     ".+9.+45.2..3.+27+8..+9.7..+29..1.9+3+51+2+8746.+7.+6.+9......5.+7..9+129+3+7+54+6+8+56+3+8+14+9..+48+7+9+623+51", "",
     Technique::HiddenRectangle, 0, "529", "r23c29"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Ladder, PublishedPosition, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

constexpr const char* kEmpty = ".................................................................................";

// Positions built from the techniques' definitions on the empty grid: the pattern's cells get their
// candidates, every other cell keeps all nine.
struct Built {
    const char* name;
    Finder find;
    const char* edits;
    Technique technique;
    int variant;
    const char* eliminations; // as edits
    const char* cells;        // as edits without digits
};

class BuiltPosition : public ::testing::TestWithParam<Built> {};

TEST_P(BuiltPosition, gives_the_eliminations_of_the_definition) {
    const Built& t = GetParam();
    const Candidates c = model(kEmpty, t.edits);
    const std::optional<Step> step = t.find(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->technique, t.technique);
    EXPECT_EQ(step->variant, t.variant);
    EXPECT_EQ(candidates_text(step->eliminations), expand(t.eliminations));
    EXPECT_EQ(testing::cells_text({step->cells.begin(), step->cells.end()}), testing::expand_cells(t.cells));
    EXPECT_FALSE(narrate_sentences(*step).empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, BuiltPosition, ::testing::Values(
    // 1, 2 and 3 each seen by all their holders; the 4 in r1c1, r2c7 or r2c8.
    Built{"wxyz_wing", find_wxyz_wing, "r2c2=123 r2c7=14 r2c8=24 r1c1=34", Technique::WxyzWing, 0,
          "r1c789-4 r2c13-4", "r1c1 r2c278"},
    // The roof r13c7 holds 3 or 8, which with r9c7 (3 8) fills column 7's 3 and 8.
    Built{"unique_rectangle_type_3", find_unique_rectangle, "r13c2=25 r1c7=235 r3c7=258 r9c7=38",
          Technique::UniqueRectangle, 3, "r245678c7-38", "r13c27 r9c7"},
    // Opposite corners r1c4 and r2c1 both hold the pair and the 3.
    Built{"unique_rectangle_type_5", find_unique_rectangle, "r1c1=12 r2c4=12 r1c4=123 r2c1=123",
          Technique::UniqueRectangle, 5, "r1c23-3 r2c56-3", "r12c14"},
    // r1c1 (1 2) - 2 - r1c5 (2 3) - 3 - r5c5 (3 4) - 4 - r5c9 (4 1): the 1 is in r1c1 or r5c9.
    Built{"als_chain_of_four_cells", find_als_chain, "r1c1=12 r1c5=23 r5c5=34 r5c9=14", Technique::AlsChain, 0,
          "r1c9-1 r5c1-1", "r1c15 r5c59"},
    // Stem r5c5 (1 2 3), petals r4c6 (1 4), r6c6 (2 4), r5c1 (3 4): the 4 is in a petal.
    Built{"death_blossom", find_death_blossom, "r5c5=123 r4c6=14 r6c6=24 r5c1=34", Technique::DeathBlossom, 0,
          "r5c46-4", "r5c5 r4c6 r6c6 r5c1"},
    // r1c2 and r2c3 in region 1: with the 2 in r1c2, r2c3 would need its 1, and r1c1 (1 2) would
    // have nothing left; the 2 and the 2 clash.
    Built{"aligned_pair_exclusion", find_aligned_pair_exclusion, "r1c1=12 r1c2=23 r2c3=12 r1c5=13",
          Technique::AlignedPairExclusion, 0, "r1c2-2", "r1c12 r2c3"}
), [](const ::testing::TestParamInfo<Built>& info) { return std::string(info.param.name); });
// clang-format on

struct Missing {
    const char* name;
    Finder find;
    const char* edits;
};

class BuiltWithoutThePattern : public ::testing::TestWithParam<Missing> {};

TEST_P(BuiltWithoutThePattern, finds_nothing) {
    EXPECT_FALSE(GetParam().find(model(kEmpty, GetParam().edits)).has_value());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Ladder, BuiltWithoutThePattern, ::testing::Values(
    Missing{"wxyz_wing_of_five_digits", find_wxyz_wing, "r2c2=123 r2c7=14 r2c8=24 r1c1=35"},
    Missing{"wxyz_wing_two_digits_unseen", find_wxyz_wing, "r2c2=123 r2c7=14 r2c8=24 r4c1=34"},
    Missing{"rectangle_type_3_without_subset", find_unique_rectangle, "r13c2=25 r1c7=235 r3c7=258 r9c7=39"},
    Missing{"rectangle_type_5_two_extras", find_unique_rectangle, "r1c1=12 r2c4=12 r1c4=123 r2c1=124"},
    Missing{"rectangle_over_four_regions", find_unique_rectangle, "r1c1=12 r5c4=12 r1c4=123 r5c1=123"},
    Missing{"hidden_rectangle_without_strong_links", find_hidden_rectangle, "r1c1=12 r2c4=123 r1c4=123 r2c1=123"},
    Missing{"als_chain_broken_link", find_als_chain, "r1c1=12 r1c5=23 r5c5=34 r5c9=15"},
    Missing{"death_blossom_petal_without_z", find_death_blossom, "r5c5=123 r4c6=14 r6c6=24 r5c1=35"},
    Missing{"sue_de_coq_sides_sharing_a_digit", find_sue_de_coq, "r1c12=1234 r1c7=12 r2c3=23"},
    Missing{"aligned_pair_exclusion_every_pair_possible", find_aligned_pair_exclusion, "r1c1=12 r1c2=34"}
), [](const ::testing::TestParamInfo<Missing>& info) { return std::string(info.param.name); });
// clang-format on

TEST(SetTechniques, find_nothing_on_the_empty_grid) {
    const Candidates empty(Grid{});
    for (const Finder find : {find_wxyz_wing, find_sue_de_coq, find_aligned_pair_exclusion, find_als_xz,
                              find_als_xy_wing, find_als_chain, find_death_blossom, find_hidden_rectangle})
        EXPECT_FALSE(find(empty).has_value());
}

// The chain reads z in the first set = its link digit = the same digit in the next set = ... = z in
// the last set: links connect and alternate, inside a set for a reason of the set, between sets for
// a unit both cells share.
TEST(SetTechniques, als_chain_links_alternate_with_their_reasons) {
    const std::optional<Step> step = find_als_chain(model(kEmpty, "r1c1=12 r1c5=23 r5c5=34 r5c9=14"));
    ASSERT_TRUE(step.has_value());
    const std::vector<Link>& links = step->links;
    ASSERT_EQ(links.size(), 7u);
    EXPECT_EQ(candidates_text({links.front().from}), "r1c1-1");
    EXPECT_EQ(candidates_text({links.back().to}), "r5c9-1");
    for (std::size_t i = 0; i < links.size(); ++i) {
        EXPECT_EQ(links[i].strong, i % 2 == 0) << i;
        if (i > 0) { EXPECT_EQ(links[i].from, links[i - 1].to) << i; }
        if (links[i].strong) {
            EXPECT_EQ(links[i].why.kind, LinkReason::Kind::Als) << i;
            EXPECT_EQ(links[i].why.cells, (std::vector<std::uint8_t>{links[i].from.cell})) << i;
        } else {
            EXPECT_EQ(links[i].why.kind, LinkReason::Kind::Unit) << i;
            EXPECT_EQ(links[i].from.digit, links[i].to.digit) << i;
        }
    }
    EXPECT_EQ(links[1].why.unit, 0);     // row 1, by the 2
    EXPECT_EQ(links[3].why.unit, 9 + 4); // column 5, by the 3
    EXPECT_EQ(links[5].why.unit, 4);     // row 5, by the 4
}

// Only digits the ladder found count: the same position with every digit given has no avoidable
// rectangle. The published position marks found digits with '+'.
TEST(SetTechniques, avoidable_rectangle_needs_found_digits) {
    const char* grid =
        "+95+4+3..+1.+7+76+15.42..+2+38.71...4+1...36.8.+2....+9.+189.1..7..3...+1+9.+7+2..+92.7+31.+172.3..9.";
    Grid givens{};
    std::vector<Candidate> found;
    std::size_t cell = 0;
    for (const char* p = grid; *p != '\0'; ++p) {
        if (*p == '+') {
            ++p;
            found.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(*p - '0')});
        } else if (*p >= '1' && *p <= '9') {
            givens[cell] = static_cast<std::uint8_t>(*p - '0');
        }
        ++cell;
    }
    ASSERT_EQ(cell, 81u);
    Candidates c(givens);
    for (const Candidate& f : found) c.place(f.cell, f.digit);
    c.eliminate(testing::rc(3, 9), 6);
    const std::optional<Step> step = find_avoidable_rectangle(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->variant, 1);
    EXPECT_EQ(candidates_text(step->eliminations), "r2c9-9");
    EXPECT_EQ(testing::cells_text({step->cells.begin(), step->cells.end()}), "r1c1 r1c9 r2c1 r2c9");
    EXPECT_FALSE(find_avoidable_rectangle(published(grid, "639")).has_value());
}

TEST(SetTechniques, avoidable_rectangle_of_two_found_corners) {
    Candidates c(Grid{});
    c.place(testing::rc(1, 1), 1);
    c.place(testing::rc(1, 4), 2);
    for (int d = 1; d <= 9; ++d) {
        if (d != 2 && d != 3) c.eliminate(testing::rc(2, 1), d);
        if (d != 1 && d != 3) c.eliminate(testing::rc(2, 4), d);
    }
    const std::optional<Step> step = find_avoidable_rectangle(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->variant, 2);
    EXPECT_EQ(candidates_text(step->eliminations), expand("r2c2356789-3"));
    // Without its 3, r2c4 keeps only the 1: the two no longer share a digit that avoids the pattern.
    c.eliminate(testing::rc(2, 4), 3);
    EXPECT_FALSE(find_avoidable_rectangle(c).has_value());
}

TEST(SetTechniques, aligned_pair_exclusion_is_told_pair_by_pair) {
    const std::optional<Step> step = find_aligned_pair_exclusion(model(kEmpty, "r1c1=12 r1c2=23 r2c3=12 r1c5=13"));
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(narrate_sentences(*step),
              (std::vector<std::string>{
                  "La case L1C2 ne peut contenir que le 2 et le 3 ; la case L2C3 ne peut "
                  "contenir que le 1 et le 2. Elles se voient dans la région 1 : elles ne peuvent contenir le même "
                  "chiffre.",
                  "La case L1C1 ne peut contenir que le 1 et le 2 et voit la case L1C2 et "
                  "la case L2C3 : celles-ci ne peuvent contenir ensemble deux de ces chiffres, qui ne "
                  "lui laisseraient rien.",
                  "Avec le 2 dans la case L1C2, la case L2C3 n'aurait plus de chiffre "
                  "possible : nous retirons le 2 de la case L1C2."}));
}

// A Sue de Coq that holds: the same crossing and sides with the sides' digits apart.
TEST(SetTechniques, sue_de_coq_of_a_row_and_a_region) {
    const Candidates c = model(kEmpty, "r1c12=1234 r1c7=12 r2c3=34");
    const std::optional<Step> step = find_sue_de_coq(c);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(candidates_text(step->eliminations), expand("r1c345689-12 r1c3-34 r2c12-34 r3c123-34"));
    EXPECT_EQ(step->groups, (std::vector<std::uint8_t>{2, 1, 1}));
    EXPECT_EQ(step->units, (std::vector<std::uint8_t>{0, 18}));
}

// Each finder of this family at every position where the ladder needs more than subsets, on every corpus:
// whatever the ladder chose there, what the finder offers must agree with the solution. The
// rectangles need the one solution every corpus puzzle has.
TEST(SetTechniquesOnCorpus, every_finder_agrees_with_the_solution_wherever_the_ladder_goes) {
    const std::pair<const char*, Finder> finders[] = {
        {"wxyz-wing", find_wxyz_wing},
        {"sue-de-coq", find_sue_de_coq},
        {"aligned-pair-exclusion", find_aligned_pair_exclusion},
        {"als-xz", find_als_xz},
        {"als-xy-wing", find_als_xy_wing},
        {"als-chain", find_als_chain},
        {"death-blossom", find_death_blossom},
        {"unique-rectangle", find_unique_rectangle},
        {"hidden-rectangle", find_hidden_rectangle},
    };
    std::map<std::string, int> found;
    int positions = 0;
    for (const char* file : {"qqwing.txt", "seventeen.txt", "top95.txt", "hardest.txt"}) {
        std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/" + file);
        std::string line;
        while (std::getline(in, line)) {
            if (line.size() < 81 || line[0] == '#') continue;
            SCOPED_TRACE(line.substr(0, 81));
            const Grid puzzle = grid_of(line.substr(0, 81));
            PlainSolver solver(puzzle);
            ASSERT_EQ(solver.solve(), 1);
            const Grid& solution = solver.solution();
            Candidates c(puzzle);
            for (const Step& step : explain(puzzle).steps) {
                if (step.technique > Technique::HiddenQuad) {
                    ++positions;
                    for (const auto& [id, find] : finders) {
                        const std::optional<Step> offered = find(c);
                        if (!offered) continue;
                        ++found[id];
                        EXPECT_FALSE(offered->eliminations.empty()) << id;
                        for (const Candidate& e : offered->eliminations) {
                            EXPECT_TRUE(c.has(e.cell, e.digit)) << id;
                            EXPECT_NE(e.digit, solution[e.cell])
                                << id << " removes the solution from cell " << int(e.cell);
                        }
                        for (const Candidate& p : offered->placements) EXPECT_EQ(p.digit, solution[p.cell]) << id;
                    }
                }
                c.apply(step);
            }
        }
    }
    EXPECT_GT(positions, 1000);
    // Each finder had something to offer somewhere: the check above is not vacuous.
    for (const auto& [id, find] : finders) EXPECT_GT(found[id], 0) << id << " found nothing on the corpus";
}

// The sets' techniques list every conclusion they reach: the finder's own step first, then one
// instance per other set of eliminations, simplest first (fewest cells, then most eliminations),
// each sound. Checked wherever the ladder needs a set's technique or heavier on the hard corpora.
TEST(SetTechniquesOnCorpus, every_conclusion_listed_once_simplest_first_the_finders_first) {
    const std::pair<Technique, Finder> scans[] = {
        {Technique::AlsXz, find_als_xz},
        {Technique::AlsXyWing, find_als_xy_wing},
        {Technique::AlsChain, find_als_chain},
        {Technique::DeathBlossom, find_death_blossom},
    };
    std::map<Technique, int> several;
    for (const char* file : {"top95.txt", "hardest.txt"}) {
        for (const std::string& line : testing::read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/" + file)) {
            SCOPED_TRACE(line);
            const Grid puzzle = grid_of(line);
            PlainSolver solver(puzzle);
            ASSERT_EQ(solver.solve(), 1);
            const Grid& solution = solver.solution();
            Candidates c(puzzle);
            for (const Step& step : explain(puzzle).steps) {
                if (step.technique >= Technique::AlsXz) {
                    for (const auto& [technique, find] : scans) {
                        const char* id = technique_id(technique).data();
                        std::vector<Step> every;
                        ASSERT_TRUE(find_every(c, technique, every)) << id;
                        const std::optional<Step> first = find(c);
                        ASSERT_EQ(every.empty(), !first.has_value()) << id;
                        if (every.empty()) continue;
                        EXPECT_EQ(every.front().cells, first->cells) << id;
                        EXPECT_EQ(every.front().eliminations, first->eliminations) << id;
                        std::set<std::string> conclusions;
                        for (std::size_t i = 0; i < every.size(); ++i) {
                            const Step& s = every[i];
                            EXPECT_EQ(s.technique, technique) << id;
                            EXPECT_TRUE(conclusions.insert(candidates_text(s.eliminations)).second)
                                << id << " lists " << candidates_text(s.eliminations) << " twice";
                            if (i > 1) {
                                const Step& before = every[i - 1];
                                EXPECT_TRUE(before.cells.size() < s.cells.size() ||
                                            (before.cells.size() == s.cells.size() &&
                                             before.eliminations.size() >= s.eliminations.size()))
                                    << id << " instance " << i + 1 << " is simpler than the one before";
                            }
                            for (const Candidate& e : s.eliminations) {
                                EXPECT_TRUE(c.has(e.cell, e.digit)) << id;
                                EXPECT_NE(e.digit, solution[e.cell]) << id << " removes the solution";
                            }
                        }
                        if (every.size() > 1) ++several[technique];
                    }
                }
                c.apply(step);
            }
        }
    }
    // Several instances were met for each: the listing is not just the finder's step.
    for (const auto& [technique, find] : scans) EXPECT_GT(several[technique], 0) << technique_id(technique);
}

// ALS chains as plainly as the search can be written: restricted common digits tried pair by pair,
// every link followed. A set entered by a digit at a depth where nothing was found is not tried
// again from the same first set and digit, as the finder does. `listing`: one chain per set of
// eliminations, the first of the fewest cells for it; otherwise the first of the fewest cells,
// then most eliminations.
class PlainAlsChains {
public:
    struct Chain {
        std::vector<std::size_t> sets;
        std::vector<int> digits; // of the links between them
        int z = 0;
        CellSet removed;
        std::size_t cells = 0;
        std::size_t order = 0; // when it was kept
    };

    PlainAlsChains(const Candidates& c, bool listing)
        : c_(c), listing_(listing), sets_(detail::almost_locked_sets(c, 5)) {
        links_.resize(sets_.size());
        for (std::size_t i = 0; i < sets_.size(); ++i)
            for (std::size_t j = 0; j < sets_.size(); ++j)
                if (const unsigned rcc = detail::restricted_commons(sets_[i], sets_[j]); i != j && rcc != 0)
                    links_[i].emplace_back(j, rcc);
        dead_.assign(sets_.size() * 10 * 5, 0);
        for (length_ = 4; length_ <= 5; ++length_) {
            for (std::size_t start = 0; start < sets_.size(); ++start)
                for (int z = 1; z <= 9; ++z)
                    if (!links_[start].empty() && (sets_[start].digits >> z & 1) != 0) from(start, z);
            if (!listing_ && !kept_.empty()) break;
        }
    }

    // The chains kept, the simplest first.
    std::vector<Chain> kept() const {
        std::vector<Chain> all = kept_;
        std::sort(all.begin(), all.end(), [](const Chain& a, const Chain& b) {
            if (a.cells != b.cells) return a.cells < b.cells;
            if (a.removed.count() != b.removed.count()) return a.removed.count() > b.removed.count();
            return a.order < b.order;
        });
        return all;
    }
    const detail::Als& set(std::size_t i) const { return sets_[i]; }

private:
    void from(std::size_t start, int z) {
        const detail::Als& first = sets_[start];
        reach_ = (c_.cells_of(z) & first.seen[static_cast<std::size_t>(z)]) - first.cells;
        ends_.assign(sets_.size(), false);
        bool any = false;
        for (std::size_t e = start + 1; e < sets_.size(); ++e) {
            const detail::Als& end = sets_[e];
            ends_[e] = (end.digits >> z & 1) != 0 && (end.cells & first.cells).empty() &&
                       !((reach_ & end.seen[static_cast<std::size_t>(z)]) - end.cells).empty();
            any = any || ends_[e];
        }
        if (reach_.empty() || !any) return;
        z_ = z;
        ++stamp_;
        path_ = {start};
        through_.clear();
        extend(0, first.cells, first.size);
    }

    bool extend(int previous, CellSet used, std::size_t cells) {
        const bool last = static_cast<int>(path_.size()) + 1 == length_;
        bool found = false;
        for (const auto& [next, rcc] : links_[path_.back()]) {
            const detail::Als& set = sets_[next];
            if (!(set.cells & used).empty() || settled(cells + set.size) || (last && !ends_[next])) continue;
            unsigned choices = rcc & ~(previous > 0 ? 1u << previous : 0u);
            if (path_.size() == 1 || last) choices &= ~(1u << z_);
            for (int x = 1; x <= 9; ++x) {
                if ((choices >> x & 1) == 0) continue;
                if (last) {
                    Chain chain{path_, through_, z_,
                                (reach_ & set.seen[static_cast<std::size_t>(z_)]) - (used | set.cells),
                                cells + set.size};
                    chain.sets.push_back(next);
                    chain.digits.push_back(x);
                    found = offer(std::move(chain)) || found;
                    continue;
                }
                const std::size_t key = (next * 10 + static_cast<std::size_t>(x)) * 5 + path_.size();
                if (dead_[key] == stamp_) continue;
                path_.push_back(next);
                through_.push_back(x);
                const bool below = extend(x, used | set.cells, cells + set.size);
                through_.pop_back();
                path_.pop_back();
                if (below)
                    found = true;
                else
                    dead_[key] = stamp_;
            }
        }
        return found;
    }

    bool settled(std::size_t cells) const { return !listing_ && !kept_.empty() && kept_.front().cells <= cells; }

    bool offer(Chain&& chain) {
        if (chain.removed.empty()) return false;
        const auto key = std::make_tuple(chain.z, chain.removed.lo, chain.removed.hi);
        if (listing_) {
            const auto at = index_.find(key);
            if (at != index_.end() && chain.cells >= kept_[at->second].cells) return false;
            chain.order = order_++;
            if (at != index_.end()) {
                kept_[at->second] = std::move(chain);
            } else {
                index_.emplace(key, kept_.size());
                kept_.push_back(std::move(chain));
            }
            return true;
        }
        if (!kept_.empty() &&
            (chain.cells > kept_.front().cells ||
             (chain.cells == kept_.front().cells && chain.removed.count() <= kept_.front().removed.count())))
            return false;
        kept_ = {std::move(chain)};
        return true;
    }

    const Candidates& c_;
    const bool listing_;
    const std::vector<detail::Als> sets_;
    std::vector<std::vector<std::pair<std::size_t, unsigned>>> links_;
    std::vector<std::uint32_t> dead_;
    std::uint32_t stamp_ = 0;
    int length_ = 0;
    int z_ = 0;
    CellSet reach_;
    std::vector<bool> ends_;
    std::vector<std::size_t> path_;
    std::vector<int> through_;
    std::vector<Chain> kept_;
    std::map<std::tuple<int, std::uint64_t, std::uint64_t>, std::size_t> index_;
    std::size_t order_ = 0;
};

// What a listed chain is made of: its sets' cells in chain order, the digits of the links
// between sets, and the eliminations.
struct ChainShape {
    std::vector<std::uint8_t> cells;
    std::vector<int> digits;
    std::string eliminations;
    bool operator==(const ChainShape&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ChainShape& s) {
    out << testing::cells_text({s.cells.begin(), s.cells.end()}) << " by";
    for (const int d : s.digits) out << ' ' << d;
    return out << " removes " << s.eliminations;
}

ChainShape shape_of(const Step& step) {
    ChainShape shape{step.cells, {}, candidates_text(step.eliminations)};
    for (std::size_t i = 1; i < step.links.size(); i += 2) shape.digits.push_back(step.links[i].from.digit);
    return shape;
}

ChainShape shape_of(const PlainAlsChains& search, const PlainAlsChains::Chain& chain) {
    ChainShape shape{{}, chain.digits, {}};
    std::vector<Candidate> removed;
    for (const std::size_t i : chain.sets)
        detail::for_each_cell(search.set(i).cells,
                              [&](int cell) { shape.cells.push_back(static_cast<std::uint8_t>(cell)); });
    detail::for_each_cell(chain.removed, [&](int cell) {
        removed.push_back({static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(chain.z)});
    });
    shape.eliminations = candidates_text(removed);
    return shape;
}

// The ALS-chain listing (the ladder's chain first, then one per other set of eliminations,
// simplest first) equals the plain search's, chain for chain, at positions part-way through the
// hard corpora: the finder's tables of links and the sets it leaves untried change nothing.
TEST(SetTechniquesOnCorpus, als_chains_listed_as_the_plain_search_lists_them) {
    struct Positions {
        const char* file;
        int part; // the position after steps / part of the ladder's steps
    };
    const Positions table[] = {{"top95.txt", 2}, {"hardest.txt", 3}};
    int listed = 0;
    for (const Positions& row : table)
        for (const std::string& line : testing::read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/" + row.file)) {
            SCOPED_TRACE(line);
            const Grid puzzle = grid_of(line);
            const std::vector<Step> steps = explain(puzzle).steps;
            Candidates c(puzzle);
            for (std::size_t k = 0; k < steps.size() / static_cast<std::size_t>(row.part); ++k) c.apply(steps[k]);
            std::vector<Step> every;
            ASSERT_TRUE(find_every(c, Technique::AlsChain, every));
            std::vector<ChainShape> expected;
            const PlainAlsChains first(c, false);
            if (!first.kept().empty()) {
                const PlainAlsChains all(c, true);
                expected.push_back(shape_of(first, first.kept().front()));
                for (const PlainAlsChains::Chain& chain : all.kept())
                    if (shape_of(all, chain).eliminations != expected.front().eliminations)
                        expected.push_back(shape_of(all, chain));
            }
            std::vector<ChainShape> found;
            for (const Step& step : every) found.push_back(shape_of(step));
            EXPECT_EQ(found, expected);
            listed += static_cast<int>(found.size());
        }
    EXPECT_GT(listed, 1000) << "the comparison is vacuous";
}

} // namespace
} // namespace vornel::ladder
