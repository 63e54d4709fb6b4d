#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vornel {

// The whole of vornel-explain: parses `args` (without the program name), reads each input
// ("-" is `in`), writes results to `out` and problems to `err`. Returns the exit status:
// 0 all went well, 1 an input or puzzle failed (the others were still explained), 2 bad usage.
int run_explain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

} // namespace vornel
