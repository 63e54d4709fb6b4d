// SPDX-License-Identifier: GPL-3.0-or-later
// vornel-explain --techniques all: the narrative, the summary and the JSON lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "explain_cli.h"
#include "ladder_report.h"

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = vornel::run_explain(args, in, out, err);
    return {status, out.str(), err.str()};
}

using Row = std::vector<std::string>;

// The fields of each --summary row.
std::vector<Row> rows_of(const std::string& summary) {
    std::vector<Row> rows;
    std::istringstream lines(summary);
    for (std::string line; std::getline(lines, line);) {
        Row fields;
        std::size_t at = 0;
        for (std::size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1)
            fields.push_back(line.substr(at, tab - at));
        fields.push_back(line.substr(at));
        rows.push_back(fields);
    }
    return rows;
}

// A small strict JSON reader, enough to check the shape of each line.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> fields;
    std::vector<std::string> keys; // in order
};

class Reader {
public:
    explicit Reader(const std::string& text) : s_(text) {}
    bool read(Json& value) {
        if (!parse(value)) return false;
        skip();
        return i_ == s_.size();
    }

private:
    void skip() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\t' || s_[i_] == '\r')) ++i_;
    }
    bool literal(const char* word) {
        const std::string w(word);
        if (s_.compare(i_, w.size(), w) != 0) return false;
        i_ += w.size();
        return true;
    }
    bool string(std::string& out) {
        if (s_[i_] != '"') return false;
        for (++i_; i_ < s_.size(); ++i_) {
            const char ch = s_[i_];
            if (ch == '"') {
                ++i_;
                return true;
            }
            if (static_cast<unsigned char>(ch) < 0x20) return false;
            if (ch != '\\') {
                out += ch;
                continue;
            }
            if (++i_ >= s_.size()) return false;
            const char e = s_[i_];
            if (e == 'u') {
                if (i_ + 4 >= s_.size()) return false;
                out += static_cast<char>(std::stoi(s_.substr(i_ + 1, 4), nullptr, 16));
                i_ += 4;
            } else if (std::string("\"\\/bfnrt").find(e) != std::string::npos) {
                out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
            } else {
                return false;
            }
        }
        return false;
    }
    bool parse(Json& v) {
        skip();
        if (i_ >= s_.size()) return false;
        const char ch = s_[i_];
        if (ch == '{') {
            v.kind = Json::Object;
            ++i_;
            skip();
            if (s_[i_] == '}') return ++i_, true;
            while (true) {
                skip();
                std::string key;
                if (!string(key)) return false;
                skip();
                if (s_[i_++] != ':') return false;
                Json item;
                if (!parse(item)) return false;
                v.keys.push_back(key);
                v.fields[key] = std::move(item);
                skip();
                if (s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                return s_[i_++] == '}';
            }
        }
        if (ch == '[') {
            v.kind = Json::Array;
            ++i_;
            skip();
            if (s_[i_] == ']') return ++i_, true;
            while (true) {
                Json item;
                if (!parse(item)) return false;
                v.items.push_back(std::move(item));
                skip();
                if (s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                return s_[i_++] == ']';
            }
        }
        if (ch == '"') return v.kind = Json::String, string(v.text);
        if (literal("null")) return v.kind = Json::Null, true;
        if (literal("true") || literal("false")) return v.kind = Json::Bool, true;
        std::size_t used = 0;
        try {
            v.number = std::stod(s_.substr(i_), &used);
        } catch (...) { return false; }
        v.kind = Json::Number;
        i_ += used;
        return used > 0;
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

constexpr const char* kEasy = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
constexpr const char* kSolution = "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
// Two solutions: a rectangle of 1s and 3s may swap.
constexpr const char* kSeveral = "53.67891267219534819834256785976.42.42685.79.71392485696153728428741963534528617.";

} // namespace

TEST(LadderCli, narrative_numbers_the_steps_then_verdict_rating_and_grid) {
    const Result r = run({"--techniques", "all", "--lines", "-"}, std::string(kEasy) + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.rfind("1. ", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n51. "), std::string::npos);
    EXPECT_EQ(r.out.find("\n52. "), std::string::npos);
    EXPECT_NE(r.out.find("\n\nLe sudoku est résolu en 51 étapes.\nDifficulté : "), std::string::npos);
    EXPECT_NE(r.out.find("\n\n534678912\n672195348\n198342567\n859761423\n426853791\n713924856\n961537284\n"
                         "287419635\n345286179\n"),
              std::string::npos);
}

TEST(LadderCli, summary_is_one_line_per_puzzle) {
    const Result r = run({"--techniques=all", "--summary", "--lines", "-"},
                         std::string(kEasy) + "\n" + kSeveral + "\n55" + std::string(79, '.') + "\n");
    EXPECT_EQ(r.status, 0);
    const auto rows = rows_of(r.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0],
              (Row{"-", "1", "solved", kSolution, "51", "1", rows[0][6], "very-easy", "hidden-single", "-", "-"}));
    // Several solutions: no rating, then two different solutions that keep the givens.
    EXPECT_EQ(std::vector<std::string>(rows[1].begin(), rows[1].begin() + 9),
              (Row{"-", "2", "several-solutions", rows[1][3], "2", "2+", "-", "-", "full-house"}));
    const std::string one = rows[1][9], two = rows[1][10];
    ASSERT_EQ(one.size(), 81u);
    ASSERT_EQ(two.size(), 81u);
    EXPECT_NE(one, two);
    for (std::size_t i = 0; i < 81; ++i) {
        if (kSeveral[i] == '.') continue;
        EXPECT_EQ(one[i], kSeveral[i]) << i;
        EXPECT_EQ(two[i], kSeveral[i]) << i;
    }
    EXPECT_EQ(rows[2], (Row{"-", "3", "invalid", "55" + std::string(79, '.'), "0", "0", "-", "-", "-", "-", "-"}));
}

TEST(LadderCli, json_lines_carry_the_agreed_keys) {
    const Result r =
        run({"--techniques", "all", "--json", "--lines", "-"}, std::string(kEasy) + "\n" + kSeveral + "\n");
    EXPECT_EQ(r.status, 0);
    std::istringstream lines(r.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        Json doc;
        ASSERT_TRUE(Reader(line).read(doc)) << line;
        ASSERT_EQ(doc.kind, Json::Object);
        for (const char* key :
             {"version", "source", "line", "puzzle", "verdict", "solutions", "steps", "grid", "rating", "hardest"})
            EXPECT_EQ(doc.fields.count(key), 1u) << key;
        EXPECT_EQ(doc.fields["puzzle"].text.size(), 81u);
        EXPECT_EQ(doc.fields["grid"].text.size(), 81u);
        // Only a puzzle with one solution is rated; several solutions come with two of them.
        EXPECT_EQ(doc.keys.at(0), "version");
        EXPECT_EQ(doc.fields["version"].number, vornel::kJsonVersion);
        const bool several = doc.fields["verdict"].text == "several-solutions";
        EXPECT_EQ(doc.fields["rating"].kind, several ? Json::Null : Json::Object);
        EXPECT_EQ(doc.fields["two_solutions"].kind, several ? Json::Array : Json::Null);
        EXPECT_EQ(doc.fields["differences"].kind, several ? Json::Array : Json::Null);
        if (several) {
            ASSERT_EQ(doc.fields["two_solutions"].items.size(), 2u);
            EXPECT_NE(doc.fields["two_solutions"].items[0].text, doc.fields["two_solutions"].items[1].text);
            EXPECT_FALSE(doc.fields["differences"].items.empty());
        } else {
            EXPECT_EQ(doc.fields["rating"].fields.count("score"), 1u);
            EXPECT_EQ(doc.fields["rating"].fields["level"].text, "very-easy");
            EXPECT_EQ(doc.fields["rating"].fields["level_text"].text, "très facile");
        }
        for (const Json& step : doc.fields["steps"].items) {
            EXPECT_EQ(step.fields.at("technique").kind, Json::String);
            for (const char* list : {"place", "eliminate"})
                for (const Json& triple : step.fields.at(list).items) {
                    ASSERT_EQ(triple.items.size(), 3u);
                    for (const Json& n : triple.items) EXPECT_TRUE(n.number >= 1 && n.number <= 9);
                }
            EXPECT_EQ(step.fields.at("place").items.size() + step.fields.at("eliminate").items.size() > 0, true);
            ASSERT_FALSE(step.fields.at("text").items.empty());
        }
    }
    ASSERT_EQ(count, 2);
    Json first;
    ASSERT_TRUE(Reader(r.out.substr(0, r.out.find('\n'))).read(first));
    EXPECT_EQ(first.fields["puzzle"].text,
              "530070000600195000098000060800060003400803001700020006060000280000419005000080079");
    EXPECT_EQ(first.fields["verdict"].text, "solved");
    EXPECT_EQ(first.fields["source"].text, "-");
    EXPECT_EQ(first.fields["line"].number, 1);
    EXPECT_EQ(first.fields["solutions"].number, 1);
    EXPECT_EQ(first.fields["grid"].text, kSolution);
    EXPECT_EQ(first.fields["steps"].items.size(), 51u);
    const Json& step = first.fields["steps"].items[0];
    EXPECT_EQ(step.fields.at("place").items.size(), 1u);
    EXPECT_NE(step.fields.at("text").items[0].text.find("nous écrivons un"), std::string::npos);
}

TEST(LadderCli, reads_sud_files_and_names_values_no_cell_can_hold) {
    const std::string file = std::string(VORNEL_TEST_DATA) + "/odd_values.sud";
    const Result narrative = run({"--techniques", "all", file}, "");
    EXPECT_EQ(narrative.out.rfind("La case ligne 9, colonne 9 contient -5, qui n'est pas un chiffre.\n"
                                  "Le sudoku n'est pas valide.\n\n",
                                  0),
              0u)
        << narrative.out;
    const Result json = run({"--json", file}, ""); // --json implies the ladder
    Json doc;
    ASSERT_TRUE(Reader(json.out.substr(0, json.out.find('\n'))).read(doc)) << json.out;
    EXPECT_EQ(doc.fields["verdict"].text, "invalid");
    EXPECT_EQ(doc.fields["source"].text, file);
    EXPECT_EQ(doc.fields["line"].kind, Json::Null) << "a .sud file is one puzzle: no line";
    // 81 digits always: the value no cell can hold reads as empty, and the problems name it.
    EXPECT_EQ(doc.fields["puzzle"].text, std::string(3, '0') + '1' + std::string(77, '0'));
    EXPECT_EQ(doc.fields["hardest"].kind, Json::Null);
    ASSERT_EQ(doc.fields["problems"].items.size(), 1u);
}

TEST(LadderCli, json_strings_escape_quotes_backslashes_and_controls) {
    EXPECT_EQ(vornel::json_string("a\"b\\c\nd\x01é"), "\"a\\\"b\\\\c\\nd\\u0001é\"");
}

TEST(LadderCli, options_that_do_not_fit_the_ladder_are_refused) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--techniques", "classic", "--json", "-"}, "--json demande --techniques all"},
        {{"--techniques", "all", "--trace", "-"}, "--trace demande --techniques classic"},
        {{"--techniques", "all", "--tempo", "step", "-"}, "--tempo demande --techniques classic"},
        {{"--tempo", "step", "--json", "-"}, "--tempo et --json s'excluent"},
        {{"--lines", "--sud", "-"}, "--lines et --sud s'excluent"},
        {{"--techniques", "some", "-"}, "techniques inconnues « some » : classic ou all"},
        {{"--techniques"}, "--techniques attend une valeur : classic ou all"},
        {{"--techniques", "all", "--summary", "--json", "-"}, "--summary et --json ne vont pas ensemble"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args, "");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind(std::string("vornel-explain: ") + c.message + "\n", 0), 0u) << r.err;
    }
}

TEST(LadderCli, the_ladder_is_the_default_and_tempo_or_trace_choose_the_classic_engine) {
    const std::string input = std::string(kEasy) + "\n";
    const Result ladder = run({"--summary", "-"}, input);
    EXPECT_EQ(ladder.out, run({"--techniques", "all", "--summary", "-"}, input).out);
    EXPECT_EQ(rows_of(ladder.out).at(0).at(7), "very-easy") << "a rated row: the ladder's";
    EXPECT_EQ(run({"-"}, input).out, run({"--techniques", "all", "-"}, input).out);
    const Result classic = run({"--techniques", "classic", "-"}, input);
    EXPECT_NE(classic.out, run({"-"}, input).out);
    EXPECT_EQ(classic.out.rfind("Nouveau cycle.", 0), 0u) << classic.out;
    // --tempo and --trace belong to the classic engine: they choose it.
    EXPECT_EQ(run({"--tempo", "once", "-"}, input).out, classic.out);
    EXPECT_EQ(run({"--trace", "-"}, input).out, run({"--techniques", "classic", "--trace", "-"}, input).out);
    EXPECT_EQ(run({"--tempo", "step", "--summary", "-"}, input).out.find("\t-\t-\t-\t-\t-\n") != std::string::npos,
              true)
        << "a classic row: no rating";
    for (const char* option : {"--tempo=step", "--trace"}) {
        const Result refused = run({"--techniques", "all", option, "-"}, input);
        EXPECT_EQ(refused.status, 2) << option;
        EXPECT_EQ(refused.out, "");
    }
}

namespace {

// The 729-character line of a puzzle: a given keeps its one digit, an empty cell all nine (the
// reader takes out what the givens rule out). `edits` then rewrites cells: {cell, "26"}.
std::string marks_line_of(const std::string& puzzle, const std::vector<std::pair<int, std::string>>& edits = {}) {
    std::string line;
    for (const char ch : puzzle) {
        std::string nine(9, '.');
        for (char d = '1'; d <= '9'; ++d)
            if (ch == '.' || ch == d) nine[static_cast<std::size_t>(d - '1')] = d;
        line += nine;
    }
    for (const auto& [cell, digits] : edits) {
        std::string nine(9, '0');
        for (const char d : digits) nine[static_cast<std::size_t>(d - '1')] = d;
        line.replace(static_cast<std::size_t>(9 * cell), 9, nine);
    }
    return line;
}

// The same position as a pencil-mark grid, with rules between boxes.
std::string pencil_grid_of(const std::string& puzzle) {
    const std::string line = marks_line_of(puzzle);
    std::string text = "+-----------+-----------+-----------+\n";
    for (int r = 0; r < 9; ++r) {
        text += "|";
        for (int c = 0; c < 9; ++c) {
            std::string cell;
            for (const char ch : line.substr(static_cast<std::size_t>(81 * r + 9 * c), 9))
                if (ch != '.') cell += ch;
            text += " " + cell + (c % 3 == 2 ? " |" : "");
        }
        text += r % 3 == 2 ? "\n+-----------+-----------+-----------+\n" : "\n";
    }
    return text;
}

const std::string kEmptyGrid(81, '.');

} // namespace

TEST(PositionCli, a_position_with_candidates_is_explained_like_its_givens) {
    const Result givens = run({"--techniques", "all", "--summary", "--lines", "-"}, std::string(kEasy) + "\n");
    const Result line =
        run({"--techniques", "all", "--summary", "--lines", "-"}, "# a comment\n" + marks_line_of(kEasy) + "\r\n");
    // The same row but for where it comes from (source and line come first).
    const auto from_status = [](const std::string& row) { return row.substr(row.find("\tsolved\t")); };
    EXPECT_EQ(line.status, 0) << line.err;
    EXPECT_EQ(line.out, "-\t2" + from_status(givens.out));
    const Result grid = run({"--techniques", "all", "--summary", "-"}, pencil_grid_of(kEasy));
    EXPECT_EQ(grid.status, 0) << grid.err;
    EXPECT_EQ(grid.out, "-\t" + from_status(givens.out)) << "a pencil-mark grid is one puzzle: no line";

    const std::string file = ::testing::TempDir() + "/pencil-marks.txt";
    std::ofstream(file) << pencil_grid_of(kEasy);
    const Result from_file = run({"--techniques", "all", "--summary", file}, "");
    EXPECT_EQ(from_file.out, file + "\t" + from_status(givens.out)) << from_file.err;

    const Result json = run({"--techniques", "all", "--json", "--lines", "-"}, marks_line_of(kEasy) + "\n");
    Json doc;
    ASSERT_TRUE(Reader(json.out).read(doc)) << json.out;
    EXPECT_EQ(doc.fields["puzzle"].text.size(), 729u);
    EXPECT_EQ(doc.fields["puzzle"].text.substr(0, 27), "000050000003000000120400000") << "r1c1 5, r1c2 3, r1c3 1 2 4";
    EXPECT_EQ(doc.fields["grid"].text, kSolution);
}

TEST(PositionCli, next_gives_only_the_step_the_ladder_takes_first) {
    const Result whole = run({"--techniques", "all", "--lines", "-"}, std::string(kEasy) + "\n");
    const std::string first_step = whole.out.substr(3, whole.out.find("\n2. ") - 2);
    for (const std::string& input : {std::string(kEasy), marks_line_of(kEasy)}) {
        const Result text = run({"--techniques", "all", "--next", "--lines", "-"}, input + "\n");
        EXPECT_EQ(text.status, 0);
        EXPECT_EQ(text.out, first_step);

        const Result json = run({"--techniques", "all", "--next", "--json", "--lines", "-"}, input + "\n");
        Json doc;
        ASSERT_TRUE(Reader(json.out).read(doc)) << json.out;
        ASSERT_EQ(doc.fields["steps"].items.size(), 1u);
        const Json& place = doc.fields["steps"].items[0].fields.at("place").items.at(0);
        const std::size_t cell = static_cast<std::size_t>(9 * (place.items[0].number - 1) + place.items[1].number - 1);
        std::string after = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
        after[cell] = static_cast<char>('0' + static_cast<int>(place.items[2].number));
        EXPECT_EQ(doc.fields["grid"].text, after);
        EXPECT_EQ(doc.fields["verdict"].text, "solved");
        EXPECT_EQ(doc.fields["conclusion"].items.at(0).text, "Le sudoku est résolu en 51 étapes.")
            << "the verdict is the whole solve's";
    }
    const Result solved = run({"--techniques", "all", "--next", "--lines", "-"}, std::string(kSolution) + "\n");
    EXPECT_EQ(solved.out, "Le sudoku est déjà rempli.\nDifficulté : très facile (score 0).\n");
}

TEST(PositionCli, find_lists_every_instance_of_one_technique) {
    // A naked pair of 2 and 6 in row 1 of an empty grid, and a lighter hidden single of 1 in region 9.
    std::vector<std::pair<int, std::string>> edits = {{2, "26"}, {7, "26"}, {80, "12"}};
    for (const int cell : {60, 61, 62, 69, 70, 71, 78, 79}) edits.push_back({cell, "23456789"});
    const std::string position = marks_line_of(kEmptyGrid, edits) + "\n";

    const Result json = run({"--techniques", "all", "--find", "naked-pair", "--json", "--lines", "-"}, position);
    EXPECT_EQ(json.status, 0) << json.err;
    Json doc;
    ASSERT_TRUE(Reader(json.out).read(doc)) << json.out;
    EXPECT_EQ(doc.keys, (std::vector<std::string>{"version", "source", "line", "puzzle", "technique", "instances"}));
    EXPECT_EQ(doc.fields["puzzle"].text, marks_line_of(kEmptyGrid, edits));
    EXPECT_EQ(doc.fields["technique"].text, "naked-pair");
    ASSERT_EQ(doc.fields["instances"].items.size(), 1u);
    const Json& pair = doc.fields["instances"].items[0];
    EXPECT_EQ(pair.fields.at("technique").text, "naked-pair");
    EXPECT_EQ(pair.fields.at("eliminate").items.size(), 14u);
    EXPECT_FALSE(pair.fields.at("text").items.empty());

    // Every instance, not only the first: the easy puzzle's first position holds many hidden singles.
    const Result singles =
        run({"--techniques", "all", "--find", "hidden-single", "--json", "--lines", "-"}, std::string(kEasy) + "\n");
    Json many;
    ASSERT_TRUE(Reader(singles.out).read(many)) << singles.out;
    EXPECT_GE(many.fields["instances"].items.size(), 5u);
    for (const Json& step : many.fields["instances"].items)
        EXPECT_EQ(step.fields.at("technique").text, "hidden-single");

    const Result next = run({"--techniques", "all", "--next", "--json", "--lines", "-"}, position);
    EXPECT_NE(next.out.find("\"technique\":\"hidden-single\""), std::string::npos) << next.out;

    const Result text = run({"--techniques", "all", "--find", "naked-pair", "--lines", "-"}, position);
    EXPECT_EQ(text.out.rfind("1. ", 0), 0u) << text.out;
    EXPECT_EQ(text.out.find("\n2. "), std::string::npos);

    const struct {
        std::string technique;
        std::string input;
        std::string out;
    } none[] = {
        {"x-wing", position, "Aucune instance de « x-wing » dans cette position.\n"},
        {"unique-rectangle", position,
         "Aucune instance de « unique-rectangle » : cette technique ne vaut que pour une grille à solution unique.\n"},
        {"naked-single", "55" + kEmptyGrid.substr(2) + "\n",
         "Il y a 2 chiffres 5 dans la région 1.\nIl y a 2 chiffres 5 dans la ligne 1.\nLe sudoku n'est pas valide.\n"},
    };
    for (const auto& c : none) {
        const Result r = run({"--techniques", "all", "--find", c.technique, "--lines", "-"}, c.input);
        EXPECT_EQ(r.out, c.out) << c.technique;
        const Result j = run({"--techniques", "all", "--find", c.technique, "--json", "--lines", "-"}, c.input);
        EXPECT_NE(j.out.find("\"instances\":[]}\n"), std::string::npos) << j.out;
    }
}

TEST(PositionCli, positions_that_cannot_be_read_or_solved_are_reported) {
    const std::string easy = marks_line_of(kEasy);
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        int status;
        std::string out;
        std::string err;
    } cases[] = {
        {"a line one character short",
         {"--lines"},
         easy.substr(1) + "\n",
         1,
         "",
         "vornel-explain: -:1: ligne de grille mal formée : 81 cases attendues (ou 729 caractères avec les candidats), "
         "728 caractères "
         "trouvés.\n"},
        {"a digit out of its place",
         {"--lines"},
         "7" + easy.substr(1) + "\n",
         1,
         "",
         "vornel-explain: -:1: ligne de grille mal formée : caractère inattendu en position 1 (case ligne 1, colonne 1 "
         ": 1 si c'est un "
         "candidat, 0 ou . sinon).\n"},
        {"a cell with no candidate",
         {"--lines"},
         marks_line_of(kEasy, {{2, ""}}) + "\n",
         0,
         "La case ligne 1, colonne 3 n'a plus aucun candidat.\nLe sudoku n'est pas valide.\n\n",
         ""},
        {"a placed digit against a given",
         {"--lines"},
         marks_line_of(kEasy, {{2, "5"}}) + "\n",
         0,
         "Il y a 2 chiffres 5 dans la région 1.\nIl y a 2 chiffres 5 dans la ligne 1.\nLe sudoku n'est pas valide.\n\n",
         ""},
        {"a pencil-mark row one cell short",
         {},
         "1 2 3 4 5 6 7 8 9\n+---+\n1 2 3 4 5 6 7 8\n",
         1,
         "",
         "vornel-explain: -: grille de candidats mal formée : ligne 3 : 9 cases attendues, 8 trouvées.\n"},
        {"a pencil-mark grid with an odd character",
         {},
         "+---+\n1 2 3 4 5 6 7 8 x9\n",
         1,
         "",
         "vornel-explain: -: grille de candidats mal formée : ligne 2 : caractère inattendu « x » (les candidats de "
         "chaque case, 1 à "
         "9, séparés par des blancs).\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--techniques", "all"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("-");
        const Result r = run(args, c.input);
        EXPECT_EQ(r.status, c.status) << c.name;
        EXPECT_EQ(r.err, c.err) << c.name;
        EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << c.name;
        if (c.out.empty()) { EXPECT_EQ(r.out, "") << c.name; }
    }
    const Result classic = run({"--techniques", "classic", "--lines", "-"}, easy + "\n");
    EXPECT_EQ(classic.status, 1);
    EXPECT_EQ(
        classic.err,
        "vornel-explain: -:1: une grille avec ses candidats ne s'explique qu'avec --techniques all, sans --html ni "
        "--to-sud.\n");
}

TEST(PositionCli, find_and_next_options_are_checked) {
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--techniques", "all", "--find", "nope", "-"}, "technique inconnue « nope » : full-house, hidden-single, "},
        {{"--techniques", "all", "--find"}, "--find attend l'identifiant d'une technique : full-house, "},
        {{"--techniques", "classic", "--find", "x-wing", "-"}, "--find demande --techniques all\n"},
        {{"--techniques", "classic", "--next", "-"}, "--next demande --techniques all\n"},
        {{"--techniques", "all", "--find", "x-wing", "--next", "-"}, "--find et --next s'excluent\n"},
        {{"--techniques", "all", "--next", "--summary", "-"},
         "--next s'emploie sans --trace, --summary, --html ni --to-sud\n"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args, "");
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("vornel-explain: " + c.message, 0), 0u) << r.err;
    }
    const Result help = run({"--help"}, "");
    for (const char* option : {"--find ID", "--next", "729 caractères", "grille de candidats"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}
