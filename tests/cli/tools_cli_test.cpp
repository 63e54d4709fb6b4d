// SPDX-License-Identifier: GPL-3.0-or-later
// The three programs as a shell runs them: help, version, the one form of their messages, the
// exit statuses, and output that reaches a pipe as soon as each puzzle is explained.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "explain_cli.h"
#include "puzzles.h"

namespace {

// A program started with pipes on its three standard streams.
class Child {
public:
    Child(const std::string& program, const std::vector<std::string>& args, const std::vector<std::string>& env = {}) {
        int in[2], out[2], err[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0 || ::pipe(err) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(in[0], 0);
            ::dup2(out[1], 1);
            ::dup2(err[1], 2);
            for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) ::close(fd);
            for (const std::string& setting : env) ::putenv(const_cast<char*>(setting.c_str()));
            std::vector<char*> argv{const_cast<char*>(program.c_str())};
            for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
            argv.push_back(nullptr);
            ::execv(program.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(in[0]);
        ::close(out[1]);
        ::close(err[1]);
        in_ = in[1];
        out_ = out[0];
        err_ = err[0];
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child() {
        close_input();
        for (int fd : {out_, err_})
            if (fd >= 0) ::close(fd);
        if (pid_ > 0 && status_ < 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    bool started() const { return pid_ > 0; }

    void write_input(const std::string& bytes) {
        for (std::size_t at = 0; at < bytes.size();) {
            const ssize_t n = ::write(in_, bytes.data() + at, bytes.size() - at);
            if (n <= 0) return;
            at += static_cast<std::size_t>(n);
        }
    }

    void close_input() {
        if (in_ >= 0) ::close(in_);
        in_ = -1;
    }

    // Reads standard output until it holds a whole line or `limit` passes; returns what came.
    std::string read_line(std::chrono::seconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (out_text_.find('\n') == std::string::npos) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0) break;
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
            char buffer[4096];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0) break;
            out_text_.append(buffer, static_cast<std::size_t>(n));
        }
        return out_text_.substr(0, out_text_.find('\n') + 1);
    }

    // Closes the input, reads both outputs to their end and waits for the exit status.
    void finish(std::string& out, std::string& err, int& status) {
        close_input();
        std::string texts[2];
        texts[0] = out_text_;
        int fds[2] = {out_, err_};
        int open = 2;
        while (open > 0) {
            pollfd p[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
            if (::poll(p, 2, 60000) <= 0) break;
            for (int i = 0; i < 2; ++i) {
                if (fds[i] < 0 || p[i].revents == 0) continue;
                char buffer[4096];
                const ssize_t n = ::read(fds[i], buffer, sizeof buffer);
                if (n > 0) {
                    texts[i].append(buffer, static_cast<std::size_t>(n));
                } else {
                    ::close(fds[i]);
                    fds[i] = -1;
                    --open;
                }
            }
        }
        out_ = fds[0];
        err_ = fds[1];
        int raw = 0;
        ::waitpid(pid_, &raw, 0);
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        out = texts[0];
        err = texts[1];
        status = status_;
    }

private:
    pid_t pid_ = -1;
    int in_ = -1, out_ = -1, err_ = -1;
    int status_ = -1;
    std::string out_text_;
};

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

// A private runtime folder, so that the toolkit has nothing to say about it; removed at exit.
std::string runtime_dir() {
    struct Folder {
        std::string path;
        Folder() {
            char name[] = "/tmp/vornel-tools-XXXXXX";
            if (::mkdtemp(name) != nullptr) path = name;
        }
        ~Folder() {
            std::error_code ignored;
            if (!path.empty()) std::filesystem::remove_all(path, ignored);
        }
    };
    static const Folder folder;
    return folder.path.empty() ? "/tmp" : folder.path;
}

// `locale`: the locale variables the program sees, after LANGUAGE, LC_ALL and LC_MESSAGES are
// emptied and LANG is C.UTF-8 (so that the programs speak French whatever runs the tests).
Result run(const std::string& program, const std::vector<std::string>& args, const std::string& input = {},
           const std::vector<std::string>& locale = {}) {
    // The window program answers a usage error only once its toolkit has started: give it one
    // that needs no display.
    std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen",
                                 "XDG_RUNTIME_DIR=" + runtime_dir(),
                                 "LANGUAGE=",
                                 "LC_ALL=",
                                 "LC_MESSAGES=",
                                 "LANG=C.UTF-8"};
    env.insert(env.end(), locale.begin(), locale.end());
    Child child(program, args, env);
    Result r;
    if (!child.started()) return r;
    child.write_input(input);
    child.finish(r.out, r.err, r.status);
    return r;
}

std::string base_name(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

std::vector<std::string> programs() {
    std::vector<std::string> list{VORNEL_EXPLAIN_PROGRAM, VORNEL_GENERATE_PROGRAM};
#ifdef VORNEL_WINDOW_PROGRAM
    list.push_back(VORNEL_WINDOW_PROGRAM);
#endif
    return list;
}

} // namespace

TEST(Tools, help_and_version_answer_on_standard_output_in_one_form) {
    for (const std::string& program : programs()) {
        const std::string name = base_name(program);
        for (const char* help : {"--help", "-h"}) {
            const Result r = run(program, {help});
            EXPECT_EQ(r.status, 0) << name;
            EXPECT_EQ(r.err, "") << name;
            EXPECT_EQ(r.out.rfind("Utilisation : " + name + " ", 0), 0u) << r.out;
            EXPECT_NE(r.out.find("--version"), std::string::npos) << name << ": help names --version";
        }
        // -V or --version: the version, then the notice and the licence, the same in the three programs.
        for (const char* option : {"--version", "-V"}) {
            const Result version = run(program, {option});
            EXPECT_EQ(version.status, 0) << name;
            EXPECT_EQ(version.out, name + " " VORNEL_VERSION "\n© 2026 Les développeurs de Vornel\n"
                                          "Licence GPL-3.0-or-later : GNU GPL version 3 ou ultérieure "
                                          "<https://www.gnu.org/licenses/gpl-3.0.html>.\n"
                                          "Ceci est un logiciel libre : vous pouvez le modifier et le redistribuer.\n"
                                          "Il n'y a AUCUNE GARANTIE, dans les limites permises par la loi.\n")
                << option;
            EXPECT_EQ(version.err, "");
        }
        // -v is nobody's option.
        EXPECT_EQ(run(program, {"-v"}).status, 2) << name;
    }
}

TEST(Tools, usage_errors_name_the_fault_point_to_help_and_exit_2) {
    const std::string explain = VORNEL_EXPLAIN_PROGRAM, generate = VORNEL_GENERATE_PROGRAM;
    struct Case {
        std::string program;
        std::vector<std::string> args;
        std::string says; // the first line, after "PROGRAM: "
    };
    std::vector<Case> cases = {
        {explain, {"--frobnicate"}, "option inconnue « --frobnicate »"},
        {explain, {"--jobs", "deux", "-"}, "nombre de tâches invalide « deux » : il faut un entier de 1 à 1024"},
        {explain, {"--summary=yes"}, "option inconnue « --summary=yes »"},
        {explain, {"--tempo"}, "--tempo attend une valeur : step, digit ou once"},
        {generate, {"--frobnicate"}, "option inconnue « --frobnicate »"},
        {generate, {"grilles.txt"}, "argument inattendu « grilles.txt » : vornel-generate ne lit aucun fichier"},
        {generate, {"--count", "3", "-"}, "argument inattendu « - » : vornel-generate ne lit aucun fichier"},
        {generate,
         {"--level", "facile", "extra"},
         "argument inattendu « extra » : vornel-generate ne lit aucun fichier"},
        {generate, {"--jobs"}, "l'option --jobs attend un nombre de tâches"},
    };
#ifdef VORNEL_WINDOW_PROGRAM
    cases.push_back({VORNEL_WINDOW_PROGRAM, {"--frobnicate"}, "option inconnue « --frobnicate »"});
    cases.push_back({VORNEL_WINDOW_PROGRAM, {"a.sud", "b.sud"}, "un seul fichier à la fois (2 donnés)"});
#endif
    for (const Case& c : cases) {
        const std::string name = base_name(c.program);
        const Result r = run(c.program, c.args);
        EXPECT_EQ(r.status, 2) << name << " " << c.says;
        EXPECT_EQ(r.out, "") << name;
        EXPECT_EQ(r.err, name + ": " + c.says + "\nEssayez « " + name + " --help » pour en savoir plus.\n");
    }
}

TEST(Tools, file_problems_are_told_as_program_file_message_and_the_rest_goes_on) {
    const std::string explain = VORNEL_EXPLAIN_PROGRAM;
    const std::string data = VORNEL_TEST_DATA;
    const std::string puzzle = std::string(vornel::test::kEasy) + "\n";
    const struct {
        std::vector<std::string> args;
        std::string input;
        std::string err;
    } cases[] = {
        {{"--summary", "absent.sud", "-"}, "7\n", "vornel-explain: absent.sud: Fichier introuvable.\n"},
        {{"--summary", "--lines", "absent.txt", "-"}, puzzle, "vornel-explain: absent.txt: Fichier introuvable.\n"},
        // No file: standard input. A puzzle line read as a ".sud" file (--sud) says how to read it.
        {{"--summary", "--sud"},
         puzzle,
         "vornel-explain: -: Saisie numérique incorrecte. Ce sont des grilles d'une ligne (81 caractères) : "
         "ôtez --sud, ou ajoutez --lines.\n"},
        {{"--summary", "--sud", data + "/easy.txt"},
         "",
         "vornel-explain: " + data +
             "/easy.txt: Saisie numérique incorrecte. Ce sont des grilles d'une ligne (81 caractères) : ôtez "
             "--sud, ou ajoutez --lines.\n"},
        // Not a puzzle line: no such advice.
        {{"--summary"}, "x\n", "vornel-explain: -: Saisie numérique incorrecte.\n"},
        {{"--summary", "--lines"},
         puzzle + "12\n",
         "vornel-explain: -:2: ligne de grille mal formée : 81 cases attendues (ou 729 caractères avec les "
         "candidats), 2 caractères trouvés.\n"},
    };
    for (const auto& c : cases) {
        const Result r = run(explain, c.args, c.input);
        EXPECT_EQ(r.status, 1) << c.err;
        EXPECT_EQ(r.err, c.err);
    }
    // With no file at all, standard input is read as "-".
    const Result lines = run(explain, {"--summary", "--lines"}, puzzle);
    const Result dash = run(explain, {"--summary", "--lines", "-"}, puzzle);
    EXPECT_EQ(lines.status, 0) << lines.err;
    EXPECT_EQ(lines.out, dash.out);
    EXPECT_EQ(lines.out.substr(0, 11), "-\t1\tsolved\t") << lines.out;
    EXPECT_EQ(lines.out.substr(11 + 81), "\t51\t1\t1051\tvery-easy\thidden-single\t-\t-\n") << lines.out;
    // Without --lines the line is recognised all the same.
    EXPECT_EQ(run(explain, {"--summary"}, puzzle).out, lines.out);
}

// A pipe reader sees the first puzzle's line before the last puzzle is even written to the
// program's input: the output is not held back for a batch or for the end.
TEST(Tools, each_puzzle_reaches_a_pipe_as_soon_as_it_is_explained) {
    for (const char* jobs : {"1", "2"}) {
        for (const std::vector<std::string>& report :
             {std::vector<std::string>{"--json"}, std::vector<std::string>{"--summary"},
              std::vector<std::string>{"--techniques", "all", "--summary"}}) {
            std::vector<std::string> args = report;
            args.insert(args.end(), {"--lines", "--jobs", jobs});
            Child child(VORNEL_EXPLAIN_PROGRAM, args);
            ASSERT_TRUE(child.started());
            child.write_input(std::string(vornel::test::kEasy) + "\n");
            const std::string first = child.read_line(std::chrono::seconds(60));
            ASSERT_FALSE(first.empty()) << "no line before the input ended (--jobs " << jobs << ")";
            if (report[0] == "--json") {
                EXPECT_EQ(first.rfind("{\"version\":1,\"source\":\"-\",\"line\":1,", 0), 0u) << first;
            }
            child.write_input(std::string(vornel::test::kHard) + "\n");
            std::string out, err;
            int status = -1;
            child.finish(out, err, status);
            EXPECT_EQ(status, 0) << err;
            EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2) << out;
            EXPECT_EQ(out.rfind(first, 0), 0u);
        }
    }
}

// Several jobs give the same bytes as one, in input order, on every report of the ladder corpus.
TEST(Tools, the_jobs_change_nothing_but_the_speed) {
    const std::string data = VORNEL_TEST_DATA;
    std::vector<std::string> corpus;
    for (const char* file : {"top95.txt", "hardest.txt", "seventeen.txt", "qqwing.txt", "check-corpus.txt"})
        corpus.push_back(data + "/ladder/" + file);
    const std::vector<std::vector<std::string>> reports = {
        {"--techniques", "all", "--summary"},
        {"--json"},
        {"--techniques", "all"}, // the narrative, on the hardest puzzles only
        {"--trace", "--tempo", "step"},
    };
    for (const auto& report : reports) {
        std::vector<std::string> args = report;
        args.push_back("--lines");
        if (report[0] == "--trace") {
            for (const char* file : {"easy.txt", "stuck.txt", "edge-cases.txt", "stuck-kinds.txt"})
                args.push_back(data + "/" + file);
        } else if (report.size() == 2) {
            args.push_back(data + "/ladder/hardest.txt");
        } else {
            args.insert(args.end(), corpus.begin(), corpus.end());
        }
        std::string outs[3], errs[3];
        int statuses[3] = {};
        const char* jobs[3] = {"1", "2", "7"};
        for (int j = 0; j < 3; ++j) {
            if (j == 2 && report.size() == 3) break; // the longest runs: one and two jobs
            std::vector<std::string> with_jobs{"--jobs", jobs[j]};
            with_jobs.insert(with_jobs.end(), args.begin(), args.end());
            std::istringstream in;
            std::ostringstream out, err;
            statuses[j] = vornel::run_explain(with_jobs, in, out, err);
            outs[j] = out.str();
            errs[j] = err.str();
        }
        EXPECT_EQ(statuses[1], statuses[0]);
        EXPECT_EQ(errs[1], errs[0]);
        ASSERT_FALSE(outs[0].empty());
        EXPECT_EQ(outs[1], outs[0]) << report[0];
        if (report.size() != 3) {
            EXPECT_EQ(statuses[2], statuses[0]);
            EXPECT_EQ(errs[2], errs[0]);
            EXPECT_EQ(outs[2], outs[0]) << report[0];
        }
    }
}

// ---- Languages ----------------------------------------------------------------------------------

TEST(Tools, the_language_is_lang_else_the_locale_and_french_by_default) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> locale;
        bool english;
    };
    const Case cases[] = {
        {{"--help"}, {}, false},
        {{"--help"}, {"LANG="}, false},
        {{"--help"}, {"LANG=C"}, false},
        {{"--help"}, {"LANG=POSIX"}, false},
        {{"--help"}, {"LANG=fr_FR.UTF-8"}, false},
        {{"--help"}, {"LANG=de_DE.UTF-8"}, false},
        {{"--help"}, {"LANG=en_US.UTF-8"}, true},
        {{"--help"}, {"LANG=fr_FR.UTF-8", "LC_MESSAGES=en_GB.UTF-8"}, true},
        {{"--help"}, {"LANG=en_US.UTF-8", "LC_ALL=fr_CA.UTF-8"}, false},
        {{"--help"}, {"LANG=fr_FR.UTF-8", "LANGUAGE=en:fr"}, true},
        {{"--lang", "en", "--help"}, {}, true},
        {{"--lang=EN", "--help"}, {}, true},
        {{"--help", "--lang", "fr"}, {"LANG=en_US.UTF-8"}, false},
        {{"--lang", "en", "--lang", "fr", "--help"}, {}, false},
    };
    // The window program's command line is the window's business, and tested with it.
    for (const std::string program : {VORNEL_EXPLAIN_PROGRAM, VORNEL_GENERATE_PROGRAM}) {
        const std::string name = base_name(program);
        for (const Case& c : cases) {
            const Result r = run(program, c.args, {}, c.locale);
            const std::string words = c.args.front() + " " + (c.locale.empty() ? "" : c.locale.back());
            EXPECT_EQ(r.status, 0) << name << " " << words;
            const std::string start = c.english ? "Usage: " + name + " " : "Utilisation : " + name + " ";
            EXPECT_EQ(r.out.rfind(start, 0), 0u) << name << " " << words << "\n" << r.out.substr(0, 80);
            EXPECT_NE(r.out.find("--lang fr|en"), std::string::npos) << name << ": help names --lang";
        }
    }
}

TEST(Tools, usage_errors_speak_the_chosen_language_and_exit_2) {
    const std::string explain = VORNEL_EXPLAIN_PROGRAM, generate = VORNEL_GENERATE_PROGRAM;
    struct Case {
        std::string program;
        std::vector<std::string> args;
        std::vector<std::string> locale;
        std::string says; // the first line, after "PROGRAM: "
        bool english;
    };
    const std::vector<std::string> en{"LANG=en_GB.UTF-8"};
    std::vector<Case> cases = {
        {explain, {"--lang", "xx"}, {}, "langue inconnue « xx » : fr ou en", false},
        {explain, {"--lang", "xx"}, en, "unknown language 'xx': fr or en", true},
        {explain, {"--lang"}, en, "--lang needs a language: fr or en", true},
        {explain, {"--lang", "en", "--frobnicate"}, {}, "unknown option '--frobnicate'", true},
        {explain, {"--frobnicate", "--lang=en"}, {}, "unknown option '--frobnicate'", true},
        {explain,
         {"--jobs", "two", "-"},
         en,
         "invalid number of jobs 'two': a whole number from 1 to 1024 is needed",
         true},
        {explain, {"--trace", "--json"}, en, "--trace and --json exclude each other", true},
        {explain, {"--frobnicate"}, {"LANG=en_US.UTF-8", "LC_ALL=C"}, "option inconnue « --frobnicate »", false},
        {generate, {"--lang=de"}, {}, "langue inconnue « de » : fr ou en", false},
        {generate,
         {"--lang", "en", "puzzles.txt"},
         {},
         "unexpected argument 'puzzles.txt': vornel-generate reads no file",
         true},
        {generate,
         {"--level", "impossible"},
         en,
         "unknown level 'impossible'; levels: very easy (very-easy), easy, medium, hard, very hard (very-hard), "
         "diabolical",
         true},
        {generate,
         {"--lang", "fr", "--count", "0"},
         en,
         "nombre de grilles invalide « 0 » : il faut un entier d'au moins 1",
         false},
    };
    for (const Case& c : cases) {
        const std::string name = base_name(c.program);
        const Result r = run(c.program, c.args, {}, c.locale);
        EXPECT_EQ(r.status, 2) << name << " " << c.says;
        EXPECT_EQ(r.out, "") << name;
        const std::string help = c.english ? "Try '" + name + " --help' for more information.\n"
                                           : "Essayez « " + name + " --help » pour en savoir plus.\n";
        EXPECT_EQ(r.err, name + ": " + c.says + "\n" + help);
    }
}

namespace {

// The words of each language that the other's output never holds.
const char* const kFrenchWords[] = {" la ",   " le ",  " les ",   " des ",  " du ",  "ligne",  "colonne",
                                    "région", "case",  "chiffre", "Nous ",  " et ",  "é",      "è",
                                    "à",      "Rien ", "Fichier", "grille", " est ", "Nouveau"};
const char* const kEnglishWords[] = {" the ", "The ",  "We ",  "digit", " box ",   "Box ", " row ",
                                     "Row ",  " cell", "only", "write", "Nothing", " is ", "solved"};

template<std::size_t N>
std::string leaked(const std::string& text, const char* const (&words)[N]) {
    for (const char* word : words)
        if (const auto at = text.find(word); at != std::string::npos)
            return std::string(word) + " in: " + text.substr(text.rfind('\n', at) + 1, 120);
    return {};
}

} // namespace

TEST(Tools, the_classic_explanations_speak_one_language_only) {
    const std::string corpus = std::string(VORNEL_TEST_DATA) + "/ladder/qqwing.txt";
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> locale;
        bool english;
    };
    const Case cases[] = {
        {{"--techniques", "classic", "--lines", corpus}, {}, false},
        {{"--techniques", "classic", "--lang", "en", "--lines", corpus}, {}, true},
        {{"--techniques", "classic", "--lines", corpus}, {"LANG=en_US.UTF-8"}, true},
        {{"--tempo", "digit", "--lines", corpus}, {"LANGUAGE=en"}, false}, // LANGUAGE alone under C: French
        {{"--lang", "en", "--tempo", "step", "--lines", corpus}, {}, true},
    };
    for (const Case& c : cases) {
        const Result r = run(VORNEL_EXPLAIN_PROGRAM, c.args, {}, c.locale);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_GT(r.out.size(), 10000u);
        if (c.english)
            EXPECT_EQ(leaked(r.out, kFrenchWords), "");
        else
            EXPECT_EQ(leaked(r.out, kEnglishWords), "");
    }
}

// Every golden transcript told again in English: the same exit status and the same number of
// lines (each line has its translation, none is lost or added), and no French word but the
// summary's outcome words, which are data.
TEST(Tools, the_golden_transcripts_in_english_keep_their_shape_and_lose_their_french) {
    const std::string data = VORNEL_TEST_DATA;
    std::ifstream cases(data + "/golden/cases");
    ASSERT_TRUE(cases);
    int checked = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string transcript, word;
        words >> transcript;
        int expected = 0;
        std::vector<std::string> args{"--lang", "en"};
        while (words >> word) {
            if (word.rfind("status=", 0) == 0)
                expected = std::stoi(word.substr(7));
            else
                args.push_back(std::filesystem::is_regular_file(data + "/" + word) ? data + "/" + word : word);
        }
        const Result r = run(VORNEL_EXPLAIN_PROGRAM, args);
        EXPECT_EQ(r.status, expected) << transcript;
        std::ifstream golden(data + "/golden/" + transcript);
        std::stringstream read;
        read << golden.rdbuf();
        const std::string french = read.str();
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), std::count(french.begin(), french.end(), '\n'))
            << transcript;
        if (transcript.ends_with(".summary")) continue;
        // What is told, without the names of the input files: trace lines "puzzle FILE:LINE", and
        // messages "PROGRAM: FILE: message".
        std::string told;
        std::istringstream out(r.out), err(r.err);
        for (std::string l; std::getline(out, l);)
            if (l.rfind("puzzle ", 0) != 0) told += l + '\n';
        for (std::string l; std::getline(err, l);) told += l.substr(l.find(": ", l.find(": ") + 2) + 2) + '\n';
        EXPECT_EQ(leaked(told, kFrenchWords), "") << transcript;
        ++checked;
    }
    EXPECT_GE(checked, 10);
}

TEST(Tools, summaries_and_json_keys_are_the_same_in_every_language) {
    const std::string corpus = std::string(VORNEL_TEST_DATA) + "/ladder/check-corpus.txt";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--summary", "--lines", corpus},
          std::vector<std::string>{"--techniques", "all", "--summary", "--lines", corpus}}) {
        const Result french = run(VORNEL_EXPLAIN_PROGRAM, args);
        std::vector<std::string> english_args{"--lang", "en"};
        english_args.insert(english_args.end(), args.begin(), args.end());
        const Result english = run(VORNEL_EXPLAIN_PROGRAM, english_args);
        EXPECT_EQ(french.status, 0);
        EXPECT_FALSE(french.out.empty());
        EXPECT_EQ(english.out, french.out) << args[0];
    }
    // JSON: the same keys in the same order, ids and numbers alike; the sentences differ.
    const auto keys = [](const std::string& json) {
        std::string out;
        static const std::regex kKey("\"([a-z_]+)\":");
        for (auto it = std::sregex_iterator(json.begin(), json.end(), kKey); it != std::sregex_iterator(); ++it)
            out += (*it)[1].str() + ' ';
        return out;
    };
    const Result french = run(VORNEL_EXPLAIN_PROGRAM, {"--json", "--lines", corpus});
    const Result english = run(VORNEL_EXPLAIN_PROGRAM, {"--json", "--lang", "en", "--lines", corpus});
    EXPECT_EQ(keys(english.out), keys(french.out));
    EXPECT_GT(keys(french.out).size(), 1000u);
    EXPECT_NE(english.out, french.out);
}
