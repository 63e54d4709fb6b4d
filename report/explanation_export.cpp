// SPDX-License-Identifier: GPL-3.0-or-later
#include "explanation_export.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <sstream>

#include "classic_page.h"
#include "ladder.h"
#include "ladder_page.h"

namespace vornel::report {

Page explanation_page(Engine engine, const Values& start, const std::string& title, Language language) {
    if (engine == Engine::Classic) return classic_page(title, start, {}, language);
    return ladder_page(title, ladder::explain(start), language);
}

std::string html_document(const Page& page) {
    std::ostringstream out;
    write_html(out, page);
    return std::move(out).str();
}

std::string export_file_name(const std::string& chosen) {
    if (chosen.empty()) return {};
    std::string lower = chosen;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto ends_with = [&](const char* suffix) {
        const std::string s(suffix);
        return lower.size() > s.size() && lower.compare(lower.size() - s.size(), s.size(), s) == 0;
    };
    if (ends_with(".html") || ends_with(".htm")) return chosen;
    return chosen + ".html";
}

std::string existing_export_target(const std::string& chosen) {
    const std::string name = export_file_name(chosen);
    struct stat info {};
    if (name.empty() || ::stat(name.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return {};
    return name;
}

} // namespace vornel::report
