// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "headless_board.h"
#include "ladder_view.h"

namespace vornel::ladder {

// The ladder view without a window, beside a headless board: it keeps the picture last shown,
// the two ladder buttons, the technique named and the log line asked to be in view. Cells are
// locked when every cell of the board is read-only.
class HeadlessLadderView final : public LadderView {
public:
    explicit HeadlessLadderView(const HeadlessBoard& board) : board_(board) {}

    void show_picture(const BoardPicture& picture) override { picture_ = picture; }
    void hide_picture() override { picture_.reset(); }
    void set_ladder_button_visible(LadderButton button, bool visible) override {
        (button == LadderButton::Button7 ? button7_ : button8_) = visible;
    }
    void show_technique(std::optional<Technique> technique) override { technique_ = technique; }
    void keep_log_line_in_view(std::size_t line) override { line_in_view_ = line; }
    bool cells_locked() const override;

    const std::optional<BoardPicture>& picture() const { return picture_; }
    bool button_visible(LadderButton button) const { return button == LadderButton::Button7 ? button7_ : button8_; }
    std::optional<Technique> technique() const { return technique_; }
    std::optional<std::size_t> line_in_view() const { return line_in_view_; }

private:
    const HeadlessBoard& board_;
    std::optional<BoardPicture> picture_;
    bool button7_ = false;
    bool button8_ = false;
    std::optional<Technique> technique_;
    std::optional<std::size_t> line_in_view_;
};

} // namespace vornel::ladder
