#include "log_view.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace vornel {

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
}

void LogView::clear_log()
{
    clear();
    lines_ = 0;
}

void LogView::append_line(const QString& line)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (lines_ > 0)
        cursor.insertBlock();
    cursor.insertText(line);
    ++lines_;
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
}

QStringList LogView::lines() const
{
    QStringList result;
    if (lines_ == 0)
        return result;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        result << block.text();
    return result;
}

} // namespace vornel
