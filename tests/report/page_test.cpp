// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "classic_page.h"
#include "engine.h"
#include "html_check.h"
#include "ladder_page.h"
#include "narrator_fr.h"
#include "narrator_fr_chains.h"
#include "page.h"

namespace vornel {
namespace {

using report::BoardPicture;
using report::Page;

constexpr const char* kEasy = "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..";
constexpr const char* kStuck = "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";
constexpr const char* kDuplicate = "55...............................................................................";

Values values_of_line(std::string_view line) {
    Values v{};
    for (int i = 0; i < 81; ++i) v[i] = static_cast<std::int16_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    return v;
}

// Every line the engine appends during a step-by-step solve, clears ignored.
struct AllLines final : LogListener {
    std::vector<std::string> lines;
    void log_cleared() override {}
    void log_appended(std::string_view line) override { lines.emplace_back(line); }
};

struct Solved {
    std::vector<std::string> lines;
    long placements = 0;
};

Solved solve_headless(std::string_view puzzle) {
    WorkArea area;
    HeadlessBoard board(area);
    Engine engine(area, board);
    store_values(area, values_of_line(puzzle));
    engine.show_grid();
    AllLines all;
    board.set_log_listener(&all);
    engine.m_stepClick();
    while (board.button_visible(StepButton::Button5)) engine.Button5Click();
    board.set_log_listener(nullptr);
    return {all.lines, engine.placements()};
}

std::string html_of(const Page& page) {
    std::ostringstream out;
    report::write_html(out, page);
    return out.str();
}

TEST(HtmlEscape, escapes_the_five_markup_characters_and_keeps_utf8) {
    const struct {
        const char* in;
        const char* out;
    } rows[] = {
        {"a < b", "a &lt; b"},
        {"x > y", "x &gt; y"},
        {"l'été", "l&#39;été"},
        {"\"q\" & r", "&quot;q&quot; &amp; r"},
        {"région 5", "région 5"},
        {"", ""},
        // What a page declaring UTF-8 may not hold becomes U+FFFD, byte by byte.
        {"r\xE9"
         "gion.sud",
         "r\xEF\xBF\xBD"
         "gion.sud"},                                             // Latin-1 é
        {"a\xC3", "a\xEF\xBF\xBD"},                               // cut at the end
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                 // overlong "/"
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // a surrogate
        {"\xF4\x90\x80\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\x01"
         "bip\x7F",
         "\xEF\xBF\xBD"
         "bip\x7F"},                                                        // a control byte
        {"\xF0\x9F\x98\x80 \xE2\x82\xAC", "\xF0\x9F\x98\x80 \xE2\x82\xAC"}, // four and three bytes kept
        {"l1\tl2\n", "l1\tl2\n"},
    };
    for (const auto& row : rows) EXPECT_EQ(report::escape_html(row.in), row.out) << row.in;
}

TEST(ClassicPage, tells_every_line_of_the_step_by_step_solve_in_order_with_one_board_per_placement) {
    for (const char* puzzle : {kEasy, kStuck, kDuplicate}) {
        SCOPED_TRACE(puzzle);
        const Solved solved = solve_headless(puzzle);
        const Page page = report::classic_page("Grille", values_of_line(puzzle));
        EXPECT_EQ(static_cast<long>(page.steps.size()), solved.placements);

        std::vector<std::string> told;
        for (const auto& step : page.steps) told.insert(told.end(), step.sentences.begin(), step.sentences.end());
        told.insert(told.end(), page.closing.begin(), page.closing.end());
        EXPECT_EQ(told, solved.lines);

        const std::string html = html_of(page);
        EXPECT_EQ(test::html_structure_problem(html), "");
        // The puzzle, one board per step, the final grid.
        EXPECT_EQ(test::occurrences(html, "<svg "), static_cast<int>(page.steps.size()) + 2);
        EXPECT_EQ(test::occurrences(html, "<title>"), static_cast<int>(page.steps.size()) + 3);
        std::vector<std::string> escaped;
        for (const auto& line : solved.lines) escaped.push_back(report::escape_html(line));
        EXPECT_EQ(test::element_texts(html, "p"), escaped);
    }
}

TEST(ClassicPage, each_step_board_shows_the_digit_just_written_in_green_with_its_colours) {
    const Page page = report::classic_page("Grille", values_of_line(kEasy));
    ASSERT_FALSE(page.steps.empty());
    std::array<std::uint8_t, 81> before = page.puzzle.values;
    for (const auto& step : page.steps) {
        ASSERT_TRUE(step.board);
        const BoardPicture& b = *step.board;
        int written = -1;
        for (int i = 0; i < 81; ++i) {
            if (b.values[i] != before[i]) {
                EXPECT_EQ(written, -1) << "two cells changed in step " << step.number;
                written = i;
            }
        }
        ASSERT_GE(written, 0) << "step " << step.number;
        EXPECT_EQ(b.placed[written], b.values[written]);
        EXPECT_EQ(b.shade[written], BoardPicture::Shade::Placed);
        EXPECT_NE(b.description.find("ligne " + std::to_string(written / 9 + 1) + ", colonne " +
                                     std::to_string(written % 9 + 1)),
                  std::string::npos)
            << b.description;
        for (int i = 0; i < 81; ++i) {
            if (before[i] != 0) { EXPECT_NE(b.shade[i], BoardPicture::Shade::Free) << "a filled cell is free, " << i; }
            if (i != written) { EXPECT_EQ(b.placed[i], 0) << "only the new digit is circled, " << i; }
        }
        before = b.values;
    }
    for (int i = 0; i < 81; ++i) EXPECT_NE(page.final_grid.values[i], 0);
}

TEST(HtmlPage, is_french_self_contained_and_printable) {
    const std::string html = html_of(report::classic_page("Grille <facile>", values_of_line(kEasy)));
    EXPECT_NE(html.find("<html lang=\"fr\">"), std::string::npos);
    EXPECT_NE(html.find("<title>Grille &lt;facile&gt;</title>"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("src="), std::string::npos);
    // Links only within the page (the table of contents), never to another file.
    EXPECT_EQ(test::occurrences(html, "href="), test::occurrences(html, "href=\"#etape-"));
    EXPECT_EQ(html.find("@import"), std::string::npos);
    EXPECT_NE(html.find("@media print"), std::string::npos);
    EXPECT_NE(html.find("break-inside:avoid"), std::string::npos);
    // Every board has a text alternative.
    EXPECT_EQ(test::occurrences(html, "<svg "), test::occurrences(html, "role=\"img\" aria-label=\""));
    EXPECT_EQ(test::occurrences(html, "aria-label=\"\""), 0);
}

TEST(HtmlStructureCheck, finds_the_faults_it_is_there_to_find) {
    const struct {
        const char* html;
        bool ok;
    } rows[] = {
        {"<!DOCTYPE html><p>a</p>", true},
        {"<!DOCTYPE html><p>a", false},
        {"<!DOCTYPE html><p><b>a</p></b>", false},
        {"<!DOCTYPE html><p class=x>a</p>", false},
        {"<!DOCTYPE html><p>a & b</p>", false},
        {"<!DOCTYPE html><meta charset=\"utf-8\"><svg><rect x=\"1\"/></svg>", true},
        {"<p>a</p>", false},
    };
    for (const auto& row : rows) EXPECT_EQ(test::html_structure_problem(row.html).empty(), row.ok) << row.html;
}

} // namespace
} // namespace vornel

namespace vornel {
namespace {

constexpr const char* kHard = // needs more than singles
    "4.....8.5.3..........7......2.....6.....8.4......1.......6.3.7.5..2.....1.4......";

vornel::Grid grid_of(std::string_view line) {
    vornel::Grid g{};
    for (int i = 0; i < 81; ++i) g[i] = static_cast<std::uint8_t>(line[i] >= '1' && line[i] <= '9' ? line[i] - '0' : 0);
    return g;
}

TEST(LadderPage, tells_the_verdict_every_step_in_order_and_the_closing_lines) {
    for (const char* puzzle : {kEasy, kHard, kDuplicate,
                               "................................................................................."}) {
        SCOPED_TRACE(puzzle);
        const ladder::Explanation e = ladder::explain(grid_of(puzzle));
        const Page page = report::ladder_page("Grille", e);
        ASSERT_EQ(page.steps.size(), e.steps.size());
        // The key to compact cell names first when a step uses them; lines without their indentation.
        std::vector<std::string> expected;
        if (!page.key.empty()) expected.push_back(page.key);
        const auto verdict_lines = ladder::narrate_verdict(e);
        expected.insert(expected.end(), verdict_lines.begin(), verdict_lines.end());
        std::size_t boards = e.steps.size() + 2;
        for (std::size_t k = 0; k < e.steps.size(); ++k) {
            for (std::string sentence :
                 report::typeset(ladder::narrate_in(e.steps, k, Language::French), Language::French))
                expected.push_back(sentence.erase(0, std::min(sentence.find_first_not_of(' '), sentence.size())));
            boards += e.steps[k].branches.size();
        }
        const std::vector<std::string> problems = problem_lines(e.problems, Language::French);
        expected.insert(expected.end(), problems.begin(), problems.end());
        const auto verdict = ladder::narrate_verdict(e);
        expected.insert(expected.end(), verdict.begin(), verdict.end());

        const std::string html = html_of(page);
        EXPECT_EQ(test::html_structure_problem(html), "");
        EXPECT_EQ(test::occurrences(html, "<svg "), static_cast<int>(boards));
        std::vector<std::string> escaped;
        for (const auto& line : expected) escaped.push_back(report::escape_html(line));
        EXPECT_EQ(test::element_texts(html, "p"), escaped);
    }
}

TEST(LadderPage, each_board_shows_the_candidates_before_the_step_and_marks_what_it_does) {
    const ladder::Explanation e = ladder::explain(grid_of(kHard));
    ASSERT_FALSE(e.steps.empty());
    const Page page = report::ladder_page("Grille", e);
    ladder::Candidates c(e.puzzle);
    for (std::size_t k = 0; k < e.steps.size(); ++k) {
        const ladder::Step& step = e.steps[k];
        const BoardPicture& b = *page.steps[k].board;
        for (int i = 0; i < 81; ++i) {
            EXPECT_EQ(b.values[i], c.value(i));
            EXPECT_EQ(b.candidates[i], c.value(i) ? 0 : c.mask(i));
        }
        for (const auto& x : step.eliminations) {
            EXPECT_TRUE((b.removed[x.cell] >> x.digit) & 1);
            EXPECT_TRUE(c.has(x.cell, x.digit)) << "a removed candidate was live";
        }
        for (const auto& p : step.placements) EXPECT_EQ(b.placed[p.cell], p.digit);
        for (const auto cell : step.cells) EXPECT_TRUE(b.pattern[cell]);
        EXPECT_NE(b.description.find(ladder::technique_name_fr(step.technique)), std::string::npos);
        c.apply(step);
    }
}

// A number written after `key` in `text`, from `from` on; -1 when the key is not there.
double number_after(std::string_view text, std::string_view key, std::size_t from = 0) {
    const std::size_t at = text.find(key, from);
    if (at == std::string_view::npos) return -1;
    return std::stod(std::string(text.substr(at + key.size(), 12)));
}

TEST(HtmlPage, boards_and_their_pencil_marks_are_big_enough_to_read_at_100_percent) {
    const std::string html = html_of(report::ladder_page("Grille", ladder::explain(grid_of(kHard))));
    const double board_px = number_after(html, ".board{width:");
    EXPECT_GE(board_px, 360);
    const double side = number_after(html, "viewBox=\"0 0 ");
    ASSERT_GT(side, 0);
    // The smallest text of any board is a pencil mark; it must be at least 10 pixels high.
    double smallest = 1e9;
    int texts = 0;
    for (std::size_t at = html.find("<text "); at != std::string::npos; at = html.find("<text ", at + 1)) {
        smallest = std::min(smallest, number_after(html, "font-size=\"", at));
        ++texts;
    }
    ASSERT_GT(texts, 81);
    EXPECT_GE(smallest * board_px / side, 10.0);
}

// In English every word the page adds is English, and the French page's words are all gone; the
// structure (anchors, boards, their text alternatives) is the same.
TEST(HtmlPage, an_english_page_holds_no_french_word_of_the_page) {
    const struct {
        Page french;
        Page english;
    } cases[] = {
        {report::classic_page("Puzzle", values_of_line(kEasy)),
         report::classic_page("Puzzle", values_of_line(kEasy), {}, Language::English)},
        {report::ladder_page("Puzzle", ladder::explain(grid_of(kHard))),
         report::ladder_page("Puzzle", ladder::explain(grid_of(kHard)), Language::English)},
        {report::classic_page("Puzzle", values_of_line(kDuplicate)),
         report::classic_page("Puzzle", values_of_line(kDuplicate), {}, Language::English)},
    };
    for (const auto& c : cases) {
        const std::string french = html_of(c.french);
        const std::string english = html_of(c.english);
        EXPECT_NE(english.find("<html lang=\"en\">"), std::string::npos);
        for (const char* word : {"Sommaire", "Étape", "étapes", "La grille", "cases remplies", "Nous ", "ligne ",
                                 "colonne ", "région ", "Cases encadrées", "Candidats barrés", "Le sudoku"})
            EXPECT_EQ(english.find(word), std::string::npos) << word;
        EXPECT_NE(english.find("The starting grid: "), std::string::npos);
        EXPECT_NE(english.find("The final grid</figcaption>"), std::string::npos);
        EXPECT_EQ(test::occurrences(english, "<svg "), test::occurrences(french, "<svg "));
        EXPECT_EQ(test::occurrences(english, "id=\"etape-"), test::occurrences(french, "id=\"etape-"));
        EXPECT_EQ(test::occurrences(english, "aria-label=\"\""), 0);
    }
}

TEST(HtmlPage, table_of_contents_links_every_step_once_grouped_by_technique) {
    const ladder::Explanation e = ladder::explain(grid_of(kHard));
    const Page page = report::ladder_page("Grille", e);
    const std::string html = html_of(page);
    const std::size_t toc_end = html.find("</nav>");
    ASSERT_NE(toc_end, std::string::npos);
    const std::string toc = html.substr(0, toc_end);
    std::set<std::string> techniques;
    for (const report::PageStep& step : page.steps) {
        const std::string n = std::to_string(step.number);
        EXPECT_EQ(test::occurrences(toc, "href=\"#etape-" + n + "\""), 1) << n;
        EXPECT_EQ(test::occurrences(html, "id=\"etape-" + n + "\""), 1) << n;
        techniques.insert(step.technique);
    }
    // One line per technique, each naming it once.
    EXPECT_EQ(test::occurrences(toc, "<li>"), static_cast<int>(techniques.size()));
    for (const std::string& t : techniques)
        EXPECT_EQ(test::occurrences(toc, "<li>" + report::escape_html(t) + " ("), 1);
}

TEST(HtmlPage, a_removed_pencil_mark_is_struck_through_not_covered) {
    report::BoardPicture board;
    board.candidates[0] = 1 << 5;
    board.removed[0] = 1 << 5;
    const std::string svg = report::svg_board(board);
    // The digit is drawn, then one horizontal line across it: a path "Mx y Lx' y" with y == y'.
    const std::size_t digit = svg.find(">5</text>");
    ASSERT_NE(digit, std::string::npos);
    const std::size_t path = svg.find("<path d=\"M", digit);
    ASSERT_NE(path, std::string::npos);
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    ASSERT_EQ(std::sscanf(svg.c_str() + path, "<path d=\"M%d %dL%d %d", &x1, &y1, &x2, &y2), 4);
    EXPECT_EQ(y1, y2);
    EXPECT_GT(x2 - x1, 8);
    // One stroke, not a cross over the digit.
    const std::size_t d_start = path + std::string_view("<path d=\"").size();
    EXPECT_EQ(test::occurrences(svg.substr(d_start, svg.find('"', d_start) - d_start), "M"), 1);
}

} // namespace
} // namespace vornel
