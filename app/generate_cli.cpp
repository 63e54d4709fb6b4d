// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate_cli.h"

#include <charconv>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <ostream>
#include <thread>

#include "default_jobs.h"
#include "generate.h"
#include "output_sink.h"
#include "tool_voice.h"

namespace vornel {

namespace {

constexpr const char* kProgram = "vornel-generate";

// The language of the run's messages: set once by generate() before any search starts.
Language tongue = Language::French;

std::string words(std::string_view french, std::string_view english) {
    return std::string(say(tongue, french, english));
}

} // namespace

std::vector<std::string_view> generate_option_names() {
    return {"--count", "--level",       "--needs", "--seed", "--symmetric",
            "--jobs",  "--max-seconds", "--lang",  "--help", "--version"};
}

std::vector<std::string_view> generate_needs_ids() {
    std::vector<std::string_view> ids;
    for (int t = 0; t < ladder::kTechniqueCount; ++t) {
        const auto technique = static_cast<ladder::Technique>(t);
        if (generator::untargetable(technique).empty()) ids.push_back(ladder::technique_id(technique));
    }
    return ids;
}

namespace {

// The ids --needs takes, in the ladder's order, on lines of at most 79 characters indented by two
// spaces.
std::string technique_lines() {
    std::string text;
    std::string line = " ";
    for (const std::string_view id : generate_needs_ids()) {
        if (line.size() + 1 + id.size() > 79) {
            text += line + '\n';
            line = " ";
        }
        line += ' ';
        line += id;
    }
    return text + line + '\n';
}

std::string usage_text_english() {
    std::string text = "Usage: vornel-generate [--count N] [--level LEVEL] [--needs TECHNIQUE] [--seed S]\n"
                       "                       [--symmetric] [-j N] [--max-seconds S] [--lang fr|en]\n"
                       "\n"
                       "Makes new Sudoku puzzles and writes them one per line: 81 digits, 0 for an empty cell.\n"
                       "Each puzzle has exactly one solution, and no given can be removed without losing it.\n"
                       "  --count N          number of puzzles (1 by default)\n"
                       "  --level LEVEL      level of the whole explanation (see the levels below)\n"
                       "  --needs TECHNIQUE  the explanation uses this technique at least once and nothing\n"
                       "                     harder (a ladder id, see below)\n"
                       "  --seed S           seed (a whole number from 0 to 18446744073709551615): the same seed\n"
                       "                     gives the same puzzles, whatever --jobs; without it, new puzzles\n"
                       "                     every time\n"
                       "  --symmetric        givens symmetric by a half turn around the centre\n"
                       "  -j, --jobs N       N puzzles searched at once (default: the number of processors); the\n"
                       "                     puzzles are written in the same order as with --jobs 1\n"
                       "  --max-seconds S    gives up the search after S seconds (60 by default, 0: never)\n"
                       "  --lang fr|en       the language of the messages (default: English for an English\n"
                       "                     locale, else French)\n"
                       "  -h, --help         shows this help and exits\n"
                       "  -V, --version      shows the version and the licence, and exits\n"
                       "\n"
                       "Levels (spaces may be written -; the French names are accepted too):\n";
    for (std::size_t i = 0; i < generator::kLevelsEnglish.size(); ++i) {
        text += "  ";
        text += generator::kLevelsEnglish[i];
        text += " (";
        text += generator::kLevels[i];
        text += ")\n";
    }
    text += "\nTechniques --needs can search for (in the order of the ladder, from the simplest to the\n"
            "hardest; the others never come last in a minimal puzzle):\n";
    text += technique_lines();
    text += "\n"
            "A request that is hard to meet shows its progress on standard error; Ctrl+C stops it\n"
            "cleanly, the puzzles already written stay intact.\n"
            "\n"
            "Exit status: 0 all puzzles written; 1 the output failed or the search went beyond\n"
            "--max-seconds (the puzzles written stay intact); 2 bad command line or impossible\n"
            "request; 130 stopped by Ctrl+C.\n";
    return text;
}

std::string usage_text() {
    std::string text = "Utilisation : vornel-generate [--count N] [--level NIVEAU] [--needs TECHNIQUE] [--seed S]\n"
                       "                              [--symmetric] [-j N] [--max-seconds S] [--lang fr|en]\n"
                       "\n"
                       "Crée de nouvelles grilles de Sudoku et les écrit une par ligne : 81 chiffres, 0 pour une case\n"
                       "vide. Chaque grille a une seule solution et aucun chiffre donné ne peut être retiré sans en\n"
                       "perdre l'unicité.\n"
                       "  --count N          nombre de grilles (1 par défaut)\n"
                       "  --level NIVEAU     niveau de l'explication complète (voir les niveaux ci-dessous)\n"
                       "  --needs TECHNIQUE  l'explication utilise cette technique au moins une fois et rien de plus\n"
                       "                     difficile (identifiant de l'échelle, voir ci-dessous)\n"
                       "  --seed S           graine (entier de 0 à 18446744073709551615) : la même graine donne les\n"
                       "                     mêmes grilles, quel que soit --jobs ; sans elle, des grilles nouvelles à\n"
                       "                     chaque fois\n"
                       "  --symmetric        chiffres donnés symétriques par un demi-tour autour du centre\n"
                       "  -j, --jobs N       N grilles cherchées à la fois (par défaut : le nombre de processeurs) ;\n"
                       "                     les grilles sont écrites dans le même ordre qu'avec --jobs 1\n"
                       "  --max-seconds S    abandonne la recherche après S secondes (60 par défaut, 0 : jamais)\n"
                       "  --lang fr|en       la langue des messages (par défaut : l'anglais pour une locale\n"
                       "                     anglaise, sinon le français)\n"
                       "  -h, --help         affiche cette aide et quitte\n"
                       "  -V, --version      affiche la version et la licence, et quitte\n"
                       "\n"
                       "Niveaux (les espaces peuvent s'écrire -, les accents s'omettre) :\n";
    for (const std::string_view level : generator::kLevels) {
        text += "  ";
        text += level;
        text += '\n';
    }
    text += "\nTechniques que --needs peut chercher (dans l'ordre de l'échelle, de la plus simple à la\n"
            "plus difficile ; les autres ne viennent jamais en dernier dans une grille minimale) :\n";
    text += technique_lines();
    text += "\n"
            "Une demande difficile à satisfaire affiche sa progression sur la sortie d'erreur ; Ctrl+C\n"
            "l'arrête proprement, les grilles déjà écrites restent intactes.\n"
            "\n"
            "Code de sortie : 0 toutes les grilles écrites ; 1 la sortie a échoué ou la recherche a\n"
            "dépassé --max-seconds (les grilles écrites restent intactes) ; 2 commande incorrecte ou\n"
            "demande impossible ; 130 arrêté par Ctrl+C.\n";
    return text;
}

int usage_error(OutputSink& err, std::string_view message) {
    err.write(tool_usage_error(kProgram, message, tongue));
    err.flush();
    return 2;
}

std::string technique_list() {
    std::string list;
    for (const std::string_view id : generate_needs_ids()) list += (list.empty() ? "" : ", ") + std::string(id);
    return list;
}

template<typename Number>
bool parse_number(const std::string& text, Number& number) {
    if (text.empty() || text[0] == '-' || text[0] == '+') return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

std::string line_of(const vornel::Grid& puzzle) {
    std::string line(81, '0');
    for (int c = 0; c < 81; ++c) line[static_cast<std::size_t>(c)] = static_cast<char>('0' + puzzle[c]);
    return line;
}

std::string puzzles(long n) {
    return tongue == Language::English ? (n > 1 ? " puzzles" : " puzzle") : (n > 1 ? " grilles" : " grille");
}

// Finds the puzzles on `jobs` threads, each taking the next index not yet taken, at most
// 2 × jobs ahead of the output, so that memory stays bounded whatever the count. The caller's
// thread writes them in index order and reports progress.
class Search {
public:
    Search(const generator::Request& request, std::uint64_t seed, long count, unsigned jobs,
           const std::atomic<bool>& stop)
        : request_(request), seed_(seed), count_(count), window_(2 * static_cast<long>(jobs)), stop_(stop) {
        const long threads = std::min<long>(static_cast<long>(jobs), count);
        for (long t = 0; t < threads; ++t) threads_.emplace_back([this] { work(); });
    }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;
    ~Search() {
        {
            const std::lock_guard lock(mutex_);
            ended_ = true;
        }
        changed_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    // The puzzle at `index` once found; nullopt when the wait passes first or the run is stopped.
    std::optional<vornel::Grid> take(long index, std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, wait, [&] { return found_.count(index) != 0 || stop_.load(); });
        const auto it = found_.find(index);
        if (it == found_.end()) return std::nullopt;
        const vornel::Grid puzzle = it->second;
        found_.erase(it);
        written_ = index + 1;
        lock.unlock();
        changed_.notify_all();
        return puzzle;
    }

    long attempts() const { return attempts_.load(); }

private:
    void work() {
        for (;;) {
            long index = 0;
            {
                std::unique_lock lock(mutex_);
                changed_.wait(lock, [&] { return ended_ || next_ >= count_ || next_ < written_ + window_; });
                if (ended_ || next_ >= count_) return;
                index = next_++;
            }
            generator::Generator generator(request_, generator::puzzle_seed(seed_, index));
            std::optional<vornel::Grid> puzzle;
            while (!puzzle && !stop_.load(std::memory_order_relaxed) && !ended()) {
                puzzle = generator.attempt();
                ++attempts_;
            }
            if (!puzzle) return;
            {
                const std::lock_guard lock(mutex_);
                found_.emplace(index, *puzzle);
            }
            changed_.notify_all();
        }
    }

    bool ended() {
        const std::lock_guard lock(mutex_);
        return ended_;
    }

    const generator::Request request_;
    const std::uint64_t seed_;
    const long count_;
    const long window_;
    const std::atomic<bool>& stop_;
    std::atomic<long> attempts_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    long next_ = 0;    // the next index a worker takes
    long written_ = 0; // the indexes below it have been handed to the writer
    bool ended_ = false;
    std::map<long, vornel::Grid> found_;
    std::vector<std::thread> threads_;
};

} // namespace

namespace {

int generate(const std::vector<std::string>& args, OutputSink& out, OutputSink& err, const std::atomic<bool>& stop) {
    long count = 1;
    long max_seconds = 60;
    unsigned jobs = default_jobs();
    generator::Request request;
    std::uint64_t seed = 0;
    bool seeded = false;
    bool options_done = false;
    const LanguageChoice choice = choose_language(args, environment_language());
    tongue = choice.language;
    if (!choice.error.empty()) return usage_error(err, choice.error);
    const bool english = tongue == Language::English;
    // "« value »" in French, "'value'" in English.
    const auto quoted = [&](const std::string& value) { return english ? "'" + value + "'" : "« " + value + " »"; };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (options_done || arg.empty() || arg[0] != '-' || arg == "-")
            return usage_error(err, english
                                        ? "unexpected argument " + quoted(arg) + ": vornel-generate reads no file"
                                        : "argument inattendu « " + arg + " » : vornel-generate ne lit aucun fichier");
        std::string option = arg, value;
        const auto equals = arg.find('=');
        bool inline_value = arg.rfind("--", 0) == 0 && equals != std::string::npos;
        if (inline_value) {
            option = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        } else if (arg == "-j") {
            option = "--jobs";
        } else if (arg.rfind("-j", 0) == 0) { // -jN
            option = "--jobs";
            value = arg.substr(2);
            inline_value = true;
        }
        const auto take_value = [&] {
            if (inline_value) return true;
            if (i + 1 >= args.size()) return false;
            value = args[++i];
            return true;
        };
        if (option == "--" && !inline_value) {
            options_done = true;
        } else if ((option == "--help" || option == "-h") && !inline_value) {
            out.write(english ? usage_text_english() : usage_text());
            return finish_output(kProgram, out, err, 0, tongue);
        } else if ((option == "--version" || option == "-V") && !inline_value) {
            out.write(tool_version_text(kProgram, VORNEL_VERSION, tongue));
            return finish_output(kProgram, out, err, 0, tongue);
        } else if (option == "--lang") {
            take_value(); // read by choose_language
        } else if (option == "--symmetric" && !inline_value) {
            request.symmetric = true;
        } else if (option == "--count") {
            if (!take_value())
                return usage_error(err, words("l'option --count attend un nombre de grilles",
                                              "the option --count needs a number of puzzles"));
            if (!parse_number(value, count) || count < 1)
                return usage_error(
                    err, english
                             ? "invalid number of puzzles " + quoted(value) + ": a whole number of at least 1 is needed"
                             : "nombre de grilles invalide « " + value + " » : il faut un entier d'au moins 1");
        } else if (option == "--jobs") {
            if (!take_value())
                return usage_error(err, words("l'option --jobs attend un nombre de tâches",
                                              "the option --jobs needs a number of jobs"));
            if (!parse_number(value, jobs) || jobs < 1 || jobs > 1024)
                return usage_error(
                    err, english
                             ? "invalid number of jobs " + quoted(value) + ": a whole number from 1 to 1024 is needed"
                             : "nombre de tâches invalide « " + value + " » : il faut un entier de 1 à 1024");
        } else if (option == "--level") {
            if (!take_value())
                return usage_error(err, words("l'option --level attend un niveau", "the option --level needs a level"));
            request.level = generator::level_from_name(value);
            if (request.level < 0) return usage_error(err, generator::unknown_level(value, tongue));
        } else if (option == "--needs") {
            if (!take_value())
                return usage_error(
                    err, words("l'option --needs attend une technique", "the option --needs needs a technique"));
            ladder::Technique technique{};
            if (!ladder::technique_from_id(value, technique))
                return usage_error(err,
                                   english ? "unknown technique " + quoted(value) + "; techniques: " + technique_list()
                                           : "technique inconnue « " + value + " » ; techniques : " + technique_list());
            if (const std::string_view why = generator::untargetable(technique, tongue); !why.empty() && english)
                return usage_error(err, "--needs " + value +
                                            ": no puzzle can be searched for this technique, because " +
                                            std::string(why));
            if (const std::string_view why = generator::untargetable(technique); !why.empty())
                return usage_error(err, "--needs " + value +
                                            " : aucune grille ne peut être cherchée pour cette "
                                            "technique, car " +
                                            std::string(why));
            request.needs = technique;
        } else if (option == "--max-seconds") {
            if (!take_value())
                return usage_error(err, words("l'option --max-seconds attend un nombre de secondes",
                                              "the option --max-seconds needs a number of seconds"));
            if (!parse_number(value, max_seconds))
                return usage_error(
                    err, english
                             ? "invalid number of seconds " + quoted(value) + ": a whole number of at least 0 is needed"
                             : "nombre de secondes invalide « " + value + " » : il faut un entier positif");
        } else if (option == "--seed") {
            if (!take_value())
                return usage_error(err, words("l'option --seed attend une graine", "the option --seed needs a seed"));
            if (!parse_number(value, seed))
                return usage_error(err, english ? "invalid seed " + quoted(value) +
                                                      ": a whole number from 0 to 18446744073709551615 is needed"
                                                : "graine invalide « " + value +
                                                      " » : il faut un entier de 0 à 18446744073709551615");
            seeded = true;
        } else {
            return usage_error(err, english ? "unknown option " + quoted(arg) : "option inconnue « " + arg + " »");
        }
    }
    if (const std::string why = generator::impossible(request, tongue); !why.empty()) return usage_error(err, why);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point next_report = start + std::chrono::seconds(1);
    bool reported = false;
    long written = 0;
    // Set when the run ends early (interrupted, out of time, or the output failed): the workers stop.
    std::atomic<bool> halt{false};
    Search search(request, seeded ? seed : generator::fresh_seed(), count, jobs, halt);
    const auto progress = [&](const std::string& tail) {
        const long attempts = search.attempts();
        if (english)
            err.write(tool_message(kProgram, std::to_string(written) + puzzles(written) + " of " +
                                                 std::to_string(count) + ", " + std::to_string(attempts) + " attempt" +
                                                 (attempts > 1 ? "s" : "") + ", " + tail));
        else
            err.write(tool_message(kProgram, std::to_string(written) + puzzles(written) + " sur " +
                                                 std::to_string(count) + ", " + std::to_string(attempts) + " essai" +
                                                 (attempts > 1 ? "s" : "") + ", " + tail));
        err.flush();
    };
    const auto written_text = [&] {
        if (english) return std::to_string(written) + puzzles(written) + " of " + std::to_string(count) + " written";
        return std::to_string(written) + puzzles(written) + " sur " + std::to_string(count) + " écrite" +
               (written > 1 ? "s" : "");
    };
    while (written < count) {
        if (stop.load(std::memory_order_relaxed)) {
            halt = true;
            err.write(tool_message(kProgram, words("interrompu, ", "interrupted, ") + written_text() + "."));
            return finish_output(kProgram, out, err, 130, tongue);
        }
        if (max_seconds > 0 && Clock::now() - start >= std::chrono::seconds(max_seconds)) {
            halt = true;
            err.write(tool_message(kProgram, english ? "search stopped after " + std::to_string(max_seconds) + " s (" +
                                                           written_text() + "); --max-seconds lets it search longer."
                                                     : "recherche arrêtée après " + std::to_string(max_seconds) +
                                                           " s (" + written_text() +
                                                           ") ; --max-seconds laisse chercher plus longtemps."));
            return finish_output(kProgram, out, err, 1, tongue);
        }
        if (const auto puzzle = search.take(written, std::chrono::milliseconds(100))) {
            // Each line whole and at once: a reader sees it as soon as it is found.
            if (!out.write(line_of(*puzzle) + '\n') || !out.flush()) {
                halt = true;
                return finish_output(kProgram, out, err, 1, tongue);
            }
            ++written;
        }
        const Clock::time_point now = Clock::now();
        if (now >= next_report && written < count) {
            progress(std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now - start).count()) + " s");
            next_report = now + std::chrono::seconds(1);
            reported = true;
        }
    }
    if (reported) progress(words("terminé.", "done."));
    return finish_output(kProgram, out, err, 0, tongue);
}

} // namespace

int run_generate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::atomic<bool>& stop) {
    StreamSink out_sink(out);
    StreamSink err_sink(err);
    return generate(args, out_sink, err_sink, stop);
}

int run_generate_console(const std::vector<std::string>& args, const std::atomic<bool>& stop) {
    prepare_standard_descriptors();
    FdSink out_sink(1);
    FdSink err_sink(2);
    return generate(args, out_sink, err_sink, stop);
}

} // namespace vornel
