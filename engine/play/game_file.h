// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
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
//     "hints": 2,
//     "mistakes": 1,
//     "started": 1796720100,
//     "techniques": ["hidden-single", "naked-pair"]
//   }
//
// "givens" and "digits" are 81 characters, '.' (or '0') for an empty cell; "digits" holds only the
// player's digits. Each string of "marks" lists the pencil marks of one cell. Members may come in
// any order; unknown members are ignored (later versions may add some); "elapsed_ms", "hints",
// "mistakes" (moves that brought a mistake) and "started" (seconds since 1970, UTC) default to 0;
// "techniques" lists the ids of the techniques the coach showed, in the order met. The history of
// moves is not kept: a loaded game starts a new one.
//
// The reader takes hostile files in bounded time and memory: a text of more than kGameFileByteLimit
// bytes is refused before it is parsed, values nest at most kGameFileDepthLimit deep (a game needs
// three: the object, the list of marks, its strings), "elapsed_ms" is at most kMaxElapsedMs, a
// UTF-8 byte-order mark at the start is skipped, and a message quotes at most kQuotedLimit
// characters of the file's text.

// A game file holds under a kilobyte; a mebibyte is far beyond any.
inline constexpr std::size_t kGameFileByteLimit = std::size_t{1} << 20;
// Objects and lists inside one another, the outer object counting as one.
inline constexpr int kGameFileDepthLimit = 16;
// Characters of the file's own text a message quotes before cutting it with "…".
inline constexpr std::size_t kQuotedLimit = 40;

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
        TooDeep,  // `number`: the depth limit
        TooLarge, // `number`: the size limit in bytes
        // The object is no game.
        WrongFormat,
        NewerVersion, // `number`: the format
        BadGivens,
        BadDigits,
        DigitOnGiven, // `number`: the cell 0-80
        BadMarksList,
        BadMarks, // `text`: the cell's string
        BadTimeOrHints,
        TimeTooLong, // `number`: the time limit in hours
        BadRecord,   // "mistakes", "started" or "techniques"
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

// The game file at `path`: read through the bounded reader of small files (regular files only,
// opened without blocking, at most kGameFileByteLimit bytes), then read_game. std::nullopt with the
// sentence that says why (the file's failure, or what is wrong with its text) in `error`.
std::optional<Game::Saved> read_game_file(const std::string& path, std::string& error,
                                          Language language = Language::French);

// Writes the game file at `path` atomically (the old file or the new, never part of one), flushed
// to disk with its folder. Returns false with the failure's sentence in `error`.
bool write_game_file(const std::string& path, const Game::Saved& saved, std::string& error,
                     Language language = Language::French);

// `text` cut to kQuotedLimit characters (UTF-8 sequences kept whole), with "…" when it was longer.
std::string quoted_excerpt(const std::string& text);

} // namespace vornel::play
