// SPDX-License-Identifier: GPL-3.0-or-later
// vornel-explain --html: one self-contained page per puzzle, into a file or a folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "explain_cli.h"
#include "html_check.h"
#include "ladder.h"
#include "ladder_page.h"
#include "narrator_fr.h"
#include "narrator_fr_chains.h"
#include "page.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = vornel::run_explain(args, in, out, err);
    return {status, out.str(), err.str()};
}

struct Folder {
    fs::path path = fs::temp_directory_path() /
                    ("vornel-html-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    Folder() {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~Folder() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return (path / name).string(); }
};

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

constexpr const char* kEasy = "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
constexpr const char* kHard = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";

} // namespace

TEST(ExplainHtml, a_file_target_gets_the_page_of_the_one_puzzle_with_every_step_in_order) {
    const Folder folder;
    const Result r =
        run({"--techniques", "all", "--html", folder / "page.html", "--lines", "-"}, std::string(kHard) + "\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    const std::string html = read(folder / "page.html");
    EXPECT_EQ(vornel::test::html_structure_problem(html), "");

    vornel::Grid grid{};
    for (int i = 0; i < 81; ++i) grid[i] = static_cast<std::uint8_t>(kHard[i] == '.' ? 0 : kHard[i] - '0');
    const vornel::ladder::Explanation e = vornel::ladder::explain(grid);
    std::size_t boards = e.steps.size() + 2;
    for (const auto& step : e.steps) boards += step.branches.size();
    EXPECT_EQ(vornel::test::occurrences(html, "<svg "), static_cast<int>(boards));
    std::vector<std::string> sentences = vornel::ladder::narrate_verdict(e);
    for (std::size_t k = 0; k < e.steps.size(); ++k)
        for (std::string sentence : vornel::report::typeset(
                 vornel::ladder::narrate_in(e.steps, k, vornel::Language::French), vornel::Language::French))
            sentences.push_back(sentence.erase(0, std::min(sentence.find_first_not_of(' '), sentence.size())));
    std::vector<std::string> paragraphs = vornel::test::element_texts(html, "p");
    // The key to compact cell names comes first when a step uses them.
    if (!paragraphs.empty() && paragraphs.front().rfind("Notation", 0) == 0) paragraphs.erase(paragraphs.begin());
    ASSERT_GE(paragraphs.size(), sentences.size());
    paragraphs.resize(sentences.size());
    for (auto& s : sentences) s = vornel::report::escape_html(s);
    EXPECT_EQ(paragraphs, sentences);
    EXPECT_NE(html.find("<title>Vornel : entrée standard, ligne 1</title>"), std::string::npos);
}

TEST(ExplainHtml, a_folder_target_gets_one_page_per_puzzle_named_as_sud_copies_are) {
    const Folder folder;
    write(folder / "two.txt", std::string(kEasy) + "\n# a comment\n" + kHard + "\n");
    const Result r = run({"--techniques", "classic", "--html", folder / "", folder / "two.txt"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* name : {"two-1.html", "two-3.html"}) {
        const std::string html = read(folder / name);
        EXPECT_EQ(vornel::test::html_structure_problem(html), "") << name;
        EXPECT_NE(html.find("Nous écrivons un"), std::string::npos) << name; // the classic engine's words
    }
    EXPECT_FALSE(fs::exists(folder / "two-2.html"));
}

TEST(ExplainHtml, targets_and_options_that_cannot_work_are_refused) {
    const Folder folder;
    write(folder / "p.txt", std::string(kEasy) + "\n");
    fs::create_directories(folder.path / "a");
    fs::create_directories(folder.path / "b");
    write(folder / "a/p.txt", std::string(kEasy) + "\n");
    write(folder / "b/p.txt", std::string(kHard) + "\n");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string message;
    } cases[] = {
        {{"--html", folder / "out.html", "--summary", "--lines", folder / "p.txt"},
         2,
         "vornel-explain: --html s'emploie sans --trace, --summary ni --json\n"},
        {{"--html", folder / "out.html", "--to-sud", folder / "", "--lines", folder / "p.txt"},
         2,
         "vornel-explain: --html et --to-sud s'excluent\n"},
        {{"--html"}, 2, "vornel-explain: --html attend un fichier ou un dossier\n"},
        {{"--html", folder / "", "--lines", folder / "a/p.txt", folder / "b/p.txt"},
         2,
         "vornel-explain: --html écrirait deux fois " + folder / "p-LIGNE.html, pour « " + folder / "a/p.txt" +
             " » et pour « " + folder / "b/p.txt" + " » : rien n'est écrit. Renommez une des entrées.\n"},
        {{"--html", folder / "p.txt", "--lines", folder / "p.txt"},
         1,
         "vornel-explain: " + folder / "p.txt" +
             ": C'est un des fichiers lus par la commande : il n'est pas remplacé.\n"},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.message;
        EXPECT_EQ(r.err.substr(0, c.message.size()), c.message);
    }
    EXPECT_FALSE(fs::exists(folder / "p-LIGNE.html"));
    EXPECT_FALSE(fs::exists(folder / "p-1.html"));
    EXPECT_EQ(read(folder / "p.txt"), std::string(kEasy) + "\n");
}

TEST(ExplainHtml, a_file_target_takes_one_puzzle_and_reports_the_others) {
    const Folder folder;
    const Result r = run({"--html", folder / "one.html", "--lines", "-"}, std::string(kEasy) + "\n" + kHard + "\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vornel-explain: -:2: --html " + folder / "one.html" +
                         " ne reçoit qu'une grille : pour plusieurs, donnez un dossier.\n");
    EXPECT_NE(read(folder / "one.html").find("<title>Vornel : entrée standard, ligne 1</title>"), std::string::npos);
}
