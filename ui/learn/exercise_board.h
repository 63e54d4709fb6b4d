// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>

#include <QWidget>

#include "exercise.h"
#include "ladder/ladder_picture.h"
#include "ladder_board.h"

namespace vornel {

// The board of an exercise: the position's candidates, on which the player marks what the step
// changes. A click on a candidate strikes it out (a removal) or brings it back; a right click, or
// Shift with the click, marks it as the digit placed in its cell. From the keyboard: arrows choose
// the cell, a digit strikes that candidate out or brings it back, Shift+digit places it.
// show_step() draws the ladder's step instead, as the techniques window does.
class ExerciseBoard final : public QWidget {
    Q_OBJECT

public:
    explicit ExerciseBoard(QWidget* parent);

    void set_exercise(const learn::Exercise* exercise);
    // Draws `step` over the position (nothing for the player's marks).
    void show_step(const std::optional<ladder::Step>& step);
    const learn::Change& marked() const { return marked_; }
    void clear_marks();
    // Toggles a removal (or, with `place`, a placement) of `digit` in `cell`.
    void toggle(int cell, int digit, bool place);
    int selected() const { return selected_; }
    QRect cell_rect(int cell) const;
    QSize sizeHint() const override;

signals:
    void marks_changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    const learn::Exercise* exercise_ = nullptr;
    learn::Change marked_;
    std::optional<ladder::Step> shown_;
    int selected_ = 0;
    BoardPainter painter_;
    ladder::BoardPicture picture_;
};

} // namespace vornel
