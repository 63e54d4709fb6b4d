#include "explanation_print.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>

namespace vornel {

namespace {

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

    // Height of `text` wrapped to the page width in `font`.
    double text_height(const QString& text, const QFont& font) const {
        QFontMetricsF metrics(font, &device_);
        return metrics.boundingRect(QRectF(0, 0, width_, 1e6), Qt::TextWordWrap, text).height();
    }

    // Makes room for `height`: a new page when the block would cross the foot of this one.
    void need(double height) {
        if (y_ > 0 && y_ + height > height_) {
            device_.newPage();
            y_ = 0;
        }
    }

    void text(const QString& text, const QFont& font, double space_after) {
        const double h = text_height(text, font);
        need(h);
        painter_.setFont(font);
        painter_.drawText(QRectF(0, y_, width_, h), Qt::TextWordWrap, text);
        y_ += h + space_after;
    }

    void board(const report::BoardPicture& picture, double side, double space_after) {
        need(side);
        QSvgRenderer svg(QByteArray::fromStdString(report::svg_board(picture)));
        svg.render(&painter_, QRectF(0, y_, side, side));
        y_ += side + space_after;
    }

    double y() const { return y_; }

private:
    QPainter& painter_;
    QPagedPaintDevice& device_;
    double width_ = 0;
    double height_ = 0;
    double dpi_ = 72;
    double y_ = 0;
};

QString lines_text(const std::vector<std::string>& lines) {
    QStringList parts;
    for (const std::string& line : lines) parts << QString::fromStdString(line);
    return parts.join(QLatin1Char('\n'));
}

} // namespace

bool paint_page(const report::Page& page, QPagedPaintDevice& device) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    PageWriter out(painter, device);
    QFont title(QStringLiteral("Sans Serif"));
    title.setPointSizeF(16);
    title.setBold(true);
    QFont heading = title;
    heading.setPointSizeF(11);
    QFont body(QStringLiteral("Sans Serif"));
    body.setPointSizeF(9.5);
    const double side = out.mm(55);
    const double gap = out.mm(4);

    out.text(QString::fromStdString(page.title), title, gap);
    out.text(QStringLiteral("La grille"), heading, out.mm(1.5));
    out.board(page.puzzle, side, gap);
    if (!page.verdict.empty()) out.text(lines_text(page.verdict), body, gap);
    for (const report::PageStep& step : page.steps) {
        QString name = QStringLiteral("Étape %1").arg(step.number);
        if (!step.technique.empty()) name += QStringLiteral(" : ") + QString::fromStdString(step.technique);
        const QString sentences = lines_text(step.sentences);
        // The heading, the sentences and the board stay together on one page.
        out.need(out.text_height(name, heading) + out.mm(1.5) + out.text_height(sentences, body) + out.mm(1.5) +
                 (step.board ? side : 0));
        out.text(name, heading, out.mm(1.5));
        out.text(sentences, body, out.mm(1.5));
        if (step.board) out.board(*step.board, side, 0);
        out.need(gap);
        painter.setPen(QPen(Qt::gray, 0));
        painter.drawLine(QPointF(0, out.y() + gap / 2), QPointF(out.width(), out.y() + gap / 2));
        painter.setPen(QPen(Qt::black));
        out.text(QString(), body, gap / 2);
    }
    if (!page.closing.empty()) out.text(lines_text(page.closing), body, gap);
    out.text(QStringLiteral("La grille finale"), heading, out.mm(1.5));
    out.board(page.final_grid, side, 0);
    return painter.end();
}

} // namespace vornel
