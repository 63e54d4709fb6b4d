// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include <QString>
#include <QWidget>

namespace vornel {

// The occurrence table gr1: a display-only string grid of 10 columns and 2 rows. Row 0 is a
// fixed header row drawn with the style's header sections, row 1 holds plain text cells. Cells
// are addressed as (column, row); each column has its own width (40 by default), rows are 24
// high, grid lines 1 pixel, and each text stands 2 pixels in from its cell's left and top edges,
// inside a 2-pixel sunken border. No scroll bars; whatever does not fit is clipped.
//
// The table is meant to be disabled (the user can neither focus nor select it) and still paints
// with the active colours, so that a disabled table does not look greyed out. It answers Qt's
// accessible table interface with its 2 rows and 10 columns, so a screen reader can read the
// counts.
class OccurrenceTable final : public QWidget {
    Q_OBJECT

public:
    static constexpr int kColumns = 10;
    static constexpr int kRows = 2;
    static constexpr int kRowHeight = 24;
    static constexpr int kDefaultColumnWidth = 40;
    static constexpr int kGridLine = 1;
    static constexpr int kBorder = 2;

    explicit OccurrenceTable(QWidget* parent);

    // column 0-9, row 0-1; out-of-range addresses read "" and writes are ignored.
    QString cell(int column, int row) const;
    void set_cell(int column, int row, const QString& text);

    int column_width(int column) const;
    void set_column_width(int column, int width);

    // The rectangle of one cell in widget coordinates, grid line excluded.
    QRect cell_rect(int column, int row) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<std::array<QString, kColumns>, kRows> cells_;
    std::array<int, kColumns> widths_;
};

} // namespace vornel
