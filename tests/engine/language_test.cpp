// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "language.h"

using namespace vornel;

TEST(Language, codes_round_trip_and_anything_else_is_refused) {
    for (const Language language : kLanguages) EXPECT_EQ(language_from_code(language_code(language)), language);
    EXPECT_EQ(language_from_code("EN"), Language::English);
    EXPECT_EQ(language_from_code("Fr"), Language::French);
    for (const char* bad : {"", "e", "eng", "de", "en_GB", " en"})
        EXPECT_EQ(language_from_code(bad), std::nullopt) << bad;
}

TEST(Language, the_environment_chooses_english_only_for_an_english_locale) {
    struct Case {
        LocaleEnvironment env;
        Language expected;
    };
    const Case cases[] = {
        {{}, Language::French},
        {{nullptr, nullptr, nullptr, "C"}, Language::French},
        {{nullptr, nullptr, nullptr, "C.UTF-8"}, Language::French},
        {{nullptr, nullptr, nullptr, "POSIX"}, Language::French},
        {{nullptr, nullptr, nullptr, "en_US.UTF-8"}, Language::English},
        {{nullptr, nullptr, nullptr, "en"}, Language::English},
        {{nullptr, nullptr, nullptr, "fr_FR.UTF-8"}, Language::French},
        {{nullptr, nullptr, nullptr, "de_DE.UTF-8"}, Language::French},
        // LC_ALL wins over LC_MESSAGES, which wins over LANG; empty values count as unset.
        {{nullptr, "fr_FR.UTF-8", "en_GB.UTF-8", "en_GB.UTF-8"}, Language::French},
        {{nullptr, "", "en_GB.UTF-8", "fr_FR.UTF-8"}, Language::English},
        {{nullptr, nullptr, "", "en_GB@euro"}, Language::English},
        // LANGUAGE is a list of preferences, read only when the locale is not C.
        {{"en_GB:fr", nullptr, nullptr, "fr_FR.UTF-8"}, Language::English},
        {{"de:fr:en", nullptr, nullptr, "en_US.UTF-8"}, Language::French},
        {{"de:it", nullptr, nullptr, "en_US.UTF-8"}, Language::English},
        {{"en", nullptr, nullptr, "C"}, Language::French},
        {{"en", nullptr, nullptr, nullptr}, Language::French},
        {{":en:", nullptr, nullptr, "fr_BE"}, Language::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(language_from_environment(c.env), c.expected)
            << (c.env.language ? c.env.language : "-") << ' ' << (c.env.lc_all ? c.env.lc_all : "-") << ' '
            << (c.env.lc_messages ? c.env.lc_messages : "-") << ' ' << (c.env.lang ? c.env.lang : "-");
}
