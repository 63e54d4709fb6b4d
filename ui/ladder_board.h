// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QFont>
#include <QRect>
#include <QRegion>
#include <QWidget>

#include "ladder/ladder_picture.h"

class QPainter;

namespace vornel {

// Draws a ladder picture: pencil marks in a 3 x 3 layout, the step's pattern and what it removes
// and places. Both the main window (over its cells) and the techniques window (a small board of
// its own) draw with it. Meanings never rest on colour alone:
//  - pattern cells get a thick frame, cells of the step's units a thin dotted one;
//  - a placed digit's cell gets a double frame (its green background is the cell's own);
//  - removed candidates are red and struck through; reasoning candidates are ringed; fins are
//    boxed; the two parities of a chain are a filled disc and a filled square behind the digit;
//  - chain links are lines between candidates, solid when strong, dashed when weak; the link
//    being walked through is twice as heavy.
struct BoardPainter {
    // The rectangle of cell 0-80 in the painter's coordinates.
    std::function<QRect(int cell)> cell_rect;
    // Also draw what cells otherwise draw themselves: background, digit, grid lines.
    bool draw_cells = false;

    // Paints the cells that meet `exposed`, then the links.
    void paint(QPainter& painter, const ladder::BoardPicture& picture, const QRegion& exposed) const;
    // The centre of candidate `digit` of cell `cell`.
    QPointF candidate_centre(int cell, int digit) const;

private:
    struct Fonts {
        QFont candidate;
        QFont bold;
        QFont value;
    };
    void paint_cell(QPainter& painter, const ladder::CellMarks& marks, const QRect& rect, const Fonts& fonts) const;
};

// The main window's drawing over the board: a transparent widget above the 81 cells that lets
// every mouse event through to them.
class LadderMarks final : public QWidget {
    Q_OBJECT

public:
    LadderMarks(QWidget* parent, std::function<QRect(int cell)> cell_rect);

    void set_picture(const ladder::BoardPicture& picture);
    const ladder::BoardPicture& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoardPainter painter_;
    ladder::BoardPicture picture_;
};

// A board drawn entirely by the painter, with no cells of its own: the techniques window's
// examples.
class PictureBoard final : public QWidget {
    Q_OBJECT

public:
    explicit PictureBoard(QWidget* parent);

    void set_picture(const ladder::BoardPicture& picture);
    const ladder::BoardPicture& picture() const { return picture_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect rect_of(int cell) const;
    BoardPainter painter_;
    ladder::BoardPicture picture_;
};

} // namespace vornel
