// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QStringList>

namespace vornel {

// The explanation log Memo1: a read-only, word-wrapped box holding one text block per log line.
// It starts with a single empty line; clear_log() leaves no line at all, and append_line() adds
// one line at the end and scrolls it into view. (A QTextDocument always has one block, so the
// number of lines is kept here: with no line the one block is empty and belongs to no line.)
//
// Appended lines reach the document in one batch, from a queued call that runs as soon as the
// current handler returns to the event loop (or at flush()): laying the text out and scrolling
// once per line would cost a one-pass solve, with its hundreds of lines, several frames.
// lines() and line_count() include the lines still waiting.
class LogView final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LogView(QWidget* parent);

    void clear_log();
    void append_line(const QString& line);

    // Writes the waiting lines into the document and scrolls the last one into view; when a line
    // was asked to stay in view, it scrolls back up as far as needed to show that line at the top.
    void flush();
    // Asks that line `line` (0-based) be in view after the next flush, with as many of the lines
    // after it as fit: a long entry is read from its start. The request lasts until the next clear.
    void keep_line_in_view(int line);

    // Marks `count` lines from line `first` (0-based) with a light background, without touching
    // the text; count 0 removes the mark. The mark lasts until the next call or clear.
    void highlight_lines(int first, int count);

    // The log's lines, in order, as the user reads them.
    QStringList lines() const;
    int line_count() const { return lines_ + static_cast<int>(pending_.size()); }

private:
    void scroll_to_kept_line();
    void apply_highlight();
    int lines_ = 1;       // lines already in the document
    QStringList pending_; // lines appended since, not yet in the document
    bool flush_posted_ = false;
    int keep_line_ = -1;
    int highlight_first_ = 0;
    int highlight_count_ = 0;
};

} // namespace vornel
