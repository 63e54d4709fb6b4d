// SPDX-License-Identifier: GPL-3.0-or-later
// The game the player solves, headless: moves and their history, conflicts, the check, the coach's
// hints from the player's own position, the timer and the game file.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "coach.h"
#include "game.h"
#include "game_file.h"
#include "ladder/narration.h"
#include "ladder/narrator_fr.h"
#include "puzzles.h"

namespace vornel::play {
namespace {

Grid grid_of(std::string_view line) {
    Grid g{};
    EXPECT_TRUE(grid_from_line(std::string(line), g)) << line;
    return g;
}

Game easy_game() {
    std::string error;
    std::optional<Game> game = Game::start(grid_of(test::kEasy), error);
    EXPECT_TRUE(game) << error;
    return *game;
}

// The first empty cell of the easy puzzle (row 1, column 3) and its solution's digit.
constexpr int kFree = 2;
constexpr int kFreeDigit = 4;

std::vector<std::string> top95(int count) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/top95.txt");
    std::vector<std::string> out;
    std::string line;
    while (static_cast<int>(out.size()) < count && std::getline(in, line))
        if (line.size() >= 81 && line[0] != '#') out.push_back(line.substr(0, 81));
    return out;
}

TEST(GameStart, accepts_only_givens_with_one_solution) {
    struct Case {
        std::string givens;
        bool plays;
        const char* error;
    } cases[] = {
        {std::string(test::kEasy), true, ""},
        {std::string(81, '.'), false, "Cette grille a plusieurs solutions : on ne peut pas la jouer."},
        {"11" + std::string(79, '.'), false, "Cette grille n'a aucune solution : on ne peut pas la jouer."},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<Game> game = Game::start(grid_of(c.givens), error);
        EXPECT_EQ(game.has_value(), c.plays) << c.givens;
        EXPECT_EQ(error, c.error) << c.givens;
        if (game) { EXPECT_EQ(grid_line(game->solution()), test::kEasySolution); }
    }
}

TEST(GameMoves, refuse_what_changes_nothing_and_never_touch_givens) {
    Game game = easy_game();
    // Cell 0 holds the given 5.
    EXPECT_FALSE(game.write(0, 1));
    EXPECT_FALSE(game.clear(0));
    EXPECT_FALSE(game.toggle_mark(0, 1));
    EXPECT_FALSE(game.write(kFree, 0));
    EXPECT_FALSE(game.write(kFree, 10));
    EXPECT_FALSE(game.clear(kFree)); // nothing to clear
    EXPECT_TRUE(game.write(kFree, 4));
    EXPECT_FALSE(game.write(kFree, 4));       // the same digit again
    EXPECT_FALSE(game.toggle_mark(kFree, 2)); // a cell with a digit takes no pencil mark
    EXPECT_FALSE(game.can_redo());
    EXPECT_EQ(game.value(0), 5);
}

TEST(GameMoves, undo_and_redo_walk_the_whole_history_and_a_new_move_drops_the_undone_ones) {
    Game game = easy_game();
    std::vector<Position> seen{game.position()};
    ASSERT_TRUE(game.toggle_mark(kFree, 1));
    seen.push_back(game.position());
    ASSERT_TRUE(game.toggle_mark(kFree, 2));
    seen.push_back(game.position());
    ASSERT_TRUE(game.write(kFree, 4));
    seen.push_back(game.position());
    ASSERT_TRUE(game.clear(kFree));
    seen.push_back(game.position());
    ASSERT_TRUE(game.clear(kFree)); // now the pencil marks go
    seen.push_back(game.position());
    EXPECT_EQ(game.marks(kFree), 0);

    for (std::size_t i = seen.size() - 1; i > 0; --i) {
        ASSERT_TRUE(game.undo());
        EXPECT_EQ(game.position(), seen[i - 1]) << "after undoing move " << i;
    }
    EXPECT_FALSE(game.undo());
    for (std::size_t i = 1; i < seen.size(); ++i) {
        ASSERT_TRUE(game.redo());
        EXPECT_EQ(game.position(), seen[i]) << "after redoing move " << i;
    }
    EXPECT_FALSE(game.redo());

    game.undo();
    game.undo(); // back to the 4 written
    ASSERT_TRUE(game.write(kFree, 7));
    EXPECT_FALSE(game.can_redo());
    EXPECT_TRUE(game.undo());
    EXPECT_EQ(game.position(), seen[3]);
    EXPECT_TRUE(game.redo());
    EXPECT_EQ(game.value(kFree), 7);
}

TEST(GameMoves, writing_a_digit_takes_it_out_of_the_peers_pencil_marks_only) {
    Game game = easy_game();
    ASSERT_TRUE(game.fill_candidates());
    const Position before = game.position();
    ASSERT_TRUE(game.write(kFree, kFreeDigit));
    const auto& geo = ladder::geometry();
    for (int cell = 0; cell < 81; ++cell) {
        if (cell == kFree) continue;
        const bool peer = geo.peer_set[kFree].has(cell);
        const std::uint16_t expected = peer ? before.marks[cell] & ~(1u << kFreeDigit) : before.marks[cell];
        EXPECT_EQ(game.marks(cell), expected) << "cell " << cell;
    }
    // One undo brings every mark back.
    game.undo();
    EXPECT_EQ(game.position(), before);
}

TEST(GameMoves, fill_candidates_writes_what_each_cell_may_still_hold) {
    Game game = easy_game();
    game.write(kFree, 9); // wrong, but still a digit the candidates must account for
    ASSERT_TRUE(game.fill_candidates());
    const ladder::Candidates c(game.position().values);
    for (int cell = 0; cell < 81; ++cell)
        EXPECT_EQ(game.marks(cell), game.value(cell) ? 0 : c.mask(cell)) << "cell " << cell;
    EXPECT_FALSE(game.fill_candidates()); // nothing new
}

TEST(GameConflicts, mark_every_cell_of_a_duplicate_at_once) {
    Game game = easy_game();
    EXPECT_TRUE(game.conflicts().empty());
    // Row 1 already holds a 5 in column 1, column 3 a 8 in row 3, region 1 a 9 in row 3.
    struct Case {
        int digit;
        std::vector<int> cells;
    } cases[] = {
        {5, {0, kFree}},
        {8, {kFree, 20}},
        {9, {kFree, 19}},
        {kFreeDigit, {}},
    };
    for (const Case& c : cases) {
        game.write(kFree, c.digit);
        ladder::CellSet expected;
        for (int cell : c.cells) expected.add(cell);
        EXPECT_EQ(game.conflicts(), expected) << "digit " << c.digit;
    }
    game.clear(kFree);
    EXPECT_TRUE(game.conflicts().empty());
}

TEST(GameCheck, reports_wrong_digits_and_marks_that_lost_the_solution_digit) {
    Game game = easy_game();
    game.write(kFree, 1);   // wrong
    game.write(3, 6);       // right (row 1, column 4)
    game.toggle_mark(5, 1); // row 1, column 6 is 8: marks 1 and 2 leave it out
    game.toggle_mark(5, 2);
    game.toggle_mark(6, 9); // row 1, column 7 is 9: kept
    const CheckResult result = game.check();
    EXPECT_EQ(result.wrong_cells, std::vector<std::uint8_t>{kFree});
    ASSERT_EQ(result.missing_marks.size(), 1u);
    EXPECT_EQ(result.missing_marks[0], (ladder::Candidate{5, 8}));
    EXPECT_FALSE(result.clean());
}

TEST(GameHint, tells_mistakes_first_then_a_step_from_the_player_position) {
    Game game = easy_game();
    game.toggle_mark(5, 2); // loses the 8 of row 1, column 6
    game.write(kFree, 1);   // wrong
    Hint hint = game.hint();
    EXPECT_EQ(hint.kind, Hint::Kind::WrongDigit);
    EXPECT_EQ(hint.where, (ladder::Candidate{kFree, 1}));
    EXPECT_EQ(hint_text(hint, HintLevel::Where).front().rfind("Le 1 de L1C3 n'est pas le bon chiffre", 0), 0u)
        << hint_text(hint, HintLevel::Where).front();
    game.clear(kFree);
    hint = game.hint();
    EXPECT_EQ(hint.kind, Hint::Kind::MissingMark);
    EXPECT_EQ(hint.where, (ladder::Candidate{5, 8}));
    game.clear(5);
    hint = game.hint();
    EXPECT_EQ(hint.kind, Hint::Kind::Step);
    EXPECT_EQ(game.hints_used(), 3);
    game.hint(false);
    EXPECT_EQ(game.hints_used(), 3);
    EXPECT_EQ(game.techniques_met(), std::vector<ladder::Technique>{hint.step.technique});
}

TEST(GameHint, three_levels_say_more_each_time_and_the_last_is_the_ladder_step) {
    std::string error;
    Game game = *Game::start(grid_of(test::kHard), error);
    // Past the singles, to a technique told with its name.
    Hint hint = game.hint();
    while (hint.step.technique <= ladder::Technique::NakedSingle) {
        ASSERT_TRUE(game.apply(hint));
        hint = game.hint();
    }
    ASSERT_EQ(hint.kind, Hint::Kind::Step);
    const std::vector<std::string> where = hint_text(hint, HintLevel::Where);
    const std::vector<std::string> pattern = hint_text(hint, HintLevel::Pattern);
    ASSERT_EQ(where.size(), 1u);
    EXPECT_EQ(
        where[0].rfind("Cherchez avec la technique « " + ladder::technique_name_fr(hint.step.technique) + " », ", 0),
        0u)
        << where[0];
    ASSERT_GE(pattern.size(), 2u);
    EXPECT_EQ(pattern[0], where[0]);
    EXPECT_EQ(pattern[1].rfind("Le motif : ", 0), 0u) << pattern[1];
    EXPECT_EQ(hint_text(hint, HintLevel::Step), ladder::narrate_sentences(hint.step));
}

// The pencil marks narrow the ladder's candidates: a cell whose marks the player reduced to the
// solution's digit is a naked single the coach sees, where the givens alone show none.
TEST(GameHint, starts_from_the_player_pencil_marks) {
    for (const std::string& line : top95(6)) {
        std::string error;
        std::optional<Game> game = Game::start(grid_of(line), error);
        ASSERT_TRUE(game) << error;
        game->fill_candidates();
        int target = 0;
        while (game->value(target)) ++target;
        for (int d = 1; d <= 9; ++d)
            if (d != game->solution()[target] && ((game->marks(target) >> d) & 1)) game->toggle_mark(target, d);
        const Hint hint = game->hint();
        ASSERT_EQ(hint.kind, Hint::Kind::Step) << line;
        ASSERT_TRUE(hint.before);
        for (int cell = 0; cell < 81; ++cell)
            if (!game->value(cell)) {
                EXPECT_EQ(hint.before->mask(cell), game->marks(cell)) << line << " cell " << cell;
            }
        EXPECT_LE(hint.step.technique, ladder::Technique::NakedSingle) << line;
    }
}

// Following the coach's whole steps solves the puzzle, whatever the player had pencilled (none, or
// every candidate), and every step keeps the solution.
TEST(GameHint, applying_every_step_solves_the_puzzle_soundly) {
    const std::string puzzles[] = {std::string(test::kEasy), std::string(test::kHard), top95(1).front()};
    for (const std::string& line : puzzles) {
        for (const bool pencilled : {false, true}) {
            std::string error;
            std::optional<Game> game = Game::start(grid_of(line), error);
            ASSERT_TRUE(game) << error;
            if (pencilled) game->fill_candidates();
            int steps = 0;
            while (!game->finished() && steps < 400) {
                const Hint hint = game->hint();
                ASSERT_EQ(hint.kind, Hint::Kind::Step) << line << " after " << steps << " steps";
                ASSERT_TRUE(game->apply(hint)) << line << " step " << steps << " changed nothing";
                ASSERT_TRUE(game->check().clean()) << line << " step " << steps;
                ++steps;
            }
            EXPECT_TRUE(game->finished()) << line;
            EXPECT_FALSE(game->write(kFree, 1)); // a finished game takes no move
            EXPECT_EQ(game->hint().kind, Hint::Kind::Solved);
        }
    }
}

TEST(GameTimer, counts_only_while_running) {
    Game game = easy_game();
    game.add_time(1500);
    game.set_paused(true);
    game.add_time(60000);
    game.set_paused(false);
    game.add_time(-5);
    game.add_time(500);
    EXPECT_EQ(game.elapsed_ms(), 2000);
    const Grid solution = game.solution();
    for (int cell = 0; cell < 81; ++cell) game.write(cell, solution[cell]);
    ASSERT_TRUE(game.finished());
    game.add_time(1000);
    EXPECT_EQ(game.elapsed_ms(), 2000);
}

TEST(GameTimer, clock_text_shows_minutes_and_hours) {
    const std::pair<std::int64_t, const char*> cases[] = {{0, "00:00"},       {999, "00:00"},       {61000, "01:01"},
                                                          {3599999, "59:59"}, {3600000, "1:00:00"}, {-4, "00:00"}};
    for (const auto& [ms, text] : cases) EXPECT_EQ(clock_text(ms), text) << ms;
}

TEST(GameFile, keeps_givens_digits_marks_time_and_hints) {
    Game game = easy_game();
    game.write(kFree, 1);
    game.toggle_mark(5, 8);
    game.toggle_mark(5, 2);
    game.add_time(754000);
    game.hint();
    const std::string text = write_game(game.saved());
    std::string error;
    const std::optional<Game::Saved> saved = read_game(text, error);
    ASSERT_TRUE(saved) << error;
    std::optional<Game> back = Game::restore(*saved, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->position(), game.position());
    EXPECT_EQ(back->givens(), game.givens());
    EXPECT_EQ(back->elapsed_ms(), 754000);
    EXPECT_EQ(back->hints_used(), 1);
    EXPECT_FALSE(back->can_undo());
    EXPECT_TRUE(back->is_given(0));
    EXPECT_FALSE(back->is_given(kFree));
    // Written the same way twice: a file saved again without a move does not change.
    EXPECT_EQ(write_game(back->saved()), text);
}

TEST(GameFile, reads_members_in_any_order_and_ignores_unknown_ones) {
    const std::string text = "{\"hints\":3,\"extra\":{\"a\":[1,true,null]},\"givens\":\"" + std::string(test::kEasy) +
                             "\",\"format\":\"vornel-partie\"}";
    std::string error;
    const std::optional<Game::Saved> saved = read_game(text, error);
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(saved->hints, 3);
    EXPECT_EQ(saved->elapsed_ms, 0);
    EXPECT_EQ(grid_line(saved->position.values), test::kEasy);
}

TEST(GameFile, says_in_french_what_is_wrong) {
    const std::string givens = "\"givens\":\"" + std::string(test::kEasy) + "\"";
    const std::string head = "{\"format\":\"vornel-partie\"," + givens;
    std::string eighty_empty;
    for (int i = 0; i < 80; ++i) eighty_empty += ",\"\"";
    struct Case {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "Ce fichier n'est pas une partie de Vornel : le fichier doit commencer par « { » (ligne 1)."},
        {"{\"format\":\"vornel-partie\",\n\"givens\" 1}",
         "Ce fichier n'est pas une partie de Vornel : « : » est attendu après « givens » (ligne 2)."},
        {head + "} x", "Ce fichier n'est pas une partie de Vornel : du texte suit la fin de l'objet (ligne 1)."},
        {"{\"format\":\"autre\"}",
         "Ce fichier n'est pas une partie de Vornel (le membre « format » doit valoir « vornel-partie »)."},
        {head + ",\"version\":2}", "Cette partie a été écrite par une version plus récente de Vornel (format 2)."},
        {"{\"format\":\"vornel-partie\",\"givens\":\"123\"}",
         "La partie n'a pas de grille valide : « givens » doit tenir 81 caractères, chiffres ou points."},
        {head + ",\"digits\":\"1" + std::string(80, '.') + "\"}",
         "La partie écrit un chiffre dans une case donnée (case 1, 1)."},
        {head + ",\"marks\":[\"1\"]}",
         "Les candidats de la partie sont illisibles : « marks » doit être une liste de 81 chaînes."},
        {head + ",\"marks\":[\"1a\"" + eighty_empty + "]}",
         "Les candidats de la partie sont illisibles : « 1a » n'est pas une suite de chiffres."},
        {head + ",\"elapsed_ms\":-1}", "Le temps ou le nombre d'indices de la partie n'est pas un entier positif."},
        {head + ",\"hints\":\"2\"}", "Le temps ou le nombre d'indices de la partie n'est pas un entier positif."},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(read_game(c.text, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

TEST(GameFile, refuses_a_game_whose_givens_cannot_be_played) {
    Game::Saved saved;
    saved.position.values = saved.givens; // empty grid: many solutions
    std::string error;
    EXPECT_FALSE(Game::restore(saved, error));
    EXPECT_EQ(error, "Cette grille a plusieurs solutions : on ne peut pas la jouer.");
}

TEST(GameFile, says_in_english_what_is_wrong) {
    const std::string givens = "\"givens\":\"" + std::string(test::kEasy) + "\"";
    const std::string head = "{\"format\":\"vornel-partie\"," + givens;
    struct Case {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "This file is not a Vornel game: the file must start with '{' (line 1)."},
        {"{\"format\":\"vornel-partie\",\n\"givens\" 1}",
         "This file is not a Vornel game: ':' is expected after 'givens' (line 2)."},
        {"{\"format\":\"autre\"}", "This file is not a Vornel game (its member 'format' must be 'vornel-partie')."},
        {head + ",\"version\":2}", "This game was written by a newer version of Vornel (format 2)."},
        {head + ",\"digits\":\"." + "1" + std::string(79, '.') + "\"}",
         "The game writes a digit in a given cell (row 1, column 2)."},
        {head + ",\"hints\":\"2\"}", "The game's time or number of hints is not a positive whole number."},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(read_game(c.text, error, Language::English)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
        // The same problem, as data, gives the French of the same file.
        GameFileProblem problem;
        EXPECT_FALSE(read_game(c.text, problem));
        std::string french;
        read_game(c.text, french);
        EXPECT_EQ(problem_text(problem, Language::French), french);
    }
}

// Every problem has its own sentence in each language, and the English keeps no French.
TEST(GameFile, every_problem_has_words_in_both_languages) {
    using Kind = GameFileProblem::Kind;
    std::set<std::string> seen;
    for (int k = 0; k <= static_cast<int>(Kind::BadRecord); ++k) {
        const GameFileProblem problem{static_cast<Kind>(k), 3, 12, "x"};
        const std::string french = problem_text(problem, Language::French);
        const std::string english = problem_text(problem, Language::English);
        EXPECT_FALSE(french.empty()) << k;
        EXPECT_TRUE(seen.insert(english).second) << english;
        for (const char* word : {"\u00ab", "ligne", " partie", " : ", "grille", "chiffre"})
            EXPECT_EQ(english.find(word), std::string::npos) << english;
    }
    for (const GameProblem problem : {GameProblem::NotADigit, GameProblem::NoSolution, GameProblem::SeveralSolutions,
                                      GameProblem::ChangesAGiven, GameProblem::SavedNotADigit}) {
        const std::string english = problem_text(problem, Language::English);
        EXPECT_TRUE(seen.insert(english).second) << english;
        EXPECT_EQ(english.find(" : "), std::string::npos) << english;
        EXPECT_NE(problem_text(problem, Language::French), english);
    }
}

TEST(GameHint, speaks_english_with_r_c_cell_names) {
    std::string error;
    Game game = easy_game();
    game.write(kFree, 5); // repeats the 5 of r1c1
    Hint hint = game.hint();
    EXPECT_EQ(hint_text(hint, HintLevel::Where, Language::English),
              (std::vector<std::string>{
                  "The 5 in r1c3 is already in row 1, at r1c1: a digit goes only once in each row, column and box.",
                  "Erase it, or take the game back to before your first mistake."}));
    game = *Game::start(grid_of(test::kHard), error);
    hint = game.hint();
    while (hint.step.technique <= ladder::Technique::NakedSingle) {
        ASSERT_TRUE(game.apply(hint));
        hint = game.hint();
    }
    ASSERT_EQ(hint.kind, Hint::Kind::Step);
    const std::vector<std::string> pattern = hint_text(hint, HintLevel::Pattern, Language::English);
    ASSERT_GE(pattern.size(), 2u);
    EXPECT_EQ(pattern[0].rfind("Try the technique \u201c", 0), 0u) << pattern[0];
    EXPECT_TRUE(pattern[0].find("\u201d in ") != std::string::npos ||
                pattern[0].find("\u201d around box") != std::string::npos)
        << pattern[0];
    EXPECT_EQ(pattern[1].rfind("The pattern: ", 0), 0u) << pattern[1];
    EXPECT_EQ(pattern[1].find("ligne"), std::string::npos) << pattern[1];
    EXPECT_NE(pattern[0].find(ladder::technique_name(hint.step.technique, Language::English)), std::string::npos);
    EXPECT_EQ(hint_text(hint, HintLevel::Step, Language::English),
              ladder::narrate_sentences(hint.step, Language::English));

    EXPECT_FALSE(Game::start(grid_of(std::string(81, '.')), error, Language::English));
    EXPECT_EQ(error, "This puzzle has several solutions: it cannot be played.");
}

TEST(GameMistakes, are_counted_once_per_move_and_undone_back_to_the_last_clean_position) {
    Game game = easy_game();
    ASSERT_TRUE(game.write(kFree, kFreeDigit)); // right
    ASSERT_TRUE(game.write(3, 1));              // wrong (r1c4 is 6)
    EXPECT_FALSE(game.write(4, 7));             // a given: refused, nothing recorded
    ASSERT_TRUE(game.toggle_mark(5, 2));        // r1c6 is 8: a first mark, no mistake yet
    ASSERT_TRUE(game.toggle_mark(5, 8));
    ASSERT_TRUE(game.toggle_mark(5, 8)); // the right digit taken out: a mistake
    ASSERT_TRUE(game.toggle_mark(5, 3)); // still without it: no new mistake
    EXPECT_EQ(game.mistakes(), 2);
    const Position clean = [&] {
        Game copy = easy_game();
        copy.write(kFree, kFreeDigit);
        return copy.position();
    }();
    EXPECT_TRUE(game.undo_mistakes());
    EXPECT_EQ(game.position(), clean);
    EXPECT_FALSE(game.undo_mistakes()); // nothing wrong any more
    EXPECT_TRUE(game.redo());           // the moves undone stay to redo
    EXPECT_EQ(game.mistakes(), 2);
}

TEST(GameMoves, fill_candidates_never_puts_back_a_mark_the_player_took_out) {
    Game game = easy_game();
    ASSERT_TRUE(game.toggle_mark(kFree, 1));
    ASSERT_TRUE(game.fill_candidates());
    EXPECT_EQ(game.marks(kFree), 1u << 1); // kept as the player wrote it
    const ladder::Candidates c(game.position().values);
    EXPECT_EQ(game.marks(3), c.mask(3)); // a cell without marks is filled
}

TEST(GameFile, keeps_mistakes_start_and_techniques_met) {
    Game game = easy_game();
    game.write(3, 1);
    game.set_started(1796720100);
    game.hint();
    game.clear(3);
    game.hint();
    const std::string text = write_game(game.saved());
    std::string error;
    const std::optional<Game::Saved> saved = read_game(text, error);
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(saved->mistakes, 1);
    EXPECT_EQ(saved->started, 1796720100);
    EXPECT_EQ(saved->techniques, game.techniques_met());
    EXPECT_EQ(saved->techniques.size(), 1u);
    const std::optional<Game> back = Game::restore(*saved, error);
    ASSERT_TRUE(back);
    EXPECT_EQ(write_game(back->saved()), text);
    // Ids a later version adds are left out; wrong types refused.
    const std::string later = text.substr(0, text.rfind(']')) + ", \"tomorrow-technique\"]\n}\n";
    ASSERT_TRUE(read_game(later, error)) << error << later;
    EXPECT_EQ(read_game(later, error)->techniques, game.techniques_met());
    for (const char* bad : {"\"mistakes\": -1", "\"started\": \"hier\"", "\"techniques\": 3"}) {
        const std::string broken =
            "{\"format\": \"vornel-partie\", \"givens\": \"" + grid_line(game.givens()) + "\", " + bad + "}";
        EXPECT_FALSE(read_game(broken, error)) << bad;
        EXPECT_NE(error.find("mistakes"), std::string::npos) << bad << ": " << error;
    }
}

} // namespace
} // namespace vornel::play
