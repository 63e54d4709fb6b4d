// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the reader of game files (".vornel"). Besides crashes, hangs and
// out-of-bounds reads (caught by the sanitizers), it checks what must hold for every input:
//  - a text is either a game, with no error, or no game with an error that says why, in French
//    and in English, and short whatever the text (a message quotes at most a few dozen of its
//    characters, so a huge string cannot hold the window in text layout);
//  - a game read writes back to a text that reads again to the very same game (givens, digits,
//    pencil marks, time and hints), and that text is written the same the second time.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game_file.h"
#include "sanitizer_options.h"

namespace {
// The longest sentence, with its quoted excerpt of 40 characters of 4 bytes each.
constexpr std::size_t kLongestError = 400;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto game = vornel::play::read_game(text, error);
    if (!game) {
        std::string english;
        if (vornel::play::read_game(text, english, vornel::Language::English)) std::abort();
        if (error.empty() || english.empty() || error.size() > kLongestError || english.size() > kLongestError)
            std::abort();
        return 0;
    }
    const std::string written = vornel::play::write_game(*game);
    std::string again_error;
    const auto again = vornel::play::read_game(written, again_error);
    if (!again || !again_error.empty()) std::abort();
    if (again->givens != game->givens || !(again->position == game->position) ||
        again->elapsed_ms != game->elapsed_ms || again->hints != game->hints)
        std::abort();
    if (vornel::play::write_game(*again) != written) std::abort();
    return 0;
}
