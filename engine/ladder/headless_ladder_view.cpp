// SPDX-License-Identifier: GPL-3.0-or-later
#include "headless_ladder_view.h"

namespace vornel::ladder {

bool HeadlessLadderView::cells_locked() const {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (!board_.cell(r, c).read_only) return false;
    return true;
}

} // namespace vornel::ladder
