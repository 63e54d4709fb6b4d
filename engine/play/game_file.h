#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game.h"
#include "language.h"

namespace vornel::play {

// The game file (".vornel"): a small JSON object, UTF-8, one game per file.
//
//   {
//     "format": "vornel-partie",
//     "version": 1,
//     "givens": "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79",
//     "digits": ".........................................................................1.......",
//     "marks": ["", "124", ... 81 strings, cell by cell, row by row],
//     "elapsed_ms": 754000,
//     "hints": 2
//   }
//
// "givens" and "digits" are 81 characters, '.' (or '0') for an empty cell; "digits" holds only the
// player's digits. Each string of "marks" lists the pencil marks of one cell. Members may come in
// any order; unknown members are ignored (later versions may add some); "elapsed_ms" and "hints"
// default to 0. The history of moves is not kept: a loaded game starts a new one.

// The file's text for a game.
std::string write_game(const Game::Saved& saved);

// What makes a text no readable game file, as data: the words come from problem_text().
struct GameFileProblem {
    enum class Kind : std::uint8_t {
        // The text is no JSON object (`line`: where the reader stopped).
        MustStartWithBrace,
        TextAfterObject,
        ControlCharacter,
        IncompleteEscape,
        UnknownEscape,
        UnterminatedString,
        ValueExpected,
        UnknownValue,
        MemberNameExpected,
        ColonExpected, // `text`: the member's name
        CommaOrBraceExpected,
        CommaOrBracketExpected,
        BadNumber,
        // The object is no game.
        WrongFormat,
        NewerVersion, // `number`: the format
        BadGivens,
        BadDigits,
        DigitOnGiven, // `number`: the cell 0-80
        BadMarksList,
        BadMarks, // `text`: the cell's string
        BadTimeOrHints,
    };
    Kind kind = Kind::WrongFormat;
    int line = 0;
    long long number = 0;
    std::string text;
};

// The sentence that tells `problem` ("Ce fichier n'est pas une partie de Vornel : ... (ligne 3).").
std::string problem_text(const GameFileProblem& problem, Language language);

// Reads a game file's text; std::nullopt with `problem` (or its sentence in `error`) that says
// what is wrong.
std::optional<Game::Saved> read_game(const std::string& text, GameFileProblem& problem);
std::optional<Game::Saved> read_game(const std::string& text, std::string& error, Language language = Language::French);

} // namespace vornel::play
