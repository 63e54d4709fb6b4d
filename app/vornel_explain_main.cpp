// vornel-explain: explains Sudoku puzzles in the program's own words, without a window.
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "explainer.h"

namespace {

constexpr const char* kUsage =
    "Usage: vornel-explain [--tempo step|digit|once] [--trace | --summary] [--lines] FILE...\n"
    "\n"
    "Explains each puzzle as the Vornel window would solve it, without a window.\n"
    "  --tempo T   step: one placement per request (\"Pas suivant\" until it hides);\n"
    "              digit: one digit per request (\"Chiffre suivant\" until it hides);\n"
    "              once: the whole solution in one request (default)\n"
    "  --trace     one event per line: puzzle, == request, clear, + line, grid, colours, buttons\n"
    "  --summary   one line per puzzle: final grid, outcome (terminé, bloqué, invalide),\n"
    "              placements, number of solutions of the givens (0, 1 or 2+)\n"
    "  --lines     inputs hold one puzzle per line: 81 characters, 1-9 givens, 0 or . empty;\n"
    "              blank lines and lines starting with # are skipped\n"
    "  --help      show this help\n"
    "  --version   show the version\n"
    "FILE may be - for standard input.\n";

int usage_error(const std::string& message)
{
    std::cerr << "vornel-explain: " << message << "\n" << "Try 'vornel-explain --help'.\n";
    return 2;
}

struct Input {
    std::string name;
    std::istream* stream = nullptr;
    std::ifstream file;
};

} // namespace

int main(int argc, char** argv)
{
    vornel::ExplainOptions options;
    bool lines = false;
    std::vector<std::string> files;
    bool options_done = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (options_done || arg == "-" || arg.empty() || arg[0] != '-') {
            files.push_back(arg);
        } else if (arg == "--") {
            options_done = true;
        } else if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--version") {
            std::cout << "vornel-explain 1.0\n";
            return 0;
        } else if (arg == "--tempo" || arg.rfind("--tempo=", 0) == 0) {
            std::string value;
            if (arg == "--tempo") {
                if (i + 1 >= argc)
                    return usage_error("--tempo needs a value: step, digit or once");
                value = argv[++i];
            } else {
                value = arg.substr(8);
            }
            if (value == "step")
                options.tempo = vornel::Tempo::Step;
            else if (value == "digit")
                options.tempo = vornel::Tempo::Digit;
            else if (value == "once")
                options.tempo = vornel::Tempo::Once;
            else
                return usage_error("unknown tempo '" + value + "': use step, digit or once");
        } else if (arg == "--trace" || arg == "--summary") {
            const auto report = arg == "--trace" ? vornel::Report::Trace : vornel::Report::Summary;
            if (options.report != vornel::Report::Narrative && options.report != report)
                return usage_error("--trace and --summary cannot be used together");
            options.report = report;
        } else if (arg == "--lines") {
            lines = true;
        } else {
            return usage_error("unknown option '" + arg + "'");
        }
    }
    if (files.empty())
        return usage_error("no input file given");
    if (!lines)
        return usage_error("only the one-line form is read for now: add --lines");

    std::ios::sync_with_stdio(false);
    vornel::Explainer explainer(options, std::cout, std::cerr);
    int status = 0;
    for (const std::string& name : files) {
        std::ifstream file;
        std::istream* in = &std::cin;
        if (name != "-") {
            file.open(name, std::ios::binary);
            if (!file) {
                std::cerr << name << ": cannot be read: " << std::strerror(errno) << '\n';
                status = 1;
                continue;
            }
            in = &file;
        }
        std::string line;
        long number = 0;
        vornel::PuzzleValues values{};
        while (std::getline(*in, line)) {
            ++number;
            if (vornel::skipped_puzzle_line(line))
                continue;
            const std::string problem = vornel::parse_puzzle_line(line, values);
            if (!problem.empty()) {
                std::cout.flush();
                std::cerr << name << ':' << number << ": malformed puzzle line: " << problem << '\n';
                status = 1;
                continue;
            }
            explainer.explain(name + ':' + std::to_string(number), values);
        }
        if (in->bad()) {
            std::cerr << name << ": read error\n";
            status = 1;
        }
    }
    std::cout.flush();
    return status;
}
