// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_colour.h"

namespace vornel {

Colour from_qcolor(const QColor& c) { return colour_of_rgb(c.red(), c.green(), c.blue()); }

} // namespace vornel
