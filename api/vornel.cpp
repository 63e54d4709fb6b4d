// SPDX-License-Identifier: GPL-3.0-or-later
// The library's functions over the engine. Every JSON text and summary row comes from the writer
// vornel-explain uses (ladder_report), from the puzzle loaded as the tool loads it.
#include "vornel/vornel.h"

#include <algorithm>
#include <atomic>
#include <sstream>
#include <thread>

#include "data_contract.h"
#include "explainer.h"
#include "generate.h"
#include "grid_problem.h"
#include "ladder.h"
#include "ladder_report.h"
#include "narration.h"
#include "narrator_fr.h"
#include "narrator_fr_chains.h"
#include "position.h"
#include "position_text.h"
#include "puzzle_lines.h"
#include "solution_count.h"
#include "technique.h"

namespace vornel::api {

namespace {

vornel::Language internal(Language language) {
    return language == Language::English ? vornel::Language::English : vornel::Language::French;
}

std::string_view say(Language language, std::string_view french, std::string_view english) {
    return language == Language::English ? english : french;
}

// A parsed puzzle: values, or the marks of a position with candidates.
struct Read {
    bool marks = false;
    vornel::Values values{};
    vornel::Marks candidates{};
};

Read read(const Puzzle& puzzle) {
    Read r;
    r.marks = puzzle.has_candidates();
    // The text was checked when the puzzle was parsed; only its form is read again here.
    if (r.marks)
        parse_marks_line(puzzle.text(), r.candidates);
    else
        parse_puzzle_line(puzzle.text(), r.values);
    return r;
}

PuzzleOrigin origin_of(const Origin& origin) {
    return PuzzleOrigin{origin.source.value_or(std::string()), origin.line, origin.source.has_value()};
}

// The values as Open leaves them on a board, as vornel-explain explains them.
vornel::Values loaded(const vornel::Values& values, Language language) {
    return values_of(loaded_grid(
        values, [](const std::string&) {}, internal(language)));
}

// The report of one puzzle through the tool's own writer, without its line end. The loading's
// failures, which the tool reports on its error output, cannot happen for values 0-9.
std::string report(const Puzzle& puzzle, const LadderOptions& options, const Origin& origin) {
    const Read r = read(puzzle);
    std::ostringstream out, err;
    if (r.marks)
        ladder_explain_position(options, origin_of(origin), r.candidates, true, out);
    else
        ladder_explain_puzzle(options, origin_of(origin), r.values, true, out, err);
    std::string text = std::move(out).str();
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

LadderOptions options_for(LadderReport kind, Language language) {
    LadderOptions options;
    options.enabled = true;
    options.report = kind;
    options.language = internal(language);
    return options;
}

ladder::Explanation explained(const Puzzle& puzzle, Language language) {
    const Read r = read(puzzle);
    if (r.marks) return ladder::explain(ladder::Position::from_marks(r.candidates));
    return ladder::explain(loaded(r.values, language));
}

std::string grid_line(const vornel::Grid& grid) {
    std::string text(81, '0');
    for (std::size_t i = 0; i < 81; ++i)
        if (grid[i] >= 1 && grid[i] <= 9) text[i] = static_cast<char>('0' + grid[i]);
    return text;
}

std::vector<Candidate> candidates_of(const std::vector<ladder::Candidate>& list) {
    std::vector<Candidate> out;
    out.reserve(list.size());
    for (const ladder::Candidate& c : list)
        out.push_back({ladder::row_of(c.cell) + 1, ladder::col_of(c.cell) + 1, c.digit});
    return out;
}

Step step_of(const ladder::Step& step, Language language) {
    return Step{std::string(ladder::technique_id(step.technique)), candidates_of(step.placements),
                candidates_of(step.eliminations), ladder::narrate(step, internal(language))};
}

// Step `k` of an explanation, told as the explanation tells it (a chain that repeats the step
// before's is told from where they part).
Step step_in(const std::vector<ladder::Step>& steps, std::size_t k, Language language) {
    Step out = step_of(steps[k], language);
    out.text = ladder::narrate_in(steps, k, internal(language));
    return out;
}

std::optional<Rating> rating_of(const ladder::Explanation& e, Language language) {
    if (!e.rating) return std::nullopt;
    return Rating{e.rating->score, std::string(level_id(e.rating->level)),
                  std::string(ladder::level_name(e.rating->level, internal(language)))};
}

std::optional<std::string> hardest_of(const ladder::Explanation& e) {
    if (!e.hardest) return std::nullopt;
    return std::string(ladder::technique_id(*e.hardest));
}

std::string all_technique_ids() {
    std::string ids;
    for (int t = 0; t < ladder::kTechniqueCount; ++t)
        ids += (t > 0 ? ", " : "") + std::string(ladder::technique_id(static_cast<ladder::Technique>(t)));
    return ids;
}

ladder::Technique technique_named(std::string_view id, Language language) {
    ladder::Technique technique{};
    if (!ladder::technique_from_id(id, technique)) {
        const std::string name(id);
        throw Error(language == Language::English ? "unknown technique '" + name + "': " + all_technique_ids()
                                                  : "technique inconnue « " + name + " » : " + all_technique_ids());
    }
    return technique;
}

} // namespace

std::string bad_input(BatchReport kind, const Origin& origin, const std::string& reason) {
    std::string text = kind == BatchReport::Summary ? summary_line(SummaryRow{origin_of(origin)})
                                                    : bad_input_json(origin_of(origin), reason);
    text.pop_back(); // the line end
    return text;
}

std::string version() { return VORNEL_VERSION; }

Puzzle Puzzle::parse(std::string_view text, Language language) {
    const vornel::Language tongue = internal(language);
    const std::string_view line = puzzle_line_text(text);
    if (line.size() == kMarksLineLength) {
        vornel::Marks marks{};
        const std::string problem = parse_marks_line(line, marks, tongue);
        if (!problem.empty())
            throw Error(std::string(say(language, "ligne de grille mal formée : ", "malformed puzzle line: ")) +
                        problem + '.');
        return Puzzle(ladder::marks_line(marks, '0'));
    }
    if (trim_blanks(text).find('\n') != std::string_view::npos && looks_like_pencil_marks(text)) {
        const PencilMarks grid = read_pencil_marks(text, tongue);
        if (!grid.ok)
            throw Error(
                std::string(say(language, "grille de candidats mal formée : ", "malformed pencil-mark grid: ")) +
                grid.problem + '.');
        return Puzzle(ladder::marks_line(grid.marks, '0'));
    }
    if (text.size() > kMaxPuzzleLineBytes)
        throw Error(language == Language::English
                        ? "malformed puzzle line: more than " + std::to_string(kMaxPuzzleLineBytes) +
                              " bytes, line skipped."
                        : "ligne de grille mal formée : plus de " + std::to_string(kMaxPuzzleLineBytes) +
                              " octets, ligne ignorée.");
    vornel::Values values{};
    const std::string problem = parse_puzzle_line(line, values, tongue);
    if (!problem.empty())
        throw Error(std::string(say(language, "ligne de grille mal formée : ", "malformed puzzle line: ")) + problem +
                    '.');
    std::string canonical(81, '0');
    for (std::size_t i = 0; i < 81; ++i) canonical[i] = static_cast<char>('0' + values[i]);
    return Puzzle(std::move(canonical));
}

Explanation explain(const Puzzle& puzzle, Language language) {
    const ladder::Explanation e = explained(puzzle, language);
    Explanation out;
    out.puzzle = e.start_marks ? ladder::marks_line(*e.start_marks, '0') : grid_line(e.puzzle);
    out.verdict = std::string(ladder::verdict_id(e.verdict));
    out.solutions = std::min(e.solutions, 2);
    for (std::size_t k = 0; k < e.steps.size(); ++k) out.steps.push_back(step_in(e.steps, k, language));
    out.grid = grid_line(e.final_grid);
    out.rating = rating_of(e, language);
    out.hardest = hardest_of(e);
    if (e.two_solutions)
        for (const vornel::Grid& grid : *e.two_solutions) out.two_solutions.push_back(grid_line(grid));
    out.problems = problem_lines(e.problems, internal(language));
    out.conclusion = ladder::narrate_verdict(e, internal(language));
    return out;
}

std::string explain_json(const Puzzle& puzzle, Language language, const Origin& origin) {
    return report(puzzle, options_for(LadderReport::Json, language), origin);
}

Summary rate(const Puzzle& puzzle, Language language) {
    const ladder::Explanation e = explained(puzzle, language);
    return Summary{e.start_marks ? ladder::marks_line(*e.start_marks, '0') : grid_line(e.puzzle),
                   std::string(ladder::verdict_id(e.verdict)),
                   std::min(e.solutions, 2),
                   static_cast<int>(e.steps.size()),
                   grid_line(e.final_grid),
                   rating_of(e, language),
                   hardest_of(e)};
}

std::string rate_json(const Puzzle& puzzle, Language language, const Origin& origin) {
    return report(puzzle, options_for(LadderReport::Rating, language), origin);
}

std::string summary_row(const Puzzle& puzzle, const Origin& origin) {
    return report(puzzle, options_for(LadderReport::Summary, Language::French), origin);
}

std::optional<Step> next_step(const Puzzle& puzzle, Language language) {
    const ladder::Explanation e = explained(puzzle, language);
    if (e.steps.empty()) return std::nullopt;
    return step_of(e.steps.front(), language);
}

std::string next_json(const Puzzle& puzzle, Language language, const Origin& origin) {
    LadderOptions options = options_for(LadderReport::Json, language);
    options.next = true;
    return report(puzzle, options, origin);
}

std::vector<Step> find(const Puzzle& puzzle, std::string_view technique, Language language) {
    const ladder::Technique wanted = technique_named(technique, language);
    const Read r = read(puzzle);
    std::vector<Step> out;
    if (!r.marks) {
        const vornel::Values values = loaded(r.values, language);
        vornel::Grid grid{};
        for (std::size_t i = 0; i < 81; ++i) {
            if (values[i] < 0 || values[i] > 9) return out;
            grid[i] = static_cast<std::uint8_t>(values[i]);
        }
        for (const ladder::Step& step : ladder::find_instances(ladder::Position::from_givens(grid), wanted))
            out.push_back(step_of(step, language));
        return out;
    }
    for (const ladder::Step& step : ladder::find_instances(ladder::Position::from_marks(r.candidates), wanted))
        out.push_back(step_of(step, language));
    return out;
}

std::string find_json(const Puzzle& puzzle, std::string_view technique, Language language, const Origin& origin) {
    LadderOptions options = options_for(LadderReport::Json, language);
    options.find = technique_named(technique, language);
    return report(puzzle, options, origin);
}

int count_solutions(const Puzzle& puzzle, int limit) {
    limit = std::max(limit, 1);
    const Read r = read(puzzle);
    if (r.marks) return ladder::count_solutions(ladder::Position::from_marks(r.candidates), limit);
    vornel::Grid grid{};
    for (std::size_t i = 0; i < 81; ++i) grid[i] = static_cast<std::uint8_t>(r.values[i]);
    return find_solutions(grid, limit).count;
}

std::vector<std::string> technique_ids() {
    std::vector<std::string> ids;
    for (int t = 0; t < ladder::kTechniqueCount; ++t)
        ids.emplace_back(ladder::technique_id(static_cast<ladder::Technique>(t)));
    return ids;
}

std::vector<std::string> levels() {
    std::vector<std::string> out;
    for (int l = 0; l <= static_cast<int>(ladder::Level::Diabolical); ++l)
        out.emplace_back(level_id(static_cast<ladder::Level>(l)));
    return out;
}

std::vector<std::string> generate(const GenerateRequest& request, Language language) {
    const vornel::Language tongue = internal(language);
    generator::Request wanted;
    wanted.symmetric = request.symmetric;
    if (!request.level.empty()) {
        wanted.level = generator::level_from_name(request.level);
        if (wanted.level < 0) throw Error(generator::unknown_level(request.level, tongue));
    }
    if (!request.needs.empty()) {
        ladder::Technique technique{};
        if (!ladder::technique_from_id(request.needs, technique))
            throw Error(language == Language::English
                            ? "unknown technique '" + request.needs + "'; techniques: " + all_technique_ids()
                            : "technique inconnue « " + request.needs + " » ; techniques : " + all_technique_ids());
        if (const std::string_view why = generator::untargetable(technique, tongue); !why.empty())
            throw Error(language == Language::English
                            ? "--needs " + request.needs + ": no puzzle can be searched for this technique, because " +
                                  std::string(why)
                            : "--needs " + request.needs +
                                  " : aucune grille ne peut être cherchée pour cette technique, car " +
                                  std::string(why));
        wanted.needs = technique;
    }
    if (const std::string why = generator::impossible(wanted, tongue); !why.empty()) throw Error(why);
    std::vector<std::string> puzzles;
    for (int i = 0; i < request.count; ++i) {
        generator::Generator generator(wanted, generator::puzzle_seed(request.seed, i));
        std::optional<vornel::Grid> puzzle;
        while (!puzzle) puzzle = generator.attempt();
        puzzles.push_back(grid_line(*puzzle));
    }
    return puzzles;
}

std::vector<BatchResult> run_batch(const std::vector<std::string>& texts, BatchReport kind, unsigned jobs,
                                   Language language, const std::vector<Origin>& origins) {
    std::vector<BatchResult> results(texts.size());
    if (jobs == 0) jobs = std::max(1u, std::thread::hardware_concurrency());
    jobs = static_cast<unsigned>(std::min<std::size_t>(jobs, std::max<std::size_t>(texts.size(), 1)));
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1, std::memory_order_relaxed)) < texts.size();) {
            const Origin origin = i < origins.size() ? origins[i] : Origin{};
            try {
                const Puzzle puzzle = Puzzle::parse(texts[i], language);
                switch (kind) {
                    case BatchReport::Explain: results[i].text = explain_json(puzzle, language, origin); break;
                    case BatchReport::Rate: results[i].text = rate_json(puzzle, language, origin); break;
                    case BatchReport::Summary: results[i].text = summary_row(puzzle, origin); break;
                }
            } catch (const std::exception& error) {
                // A text that cannot be read (Error); anything else would end the process from a
                // worker thread, so it is told the same way.
                results[i].error = error.what();
                results[i].text = bad_input(kind, origin, results[i].error);
            }
        }
    };
    if (jobs <= 1) {
        work();
        return results;
    }
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < jobs; ++t) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    return results;
}

} // namespace vornel::api
