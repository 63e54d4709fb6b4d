// SPDX-License-Identifier: GPL-3.0-or-later
#include "log_view.h"

#include <QColor>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace vornel {

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
}

void LogView::clear_log() {
    pending_.clear();
    keep_line_ = -1;
    highlight_count_ = 0;
    setExtraSelections({});
    clear();
    lines_ = 0;
}

void LogView::append_line(const QString& line) {
    pending_ << line;
    if (!flush_posted_) {
        flush_posted_ = true;
        QMetaObject::invokeMethod(this, &LogView::flush, Qt::QueuedConnection);
    }
}

void LogView::keep_line_in_view(int line) {
    keep_line_ = line;
    if (!flush_posted_) {
        flush_posted_ = true;
        QMetaObject::invokeMethod(this, &LogView::flush, Qt::QueuedConnection);
    }
}

void LogView::flush() {
    flush_posted_ = false;
    if (pending_.isEmpty()) {
        if (keep_line_ >= 0) scroll_to_kept_line();
        return;
    }
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    for (const QString& line : std::as_const(pending_)) {
        if (lines_ > 0) cursor.insertBlock();
        cursor.insertText(line);
        ++lines_;
    }
    cursor.endEditBlock();
    pending_.clear();
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
    if (keep_line_ >= 0) scroll_to_kept_line();
    apply_highlight();
}

void LogView::highlight_lines(int first, int count) {
    highlight_first_ = first;
    highlight_count_ = count;
    apply_highlight();
}

// Lines still waiting are marked once they reach the document (flush() calls this again).
void LogView::apply_highlight() {
    QList<QTextEdit::ExtraSelection> marks;
    for (int i = 0; i < highlight_count_; ++i) {
        const QTextBlock block = document()->findBlockByNumber(highlight_first_ + i);
        if (!block.isValid() || highlight_first_ + i >= lines_) break;
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(block);
        mark.cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor); // every wrapped line
        mark.format.setBackground(QColor(255, 243, 176));
        mark.format.setProperty(QTextFormat::FullWidthSelection, true);
        marks << mark;
    }
    setExtraSelections(marks);
}

void LogView::scroll_to_kept_line() {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
    while (bar->value() > bar->minimum() && firstVisibleBlock().blockNumber() > keep_line_)
        bar->setValue(bar->value() - 1);
}

QStringList LogView::lines() const {
    QStringList result;
    if (lines_ > 0)
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) result << block.text();
    return result + pending_;
}

} // namespace vornel
