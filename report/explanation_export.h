// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "page.h"
#include "sud_file.h"

namespace vornel::report {

// Which engine made an explanation.
enum class Engine { Classic, Ladder };

// The page of the explanation of `start` by `engine`: the classic engine's one-pass solution, or
// the ladder's explanation to the end, in `language`.
Page explanation_page(Engine engine, const Values& start, const std::string& title,
                      Language language = Language::French);

// The page as one HTML document.
std::string html_document(const Page& page);

// The file an export under the dialog's answer `chosen` writes: "" for no name; the name as it
// stands when it ends with ".html" or ".htm" (any case), else the name with ".html" added.
std::string export_file_name(const std::string& chosen);
// The existing file an export under `chosen` would replace: export_file_name(chosen) when
// something that is not a folder stands there, else "".
std::string existing_export_target(const std::string& chosen);

} // namespace vornel::report
