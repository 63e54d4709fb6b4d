#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace vornel {

// The explanation log Memo1: a read-only, word-wrapped box holding one text block per log line.
// It starts with a single empty line; clear_log() leaves no line at all, and append_line() adds
// one line at the end and scrolls it into view. (A QTextDocument always has one block, so the
// number of lines is kept here: with no line the one block is empty and belongs to no line.)
class LogView final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LogView(QWidget* parent);

    void clear_log();
    void append_line(const QString& line);

    // The log's lines, in order, as the user reads them.
    QStringList lines() const;
    int line_count() const { return lines_; }

private:
    int lines_ = 1;
};

} // namespace vornel
