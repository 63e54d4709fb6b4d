// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game.h"
#include "ladder/ladder_picture.h"
#include "language.h"

namespace vornel::play {

// Hint levels, each asked for separately: where to look, the pattern and its reason, the answer.
enum class HintLevel { Where = 1, Pattern = 2, Step = 3 };

// What the coach says and draws for a hint at one level. The reason always comes before the
// answer: levels 1 and 2 never draw a placement or a removal, and never name a cell the step
// changes unless it is part of the pattern itself; only level 3 does.
//   Singles: level 1 names the unit ("Look at box 3 for the 8."); level 2 marks the unit and the
//   placed digits that rule its other cells out, with the lines they rule along; level 3 the cell,
//   the digit and the sentence.
//   Every other technique: level 1 names it and the units (or regions) to look at; level 2 draws
//   its pattern (cells, candidates, fins, chain links, colours) without its conclusion and names
//   its cells; level 3 the whole step drawn and told.
//   A wrong digit: why it is wrong, when the digits show it (a repeat, a cell or a unit left
//   without a place), else that it leads to a contradiction, then (levels 2 and 3) where and how,
//   from the player's own digit. A needed pencil mark taken out: which cell, not which digit.
//   No mistake's words ever name the digit the cell should hold.
struct Advice {
    std::vector<std::string> lines; // whole sentences, one paragraph each
    std::optional<ladder::BoardPicture> picture;
    bool can_apply = false; // the step's conclusion may be applied (level 3 of a step)
    bool mistake = false;   // the hint is about a mistake ("Retour avant ma première erreur" helps)
    std::optional<ladder::Technique> technique; // for the help page
};
Advice advise(const Hint& hint, HintLevel level, Language language = Language::French);

// The text alone.
std::vector<std::string> hint_text(const Hint& hint, HintLevel level, Language language = Language::French);

// The short name of a cell the coach uses everywhere ("L4C2" / "r4c2"), one place to change it.
std::string cell_word(int cell, Language language);

} // namespace vornel::play
