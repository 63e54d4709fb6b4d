// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Language-neutral messages: the narrators say what a step shows as a message id and typed
// arguments (cells, units, digits, removals...); each language has one sentence template per id
// (messages.cpp) whose placeholders call that language's grammar (grammar.h).
//
// A placeholder is {N} or {N:form}, N the argument's index; "{^N...}" upper-cases the first letter
// of what it gives. Forms by kind of argument (the default first):
//   number  "4"; word "quatre"/"four"; wordf the feminine word ("une") where the language has one
//   cell    "L4C2"; the "la case L4C2"; de "de la case L4C2"; short "L4C2"
//   cells   the list without article; the with it; de; short "L4C2 et L4C8"; or "L4C2 ou L4C8";
//           node, one node of a chain, "L4C2/L4C8"
//   unit    "la ligne 3"; bare "ligne 3"; de "de la ligne 3"
//   units   "les lignes 2 et 7"; de
//   digit   "le 7"; n "7"; de "du 7"
//   digits  "le 2 et le 6"; or "le 2 ou le 6"
//   removal "le 3 des cases ..."; short "le 3 de L4C1 et L4C2"
//   text    as given (an already told phrase)

#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "language.h"
#include "step.h"

namespace vornel::ladder {

struct Arg {
    enum class Kind : std::uint8_t { Number, Cell, Cells, Unit, Units, Digit, Digits, Removal, Text };
    Kind kind = Kind::Text;
    long long value = 0;
    const std::vector<std::uint8_t>* cells = nullptr;
    const std::vector<Candidate>* removal = nullptr;
    std::string text;
};

inline Arg make_arg(Arg::Kind kind, long long value, const std::vector<std::uint8_t>* list = nullptr,
                    const std::vector<Candidate>* removed = nullptr, std::string said = {}) {
    Arg a;
    a.kind = kind;
    a.value = value;
    a.cells = list;
    a.removal = removed;
    a.text = std::move(said);
    return a;
}
inline Arg number(long long n) { return make_arg(Arg::Kind::Number, n); }
inline Arg cell(int c) { return make_arg(Arg::Kind::Cell, c); }
inline Arg cells(const std::vector<std::uint8_t>& c) { return make_arg(Arg::Kind::Cells, 0, &c); }
inline Arg unit(int u) { return make_arg(Arg::Kind::Unit, u); }
inline Arg units(const std::vector<std::uint8_t>& u) { return make_arg(Arg::Kind::Units, 0, &u); }
inline Arg digit(int d) { return make_arg(Arg::Kind::Digit, d); }
inline Arg digits(unsigned mask) { return make_arg(Arg::Kind::Digits, mask); }
inline Arg removal(const std::vector<Candidate>& r) { return make_arg(Arg::Kind::Removal, 0, nullptr, &r); }
inline Arg text(std::string t) { return make_arg(Arg::Kind::Text, 0, nullptr, nullptr, std::move(t)); }

// Every sentence and phrase of the ladder.
enum class Msg : std::uint16_t {
#define VORNEL_MESSAGE(id, french, english) id,
#include "messages.def"
#undef VORNEL_MESSAGE
    Count
};

inline constexpr int kMessageCount = static_cast<int>(Msg::Count);

// The message in the language, its placeholders filled.
std::string say(Language language, Msg message, std::initializer_list<Arg> args = {});

// A message as said: its id and a copy of its arguments, for readers that check what a telling
// claims without reading its words back (the claim checker of the tests).
struct SaidArg {
    Arg::Kind kind = Arg::Kind::Text;
    long long value = 0;
    std::vector<std::uint8_t> cells; // Cells, Units
    std::vector<Candidate> removal;  // Removal
    std::string text;                // Text
};
struct Said {
    Msg id = Msg::Count;
    std::vector<SaidArg> args;
};
// While one lives on a thread, every say() on that thread is also written down in `log`, in the
// order said (a phrase said to be part of a sentence comes before the sentence). Not nested.
class SayRecorder {
public:
    explicit SayRecorder(std::vector<Said>& log);
    ~SayRecorder();
    SayRecorder(const SayRecorder&) = delete;
    SayRecorder& operator=(const SayRecorder&) = delete;
};
// The raw template, for the tests.
const char* message_template(Language language, Msg message);

// Two readings of a step every narrator needs: the one digit of a one-digit pattern, and the
// cells of a list of candidates, in order.
inline int only_digit(const Step& step) { return std::countr_zero(static_cast<unsigned>(step.digits)); }
inline std::vector<std::uint8_t> cells_of(const std::vector<Candidate>& candidates) {
    std::vector<std::uint8_t> cells;
    for (const Candidate& c : candidates) cells.push_back(c.cell);
    return cells;
}

} // namespace vornel::ladder
