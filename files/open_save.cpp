// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_save.h"

#include <sys/stat.h>

#include <cstddef>
#include <string_view>

#include "sud_file.h"

namespace vornel {

namespace {

constexpr const char* kFilter = "Sudoku (*.sud)|*.sud";

// Names are UTF-8: a character starts at every byte that is not a continuation byte.
bool starts_character(char byte) { return (static_cast<unsigned char>(byte) & 0xC0u) != 0x80u; }

std::size_t character_count(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) count += starts_character(byte) ? 1 : 0;
    return count;
}

// True when the fourth character from the end is ".", i.e. the name ends in a dot and three
// characters (an extension such as ".sud", ".txt" or ".été").
bool has_three_character_extension(std::string_view name) {
    std::size_t seen = 0;
    for (std::size_t i = name.size(); i-- > 0;) {
        if (!starts_character(name[i])) continue;
        if (++seen == 4) return name[i] == '.';
    }
    return false;
}

} // namespace

std::string save_file_name(std::string name) {
    if (character_count(name) <= 4) return {};
    if (!has_three_character_extension(name)) name += ".sud";
    return name;
}

std::string existing_save_target(const std::string& chosen) {
    std::string target = save_file_name(chosen);
    struct stat info {};
    if (target.empty() || ::stat(target.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return {};
    return target;
}

void open_puzzle_file(Engine& engine, const std::string& path) {
    // Only a complete read replaces the grid, so a failure leaves grid and board alike untouched.
    read_puzzle_file(path, engine.area());
    engine.show_grid();
}

std::string open_command(Engine& engine, FileDialogs& dialogs) {
    const FileDialogRequest request{"Ouvrir", kFilter, 1, ""};
    const std::string name = dialogs.ask_open_file_name(request);
    if (character_count(name) <= 4) return {};
    open_puzzle_file(engine, name);
    return name;
}

std::string save_command(Engine& engine, FileDialogs& dialogs) {
    const FileDialogRequest request{"Enregistrer sous", kFilter, 1, ""};
    const std::string name = save_file_name(dialogs.ask_save_file_name(request));
    if (name.empty()) return {};
    write_puzzle_file(name, engine.area());
    return name;
}

} // namespace vornel
