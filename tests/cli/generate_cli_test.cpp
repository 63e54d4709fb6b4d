// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <streambuf>

#include "generate.h"
#include "generate_cli.h"
#include "ladder.h"
#include "narrator_fr.h"
#include "plain_solver.h"

using vornel::run_generate;
using vornel::test::plain_count;
using vornel::test::plain_grid;
using vornel::test::plain_minimal;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result generate(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const std::atomic<bool> never{false};
    const int status = run_generate(args, out, err, never);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Every line: 81 characters 0-9, one solution, minimal.
void expect_puzzles(const std::string& out, std::size_t count, bool symmetric) {
    const auto lines = lines_of(out);
    ASSERT_EQ(lines.size(), count) << out;
    ASSERT_TRUE(out.empty() || out.back() == '\n');
    for (const std::string& line : lines) {
        ASSERT_EQ(line.size(), 81u) << line;
        EXPECT_EQ(line.find_first_not_of("0123456789"), std::string::npos) << line;
        EXPECT_TRUE(plain_minimal(plain_grid(line), symmetric)) << line;
        if (symmetric) {
            for (std::size_t c = 0; c < 81; ++c) EXPECT_EQ(line[c] == '0', line[80 - c] == '0') << line;
        }
    }
}

vornel::ladder::Explanation explain(const std::string& line) {
    vornel::Grid grid{};
    for (std::size_t c = 0; c < 81; ++c) grid[c] = static_cast<std::uint8_t>(line[c] - '0');
    return vornel::ladder::explain(grid);
}

// A stream that raises a stop flag once `lines` whole lines have been flushed to it, as Ctrl+C
// would between two puzzles.
class StopAfterLines : public std::stringbuf {
public:
    StopAfterLines(std::atomic<bool>& stop, long lines) : stop_(stop), lines_(lines) {}

protected:
    int sync() override {
        const std::string text = str();
        if (std::count(text.begin(), text.end(), '\n') >= lines_) stop_ = true;
        return std::stringbuf::sync();
    }

private:
    std::atomic<bool>& stop_;
    long lines_;
};

} // namespace

TEST(GenerateCli, prints_the_count_of_minimal_puzzles_and_nothing_else) {
    const Result plain = generate({"--count", "4", "--seed", "12"});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.err, "");
    expect_puzzles(plain.out, 4, false);

    const Result sym = generate({"--count=3", "--seed=12", "--symmetric"});
    EXPECT_EQ(sym.status, 0);
    expect_puzzles(sym.out, 3, true);

    const Result one = generate({});
    EXPECT_EQ(one.status, 0);
    expect_puzzles(one.out, 1, false);
}

TEST(GenerateCli, a_seed_repeats_its_output_and_other_seeds_differ) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--count", "3", "--level", "moyen"},
                                                 std::vector<std::string>{"--count", "2", "--symmetric"}}) {
        auto with_seed = [&](const char* seed) {
            auto full = args;
            full.insert(full.end(), {"--seed", seed});
            return generate(full).out;
        };
        EXPECT_EQ(with_seed("99"), with_seed("99"));
        EXPECT_NE(with_seed("99"), with_seed("100"));
    }
    EXPECT_NE(generate({}).out, generate({}).out); // no seed: a new one each run
}

TEST(GenerateCli, the_jobs_change_nothing_but_the_speed) {
    const Result one = generate({"--count", "6", "--seed", "21", "--jobs", "1"});
    EXPECT_EQ(one.status, 0);
    expect_puzzles(one.out, 6, false);
    for (const char* jobs : {"2", "5", "16"})
        EXPECT_EQ(generate({"--count", "6", "--seed", "21", "--jobs", jobs}).out, one.out) << jobs;
    auto lines = lines_of(one.out);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(std::unique(lines.begin(), lines.end()), lines.end()) << "each puzzle has a seed of its own";
    // The first puzzle is the seed's own: asking for one gives the same.
    EXPECT_EQ(generate({"--seed", "21", "--jobs", "1"}).out, one.out.substr(0, 82));
}

TEST(GenerateCli, levels_and_techniques_are_met_as_the_ladder_explains_them) {
    const struct {
        std::vector<std::string> args;
        const char* level; // nullptr: not checked
        const char* needs; // nullptr: not checked
    } cases[] = {
        {{"--level", "tres-facile"}, "très facile", nullptr},
        {{"--level", "facile", "--symmetric"}, "facile", nullptr},
        {{"--level", "très difficile"}, "très difficile", nullptr},
        {{"--level", "diabolique", "--symmetric"}, "diabolique", nullptr},
        {{"--needs", "x-wing"}, nullptr, "x-wing"},
        {{"--needs", "hidden-pair", "--level", "moyen"}, "moyen", "hidden-pair"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--count", "2", "--seed", "4"});
        const Result result = generate(args);
        ASSERT_EQ(result.status, 0) << result.err;
        for (const std::string& line : lines_of(result.out)) {
            const auto explanation = explain(line);
            ASSERT_TRUE(explanation.rating.has_value()) << line;
            const std::string level(vornel::ladder::level_name_fr(explanation.rating->level));
            EXPECT_TRUE(!c.level || level == c.level) << level << " " << line;
            if (c.needs) {
                vornel::ladder::Technique needs{};
                ASSERT_TRUE(vornel::ladder::technique_from_id(c.needs, needs));
                bool used = false;
                for (const auto& step : explanation.steps) {
                    EXPECT_LE(step.technique, needs) << line;
                    used = used || step.technique == needs;
                }
                EXPECT_TRUE(used) << line;
            }
            EXPECT_EQ(plain_count(plain_grid(line)), 1);
        }
    }
}

TEST(GenerateCli, bad_requests_say_why_in_french_and_exit_2) {
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"--count", "0"}, "nombre de grilles invalide « 0 » : il faut un entier d'au moins 1"},
        {{"--count", "-3"}, "nombre de grilles invalide « -3 »"},
        {{"--count", "dix"}, "nombre de grilles invalide « dix »"},
        {{"--count"}, "l'option --count attend un nombre de grilles"},
        {{"--level", "expert"}, "niveau inconnu « expert » ; niveaux : très facile (tres-facile), facile"},
        {{"--level"}, "l'option --level attend un niveau"},
        {{"--needs", "x_wing"}, "technique inconnue « x_wing » ; techniques : hidden-single, naked-single"},
        {{"--seed", "graine"}, "graine invalide « graine »"},
        {{"--seed", "18446744073709551616"}, "graine invalide"},
        {{"--symmetric=oui"}, "option inconnue « --symmetric=oui »"},
        {{"puzzle.txt"}, "argument inattendu « puzzle.txt »"},
        {{"--count", "2", "--", "--seed"}, "argument inattendu « --seed »"},
        {{"--jobs", "0"}, "nombre de tâches invalide « 0 »"},
        {{"--level", "très facile", "--needs", "x-wing"}, "aucune grille du niveau « très facile »"},
    };
    for (const auto& c : cases) {
        const Result result = generate(c.args);
        EXPECT_EQ(result.status, 2) << c.says;
        EXPECT_EQ(result.out, "") << c.says;
        EXPECT_EQ(result.err.rfind(std::string("vornel-generate: ") + c.says, 0), 0u) << result.err;
        EXPECT_NE(result.err.find("\nEssayez « vornel-generate --help » pour en savoir plus.\n"), std::string::npos)
            << result.err;
    }
}

TEST(GenerateCli, help_is_in_french_on_standard_output) {
    const Result result = generate({"--help"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.rfind("Utilisation : vornel-generate [--count N]", 0), 0u);
    for (const char* option : {"--count N", "--level NIVEAU", "--needs TECHNIQUE", "--seed S", "--symmetric",
                               "-j, --jobs N", "-V, --version"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
    // Every level, and every technique id --needs takes, each as a word of its own; not the others.
    for (const std::string_view level : vornel::generator::kLevels)
        EXPECT_NE(result.out.find("  " + std::string(level) + "\n"), std::string::npos) << level;
    const std::string techniques = result.out.substr(result.out.find("\nTechniques"));
    for (int t = 0; t < vornel::ladder::kTechniqueCount; ++t) {
        const auto technique = static_cast<vornel::ladder::Technique>(t);
        const std::string id(vornel::ladder::technique_id(technique));
        const auto at = techniques.find(" " + id + (t + 1 < vornel::ladder::kTechniqueCount ? "" : "\n"));
        const bool listed = at != std::string::npos &&
                            (techniques[at + 1 + id.size()] == ' ' || techniques[at + 1 + id.size()] == '\n');
        EXPECT_EQ(listed, vornel::generator::untargetable(technique).empty()) << id;
    }
    EXPECT_EQ(generate({"--version"}).out.rfind("vornel-generate 1.0\n", 0), 0u);
    // -j N and -jN are --jobs N.
    EXPECT_EQ(generate({"-j", "0"}).status, 2);
    EXPECT_EQ(generate({"-j0"}).err, generate({"--jobs", "0"}).err);
}

TEST(GenerateCli, a_stop_between_puzzles_keeps_the_lines_already_written) {
    std::atomic<bool> stop{false};
    StopAfterLines buffer(stop, 2);
    std::ostream out(&buffer);
    std::ostringstream err;
    const int status = run_generate({"--count", "5", "--seed", "3"}, out, err, stop);
    EXPECT_EQ(status, 130);
    expect_puzzles(buffer.str(), 2, false);
    EXPECT_EQ(err.str(), "vornel-generate: interrompu, 2 grilles sur 5 écrites.\n");
    // Stopped before the first: nothing on standard output.
    std::ostringstream none, why;
    const std::atomic<bool> at_once{true};
    EXPECT_EQ(run_generate({"--count", "2"}, none, why, at_once), 130);
    EXPECT_EQ(none.str(), "");
    EXPECT_EQ(why.str(), "vornel-generate: interrompu, 0 grille sur 2 écrite.\n");
}

namespace {

// Runs a shell fragment in which $G is the program, in a fresh folder $T; its standard output and
// error are kept from files.
Result run_program(const std::string& fragment) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vornel-generate-program";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string t = dir.string();
    const std::string command = "G='" VORNEL_GENERATE_PROGRAM "' T='" + t + "' sh -c 'cd \"$T\" && { " + fragment +
                                " ; } >\"$T/stdout\" 2>\"$T/stderr\"'";
    const int status = std::system(command.c_str());
    const auto slurp = [&dir](const char* name) {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    Result r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp("stdout"), slurp("stderr")};
    std::filesystem::remove_all(dir);
    return r;
}

} // namespace

TEST(GenerateProgram, every_write_and_the_final_flush_are_checked_and_a_file_keeps_whole_lines) {
    const std::string closed = "vornel-generate: la sortie standard est fermée.\n";
    const std::string full = "vornel-generate: la sortie standard n'a pas pu être écrite (Disque plein).\n";
    const std::string limit = "vornel-generate: la sortie standard n'a pas pu être écrite (Fichier trop volumineux : "
                              "limite de taille des fichiers atteinte).\n";
    const struct {
        std::string fragment;
        std::string err;
        std::string out; // what the fragment prints after the run (ls, wc)
    } cases[] = {
        {"\"$G\" --count 3 --seed 1 >/dev/full", full, ""},
        {"\"$G\" --help >/dev/full", full, ""},
        {"\"$G\" --version >/dev/full", full, ""},
        {"\"$G\" --count 2 --seed 1 >&-", closed, ""},
        // 200 bytes allowed (the message fits): two lines of 82 bytes stay, the part of the third is
        // taken back.
        {"prlimit --fsize=200 \"$G\" --count 3 --seed 1 >p.txt; s=$?; wc -c <p.txt; exit $s", limit, "164\n"},
    };
    for (const auto& c : cases) {
        const Result r = run_program(c.fragment);
        EXPECT_EQ(r.status, 1) << c.fragment;
        EXPECT_EQ(r.err, c.err) << c.fragment;
        EXPECT_EQ(r.out, c.out) << c.fragment;
    }
}

TEST(GenerateCli, techniques_no_search_can_target_are_refused_at_once_with_the_reason) {
    for (const char* id : {"full-house", "hidden-quad", "trial"}) {
        vornel::ladder::Technique technique{};
        ASSERT_TRUE(vornel::ladder::technique_from_id(id, technique)) << id;
        const std::string why(vornel::generator::untargetable(technique));
        ASSERT_FALSE(why.empty()) << id;
        const Result r = generate({"--needs", id});
        EXPECT_EQ(r.status, 2) << id;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "vornel-generate: --needs " + std::string(id) +
                             " : aucune grille ne peut être cherchée pour cette technique, car " + why +
                             "\nEssayez « vornel-generate --help » pour en savoir plus.\n");
    }
    // The others are searched for.
    for (const char* id : {"hidden-single", "x-wing", "xy-wing"}) {
        vornel::ladder::Technique technique{};
        ASSERT_TRUE(vornel::ladder::technique_from_id(id, technique)) << id;
        EXPECT_TRUE(vornel::generator::untargetable(technique).empty()) << id;
    }
}

TEST(GenerateCli, a_search_that_runs_out_of_time_says_so_and_keeps_what_it_wrote) {
    // Far more puzzles than one second gives: the search stops with a message, the lines written
    // stay whole, and the message counts them.
    const Result r = generate({"--count", "1000000", "--max-seconds", "1", "--seed", "4"});
    EXPECT_EQ(r.status, 1) << r.err;
    const std::size_t written = lines_of(r.out).size();
    expect_puzzles(r.out, written, false);
    const std::string tail = "vornel-generate: recherche arrêtée après 1 s (" + std::to_string(written) +
                             (written > 1 ? " grilles sur 1000000 écrites" : " grille sur 1000000 écrite") +
                             ") ; --max-seconds laisse chercher plus longtemps.\n";
    ASSERT_GE(r.err.size(), tail.size());
    EXPECT_EQ(r.err.substr(r.err.size() - tail.size()), tail);
    const Result bad = generate({"--max-seconds", "-3"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "vornel-generate: nombre de secondes invalide « -3 » : il faut un entier positif\n"
                       "Essayez « vornel-generate --help » pour en savoir plus.\n");
}
