// SPDX-License-Identifier: GPL-3.0-or-later
// libvornel's value types against its own JSON (which the installed-library test checks against
// vornel-explain): every step, verdict, rating and count the structures give must be the ones the
// JSON writes. Linked against the shared library, so that its exceptions cross it.
#include <gtest/gtest.h>
#include <vornel/vornel.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace vornel::api;

std::vector<std::string> corpus(const std::string& name) {
    std::ifstream in(std::string(VORNEL_TEST_DATA) + "/ladder/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    return lines;
}

std::string candidates_json(const std::vector<Candidate>& list) {
    std::string out = "[";
    for (const Candidate& c : list) {
        if (out.size() > 1) out += ',';
        out += '[' + std::to_string(c.row) + ',' + std::to_string(c.column) + ',' + std::to_string(c.digit) + ']';
    }
    return out + ']';
}

std::string strings_json(const std::vector<std::string>& list) {
    std::string out = "[";
    for (const std::string& s : list) out += (out.size() > 1 ? ",\"" : "\"") + s + '"';
    return out + ']';
}

// Checks that each step's fields appear in the JSON, in order.
void expect_steps_in(const std::vector<Step>& steps, const std::string& json) {
    std::size_t at = 0;
    for (const Step& step : steps) {
        const std::string head = "{\"technique\":\"" + step.technique + "\",\"place\":" + candidates_json(step.place) +
                                 ",\"eliminate\":" + candidates_json(step.eliminate);
        at = json.find(head, at);
        ASSERT_NE(at, std::string::npos) << head;
        const std::size_t text = json.find(",\"text\":" + strings_json(step.text), at);
        ASSERT_NE(text, std::string::npos) << step.technique;
        at = text;
    }
}

std::string rating_json(const std::optional<Rating>& rating) {
    if (!rating) return "\"rating\":null";
    return "\"rating\":{\"score\":" + std::to_string(rating->score) + ",\"level\":\"" + rating->level +
           "\",\"level_text\":\"" + rating->level_text + "\"}";
}

TEST(LibraryApi, ExplanationStructuresMatchTheirJson) {
    for (const std::string name : {"check-corpus.txt", "sets-corpus.txt", "qqwing.txt"}) {
        for (const std::string& line : corpus(name)) {
            SCOPED_TRACE(name + ": " + line);
            const Puzzle puzzle = Puzzle::parse(line);
            for (const Language language : {Language::French, Language::English}) {
                const Explanation e = explain(puzzle, language);
                const std::string json = explain_json(puzzle, language);
                EXPECT_EQ(json.rfind("{\"version\":1,\"source\":null,\"line\":null,\"puzzle\":\"" + e.puzzle +
                                         "\",\"verdict\":\"" + e.verdict +
                                         "\",\"solutions\":" + std::to_string(e.solutions) + ",\"steps\":[",
                                     0),
                          0u);
                expect_steps_in(e.steps, json);
                EXPECT_NE(json.find("\"grid\":\"" + e.grid + "\"," + rating_json(e.rating) +
                                    ",\"hardest\":" + (e.hardest ? '"' + *e.hardest + '"' : std::string("null"))),
                          std::string::npos);
                EXPECT_NE(json.find("\"problems\":" + strings_json(e.problems) +
                                    ",\"conclusion\":" + strings_json(e.conclusion) + "}"),
                          std::string::npos);
                if (e.solutions >= 2) {
                    ASSERT_EQ(e.two_solutions.size(), 2u);
                    EXPECT_NE(json.find("\"two_solutions\":[\"" + e.two_solutions[0] + "\",\"" + e.two_solutions[1]),
                              std::string::npos);
                } else {
                    EXPECT_TRUE(e.two_solutions.empty());
                }

                const Summary s = rate(puzzle, language);
                EXPECT_EQ(s.verdict, e.verdict);
                EXPECT_EQ(s.step_count, static_cast<int>(e.steps.size()));
                EXPECT_EQ(s.grid, e.grid);
                EXPECT_EQ(s.hardest, e.hardest);
                EXPECT_EQ(rating_json(s.rating), rating_json(e.rating));
                EXPECT_EQ(count_solutions(puzzle), e.solutions);

                const std::optional<Step> next = next_step(puzzle, language);
                ASSERT_EQ(next.has_value(), !e.steps.empty());
                if (next) {
                    EXPECT_EQ(next->technique, e.steps.front().technique);
                    expect_steps_in({*next}, next_json(puzzle, language));
                }
            }
        }
    }
}

TEST(LibraryApi, FindGivesWhatItsJsonLists) {
    std::size_t instances = 0;
    for (const std::string& line : corpus("qqwing.txt")) {
        const Puzzle puzzle = Puzzle::parse(line);
        for (const char* technique : {"naked-pair", "x-wing", "pointing"}) {
            const std::vector<Step> found = find(puzzle, technique, Language::English);
            const std::string json = find_json(puzzle, technique, Language::English, {std::string("q.txt"), 3});
            EXPECT_EQ(json.rfind("{\"version\":1,\"source\":\"q.txt\",\"line\":3,", 0), 0u);
            expect_steps_in(found, json);
            for (const Step& step : found) EXPECT_EQ(step.technique, technique);
            instances += found.size();
        }
    }
    EXPECT_GT(instances, 100u);
}

TEST(LibraryApi, ParseReadsTheThreeFormsAndRefusesTheRest) {
    const std::string line = corpus("top95.txt").front();
    const Puzzle puzzle = Puzzle::parse("  " + line + "  # a comment\n");
    EXPECT_FALSE(puzzle.has_candidates());
    EXPECT_EQ(puzzle.text().size(), 81u);
    EXPECT_EQ(puzzle.text().find('.'), std::string::npos);
    std::string marks;
    for (const char c : puzzle.text())
        for (char d = '1'; d <= '9'; ++d) marks += c == '0' || c == d ? d : '0';
    EXPECT_TRUE(Puzzle::parse(marks).has_candidates());
    EXPECT_EQ(Puzzle::parse(marks).text(), marks);
    std::string grid;
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const char v = puzzle.text()[static_cast<std::size_t>(9 * r + c)];
            grid += (c > 0 ? " " : "") + (v == '0' ? std::string("123456789") : std::string(1, v));
        }
        grid += '\n';
    }
    EXPECT_EQ(Puzzle::parse(grid).text(), marks);

    const struct {
        std::string text;
        Language language;
        std::string message_start;
    } refused[] = {
        {"12345", Language::French, "ligne de grille mal formée : "},
        {"12345", Language::English, "malformed puzzle line: "},
        {std::string(728, '0') + "x", Language::English, "malformed puzzle line: "},
        {std::string(5000, '1'), Language::English, "malformed puzzle line: more than 4096 bytes"},
        {"12 34 5\n6 7 8\n", Language::English, "malformed pencil-mark grid: "},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.text.substr(0, 20));
        try {
            Puzzle::parse(r.text, r.language);
            ADD_FAILURE() << "accepted";
        } catch (const Error& error) {
            EXPECT_EQ(std::string(error.what()).rfind(r.message_start, 0), 0u) << error.what();
        }
    }
    EXPECT_THROW(find(puzzle, "no-such-technique"), Error);
    GenerateRequest request;
    request.level = "nope";
    EXPECT_THROW(generate(request), Error);
}

TEST(LibraryApi, BatchesOnThreadsEqualSingleCallsInOrder) {
    std::vector<std::string> texts = corpus("qqwing.txt");
    texts.insert(texts.begin() + 3, "not a puzzle");
    std::vector<Origin> origins;
    for (std::size_t i = 0; i < texts.size(); ++i) origins.push_back({std::string("in.txt"), i + 1});
    for (const unsigned jobs : {1u, 2u, 4u}) {
        const std::vector<BatchResult> rated = run_batch(texts, BatchReport::Rate, jobs, Language::English, origins);
        ASSERT_EQ(rated.size(), texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i == 3) {
                EXPECT_EQ(
                    rated[i].text.rfind("{\"version\":1,\"source\":\"in.txt\",\"line\":4,\"verdict\":\"bad-input\"", 0),
                    0u);
                EXPECT_EQ(rated[i].error.rfind("malformed puzzle line: ", 0), 0u);
                continue;
            }
            EXPECT_TRUE(rated[i].error.empty());
            EXPECT_EQ(rated[i].text, rate_json(Puzzle::parse(texts[i]), Language::English, origins[i]));
        }
        const std::vector<BatchResult> rows = run_batch(texts, BatchReport::Summary, jobs);
        EXPECT_EQ(rows[3].text, "-\t\tbad-input\t-\t-\t-\t-\t-\t-\t-\t-");
        EXPECT_EQ(rows[0].text, summary_row(Puzzle::parse(texts[0])));
    }
}

} // namespace
