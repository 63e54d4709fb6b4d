// SPDX-License-Identifier: GPL-3.0-or-later
// What vornel-explain promises scripts (docs/data-contract.md): ids that do not follow the language,
// one --summary row of fixed fields per input line, and inputs recognised without --lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "data_contract.h"
#include "explain_cli.h"
#include "puzzles.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = vornel::run_explain(args, in, out, err);
    return {status, out.str(), err.str()};
}

std::string data(const std::string& name) { return std::string(VORNEL_TEST_DATA) + "/" + name; }

std::vector<std::vector<std::string>> rows_of(const std::string& summary) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(summary);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::size_t at = 0;
        for (std::size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1)
            fields.push_back(line.substr(at, tab - at));
        fields.push_back(line.substr(at));
        rows.push_back(fields);
    }
    return rows;
}

// `json` without the values of the keys that follow the language: the sentences ("text",
// "conclusion", "problems") and the level's word ("level_text"). Knows JSON strings and nesting,
// nothing more.
std::string without_words(const std::string& json) {
    std::string out;
    for (std::size_t i = 0; i < json.size();) {
        bool cut = false;
        for (const std::string key : {"\"text\":", "\"conclusion\":", "\"problems\":", "\"level_text\":"}) {
            if (json.compare(i, key.size(), key) != 0) continue;
            out += key + "…";
            i += key.size();
            int depth = 0;
            bool in_string = false;
            for (; i < json.size(); ++i) {
                const char c = json[i];
                if (in_string) {
                    if (c == '\\')
                        ++i;
                    else if (c == '"')
                        in_string = false;
                    if (!in_string && depth == 0) {
                        ++i;
                        break;
                    }
                    continue;
                }
                if (c == '"')
                    in_string = true;
                else if (c == '[' || c == '{')
                    ++depth;
                else if (c == ']' || c == '}') {
                    if (--depth == 0) {
                        ++i;
                        break;
                    }
                }
            }
            cut = true;
            break;
        }
        if (!cut) out += json[i++];
    }
    return out;
}

// Every kind of input line: solved, stuck (classic), several solutions, no solution, invalid,
// a position with candidates, and malformed lines, between comments and blank lines.
std::string mixed_input() {
    std::string marks;
    for (const char c : vornel::test::kEasy) {
        std::string cell = c == '.' ? std::string("123456789") : std::string(9, '.');
        if (c != '.') cell[static_cast<std::size_t>(c - '1')] = c;
        marks += cell;
    }
    return "# corpus\n" + std::string(vornel::test::kEasy) + "  # easy, with a comment\n" +
           std::string(vornel::test::kHard) + "\n\n" +
           "53.67891267219534819834256785976.42.42685.79.71392485696153728428741963534528617.\n" + "55" +
           std::string(79, '.') + "\n" + "not a puzzle\n" + marks + "\n" + std::string(80, '.') + "\n" +
           "...3...........6........1.....6...............4...3......29..........3.43........\n";
}

} // namespace

TEST(Contract, ids_are_the_same_in_french_and_english_for_both_engines) {
    for (const std::vector<std::string>& report :
         {std::vector<std::string>{"--summary"}, std::vector<std::string>{"--techniques", "classic", "--summary"},
          std::vector<std::string>{"--json"}, std::vector<std::string>{"--next", "--json"},
          std::vector<std::string>{"--find", "hidden-single", "--json"}}) {
        std::vector<std::string> fr = report, en = report;
        fr.insert(fr.end(), {"--lang", "fr", "-"});
        en.insert(en.end(), {"--lang", "en", "-"});
        const Result french = run(fr, mixed_input());
        const Result english = run(en, mixed_input());
        EXPECT_EQ(without_words(french.out), without_words(english.out)) << report.back();
        EXPECT_NE(french.err, english.err) << "the reasons are told in each language";
    }
    // The words are still there, in their language, beside the ids.
    const Result json = run({"--json", "--lang", "en", "-"}, std::string(vornel::test::kEasy) + "\n");
    EXPECT_NE(json.out.find("\"level\":\"very-easy\",\"level_text\":\"very easy\""), std::string::npos) << json.out;
}

TEST(Contract, every_input_line_gives_one_row_of_fixed_fields_with_a_known_status) {
    const std::set<std::string> statuses = {"solved",   "stuck", "invalid", "no-solution", "several-solutions",
                                            "bad-input"};
    const std::string input = mixed_input();
    std::size_t puzzle_lines = 0;
    std::istringstream lines(input);
    for (std::string line; std::getline(lines, line);) puzzle_lines += !line.empty() && line[0] != '#';
    for (const bool classic : {false, true}) {
        std::vector<std::string> args = {"--summary", "-", data("odd_values.sud"), data("missing.sud"),
                                         data("stuck-kinds.txt")};
        if (classic) args.insert(args.begin(), {"--techniques", "classic"});
        const Result r = run(args, input);
        EXPECT_EQ(r.status, 1) << "some inputs are bad";
        const auto rows = rows_of(r.out);
        ASSERT_EQ(rows.size(), puzzle_lines + 2 + 3) << r.out;
        std::set<std::string> seen;
        for (const auto& row : rows) {
            ASSERT_EQ(row.size(), std::size_t(vornel::kSummaryFieldCount)) << r.out;
            EXPECT_EQ(statuses.count(row[2]), 1u) << row[2];
            seen.insert(row[2]);
            if (row[2] == "bad-input")
                EXPECT_EQ(std::vector<std::string>(row.begin() + 3, row.end()), std::vector<std::string>(8, "-"));
            else
                EXPECT_EQ(row[3].size(), 81u);
        }
        // Joined back to the input: source and line of each row, in input order.
        EXPECT_EQ(rows[0][0], "-");
        EXPECT_EQ(rows[0][1], "2") << "line 1 is a comment";
        EXPECT_EQ(rows[1][1], "3");
        EXPECT_EQ(rows[2][1], "5") << "line 4 is blank";
        EXPECT_EQ(rows[4][2], "bad-input") << "\"not a puzzle\"";
        EXPECT_EQ(rows[puzzle_lines][0], data("odd_values.sud"));
        EXPECT_EQ(rows[puzzle_lines][1], "") << "a .sud file has no line";
        EXPECT_EQ(rows[puzzle_lines + 1][2], "bad-input") << "missing.sud";
        EXPECT_EQ(rows.back()[0], data("stuck-kinds.txt"));
        EXPECT_EQ(rows.back()[1], "4");
        EXPECT_EQ(seen.count("bad-input"), 1u);
        EXPECT_EQ(seen.count(classic ? "stuck" : "several-solutions"), 1u);
        // Each bad row's reason is on standard error, under the same name.
        for (const auto& row : rows) {
            if (row[2] != "bad-input") continue;
            EXPECT_NE(r.err.find(row[0] + (row[1].empty() ? "" : ":" + row[1]) + ": "), std::string::npos)
                << row[0] << ':' << row[1] << '\n'
                << r.err;
        }
    }
    // JSON: one object per input line as well, a bad one saying why.
    const Result json = run({"--json", "-"}, input);
    std::size_t objects = 0, bad = 0;
    std::istringstream json_lines(json.out);
    for (std::string line; std::getline(json_lines, line); ++objects) {
        EXPECT_EQ(line.rfind("{\"version\":" + std::to_string(vornel::kJsonVersion) + ",\"source\":\"-\",\"line\":", 0),
                  0u)
            << line;
        bad += line.find("\"verdict\":\"bad-input\",\"problems\":[\"") != std::string::npos;
    }
    EXPECT_EQ(objects, puzzle_lines);
    EXPECT_EQ(bad, 2u);
}

TEST(Contract, a_source_name_cannot_break_a_row) {
    vornel::SummaryRow row;
    row.origin = {"a\tb\\c\nd", 0};
    EXPECT_EQ(row.status, "bad-input");
    EXPECT_EQ(vornel::summary_line(row), "a\\tb\\\\c\\nd\t\tbad-input\t-\t-\t-\t-\t-\t-\t-\t-\n");
    row.origin.line = 12;
    EXPECT_EQ(vornel::json_head(row.origin), "\"version\":1,\"source\":\"a\\tb\\\\c\\nd\",\"line\":12");
}

TEST(Contract, puzzle_lines_are_recognised_without_lines_and_sud_forces_the_other_reading) {
    for (const char* file : {"easy.txt", "stuck.txt", "edge-cases.txt", "stuck-kinds.txt", "odd_values.sud"}) {
        const Result detected = run({"--summary", data(file)});
        const Result told =
            run({"--summary", std::string(file).find(".txt") != std::string::npos ? "--lines" : "--sud", data(file)});
        EXPECT_EQ(detected.out, told.out) << file;
        EXPECT_EQ(detected.err, told.err) << file;
    }
    // Standard input too, with a byte-order mark, comments and a comment after the puzzle.
    const std::string easy(vornel::test::kEasy);
    const Result piped = run({"--summary", "-"}, "\xEF\xBB\xBF# puzzles\n\n" + easy + "\t# first\n" + easy + "#x\n");
    EXPECT_EQ(piped.status, 0) << piped.err;
    const auto rows = rows_of(piped.out);
    ASSERT_EQ(rows.size(), 2u) << piped.out;
    EXPECT_EQ(rows[0][1], "3");
    EXPECT_EQ(rows[1][1], "4");
    EXPECT_EQ(rows[1][2], "solved");
    // A file that opens with a comment holds puzzle lines, even none (a ".sud" file has no comments).
    const Result only_comments = run({"--summary", "-"}, "\n# nothing yet\n");
    EXPECT_EQ(only_comments.status, 0) << only_comments.err;
    EXPECT_EQ(only_comments.out, "");
    // --sud reads a ".sud" file even when it holds puzzle lines: then it says how to read them.
    const Result forced = run({"--summary", "--sud", "-"}, easy + "\n");
    EXPECT_EQ(forced.status, 1);
    EXPECT_NE(forced.err.find("ôtez --sud, ou ajoutez --lines"), std::string::npos) << forced.err;
    // A ".sud" file and a pencil-mark grid are still read as such.
    std::string sud;
    for (const char c : easy) sud += std::string(1, c == '.' ? '0' : c) + "\r\n";
    EXPECT_EQ(rows_of(run({"--summary", "-"}, sud).out).at(0).at(2), "solved");
    const Result grid = run({"--summary", "-"}, "1 2 3 4 5 6 7 8 9\n");
    EXPECT_EQ(grid.err.find("ligne de grille"), std::string::npos) << "not read as puzzle lines: " << grid.err;
}
