// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "bound_socket.h"
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

// Makes `folder` the working directory while it lives, and puts the previous one back after.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;
    ~WorkingDirectory() {
        std::error_code ignored;
        fs::current_path(previous_, ignored);
    }

private:
    fs::path previous_;
};

// Runs the explainer with the window's engine (--techniques classic: this file is about it and the
// reading and writing both engines share; the ladder's reports are in ladder_cli_test.cpp) from the
// test data folder, as a user would run it there.
Result explain(std::vector<std::string> args, const std::string& input = {}) {
    const WorkingDirectory in_data(VORNEL_TEST_DATA);
    args.insert(args.begin(), {"--techniques", "classic"});
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = run_explain(args, in, out, err);
    return {status, out.str(), err.str()};
}

// The fields of each --summary row.
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

TEST(ExplainCli, values_the_board_shows_otherwise_are_reported_while_loading_and_the_status_says_so) {
    // -5 cannot be shown (its "-" is no digit); 12 shows whole and counts as its first digit.
    const Result r = explain({"--summary", "odd_values.sud"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vornel-explain: odd_values.sud: '-' n'est pas une valeur entière correcte.\n"
                     "vornel-explain: odd_values.sud: La case ligne 1, colonne 4 contient 12 : la grille l'affiche « "
                     "12 » et le compte comme un 1.\n");
    const Result only_big = explain({"--summary", "-"}, "0\n0\n65537\n40\n");
    EXPECT_EQ(only_big.status, 1);
    EXPECT_EQ(only_big.err, "vornel-explain: -: La case ligne 1, colonne 4 contient 40 : la grille l'affiche « 40 » et "
                            "le compte comme un 4.\n")
        << "65537 reads as 1, as its low 16 bits";
    EXPECT_EQ(r.out.substr(0, 24), "odd_values.sud\t\tinvalid\t");
    EXPECT_EQ(r.out.substr(24 + 82), "0\t0\t-\t-\t-\t-\t-\n");
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
    EXPECT_EQ(
        r.err,
        "vornel-explain: -:2: ligne de grille mal formée : 81 cases attendues (ou 729 caractères avec les "
        "candidats), 80 caractères trouvés.\n"
        "vornel-explain: -:3: ligne de grille mal formée : caractère inattendu en position 81 (1 à 9 pour les chiffres "
        "donnés, 0 ou . pour les cases vides).\n");
    // One row per line, the malformed ones included, each named by its line.
    const auto rows = rows_of(r.out);
    ASSERT_EQ(rows.size(), 4u) << r.out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], "-");
        EXPECT_EQ(rows[i][1], std::to_string(i + 1));
        EXPECT_EQ(rows[i][2], i == 1 || i == 2 ? "bad-input" : "solved");
    }
}

TEST(ExplainCli, unreadable_inputs_fail_with_the_program_message_and_the_rest_goes_on) {
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--summary", "missing.sud", "-"}, "missing.sud: Fichier introuvable.\n"},
        {{"--summary", "no/such/folder/x.sud", "-"}, "no/such/folder/x.sud: Dossier introuvable.\n"},
        {{"--summary", "golden", "-"}, "golden: C'est un dossier, pas un fichier.\n"},
        {{"--summary", "--lines", "golden", "easy.txt"}, "golden: C'est un dossier, pas un fichier.\n"},
        {{"--summary", "--lines", "no/such/folder/x.txt", "easy.txt"}, "no/such/folder/x.txt: Dossier introuvable.\n"},
        {{"--summary", "--lines", "missing.txt", "easy.txt"}, "missing.txt: Fichier introuvable.\n"},
        {{"--summary", "--sud", "easy.txt", "-"},
         "easy.txt: Saisie numérique incorrecte. Ce sont des grilles d'une ligne (81 caractères) : ôtez --sud, ou "
         "ajoutez --lines.\n"},
        {{"--summary", "golden/cases", "-"}, "golden/cases: Saisie numérique incorrecte.\n"},
        // An endless device is read as the stream it is, up to the bound of a puzzle file.
        {{"--summary", "/dev/zero", "-"},
         "/dev/zero: Pas de grille dans le premier mégaoctet : ce n'est pas un fichier de grille.\n"},
    };
    for (const auto& c : cases) {
        const Result r = explain(c.args, "7\n"); // "-" is a puzzle with one given
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.err, "vornel-explain: " + c.err);
        const auto rows = rows_of(r.out);
        ASSERT_EQ(rows.size(), 2u) << "a bad-input row, then the other input explained: " << c.err;
        EXPECT_EQ(rows[0][2], "bad-input") << c.err;
        EXPECT_NE(rows[1][2], "bad-input") << c.err;
    }
}

TEST(ExplainCli, bad_usage_exits_with_2_and_says_why) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--jobs", "0", "x"},
         "vornel-explain: nombre de tâches invalide « 0 » : il faut un entier de 1 à 1024\n"
         "Essayez « vornel-explain --help » pour en savoir plus.\n"},
        {{"--trace", "--json", "x"}, "vornel-explain: --trace et --json s'excluent\n"},
        {{"--techniques", "classic", "--json", "x"}, "vornel-explain: --json demande --techniques all\n"},
        {{"--tempo", "fast", "x"}, "vornel-explain: tempo inconnu « fast » : step, digit ou once\n"},
        {{"--tempo"}, "vornel-explain: --tempo attend une valeur : step, digit ou once\n"},
        {{"--trace", "--summary", "x"}, "vornel-explain: --trace et --summary s'excluent\n"},
        {{"--frobnicate", "x"}, "vornel-explain: option inconnue « --frobnicate »\n"},
        {{"--to-sud"}, "vornel-explain: --to-sud attend un dossier\n"},
    };
    for (const auto& c : cases) {
        const Result r = explain(c.args);
        EXPECT_EQ(r.status, 2) << c.says;
        EXPECT_EQ(r.err.substr(0, std::string(c.says).size()), c.says);
        EXPECT_TRUE(r.out.empty());
    }
    const Result help = explain({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* says :
         {"--tempo", "Code de sortie : 0 tout s'est bien passé ; 1 une entrée", "2 commande incorrecte",
          "font refuser la commande avant toute écriture", "n'est pas un fichier\n                    ordinaire"})
        EXPECT_NE(help.out.find(says), std::string::npos) << says;
    for (const char* option : {"--version", "-V"}) {
        const Result version = explain({option});
        EXPECT_EQ(version.out.substr(0, version.out.find('\n') + 1), "vornel-explain 1.0\n");
        EXPECT_NE(version.out.find("Licence GPL-3.0-or-later"), std::string::npos) << version.out;
    }
    EXPECT_EQ(explain({"-h"}).out, help.out);
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
    // The same row but for where it comes from.
    EXPECT_EQ(from_sud.out.substr(from_sud.out.find("\tsolved\t")),
              from_lines.out.substr(from_lines.out.find("\tsolved\t")));
    EXPECT_EQ(slurp(dir.path / "easy-2.sud").substr(0, 9), "5\r\n3\r\n0\r\n");

    // A .sud input keeps its name; an odd value is written as the board holds it once loaded.
    const Result odd = explain({"--to-sud", dir.path.string(), "odd_values.sud"});
    EXPECT_EQ(odd.status, 1) << "the loading reported the value it cannot show";
    const std::string text = slurp(dir.path / "odd_values.sud");
    EXPECT_EQ(text.substr(9, 3), "1\r\n") << "12 shows as 12 and stores 1";
    EXPECT_EQ(text.substr(text.size() - 4), "-5\r\n");
}

TEST(ExplainCli, lines_are_bounded_the_byte_order_mark_skipped_and_characters_counted) {
    const std::string easy(kEasy);
    std::string accented;
    for (int i = 0; i < 81; ++i) accented += "\xC3\xA9";
    const std::string input = "\xEF\xBB\xBF" + easy + "\n" + std::string(50000, 'x') + "\n" + accented + "\n" +
                              easy.substr(0, 79) + "\xC3\xA9\n" + easy + "\n";
    const Result r = explain({"--summary", "--lines", "-"}, input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "vornel-explain: -:2: ligne de grille mal formée : plus de 4096 octets, ligne ignorée.\n"
                     "vornel-explain: -:3: ligne de grille mal formée : caractère inattendu en position 1 (1 à 9 pour "
                     "les chiffres donnés, 0 ou . pour les cases vides).\n"
                     "vornel-explain: -:4: ligne de grille mal formée : 81 cases attendues (ou 729 caractères avec les "
                     "candidats), 80 caractères trouvés.\n");
    const auto rows = rows_of(r.out);
    ASSERT_EQ(rows.size(), 5u) << r.out;
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i][2], i == 0 || i == 4 ? "solved" : "bad-input") << "lines 1 and 5 are explained";
}

namespace {

// Accepts `room` bytes, then fails as a full device would.
class FullBuf : public std::streambuf {
public:
    explicit FullBuf(std::size_t room) : room_(room) {}
    std::string taken;

protected:
    int_type overflow(int_type c) override {
        if (taken.size() >= room_ || traits_type::eq_int_type(c, traits_type::eof())) return traits_type::eof();
        taken += traits_type::to_char_type(c);
        return c;
    }

private:
    std::size_t room_;
};

} // namespace

TEST(ExplainCli, an_output_that_fails_is_reported_the_run_stops_and_the_status_is_1) {
    for (const std::size_t room : {std::size_t{0}, std::size_t{100}, std::size_t{5000}}) {
        FullBuf full(room);
        std::ostream out(&full);
        std::ostringstream err;
        std::istringstream in;
        const WorkingDirectory in_data(VORNEL_TEST_DATA);
        const int status = run_explain({"--trace", "--lines", "easy.txt", "stuck.txt", "edge-cases.txt"}, in, out, err);
        EXPECT_EQ(status, 1) << room;
        EXPECT_EQ(err.str(), "vornel-explain: la sortie standard n'a pas pu être écrite (Écriture impossible).\n")
            << room;
        EXPECT_LE(full.taken.size(), room);
    }
    FullBuf full(0);
    std::ostream out(&full);
    std::ostringstream err;
    std::istringstream in;
    EXPECT_EQ(run_explain({"--help"}, in, out, err), 1) << "even the help is checked";
}

// ---- --to-sud: nothing lost ------------------------------------------------------------------------

TEST(ExplainToSud, inputs_that_would_write_the_same_file_make_the_run_refused_before_any_write) {
    TempDir dir;
    const fs::path out = dir.path / "out";
    fs::create_directories(out);
    fs::create_directories(dir.path / "colA");
    fs::create_directories(dir.path / "colB");
    fs::copy_file(fs::path(VORNEL_TEST_DATA) / "odd_values.sud", dir.path / "colA" / "p.sud");
    fs::copy_file(fs::path(VORNEL_TEST_DATA) / "odd_values.sud", dir.path / "colB" / "p.sud");
    fs::copy_file(fs::path(VORNEL_TEST_DATA) / "easy.txt", dir.path / "p.txt");
    fs::copy_file(fs::path(VORNEL_TEST_DATA) / "easy.txt", dir.path / "p.lines");
    const std::string a = (dir.path / "colA" / "p.sud").string();
    const std::string b = (dir.path / "colB" / "p.sud").string();
    const std::string t = (dir.path / "p.txt").string();
    const std::string l = (dir.path / "p.lines").string();
    const std::string o = out.string();
    const struct {
        std::vector<std::string> args;
        std::string err;
    } cases[] = {
        {{"--to-sud", o, a, b},
         "vornel-explain: --to-sud écrirait deux fois " + o + "/p.sud, pour « " + a + " » et pour « " + b +
             " » : rien n'est écrit. Renommez une des entrées.\n"},
        {{"--lines", "--to-sud", o, t, "easy.txt", l},
         "vornel-explain: --to-sud écrirait deux fois " + o + "/p-LIGNE.sud, pour « " + t + " » et pour « " + l +
             " » : rien n'est écrit. Renommez une des entrées.\n"},
        {{"--to-sud", o, "-", "-"},
         "vornel-explain: --to-sud écrirait deux fois " + o +
             "/stdin.sud, pour « - » et pour « - » : rien n'est écrit. Renommez une des entrées.\n"},
    };
    for (const auto& c : cases) {
        const Result r = explain(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err, c.err);
        EXPECT_TRUE(fs::is_empty(out)) << c.err;
    }
    EXPECT_EQ(explain({"--lines", "--to-sud", o, t, "easy.txt"}).status, 0) << "p-N and easy-N do not clash";
}

TEST(ExplainToSud, the_folder_must_exist_before_anything_is_read) {
    TempDir dir;
    const std::string file = (dir.path / "fichier").string();
    std::ofstream(file) << "x";
    const struct {
        std::string folder;
        std::string err;
    } cases[] = {
        {"no-such-folder", "vornel-explain: no-such-folder: Dossier introuvable.\n"},
        {file, "vornel-explain: " + file + ": C'est un fichier, pas un dossier.\n"},
    };
    for (const auto& c : cases) {
        const Result r = explain({"--lines", "--to-sud", c.folder, "easy.txt"});
        EXPECT_EQ(r.status, 2) << "refused before any write";
        EXPECT_EQ(r.err, c.err);
    }
}

TEST(ExplainHtml, a_page_whose_folder_is_missing_is_refused_before_anything_is_explained) {
    const struct {
        std::string target;
        std::string err;
    } cases[] = {
        {"no/such/folder/page.html",
         "no/such/folder/page.html: Dossier introuvable (no/such/folder) : rien n'est écrit.\n"},
        {"no-such-folder/", "no-such-folder: Dossier introuvable.\n"},
        {"no-such-folder", ""}, // a page named so in the current folder: written
    };
    TempDir dir;
    for (const auto& c : cases) {
        const std::string target = c.err.empty() ? (dir.path / c.target).string() : c.target;
        const Result r = explain({"--html", target, "stuck.txt"}, "");
        EXPECT_EQ(r.status, c.err.empty() ? 1 : 2) << c.target; // stuck.txt is not a .sud: 1
        if (!c.err.empty()) { EXPECT_EQ(r.err, "vornel-explain: " + c.err); }
        EXPECT_EQ(r.out, "");
    }
}

TEST(ExplainCli, sockets_are_refused_and_process_substitution_is_read_as_a_stream) {
    TempDir dir;
    const std::string socket_name = (dir.path / "prise.sud").string();
    vornel::test::BoundSocket bound_socket(socket_name);
    ASSERT_TRUE(bound_socket.bound());
    for (const bool lines : {false, true}) {
        std::vector<std::string> args{"--summary", socket_name};
        if (lines) args.insert(args.begin(), "--lines");
        const Result r = explain(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "vornel-explain: " + socket_name +
                             ": C'est une socket (ou un périphérique absent), pas un fichier.\n");
    }
    bound_socket.close();
    // A pipe given by name (as <(command) gives it): its writer is already there.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string line = std::string(kEasy) + "\n";
    ASSERT_EQ(::write(ends[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    ::close(ends[1]);
    const Result r = explain({"--summary", "--lines", "/dev/fd/" + std::to_string(ends[0])});
    ::close(ends[0]);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
    // Without --lines, the pipe's first line tells what it holds.
    ASSERT_EQ(::pipe(ends), 0);
    ASSERT_EQ(::write(ends[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    ::close(ends[1]);
    const Result detected = explain({"--summary", "/dev/fd/" + std::to_string(ends[0])});
    ::close(ends[0]);
    EXPECT_EQ(detected.status, 0) << detected.err;
    EXPECT_EQ(detected.out.substr(detected.out.find('\t')), r.out.substr(r.out.find('\t')));
}

TEST(ExplainToSud, targets_are_written_through_links_and_never_replaced_when_not_regular_files) {
    TempDir dir;
    const fs::path out = dir.path / "out";
    fs::create_directories(out);
    fs::create_directories(dir.path / "ailleurs");
    fs::create_symlink("../ailleurs/easy-2.sud", out / "easy-2.sud");             // dangling: its file is created
    fs::create_symlink("/dev/null", out / "edge-cases-2.sud");                    // a device
    ASSERT_EQ(::mkfifo((out / "edge-cases-3.sud").c_str(), 0666), 0);             // a pipe without a reader
    fs::create_directories(out / "edge-cases-4.sud");                             // a folder
    fs::copy_file(fs::path(VORNEL_TEST_DATA) / "stuck.txt", out / "stuck-2.sud"); // one of the inputs
    const std::string o = out.string();
    const Result r = explain({"--lines", "--to-sud", o, "easy.txt", "edge-cases.txt", "stuck.txt", o + "/stuck-2.sud"});
    EXPECT_EQ(r.status, 1);
    const std::string v = "vornel-explain: " + o;
    EXPECT_EQ(r.err, v + "/edge-cases-2.sud: C'est un périphérique, pas un fichier ordinaire : rien n'y est écrit.\n" +
                         v +
                         "/edge-cases-3.sud: C'est un tube nommé, pas un fichier ordinaire : rien n'y est écrit.\n" +
                         v + "/edge-cases-4.sud: C'est un dossier, pas un fichier ordinaire : rien n'y est écrit.\n" +
                         v + "/stuck-2.sud: C'est un des fichiers lus par la commande : il n'est pas remplacé.\n");
    EXPECT_TRUE(fs::is_symlink(out / "easy-2.sud"));
    EXPECT_EQ(fs::file_size(dir.path / "ailleurs" / "easy-2.sud"), 243u);
    EXPECT_TRUE(fs::is_fifo(out / "edge-cases-3.sud"));
    EXPECT_EQ(slurp(out / "stuck-2.sud"), slurp(fs::path(VORNEL_TEST_DATA) / "stuck.txt"));
    EXPECT_EQ(fs::file_size(out / "stuck-3.sud"), 243u) << "the other lines are written";
}

// ---- The program itself, on hostile standard streams -------------------------------------------------

namespace {

// Runs `fragment` with sh from the test data folder, with $B the program, $D the data folder and
// $T a fresh folder; its standard output and error are collected.
Result run_program(const std::string& fragment) {
    TempDir dir;
    const std::string t = dir.path.string();
    const std::string command = "B='" VORNEL_EXPLAIN_PROGRAM "' D='" VORNEL_TEST_DATA "' T='" + t +
                                "' sh -c 'cd \"$D\" && { " + fragment + " ; } >\"$T/stdout\" 2>\"$T/stderr\"'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(dir.path / "stdout"), slurp(dir.path / "stderr")};
}

} // namespace

TEST(ExplainProgram, failing_outputs_and_inputs_are_told_in_french_with_their_cause) {
    const struct {
        std::string fragment;
        std::string err;
        const char* out = nullptr; // checked when given
    } cases[] = {
        {"\"$B\" --summary --lines easy.txt >/dev/full",
         "vornel-explain: la sortie standard n'a pas pu être écrite (Disque plein).\n"},
        {"\"$B\" --summary --lines easy.txt >&-", "vornel-explain: la sortie standard est fermée.\n"},
        {"\"$B\" --help >/dev/full", "vornel-explain: la sortie standard n'a pas pu être écrite (Disque plein).\n"},
        {"ulimit -f 1; \"$B\" --trace --lines easy.txt",
         "vornel-explain: la sortie standard n'a pas pu être écrite (Fichier trop volumineux : limite de taille des "
         "fichiers atteinte).\n"},
        {"\"$B\" --summary - <&-", "vornel-explain: -: L'entrée standard est fermée.\n"},
        {"\"$B\" --summary --lines - <&-", "vornel-explain: -: L'entrée standard est fermée.\n"},
        {"\"$B\" --summary - <golden", "vornel-explain: -: L'entrée standard est un dossier, pas un fichier.\n"},
        {"\"$B\" --summary --lines - <golden",
         "vornel-explain: -: L'entrée standard est un dossier, pas un fichier.\n"},
        {"\"$B\" --summary --lines golden", "vornel-explain: golden: C'est un dossier, pas un fichier.\n"},
        {"\"$B\" --summary odd_values.sud",
         "vornel-explain: odd_values.sud: '-' n'est pas une valeur entière correcte.\nvornel-explain: odd_values.sud: "
         "La case ligne 1, colonne 4 contient 12 : la grille l'affiche « 12 » et le compte comme un 1.\n"},
        {"cd \"$T\" && prlimit --fsize=200 \"$B\" --lines --to-sud . \"$D/easy.txt\"; s=$?; ls -A; exit $s",
         "vornel-explain: ./easy-2.sud: Fichier trop volumineux : limite de taille des fichiers atteinte.\n",
         "stderr\nstdout\n"}, // neither the file nor its temporary file is left
        {"cd \"$T\" && mkfifo tube && ln -s tube easy-2.sud && timeout 20 \"$B\" --lines --to-sud . \"$D/easy.txt\"",
         "vornel-explain: ./easy-2.sud: C'est un tube nommé, pas un fichier ordinaire : rien n'y est écrit.\n"},
    };
    for (const auto& c : cases) {
        const Result r = run_program(c.fragment);
        EXPECT_EQ(r.status, 1) << c.fragment;
        EXPECT_EQ(r.err, c.err) << c.fragment;
        if (c.out != nullptr) { EXPECT_EQ(r.out, c.out) << c.fragment; }
    }
    const Result fine = run_program("\"$B\" --techniques classic --summary --lines easy.txt");
    EXPECT_EQ(fine.status, 0);
    EXPECT_TRUE(fine.err.empty());
    EXPECT_EQ(fine.out, explain({"--summary", "--lines", "easy.txt"}).out);
}
