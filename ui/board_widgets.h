// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace vornel {

// The main window's client area: a plain widget that paints its own background colour, so that
// the colour shows through every gap of the board without leaking into the children's palettes.
class ClientArea final : public QWidget {
    Q_OBJECT

public:
    explicit ClientArea(QWidget* parent);
    QColor background() const { return background_; }
    void set_background(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor background_;
};

// A rectangle shape: a 1-pixel solid black outline around a fill in its brush colour.
class Shape final : public QWidget {
    Q_OBJECT

public:
    explicit Shape(QWidget* parent);
    QColor brush() const { return brush_; }
    void set_brush(const QColor& colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_{Qt::white};
};

} // namespace vornel
