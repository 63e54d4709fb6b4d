#include "log_view.h"

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
