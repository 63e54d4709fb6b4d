// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "coords.h"
#include "engine.h"
#include "files_fixture.h"
#include "headless_board.h"
#include "open_save.h"
#include "scripted_dialogs.h"
#include "sud_file.h"

using namespace vornel;
using vornel::test::failure_code;
using vornel::test::ScriptedDialogs;

namespace {

// Everything the user can see of the board.
struct BoardState {
    std::vector<std::string> texts;
    std::vector<Colour> colours;
    std::vector<bool> read_only;
    std::vector<std::string> log;
    bool button5 = false;
    bool button6 = false;
    bool operator==(const BoardState&) const = default;
};

class OpenSaveTest : public test::FilesTest {
protected:
    void TearDown() override {
        EXPECT_EQ(dialogs_.unexpected(), 0) << "a dialog nobody scripted";
        FilesTest::TearDown();
    }

    BoardState board_state() const {
        BoardState state;
        for (int r = 1; r <= 9; ++r) {
            for (int c = 1; c <= 9; ++c) {
                state.texts.push_back(board_.cell(r, c).text);
                state.colours.push_back(board_.cell_colour(r, c));
                state.read_only.push_back(board_.cell(r, c).read_only);
            }
        }
        state.log = board_.log();
        state.button5 = board_.button_visible(StepButton::Button5);
        state.button6 = board_.button_visible(StepButton::Button6);
        return state;
    }

    // A board in the middle of a solve: coloured, locked, with a log and a step button.
    void show_solving_board() {
        store_values(area_, test::puzzle_values(test::kEasy));
        engine_.show_grid();
        for (int c = 1; c <= 9; ++c) {
            board_.set_cell_colour(1, c, kRed);
            board_.set_cell_read_only(1, c, true);
        }
        board_.append_log("Nous traitons le chiffre 5.");
        board_.set_button_visible(StepButton::Button5, true);
    }

    std::string write_file(const std::string& name, const std::string& bytes) {
        put(name, bytes);
        return path(name);
    }

    WorkArea area_;
    std::vector<std::string> reported_;
    HeadlessBoard board_{area_, [this](const std::string& message) { reported_.push_back(message); }};
    Engine engine_{area_, board_};
    ScriptedDialogs dialogs_;
};

std::string lines(const std::vector<int>& values) {
    std::string text;
    for (const int v : values) text += std::to_string(v) + "\r\n";
    return text;
}

} // namespace

TEST_F(OpenSaveTest, both_dialogs_are_asked_with_the_sudoku_filter_and_no_name) {
    dialogs_.answer("");
    dialogs_.answer("");
    open_command(engine_, dialogs_);
    save_command(engine_, dialogs_);
    ASSERT_EQ(dialogs_.requests().size(), 2u);
    EXPECT_EQ(dialogs_.requests()[0].title, "Ouvrir");
    EXPECT_EQ(dialogs_.requests()[1].title, "Enregistrer sous");
    for (const FileDialogRequest& request : dialogs_.requests()) {
        EXPECT_EQ(request.filter, "Sudoku (*.sud)|*.sud");
        EXPECT_EQ(request.filter_index, 1);
        EXPECT_EQ(request.file_name, "");
    }
}

TEST_F(OpenSaveTest, cancelling_either_dialog_changes_nothing) {
    show_solving_board();
    const BoardState before = board_state();
    const Values grid = values_of(area_);
    dialogs_.answer("");
    dialogs_.answer("");
    open_command(engine_, dialogs_);
    save_command(engine_, dialogs_);
    EXPECT_EQ(board_state(), before);
    EXPECT_EQ(values_of(area_), grid);
    EXPECT_TRUE(entries().empty());
    EXPECT_TRUE(reported_.empty());
}

TEST(SaveFileName, names_gain_sud_unless_they_end_in_a_three_character_extension) {
    const struct {
        const char* given;
        const char* written;
    } cases[] = {
        {"", ""},
        {"abcd", ""},
        {".sud", ""},
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", ""}, // "éééé": 4 characters, 8 bytes
        {"abcde", "abcde.sud"},
        {"grille", "grille.sud"},
        {"grille.txt", "grille.txt"},
        {"grille.sud", "grille.sud"},
        {"grille.su", "grille.su.sud"},
        {"grille.sudoku", "grille.sudoku.sud"},
        {"x.sud", "x.sud"},
        {"/tmp/grille", "/tmp/grille.sud"},
        {"rep.d/grille", "rep.d/grille.sud"},
        {"a.\xC3\xA9t\xC3\xA9", "a.\xC3\xA9t\xC3\xA9"}, // "a.été" keeps its extension
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9.sud"},
    };
    for (const auto& c : cases) EXPECT_EQ(save_file_name(c.given), c.written) << c.given;
}

TEST_F(OpenSaveTest, save_writes_under_the_name_with_its_extension_rule) {
    store_values(area_, test::puzzle_values(test::kEasy));
    const std::string expected = puzzle_text(values_of(area_));
    for (const char* name : {"grille", "autre.txt", "trois.sud", "grille.su"}) {
        dialogs_.answer(path(name));
        save_command(engine_, dialogs_);
    }
    EXPECT_EQ(entries(), (std::set<std::string>{"grille.sud", "autre.txt", "trois.sud", "grille.su.sud"}));
    for (const char* name : {"grille.sud", "autre.txt", "trois.sud", "grille.su.sud"})
        EXPECT_EQ(contents(name), expected) << name;
}

TEST_F(OpenSaveTest, save_over_an_existing_file_asks_first_and_replaces_it_only_on_yes) {
    struct Case {
        const char* existing; // the file already there
        const char* typed;    // the name given in the dialog
        std::vector<bool> replies;
        const char* then; // the next name after a "Non" ("" cancels)
        bool replaced;
    };
    const Case cases[] = {
        {"grille.sud", "grille.sud", {true}, "", true},
        {"grille.sud", "grille", {true}, "", true},            // Save adds ".sud": the question names grille.sud
        {"grille.sud", "grille.sud", {false}, "", false},      // "Non", then Cancel
        {"grille.sud", "grille", {false}, "autre.sud", false}, // "Non", then another name
        {"grille.txt", "grille.txt", {true}, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.replies.front() ? " oui" : " non"));
        for (const auto& name : entries()) std::filesystem::remove(path(name));
        show_solving_board();
        put(c.existing, "old");
        const BoardState before = board_state();
        ScriptedDialogs script;
        script.answer(path(c.typed));
        if (!c.replies.front()) script.answer(c.then[0] ? path(c.then) : "");
        for (const bool r : c.replies) script.reply_to_replace(r);
        save_command(engine_, script);
        EXPECT_EQ(script.questions(), std::vector<std::string>{path(c.existing)});
        EXPECT_EQ(contents(c.existing), c.replaced ? puzzle_text(values_of(area_)) : "old");
        if (c.then[0]) { EXPECT_EQ(contents(c.then), puzzle_text(values_of(area_))); }
        EXPECT_EQ(board_state(), before);
    }
}

TEST_F(OpenSaveTest, save_asks_nothing_when_no_file_would_be_replaced) {
    put("grille", "old");                                   // "grille" writes grille.sud, which is free
    std::filesystem::create_directory(path("dossier.sud")); // a folder is opened, not replaced
    EXPECT_EQ(existing_save_target(path("grille")), "");
    EXPECT_EQ(existing_save_target(path("dossier.sud")), "");
    EXPECT_EQ(existing_save_target(""), "");
    dialogs_.answer(path("grille"));
    save_command(engine_, dialogs_);
    EXPECT_EQ(contents("grille"), "old");
    EXPECT_EQ(contents("grille.sud"), puzzle_text(values_of(area_)));
}

TEST_F(OpenSaveTest, a_failed_save_throws_its_code_and_changes_nothing) {
    show_solving_board();
    const BoardState before = board_state();
    dialogs_.answer(path("absent/grille"));
    EXPECT_EQ(failure_code([&] { save_command(engine_, dialogs_); }), 3);
    EXPECT_EQ(board_state(), before);
}

TEST_F(OpenSaveTest, a_saved_puzzle_opened_again_shows_the_same_digits_as_a_fresh_puzzle) {
    // State: a puzzle typed into the board.
    for (int i = 0; i < 81; ++i) {
        const char ch = test::kEasy[static_cast<std::size_t>(i)];
        if (ch != '.') board_.set_cell_text(i / 9 + 1, i % 9 + 1, std::string(1, ch));
    }
    const BoardState typed = board_state();
    dialogs_.answer(path("grille"));
    save_command(engine_, dialogs_);

    // Action: New, a solve-like state, then Open.
    engine_.new_puzzle();
    show_solving_board();
    engine_.new_puzzle();
    board_.append_log("Nouveau cycle.");
    board_.set_button_visible(StepButton::Button6, true);
    dialogs_.answer(path("grille.sud"));
    open_command(engine_, dialogs_);

    // Expected: the same digits, every cell white and editable, empty log, both buttons hidden.
    EXPECT_EQ(values_of(area_), test::puzzle_values(test::kEasy));
    const BoardState opened = board_state();
    EXPECT_EQ(opened.texts, typed.texts);
    EXPECT_EQ(opened.colours, std::vector<Colour>(81, kWhite));
    EXPECT_EQ(opened.read_only, std::vector<bool>(81, false));
    EXPECT_TRUE(opened.log.empty());
    EXPECT_FALSE(opened.button5);
    EXPECT_FALSE(opened.button6);
    EXPECT_TRUE(reported_.empty());
}

TEST_F(OpenSaveTest, open_adds_no_extension) {
    put("grille.sud", lines({5}));
    dialogs_.answer(path("grille"));
    EXPECT_EQ(failure_code([&] { open_command(engine_, dialogs_); }), 2);
    EXPECT_EQ(area_.grid[1][1], 0);
}

TEST_F(OpenSaveTest, values_of_ten_and_more_show_in_full_but_store_their_first_digit) {
    const std::string name = write_file("grand.sud", lines({12, 10, 5}));
    dialogs_.answer(name);
    open_command(engine_, dialogs_);
    EXPECT_EQ(board_.cell(1, 1).text, "12");
    EXPECT_EQ(area_.grid[1][1], 1);
    EXPECT_EQ(board_.cell(1, 2).text, "10");
    EXPECT_EQ(area_.grid[1][2], 1);
    EXPECT_EQ(area_.grid[1][3], 5);

    // Opened again, the cells already show "12" and "10": no change runs, the values read stay.
    dialogs_.answer(name);
    open_command(engine_, dialogs_);
    EXPECT_EQ(area_.grid[1][1], 12);
    EXPECT_EQ(area_.grid[1][2], 10);
    EXPECT_TRUE(reported_.empty());
}

TEST_F(OpenSaveTest, negative_values_show_in_full_are_reported_and_keep_the_value_read) {
    dialogs_.answer(write_file("negatif.sud", lines({-3, 4, -12})));
    open_command(engine_, dialogs_);
    EXPECT_EQ(board_.cell(1, 1).text, "-3");
    EXPECT_EQ(area_.grid[1][1], -3);
    EXPECT_EQ(area_.grid[1][2], 4);
    EXPECT_EQ(board_.cell(1, 3).text, "-12");
    EXPECT_EQ(area_.grid[1][3], -12);
    EXPECT_EQ(reported_, std::vector<std::string>(2, "'-' n'est pas une valeur entière correcte"));
    // The refresh went on to the end.
    EXPECT_EQ(board_.cell(9, 9).colour, kWhite);
    EXPECT_TRUE(board_.log().empty());
}

TEST_F(OpenSaveTest, a_non_numeric_line_stops_the_open_and_changes_nothing) {
    show_solving_board();
    const BoardState before = board_state();
    const Values grid = values_of(area_);
    dialogs_.answer(write_file("lettre.sud", lines({1, 2, 3}) + "a\r\n4\r\n"));
    try {
        open_command(engine_, dialogs_);
        ADD_FAILURE() << "no failure";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.code(), 106);
        EXPECT_EQ(failure_text(error.message()), "Saisie numérique incorrecte.");
    }
    EXPECT_EQ(values_of(area_), grid);
    EXPECT_EQ(board_state(), before);
}

TEST_F(OpenSaveTest, a_missing_file_fails_with_code_2_and_changes_nothing) {
    show_solving_board();
    const BoardState before = board_state();
    const Values grid = values_of(area_);
    dialogs_.answer(path("absent.sud"));
    try {
        open_command(engine_, dialogs_);
        ADD_FAILURE() << "no failure";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.code(), 2);
        EXPECT_EQ(failure_text(error.message()), "Fichier introuvable.");
    }
    EXPECT_EQ(values_of(area_), grid);
    EXPECT_EQ(board_state(), before);
}

TEST_F(OpenSaveTest, open_leaves_the_occurrence_table_and_the_counters_alone) {
    area_.freq[5] = 3;
    area_.cur_digit = 5;
    board_.show_occurrence_table();
    board_.set_occurrence_cell(5, 1, "3");
    dialogs_.answer(write_file("grille.sud", lines({1, 2})));
    open_command(engine_, dialogs_);
    EXPECT_EQ(area_.freq[5], 3);
    EXPECT_EQ(area_.cur_digit, 5);
    EXPECT_TRUE(board_.gr1_visible());
    EXPECT_TRUE(board_.label1_visible());
    EXPECT_EQ(board_.occurrence_cell(5, 1), "3");
}

TEST_F(OpenSaveTest, a_name_of_four_characters_or_fewer_ends_the_open_silently) {
    show_solving_board();
    const BoardState before = board_state();
    for (const char* name : {"a", "abcd", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"}) {
        dialogs_.answer(name);
        EXPECT_EQ(failure_code([&] { open_command(engine_, dialogs_); }), 0) << name;
    }
    EXPECT_EQ(board_state(), before);
}
