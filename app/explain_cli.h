// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace vornel {

// The exit statuses of vornel-explain.
inline constexpr int kExitOk = 0;      // every input read, every puzzle explained, every output written
inline constexpr int kExitFailure = 1; // some input, puzzle or output failed (the others still went through)
inline constexpr int kExitUsage = 2;   // bad command line, or a run refused before anything was written

// The whole of vornel-explain: parses `args` (without the program name), reads each input
// ("-" is `in`), writes results to `out` and problems to `err`, and returns the exit status.
// Every write is checked; a stream that fails is reported on `err` (when it can still be written).
int run_explain(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err);

// The long options vornel-explain takes, from the table its command line is read with: what the
// manual page and the shell completion list.
std::vector<std::string_view> explain_option_names();

// The same on the process's standard input, output and error (descriptors 0, 1 and 2), so that
// each failure is told with its cause: a closed descriptor, a full disk, the file-size limit.
// Ignores SIGXFSZ for the rest of the process, so that the limit is a write failure.
int run_explain_console(const std::vector<std::string>& args);

} // namespace vornel
