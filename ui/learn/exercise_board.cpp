// SPDX-License-Identifier: GPL-3.0-or-later
#include "exercise_board.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vornel {

namespace {

template<typename List, typename Item>
bool toggle_in(List& list, const Item& item) {
    const auto at = std::find(list.begin(), list.end(), item);
    if (at != list.end()) {
        list.erase(at);
        return false;
    }
    list.push_back(item);
    return true;
}

} // namespace

ExerciseBoard::ExerciseBoard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ExerciseBoard"));
    setFocusPolicy(Qt::StrongFocus);
    painter_.cell_rect = [this](int cell) { return cell_rect(cell); };
    painter_.draw_cells = true;
    setMinimumSize(9 * 40 + 8, 9 * 40 + 8);
}

QSize ExerciseBoard::sizeHint() const { return {9 * 56 + 8, 9 * 56 + 8}; }

QRect ExerciseBoard::cell_rect(int cell) const {
    const int side = (std::min(width(), height()) - 8) / 9;
    const int r = ladder::row_of(cell);
    const int c = ladder::col_of(cell);
    return {c * side + 3 * (c / 3) + 1, r * side + 3 * (r / 3) + 1, side, side};
}

void ExerciseBoard::set_exercise(const learn::Exercise* exercise) {
    exercise_ = exercise;
    marked_ = {};
    shown_.reset();
    selected_ = 0;
    if (exercise_)
        while (selected_ < 80 && exercise_->position.value(selected_) != 0) ++selected_;
    refresh();
}

void ExerciseBoard::show_step(const std::optional<ladder::Step>& step) {
    shown_ = step;
    refresh();
}

void ExerciseBoard::clear_marks() {
    marked_ = {};
    refresh();
    emit marks_changed();
}

void ExerciseBoard::toggle(int cell, int digit, bool place) {
    if (!exercise_ || shown_ || cell < 0 || cell > 80 || digit < 1 || digit > 9) return;
    if (exercise_->position.value(cell) != 0 || !exercise_->position.has(cell, digit)) return;
    const ladder::Candidate c{static_cast<std::uint8_t>(cell), static_cast<std::uint8_t>(digit)};
    if (place) {
        // One digit placed per cell: placing another takes the first back.
        if (toggle_in(marked_.placements, c))
            std::erase_if(marked_.placements,
                          [&](const ladder::Candidate& o) { return o.cell == c.cell && !(o == c); });
    } else {
        toggle_in(marked_.eliminations, c);
    }
    refresh();
    emit marks_changed();
}

void ExerciseBoard::refresh() {
    picture_ = {};
    if (exercise_) {
        if (shown_) {
            picture_ = ladder::picture_of(exercise_->position, *shown_, 1);
        } else {
            picture_ = ladder::picture_of(exercise_->position);
            for (const ladder::Candidate& c : marked_.eliminations)
                picture_.cells[c.cell].removed =
                    static_cast<std::uint16_t>(picture_.cells[c.cell].removed | (1u << c.digit));
            for (const ladder::Candidate& c : marked_.placements) {
                picture_.cells[c.cell].value = c.digit;
                picture_.cells[c.cell].placed = true;
            }
            picture_.cells[static_cast<std::size_t>(selected_)].pattern = true;
        }
    }
    update();
}

void ExerciseBoard::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int side = (std::min(width(), height()) - 8) / 9;
    painter.fillRect(QRect(0, 0, 9 * side + 8, 9 * side + 8), Qt::black);
    painter_.paint(painter, picture_, event->region());
}

void ExerciseBoard::mousePressEvent(QMouseEvent* event) {
    setFocus();
    const QPoint at = event->position().toPoint();
    for (int cell = 0; cell < 81; ++cell) {
        const QRect r = cell_rect(cell);
        if (!r.contains(at)) continue;
        selected_ = cell;
        const int col = std::clamp((at.x() - r.left()) * 3 / std::max(1, r.width()), 0, 2);
        const int row = std::clamp((at.y() - r.top()) * 3 / std::max(1, r.height()), 0, 2);
        const bool place = event->button() == Qt::RightButton || (event->modifiers() & Qt::ShiftModifier);
        toggle(cell, 3 * row + col + 1, place);
        refresh();
        return;
    }
}

void ExerciseBoard::keyPressEvent(QKeyEvent* event) {
    const int cell = selected_;
    switch (event->key()) {
        case Qt::Key_Left: selected_ = cell % 9 == 0 ? cell + 8 : cell - 1; break;
        case Qt::Key_Right: selected_ = cell % 9 == 8 ? cell - 8 : cell + 1; break;
        case Qt::Key_Up: selected_ = cell < 9 ? cell + 72 : cell - 9; break;
        case Qt::Key_Down: selected_ = cell >= 72 ? cell - 72 : cell + 9; break;
        default: {
            // The digit keys by their key code, so that Shift (and any layout) still names the digit.
            const int key = event->key();
            int digit = key >= Qt::Key_1 && key <= Qt::Key_9 ? key - Qt::Key_0 : 0;
            if (!digit && event->text().size() == 1) {
                const int at = QStringLiteral("&é\"'(-è_ç").indexOf(event->text()[0]);
                if (at >= 0) digit = at + 1;
                const int shifted = QStringLiteral("!@#$%^&*(").indexOf(event->text()[0]);
                if (!digit && shifted >= 0) digit = shifted + 1;
            }
            if (!digit) {
                QWidget::keyPressEvent(event);
                return;
            }
            toggle(cell, digit, event->modifiers() & Qt::ShiftModifier);
            return;
        }
    }
    refresh();
}

} // namespace vornel
