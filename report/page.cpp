#include "page.h"

#include <algorithm>
#include <ostream>
#include <string>

namespace vornel::report {

namespace {

constexpr int kCell = 40;  // cell side in SVG units
constexpr int kMargin = 2; // room for the outer thick line
constexpr int kSide = 9 * kCell + 2 * kMargin;

const char* shade_fill(BoardPicture::Shade shade) {
    switch (shade) {
        case BoardPicture::Shade::Free: return "#ffffff";
        case BoardPicture::Shade::Excluded: return "#ff2222";
        case BoardPicture::Shade::Occupied: return "#fa9404";
        case BoardPicture::Shade::Placed: return "#22ff22";
        case BoardPicture::Shade::None: break;
    }
    return "#ffffff";
}

void append_int(std::string& s, int n) { s += std::to_string(n); }

// A straight segment of a path: "Mx1 y1Lx2 y2".
void append_segment(std::string& s, int x1, int y1, int x2, int y2) {
    s += 'M';
    append_int(s, x1);
    s += ' ';
    append_int(s, y1);
    s += 'L';
    append_int(s, x2);
    s += ' ';
    append_int(s, y2);
}

// "<rect x=.. y=.. width=side height=side ATTRS/>".
void append_rect(std::string& s, int x, int y, int side, std::string_view attrs) {
    s += "<rect x=\"";
    append_int(s, x);
    s += "\" y=\"";
    append_int(s, y);
    s += "\" width=\"";
    append_int(s, side);
    s += "\" height=\"";
    append_int(s, side);
    s += "\" ";
    s += attrs;
    s += "/>";
}

// "<circle cx=.. cy=.. ATTRS/>".
void append_circle(std::string& s, int cx, int cy, std::string_view attrs) {
    s += "<circle cx=\"";
    append_int(s, cx);
    s += "\" cy=\"";
    append_int(s, cy);
    s += "\" ";
    s += attrs;
    s += "/>";
}

// "<text x=.. y=.. font-size=SIZE text-anchor="middle"ATTRS>D</text>".
void append_digit(std::string& s, int x, int y, int size, std::string_view attrs, int digit) {
    s += "<text x=\"";
    append_int(s, x);
    s += "\" y=\"";
    append_int(s, y);
    s += "\" font-size=\"";
    append_int(s, size);
    s += "\" text-anchor=\"middle\"";
    s += attrs;
    s += '>';
    s += static_cast<char>('0' + digit);
    s += "</text>";
}

} // namespace

std::string filled_description(const BoardPicture& board, const char* what) {
    int filled = 0;
    for (const std::uint8_t v : board.values) filled += v != 0;
    return std::string(what) + " : " + std::to_string(filled) + " cases remplies sur 81.";
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
    append_int(s, kSide);
    s += ' ';
    append_int(s, kSide);
    s += "\" role=\"img\" aria-label=\"";
    s += escape_html(board.description);
    s += "\"><title>";
    s += escape_html(board.description);
    s += "</title>";
    for (int cell = 0; cell < 81; ++cell) {
        const int x = kMargin + (cell % 9) * kCell;
        const int y = kMargin + (cell / 9) * kCell;
        const BoardPicture::Shade shade = board.shade[cell];
        if (shade != BoardPicture::Shade::None) {
            append_rect(s, x, y, kCell, std::string("fill=\"") + shade_fill(shade) + "\"");
            // Hatching where the digit cannot go, dots where another digit stands, drawn as lines and
            // discs so that the picture reads in black and white and in any SVG renderer.
            if (shade == BoardPicture::Shade::Excluded) {
                s += "<path d=\"";
                for (int k = 8; k < 2 * kCell; k += 8) {
                    const int a = std::min(k, kCell);
                    const int b = std::max(0, k - kCell);
                    append_segment(s, x + b, y + a, x + a, y + b);
                }
                s += "\" stroke=\"#000\" stroke-opacity=\"0.35\" stroke-width=\"1\"/>";
            }
            if (shade == BoardPicture::Shade::Occupied) {
                for (const int dx : {8, 32})
                    for (const int dy : {8, 32})
                        append_circle(s, x + dx, y + dy, "r=\"2\" fill=\"#000\" fill-opacity=\"0.45\"");
            }
        }
        if (board.pattern[cell]) append_rect(s, x, y, kCell, "class=\"pattern\" fill=\"#dbe9ff\"");
        const int value = board.placed[cell] ? board.placed[cell] : board.values[cell];
        if (board.placed[cell]) {
            // The digit this step writes: a green disc with a black ring, never the colour alone.
            append_circle(s, x + kCell / 2, y + kCell / 2,
                          "r=\"16\" fill=\"#22ff22\" stroke=\"#000\" stroke-width=\"2\"");
        }
        if (value >= 1 && value <= 9) {
            append_digit(s, x + kCell / 2, y + kCell / 2 + 9, 26, board.given[cell] ? " font-weight=\"bold\"" : "",
                         value);
            continue;
        }
        const std::uint16_t marks = board.candidates[cell] | board.removed[cell];
        for (int d = 1; d <= 9; ++d) {
            if (!((marks >> d) & 1)) continue;
            const int cx = x + 7 + ((d - 1) % 3) * 13;
            const int cy = y + 11 + ((d - 1) / 3) * 12;
            const bool removed = (board.removed[cell] >> d) & 1;
            const bool highlighted = (board.highlighted[cell] >> d) & 1;
            if (highlighted)
                append_circle(s, cx, cy - 3, "r=\"6\" fill=\"#ffe680\" stroke=\"#000\" stroke-width=\"0.8\"");
            append_digit(s, cx, cy, 10, removed ? " fill=\"#d00000\" font-weight=\"bold\"" : "", d);
            if (removed) {
                // Struck through with a cross, readable without colour.
                s += "<path d=\"";
                append_segment(s, cx - 5, cy - 8, cx + 5, cy + 2);
                append_segment(s, cx - 5, cy + 2, cx + 5, cy - 8);
                s += "\" stroke=\"#d00000\" stroke-width=\"1.4\"/>";
            }
        }
    }
    // Grid lines: thin between cells, thick around regions; pattern frames on top.
    for (int i = 0; i <= 9; ++i) {
        const int p = kMargin + i * kCell;
        const char* width = i % 3 == 0 ? "3" : "1";
        for (int vertical = 0; vertical < 2; ++vertical) {
            s += "<line x1=\"";
            append_int(s, vertical ? p : kMargin);
            s += "\" y1=\"";
            append_int(s, vertical ? kMargin : p);
            s += "\" x2=\"";
            append_int(s, vertical ? p : kSide - kMargin);
            s += "\" y2=\"";
            append_int(s, vertical ? kSide - kMargin : p);
            s += "\" stroke=\"#000\" stroke-width=\"";
            s += width;
            s += "\"/>";
        }
    }
    for (int cell = 0; cell < 81; ++cell) {
        if (!board.pattern[cell]) continue;
        append_rect(s, kMargin + (cell % 9) * kCell + 3, kMargin + (cell / 9) * kCell + 3, kCell - 6,
                    "fill=\"none\" stroke=\"#0040c0\" stroke-width=\"2.5\" stroke-dasharray=\"5 3\"");
    }
    s += "</svg>";
    return s;
}

void write_html(std::ostream& out, const Page& page) {
    out << "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>"
        << escape_html(page.title)
        << "</title>\n<style>\n"
           "body{font-family:sans-serif;margin:1.5em;color:#000;background:#fff;max-width:60em}\n"
           "h1{font-size:1.5em}h2{font-size:1.15em;margin:0 0 .4em}\n"
           ".board{width:18em;height:18em;display:block}\n"
           ".board text{font-family:sans-serif}\n"
           ".steps{display:flex;flex-wrap:wrap;gap:1em;list-style:none;padding:0}\n"
           ".step{flex:1 1 24em;border:1px solid #888;padding:.6em;break-inside:avoid;page-break-inside:avoid}\n"
           ".step p{margin:.2em 0}\n"
           ".summary{display:flex;flex-wrap:wrap;gap:1.5em;align-items:flex-start}\n"
           "figure{margin:0;break-inside:avoid;page-break-inside:avoid}\n"
           "figcaption{font-weight:bold;margin-bottom:.3em}\n"
           ".branches{display:flex;flex-wrap:wrap;gap:.6em;margin-top:.6em}\n"
           ".branches figure{flex:0 0 11em}.branches figcaption{font-weight:normal;font-size:.85em}\n"
           ".branches .board{width:11em;height:11em}\n"
           "@media print{body{margin:0;max-width:none}.step{flex-basis:45%}"
           ".board{width:12em;height:12em}.branches .board{width:8em;height:8em}a{color:#000}}\n"
           "</style>\n</head>\n<body>\n<h1>"
        << escape_html(page.title) << "</h1>\n";
    if (!page.key.empty()) out << "<p class=\"key\">" << escape_html(page.key) << "</p>\n";
    out << "<section class=\"summary\">\n<figure>\n<figcaption>La grille</figcaption>\n"
        << svg_board(page.puzzle) << "\n</figure>\n<div>\n";
    for (const std::string& line : page.verdict) out << "<p>" << escape_html(line) << "</p>\n";
    out << "</div>\n</section>\n";
    if (!page.steps.empty()) {
        out << "<h2>Les étapes</h2>\n<ol class=\"steps\">\n";
        for (const PageStep& step : page.steps) {
            out << "<li class=\"step\" value=\"" << step.number << "\">\n<h2>Étape " << step.number;
            if (!step.technique.empty()) out << " : " << escape_html(step.technique);
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
    out << "<figure>\n<figcaption>La grille finale</figcaption>\n"
        << svg_board(page.final_grid) << "\n</figure>\n</section>\n"
        << "</body>\n</html>\n";
}

} // namespace vornel::report
