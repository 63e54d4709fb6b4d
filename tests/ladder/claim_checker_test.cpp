// SPDX-License-Identifier: GPL-3.0-or-later
// Every claim of the ladder's telling, read back from the messages said (claim_checker.h), holds
// on the position before the step and in the solution, on every ladder corpus, in French and in
// English; the two languages make the same claims. The checker itself catches a broken
// sentence: the grouped link told the way it was once (the group as the only places of the
// digit, when the group is the end just ruled out), and other arguments changed on purpose.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "claim_checker.h"
#include "ladder.h"
#include "ladder_support.h"
#include "narrator_fr.h"
#include "narrator_fr_chains.h"
#include "technique_table.h"

namespace vornel::ladder {
namespace {

using testing::ClaimChecker;
using testing::grid_of;
using testing::PlainSolver;

// The messages of steps[k] as told in its explanation (a chain that repeats the one before is
// told from where they part).
std::vector<Said> told(const std::vector<Step>& steps, std::size_t k, Language language) {
    std::vector<Said> log;
    const SayRecorder recorder(log);
    narrate_in(steps, k, language);
    return log;
}

// The arguments of a telling without its words, to compare two languages.
std::string claims_of(const std::vector<Said>& log) {
    std::string out;
    for (const Said& s : log) {
        out += std::to_string(static_cast<int>(s.id)) + "(";
        for (const SaidArg& a : s.args) {
            if (a.kind == Arg::Kind::Text) continue;
            out += std::to_string(a.value);
            for (const std::uint8_t c : a.cells) out += "," + std::to_string(c);
            for (const Candidate& c : a.removal) out += "," + std::to_string(c.cell) + "-" + std::to_string(c.digit);
            out += ";";
        }
        out += ")";
    }
    return out;
}

// Each step of a puzzle with the position before it and the solution; puzzles without exactly one
// solution (some corpora keep them on purpose) are left out.
template<typename Visit>
void each_step(const std::string& puzzle, Visit visit) {
    const Grid grid = grid_of(puzzle);
    PlainSolver solver(grid);
    if (solver.solve() != 1) return;
    const Explanation e = explain(grid);
    Candidates c(grid);
    for (std::size_t k = 0; k < e.steps.size(); ++k) {
        visit(c, solver.solution(), e.steps, k);
        c.apply(e.steps[k]);
    }
}

class Claims : public ::testing::TestWithParam<const char*> {};

TEST_P(Claims, every_claim_holds_in_both_languages) {
    std::map<Msg, int> checked;
    int steps = 0;
    for (const std::string& puzzle : testing::read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/" + GetParam())) {
        each_step(puzzle,
                  [&](const Candidates& before, const Grid& solution, const std::vector<Step>& all, std::size_t k) {
                      const Step& step = all[k];
                      ++steps;
                      const std::vector<Said> fr = told(all, k, Language::French), en = told(all, k, Language::English);
                      EXPECT_EQ(claims_of(fr), claims_of(en)) << technique_id(step.technique);
                      ClaimChecker checker(before, solution, step);
                      for (const std::string& error : checker.check(fr))
                          ADD_FAILURE() << puzzle << " " << technique_id(step.technique) << ": " << error << "\n"
                                        << [&] {
                                               std::string text;
                                               for (const std::string& line : narrate_in(all, k, Language::English))
                                                   text += "  " + line + "\n";
                                               return text;
                                           }();
                      for (const auto& [id, count] : checker.checked()) checked[id] += count;
                  });
    }
    EXPECT_GT(steps, 0);
    EXPECT_GT(checked[Msg::HiddenSingle] + checked[Msg::NakedSingle] + checked[Msg::FullHouse], 0);
}

INSTANTIATE_TEST_SUITE_P(Ladder, Claims,
                         ::testing::Values("top95.txt", "hardest.txt", "qqwing.txt", "seventeen.txt", "sets-corpus.txt",
                                           "check-corpus.txt"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             name = name.substr(0, name.find('.'));
                             std::erase(name, '-');
                             return name;
                         });

// The claims the corpora reach: each kind of claim the hard steps make is met and checked.
TEST(Claims, the_corpora_reach_the_claims_of_hard_steps) {
    std::map<Msg, int> checked;
    for (const char* file : {"top95.txt", "sets-corpus.txt"})
        for (const std::string& puzzle : testing::read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/" + file))
            each_step(puzzle,
                      [&](const Candidates& before, const Grid& solution, const std::vector<Step>& all, std::size_t k) {
                          ClaimChecker checker(before, solution, all[k]);
                          checker.check(told(all, k, Language::French));
                          for (const auto& [id, count] : checker.checked()) checked[id] += count;
                      });
    for (const Msg id : {Msg::LinkGroupStrong, Msg::LinkUnitStrong, Msg::LinkCellStrong, Msg::ChainRemovalSees,
                         Msg::HoldersOr, Msg::RemoveSeeing, Msg::ContradictionRemoval, Msg::XyWingRemoval, Msg::Fish})
        EXPECT_GT(checked[id], 0) << static_cast<int>(id);
}

// A sentence told wrong makes the checker fail. Each case changes one argument of the first
// message of its kind met on top95 and expects a false claim.
TEST(Claims, a_broken_sentence_is_caught) {
    struct Break {
        Msg id;
        const char* what;
        void (*change)(Said&);
    };
    const Break breaks[] = {
        // The grouped strong link as it was once told: the places are the group alone, the end
        // that was just ruled out ("In row 2, the 7 can only go in r2c1, r2c2 and r2c3, so r2c4
        // is 7").
        {Msg::LinkGroupStrong, "the group as the only places", [](Said& s) { s.args[3].cells.clear(); }},
        // "Either way, z is in ..." about another digit.
        {Msg::HoldersOr, "another digit", [](Said& s) { s.args[0].value = s.args[0].value % 9 + 1; }},
        {Msg::LinkUnitStrong, "another second place", [](Said& s) { s.args[3].value = (s.args[3].value + 1) % 81; }},
        {Msg::ChainRemovalSees, "ends swapped for the removed cells",
         [](Said& s) { s.args[2].cells = cells_of(s.args[1].removal); }},
        {Msg::NakedSingle, "another digit", [](Said& s) { s.args[1].value = s.args[1].value % 9 + 1; }},
    };
    for (const Break& b : breaks) {
        bool met = false;
        for (const std::string& puzzle : testing::read_corpus(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt")) {
            if (met) break;
            each_step(puzzle,
                      [&](const Candidates& before, const Grid& solution, const std::vector<Step>& all, std::size_t k) {
                          const Step& step = all[k];
                          if (met) return;
                          std::vector<Said> log = told(all, k, Language::English);
                          for (Said& s : log) {
                              if (s.id != b.id || met) continue;
                              met = true;
                              EXPECT_TRUE(ClaimChecker(before, solution, step).check(log).empty()) << b.what;
                              b.change(s);
                              EXPECT_FALSE(ClaimChecker(before, solution, step).check(log).empty()) << b.what;
                          }
                      });
        }
        EXPECT_TRUE(met) << b.what;
    }
}

} // namespace
} // namespace vornel::ladder
