#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "explain_cli.h"
#include "puzzles.h"

namespace fs = std::filesystem;
using vornel::run_explain;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

// Runs the explainer from the test data folder, as a user would run it there.
Result explain(const std::vector<std::string>& args, const std::string& input = {}) {
    const fs::path before = fs::current_path();
    fs::current_path(VORNEL_TEST_DATA);
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = run_explain(args, in, out, err);
    fs::current_path(before);
    return {status, out.str(), err.str()};
}

std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A fresh folder under the system's temporary folder, removed at the end of the test.
struct TempDir {
    fs::path path =
        fs::temp_directory_path() / ("vornel-cli-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                     "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TempDir() { fs::create_directories(path); }
    ~TempDir() { fs::remove_all(path); }
};

using vornel::test::kEasy;

} // namespace

TEST(ExplainCli, a_value_no_cell_can_show_is_reported_while_loading) {
    const Result r = explain({"--summary", "odd_values.sud"});
    EXPECT_EQ(r.err, "odd_values.sud: '-' n'est pas une valeur entière correcte.\n");
    EXPECT_EQ(r.out.substr(82), "invalide 0 0\n");
}

TEST(ExplainCli, the_narrative_separates_requests_and_ends_with_the_grid) {
    const std::string full = "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
    const Result r = explain({"--tempo", "digit", "--lines", "-"}, full + "\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "Nouveau cycle.\nLe sudoku est terminé.\nLe sudoku est terminé.\n\n"
              "534678912\n672195348\n198342567\n859761423\n426853791\n713924856\n961537284\n287419635\n345286179\n");
}

TEST(ExplainCli, lines_input_names_puzzles_by_input_and_physical_line_ignoring_blanks_and_cr) {
    const std::string input = "\n# comment\n   " + std::string(kEasy) + "\r\n\n" + std::string(kEasy) + "  \n";
    const Result r = explain({"--trace", "--lines", "-"}, input);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("puzzle -:3\n== m_onceClick\nclear\n"), std::string::npos);
    EXPECT_NE(r.out.find("puzzle -:5\n"), std::string::npos);
    EXPECT_EQ(r.out.find("puzzle -:4"), std::string::npos);
}

TEST(ExplainCli, malformed_lines_are_named_and_the_other_puzzles_still_explained) {
    const std::string input = std::string(kEasy) + "\n" + std::string(80, '.') + "\n" + std::string(80, '.') + "x\n" +
                              std::string(kEasy) + "\n";
    const Result r = explain({"--summary", "--lines", "-"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "-:2: malformed puzzle line: expected 81 cells, found 80 characters\n"
                     "-:3: malformed puzzle line: unexpected character at position 81 (only 1-9 for givens, 0 or . "
                     "for empty cells)\n");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
}

TEST(ExplainCli, unreadable_inputs_fail_with_the_program_message_and_the_rest_goes_on) {
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--summary", "missing.sud", "../data/odd_values.sud"}, "missing.sud: Fichier introuvable.\n"},
        {{"--summary", "no/such/folder/x.sud", "odd_values.sud"}, "no/such/folder/x.sud: Nom de fichier incorrect.\n"},
        {{"--summary", "--lines", "missing.txt", "easy.txt"}, "missing.txt: Fichier introuvable.\n"},
        {{"--summary", "easy.txt", "odd_values.sud"}, "easy.txt: Saisie numérique incorrecte.\n"},
    };
    for (const auto& c : cases) {
        const Result r = explain(c.args);
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1) << "the other input is still explained: " << c.err;
    }
}

TEST(ExplainCli, bad_usage_exits_with_2_and_says_why) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{}, "no input file given"},
        {{"--tempo", "fast", "x"}, "unknown tempo 'fast'"},
        {{"--tempo"}, "--tempo needs a value"},
        {{"--trace", "--summary", "x"}, "cannot be used together"},
        {{"--frobnicate", "x"}, "unknown option '--frobnicate'"},
        {{"--to-sud"}, "--to-sud needs a folder"},
    };
    for (const auto& c : cases) {
        const Result r = explain(c.args);
        EXPECT_EQ(r.status, 2) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_EQ(explain({"--help"}).status, 0);
    EXPECT_NE(explain({"--help"}).out.find("--tempo"), std::string::npos);
    EXPECT_EQ(explain({"--version"}).out, "vornel-explain 1.0\n");
}

TEST(ExplainCli, to_sud_writes_each_loaded_puzzle_and_reads_back_the_same) {
    TempDir dir;
    const Result w = explain({"--lines", "--to-sud", dir.path.string(), "edge-cases.txt", "easy.txt"});
    EXPECT_EQ(w.status, 0) << w.err;
    EXPECT_TRUE(w.out.empty());
    for (const char* name : {"edge-cases-2.sud", "edge-cases-3.sud", "edge-cases-4.sud", "easy-2.sud"})
        EXPECT_EQ(fs::file_size(dir.path / name), 243u) << name;

    const Result from_lines = explain({"--summary", "--lines", "easy.txt"});
    const Result from_sud = explain({"--summary", (dir.path / "easy-2.sud").string()});
    EXPECT_EQ(from_sud.out, from_lines.out);
    EXPECT_EQ(slurp(dir.path / "easy-2.sud").substr(0, 9), "5\r\n3\r\n0\r\n");

    // A .sud input keeps its name; an odd value is written as the board holds it once loaded.
    const Result odd = explain({"--to-sud", dir.path.string(), "odd_values.sud"});
    EXPECT_EQ(odd.status, 0);
    const std::string text = slurp(dir.path / "odd_values.sud");
    EXPECT_EQ(text.substr(9, 3), "1\r\n") << "12 shows as 12 and stores 1";
    EXPECT_EQ(text.substr(text.size() - 4), "-5\r\n");
}

TEST(ExplainCli, to_sud_into_a_missing_folder_fails_for_each_puzzle) {
    const Result r = explain({"--lines", "--to-sud", "no-such-folder", "easy.txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "no-such-folder/easy-2.sud: Nom de fichier incorrect.\n");
}
