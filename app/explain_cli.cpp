// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain_cli.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <sstream>
#include <thread>
#include <utility>

#include "byte_source.h"
#include "classic_page.h"
#include "default_jobs.h"
#include "explainer.h"
#include "explanation_export.h"
#include "failures.h"
#include "ladder_page.h"
#include "ladder_report.h"
#include "output_sink.h"
#include "position_text.h"
#include "puzzle_lines.h"
#include "tool_voice.h"

namespace vornel {

namespace {

constexpr const char* kProgram = "vornel-explain";

constexpr const char* kUsage = R"(Utilisation : vornel-explain [--summary | --json] [-j N] [--lang L] [FICHIER...]
              vornel-explain [--find ID | --next] [--json] [FICHIER...]
              vornel-explain --techniques classic [--tempo step|digit|once]
                             [--trace | --summary] [-j N] [FICHIER...]
              vornel-explain [--techniques T] --html CIBLE [FICHIER...]
              vornel-explain --to-sud DOSSIER [FICHIER...]

Explique chaque grille pas à pas, sans fenêtre : l'échelle des techniques
prend à chaque étape la technique la plus simple qui s'applique, puis donne
le verdict et la difficulté. --techniques classic explique plutôt comme le
fait la fenêtre de Vornel (ses deux recherches, ses tempos).

FICHIER est un fichier de grilles d'une ligne, un fichier « .sud » (81 lignes,
une valeur chacune) ou une grille de candidats, reconnu à sa première ligne
qui n'est ni vide ni un commentaire # ; - ou rien : l'entrée standard. Un tube
ou un périphérique est lu comme un flux ; un dossier ou une socket est refusé.
  Grilles d'une ligne : 81 caractères, 1-9 pour les chiffres donnés, 0 ou .
    pour les cases vides, ou une position avec ses candidats : 729 caractères,
    9 par case, le k-ième étant k s'il y est encore candidat, 0 ou . sinon.
    Lignes vides et lignes commençant par # ignorées, un # après la grille
    commence un commentaire ; une ligne de plus de 4096 octets est signalée et
    ignorée, si bien qu'un flux sans fin est lu en mémoire constante.
  Fichier « .sud » : refusé sans ses 81 valeurs dans son premier mégaoctet.
  Grille de candidats : 9 lignes de 9 cases séparées par des blancs, chaque
    case ses candidats (37, 1259) ou son chiffre ; | - + * et . servent de
    décor. Une case à un seul candidat compte comme remplie ; un candidat
    qu'un chiffre de la même ligne, colonne ou région exclut est retiré.

  --summary         une ligne par grille et par ligne lue, même mal formée,
                    11 champs séparés par des tabulations : source, ligne,
                    statut, grille finale, étapes, solutions, score, niveau,
                    technique la plus difficile, deux solutions (quand il y en
                    a plusieurs) ; - pour un champ sans valeur. Statuts :
                    solved, stuck, invalid, no-solution, several-solutions,
                    bad-input (la raison est écrite sur la sortie d'erreur)
  --json            un objet JSON par grille et par ligne lue, qui commence par
                    « version », « source » et « line »
  --find ID         toutes les instances de la technique ID dans la position,
                    quelle que soit l'étape que l'échelle prendrait d'abord ;
                    avec --json, chaque instance comme une étape de « steps ».
                    Un ID inconnu fait afficher la liste des identifiants
  --next            seulement la prochaine étape de l'échelle (un indice)
  --lines           lit chaque entrée comme des grilles d'une ligne
  --sud             lit chaque entrée comme un fichier « .sud » (ou une grille
                    de candidats)
  -j, --jobs N      N grilles expliquées à la fois (par défaut : le nombre de
                    processeurs) ; la sortie est la même, dans le même ordre,
                    qu'avec --jobs 1
  --techniques all|classic
                    all : l'échelle des techniques (par défaut) ; classic :
                    les deux recherches de la fenêtre, avec ses textes
  --tempo T         (implique classic) step : un placement par demande (« Pas
                    suivant » tant qu'il est affiché) ; digit : un chiffre par
                    demande (« Chiffre suivant » tant qu'il est affiché) ;
                    once : toute la solution en une demande (par défaut)
  --trace           (implique classic) un événement par ligne : puzzle,
                    == demande, clear, + ligne, grid, colours, buttons
  --html CIBLE      n'écrit rien sur la sortie : écrit l'explication de chaque
                    grille en page HTML autonome (une planche par étape).
                    CIBLE est un dossier existant (NOM.html, ou NOM-LIGNE.html
                    pour un fichier de grilles d'une ligne, selon les règles de
                    --to-sud) ou un fichier, qui ne reçoit alors qu'une grille
  --to-sud DOSSIER  n'explique rien : écrit chaque grille, telle qu'elle est une
                    fois chargée, en fichier « .sud » dans DOSSIER (NOM.sud, ou
                    NOM-LIGNE.sud). Deux entrées qui donneraient le même nom
                    font refuser la commande avant toute écriture. Un lien
                    symbolique est suivi : le fichier qu'il désigne est
                    remplacé, ou créé. Une cible qui n'est pas un fichier
                    ordinaire (dossier, tube, périphérique) et un fichier lu par
                    la commande ne sont jamais remplacés.
  --lang fr|en      la langue des explications, des pages et des messages (par
                    défaut : l'anglais pour une locale anglaise, sinon le
                    français) ; les clés et identifiants de --summary et du
                    JSON restent les mêmes dans toutes les langues
  -h, --help        affiche cette aide et quitte
  -V, --version     affiche la version et la licence, et quitte

Les champs de --summary et du JSON sont décrits dans vornel-explain(1) et dans
docs/data-contract.md. Vers un tube ou un terminal, chaque grille est écrite dès
qu'elle est expliquée.

Code de sortie : 0 tout s'est bien passé ; 1 une entrée, une grille ou une
sortie a échoué (les autres ont été traitées, la cause est écrite sur la sortie
d'erreur) ; 2 commande incorrecte, ou --to-sud ou --html refusé avant toute
écriture (dossier introuvable, noms en double).
)";

constexpr const char* kUsageEnglish = R"(Usage: vornel-explain [--summary | --json] [-j N] [--lang L] [FILE...]
       vornel-explain [--find ID | --next] [--json] [FILE...]
       vornel-explain --techniques classic [--tempo step|digit|once]
                      [--trace | --summary] [-j N] [FILE...]
       vornel-explain [--techniques T] --html TARGET [FILE...]
       vornel-explain --to-sud FOLDER [FILE...]

Explains each puzzle step by step, without a window: the ladder of techniques
takes at each step the simplest technique that applies, then gives the verdict
and the difficulty. --techniques classic explains instead as the Vornel window
does (its two searches, its tempos).

FILE is a file of one-line puzzles, a ".sud" file (81 lines, one value each) or
a pencil-mark grid, told by its first line that is neither blank nor a #
comment; - or nothing: standard input. A pipe or a device is read as a stream;
a folder or a socket is refused.
  One-line puzzles: 81 characters, 1-9 for the givens, 0 or . for empty
    cells, or a position with its candidates: 729 characters, 9 per cell, the
    k-th being k if it is still a candidate there, 0 or . otherwise. Blank
    lines and lines starting with # are skipped, a # after the puzzle starts a
    comment; a line longer than 4096 bytes is reported and skipped, so an
    endless stream is read in constant memory.
  ".sud" file: refused without its 81 values in its first mebibyte.
  Pencil-mark grid: 9 lines of 9 cells separated by blanks, each cell its
    candidates (37, 1259) or its digit; | - + * and . are decoration. A cell
    with one candidate counts as filled; a candidate ruled out by a digit of
    the same row, column or box is removed.

  --summary         one line per puzzle and per line read, even malformed, 11
                    fields separated by tabs: source, line, status, final grid,
                    steps, solutions, score, level, hardest technique, two
                    solutions (when there are several); - for a field without
                    value. Statuses: solved, stuck, invalid, no-solution,
                    several-solutions, bad-input (the reason is written on
                    standard error)
  --json            one JSON object per puzzle and per line read, starting
                    with "version", "source" and "line"
  --find ID         every instance of the technique ID in the position,
                    whatever step the ladder would take first; with --json,
                    each instance shaped as a step of "steps". An unknown ID
                    lists the ids
  --next            only the ladder's next step (a hint)
  --lines           reads every input as one-line puzzles
  --sud             reads every input as a ".sud" file (or a pencil-mark grid)
  -j, --jobs N      N puzzles explained at once (default: the number of
                    processors); the output is the same, in the same order, as
                    with --jobs 1
  --techniques all|classic
                    all: the ladder of techniques (the default); classic: the
                    window's two searches, with its texts
  --tempo T         (implies classic) step: one placement per request ("Next
                    step" while it is shown); digit: one digit per request
                    ("Next digit" while it is shown); once: the whole solution
                    in one request (the default)
  --trace           (implies classic) one event per line: puzzle, == request,
                    clear, + line, grid, colours, buttons
  --html TARGET     writes nothing to the output: writes each puzzle's
                    explanation as a self-contained HTML page (one board per
                    step). TARGET is an existing folder (NAME.html, or
                    NAME-LINE.html for a file of one-line puzzles, by the rules
                    of --to-sud) or a file, which then receives one puzzle only
  --to-sud FOLDER   explains nothing: writes each puzzle, as it stands once
                    loaded, as a ".sud" file into FOLDER (NAME.sud, or
                    NAME-LINE.sud). Two inputs that would give the same name
                    make the command refuse before anything is written. A
                    symbolic link is followed: the file it names is replaced,
                    or created. A target that is not a regular file (folder,
                    pipe, device) and a file the command reads are never
                    replaced.
  --lang fr|en      the language of the explanations, pages and messages
                    (default: English for an English locale, else French);
                    the keys and ids of --summary and of the JSON are the same
                    in every language
  -h, --help        shows this help and exits
  -V, --version     shows the version and the licence, and exits

The fields of --summary and of the JSON are described in vornel-explain(1) and
in docs/data-contract.md. To a pipe or a terminal, each puzzle is written as
soon as it is explained.

Exit status: 0 all went well; 1 an input, a puzzle or an output failed (the
others were processed, the cause is written on standard error); 2 bad command
line, or --to-sud or --html refused before anything was written (folder not
found, duplicate names).
)";

struct Options {
    ExplainOptions explain;
    LadderOptions ladder;
    bool lines = false; // --lines: every input is read as puzzle lines
    bool sud = false;   // --sud: no input is (a ".sud" file or a pencil-mark grid)
    // --tempo or --trace, which only the classic engine has (and so choose it): the first given.
    const char* classic_option = nullptr;
    std::string to_sud_dir;
    // --html: a folder (one page per puzzle) or a file (one puzzle only).
    std::string html_target;
    bool html_into_folder = false;
    unsigned jobs = default_jobs();
    bool techniques_named = false; // --techniques was given (else the ladder, or classic for --tempo and --trace)
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
    bool stream_out = false; // each puzzle's output is flushed at once (a pipe or a terminal)
};

// The language of the run's messages, help and explanations: set once by run() before anything is
// read or explained, then only read (by the workers too).
Language tongue = Language::French;

std::string words(std::string_view french, std::string_view english) {
    return std::string(say(tongue, french, english));
}

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
        title = title.substr(0, colon) + words(", ligne ", ", line ") + title.substr(colon + 1);
    if (title == "-" || title.rfind("-, ", 0) == 0)
        title = words("entrée standard", "standard input") + title.substr(1);
    return title;
}

// ---- Messages ---------------------------------------------------------------------------------

// What went wrong reading an input, from the errno the system gave (0 when none) and the failure
// code. The program's own messages stay for the causes they name exactly.
std::string read_problem(const std::string& name, int err, int code) {
    const bool standard = name == "-";
    if (err == EBADF && standard) return words("L'entrée standard est fermée", "Standard input is closed");
    if (err == EISDIR)
        return std::string(standard ? words("L'entrée standard est un dossier, pas un fichier",
                                            "Standard input is a folder, not a file")
                                    : words("C'est un dossier, pas un fichier", "It is a folder, not a file"));
    if (err == ENOENT && code == 3 && !name.empty()) return words("Dossier introuvable", "Folder not found");
    if (err == ENXIO)
        return std::string(words("C'est une socket (ou un périphérique absent), pas un fichier",
                                 "It is a socket (or a missing device), not a file"));
    return in_out_message(code, tongue);
}

// Every technique's id, in the ladder's order, separated by commas.
std::string technique_ids() {
    std::string ids;
    for (int t = 0; t < ladder::kTechniqueCount; ++t)
        ids += (t > 0 ? ", " : "") + std::string(ladder::technique_id(static_cast<ladder::Technique>(t)));
    return ids;
}

int usage_error(OutputSink& err, std::string_view message) {
    err.write(tool_usage_error(kProgram, message, tongue));
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

// One entry of the output, in input order: a puzzle to explain, or a message already worded.
struct Entry {
    PuzzleOrigin origin;
    Values values{};
    std::optional<Marks> marks; // a position with its candidates, instead of values
    std::size_t puzzle = 0;     // how many puzzles come before it in the output
    bool explain = false;       // false: `err` is all there is
    std::string out;
    std::string err;
};

// Explains the puzzles and writes each one's output, and the messages between them, in input
// order. With one job everything happens on the caller's thread; with more, `jobs` workers
// explain while a writer thread writes the oldest entry as soon as it is explained, and the
// reader waits when 4 × jobs entries are pending, so that memory stays flat however many puzzles
// come in. Written to a pipe or a terminal, each entry is flushed at once. Once the output has
// failed nothing more is read or explained.
class Run {
public:
    Run(const Options& options, Console& console)
        : options_(options), out_(console.out), err_(console.err), stream_(console.stream_out),
          jobs_(options.writes_files() ? 1 : options.jobs) {
        if (options.writes_files()) {
            for (const std::string& name : options.files) {
                FileId id;
                if (name != "-" && file_id(name, id)) inputs_.insert(id);
            }
        }
        if (jobs_ > 1) {
            writer_ = std::thread([this] { write_in_order(); });
            for (unsigned t = 0; t < jobs_; ++t) workers_.emplace_back([this] { explain_in_turn(); });
        }
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;
    ~Run() { close(); }

    void puzzle(const PuzzleOrigin& origin, const std::string& sud_name, const Values& values) {
        if (stopped()) return;
        if (!options_.to_sud_dir.empty()) {
            write_sud(origin.name(), sud_name, values);
            return;
        }
        if (!options_.html_target.empty()) {
            write_html(origin.name(), sud_name.substr(0, sud_name.size() - 4) + ".html", values);
            return;
        }
        submit(explained_entry(origin, values, std::nullopt));
    }

    // A position with its candidates: only the ladder explains it.
    void position(const PuzzleOrigin& origin, const Marks& marks) {
        if (stopped()) return;
        if (!options_.ladder.enabled || options_.writes_files()) {
            bad_input(origin, std::string(words("une grille avec ses candidats ne s'explique qu'avec --techniques "
                                                "all, sans --html ni --to-sud.",
                                                "a grid with its candidates is only explained with --techniques "
                                                "all, without --html or --to-sud.")));
            return;
        }
        submit(explained_entry(origin, {}, marks));
    }

    // Reports a problem with one input or puzzle, in its place in the output; `text` is shown as
    // it stands.
    void fail(const std::string& name, const std::string& text) {
        auto entry = std::make_unique<Entry>();
        entry->err = tool_file_message(kProgram, name, text);
        submit(std::move(entry));
    }

    // Reports an input (a file, or one line of a file of puzzle lines) that could not be read as a
    // puzzle: the reason on the error stream and, in --summary and --json, a row of its own, so
    // that every input line gives exactly one row.
    void bad_input(const PuzzleOrigin& origin, const std::string& text) {
        auto entry = std::make_unique<Entry>();
        entry->err = tool_file_message(kProgram, origin.name(), text);
        if (options_.ladder.report == LadderReport::Json)
            entry->out = bad_input_json(origin, text);
        else if (options_.explain.report == Report::Summary)
            entry->out = summary_line(SummaryRow{origin});
        submit(std::move(entry));
    }

    // True once the output has failed: the run goes no further.
    bool stopped() const { return stopped_.load(std::memory_order_relaxed); }

    // Ends the run: writes out what is pending and tells whether the output took it all.
    int finish() {
        close();
        return finish_output(kProgram, out_, err_, status_, tongue);
    }

private:
    // The next puzzle of the output, to be explained.
    std::unique_ptr<Entry> explained_entry(const PuzzleOrigin& origin, const Values& values,
                                           const std::optional<Marks>& marks) {
        auto entry = std::make_unique<Entry>();
        entry->origin = origin;
        entry->values = values;
        entry->marks = marks;
        entry->puzzle = puzzles_++;
        entry->explain = true;
        return entry;
    }

    // Puzzles held at most per worker, explained or waiting: enough that a slow puzzle at the head
    // of the output does not leave the other workers idle, few enough that memory stays bounded.
    static constexpr std::size_t kWindowPerJob = 64;

    void submit(std::unique_ptr<Entry> entry) {
        if (jobs_ == 1) {
            if (entry->explain) explain(*entry);
            write(*entry);
            return;
        }
        std::unique_lock lock(mutex_);
        room_.wait(lock, [&] { return pending_.size() < kWindowPerJob * jobs_ || stopped(); });
        if (stopped()) return;
        const bool ready = !entry->explain;
        ready_.push_back(ready);
        pending_.push_back(std::move(entry));
        lock.unlock();
        if (ready)
            done_.notify_one();
        else
            work_.notify_one();
    }

    void explain(Entry& entry) const {
        std::ostringstream out, err;
        if (entry.marks)
            ladder_explain_position(options_.ladder, entry.origin, *entry.marks, entry.puzzle == 0, out);
        else if (options_.ladder.enabled)
            ladder_explain_puzzle(options_.ladder, entry.origin, entry.values, entry.puzzle == 0, out, err);
        else
            explain_puzzle(options_.explain, entry.origin, entry.values, entry.puzzle == 0, out, err);
        entry.out = std::move(out).str();
        entry.err = prefixed(std::move(err).str());
    }

    // The explainer's messages ("NAME: message" lines) in the tool's voice.
    static std::string prefixed(const std::string& lines) {
        std::string text;
        for (std::size_t at = 0; at < lines.size();) {
            const std::size_t end = std::min(lines.find('\n', at), lines.size());
            text += tool_message(kProgram, std::string_view(lines).substr(at, end - at));
            at = end + 1;
        }
        return text;
    }

    // Writes one entry; streamed, it is flushed at once unless `more` says the next one is
    // already waiting (it then goes out with it, just as soon).
    void write(const Entry& entry, bool more = false) {
        if (!entry.err.empty()) {
            out_.flush();
            err_.write(entry.err);
            err_.flush();
            status_ = kExitFailure;
        }
        out_.write(entry.out);
        if (stream_ && !more) out_.flush();
        if (out_.failed()) stopped_ = true;
    }

    // A worker: explains the oldest entry no one has taken yet (messages need no work).
    void explain_in_turn() {
        std::unique_lock lock(mutex_);
        for (;;) {
            work_.wait(lock, [&] { return closing_ || taken_ < pending_.size(); });
            while (taken_ < pending_.size() && ready_[taken_]) ++taken_;
            if (taken_ >= pending_.size()) {
                if (closing_) return;
                continue;
            }
            Entry& entry = *pending_[taken_];
            const std::size_t number = written_ + taken_++; // its place in the whole output
            lock.unlock();
            if (!stopped()) explain(entry);
            lock.lock();
            ready_[number - written_] = true;
            if (number == written_) done_.notify_one(); // the writer waits for the oldest only
        }
    }

    // The writer: writes the oldest entry once it is explained.
    void write_in_order() {
        std::unique_lock lock(mutex_);
        for (;;) {
            done_.wait(lock, [&] { return (!ready_.empty() && ready_.front()) || (closing_ && pending_.empty()); });
            if (pending_.empty()) return;
            const std::unique_ptr<Entry> entry = std::move(pending_.front());
            pending_.pop_front();
            ready_.pop_front();
            ++written_;
            if (taken_ > 0) --taken_;
            const bool more = !ready_.empty() && ready_.front();
            lock.unlock();
            room_.notify_one();
            if (!stopped()) write(*entry, more);
            lock.lock();
        }
    }

    // Waits for the workers and the writer to finish what was submitted.
    void close() {
        if (jobs_ == 1 || closed_) return;
        {
            const std::lock_guard lock(mutex_);
            closing_ = true;
        }
        work_.notify_all();
        done_.notify_all();
        for (std::thread& t : workers_) t.join();
        writer_.join();
        closed_ = true;
    }

    void report(const std::string& text) {
        err_.write(text);
        status_ = kExitFailure;
    }

    void write_sud(const std::string& name, const std::string& sud_name, const Values& values) {
        const WorkArea area = loaded_grid(
            values,
            [&](const std::string& message) { report(tool_file_message(kProgram, name, failure_text(message))); },
            tongue);
        write_file(options_.to_sud_dir + "/" + sud_name, puzzle_text(values_of(area)));
    }

    // Writes the page of one puzzle's explanation: into the folder, or as the one target file.
    void write_html(const std::string& name, const std::string& html_name, const Values& values) {
        const std::string path =
            options_.html_into_folder ? options_.html_target + "/" + html_name : options_.html_target;
        if (!options_.html_into_folder && pages_ > 0) {
            fail(name, "--html " + path +
                           std::string(words(" ne reçoit qu'une grille : pour plusieurs, donnez un dossier.",
                                             " receives one puzzle only: for several, give a folder.")));
            return;
        }
        ++pages_;
        const auto reporter = [&](const std::string& message) {
            report(tool_file_message(kProgram, name, failure_text(message)));
        };
        const std::string title = words("Vornel : ", "Vornel: ") + page_title(name);
        const report::Page page =
            options_.ladder.enabled
                ? report::ladder_page(title, ladder::explain(values_of(loaded_grid(values, reporter, tongue))), tongue)
                : report::classic_page(title, values, reporter, tongue);
        write_file(path, report::html_document(page));
    }

    // Writes a whole file by the rules of every file this tool writes: never one of its inputs,
    // never a folder, pipe or device, through links, atomically.
    void write_file(const std::string& path, const std::string& bytes) {
        FileId id;
        if (file_id(path, id) && inputs_.count(id) != 0) {
            fail(path, std::string(words("C'est un des fichiers lus par la commande : il n'est pas remplacé.",
                                         "It is one of the files the command reads: it is not replaced.")));
            return;
        }
        try {
            write_text_file(path, bytes, Sync::skip);
        } catch (const NotRegularFileError& error) {
            fail(path,
                 tongue == Language::English
                     ? "It is " + kind_name(error.kind(), tongue) + ", not a regular file: nothing is written to it."
                     : "C'est " + kind_name(error.kind()) + ", pas un fichier ordinaire : rien n'y est écrit.");
        } catch (const FileError& error) {
            fail(path, failure_text(write_problem(error.system_error(), error.code(), tongue)));
        } catch (const Failure& failure) { fail(path, failure_text(file_failure_message(failure, tongue))); }
    }

    const Options& options_;
    OutputSink& out_;
    OutputSink& err_;
    const bool stream_;
    const unsigned jobs_;
    std::size_t pages_ = 0;   // pages written by --html
    std::size_t puzzles_ = 0; // puzzles submitted
    std::set<FileId> inputs_; // the files read, which --to-sud never replaces
    int status_ = kExitOk;    // written by the writer only, read once it has ended
    std::atomic<bool> stopped_{false};

    // With several jobs: the entries not yet written, oldest first, whether each is ready to be
    // written, and how many of the oldest the workers have taken.
    std::mutex mutex_;
    std::condition_variable work_; // for the workers: an entry was submitted, or the run closes
    std::condition_variable done_; // for the writer: the oldest entry is ready, or the run closes
    std::condition_variable room_; // for the reader: an entry was written
    std::deque<std::unique_ptr<Entry>> pending_;
    std::deque<bool> ready_;
    std::size_t taken_ = 0;
    std::size_t written_ = 0;
    bool closing_ = false;
    bool closed_ = false;
    std::vector<std::thread> workers_;
    std::thread writer_;
};

// Reads one input of one-line puzzles, a bounded piece at a time.
void read_lines(Run& run, const std::string& name, ByteSource& source, const FdSource* fd_source) {
    PuzzleLineSplitter splitter;
    Values values{};
    const auto malformed = [&](const PuzzleOrigin& origin, const std::string& problem) {
        run.bad_input(origin, words("ligne de grille mal formée : ", "malformed puzzle line: ") + problem + '.');
    };
    const auto on_line = [&](const PuzzleLine& line) {
        const PuzzleOrigin origin{name, line.number};
        if (line.too_long) {
            malformed(origin, tongue == Language::English
                                  ? "more than " + std::to_string(kMaxPuzzleLineBytes) + " bytes, line skipped"
                                  : "plus de " + std::to_string(kMaxPuzzleLineBytes) + " octets, ligne ignorée");
            return;
        }
        if (skipped_puzzle_line(line.text)) return;
        const std::string_view text = puzzle_line_text(line.text);
        if (text.size() == kMarksLineLength) {
            Marks marks{};
            const std::string problem = parse_marks_line(text, marks, tongue);
            if (!problem.empty())
                malformed(origin, problem);
            else
                run.position(origin, marks);
            return;
        }
        const std::string problem = parse_puzzle_line(text, values, tongue);
        if (!problem.empty()) {
            malformed(origin, problem);
            return;
        }
        run.puzzle(origin, stem_of(name) + '-' + std::to_string(line.number) + ".sud", values);
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
        run.bad_input({name, 0}, failure_text(read_problem(name, err, error.code())));
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
        regular_ = S_ISREG(info.st_mode);
    }
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;
    ~InputFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }
    int error() const { return error_; } // 0 when the file is open and not a folder
    bool regular() const { return regular_; }

private:
    int fd_ = -1;
    int error_ = 0;
    bool regular_ = false;
};

// The failure code of a value that is not a number.
constexpr int kBadNumberCode = 106;

// A source that keeps the first bytes it hands out, so that a failed read can look back at them.
class RecordingSource final : public ByteSource {
public:
    explicit RecordingSource(ByteSource& source) : source_(source) {}
    std::size_t fill(char* buffer, std::size_t capacity) override {
        const std::size_t n = source_.fill(buffer, capacity);
        if (start_.size() < kKept) start_.append(buffer, std::min(n, kKept - start_.size()));
        return n;
    }
    const std::string& start() const { return start_; }

private:
    static constexpr std::size_t kKept = 1024;
    ByteSource& source_;
    std::string start_;
};

// The first bytes of a file, or "" when it cannot be read.
std::string start_of_file(const std::string& name) {
    const InputFile file(name);
    if (file.error() != 0) return {};
    std::array<char, 1024> buffer;
    const ssize_t n = ::read(file.fd(), buffer.data(), buffer.size());
    return n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string();
}

// The first line of an input's start that is neither blank nor a # comment (after a byte-order
// mark), or nullopt when the start holds none in full.
std::optional<std::string_view> first_puzzle_line(std::string_view start) {
    if (start.rfind("\xEF\xBB\xBF", 0) == 0) start.remove_prefix(3);
    while (!start.empty()) {
        const std::size_t end = start.find('\n');
        if (end == std::string_view::npos && start.size() >= kMaxPuzzleLineBytes) return std::nullopt; // goes on
        const std::string_view line = start.substr(0, end);
        start = end == std::string_view::npos ? std::string_view() : start.substr(end + 1);
        if (!skipped_puzzle_line(line)) return line;
    }
    return std::nullopt;
}

// True when the input's first puzzle line (after a byte-order mark, blank lines and # comments) is
// 81 or 729 digits and dots, a comment after them allowed: a file of puzzle lines.
bool looks_like_puzzle_lines(std::string_view start) {
    const std::optional<std::string_view> line = first_puzzle_line(start);
    return line && looks_like_puzzle_line(*line);
}

// The message of a ".sud" read that failed, with the way out when the input holds puzzle lines.
std::string sud_read_problem(const std::string& message, int code, const std::string& start) {
    std::string text = failure_text(message);
    if (code == kBadNumberCode && looks_like_puzzle_lines(start))
        text += words(" Ce sont des grilles d'une ligne (81 caractères) : ôtez --sud, ou ajoutez --lines.",
                      " These are one-line puzzles (81 characters): drop --sud, or add --lines.");
    return text;
}

// A source that hands out bytes already read first, then the rest of another source.
class ReplaySource final : public ByteSource {
public:
    ReplaySource(std::string start, ByteSource& rest) : start_(std::move(start)), rest_(rest) {}
    std::size_t fill(char* buffer, std::size_t capacity) override {
        if (given_ == start_.size()) return rest_.fill(buffer, capacity);
        const std::size_t n = std::min(capacity, start_.size() - given_);
        std::copy_n(start_.data() + given_, n, buffer);
        given_ += n;
        return n;
    }

private:
    std::string start_;
    std::size_t given_ = 0;
    ByteSource& rest_;
};

// Reads the start of an input, enough to tell how to read it: through the end of its first line
// that is neither blank nor a # comment, at most kMaxPencilMarksBytes. A read failure ends the
// start there: reading the rest meets it again, where it is reported as before.
std::string read_start(ByteSource& source) {
    std::string start;
    std::array<char, 4096> buffer;
    try {
        while (start.size() < kMaxPencilMarksBytes) {
            const std::size_t n = source.fill(buffer.data(), buffer.size());
            if (n == 0) break;
            start.append(buffer.data(), n);
            if (const std::optional<std::string_view> line = first_puzzle_line(start);
                line && line->data() + line->size() < start.data() + start.size())
                break;
        }
    } catch (const InOutError&) {}
    return start;
}

// Reads the rest of a pencil-mark grid after its start and explains it; a failure is reported
// under `name`.
void read_pencil_input(Run& run, const std::string& name, std::string text, ByteSource& source,
                       const FdSource* fd_source) {
    std::array<char, 4096> buffer;
    try {
        while (text.size() <= kMaxPencilMarksBytes) {
            const std::size_t n = source.fill(buffer.data(), buffer.size());
            if (n == 0) break;
            text.append(buffer.data(), n);
        }
    } catch (const InOutError& error) {
        const int err = fd_source != nullptr ? fd_source->system_error() : 0;
        run.bad_input({name, 0}, failure_text(read_problem(name, err, error.code())));
        return;
    }
    const PencilMarks grid = read_pencil_marks(text, tongue);
    if (!grid.ok) {
        run.bad_input({name, 0},
                      words("grille de candidats mal formée : ", "malformed pencil-mark grid: ") + grid.problem + '.');
        return;
    }
    run.position({name, 0}, grid.marks);
}

// True when the start of an input is a pencil-mark grid. A first line that is a # comment is not
// one: a pencil-mark grid has no comments.
bool pencil_marks_input(std::string_view start) {
    const std::size_t text = start.find_first_not_of(" \t\r\n\v\f");
    return text != std::string_view::npos && start[text] != '#' && looks_like_pencil_marks(start);
}

// How an input is read.
enum class Reading { Lines, Sud, PencilMarks };

// The reading an input calls for: --lines and --sud choose; otherwise its start tells. A first
// line of 81 (or 729) digits and dots, or comments alone, make a file of puzzle lines; a pencil-mark
// grid is one position; anything else is a ".sud" file, whose reader says what is wrong with it.
Reading reading_of(const Options& options, std::string_view start) {
    if (options.lines) return Reading::Lines;
    // Neither a ".sud" file nor a pencil-mark grid has comments: an input of comments and blank
    // lines alone holds puzzle lines, none yet.
    std::string_view text = start.substr(start.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0);
    text.remove_prefix(std::min(text.find_first_not_of(" \t\r\n\v\f"), text.size()));
    const bool only_comments = text.rfind('#', 0) == 0 && !first_puzzle_line(start);
    if (!options.sud && (looks_like_puzzle_lines(start) || only_comments)) return Reading::Lines;
    if (pencil_marks_input(start)) return Reading::PencilMarks;
    return Reading::Sud;
}

// Reads a ".sud" puzzle from a stream (standard input, a pipe, a device), after its start.
void read_sud_stream(Run& run, const std::string& name, ByteSource& source, const FdSource* fd_source) {
    RecordingSource recorded(source);
    const ReadOutcome outcome = scan_puzzle(recorded);
    if (outcome.failure != 0) {
        const int err = fd_source != nullptr ? fd_source->system_error() : 0;
        run.bad_input({name, 0},
                      sud_read_problem(read_problem(name, err, outcome.failure), outcome.failure, recorded.start()));
        return;
    }
    run.puzzle({name, 0}, stem_of(name) + ".sud", outcome.values);
}

// Reads a regular ".sud" file again from its name, by the file reader's own rules.
void read_sud_file(Run& run, const std::string& name) {
    Values values{};
    try {
        values = read_puzzle_file(name);
    } catch (const NotRegularFileError& error) {
        run.bad_input({name, 0}, failure_text(read_problem(name, ENXIO, error.code())));
        return;
    } catch (const InOutError& error) {
        const auto* file = dynamic_cast<const FileError*>(&error);
        const int code = error.code();
        run.bad_input({name, 0}, sud_read_problem(read_problem(name, file != nullptr ? file->system_error() : 0, code),
                                                  code, code == kBadNumberCode ? start_of_file(name) : ""));
        return;
    } catch (const Failure& failure) {
        run.bad_input({name, 0}, failure_text(file_failure_message(failure, tongue)));
        return;
    }
    run.puzzle({name, 0}, stem_of(name) + ".sud", values);
}

// Reads one input ("-" for standard input) the way it calls for.
void read_input(Run& run, const Options& options, const std::string& name, Console& console) {
    std::optional<InputFile> file;
    std::optional<FdSource> file_source;
    ByteSource* source = &console.in;
    const FdSource* fd_source = console.in_fd;
    if (name != "-") {
        file.emplace(name);
        if (file->error() != 0) {
            run.bad_input({name, 0},
                          failure_text(read_problem(name, file->error(), in_out_code_for_path(file->error(), name))));
            return;
        }
        file_source.emplace(file->fd(), name);
        source = &*file_source;
        fd_source = &*file_source;
    }
    if (options.lines) {
        read_lines(run, name, *source, fd_source);
        return;
    }
    std::string start = read_start(*source);
    switch (reading_of(options, start)) {
        case Reading::Lines: {
            ReplaySource replay(std::move(start), *source);
            read_lines(run, name, replay, fd_source);
            return;
        }
        case Reading::PencilMarks: read_pencil_input(run, name, std::move(start), *source, fd_source); return;
        case Reading::Sud: break;
    }
    // A regular file is read again by its name, by the rules of the file reader; a stream goes on
    // from its start.
    if (file && file->regular()) {
        file.reset();
        read_sud_file(run, name);
        return;
    }
    ReplaySource replay(std::move(start), *source);
    read_sud_stream(run, name, replay, fd_source);
}

// Before --to-sud writes anything: its folder must exist, and no two inputs may give the same
// names (NAME.sud, or NAME-LINE.sud for every line with --lines). Returns the refusal, or "".
std::string to_sud_refusal(const Options& options, int& status) {
    const std::string& dir = options.output_dir();
    const char* option = options.to_sud_dir.empty() ? "--html" : "--to-sud";
    struct stat info {};
    // Refused before anything is written: the status of a refusal, as --help says.
    if (::stat(dir.c_str(), &info) != 0) {
        status = kExitUsage;
        return dir + ": " +
               failure_text(errno == ENOENT ? words("Dossier introuvable", "Folder not found")
                                            : in_out_message(in_out_code_for_path(errno, dir), tongue)) +
               '\n';
    }
    if (!S_ISDIR(info.st_mode)) {
        status = kExitUsage;
        return dir + words(": C'est un fichier, pas un dossier.\n", ": It is a file, not a folder.\n");
    }
    std::map<std::string, std::string> input_by_name;
    for (const std::string& name : options.files) {
        const std::string file_name =
            stem_of(name) + (options.lines ? words("-LIGNE", "-LINE") : "") + options.output_extension();
        const auto [it, added] = input_by_name.emplace(file_name, name);
        if (added) continue;
        status = kExitUsage;
        if (tongue == Language::English)
            return std::string(option) + " would write " + dir + "/" + file_name + " twice, for '" + it->second +
                   "' and for '" + name + "': nothing is written. Rename one of the inputs.\n";
        return std::string(option) + " écrirait deux fois " + dir + "/" + file_name + ", pour « " + it->second +
               " » et pour « " + name + " » : rien n'est écrit. Renommez une des entrées.\n";
    }
    return {};
}

// One option of the command line: its name, whether it takes a value (as "--name VALUE" or
// "--name=VALUE") and what to say when the value is missing, and what it does. `apply` returns the
// usage error, or "" when the option is taken.
struct OptionRule {
    std::string_view name;
    std::string (*missing_value)(); // null for an option without value
    std::string (*apply)(Options& options, const std::string& value);
};

std::string set_report(Options& options, Report report) {
    if (options.explain.report != Report::Narrative && options.explain.report != report)
        return words("--trace et --summary s'excluent", "--trace and --summary exclude each other");
    options.explain.report = report;
    if (report == Report::Trace && options.classic_option == nullptr) options.classic_option = "--trace";
    return {};
}

const OptionRule kOptionRules[] = {
    {"--tempo",
     [] {
         return words("--tempo attend une valeur : step, digit ou once", "--tempo needs a value: step, digit or once");
     },
     [](Options& o, const std::string& value) -> std::string {
         if (value == "step")
             o.explain.tempo = Tempo::Step;
         else if (value == "digit")
             o.explain.tempo = Tempo::Digit;
         else if (value == "once")
             o.explain.tempo = Tempo::Once;
         else
             return tongue == Language::English ? "unknown tempo '" + value + "': step, digit or once"
                                                : "tempo inconnu « " + value + " » : step, digit ou once";
         if (o.classic_option == nullptr) o.classic_option = "--tempo";
         return {};
     }},
    {"--trace", nullptr, [](Options& o, const std::string&) { return set_report(o, Report::Trace); }},
    {"--summary", nullptr, [](Options& o, const std::string&) { return set_report(o, Report::Summary); }},
    {"--techniques",
     [] {
         return words("--techniques attend une valeur : classic ou all", "--techniques needs a value: classic or all");
     },
     [](Options& o, const std::string& value) -> std::string {
         if (value != "classic" && value != "all")
             return tongue == Language::English ? "unknown techniques '" + value + "': classic or all"
                                                : "techniques inconnues « " + value + " » : classic ou all";
         o.ladder.enabled = value == "all";
         o.techniques_named = true;
         return {};
     }},
    {"--find",
     [] {
         return words("--find attend l'identifiant d'une technique : ", "--find needs the id of a technique: ") +
                technique_ids();
     },
     [](Options& o, const std::string& value) -> std::string {
         ladder::Technique technique{};
         if (!ladder::technique_from_id(value, technique))
             return tongue == Language::English ? "unknown technique '" + value + "': " + technique_ids()
                                                : "technique inconnue « " + value + " » : " + technique_ids();
         o.ladder.find = technique;
         return {};
     }},
    {"--next", nullptr,
     [](Options& o, const std::string&) {
         o.ladder.next = true;
         return std::string();
     }},
    {"--json", nullptr,
     [](Options& o, const std::string&) {
         o.ladder.report = LadderReport::Json;
         return std::string();
     }},
    {"--lines", nullptr,
     [](Options& o, const std::string&) {
         if (o.sud) return words("--lines et --sud s'excluent", "--lines and --sud exclude each other");
         o.lines = true;
         return std::string();
     }},
    {"--sud", nullptr,
     [](Options& o, const std::string&) {
         if (o.lines) return words("--lines et --sud s'excluent", "--lines and --sud exclude each other");
         o.sud = true;
         return std::string();
     }},
    {"--jobs", [] { return words("--jobs attend un nombre de tâches", "--jobs needs a number of jobs"); },
     [](Options& o, const std::string& value) -> std::string {
         unsigned jobs = 0;
         const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), jobs);
         if (value.empty() || error != std::errc() || end != value.data() + value.size() || jobs < 1 || jobs > 1024)
             return tongue == Language::English
                        ? "invalid number of jobs '" + value + "': a whole number from 1 to 1024 is needed"
                        : "nombre de tâches invalide « " + value + " » : il faut un entier de 1 à 1024";
         o.jobs = jobs;
         return {};
     }},
    {"--html", [] { return words("--html attend un fichier ou un dossier", "--html needs a file or a folder"); },
     [](Options& o, const std::string& value) -> std::string {
         if (value.empty()) return words("--html attend un fichier ou un dossier", "--html needs a file or a folder");
         o.html_target = value;
         return {};
     }},
    {"--to-sud", [] { return words("--to-sud attend un dossier", "--to-sud needs a folder"); },
     [](Options& o, const std::string& value) -> std::string {
         if (value.empty()) return words("--to-sud attend un dossier", "--to-sud needs a folder");
         o.to_sud_dir = value;
         return {};
     }},
    // Read before every other option (choose_language): here only taken.
    {"--lang", [] { return std::string(); }, [](Options&, const std::string&) { return std::string(); }},
};

// The long form of a short option: -h, -V, -j N (or -jN).
std::string long_option(const std::string& arg) {
    if (arg == "-h") return "--help";
    if (arg == "-V") return "--version";
    if (arg == "-j") return "--jobs";
    if (arg.size() > 2 && arg.rfind("-j", 0) == 0) return "--jobs=" + arg.substr(2);
    return arg;
}

// The engine of the run: the ladder, unless --techniques classic says otherwise or --tempo or
// --trace, which only the classic engine has, asks for it. Returns the usage error, or "".
std::string choose_engine(Options& options) {
    if (options.classic_option != nullptr && options.ladder.report == LadderReport::Json)
        return std::string(options.classic_option) +
               std::string(words(" et --json s'excluent", " and --json exclude each other"));
    if (!options.techniques_named)
        options.ladder.enabled = options.classic_option == nullptr;
    else if (options.classic_option != nullptr && options.ladder.enabled)
        return std::string(options.classic_option) +
               std::string(words(" demande --techniques classic", " needs --techniques classic"));
    return {};
}

int run(const std::vector<std::string>& args, Console& console) {
    const LanguageChoice choice = choose_language(args, environment_language());
    tongue = choice.language;
    if (!choice.error.empty()) return usage_error(console.err, choice.error);
    Options options;
    options.explain.language = tongue;
    options.ladder.language = tongue;
    bool options_done = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (options_done || args[i] == "-" || args[i].empty() || args[i][0] != '-') {
            options.files.push_back(args[i]);
            continue;
        }
        if (args[i] == "--") {
            options_done = true;
            continue;
        }
        const std::string arg = long_option(args[i]);
        if (arg == "--help") {
            console.out.write(tongue == Language::English ? kUsageEnglish : kUsage);
            return finish_output(kProgram, console.out, console.err, kExitOk, tongue);
        }
        if (arg == "--version") {
            console.out.write(tool_version_text(kProgram, VORNEL_VERSION, tongue));
            return finish_output(kProgram, console.out, console.err, kExitOk, tongue);
        }
        const std::size_t equals = arg.find('=');
        const std::string_view name = std::string_view(arg).substr(0, equals);
        const auto rule = std::find_if(std::begin(kOptionRules), std::end(kOptionRules),
                                       [&](const OptionRule& r) { return r.name == name; });
        if (rule == std::end(kOptionRules) || (rule->missing_value == nullptr && equals != std::string::npos))
            return usage_error(console.err, tongue == Language::English ? "unknown option '" + arg + "'"
                                                                        : "option inconnue « " + arg + " »");
        std::string value;
        if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (rule->missing_value != nullptr) {
            if (i + 1 >= args.size()) return usage_error(console.err, rule->missing_value());
            value = args[++i];
        }
        if (const std::string problem = rule->apply(options, value); !problem.empty())
            return usage_error(console.err, problem);
    }
    if (options.files.empty()) options.files.push_back("-");
    if (const std::string problem = choose_engine(options); !problem.empty()) return usage_error(console.err, problem);
    if (options.ladder.report == LadderReport::Json) {
        if (options.explain.report == Report::Trace)
            return usage_error(console.err,
                               words("--trace et --json s'excluent", "--trace and --json exclude each other"));
        if (!options.ladder.enabled)
            return usage_error(console.err, words("--json demande --techniques all", "--json needs --techniques all"));
        options.ladder.enabled = true;
    }
    if (options.ladder.find || options.ladder.next) {
        const char* option = options.ladder.find ? "--find" : "--next";
        if (options.ladder.find && options.ladder.next)
            return usage_error(console.err,
                               words("--find et --next s'excluent", "--find and --next exclude each other"));
        if (!options.ladder.enabled)
            return usage_error(console.err,
                               std::string(option) + words(" demande --techniques all", " needs --techniques all"));
        if (options.explain.report != Report::Narrative || !options.html_target.empty() || !options.to_sud_dir.empty())
            return usage_error(console.err,
                               std::string(option) +
                                   std::string(words(" s'emploie sans --trace, --summary, --html ni --to-sud",
                                                     " goes without --trace, --summary, --html or --to-sud")));
    }
    if (options.ladder.enabled) {
        if (options.explain.report == Report::Summary) {
            if (options.ladder.report == LadderReport::Json)
                return usage_error(console.err, words("--summary et --json ne vont pas ensemble",
                                                      "--summary and --json do not go together"));
            options.ladder.report = LadderReport::Summary;
        }
    }

    if (!options.html_target.empty()) {
        if (!options.to_sud_dir.empty())
            return usage_error(console.err,
                               words("--html et --to-sud s'excluent", "--html and --to-sud exclude each other"));
        if (options.explain.report != Report::Narrative || options.ladder.report != LadderReport::Narrative)
            return usage_error(console.err, words("--html s'emploie sans --trace, --summary ni --json",
                                                  "--html goes without --trace, --summary or --json"));
        struct stat info {};
        // A name ending in "/" means a folder, whether it exists or not (then it is refused below).
        options.html_into_folder = options.html_target.back() == '/' ||
                                   (::stat(options.html_target.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
        if (options.html_into_folder) {
            while (options.html_target.size() > 1 && options.html_target.back() == '/') options.html_target.pop_back();
        } else {
            // The page's folder must exist: told once, before anything is explained.
            const std::filesystem::path folder = std::filesystem::path(options.html_target).parent_path();
            if (!folder.empty() && ::stat(folder.c_str(), &info) != 0 && errno == ENOENT) {
                console.err.write(tool_message(
                    kProgram,
                    tongue == Language::English
                        ? options.html_target + ": Folder not found (" + folder.string() + "): nothing is written."
                        : options.html_target + ": Dossier introuvable (" + folder.string() + ") : rien n'est écrit."));
                console.err.flush();
                return kExitUsage;
            }
        }
    }
    if (!options.to_sud_dir.empty() || options.html_into_folder) {
        int status = kExitOk;
        const std::string refusal = to_sud_refusal(options, status);
        if (!refusal.empty()) {
            console.err.write(tool_message(kProgram, refusal.substr(0, refusal.size() - 1)));
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

} // namespace

std::vector<std::string_view> explain_option_names() {
    std::vector<std::string_view> names;
    for (const OptionRule& rule : kOptionRules) names.push_back(rule.name);
    names.push_back("--help");
    names.push_back("--version");
    return names;
}

int run_explain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
    StreamSource source(in);
    StreamSink out_sink(out);
    StreamSink err_sink(err);
    Console console{source, nullptr, out_sink, err_sink};
    return run(args, console);
}

int run_explain_console(const std::vector<std::string>& args) {
    prepare_standard_descriptors();
    FdSource source(0, "-");
    FdSink out_sink(1);
    FdSink err_sink(2);
    struct stat info {};
    const bool to_file = ::fstat(1, &info) == 0 && S_ISREG(info.st_mode);
    Console console{source, &source, out_sink, err_sink, !to_file};
    return run(args, console);
}

} // namespace vornel
