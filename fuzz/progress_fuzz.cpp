// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reader of the record of progress. Besides crashes and hangs, it
// checks that a text is either a record, which writes back to a text that reads again to the same
// record (and is written the same the second time), or no record with a short sentence that says
// which line, in French and in English.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "progress.h"
#include "sanitizer_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto progress = vornel::learn::read_progress(text, error);
    if (!progress) {
        std::string english;
        if (vornel::learn::read_progress(text, english, vornel::Language::English)) std::abort();
        if (error.empty() || english.empty() || error.size() > 100 || english.size() > 100) std::abort();
        return 0;
    }
    const std::string written = vornel::learn::progress_text(*progress);
    std::string again_error;
    const auto again = vornel::learn::read_progress(written, again_error);
    if (!again || !(*again == *progress) || vornel::learn::progress_text(*again) != written) std::abort();
    return 0;
}
