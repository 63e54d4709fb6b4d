// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reader of one-line puzzles (--lines). Besides crashes, hangs and
// out-of-bounds reads (caught by the sanitizers) and memory that grows with the input (caught by
// -rss_limit_mb), it checks what must hold for every input:
//  - the lines are the same whether the bytes come at once or in small, varying pieces (so every
//    piece boundary is crossed: inside a line, at its line feed, inside the byte-order mark);
//  - they are what a plain second reading of the rules gives: split at each LF, the mark skipped
//    at the start, a line above the limit reported once as too long, with no text;
//  - no line handed out is longer than the limit, and line N is the N-th handed out;
//  - a line parses exactly when, once trimmed, it is 81 characters of 1-9, 0 and '.', and then
//    gives those values; otherwise the reason is never empty.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "puzzle_lines.h"
#include "sanitizer_options.h"

namespace {

struct Seen {
    std::uint64_t number;
    std::string text;
    bool too_long;
    bool operator==(const Seen&) const = default;
};

std::vector<Seen> split_in_pieces(std::string_view bytes, std::size_t limit, std::size_t seed) {
    vornel::PuzzleLineSplitter splitter(limit);
    std::vector<Seen> seen;
    const auto keep = [&](const vornel::PuzzleLine& line) {
        if (line.text.size() > limit || line.text.find('\n') != std::string_view::npos) std::abort();
        if (line.too_long && !line.text.empty()) std::abort();
        seen.push_back({line.number, std::string(line.text), line.too_long});
    };
    std::size_t next = 0;
    while (next < bytes.size()) {
        const std::size_t piece = seed == 0 ? bytes.size() : 1 + (next * 7 + seed) % 13;
        const std::size_t n = std::min(piece, bytes.size() - next);
        splitter.feed(bytes.substr(next, n), keep);
        next += n;
    }
    splitter.finish(keep);
    return seen;
}

std::vector<Seen> reference(std::string_view bytes, std::size_t limit) {
    std::vector<Seen> seen;
    std::uint64_t number = 1;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        std::string_view line = bytes.substr(0, lf);
        bytes.remove_prefix(lf == std::string_view::npos ? bytes.size() : lf + 1);
        if (line.size() > limit)
            seen.push_back({number, {}, true});
        else if (!line.empty() || lf != std::string_view::npos) {
            if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
            seen.push_back({number, std::string(line), false});
        }
        ++number;
    }
    return seen;
}

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void check_parse(std::string_view line) {
    // A '#' starts a comment: the puzzle is what comes before it.
    std::string_view trimmed = line.substr(0, line.find('#'));
    while (!trimmed.empty() && is_blank(trimmed.front())) trimmed.remove_prefix(1);
    while (!trimmed.empty() && is_blank(trimmed.back())) trimmed.remove_suffix(1);
    bool valid = trimmed.size() == 81;
    for (std::size_t i = 0; valid && i < trimmed.size(); ++i)
        valid = trimmed[i] == '.' || (trimmed[i] >= '0' && trimmed[i] <= '9');

    vornel::Values values{};
    const std::string problem = vornel::parse_puzzle_line(line, values);
    if (problem.empty() != valid) std::abort();
    if (!valid) return;
    for (std::size_t i = 0; i < 81; ++i)
        if (values[i] != (trimmed[i] == '.' ? 0 : trimmed[i] - '0')) std::abort();
    if (vornel::skipped_puzzle_line(line)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // A small limit, so that the fuzzer meets long lines often; the real one is the same code.
    constexpr std::size_t kLimit = 90;
    const std::vector<Seen> whole = split_in_pieces(bytes, kLimit, 0);
    if (whole != reference(bytes, kLimit)) std::abort();
    if (split_in_pieces(bytes, kLimit, size) != whole) std::abort();
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (whole[i].number != i + 1) std::abort(); // every line counts, skipped or not
        if (!whole[i].too_long) check_parse(whole[i].text);
    }
    return 0;
}
