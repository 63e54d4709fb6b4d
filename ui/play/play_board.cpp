// SPDX-License-Identifier: GPL-3.0-or-later
#include "play_board.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace vornel {

namespace {

const QColor kGivenFill(226, 226, 226);
const QColor kPlayerDigit(20, 70, 200);
const QColor kUnitFill(232, 240, 252);
const QColor kUnitDots(110, 140, 190);
const QColor kSameFill(255, 226, 110);
const QColor kSelectedFill(200, 220, 255);
const QColor kSelectedFrame(10, 40, 110);
const QColor kConflict(200, 0, 0);
const QColor kWrongHatch(210, 30, 30);
const QColor kGridThin(160, 160, 160);
const QColor kGridThick(20, 20, 20);

constexpr std::uint16_t bit(int digit) { return static_cast<std::uint16_t>(1u << digit); }

QRectF candidate_box(const QRect& inside, int digit) {
    const qreal w = inside.width() / 3.0;
    const qreal h = inside.height() / 3.0;
    return QRectF(inside.left() + w * ((digit - 1) % 3), inside.top() + h * ((digit - 1) / 3), w, h);
}

} // namespace

void paint_cell_look(QPainter& painter, const QRect& rect, const CellLook& look) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QColor fill = look.selected             ? kSelectedFill
                        : look.same_digit         ? kSameFill
                        : look.given              ? kGivenFill
                        : look.in_selection_units ? kUnitFill
                                                  : QColor(Qt::white);
    painter.fillRect(rect, fill);
    if (look.in_selection_units && !look.selected && !look.same_digit)
        painter.fillRect(rect, QBrush(kUnitDots, Qt::Dense6Pattern));
    if (look.wrong) painter.fillRect(rect, QBrush(kWrongHatch, Qt::BDiagPattern));

    const int h = rect.height();
    if (look.value) {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(std::max(8, h * 2 / 3));
        font.setBold(look.given);
        painter.setFont(font);
        painter.setPen(look.conflict && !look.given ? kConflict : look.given ? QColor(Qt::black) : kPlayerDigit);
        painter.drawText(rect, Qt::AlignCenter, QString::number(look.value));
        const qreal w = std::max(1.5, h / 18.0);
        if (look.same_digit) {
            // Underlined, so the highlight reads without its colour.
            painter.setPen(QPen(QColor(60, 40, 0), w));
            painter.drawLine(QPointF(rect.left() + h * 0.3, rect.bottom() - h * 0.12),
                             QPointF(rect.right() - h * 0.3, rect.bottom() - h * 0.12));
        }
        if (look.wrong) {
            painter.setPen(QPen(kConflict, w));
            painter.drawLine(QPointF(rect.left() + h * 0.2, rect.bottom() - h * 0.2),
                             QPointF(rect.right() - h * 0.2, rect.top() + h * 0.2));
        }
    } else if (look.marks && !look.hint) {
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(std::max(7, h * 3 / 10));
        painter.setFont(font);
        const QRect inside = rect.adjusted(2, 2, -2, -2);
        for (int d = 1; d <= 9; ++d) {
            if (!(look.marks & bit(d))) continue;
            const QRectF box = candidate_box(inside, d);
            if (d == look.marked_digit) {
                painter.setPen(QPen(QColor(60, 40, 0), 1));
                painter.setBrush(kSameFill);
                const qreal r = std::min(box.width(), box.height()) * 0.48;
                painter.drawEllipse(box.center(), r, r);
                painter.setBrush(Qt::NoBrush);
            }
            painter.setPen(QColor(40, 40, 40));
            painter.drawText(box, Qt::AlignCenter, QString::number(d));
        }
    }
    if (look.conflict) {
        const qreal w = std::max(3.0, h / 12.0);
        painter.setPen(QPen(kConflict, w, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect).adjusted(w, w, -w, -w));
    }
    if (look.hint) {
        BoardPainter drawer;
        drawer.cell_rect = [rect](int cell) { return cell == 0 ? rect : QRect(-1000, -1000, 1, 1); };
        ladder::BoardPicture one;
        one.cells[0] = *look.hint;
        drawer.paint(painter, one, QRegion(rect));
        if (look.hint->placed && !look.value) {
            QFont font(QStringLiteral("Tahoma"));
            font.setPixelSize(std::max(8, h * 2 / 3));
            painter.setFont(font);
            painter.setPen(QColor(0, 110, 0));
            painter.drawText(rect, Qt::AlignCenter, QString::number(look.hint->value));
        }
    }
    if (look.selected) {
        // Four corner brackets, navy with a white edge: a shape no frame of the coach's drawing
        // (pattern, placed digit, fin) ever takes, so the selection is never taken for a hint.
        const qreal w = std::max(3.0, h / 11.0);
        const QRectF r = QRectF(rect).adjusted(w / 2, w / 2, -w / 2, -w / 2);
        const qreal arm = r.width() * 0.32;
        QPainterPath corners;
        const QPointF tl = r.topLeft(), tr = r.topRight(), bl = r.bottomLeft(), br = r.bottomRight();
        corners.moveTo(tl + QPointF(0, arm));
        corners.lineTo(tl);
        corners.lineTo(tl + QPointF(arm, 0));
        corners.moveTo(tr - QPointF(arm, 0));
        corners.lineTo(tr);
        corners.lineTo(tr + QPointF(0, arm));
        corners.moveTo(br - QPointF(0, arm));
        corners.lineTo(br);
        corners.lineTo(br - QPointF(arm, 0));
        corners.moveTo(bl + QPointF(arm, 0));
        corners.lineTo(bl);
        corners.lineTo(bl - QPointF(0, arm));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, w + 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPath(corners);
        painter.setPen(QPen(kSelectedFrame, w, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.drawPath(corners);
    }
    painter.restore();
}

PlayBoard::PlayBoard(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PlayBoard"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("Grille"));
}

void PlayBoard::set_selected(int cell) {
    if (cell < 0 || cell > 80) return;
    selected_ = cell;
    update();
}

int PlayBoard::margin() const { return std::max(14, std::min(width(), height()) / 22); }

int PlayBoard::side() const { return std::max(9, (std::min(width(), height()) - 8 - margin()) / 9); }

QRect PlayBoard::cell_rect(int cell) const {
    const int s = side();
    const int m = margin();
    const int left = m + (width() - m - 9 * s) / 2;
    const int top = m + (height() - m - 9 * s) / 2;
    return QRect(left + (cell % 9) * s, top + (cell / 9) * s, s, s);
}

CellLook PlayBoard::look_of(int cell) const { return game_ ? look_of(cell, game_->conflicts()) : CellLook{}; }

CellLook PlayBoard::look_of(int cell, const ladder::CellSet& conflicts) const {
    CellLook look;
    const auto& geo = ladder::geometry();
    look.value = static_cast<std::uint8_t>(game_->value(cell));
    look.given = game_->is_given(cell);
    look.marks = look.value ? 0 : game_->marks(cell);
    look.selected = cell == selected_;
    // While the coach draws, its units are the only ones tinted: the selection's would mix with them.
    look.in_selection_units = !picture_ && geo.peer_set[static_cast<std::size_t>(selected_)].has(cell);
    look.same_digit = digit_ != 0 && look.value == digit_;
    look.marked_digit = digit_;
    look.conflict = conflicts.has(cell);
    if (check_) {
        for (const std::uint8_t c : check_->wrong_cells) look.wrong = look.wrong || c == cell;
        for (const ladder::Candidate& c : check_->missing_marks) look.wrong = look.wrong || c.cell == cell;
    }
    if (picture_) {
        const ladder::CellMarks& marks = picture_->cells[static_cast<std::size_t>(cell)];
        if (!look.value)
            look.hint = marks;
        else if (marks.pattern || marks.in_unit) {
            look.hint = marks;
            look.hint->candidates = 0;
        }
    }
    return look;
}

void PlayBoard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect all = cell_rect(0).united(cell_rect(80));
    if (hidden_ || !game_) {
        painter.fillRect(all, QColor(90, 90, 90));
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPixelSize(std::max(12, all.height() / 24));
        painter.setFont(font);
        painter.drawText(all.adjusted(all.width() / 12, 0, -all.width() / 12, 0), Qt::AlignCenter | Qt::TextWordWrap,
                         hidden_ ? tr("Partie en pause\nAppuyez sur « Reprendre » pour continuer.")
                                 : tr("Aucune partie"));
        return;
    }
    // Row numbers on the left, column numbers on top.
    {
        QFont font = painter.font();
        font.setPixelSize(std::max(9, margin() * 2 / 3));
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::WindowText));
        for (int i = 0; i < 9; ++i) {
            const QRect row = cell_rect(9 * i);
            const QRect col = cell_rect(i);
            painter.drawText(QRect(row.left() - margin(), row.top(), margin() - 3, row.height()),
                             Qt::AlignRight | Qt::AlignVCenter, QString::number(i + 1));
            painter.drawText(QRect(col.left(), col.top() - margin(), col.width(), margin() - 2),
                             Qt::AlignHCenter | Qt::AlignBottom, QString::number(i + 1));
        }
    }
    const ladder::CellSet conflicts = game_->conflicts();
    for (int cell = 0; cell < 81; ++cell) paint_cell_look(painter, cell_rect(cell), look_of(cell, conflicts));
    // Grid lines: thin between cells, thick around regions.
    const int s = side();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i <= 9; ++i) {
        const bool thick = i % 3 == 0;
        painter.setPen(QPen(thick ? kGridThick : kGridThin, thick ? std::max(2, s / 18) : 1));
        painter.drawLine(all.left() + i * s, all.top(), all.left() + i * s, all.top() + 9 * s);
        painter.drawLine(all.left(), all.top() + i * s, all.left() + 9 * s, all.top() + i * s);
    }
    if (picture_ && !picture_->links.empty()) {
        BoardPainter drawer;
        drawer.cell_rect = [this](int cell) { return cell_rect(cell); };
        ladder::BoardPicture links_only;
        links_only.links = picture_->links;
        for (auto& c : links_only.cells) c = {};
        drawer.paint(painter, links_only, QRegion());
    }
}

void PlayBoard::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (hidden_) return;
    for (int cell = 0; cell < 81; ++cell) {
        if (cell_rect(cell).contains(event->position().toPoint())) {
            emit cell_clicked(cell);
            if (event->button() == Qt::RightButton) emit cell_right_clicked(cell, event->globalPosition().toPoint());
            return;
        }
    }
}

void PlayBoard::keyPressEvent(QKeyEvent* event) {
    if (key_handler_ && key_handler_(event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace vornel
