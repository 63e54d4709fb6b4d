// SPDX-License-Identifier: GPL-3.0-or-later
#include "html_check.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace vornel::test {

namespace {

bool is_void(std::string_view name) {
    static constexpr std::array<std::string_view, 6> kVoid = {"meta", "br", "img", "link", "input", "hr"};
    return std::find(kVoid.begin(), kVoid.end(), name) != kVoid.end();
}

bool name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == ':'; }

} // namespace

std::string html_structure_problem(std::string_view html) {
    std::vector<std::string> open;
    std::size_t i = 0;
    if (html.substr(0, 15) != "<!DOCTYPE html>") return "no doctype";
    i = 15;
    bool in_raw = false; // inside <style>: text taken as it stands
    while (i < html.size()) {
        const char c = html[i];
        if (c == '&' && !in_raw) {
            const std::size_t semi = html.find(';', i);
            if (semi == std::string_view::npos || semi - i > 8) return "bare & at " + std::to_string(i);
            i = semi + 1;
            continue;
        }
        if (c != '<') {
            if (c == '>' && !in_raw) return "stray > at " + std::to_string(i);
            ++i;
            continue;
        }
        if (in_raw && html.substr(i, 8) != "</style>") {
            ++i;
            continue;
        }
        const bool closing = i + 1 < html.size() && html[i + 1] == '/';
        std::size_t j = i + (closing ? 2 : 1);
        const std::size_t name_start = j;
        while (j < html.size() && name_char(html[j])) ++j;
        const std::string name(html.substr(name_start, j - name_start));
        if (name.empty()) return "bad tag at " + std::to_string(i);
        // Attributes: name="value" pairs.
        while (j < html.size() && html[j] != '>' && !(html[j] == '/' && j + 1 < html.size() && html[j + 1] == '>')) {
            if (html[j] == ' ') {
                ++j;
                continue;
            }
            while (j < html.size() && name_char(html[j])) ++j;
            if (j >= html.size() || html[j] != '=') return "attribute without value in <" + name + ">";
            if (++j >= html.size() || html[j] != '"') return "unquoted attribute in <" + name + ">";
            const std::size_t end = html.find('"', j + 1);
            if (end == std::string_view::npos) return "unterminated attribute in <" + name + ">";
            if (html.substr(j + 1, end - j - 1).find('<') != std::string_view::npos) return "< in attribute";
            j = end + 1;
        }
        if (j >= html.size()) return "unterminated tag <" + name + ">";
        const bool self_closed = html[j] == '/';
        i = j + (self_closed ? 2 : 1);
        if (closing) {
            if (open.empty() || open.back() != name)
                return "</" + name + "> closes <" + (open.empty() ? std::string("nothing") : open.back()) + ">";
            open.pop_back();
            in_raw = false;
        } else if (!self_closed && !is_void(name)) {
            open.push_back(name);
            in_raw = name == "style";
        }
    }
    if (!open.empty()) return "<" + open.back() + "> never closed";
    return {};
}

std::vector<std::string> element_texts(std::string_view html, std::string_view tag) {
    std::vector<std::string> texts;
    const std::string open = "<" + std::string(tag);
    const std::string close = "</" + std::string(tag) + ">";
    std::size_t at = 0;
    while ((at = html.find(open, at)) != std::string_view::npos) {
        const char after = html[at + open.size()];
        if (after != '>' && after != ' ') {
            at += open.size();
            continue;
        }
        const std::size_t body = html.find('>', at) + 1;
        const std::size_t end = html.find(close, body);
        std::string text;
        bool in_tag = false;
        for (const char c : html.substr(body, end - body)) {
            if (c == '<')
                in_tag = true;
            else if (c == '>')
                in_tag = false;
            else if (!in_tag)
                text += c;
        }
        texts.push_back(std::move(text));
        at = end;
    }
    return texts;
}

int occurrences(std::string_view haystack, std::string_view needle) {
    int n = 0;
    for (std::size_t at = haystack.find(needle); at != std::string_view::npos; at = haystack.find(needle, at + 1)) ++n;
    return n;
}

} // namespace vornel::test
