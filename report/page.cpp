// SPDX-License-Identifier: GPL-3.0-or-later
#include "page.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "board_drawing.h"

namespace vornel::report {

namespace {

// The page's own words, French then English.
struct PageWords {
    std::string_view lang;
    std::string_view steps_group; // the contents' group of the classic engine's placements
    std::string_view puzzle_caption;
    std::string_view contents;
    std::string_view steps_heading;
    std::string_view step;
    std::string_view colon; // before a technique's name and the contents' step numbers
    std::string_view final_caption;
};
constexpr PageWords kPageWords[] = {
    {"fr", "Étapes", "La grille", "Sommaire", "Les étapes", "Étape ", " : ", "La grille finale"},
    {"en", "Steps", "The puzzle", "Contents", "The steps", "Step ", ": ", "The final grid"},
};
const PageWords& page_words(Language language) { return kPageWords[language == Language::English ? 1 : 0]; }

// The group of the table of contents a step belongs to: its technique, or "Étapes" for the
// classic engine's placements, which have none.
std::string step_group(const PageStep& step, const PageWords& words) {
    return step.technique.empty() ? std::string(words.steps_group) : step.technique;
}

void append_int(std::string& s, int n) { s += std::to_string(n); }

// The shortest decimal form that reads back as `n`: "2", "0.35".
void append_number(std::string& s, double n) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, n);
    s.append(buffer, result.ptr);
}

// Writes each shape as an SVG element, its style as presentation attributes.
class SvgCanvas final : public BoardCanvas {
public:
    explicit SvgCanvas(std::string& s) : s_(s) {}

    void rect(int x, int y, int side, const Style& style) override {
        s_ += "<rect x=\"";
        append_int(s_, x);
        s_ += "\" y=\"";
        append_int(s_, y);
        s_ += "\" width=\"";
        append_int(s_, side);
        s_ += "\" height=\"";
        append_int(s_, side);
        s_ += '"';
        attributes(style);
        s_ += "/>";
    }

    void circle(int cx, int cy, double r, const Style& style) override {
        s_ += "<circle cx=\"";
        append_int(s_, cx);
        s_ += "\" cy=\"";
        append_int(s_, cy);
        s_ += "\" r=\"";
        append_number(s_, r);
        s_ += '"';
        attributes(style);
        s_ += "/>";
    }

    void segments(const std::vector<Segment>& segments, const Style& style) override {
        s_ += "<path d=\"";
        for (const Segment& g : segments) {
            s_ += 'M';
            append_int(s_, g[0]);
            s_ += ' ';
            append_int(s_, g[1]);
            s_ += 'L';
            append_int(s_, g[2]);
            s_ += ' ';
            append_int(s_, g[3]);
        }
        s_ += '"';
        attributes(style);
        s_ += "/>";
    }

    void line(int x1, int y1, int x2, int y2, const Style& style) override {
        s_ += "<line x1=\"";
        append_int(s_, x1);
        s_ += "\" y1=\"";
        append_int(s_, y1);
        s_ += "\" x2=\"";
        append_int(s_, x2);
        s_ += "\" y2=\"";
        append_int(s_, y2);
        s_ += '"';
        attributes(style);
        s_ += "/>";
    }

    void digit(int x, int y, int size, bool bold, const char* fill, int digit) override {
        s_ += "<text x=\"";
        append_int(s_, x);
        s_ += "\" y=\"";
        append_int(s_, y);
        s_ += "\" font-size=\"";
        append_int(s_, size);
        s_ += "\" text-anchor=\"middle\"";
        if (fill) attribute("fill", fill);
        if (bold) s_ += " font-weight=\"bold\"";
        s_ += '>';
        s_ += static_cast<char>('0' + digit);
        s_ += "</text>";
    }

private:
    void attribute(const char* name, const char* value) {
        s_ += ' ';
        s_ += name;
        s_ += "=\"";
        s_ += value;
        s_ += '"';
    }

    void number_attribute(const char* name, double value) {
        s_ += ' ';
        s_ += name;
        s_ += "=\"";
        append_number(s_, value);
        s_ += '"';
    }

    void attributes(const Style& style) {
        if (style.css_class) attribute("class", style.css_class);
        if (style.fill) attribute("fill", style.fill);
        if (style.fill_opacity != 1) number_attribute("fill-opacity", style.fill_opacity);
        if (style.stroke) attribute("stroke", style.stroke);
        if (style.stroke_opacity != 1) number_attribute("stroke-opacity", style.stroke_opacity);
        if (style.stroke) number_attribute("stroke-width", style.stroke_width);
        if (style.dash) attribute("stroke-dasharray", style.dash);
    }

    std::string& s_;
};

} // namespace

std::string filled_description(const BoardPicture& board, std::string_view what, Language language) {
    int filled = 0;
    for (const std::uint8_t v : board.values) filled += v != 0;
    if (language == Language::English)
        return std::string(what) + ": " + std::to_string(filled) + (filled == 1 ? " cell" : " cells") +
               " filled out of 81.";
    return std::string(what) + " : " + std::to_string(filled) + " cases remplies sur 81.";
}

std::string_view starting_grid_words(Language language) {
    return language == Language::English ? "The starting grid" : "La grille de départ";
}

std::string_view final_grid_words(Language language) {
    return language == Language::English ? "The final grid" : "La grille finale";
}

namespace {

// The length of the well-formed UTF-8 sequence that starts text[i], or 0 when it is not one
// (a stray continuation byte, an overlong form, a surrogate, a value above U+10FFFF, a cut end).
std::size_t utf8_sequence_length(std::string_view text, std::size_t i) {
    const auto byte = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

} // namespace

std::string escape_html(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char ch = text[i];
        const std::size_t length = utf8_sequence_length(text, i);
        if (length == 0 || (static_cast<unsigned char>(ch) < 0x20 && ch != '\t' && ch != '\n')) {
            // Not text a page that declares UTF-8 may hold (a file name in another encoding, a
            // control byte): the replacement character stands in for it.
            out += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&#39;"; break;
            default: out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}

std::string svg_board(const BoardPicture& board) {
    std::string s;
    s.reserve(16384);
    s += "<svg class=\"board\" xmlns=\"http://www.w3.org/2000/svg\" font-family=\"sans-serif\" viewBox=\"0 0 ";
    append_int(s, kBoardSide);
    s += ' ';
    append_int(s, kBoardSide);
    s += "\" role=\"img\" aria-label=\"";
    s += escape_html(board.description);
    s += "\"><title>";
    s += escape_html(board.description);
    s += "</title>";
    SvgCanvas canvas(s);
    draw_board(board, canvas);
    s += "</svg>";
    return s;
}

void write_html(std::ostream& out, const Page& page) {
    const PageWords& words = page_words(page.language);
    out << "<!DOCTYPE html>\n<html lang=\"" << words.lang
        << "\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>"
        << escape_html(page.title)
        << "</title>\n<style>\n"
           "body{font-family:sans-serif;margin:1.5em;color:#000;background:#fff;max-width:860px}\n"
           "h1{font-size:1.5em}h2{font-size:1.15em;margin:0 0 .4em}\n"
           ".board{width:"
        << kBoardPixels << "px;height:" << kBoardPixels
        << "px;display:block;flex:none}\n"
           ".board text{font-family:sans-serif}\n"
           ".toc ul{padding-left:1.2em}.toc li{margin:.2em 0}\n"
           ".steps{display:flex;flex-wrap:wrap;gap:1em;list-style:none;padding:0}\n"
           ".step{flex:1 1 400px;border:1px solid #888;padding:.6em;break-inside:avoid;page-break-inside:avoid}\n"
           ".step p{margin:.2em 0}\n"
           ".summary{display:flex;flex-wrap:wrap;gap:1.5em;align-items:flex-start}\n"
           "figure{margin:0;break-inside:avoid;page-break-inside:avoid}\n"
           "figcaption{font-weight:bold;margin-bottom:.3em}\n"
           ".branches{display:flex;flex-wrap:wrap;gap:.6em;margin-top:.6em}\n"
           ".branches figure{flex:0 0 11em}.branches figcaption{font-weight:normal;font-size:.85em}\n"
           ".branches .board{width:11em;height:11em}\n"
           "@media print{body{margin:0;max-width:none}.toc{display:none}.step{flex:1 1 45%}"
           ".board{width:62mm;height:62mm}.branches figure{flex:0 0 30mm}.branches .board{width:30mm;height:30mm}"
           "a{color:#000}}\n"
           "</style>\n</head>\n<body>\n<h1>"
        << escape_html(page.title) << "</h1>\n";
    if (!page.key.empty()) out << "<p class=\"key\">" << escape_html(page.key) << "</p>\n";
    out << "<section class=\"summary\">\n<figure>\n<figcaption>" << words.puzzle_caption << "</figcaption>\n"
        << svg_board(page.puzzle) << "\n</figure>\n<div>\n";
    for (const std::string& line : page.verdict) out << "<p>" << escape_html(line) << "</p>\n";
    out << "</div>\n</section>\n";
    if (!page.steps.empty()) {
        // The table of contents: one line per technique, in the order it first appears, with a
        // link to each of its steps.
        std::vector<std::pair<std::string, std::vector<int>>> groups;
        for (const PageStep& step : page.steps) {
            const std::string group = step_group(step, words);
            auto found = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == group; });
            if (found == groups.end()) found = groups.insert(groups.end(), {group, {}});
            found->second.push_back(step.number);
        }
        out << "<nav class=\"toc\" aria-label=\"" << words.contents << "\">\n<h2>" << words.contents << "</h2>\n<ul>\n";
        for (const auto& [group, numbers] : groups) {
            out << "<li>" << escape_html(group) << " (" << numbers.size() << ")"
                << (page.language == Language::English ? ":" : " :");
            const char* separator = " ";
            for (const int number : numbers) {
                out << separator << "<a href=\"#etape-" << number << "\">" << number << "</a>";
                separator = ", ";
            }
            out << "</li>\n";
        }
        out << "</ul>\n</nav>\n";
        out << "<h2>" << words.steps_heading << "</h2>\n<ol class=\"steps\">\n";
        for (const PageStep& step : page.steps) {
            out << "<li class=\"step\" id=\"etape-" << step.number << "\" value=\"" << step.number << "\">\n<h2>"
                << words.step << step.number;
            if (!step.technique.empty()) out << words.colon << escape_html(step.technique);
            out << "</h2>\n";
            for (const std::string& sentence : step.sentences) {
                // Leading spaces are the line's depth: two per level, shown as a margin.
                const std::size_t depth = sentence.find_first_not_of(' ');
                if (depth == 0 || depth == std::string::npos)
                    out << "<p>" << escape_html(sentence) << "</p>\n";
                else
                    out << "<p style=\"margin-left:" << depth / 2 << "em\">" << escape_html(sentence.substr(depth))
                        << "</p>\n";
            }
            if (step.board) out << svg_board(*step.board) << '\n';
            if (!step.branches.empty()) {
                out << "<div class=\"branches\">\n";
                for (std::size_t i = 0; i < step.branches.size(); ++i)
                    out << "<figure>\n<figcaption>" << escape_html(step.branch_captions[i]) << "</figcaption>\n"
                        << svg_board(step.branches[i]) << "\n</figure>\n";
                out << "</div>\n";
            }
            out << "</li>\n";
        }
        out << "</ol>\n";
    }
    out << "<section>\n";
    for (const std::string& line : page.closing) out << "<p>" << escape_html(line) << "</p>\n";
    out << "<figure>\n<figcaption>" << words.final_caption << "</figcaption>\n"
        << svg_board(page.final_grid) << "\n</figure>\n</section>\n"
        << "</body>\n</html>\n";
}

} // namespace vornel::report
