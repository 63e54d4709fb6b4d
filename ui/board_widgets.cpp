// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_widgets.h"

#include <QPaintEvent>
#include <QPainter>

namespace vornel {

ClientArea::ClientArea(QWidget* parent) : QWidget(parent), background_(palette().color(QPalette::Window)) {}

void ClientArea::set_background(const QColor& colour) {
    background_ = colour;
    update();
}

void ClientArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), background_);
}

Shape::Shape(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TransparentForMouseEvents); }

void Shape::set_brush(const QColor& colour) {
    brush_ = colour;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), brush_);
}

} // namespace vornel
