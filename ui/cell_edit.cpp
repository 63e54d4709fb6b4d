// SPDX-License-Identifier: GPL-3.0-or-later
#include "cell_edit.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>

#include "cell_navigation.h"
#include "qt_colour.h"

namespace vornel {

std::optional<char16_t> typed_character(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Delete) return std::nullopt;
    if ((event.modifiers() & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    switch (key) {
        case Qt::Key_Backspace: return u'\x08';
        case Qt::Key_Return:
        case Qt::Key_Enter: return u'\r';
        case Qt::Key_Escape: return u'\x1b';
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return std::nullopt;
        default: break;
    }
    const QString text = event.text();
    if (text.isEmpty()) return std::nullopt;
    return text.at(0).unicode();
}

CellEdit::CellEdit(int row, int col, QWidget* parent) : QLineEdit(parent), row_(row), col_(col) {
    setObjectName(QStringLiteral("Edit%1%2").arg(row).arg(col));
    setProperty("Tag", tag());
    setAccessibleName(tr("Ligne %1, colonne %2").arg(row).arg(col));
    colour_ = from_qcolor(palette().color(QPalette::Base));
}

bool CellEdit::apply_colour(const QPalette& palette, const QString& description) {
    if (testAttribute(Qt::WA_SetPalette) && this->palette().color(QPalette::Base) == palette.color(QPalette::Base) &&
        accessibleDescription() == description)
        return false;
    setPalette(palette);
    setAccessibleDescription(description);
    return true;
}

void CellEdit::keyPressEvent(QKeyEvent* event) {
    if (move_between_cells(*this, *event)) {
        event->accept();
        return;
    }
    if (const std::optional<char16_t> typed = typed_character(*event); typed && hook_) {
        char16_t key = *typed;
        hook_(*this, key);
        if (key == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CellEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (!hook_ || commit.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // Each committed character goes through the hook as a typed one would, and the kept ones
    // reach the text one at a time, so the hook sees the text as it grows.
    bool replaced = false;
    for (const QChar ch : commit) {
        char16_t key = ch.unicode();
        hook_(*this, key);
        if (key == 0) continue;
        QInputMethodEvent one;
        if (!replaced)
            one.setCommitString(QString(QChar(key)), event->replacementStart(), event->replacementLength());
        else
            one.setCommitString(QString(QChar(key)));
        replaced = true;
        QLineEdit::inputMethodEvent(&one);
    }
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    if (!replaced && event->replacementLength() != 0)
        rest.setCommitString(QString(), event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&rest);
    event->accept();
}

void CellEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Tab, Backtab, shortcuts and the program's own setFocus select the whole text; a click does
    // not, nor does the focus coming back after a menu or popup closes or when the window is
    // re-activated (after a message box): the cell was never left then.
    switch (event->reason()) {
        case Qt::MouseFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
        case Qt::ActiveWindowFocusReason: break;
        default: selectAll(); break;
    }
}

} // namespace vornel

namespace vornel {

void CellEdit::set_patterns(bool on) {
    if (patterns_ == on) return;
    patterns_ = on;
    update();
}

void CellEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!patterns_) return;
    const Colour shown = from_qcolor(palette().color(QPalette::Base));
    if (shown != kRed && shown != kOrange && shown != kGreen) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QRectF r = QRectF(rect()).adjusted(2, 2, -2, -2);
    if (shown == kRed) {
        painter.fillRect(r, QBrush(QColor(0, 0, 0, 100), Qt::BDiagPattern));
    } else if (shown == kOrange) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 115));
        for (const qreal fx : {0.22, 0.78})
            for (const qreal fy : {0.22, 0.78})
                painter.drawEllipse(QPointF(r.left() + fx * r.width(), r.top() + fy * r.height()), 2, 2);
    } else {
        painter.setPen(QPen(QColor(0, 90, 0), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.drawRect(r.adjusted(3.5, 3.5, -3.5, -3.5));
    }
}

} // namespace vornel
