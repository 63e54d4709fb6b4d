// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace vornel {

// The whole of vornel-generate: parses `args` (without the program name), writes one 81-character
// line per puzzle to `out` (flushed at once) and everything else to `err`. `stop` is checked between
// attempts; when it turns true the run ends with the puzzles written so far. Every write and the
// final flush are checked. Returns the exit status: 0 all puzzles written, 1 the output failed or
// the search ran out of time (--max-seconds), 2 bad usage or an impossible request, 130 stopped.
int run_generate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const std::atomic<bool>& stop);

// The long options vornel-generate takes, and the technique ids --needs takes (the ladder's, in its
// order, less those no search can target): what the manual page and the shell completion list.
std::vector<std::string_view> generate_option_names();
std::vector<std::string_view> generate_needs_ids();

// The same on the program's standard output and error, whose failures are told with their cause
// (a full disk, a closed output, the file-size limit).
int run_generate_console(const std::vector<std::string>& args, const std::atomic<bool>& stop);

} // namespace vornel
