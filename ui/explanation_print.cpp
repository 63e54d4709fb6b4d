// SPDX-License-Identifier: GPL-3.0-or-later
#include "explanation_print.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include "board_drawing.h"

namespace vornel {

namespace {

constexpr double kGapMm = 6; // between columns, and between rows
// A board never grows past this, even in a wide column: pencil marks are then 2 mm high and three
// rows of steps fit on an A4 portrait page.
constexpr double kMaxBoardMm = 62;
constexpr double kLineSpaceMm = 1.5; // under a heading, under the sentences

// Lays blocks out from the top of each page down, starting a new page when a block does not fit.
class PageWriter {
public:
    PageWriter(QPainter& painter, QPagedPaintDevice& device) : painter_(painter), device_(device) {
        const QRectF page = device.pageLayout().paintRectPixels(device.logicalDpiX());
        width_ = page.width();
        height_ = page.height();
        dpi_ = device.logicalDpiY();
    }

    double mm(double millimetres) const { return millimetres * dpi_ / 25.4; }
    double width() const { return width_; }
    double y() const { return y_; }
    void down(double height) { y_ += height; }

    // Height of `text` wrapped to `width` in `font`.
    double text_height(const QString& text, const QFont& font, double width) const {
        if (text.isEmpty()) return 0;
        QFontMetricsF metrics(font, &device_);
        return metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }

    // Makes room for `height`: a new page when the block would cross the foot of this one.
    void need(double height) {
        if (y_ > 0 && y_ + height > height_) {
            device_.newPage();
            y_ = 0;
        }
    }

    // Draws `text` at (x, y) wrapped to `width`; returns its height.
    double text_at(const QString& text, const QFont& font, double x, double y, double width) {
        const double h = text_height(text, font, width);
        painter_.setFont(font);
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(x, y, width, h), Qt::TextWordWrap, text);
        return h;
    }

    // A full-width block of text.
    void text(const QString& text, const QFont& font, double space_after) {
        const double h = text_height(text, font, width_);
        need(h);
        text_at(text, font, 0, y_, width_);
        y_ += h + space_after;
    }

    void board_at(const report::BoardPicture& picture, double x, double y, double side);

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
    double width_ = 0;
    double height_ = 0;
    double dpi_ = 72;
    double y_ = 0;
};

// Paints a board's shapes with the painter's own lines, shapes and text, so that the device keeps
// them as vector graphics and the digits as text: board units are scaled to device pixels here,
// not by the painter's transform.
class PainterCanvas final : public report::BoardCanvas {
public:
    PainterCanvas(QPainter& painter, double x, double y, double side)
        : painter_(painter), x_(x), y_(y), k_(side / report::kBoardSide) {}

    void rect(int x, int y, int side, const report::Style& style) override {
        set(style);
        painter_.drawRect(QRectF(px(x), py(y), side * k_, side * k_));
    }

    void circle(int cx, int cy, double r, const report::Style& style) override {
        set(style);
        painter_.drawEllipse(QPointF(px(cx), py(cy)), r * k_, r * k_);
    }

    void segments(const std::vector<report::Segment>& segments, const report::Style& style) override {
        set(style);
        for (const report::Segment& g : segments)
            painter_.drawLine(QPointF(px(g[0]), py(g[1])), QPointF(px(g[2]), py(g[3])));
    }

    void line(int x1, int y1, int x2, int y2, const report::Style& style) override {
        set(style);
        painter_.drawLine(QPointF(px(x1), py(y1)), QPointF(px(x2), py(y2)));
    }

    void digit(int x, int y, int size, bool bold, const char* fill, int digit) override {
        QFont font(QStringLiteral("Sans Serif"));
        font.setPointSizeF(size * k_ * 72.0 / painter_.device()->logicalDpiY());
        font.setBold(bold);
        painter_.setFont(font);
        painter_.setPen(QColor{QLatin1String(fill ? fill : "#000")});
        const QString text(QChar(u'0' + digit));
        const double width = QFontMetricsF(font, painter_.device()).horizontalAdvance(text);
        painter_.drawText(QPointF(px(x) - width / 2, py(y)), text);
    }

private:
    double px(double x) const { return x_ + x * k_; }
    double py(double y) const { return y_ + y * k_; }

    static QColor colour(const char* name, double opacity) {
        QColor c{QLatin1String(name)};
        c.setAlphaF(static_cast<float>(opacity));
        return c;
    }

    void set(const report::Style& style) {
        if (style.fill && std::string_view(style.fill) != "none")
            painter_.setBrush(colour(style.fill, style.fill_opacity));
        else
            painter_.setBrush(Qt::NoBrush);
        if (!style.stroke) {
            painter_.setPen(Qt::NoPen);
            return;
        }
        QPen pen(colour(style.stroke, style.stroke_opacity), style.stroke_width * k_);
        pen.setCapStyle(Qt::FlatCap);
        if (style.dash) {
            double dash = 0;
            double gap = 0;
            if (std::sscanf(style.dash, "%lf %lf", &dash, &gap) == 2 && style.stroke_width > 0)
                pen.setDashPattern({dash / style.stroke_width, gap / style.stroke_width});
        }
        painter_.setPen(pen);
    }

    QPainter& painter_;
    double x_;
    double y_;
    double k_; // device pixels per board unit
};

void PageWriter::board_at(const report::BoardPicture& picture, double x, double y, double side) {
    PainterCanvas canvas(painter_, x, y, side);
    draw_board(picture, canvas);
}

QString lines_text(const std::vector<std::string>& lines) {
    QStringList parts;
    for (const std::string& line : lines) parts << QString::fromStdString(line);
    return parts.join(QLatin1Char('\n'));
}

QString step_heading(const report::PageStep& step) {
    if (step.technique.empty())
        return QCoreApplication::translate("vornel::ExplanationPrint", "Étape %1").arg(step.number);
    return QCoreApplication::translate("vornel::ExplanationPrint", "Étape %1 : %2")
        .arg(step.number)
        .arg(QString::fromStdString(step.technique));
}

// A forcing chain's boards, one per branch, under its row: smaller boards side by side across the
// page, each with its caption; a line of boards is kept whole, the heading with the first line.
void branch_boards(PageWriter& out, const report::PageStep& step, double side, double gap, double line_space) {
    QFont heading(QStringLiteral("Sans Serif"));
    heading.setPointSizeF(9.5);
    heading.setBold(true);
    QFont caption(QStringLiteral("Sans Serif"));
    caption.setPointSizeF(7.5);
    const double small = side * 0.55;
    const auto per_line =
        static_cast<std::size_t>(std::max(1.0, std::floor((out.width() + gap / 2) / (small + gap / 2))));
    const double cell = (out.width() - static_cast<double>(per_line - 1) * gap / 2) / static_cast<double>(per_line);
    const QString title = QStringLiteral("Étape %1, branche par branche").arg(step.number);
    const double title_height = out.text_height(title, heading, out.width()) + line_space;
    out.down(line_space);
    for (std::size_t first = 0; first < step.branches.size(); first += per_line) {
        const std::size_t last = std::min(step.branches.size(), first + per_line);
        double captions = 0;
        for (std::size_t b = first; b < last; ++b)
            captions =
                std::max(captions, out.text_height(QString::fromStdString(step.branch_captions.at(b)), caption, cell));
        const double height = small + line_space + captions;
        out.need(height + (first == 0 ? title_height : 0));
        if (first == 0) {
            out.text_at(title, heading, 0, out.y(), out.width());
            out.down(title_height);
        }
        for (std::size_t b = first; b < last; ++b) {
            const double x = static_cast<double>(b - first) * (cell + gap / 2);
            out.board_at(step.branches[b], x, out.y(), small);
            out.text_at(QString::fromStdString(step.branch_captions.at(b)), caption, x, out.y() + small + line_space,
                        cell);
        }
        out.down(height + line_space);
    }
}

} // namespace

PrintLayout print_layout(const QPageLayout& page) {
    const QRectF area = page.paintRect(QPageLayout::Millimeter);
    PrintLayout layout;
    layout.columns = area.width() > area.height() ? 3 : 2;
    const double column = (area.width() - (layout.columns - 1) * kGapMm) / layout.columns;
    layout.board_mm = std::min(column, kMaxBoardMm);
    layout.candidate_mm = layout.board_mm * report::kCandidateSize / report::kBoardSide;
    return layout;
}

bool paint_page(const report::Page& page, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PageWriter out(painter, device);
    const PrintLayout layout = print_layout(device.pageLayout());
    QFont title(QStringLiteral("Sans Serif"));
    title.setPointSizeF(16);
    title.setBold(true);
    QFont heading = title;
    heading.setPointSizeF(11);
    QFont body(QStringLiteral("Sans Serif"));
    body.setPointSizeF(9.5);
    const double side = out.mm(layout.board_mm);
    const double gap = out.mm(kGapMm);
    const double line_space = out.mm(kLineSpaceMm);
    const double column = (out.width() - (layout.columns - 1) * gap) / layout.columns;

    out.text(QString::fromStdString(page.title), title, gap / 2);
    // The puzzle in the first column, its verdict beside it.
    {
        const QString verdict = lines_text(page.verdict);
        const double beside = out.width() - column - gap;
        const double h =
            out.text_height(QCoreApplication::translate("vornel::ExplanationPrint", "La grille"), heading, column) +
            line_space + side;
        out.need(std::max(h, out.text_height(verdict, body, beside)));
        const double top = out.y();
        const double hh =
            out.text_at(QCoreApplication::translate("vornel::ExplanationPrint", "La grille"), heading, 0, top, column);
        out.board_at(page.puzzle, 0, top + hh + line_space, side);
        out.text_at(verdict, body, column + gap, top + hh + line_space, beside);
        out.down(std::max(h, hh + line_space + out.text_height(verdict, body, beside)) + gap);
    }

    // The steps, a row at a time: every cell of a row holds one whole step.
    for (std::size_t first = 0; first < page.steps.size(); first += static_cast<std::size_t>(layout.columns)) {
        const std::size_t last = std::min(page.steps.size(), first + static_cast<std::size_t>(layout.columns));
        double row_height = 0;
        for (std::size_t k = first; k < last; ++k) {
            const report::PageStep& step = page.steps[k];
            row_height = std::max(row_height, out.text_height(step_heading(step), heading, column) + line_space +
                                                  out.text_height(lines_text(step.sentences), body, column) +
                                                  line_space + (step.board ? side : 0));
        }
        out.need(row_height);
        const double top = out.y();
        for (std::size_t k = first; k < last; ++k) {
            const report::PageStep& step = page.steps[k];
            const double x = static_cast<double>(k - first) * (column + gap);
            double y = top + out.text_at(step_heading(step), heading, x, top, column) + line_space;
            y += out.text_at(lines_text(step.sentences), body, x, y, column) + line_space;
            // The boards of a row share one line, whatever the length of their sentences.
            if (step.board) out.board_at(*step.board, x, top + row_height - side, side);
        }
        out.down(row_height);
        for (std::size_t k = first; k < last; ++k)
            if (!page.steps[k].branches.empty()) branch_boards(out, page.steps[k], side, gap, line_space);
        painter.setPen(QPen(Qt::gray, 0));
        painter.drawLine(QPointF(0, out.y() + gap / 2), QPointF(out.width(), out.y() + gap / 2));
        painter.setPen(QPen(Qt::black));
        out.down(gap);
    }
    if (!page.closing.empty()) out.text(lines_text(page.closing), body, gap);
    out.need(
        out.text_height(QCoreApplication::translate("vornel::ExplanationPrint", "La grille finale"), heading, column) +
        line_space + side);
    const double top = out.y();
    const double hh = out.text_at(QCoreApplication::translate("vornel::ExplanationPrint", "La grille finale"), heading,
                                  0, top, column);
    out.board_at(page.final_grid, 0, top + hh + line_space, side);
    return painter.end();
}

} // namespace vornel
