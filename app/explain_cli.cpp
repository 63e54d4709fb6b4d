#include "explain_cli.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

#include "explainer.h"
#include "failures.h"
#include "ladder_report.h"

namespace vornel {

namespace {

constexpr const char* kUsage =
    "Usage: vornel-explain [--tempo step|digit|once] [--trace | --summary] [--lines] [--to-sud DIR] FILE...\n"
    "       vornel-explain --techniques all [--summary | --json] [--lines] FILE...\n"
    "\n"
    "Explains each puzzle as the Vornel window would solve it, without a window.\n"
    "FILE is a \".sud\" puzzle file (81 lines, one value each), or - for standard input.\n"
    "  --tempo T     step: one placement per request (\"Pas suivant\" until it hides);\n"
    "                digit: one digit per request (\"Chiffre suivant\" until it hides);\n"
    "                once: the whole solution in one request (default)\n"
    "  --trace       one event per line: puzzle, == request, clear, + line, grid, colours, buttons\n"
    "  --summary     one line per puzzle: final grid, outcome (terminé, bloqué, invalide),\n"
    "                placements, number of solutions of the givens (0, 1 or 2+)\n"
    "  --lines       inputs hold one puzzle per line: 81 characters, 1-9 givens, 0 or . empty;\n"
    "                blank lines and lines starting with # are skipped\n"
    "  --to-sud DIR  explain nothing: write each puzzle, as it stands once loaded, as a \".sud\"\n"
    "                file into DIR (NAME.sud, or NAME-LINE.sud with --lines)\n"
    "  --techniques classic|all\n"
    "                classic: the two searches above (default); all: the technique ladder,\n"
    "                every step with the simplest technique that applies, rated at the end;\n"
    "                its --summary: final grid, verdict, steps, solutions, score, level, hardest\n"
    "  --json        with --techniques all: one JSON object per puzzle and line\n"
    "  --help        show this help\n"
    "  --version     show the version\n";

struct Options {
    ExplainOptions explain;
    LadderOptions ladder;
    bool lines = false;
    std::string to_sud_dir;
    std::vector<std::string> files;
};

// The name an input's ".sud" copies start with: its file name without folder and extension.
std::string stem_of(const std::string& input) {
    if (input == "-") return "stdin";
    std::string name = input.substr(input.find_last_of('/') + 1);
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name.empty() ? "puzzle" : name;
}

// Explains puzzles in batches spread over the machine's cores, writing each puzzle's output in
// input order once its batch is done: memory stays flat however many puzzles come in.
class Run {
public:
    Run(const Options& options, std::ostream& out, std::ostream& err) : options_(options), out_(out), err_(err) {
        workers_ = std::max(1u, std::min(8u, std::thread::hardware_concurrency()));
    }

    ~Run() { flush(); }

    void puzzle(const std::string& name, const std::string& sud_name, const PuzzleValues& values) {
        if (!options_.to_sud_dir.empty()) {
            write_sud(name, sud_name, values);
            return;
        }
        batch_.push_back({name, values, {}, {}});
        if (batch_.size() >= kBatch) flush();
    }

    // Reports a problem with one input or puzzle; `text` is shown as it stands.
    void fail(const std::string& name, const std::string& text) {
        flush();
        out_.flush();
        err_ << name << ": " << text << '\n';
        status_ = 1;
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
                err_ << p.err;
            }
            out_ << p.out;
        }
        explained_ += batch_.size();
        batch_.clear();
    }

    int status() const { return status_; }

private:
    static constexpr std::size_t kBatch = 256;

    struct Pending {
        std::string name;
        PuzzleValues values;
        std::string out;
        std::string err;
    };

    void write_sud(const std::string& name, const std::string& sud_name, const PuzzleValues& values) {
        const WorkArea area = loaded_grid(
            values, [&](const std::string& message) { err_ << name << ": " << failure_text(message) << '\n'; });
        const std::string path = options_.to_sud_dir + "/" + sud_name;
        try {
            write_puzzle_file(path, area, Sync::skip);
        } catch (const Failure& failure) { fail(path, failure_text(failure.message())); }
    }

    const Options& options_;
    std::ostream& out_;
    std::ostream& err_;
    unsigned workers_ = 1;
    std::vector<Pending> batch_;
    std::size_t explained_ = 0;
    int status_ = 0;
};

void read_lines(Run& run, const std::string& name, std::istream& in) {
    std::string line;
    long number = 0;
    PuzzleValues values{};
    while (std::getline(in, line)) {
        ++number;
        if (skipped_puzzle_line(line)) continue;
        const std::string problem = parse_puzzle_line(line, values);
        if (!problem.empty()) {
            run.fail(name + ':' + std::to_string(number), "malformed puzzle line: " + problem);
            continue;
        }
        run.puzzle(name + ':' + std::to_string(number), stem_of(name) + '-' + std::to_string(number) + ".sud", values);
    }
    if (in.bad()) run.fail(name, failure_text(in_out_message(stream_failure_code())));
}

int usage_error(std::ostream& err, const std::string& message) {
    err << "vornel-explain: " << message << "\nTry 'vornel-explain --help'.\n";
    return 2;
}

} // namespace

int run_explain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err) {
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
            out << kUsage;
            return 0;
        } else if (arg == "--version") {
            out << "vornel-explain 1.0\n";
            return 0;
        } else if (arg == "--tempo" || arg.rfind("--tempo=", 0) == 0) {
            std::string value;
            if (!value_of("--tempo", value)) return usage_error(err, "--tempo needs a value: step, digit or once");
            if (value == "step")
                options.explain.tempo = Tempo::Step;
            else if (value == "digit")
                options.explain.tempo = Tempo::Digit;
            else if (value == "once")
                options.explain.tempo = Tempo::Once;
            else
                return usage_error(err, "unknown tempo '" + value + "': use step, digit or once");
        } else if (arg == "--trace" || arg == "--summary") {
            const Report report = arg == "--trace" ? Report::Trace : Report::Summary;
            if (options.explain.report != Report::Narrative && options.explain.report != report)
                return usage_error(err, "--trace and --summary cannot be used together");
            options.explain.report = report;
        } else if (arg == "--techniques" || arg.rfind("--techniques=", 0) == 0) {
            std::string value;
            if (!value_of("--techniques", value)) return usage_error(err, "--techniques needs a value: classic or all");
            if (value != "classic" && value != "all")
                return usage_error(err, "unknown techniques '" + value + "': use classic or all");
            options.ladder.enabled = value == "all";
        } else if (arg == "--json") {
            options.ladder.report = LadderReport::Json;
        } else if (arg == "--lines") {
            options.lines = true;
        } else if (arg == "--to-sud" || arg.rfind("--to-sud=", 0) == 0) {
            if (!value_of("--to-sud", options.to_sud_dir) || options.to_sud_dir.empty())
                return usage_error(err, "--to-sud needs a folder");
        } else {
            return usage_error(err, "unknown option '" + arg + "'");
        }
    }
    if (options.files.empty()) return usage_error(err, "no input file given");
    if (options.ladder.report == LadderReport::Json && !options.ladder.enabled)
        return usage_error(err, "--json needs --techniques all");
    if (options.ladder.enabled) {
        if (options.explain.report == Report::Trace) return usage_error(err, "--trace needs --techniques classic");
        if (options.explain.report == Report::Summary) {
            if (options.ladder.report == LadderReport::Json)
                return usage_error(err, "--summary and --json cannot be used together");
            options.ladder.report = LadderReport::Summary;
        }
    }

    Run run(options, out, err);
    for (const std::string& name : options.files) {
        if (options.lines) {
            if (name == "-") {
                read_lines(run, name, in);
                continue;
            }
            std::ifstream file(name, std::ios::binary);
            if (!file) {
                run.fail(name, failure_text(in_out_message(in_out_code_for_path(errno, name))));
                continue;
            }
            read_lines(run, name, file);
            continue;
        }
        PuzzleValues values{};
        try {
            values = name == "-" ? read_puzzle(in) : read_puzzle_file(name);
        } catch (const Failure& failure) {
            run.fail(name, failure_text(failure.message()));
            continue;
        }
        run.puzzle(name, stem_of(name) + ".sud", values);
    }
    run.flush();
    out.flush();
    return run.status();
}

} // namespace vornel
