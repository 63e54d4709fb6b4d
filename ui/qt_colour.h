// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include "colours.h"

namespace vornel {

// Colour values are 0x00BBGGRR (red in the low byte); QColor takes red, green, blue.
inline QColor to_qcolor(Colour c) { return QColor(colour_red(c), colour_green(c), colour_blue(c)); }
Colour from_qcolor(const QColor& c);

} // namespace vornel
