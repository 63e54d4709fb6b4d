// SPDX-License-Identifier: GPL-3.0-or-later
#include "messages.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>

#include "bit_ops.h"
#include "grammar.h"

namespace vornel::ladder {

namespace {

constexpr std::array<const char*, kMessageCount> kFrench = {
#define VORNEL_MESSAGE(id, french, english) french,
#include "messages.def"
#undef VORNEL_MESSAGE
};

constexpr std::array<const char*, kMessageCount> kEnglish = {
#define VORNEL_MESSAGE(id, french, english) english,
#include "messages.def"
#undef VORNEL_MESSAGE
};

std::string fill(const Grammar& g, const Arg& a, std::string_view form) {
    using K = Arg::Kind;
    switch (a.kind) {
        case K::Number:
            if (form == "word") return g.count_word(static_cast<std::size_t>(a.value), false);
            if (form == "wordf") return g.count_word(static_cast<std::size_t>(a.value), true);
            return std::to_string(a.value);
        case K::Cell: {
            const int c = static_cast<int>(a.value);
            if (form == "the") return g.cells_phrase({static_cast<std::uint8_t>(c)});
            if (form == "de") return g.de(g.cells_phrase({static_cast<std::uint8_t>(c)}));
            if (form == "short") return g.cell_short(c);
            return g.cell_name(c);
        }
        case K::Cells:
            if (form == "the") return g.cells_phrase(*a.cells);
            if (form == "de") return g.de(g.cells_phrase(*a.cells));
            if (form == "short") return g.cells_short(*a.cells);
            if (form == "or") return g.cells_or(*a.cells);
            if (form == "node") return g.node(*a.cells);
            return g.cells_list(*a.cells);
        case K::Unit:
            if (form == "bare") return g.unit_bare(static_cast<int>(a.value));
            if (form == "de") return g.de(g.unit_name(static_cast<int>(a.value)));
            return g.unit_name(static_cast<int>(a.value));
        case K::Units:
            if (form == "de") return g.de(g.units_phrase(*a.cells));
            return g.units_phrase(*a.cells);
        case K::Digit:
            if (form == "n") return std::to_string(a.value);
            if (form == "de") return g.de(g.digit_the(static_cast<int>(a.value)));
            return g.digit_the(static_cast<int>(a.value));
        case K::Digits:
            if (form == "or") return g.digits_or(static_cast<unsigned>(a.value));
            return g.digits_the(static_cast<unsigned>(a.value));
        case K::Removal:
            if (form == "short") return g.eliminations_short(*a.removal);
            return g.eliminations_phrase(*a.removal);
        case K::Text: return a.text;
    }
    return {};
}

// How many things an argument names, for the choice between singular and plural.
std::size_t count_of(const Arg& a) {
    using K = Arg::Kind;
    switch (a.kind) {
        case K::Number: return static_cast<std::size_t>(a.value);
        case K::Cells:
        case K::Units: return a.cells->size();
        case K::Digits: return static_cast<std::size_t>(bit_count(static_cast<unsigned>(a.value)));
        case K::Removal: {
            std::vector<std::uint8_t> seen;
            for (const Candidate& c : *a.removal)
                if (std::find(seen.begin(), seen.end(), c.cell) == seen.end()) seen.push_back(c.cell);
            return seen.size();
        }
        default: return 1;
    }
}

thread_local std::vector<Said>* recording = nullptr;

void record(Msg message, std::initializer_list<Arg> args) {
    Said said;
    said.id = message;
    for (const Arg& a : args) {
        SaidArg copy;
        copy.kind = a.kind;
        copy.value = a.value;
        if (a.cells) copy.cells = *a.cells;
        if (a.removal) copy.removal = *a.removal;
        copy.text = a.text;
        said.args.push_back(std::move(copy));
    }
    recording->push_back(std::move(said));
}

} // namespace

SayRecorder::SayRecorder(std::vector<Said>& log) { recording = &log; }
SayRecorder::~SayRecorder() { recording = nullptr; }

const char* message_template(Language language, Msg message) {
    const auto i = static_cast<std::size_t>(message);
    return language == Language::English ? kEnglish[i] : kFrench[i];
}

std::string say(Language language, Msg message, std::initializer_list<Arg> args) {
    if (recording != nullptr) record(message, args);
    const Grammar& g = grammar(language);
    const std::string_view pattern = message_template(language, message);
    std::string out;
    out.reserve(pattern.size() + 32);
    std::size_t i = 0;
    while (i < pattern.size()) {
        const std::size_t open = pattern.find('{', i);
        if (open == std::string_view::npos) {
            out.append(pattern.substr(i));
            break;
        }
        out.append(pattern.substr(i, open - i));
        const std::size_t close = pattern.find('}', open);
        if (close == std::string_view::npos || close == open + 1) {
            out.append(pattern.substr(open)); // not a placeholder (the tests keep every template well formed)
            break;
        }
        std::string_view placeholder = pattern.substr(open + 1, close - open - 1);
        i = close + 1;
        const bool upper = !placeholder.empty() && placeholder.front() == '^';
        if (upper) placeholder.remove_prefix(1);
        if (placeholder.empty()) continue;
        const std::size_t colon = placeholder.find(':');
        const auto index = static_cast<std::size_t>(placeholder.front() - '0');
        const std::string_view form =
            colon == std::string_view::npos ? std::string_view() : placeholder.substr(colon + 1);
        if (index >= args.size()) continue;
        const Arg& arg = *(args.begin() + index);
        if (const std::size_t ask = placeholder.find('?'); ask != std::string_view::npos) {
            // {N?one|many}: the words that agree with the argument's number.
            const std::string_view choices = placeholder.substr(ask + 1);
            const std::size_t bar = choices.find('|');
            // French takes the singular for none as for one ("0 étape"), English the plural ("0 steps").
            const std::size_t n = count_of(arg);
            const bool one = language == Language::French ? n <= 1 : n == 1;
            out.append(one ? choices.substr(0, bar) : choices.substr(bar + 1));
            continue;
        }
        std::string piece = fill(g, arg, form);
        out += upper ? g.capitalise(piece) : piece;
    }
    return out;
}

} // namespace vornel::ladder
