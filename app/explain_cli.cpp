#include "explain_cli.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <map>
#include <set>
#include <sstream>
#include <thread>
#include <utility>

#include "byte_source.h"
#include "classic_page.h"
#include "explainer.h"
#include "explanation_export.h"
#include "failures.h"
#include "ladder_page.h"
#include "ladder_report.h"
#include "output_sink.h"
#include "puzzle_lines.h"

namespace vornel {

namespace {

constexpr const char* kUsage = "Usage : vornel-explain [--tempo step|digit|once] [--trace | --summary] [--lines]\n"
                               "                       [--to-sud DOSSIER] FICHIER...\n"
                               "        vornel-explain --techniques all [--summary | --json] [--lines] FICHIER...\n"
                               "        vornel-explain [--techniques classic|all] [--lines] --html CIBLE FICHIER...\n"
                               "\n"
                               "Explique chaque grille comme la fenêtre de Vornel la résoudrait, sans fenêtre.\n"
                               "FICHIER est un fichier « .sud » (81 lignes, une valeur chacune), ou - pour\n"
                               "l'entrée standard.\n"
                               "  --tempo T         step : un placement par demande (« Pas suivant » tant qu'il\n"
                               "                    est affiché) ; digit : un chiffre par demande (« Chiffre\n"
                               "                    suivant » tant qu'il est affiché) ; once : toute la solution\n"
                               "                    en une demande (par défaut)\n"
                               "  --trace           un événement par ligne : puzzle, == demande, clear, + ligne,\n"
                               "                    grid, colours, buttons\n"
                               "  --summary         une ligne par grille : grille finale, issue (terminé,\n"
                               "                    bloqué, invalide), placements, nombre de solutions des\n"
                               "                    données (0, 1 ou 2+)\n"
                               "  --lines           une grille par ligne : 81 caractères, 1-9 pour les chiffres\n"
                               "                    donnés, 0 ou . pour les cases vides ; lignes vides et lignes\n"
                               "                    commençant par # ignorées ; une ligne de plus de 4096 octets\n"
                               "                    est signalée et ignorée\n"
                               "  --to-sud DOSSIER  n'explique rien : écrit chaque grille, telle qu'elle est une\n"
                               "                    fois chargée, en fichier « .sud » dans DOSSIER (NOM.sud, ou\n"
                               "                    NOM-LIGNE.sud avec --lines). Deux entrées qui donneraient le\n"
                               "                    même nom font refuser la commande avant toute écriture. Un\n"
                               "                    lien symbolique est suivi : le fichier qu'il désigne est\n"
                               "                    remplacé, ou créé. Une cible qui n'est pas un fichier\n"
                               "                    ordinaire (dossier, tube, périphérique) et un fichier lu par\n"
                               "                    la commande ne sont jamais remplacés.\n"
                               "  --techniques classic|all\n"
                               "                    classic : les deux recherches ci-dessus (par défaut) ;\n"
                               "                    all : l'échelle des techniques, chaque étape avec la\n"
                               "                    technique la plus simple qui s'applique, puis le verdict\n"
                               "                    et la difficulté ; avec --summary : grille finale,\n"
                               "                    verdict, étapes, solutions, score, niveau, technique la\n"
                               "                    plus difficile\n"
                               "  --json            avec --techniques all : un objet JSON par grille et par\n"
                               "                    ligne\n"
                               "  --html CIBLE      n'écrit rien sur la sortie : écrit l'explication de chaque\n"
                               "                    grille en page HTML autonome (une planche par étape),\n"
                               "                    avec la méthode choisie par --techniques. CIBLE est un\n"
                               "                    dossier existant (NOM.html, ou NOM-LIGNE.html avec\n"
                               "                    --lines, selon les règles de --to-sud) ou un fichier,\n"
                               "                    qui ne reçoit alors qu'une grille\n"
                               "  --help            affiche cette aide\n"
                               "  --version         affiche la version\n"
                               "\n"
                               "Code de sortie : 0 tout s'est bien passé ; 1 une entrée, une grille ou une\n"
                               "sortie a échoué (les autres ont été traitées, la cause est écrite sur la sortie\n"
                               "d'erreur) ; 2 commande incorrecte, ou --to-sud refusé avant toute écriture.\n";

struct Options {
    ExplainOptions explain;
    LadderOptions ladder;
    bool lines = false;
    std::string to_sud_dir;
    // --html: a folder (one page per puzzle) or a file (one puzzle only).
    std::string html_target;
    bool html_into_folder = false;
    std::vector<std::string> files;

    // The folder --to-sud or --html DIR writes into, and the extension of its files.
    const std::string& output_dir() const { return to_sud_dir.empty() ? html_target : to_sud_dir; }
    bool writes_files() const { return !to_sud_dir.empty() || !html_target.empty(); }
    const char* output_extension() const { return to_sud_dir.empty() ? ".html" : ".sud"; }
};

// The process's standard streams, or streams standing in for them.
struct Console {
    ByteSource& in;
    const FdSource* in_fd; // null when standard input is a stream that cannot say why it failed
    OutputSink& out;
    OutputSink& err;
};

// The name an input's ".sud" copies start with: its file name without folder and extension.
std::string stem_of(const std::string& input) {
    if (input == "-") return "stdin";
    std::string name = input.substr(input.find_last_of('/') + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? "puzzle" : name;
}

// The name of an input's puzzle in a page title: "grille.sud", "grilles.txt, ligne 3", "entrée
// standard, ligne 2".
std::string page_title(const std::string& name) {
    std::string title = name;
    const auto colon = title.rfind(':');
    if (colon != std::string::npos && colon + 1 < title.size() &&
        title.find_first_not_of("0123456789", colon + 1) == std::string::npos)
        title = title.substr(0, colon) + ", ligne " + title.substr(colon + 1);
    if (title == "-" || title.rfind("-, ", 0) == 0) title = "entrée standard" + title.substr(1);
    return title;
}

// ---- Messages ---------------------------------------------------------------------------------

// What went wrong reading an input, from the errno the system gave (0 when none) and the failure
// code. The program's own messages stay for the causes they name exactly.
std::string read_problem(const std::string& name, int err, int code) {
    const bool standard = name == "-";
    if (err == EBADF && standard) return "L'entrée standard est fermée";
    if (err == EISDIR)
        return standard ? "L'entrée standard est un dossier, pas un fichier" : "C'est un dossier, pas un fichier";
    if (err == ENOENT && code == 3 && !name.empty()) return "Dossier introuvable";
    if (err == ENXIO) return "C'est une socket (ou un périphérique absent), pas un fichier";
    return in_out_message(code);
}

// What went wrong writing an output, from the errno (0 when unknown) and the failure code.
std::string write_problem(int err, int code) {
    switch (err) {
        case ENOSPC:
        case EDQUOT: return in_out_message(101);
        case EFBIG: return "Fichier trop volumineux : limite de taille des fichiers atteinte";
        case EBADF: return "Sortie fermée";
        case EPIPE: return "Tube fermé par son lecteur";
        case 0: return code == 0 ? "Écriture impossible" : in_out_message(code);
        default: return in_out_message(code != 0 ? code : in_out_code_for_errno(err, true));
    }
}

// Writes out what `out` still holds; if the output failed at any point, says so on `err` and
// gives status 1.
int finish_output(OutputSink& out, OutputSink& err, int status) {
    out.flush();
    if (out.failed()) {
        const int cause = out.failure_errno();
        err.write(cause == EBADF ? std::string("vornel-explain: la sortie standard est fermée.\n")
                                 : "vornel-explain: la sortie standard n'a pas pu être écrite (" +
                                       write_problem(cause, 0) + ").\n");
        status = kExitFailure;
    }
    err.flush();
    return status;
}

int usage_error(OutputSink& err, const std::string& message) {
    err.write("vornel-explain: " + message + "\nEssayez « vornel-explain --help ».\n");
    err.flush();
    return kExitUsage;
}

// ---- The run ----------------------------------------------------------------------------------

// A file's identity, to tell whether two names reach the same file.
using FileId = std::pair<dev_t, ino_t>;

bool file_id(const std::string& path, FileId& id) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    id = {info.st_dev, info.st_ino};
    return true;
}

// Explains puzzles in batches spread over the machine's cores, writing each puzzle's output in
// input order once its batch is done: memory stays flat however many puzzles come in. Once the
// output fails nothing more is explained.
class Run {
public:
    Run(const Options& options, Console& console) : options_(options), out_(console.out), err_(console.err) {
        workers_ = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
        if (options.writes_files()) {
            for (const std::string& name : options.files) {
                FileId id;
                if (name != "-" && file_id(name, id)) inputs_.insert(id);
            }
        }
    }

    void puzzle(const std::string& name, const std::string& sud_name, const PuzzleValues& values) {
        if (stopped()) return;
        if (!options_.to_sud_dir.empty()) {
            write_sud(name, sud_name, values);
            return;
        }
        if (!options_.html_target.empty()) {
            write_html(name, sud_name.substr(0, sud_name.size() - 4) + ".html", values);
            return;
        }
        batch_.push_back({name, values, {}, {}});
        if (batch_.size() >= kBatch) flush();
    }

    // Reports a problem with one input or puzzle; `text` is shown as it stands.
    void fail(const std::string& name, const std::string& text) {
        flush();
        out_.flush();
        report(name + ": " + text + '\n');
    }

    // Explains the pending puzzles and writes their output in order.
    void flush() {
        if (batch_.empty()) return;
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t i = next++; i < batch_.size(); i = next++) {
                Pending& p = batch_[i];
                std::ostringstream out, err;
                if (options_.ladder.enabled)
                    ladder_explain_puzzle(options_.ladder, p.name, p.values, explained_ + i == 0, out, err);
                else
                    explain_puzzle(options_.explain, p.name, p.values, explained_ + i == 0, out, err);
                p.out = std::move(out).str();
                p.err = std::move(err).str();
            }
        };
        std::vector<std::thread> helpers;
        const std::size_t extra = std::min<std::size_t>(workers_ - 1, batch_.size() / 8);
        for (std::size_t t = 0; t < extra; ++t) helpers.emplace_back(work);
        work();
        for (std::thread& t : helpers) t.join();
        for (const Pending& p : batch_) {
            if (!p.err.empty()) {
                out_.flush();
                report(p.err);
            }
            out_.write(p.out);
        }
        explained_ += batch_.size();
        batch_.clear();
    }

    // True once the output has failed: the run goes no further.
    bool stopped() const { return out_.failed(); }

    // Ends the run: writes out what is pending and tells whether the output took it all.
    int finish() {
        flush();
        return finish_output(out_, err_, status_);
    }

private:
    static constexpr std::size_t kBatch = 256;

    struct Pending {
        std::string name;
        PuzzleValues values;
        std::string out;
        std::string err;
    };

    void report(const std::string& text) {
        err_.write(text);
        status_ = kExitFailure;
    }

    void write_sud(const std::string& name, const std::string& sud_name, const PuzzleValues& values) {
        const WorkArea area = loaded_grid(
            values, [&](const std::string& message) { report(name + ": " + failure_text(message) + '\n'); });
        write_file(options_.to_sud_dir + "/" + sud_name, puzzle_text(values_of(area)));
    }

    // Writes the page of one puzzle's explanation: into the folder, or as the one target file.
    void write_html(const std::string& name, const std::string& html_name, const PuzzleValues& values) {
        const std::string path =
            options_.html_into_folder ? options_.html_target + "/" + html_name : options_.html_target;
        if (!options_.html_into_folder && pages_ > 0) {
            fail(name, "--html " + path + " ne reçoit qu'une grille : pour plusieurs, donnez un dossier.");
            return;
        }
        ++pages_;
        const auto reporter = [&](const std::string& message) { report(name + ": " + failure_text(message) + '\n'); };
        const std::string title = "Vornel : " + page_title(name);
        const report::Page page =
            options_.ladder.enabled
                ? report::ladder_page(title, ladder::explain(values_of(loaded_grid(values, reporter))))
                : report::classic_page(title, values, reporter);
        write_file(path, report::html_document(page));
    }

    // Writes a whole file by the rules of every file this tool writes: never one of its inputs,
    // never a folder, pipe or device, through links, atomically.
    void write_file(const std::string& path, const std::string& bytes) {
        FileId id;
        if (file_id(path, id) && inputs_.count(id) != 0) {
            fail(path, "C'est un des fichiers lus par la commande : il n'est pas remplacé.");
            return;
        }
        try {
            write_text_file(path, bytes, Sync::skip);
        } catch (const NotRegularFileError& error) {
            fail(path, "C'est " + kind_name(error.kind()) + ", pas un fichier ordinaire : rien n'y est écrit.");
        } catch (const FileError& error) {
            fail(path, failure_text(write_problem(error.system_error(), error.code())));
        } catch (const Failure& failure) { fail(path, failure_text(failure.message())); }
    }

    const Options& options_;
    std::size_t pages_ = 0; // pages written by --html
    OutputSink& out_;
    OutputSink& err_;
    unsigned workers_ = 1;
    std::vector<Pending> batch_;
    std::size_t explained_ = 0;
    std::set<FileId> inputs_; // the files read, which --to-sud never replaces
    int status_ = kExitOk;
};

// Reads one input of one-line puzzles, a bounded piece at a time.
void read_lines(Run& run, const std::string& name, ByteSource& source, const FdSource* fd_source) {
    PuzzleLineSplitter splitter;
    PuzzleValues values{};
    const auto on_line = [&](const PuzzleLine& line) {
        const std::string where = name + ':' + std::to_string(line.number);
        if (line.too_long) {
            run.fail(where, "ligne de grille mal formée : plus de " + std::to_string(kMaxPuzzleLineBytes) +
                                " octets, ligne ignorée.");
            return;
        }
        if (skipped_puzzle_line(line.text)) return;
        const std::string problem = parse_puzzle_line(line.text, values);
        if (!problem.empty()) {
            run.fail(where, "ligne de grille mal formée : " + problem + '.');
            return;
        }
        run.puzzle(where, stem_of(name) + '-' + std::to_string(line.number) + ".sud", values);
    };
    std::array<char, 64 * 1024> buffer;
    try {
        while (!run.stopped()) {
            const std::size_t n = source.fill(buffer.data(), buffer.size());
            if (n == 0) break;
            splitter.feed(std::string_view(buffer.data(), n), on_line);
        }
        splitter.finish(on_line);
    } catch (const InOutError& error) {
        const int err = fd_source != nullptr ? fd_source->system_error() : 0;
        run.fail(name, failure_text(read_problem(name, err, error.code())));
    }
}

// An input file opened for reading, closed when it goes out of scope.
class InputFile {
public:
    explicit InputFile(const std::string& name) {
        // A socket cannot be read as a file: said so, as opening it would fail with ENXIO anyway.
        struct stat kind {};
        if (::stat(name.c_str(), &kind) == 0 && S_ISSOCK(kind.st_mode)) {
            error_ = ENXIO;
            return;
        }
        fd_ = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) {
            error_ = errno;
            return;
        }
        struct stat info {};
        if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) error_ = EISDIR;
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }
    int error() const { return error_; } // 0 when the file is open and not a folder

private:
    int fd_ = -1;
    int error_ = 0;
};

void read_input(Run& run, const Options& options, const std::string& name, Console& console) {
    if (options.lines) {
        if (name == "-") {
            read_lines(run, name, console.in, console.in_fd);
            return;
        }
        const InputFile file(name);
        if (file.error() != 0) {
            run.fail(name, failure_text(read_problem(name, file.error(), in_out_code_for_path(file.error(), name))));
            return;
        }
        FdSource source(file.fd(), name);
        read_lines(run, name, source, &source);
        return;
    }
    PuzzleValues values{};
    if (name == "-") {
        const ReadOutcome outcome = scan_puzzle(console.in);
        if (outcome.failure != 0) {
            const int err = console.in_fd != nullptr ? console.in_fd->system_error() : 0;
            run.fail(name, failure_text(read_problem(name, err, outcome.failure)));
            return;
        }
        values = outcome.values;
    } else {
        try {
            values = read_puzzle_file(name);
        } catch (const NotRegularFileError& error) {
            run.fail(name, failure_text(read_problem(name, ENXIO, error.code())));
            return;
        } catch (const FileError& error) {
            run.fail(name, failure_text(read_problem(name, error.system_error(), error.code())));
            return;
        } catch (const Failure& failure) {
            run.fail(name, failure_text(failure.message()));
            return;
        }
    }
    run.puzzle(name, stem_of(name) + ".sud", values);
}

// Before --to-sud writes anything: its folder must exist, and no two inputs may give the same
// names (NAME.sud, or NAME-LINE.sud for every line with --lines). Returns the refusal, or "".
std::string to_sud_refusal(const Options& options, int& status) {
    const std::string& dir = options.output_dir();
    const char* option = options.to_sud_dir.empty() ? "--html" : "--to-sud";
    struct stat info {};
    if (::stat(dir.c_str(), &info) != 0) {
        status = kExitFailure;
        return dir + ": " +
               failure_text(errno == ENOENT ? "Dossier introuvable"
                                            : in_out_message(in_out_code_for_path(errno, dir))) +
               '\n';
    }
    if (!S_ISDIR(info.st_mode)) {
        status = kExitFailure;
        return dir + ": C'est un fichier, pas un dossier.\n";
    }
    std::map<std::string, std::string> input_by_name;
    for (const std::string& name : options.files) {
        const std::string file_name = stem_of(name) + (options.lines ? "-LIGNE" : "") + options.output_extension();
        const auto [it, added] = input_by_name.emplace(file_name, name);
        if (added) continue;
        status = kExitUsage;
        return std::string(option) + " écrirait deux fois " + dir + "/" + file_name + ", pour « " + it->second +
               " » et pour « " + name + " » : rien n'est écrit. Renommez une des entrées.\n";
    }
    return {};
}

int run(const std::vector<std::string>& args, Console& console) {
    Options options;
    bool options_done = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value_of = [&](const std::string& option, std::string& value) {
            if (arg == option) {
                if (i + 1 >= args.size()) return false;
                value = args[++i];
            } else {
                value = arg.substr(option.size() + 1);
            }
            return true;
        };
        if (options_done || arg == "-" || arg.empty() || arg[0] != '-') {
            options.files.push_back(arg);
        } else if (arg == "--") {
            options_done = true;
        } else if (arg == "--help" || arg == "-h") {
            console.out.write(kUsage);
            return finish_output(console.out, console.err, kExitOk);
        } else if (arg == "--version") {
            console.out.write("vornel-explain 1.0\n");
            return finish_output(console.out, console.err, kExitOk);
        } else if (arg == "--tempo" || arg.rfind("--tempo=", 0) == 0) {
            std::string value;
            if (!value_of("--tempo", value))
                return usage_error(console.err, "--tempo attend une valeur : step, digit ou once");
            if (value == "step")
                options.explain.tempo = Tempo::Step;
            else if (value == "digit")
                options.explain.tempo = Tempo::Digit;
            else if (value == "once")
                options.explain.tempo = Tempo::Once;
            else
                return usage_error(console.err, "tempo inconnu « " + value + " » : step, digit ou once");
        } else if (arg == "--trace" || arg == "--summary") {
            const Report report = arg == "--trace" ? Report::Trace : Report::Summary;
            if (options.explain.report != Report::Narrative && options.explain.report != report)
                return usage_error(console.err, "--trace et --summary s'excluent");
            options.explain.report = report;
        } else if (arg == "--techniques" || arg.rfind("--techniques=", 0) == 0) {
            std::string value;
            if (!value_of("--techniques", value))
                return usage_error(console.err, "--techniques attend une valeur : classic ou all");
            if (value != "classic" && value != "all")
                return usage_error(console.err, "techniques inconnues « " + value + " » : classic ou all");
            options.ladder.enabled = value == "all";
        } else if (arg == "--json") {
            options.ladder.report = LadderReport::Json;
        } else if (arg == "--lines") {
            options.lines = true;
        } else if (arg == "--html" || arg.rfind("--html=", 0) == 0) {
            if (!value_of("--html", options.html_target) || options.html_target.empty())
                return usage_error(console.err, "--html attend un fichier ou un dossier");
        } else if (arg == "--to-sud" || arg.rfind("--to-sud=", 0) == 0) {
            if (!value_of("--to-sud", options.to_sud_dir) || options.to_sud_dir.empty())
                return usage_error(console.err, "--to-sud attend un dossier");
        } else {
            return usage_error(console.err, "option inconnue « " + arg + " »");
        }
    }
    if (options.files.empty()) return usage_error(console.err, "aucun fichier d'entrée");
    if (options.ladder.report == LadderReport::Json && !options.ladder.enabled)
        return usage_error(console.err, "--json demande --techniques all");
    if (options.ladder.enabled) {
        if (options.explain.report == Report::Trace)
            return usage_error(console.err, "--trace demande --techniques classic");
        if (options.explain.report == Report::Summary) {
            if (options.ladder.report == LadderReport::Json)
                return usage_error(console.err, "--summary et --json ne vont pas ensemble");
            options.ladder.report = LadderReport::Summary;
        }
    }

    if (!options.html_target.empty()) {
        if (!options.to_sud_dir.empty()) return usage_error(console.err, "--html et --to-sud s'excluent");
        if (options.explain.report != Report::Narrative || options.ladder.report != LadderReport::Narrative)
            return usage_error(console.err, "--html s'emploie sans --trace, --summary ni --json");
        struct stat info {};
        options.html_into_folder = ::stat(options.html_target.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    if (!options.to_sud_dir.empty() || options.html_into_folder) {
        int status = kExitOk;
        const std::string refusal = to_sud_refusal(options, status);
        if (!refusal.empty()) {
            console.err.write("vornel-explain: " + refusal);
            console.err.flush();
            return status;
        }
    }

    Run run(options, console);
    for (const std::string& name : options.files) {
        if (run.stopped()) break;
        read_input(run, options, name, console);
    }
    return run.finish();
}

// Puts something in place of a standard descriptor that is closed, opened the wrong way round so
// that reading or writing it fails with EBADF as the closed one would: a file opened later then
// cannot take its number and receive the output meant for the closed one.
void hold_closed_descriptor(int fd, int flags) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return;
    const int held = ::open("/dev/null", flags);
    if (held >= 0 && held != fd) {
        ::dup2(held, fd);
        ::close(held);
    }
}

} // namespace

int run_explain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    StreamSource source(in);
    StreamSink out_sink(out);
    StreamSink err_sink(err);
    Console console{source, nullptr, out_sink, err_sink};
    return run(args, console);
}

int run_explain_console(const std::vector<std::string>& args) {
    ::signal(SIGXFSZ, SIG_IGN);
    hold_closed_descriptor(0, O_WRONLY);
    hold_closed_descriptor(1, O_RDONLY);
    hold_closed_descriptor(2, O_RDONLY);
    FdSource source(0, "-");
    FdSink out_sink(1);
    FdSink err_sink(2);
    Console console{source, &source, out_sink, err_sink};
    return run(args, console);
}

} // namespace vornel
