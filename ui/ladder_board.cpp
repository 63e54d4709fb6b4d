// SPDX-License-Identifier: GPL-3.0-or-later
#include "ladder_board.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include "colours.h"
#include "qt_colour.h"

namespace vornel {

namespace {

const QColor kPatternFrame(31, 63, 191);
const QColor kPatternTint(60, 110, 230, 45);
const QColor kUnitTint(255, 190, 40, 40);
const QColor kUnitFrame(120, 120, 120);
const QColor kPlacedFrame(0, 110, 0);
const QColor kCandidateText(45, 45, 45);
const QColor kRemoved(208, 16, 16);
const QColor kRing(31, 63, 191);
const QColor kFin(138, 43, 226);
const QColor kColourA(127, 178, 255);
const QColor kColourB(255, 194, 102);
const QColor kLink(176, 0, 106);

constexpr std::uint16_t bit(int digit) { return static_cast<std::uint16_t>(1u << digit); }

// The inside of a cell, where the marks go (a cell widget keeps its frame).
QRect inner(const QRect& rect) { return rect.adjusted(2, 2, -2, -2); }

// The square of candidate `digit` (1-9) inside `inside`: digits 1-3 on the top row.
QRectF candidate_box(const QRect& inside, int digit) {
    const qreal w = inside.width() / 3.0;
    const qreal h = inside.height() / 3.0;
    return QRectF(inside.left() + w * ((digit - 1) % 3), inside.top() + h * ((digit - 1) / 3), w, h);
}

} // namespace

QPointF BoardPainter::candidate_centre(int cell, int digit) const {
    return candidate_box(inner(cell_rect(cell)), digit).center();
}

void BoardPainter::paint(QPainter& painter, const ladder::BoardPicture& picture, const QRegion& exposed) const {
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Every cell has the same size: the fonts are made once.
    const QRect first = cell_rect(0);
    Fonts fonts{QFont(QStringLiteral("Tahoma")), {}, QFont(QStringLiteral("Tahoma"))};
    fonts.candidate.setPixelSize(std::max(7, inner(first).height() * 3 / 10));
    fonts.bold = fonts.candidate;
    fonts.bold.setBold(true);
    fonts.value.setPixelSize(std::max(8, first.height() * 2 / 3));
    for (int cell = 0; cell < 81; ++cell) {
        const QRect rect = cell_rect(cell);
        if (exposed.intersects(rect)) paint_cell(painter, picture.cells[static_cast<std::size_t>(cell)], rect, fonts);
    }
    // Chain links over everything: solid when strong, dashed when weak.
    for (std::size_t i = 0; i < picture.links.size(); ++i) {
        const ladder::Link& link = picture.links[i];
        const QPointF from = candidate_centre(link.from.cell, link.from.digit);
        const QPointF to = candidate_centre(link.to.cell, link.to.digit);
        // The link being walked through is heavier than the ones before it.
        const qreal width = static_cast<int>(i) == picture.current_link ? 3.2 : 1.6;
        QPen pen(kLink, width, link.strong ? Qt::SolidLine : Qt::DashLine);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        // Shorten the line so that it starts and ends at the candidates' rings.
        const QLineF line(from, to);
        if (line.length() < 1) continue;
        const qreal r = candidate_box(inner(cell_rect(link.from.cell)), 1).width() * 0.45;
        const QLineF unit = line.unitVector();
        const QPointF d(unit.dx() * r, unit.dy() * r);
        painter.drawLine(QLineF(from + d, to - d));
        // An arrow head at `to`.
        const QLineF back(to - d, from);
        QLineF wing1 = back.unitVector();
        wing1.setLength(r * 0.9);
        QLineF wing2 = wing1;
        wing1.setAngle(back.angle() + 25);
        wing2.setAngle(back.angle() - 25);
        painter.setPen(QPen(kLink, width));
        painter.drawLine(wing1);
        painter.drawLine(wing2);
    }
}

void BoardPainter::paint_cell(QPainter& painter, const ladder::CellMarks& marks, const QRect& rect,
                              const Fonts& fonts) const {
    const QRect inside = inner(rect);
    const int thick = std::max(2, rect.height() / 16);
    if (draw_cells) {
        painter.setPen(QPen(QColor(150, 150, 150), 1));
        painter.setBrush(marks.placed ? to_qcolor(kGreen) : QColor(Qt::white));
        painter.drawRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    if (marks.in_unit && !marks.pattern) {
        painter.fillRect(inside, kUnitTint);
        painter.setPen(QPen(kUnitFrame, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(inside).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    if (marks.pattern) {
        painter.fillRect(inside, kPatternTint);
        painter.setPen(QPen(kPatternFrame, thick));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(inside).adjusted(thick / 2.0, thick / 2.0, -thick / 2.0, -thick / 2.0));
    }
    if (marks.placed) {
        // A double frame: the placed digit is marked by shape as well as by the green.
        painter.setPen(QPen(kPlacedFrame, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(inside).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawRect(QRectF(inside).adjusted(3.5, 3.5, -3.5, -3.5));
    }
    if (draw_cells && marks.value != 0) {
        painter.setFont(fonts.value);
        painter.setPen(Qt::black);
        painter.drawText(rect, Qt::AlignCenter, QString::number(marks.value));
    }
    if (marks.value != 0 || marks.candidates == 0) return;

    for (int d = 1; d <= 9; ++d) {
        if (!(marks.candidates & bit(d))) continue;
        const QRectF box = candidate_box(inside, d);
        const QPointF centre = box.center();
        const qreal r = std::min(box.width(), box.height()) * 0.5;
        painter.setPen(Qt::NoPen);
        if (marks.colour_a & bit(d)) {
            painter.setBrush(kColourA);
            painter.drawEllipse(centre, r, r);
        }
        if (marks.colour_b & bit(d)) {
            painter.setBrush(kColourB);
            painter.drawRect(QRectF(centre.x() - r * 0.9, centre.y() - r * 0.9, r * 1.8, r * 1.8));
        }
        painter.setBrush(Qt::NoBrush);
        if (marks.highlighted & bit(d)) {
            // The ring takes the shape of the colour under it: round on a disc ("is"), square on a
            // square ("is not"), so that the two read apart in greyscale too.
            painter.setPen(QPen(kRing, 1.2));
            if (marks.colour_b & bit(d))
                painter.drawRect(QRectF(centre.x() - r * 0.9, centre.y() - r * 0.9, r * 1.8, r * 1.8));
            else
                painter.drawEllipse(centre, r * 0.95, r * 0.95);
        }
        if (marks.fins & bit(d)) {
            // As heavy as the pattern's frame: a fin is part of the pattern.
            QColor tint = kFin;
            tint.setAlpha(60);
            painter.setBrush(tint);
            painter.setPen(QPen(kFin, std::max(2.0, r / 5)));
            painter.drawRect(QRectF(centre.x() - r * 0.95, centre.y() - r * 0.95, r * 1.9, r * 1.9));
            painter.setBrush(Qt::NoBrush);
        }
        const bool removed = marks.removed & bit(d);
        const bool strong = removed || (marks.highlighted & bit(d));
        painter.setFont(strong ? fonts.bold : fonts.candidate);
        painter.setPen(removed ? kRemoved : (marks.highlighted & bit(d)) ? kRing : kCandidateText);
        painter.drawText(box, Qt::AlignCenter, QString::number(d));
        if (removed) {
            // Struck through from corner to corner, past the digit, so the digit stays readable.
            painter.setPen(QPen(kRemoved, 1.2));
            painter.drawLine(QPointF(centre.x() - r * 0.9, centre.y() + r * 0.9),
                             QPointF(centre.x() + r * 0.9, centre.y() - r * 0.9));
        }
    }
}

LadderMarks::LadderMarks(QWidget* parent, std::function<QRect(int cell)> cell_rect) : QWidget(parent) {
    painter_.cell_rect = std::move(cell_rect);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
}

void LadderMarks::set_picture(const ladder::BoardPicture& picture) {
    // Only the cells whose marks changed are painted again (a step changes a few cells), unless
    // a chain's links, which cross the board, come or go.
    if (!picture_.links.empty() || !picture.links.empty() || !isVisible()) {
        update();
    } else {
        QRegion dirty;
        for (int cell = 0; cell < 81; ++cell)
            if (picture_.cells[static_cast<std::size_t>(cell)] != picture.cells[static_cast<std::size_t>(cell)])
                dirty += painter_.cell_rect(cell);
        if (!dirty.isEmpty()) update(dirty);
    }
    picture_ = picture;
}

void LadderMarks::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter_.paint(painter, picture_, event->region());
}

PictureBoard::PictureBoard(QWidget* parent) : QWidget(parent) {
    painter_.cell_rect = [this](int cell) { return rect_of(cell); };
    painter_.draw_cells = true;
    setMinimumSize(sizeHint());
}

QSize PictureBoard::sizeHint() const { return {9 * 37 + 8, 9 * 37 + 8}; }

QRect PictureBoard::rect_of(int cell) const {
    // Cells at a common pitch, with a wider gap between regions, as on the main board.
    const int side = (std::min(width(), height()) - 8) / 9;
    const int r = ladder::row_of(cell);
    const int c = ladder::col_of(cell);
    return {c * side + 3 * (c / 3) + 1, r * side + 3 * (r / 3) + 1, side, side};
}

void PictureBoard::set_picture(const ladder::BoardPicture& picture) {
    picture_ = picture;
    update();
}

void PictureBoard::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int side = (std::min(width(), height()) - 8) / 9;
    painter.fillRect(QRect(0, 0, 9 * side + 8, 9 * side + 8), Qt::black);
    painter_.paint(painter, picture_, event->region());
}

} // namespace vornel
