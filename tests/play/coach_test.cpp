// SPDX-License-Identifier: GPL-3.0-or-later
// The coach, headless: the reason before the answer for every family of techniques met, and
// mistakes explained without ever naming the digit the cell should hold.
#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "coach.h"
#include "game.h"
#include "ladder/grammar.h"
#include "ladder/narration.h"
#include "puzzles.h"

namespace vornel::play {
namespace {

using ladder::Technique;

Grid grid_of(std::string_view line) {
    Grid g{};
    EXPECT_TRUE(grid_from_line(std::string(line), g)) << line;
    return g;
}

std::optional<Game> start(std::string_view line) {
    std::string error;
    return Game::start(grid_of(line), error);
}

std::vector<std::string> top95(int count) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    std::vector<std::string> out;
    std::string line;
    while (static_cast<int>(out.size()) < count && std::getline(in, line))
        if (line.size() >= 81 && line[0] != '#') out.push_back(line.substr(0, 81));
    return out;
}

// The cells a text names in the coach's short notation.
std::set<int> cells_named(const std::vector<std::string>& lines) {
    static const std::regex name(R"([rL]([1-9])[cC]([1-9]))");
    std::set<int> out;
    for (const std::string& line : lines)
        for (auto it = std::sregex_iterator(line.begin(), line.end(), name); it != std::sregex_iterator(); ++it)
            out.insert(9 * ((*it)[1].str()[0] - '1') + (*it)[2].str()[0] - '1');
    return out;
}

// Families of techniques, as the issue groups them.
std::string family(Technique t) {
    switch (t) {
        case Technique::FullHouse:
        case Technique::HiddenSingle:
        case Technique::NakedSingle: return "singles";
        case Technique::Pointing:
        case Technique::Claiming: return "intersections";
        case Technique::NakedPair:
        case Technique::HiddenPair:
        case Technique::NakedTriple:
        case Technique::HiddenTriple:
        case Technique::NakedQuad:
        case Technique::HiddenQuad: return "subsets";
        case Technique::XWing:
        case Technique::Swordfish:
        case Technique::Jellyfish:
        case Technique::FinnedXWing:
        case Technique::FinnedSwordfish:
        case Technique::FinnedJellyfish:
        case Technique::FrankenFish:
        case Technique::MutantFish: return "fish";
        case Technique::ForcingChain:
        case Technique::Nishio:
        case Technique::Trial: return "forcing";
        case Technique::XChain:
        case Technique::XyChain:
        case Technique::Aic:
        case Technique::GroupedAic:
        case Technique::AlsAic:
        case Technique::AlsChain:
        case Technique::RemotePair:
        case Technique::SimpleColouring:
        case Technique::MultiColouring:
        case Technique::Medusa3D: return "chains";
        default: return "others";
    }
}

// Levels 1 and 2 never draw the step's conclusion nor point at a cell it changes outside its own
// pattern; level 3 draws it. Checked on every step met solving puzzles from the very easy to the
// hardest of top95, the hints taken from the player's position as they play.
TEST(Coach, each_family_reveals_the_changed_cells_only_at_the_last_level) {
    std::vector<std::string> puzzles{std::string(test::kEasy), std::string(test::kHard)};
    for (const std::string& line : top95(8)) puzzles.push_back(line);
    std::map<std::string, int> families;
    for (const std::string& line : puzzles) {
        std::optional<Game> game = start(line);
        if (!game) continue;
        for (int guard = 0; guard < 200 && !game->finished(); ++guard) {
            const Hint hint = game->hint();
            ASSERT_EQ(hint.kind, Hint::Kind::Step);
            const ladder::Step& step = hint.step;
            ++families[family(step.technique)];
            std::set<int> changed;
            for (const auto& p : step.placements) changed.insert(p.cell);
            for (const auto& e : step.eliminations) changed.insert(e.cell);
            const std::set<int> pattern(step.cells.begin(), step.cells.end());
            const bool single = family(step.technique) == "singles";
            for (const HintLevel level : {HintLevel::Where, HintLevel::Pattern}) {
                for (const Language language : {Language::French, Language::English}) {
                    const Advice advice = advise(hint, level, language);
                    const std::string what = ladder::technique_name(step.technique, Language::English) + " level " +
                                             std::to_string(static_cast<int>(level)) + " in " + line;
                    EXPECT_FALSE(advice.can_apply) << what;
                    ASSERT_TRUE(advice.picture) << what;
                    for (int cell = 0; cell < 81; ++cell) {
                        const ladder::CellMarks& m = advice.picture->cells[static_cast<std::size_t>(cell)];
                        EXPECT_EQ(m.removed, 0) << what << " cell " << cell;
                        EXPECT_FALSE(m.placed) << what << " cell " << cell;
                        const bool pointed = m.pattern || m.highlighted || m.fins || m.colour_a || m.colour_b;
                        if (level == HintLevel::Where) { EXPECT_FALSE(pointed) << what << " cell " << cell; }
                        if (pointed && changed.count(cell)) {
                            EXPECT_TRUE(!single && pattern.count(cell)) << what << " points at cell " << cell;
                        }
                    }
                    for (const int cell : cells_named(advice.lines)) {
                        if (level == HintLevel::Where) ADD_FAILURE() << what << " names cell " << cell;
                        if (changed.count(cell)) {
                            EXPECT_TRUE(!single && pattern.count(cell)) << what << " names cell " << cell;
                        }
                    }
                    if (level == HintLevel::Pattern && !step.links.empty()) {
                        EXPECT_EQ(advice.picture->links, step.links) << what; // the chain without its end
                    }
                }
            }
            const Advice last = advise(hint, HintLevel::Step);
            EXPECT_TRUE(last.can_apply);
            EXPECT_EQ(last.lines, ladder::narrate_sentences(step));
            ASSERT_TRUE(last.picture);
            bool shows_change = false;
            for (const auto& m : last.picture->cells) shows_change = shows_change || m.removed || m.placed;
            EXPECT_TRUE(shows_change) << ladder::technique_name(step.technique, Language::English);
            ASSERT_TRUE(game->apply(hint));
        }
        EXPECT_TRUE(game->finished()) << line;
    }
    for (const char* f : {"singles", "intersections", "subsets", "fish", "chains", "forcing", "others"})
        EXPECT_GT(families[f], 0) << f << " never met: the test covers less than it says";
}

// Singles: level 1 the unit (and the digit for a hidden single), level 2 the digits placed that
// rule the other cells out, never the cell itself before level 3.
TEST(Coach, a_hidden_single_names_the_unit_then_the_digits_that_rule_the_other_cells_out) {
    std::optional<Game> game = start(test::kEasy);
    ASSERT_TRUE(game);
    for (int guard = 0; guard < 81; ++guard) {
        const Hint hint = game->hint();
        if (hint.step.technique != Technique::HiddenSingle) {
            game->apply(hint);
            continue;
        }
        const ladder::Candidate p = hint.step.placements.front();
        const int unit = hint.step.units.front();
        const std::vector<std::string> where = hint_text(hint, HintLevel::Where, Language::English);
        ASSERT_EQ(where.size(), 1u);
        EXPECT_EQ(where[0], "Look at " + ladder::grammar(Language::English).unit_name(unit) + " for the " +
                                std::to_string(p.digit) + ".");
        const Advice reason = advise(hint, HintLevel::Pattern, Language::English);
        ASSERT_GE(reason.lines.size(), 2u);
        EXPECT_EQ(reason.lines[0], where[0]);
        EXPECT_NE(reason.lines[1].find("already placed rule out the other empty cells"), std::string::npos)
            << reason.lines[1];
        // Every framed cell holds the digit and sees an empty cell of the unit along a line drawn.
        int rulers = 0;
        for (int cell = 0; cell < 81; ++cell) {
            if (!reason.picture->cells[static_cast<std::size_t>(cell)].pattern) continue;
            EXPECT_EQ(game->value(cell), p.digit);
            ++rulers;
        }
        EXPECT_GT(rulers, 0);
        EXPECT_FALSE(reason.picture->links.empty());
        for (const ladder::Link& l : reason.picture->links) EXPECT_NE(l.to.cell, p.cell);
        return;
    }
    FAIL() << "no hidden single in the easy puzzle";
}

// "the 7", "le 7", "les 7", "the 7s": the ways the coach names a digit.
bool names_digit(const std::vector<std::string>& lines, int digit) {
    const std::regex said("(the|le|les|Le|The) " + std::to_string(digit) + "(?![0-9])");
    for (const std::string& line : lines)
        if (std::regex_search(line, said)) return true;
    return false;
}

// Wrong digits and lost pencil marks, everywhere on several puzzles: no level of the explanation
// names the digit the cell should hold, and the visible reasons are the true ones.
TEST(Coach, a_mistake_explanation_never_contains_the_solution_digit_of_its_cell) {
    std::mt19937 random(31);
    std::map<Mistake::Kind, int> kinds;
    std::vector<std::string> puzzles{std::string(test::kEasy), std::string(test::kHard)};
    for (const std::string& line : top95(4)) puzzles.push_back(line);
    for (const std::string& line : puzzles) {
        const std::optional<Game> fresh = start(line);
        ASSERT_TRUE(fresh);
        for (int trial = 0; trial < 60; ++trial) {
            Game game = *fresh;
            // Some right digits first, so that mistakes are met at every stage of a game.
            const int right = static_cast<int>(random() % 50);
            for (int i = 0; i < right; ++i) {
                const int cell = static_cast<int>(random() % 81);
                game.write(cell, game.solution()[static_cast<std::size_t>(cell)]);
            }
            int cell = static_cast<int>(random() % 81);
            while (game.value(cell)) cell = (cell + 1) % 81;
            const int answer = game.solution()[static_cast<std::size_t>(cell)];
            game.fill_candidates();
            // Taking out a cell's only mark leaves it without marks, which is no mistake.
            if (trial % 4 == 3 && std::popcount(game.marks(cell)) > 1) {
                game.toggle_mark(cell, answer);
            } else {
                game.write(cell, (answer + static_cast<int>(random() % 8)) % 9 + 1); // never the answer
            }
            const Hint hint = game.hint();
            ASSERT_TRUE(hint.kind == Hint::Kind::WrongDigit || hint.kind == Hint::Kind::MissingMark)
                << line << " cell " << cell << " trial " << trial << " kind " << static_cast<int>(hint.kind);
            ASSERT_EQ(hint.where.cell, cell);
            if (hint.kind == Hint::Kind::WrongDigit) {
                ++kinds[hint.mistake.kind];
                ASSERT_NE(hint.where.digit, answer);
            }
            for (const HintLevel level : {HintLevel::Where, HintLevel::Pattern, HintLevel::Step})
                for (const Language language : {Language::French, Language::English}) {
                    const Advice advice = advise(hint, level, language);
                    EXPECT_TRUE(advice.mistake);
                    EXPECT_FALSE(advice.can_apply);
                    EXPECT_FALSE(names_digit(advice.lines, answer))
                        << "cell " << cell << " answer " << answer << ": " << advice.lines.front() << " / "
                        << advice.lines.back();
                }
        }
    }
    for (const Mistake::Kind kind :
         {Mistake::Kind::Repeat, Mistake::Kind::EmptyCell, Mistake::Kind::NoPlace, Mistake::Kind::Contradiction})
        EXPECT_GT(kinds[kind], 0) << static_cast<int>(kind);
}

TEST(Coach, visible_reasons_are_true) {
    // r1c3 of the easy puzzle holds 4; a 5 repeats row 1's 5.
    std::optional<Game> game = start(test::kEasy);
    ASSERT_TRUE(game);
    game->write(2, 5);
    Hint hint = game->hint();
    ASSERT_EQ(hint.kind, Hint::Kind::WrongDigit);
    EXPECT_EQ(hint.mistake.kind, Mistake::Kind::Repeat);
    EXPECT_EQ(hint.mistake.cell, 0);
    EXPECT_EQ(hint_text(hint, HintLevel::Where, Language::English).front(),
              "The 5 in r1c3 is already in row 1, at r1c1: a digit goes only once in each row, column and box.");
    // Whatever the reason found, it holds on the board: checked from the digits alone.
    for (int cell = 0; cell < 81; ++cell) {
        if (game->is_given(cell)) continue;
        for (int d = 1; d <= 9; ++d) {
            Grid values = game->givens();
            if (d == game->solution()[static_cast<std::size_t>(cell)]) continue;
            values[static_cast<std::size_t>(cell)] = static_cast<std::uint8_t>(d);
            const Mistake m = why_wrong(values, game->solution()[static_cast<std::size_t>(cell)], cell);
            const auto& geo = ladder::geometry();
            switch (m.kind) {
                case Mistake::Kind::Repeat: EXPECT_EQ(values[m.cell], d); break;
                case Mistake::Kind::EmptyCell: {
                    unsigned seen = 0;
                    for (const std::uint8_t peer : geo.peers[m.cell]) seen |= 1u << values[peer];
                    EXPECT_EQ(seen | 1u, 0x3FFu) << "cell " << int(m.cell);
                    break;
                }
                case Mistake::Kind::NoPlace:
                    EXPECT_NE(m.digit, game->solution()[static_cast<std::size_t>(cell)]);
                    for (const std::uint8_t c : geo.unit_cells[m.unit]) {
                        EXPECT_NE(values[c], m.digit);
                        if (values[c]) continue;
                        bool seen = false;
                        for (const std::uint8_t peer : geo.peers[c]) seen = seen || values[peer] == m.digit;
                        EXPECT_TRUE(seen);
                    }
                    break;
                case Mistake::Kind::Contradiction:
                    EXPECT_EQ(m.proof.assume,
                              (ladder::Candidate{static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(d)}));
                    break;
                case Mistake::Kind::Hidden: break;
            }
        }
    }
}

TEST(Coach, a_lost_pencil_mark_names_the_cell_not_the_digit) {
    std::optional<Game> game = start(test::kEasy);
    ASSERT_TRUE(game);
    game->toggle_mark(5, 2); // r1c6 is 8: its only mark 2 leaves it out
    const Hint hint = game->hint();
    ASSERT_EQ(hint.kind, Hint::Kind::MissingMark);
    EXPECT_EQ(hint_text(hint, HintLevel::Where, Language::English).front(),
              "The candidates of r1c6 no longer allow a solution: a candidate you took out of it was needed.");
    EXPECT_EQ(hint_text(hint, HintLevel::Where).front(),
              "Les candidats de L1C6 ne permettent plus de solution : vous y avez retiré un candidat nécessaire.");
}

// Whole sentences: a line never ends in the middle of one.
TEST(Coach, says_whole_sentences) {
    for (const std::string& line : top95(3)) {
        std::optional<Game> game = start(line);
        ASSERT_TRUE(game);
        for (int guard = 0; guard < 200 && !game->finished(); ++guard) {
            const Hint hint = game->hint();
            for (const HintLevel level : {HintLevel::Where, HintLevel::Pattern, HintLevel::Step})
                for (const std::string& text : hint_text(hint, level))
                    EXPECT_TRUE(text.ends_with(".") || text.ends_with("?") || text.ends_with(":") ||
                                text.ends_with("»") || text.ends_with(")"))
                        << text;
            game->apply(hint);
        }
    }
}

} // namespace
} // namespace vornel::play
