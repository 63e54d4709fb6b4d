#pragma once

#include <string>
#include <string_view>

namespace vornel {

// The one voice of the three command-line tools on standard error, in French and in the form
// other command-line programs use, so that editors and scripts can read it:
//   PROGRAMME: message
//   PROGRAMME: FICHIER: message
// and, for a command line that cannot be run, the message followed by where help is found.
// Every text ends with a line end.

inline std::string tool_message(std::string_view program, std::string_view message) {
    std::string text(program);
    text += ": ";
    text += message;
    return text + '\n';
}

inline std::string tool_file_message(std::string_view program, std::string_view file, std::string_view message) {
    std::string text(file);
    text += ": ";
    text += message;
    return tool_message(program, text);
}

// `message` names what was wrong ("option inconnue « --x »").
inline std::string tool_usage_error(std::string_view program, std::string_view message) {
    std::string text = tool_message(program, message);
    text += "Essayez « ";
    text += program;
    return text + " --help » pour en savoir plus.\n";
}

} // namespace vornel
