// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Included by each fuzz target once. AddressSanitizer keeps freed memory in a quarantine of 256 MB
// by default, which alone reaches the -rss_limit_mb that the targets are run with and ends a long
// run on a false out-of-memory alarm; a small quarantine still catches uses after free.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16:malloc_context_size=8"; }
