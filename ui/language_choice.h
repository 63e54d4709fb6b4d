// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which language the window speaks, and the translations that make it speak it. French is the
// program's own language: its texts are written in French and need no translation. English comes
// from vornel_en.qm (built from ui/translations/vornel_en.ts into the program).
//
// The language of a run is chosen once, at start, in this order: "--lang fr|en" on the command
// line; else the choice remembered from the "Langue" menu; else the locale (English for an English
// locale, French for every other, C and POSIX included).

#include <optional>

#include <QString>

#include "language.h"

class QSettings;

namespace vornel {

// The settings key of the remembered choice ("fr" or "en").
QString language_settings_key();

// The language remembered in `settings`, if one was chosen and is known.
std::optional<Language> remembered_language(const QSettings& settings);
void remember_language(QSettings& settings, Language language);

// The language of the process's locale variables (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
Language environment_language();

// The language of this run: `asked` (from --lang) when given, else the remembered one, else the
// environment's.
Language choose_language(std::optional<Language> asked, const QSettings& settings);

// Installs the translations of `language` into the application: the program's own (none for
// French), Qt's own words (qtbase_fr for French; Qt's built-in English otherwise), and the default
// locale (France's or the United Kingdom's). Removes whatever an earlier call installed, so that a
// test can switch back and forth. Needs a QCoreApplication. Returns false when the program's
// translation could not be loaded (the window then stays French).
bool install_language(Language language);

// The language installed last by install_language (French before any call).
Language installed_language();

} // namespace vornel
