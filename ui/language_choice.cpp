// SPDX-License-Identifier: GPL-3.0-or-later
#include "language_choice.h"

#include <cstdlib>
#include <memory>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

#include "resources.h"

namespace vornel {

namespace {

Language current = Language::French;

// The translators installed by the last install_language, owned by the application.
std::unique_ptr<QTranslator>& program_translator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::unique_ptr<QTranslator>& qt_translator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

void remove(std::unique_ptr<QTranslator>& translator) {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

} // namespace

QString language_settings_key() { return QStringLiteral("interface/langue"); }

std::optional<Language> remembered_language(const QSettings& settings) {
    const QString code = settings.value(language_settings_key()).toString();
    return language_from_code(code.toStdString());
}

void remember_language(QSettings& settings, Language language) {
    settings.setValue(language_settings_key(), QString::fromUtf8(language_code(language).data(), 2));
}

Language environment_language() {
    return language_from_environment(
        {std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")});
}

Language choose_language(std::optional<Language> asked, const QSettings& settings) {
    if (asked) return *asked;
    if (const auto remembered = remembered_language(settings)) return *remembered;
    return environment_language();
}

bool install_language(Language language) {
    init_resources();
    remove(program_translator());
    remove(qt_translator());
    bool loaded = true;
    if (language == Language::English) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        auto translator = std::make_unique<QTranslator>();
        loaded = translator->load(QStringLiteral(":/vornel/i18n/vornel_en.qm"));
        if (loaded) {
            QCoreApplication::installTranslator(translator.get());
            program_translator() = std::move(translator);
        }
        // Qt's own words are English when no translation is installed.
    } else {
        // French whatever the desktop's locale, for what Qt writes with the default locale (the
        // file dialog's sizes and dates follow the system's locale, which Qt reads once at start).
        QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
        auto translator = std::make_unique<QTranslator>();
        // Qt's own copy matches the Qt in use; the copy built into the program stands in for it
        // when the translations are not installed.
        const QString installed = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (translator->load(QStringLiteral("qtbase_fr"), installed) ||
            translator->load(QStringLiteral("qtbase_fr"), QStringLiteral(":/vornel/translations"))) {
            QCoreApplication::installTranslator(translator.get());
            qt_translator() = std::move(translator);
        }
    }
    current = loaded ? language : Language::French;
    return loaded;
}

Language installed_language() { return current; }

} // namespace vornel

namespace vornel {

void install_qt_translations() { install_language(Language::French); }

} // namespace vornel
