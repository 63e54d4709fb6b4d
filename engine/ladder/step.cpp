#include "step.h"

namespace vornel::ladder {

bool told_as_chain(const Step& step) {
    if (step.links.empty()) return false;
    for (const Link& l : step.links)
        if (l.why.kind == LinkReason::Kind::None) return false;
    return true;
}

} // namespace vornel::ladder
