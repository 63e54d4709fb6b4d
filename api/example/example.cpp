// SPDX-License-Identifier: GPL-3.0-or-later
// Uses libvornel through its one public header.
//   vornel-example json [en]   each puzzle line of standard input as vornel-explain --json --lines
//                              writes it (source "-")
//   vornel-example summary     each line's --summary row
//   vornel-example PUZZLE      a short account of one puzzle: rating, solutions, the next step, the
//                              x-wings, and a puzzle generated from seed 1
// Lines that cannot be read are reported on standard error; the status is then 1.
#include <vornel/vornel.h>

#include <iostream>
#include <string>

namespace {

bool skipped(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r\v\f");
    return first == std::string::npos || line[first] == '#';
}

int each_line(bool json, vornel::api::Language language) {
    int status = 0;
    std::string line;
    for (std::uint64_t number = 1; std::getline(std::cin, line); ++number) {
        if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);
        if (skipped(line)) continue;
        const vornel::api::Origin origin{std::string("-"), number};
        try {
            const vornel::api::Puzzle puzzle = vornel::api::Puzzle::parse(line, language);
            std::cout << (json ? vornel::api::explain_json(puzzle, language, origin)
                               : vornel::api::summary_row(puzzle, origin))
                      << '\n';
        } catch (const vornel::api::Error& error) {
            // As the tool: the reason on standard error, and a "bad-input" object or row in its place.
            std::cerr << "-:" << number << ": " << error.what() << '\n';
            using vornel::api::BatchReport;
            std::cout << vornel::api::bad_input(json ? BatchReport::Explain : BatchReport::Summary, origin,
                                                error.what())
                      << '\n';
            status = 1;
        }
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    using namespace vornel::api;
    const std::string what = argc > 1 ? argv[1] : "";
    const Language language = argc > 2 && std::string(argv[2]) == "en" ? Language::English : Language::French;
    if (what == "json" || what == "summary") return each_line(what == "json", language);
    try {
        const Puzzle puzzle = Puzzle::parse(what, language);
        const Summary summary = rate(puzzle);
        std::cout << "vornel " << version() << '\n'
                  << "verdict: " << summary.verdict << ", " << summary.step_count
                  << " steps, solutions: " << count_solutions(puzzle) << '\n';
        if (summary.rating) std::cout << "rating: " << summary.rating->score << " (" << summary.rating->level << ")\n";
        if (const auto step = next_step(puzzle, language))
            std::cout << "next: " << step->technique << ": " << step->text.front() << '\n';
        std::cout << "x-wings: " << find(puzzle, "x-wing", language).size() << '\n';
        const Explanation explanation = explain(puzzle, language);
        std::cout << "conclusion: " << explanation.conclusion.front() << '\n';
        GenerateRequest request;
        request.level = "facile";
        request.seed = 1;
        std::cout << "generated: " << generate(request, language).front() << '\n';
    } catch (const Error& error) {
        std::cerr << "vornel-example: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
