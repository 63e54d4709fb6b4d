// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The languages Vornel speaks and how one is chosen. French is the program's own language: it is
// the default, and the language of the C and POSIX locales. English is chosen by an English locale
// or asked for by name ("--lang en"). Nothing here depends on Qt, so the tools and the window
// choose alike.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vornel {

enum class Language : std::uint8_t { French, English };

inline constexpr Language kLanguages[] = {Language::French, Language::English};

// "fr", "en": the code used by --lang, the settings and file names of translations.
constexpr std::string_view language_code(Language language) { return language == Language::English ? "en" : "fr"; }

// The language of a --lang value: "fr" or "en", in either case; nothing for anything else.
constexpr std::optional<Language> language_from_code(std::string_view code) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (code.size() != 2) return std::nullopt;
    const char a = lower(code[0]);
    const char b = lower(code[1]);
    if (a == 'f' && b == 'r') return Language::French;
    if (a == 'e' && b == 'n') return Language::English;
    return std::nullopt;
}

// The language of one locale name ("en_GB.UTF-8", "fr_CA", "de_DE@euro", "C"): English for an
// English locale, French for every other, C and POSIX included.
constexpr Language language_of_locale(std::string_view locale) {
    const std::size_t end = locale.find_first_of("_.@-");
    const auto code = language_from_code(locale.substr(0, end));
    return code.value_or(Language::French);
}

// The locale variables as the environment gives them (null when unset).
struct LocaleEnvironment {
    const char* language = nullptr;    // LANGUAGE: a colon-separated list of preferences
    const char* lc_all = nullptr;      // LC_ALL
    const char* lc_messages = nullptr; // LC_MESSAGES
    const char* lang = nullptr;        // LANG
};

// The language the environment asks for, with the precedence of the C library's messages: LC_ALL,
// then LC_MESSAGES, then LANG name the locale; when that locale is not C or POSIX, the first entry
// of LANGUAGE that is French or English wins over it. No locale at all, or C/POSIX, is French.
constexpr Language language_from_environment(const LocaleEnvironment& env) {
    auto set = [](const char* value) { return value != nullptr && value[0] != '\0'; };
    std::string_view locale;
    if (set(env.lc_all))
        locale = env.lc_all;
    else if (set(env.lc_messages))
        locale = env.lc_messages;
    else if (set(env.lang))
        locale = env.lang;
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.")) return Language::French;
    if (set(env.language)) {
        std::string_view list = env.language;
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            const std::string_view entry = list.substr(0, colon);
            const std::size_t end = entry.find_first_of("_.@-");
            if (const auto code = language_from_code(entry.substr(0, end))) return *code;
            if (colon == std::string_view::npos) break;
            list.remove_prefix(colon + 1);
        }
    }
    return language_of_locale(locale);
}

} // namespace vornel
