// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "ladder_picture.h"
#include "step.h"

namespace vornel::ladder {

enum class LadderButton { Button7, Button8 }; // "Étape suivante", "Étape précédente"

// What a ladder explanation does to the screen beyond the board view (cells, log, Button5 and
// Button6), and nothing more. The window and the headless ladder view both implement it, so a
// ladder session runs the same code in both.
//
// Protocol:
//  - show_picture replaces the whole board picture: pencil marks, the step's pattern, struck
//    candidates, links. The cells' texts and colours are not part of it: the session writes them
//    through the board view, so a placed digit reaches the work area's grid as a typed one does.
//    The picture holds the same values as the cells once the session's call returns.
//  - hide_picture takes the picture away: the cells show their texts and colours only.
//  - Button7 ("Étape suivante") shares its place with Button5 and Button6: the session hides
//    those two before it shows Button7. Button8 ("Étape précédente") stands beside them.
//  - show_technique names the technique of the step shown (the way to its explanation), or none.
//  - keep_log_line_in_view asks that log line `line` (0-based, among the lines appended since the
//    last clear_log) be on screen, with as many of the following lines as fit.
//  - cells_locked is true while every cell is read-only, as a solve leaves them.
//  - show_walk follows every show_picture of a step, and every walk through its parts.
class LadderView {
public:
    virtual ~LadderView() = default;

    virtual void show_picture(const BoardPicture& picture) = 0;
    virtual void hide_picture() = 0;
    virtual void set_ladder_button_visible(LadderButton button, bool visible) = 0;
    virtual void show_technique(std::optional<Technique> technique) = 0;
    virtual void keep_log_line_in_view(std::size_t line) = 0;
    virtual bool cells_locked() const = 0;
    // The step shown can be walked part by part (links or branches): `parts` of them, `part` the
    // one drawn (0: the whole step), `caption` its line. parts is 0 for a step that cannot.
    virtual void show_walk(int part, int parts, const std::string& caption) {
        (void)part;
        (void)parts;
        (void)caption;
    }
};

} // namespace vornel::ladder
