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

void LogView::flush() {
    flush_posted_ = false;
    if (pending_.isEmpty()) return;
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
}

QStringList LogView::lines() const {
    QStringList result;
    if (lines_ > 0)
        for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) result << block.text();
    return result + pending_;
}

} // namespace vornel
