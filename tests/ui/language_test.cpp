// SPDX-License-Identifier: GPL-3.0-or-later
// The window in its two languages: with the English translation installed, no window, menu,
// button or title keeps a French word; without it, the French texts are the program's own; the
// language comes from --lang, then the choice made in "Langue", then the locale; the translation
// file covers every text, with its placeholders, accelerators and lines.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>
#include <optional>
#include <set>

#include "command_line.h"
#include "explications.h"
#include "generate_dialog.h"
#include "language_choice.h"
#include "modal_watchdog.h"
#include "play_window.h"
#include "recorded_boxes.h"
#include "techniques_window.h"
#include "tf_vrn.h"

using vornel::CommandLine;
using vornel::Language;
using vornel::Tf_vrn;

namespace {

// Words that only French uses, lower-cased; a text "leaks" when one of them is a word of it.
const std::set<QString> kFrenchWords = {
    QStringLiteral("à"),         QStringLiteral("aide"),        QStringLiteral("annuler"),
    QStringLiteral("appliquer"), QStringLiteral("avec"),        QStringLiteral("candidats"),
    QStringLiteral("chiffre"),   QStringLiteral("chiffres"),    QStringLiteral("coller"),
    QStringLiteral("copier"),    QStringLiteral("crayon"),      QStringLiteral("dans"),
    QStringLiteral("de"),        QStringLiteral("des"),         QStringLiteral("du"),
    QStringLiteral("en"),        QStringLiteral("enregistrer"), QStringLiteral("et"),
    QStringLiteral("étape"),     QStringLiteral("explication"), QStringLiteral("explications"),
    QStringLiteral("exporter"),  QStringLiteral("fermer"),      QStringLiteral("fichier"),
    QStringLiteral("générer"),   QStringLiteral("grille"),      QStringLiteral("imprimer"),
    QStringLiteral("indice"),    QStringLiteral("jouer"),       QStringLiteral("la"),
    QStringLiteral("langue"),    QStringLiteral("le"),          QStringLiteral("les"),
    QStringLiteral("ligne"),     QStringLiteral("lien"),        QStringLiteral("branche"),
    QStringLiteral("gauche"),    QStringLiteral("droite"),      QStringLiteral("fois"),
    QStringLiteral("modifier"),  QStringLiteral("motifs"),      QStringLiteral("niveau"),
    QStringLiteral("nouveau"),   QStringLiteral("nouvelle"),    QStringLiteral("occurences"),
    QStringLiteral("ouvrir"),    QStringLiteral("partie"),      QStringLiteral("pas"),
    QStringLiteral("pour"),      QStringLiteral("précédente"),  QStringLiteral("propos"),
    QStringLiteral("quitter"),   QStringLiteral("remplir"),     QStringLiteral("reprendre"),
    QStringLiteral("résoudre"),  QStringLiteral("rétablir"),    QStringLiteral("suivant"),
    QStringLiteral("suivante"),  QStringLiteral("toutes"),      QStringLiteral("tout"),
    QStringLiteral("une"),       QStringLiteral("un"),          QStringLiteral("vérifier"),
};

// The French words of `text` (accelerator marks removed).
QStringList french_words(QString text) {
    text.remove(QLatin1Char('&'));
    QStringList found;
    static const QRegularExpression separators(QStringLiteral("[^\\p{L}]+"));
    for (const QString& word : text.toLower().split(separators, Qt::SkipEmptyParts))
        if (kFrenchWords.count(word)) found << word;
    return found;
}

// One text a person reads, named by where it is.
struct Seen {
    QString where;
    QString text;
};

void menu_texts(QMenu* menu, const QString& path, std::vector<Seen>& out) {
    out.push_back({path, menu->title()});
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        if (action->menu()) {
            menu_texts(action->menu(), path + QStringLiteral(" > ") + action->menu()->title(), out);
            continue;
        }
        out.push_back({path + QStringLiteral(" > ") + action->objectName(), action->text()});
        if (!action->toolTip().isEmpty() && action->toolTip() != action->text())
            out.push_back(
                {path + QStringLiteral(" > ") + action->objectName() + QStringLiteral(" (tip)"), action->toolTip()});
    }
}

// The window's title, menus, entries, buttons (with their tips), the labels named in `labels`
// (other labels show the engine's words, which another layer translates) and, when `memos`, the
// text panels.
std::vector<Seen> texts_of(QWidget* window, const QStringList& labels = {}, bool memos = false) {
    std::vector<Seen> out;
    out.push_back({window->objectName() + QStringLiteral(" title"), window->windowTitle()});
    if (auto* bar = window->findChild<QMenuBar*>())
        for (QAction* top : bar->actions())
            if (top->menu()) menu_texts(top->menu(), top->menu()->objectName(), out);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        // Qt's own (scroll arrows, the menu bar's overflow button) have no name or a "qt_" one.
        if (button->objectName().isEmpty() || button->objectName().startsWith(QStringLiteral("qt_"))) continue;
        out.push_back({button->objectName(), button->text()});
        if (!button->toolTip().isEmpty())
            out.push_back({button->objectName() + QStringLiteral(" (tip)"), button->toolTip()});
    }
    for (const QString& name : labels)
        for (QLabel* label : window->findChildren<QLabel*>(QRegularExpression(QStringLiteral("^%1$").arg(name))))
            out.push_back({label->objectName(), label->text()});
    if (memos)
        for (QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>())
            out.push_back({memo->objectName(), memo->toPlainText()});
    return out;
}

QString languages_ts() { return QStringLiteral(VORNEL_SOURCE_DIR "/ui/translations/vornel_en.ts"); }

// The names of the %1..%9 a text uses.
std::set<QString> placeholders(const QString& text) {
    static const QRegularExpression mark(QStringLiteral("%[1-9]"));
    std::set<QString> found;
    for (auto it = mark.globalMatch(text); it.hasNext();) found.insert(it.next().captured());
    return found;
}

// One message of a Qt Linguist file.
struct TsMessage {
    QString context;
    QString source;
    QString translation;
    QString type; // "", "unfinished", "vanished", "obsolete"
};

// Reads the messages of a .ts file; `<byte value="xd"/>` stands for a carriage return.
std::vector<TsMessage> read_ts(const QString& path, QString& error) {
    QFile file(path);
    std::vector<TsMessage> messages;
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    TsMessage current;
    QString* into = nullptr;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                current = TsMessage{context, {}, {}, {}};
            } else if (name == QLatin1String("source")) {
                into = &current.source;
            } else if (name == QLatin1String("translation")) {
                into = &current.translation;
                current.type = xml.attributes().value(QLatin1String("type")).toString();
            } else if (name == QLatin1String("byte") && into) {
                *into += QChar(xml.attributes().value(QLatin1String("value")).toString().mid(1).toInt(nullptr, 16));
            }
        } else if (xml.isCharacters() && into) {
            *into += xml.text();
        } else if (xml.isEndElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("source") || name == QLatin1String("translation")) into = nullptr;
            if (name == QLatin1String("message")) messages.push_back(current);
        }
    }
    if (xml.hasError()) error = xml.errorString();
    return messages;
}

// The settings the window reads and writes, in the scratch configuration folder main() sets.
QSettings user_settings() {
    return {QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"), QStringLiteral("vornel")};
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void english_windows_keep_no_french_word();
    void french_is_the_window_without_translation();
    void installing_a_language_switches_the_program_and_qt_words();
    void language_comes_from_command_line_then_choice_then_locale();
    void command_line_takes_lang_and_says_its_errors_in_the_language();
    void help_tells_lang_in_both_languages();
    void langue_entry_is_last_in_interro_and_remembers_the_choice();
    void translation_file_is_complete_and_faithful();
};

void LanguageTest::cleanup() {
    vornel::install_language(Language::French);
    user_settings().remove(vornel::language_settings_key());
}

void LanguageTest::english_windows_keep_no_french_word() {
    QVERIFY(vornel::install_language(Language::English));
    vornel::test::ModalWatchdog watchdog;
    Tf_vrn main;
    main.show();
    std::vector<Seen> seen = texts_of(&main, {QStringLiteral("Label\\d+")});

    Tf_explications explications(&main);
    for (const Seen& s : texts_of(&explications, {}, true)) seen.push_back(s);
    vornel::Tf_techniques techniques(&main);
    for (const Seen& s : texts_of(&techniques)) seen.push_back(s);
    vornel::GenerateDialog generate(&main);
    for (const Seen& s : texts_of(&generate)) seen.push_back(s);
    vornel::Tf_play play;
    for (const Seen& s : texts_of(&play)) seen.push_back(s);

    // Every kind of window is there: menus of the main and game windows, their buttons.
    QVERIFY(seen.size() > 80);
    for (const Seen& s : seen) {
        // The language entries name each language in its own words.
        if (s.where.endsWith(QStringLiteral("m_langue_fr"))) {
            QCOMPARE(s.text, QStringLiteral("Français"));
            continue;
        }
        QVERIFY2(!s.text.trimmed().isEmpty(), qPrintable(s.where + QStringLiteral(" is empty")));
        const QStringList leaks = french_words(s.text);
        QVERIFY2(leaks.isEmpty(),
                 qPrintable(QStringLiteral("%1: « %2 » has %3").arg(s.where, s.text, leaks.join(QLatin1Char(',')))));
    }
    // A few texts exactly, where a wrong context or accelerator would go unnoticed otherwise.
    auto* fichier = main.menuBar()->findChild<QMenu*>(QStringLiteral("m_fichier"));
    QCOMPARE(fichier->title(), QStringLiteral("&File"));
    QCOMPARE(main.findChild<QAction*>(QStringLiteral("m_step"))->text(), QStringLiteral("Solve step by step"));
    QCOMPARE(play.findChild<QAction*>(QStringLiteral("p_undo"))->text(), QStringLiteral("Undo"));
    QCOMPARE(generate.findChild<QAbstractButton*>(QStringLiteral("cancel_button"))->text(), QStringLiteral("Cancel"));
}

void LanguageTest::french_is_the_window_without_translation() {
    // The French texts are the sources: with no translation installed they show byte for byte.
    vornel::install_language(Language::French);
    vornel::test::ModalWatchdog watchdog;
    Tf_vrn main;
    vornel::Tf_play play;
    const struct {
        QObject* window;
        const char* action;
        const char* text;
    } cases[] = {
        {&main, "m_new", "Nouveau Sudoku"},
        {&main, "m_step", "Résoudre pas à  pas"},
        {&main, "m_about", "A propos..."},
        {&main, "m_techniques", "Techniques..."},
        {&main, "m_paste", "Coller une grille"},
        {&main, "m_patterns", "Motifs pour daltoniens"},
        {&play, "p_undo", "Annuler"},
        {&play, "p_redo", "Rétablir"},
    };
    for (const auto& c : cases) {
        auto* action = c.window->findChild<QAction*>(QString::fromUtf8(c.action));
        QVERIFY2(action, c.action);
        QCOMPARE(action->text(), QString::fromUtf8(c.text));
    }
    QCOMPARE(main.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QStringLiteral("Occurences :"));
    QCOMPARE(main.findChild<QLabel*>(QStringLiteral("Label11"))->text(), QStringLiteral("Ligne 1"));
    QCOMPARE(Tf_explications::memo2_lines().at(5),
             QStringLiteral("- En rouge : Toutes les positions où l'on ne peut pas écrire le chifrre."));
    QCOMPARE(play.windowTitle(), QStringLiteral("Vornel — Jouer"));
}

void LanguageTest::installing_a_language_switches_the_program_and_qt_words() {
    const auto program = [] { return QCoreApplication::translate("vornel::Tf_vrn", "&Fichier"); };
    const auto qt_cancel = [] {
        return QCoreApplication::translate("QPlatformTheme", "Cancel").remove(QLatin1Char('&'));
    };
    QVERIFY(vornel::install_language(Language::English));
    QCOMPARE(vornel::installed_language(), Language::English);
    QCOMPARE(program(), QStringLiteral("&File"));
    QCOMPARE(qt_cancel(), QStringLiteral("Cancel"));
    QCOMPARE(QLocale().language(), QLocale::English);

    QVERIFY(vornel::install_language(Language::French));
    QCOMPARE(vornel::installed_language(), Language::French);
    QCOMPARE(program(), QStringLiteral("&Fichier"));
    QCOMPARE(QLocale().language(), QLocale::French);
    if (QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_fr.qm")))
        QCOMPARE(qt_cancel(), QStringLiteral("Annuler"));

    // Back and forth leaves one translation at a time.
    QVERIFY(vornel::install_language(Language::English));
    QVERIFY(vornel::install_language(Language::English));
    QCOMPARE(program(), QStringLiteral("&File"));
    QCOMPARE(qt_cancel(), QStringLiteral("Cancel"));
}

void LanguageTest::language_comes_from_command_line_then_choice_then_locale() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const struct {
        std::optional<Language> asked;
        const char* remembered; // "" when nothing was chosen
        const char* lang;       // LANG
        const char* language;   // LANGUAGE
        Language expected;
    } cases[] = {
        {std::nullopt, "", "C.UTF-8", "", Language::French},
        {std::nullopt, "", "POSIX", "en", Language::French}, // LANGUAGE counts only outside C/POSIX
        {std::nullopt, "", "en_GB.UTF-8", "", Language::English},
        {std::nullopt, "", "fr_FR.UTF-8", "en:fr", Language::English},
        {std::nullopt, "", "de_DE.UTF-8", "", Language::French},
        {std::nullopt, "fr", "en_US.UTF-8", "", Language::French}, // the choice beats the locale
        {std::nullopt, "en", "C", "", Language::English},
        {std::nullopt, "xx", "en_US.UTF-8", "", Language::English},      // an unknown choice is none
        {Language::English, "fr", "fr_FR.UTF-8", "", Language::English}, // --lang beats the choice
        {Language::French, "en", "en_US.UTF-8", "", Language::French},
    };
    const QByteArray saved_lang = qgetenv("LANG");
    const QByteArray saved_language = qgetenv("LANGUAGE");
    const QByteArray saved_all = qgetenv("LC_ALL");
    const QByteArray saved_messages = qgetenv("LC_MESSAGES");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    int row = 0;
    for (const auto& c : cases) {
        QSettings settings(dir.filePath(QStringLiteral("case%1.ini").arg(row++)), QSettings::IniFormat);
        if (*c.remembered) settings.setValue(vornel::language_settings_key(), QString::fromUtf8(c.remembered));
        qputenv("LANG", c.lang);
        qputenv("LANGUAGE", c.language);
        QVERIFY2(vornel::choose_language(c.asked, settings) == c.expected,
                 qPrintable(QStringLiteral("row %1 (LANG=%2, choice %3)").arg(row).arg(c.lang, c.remembered)));
    }
    qputenv("LANG", saved_lang);
    qputenv("LANGUAGE", saved_language);
    qputenv("LC_ALL", saved_all);
    qputenv("LC_MESSAGES", saved_messages);

    // What the window remembers is what it reads back.
    QSettings settings(dir.filePath(QStringLiteral("round.ini")), QSettings::IniFormat);
    for (const Language language : vornel::kLanguages) {
        vornel::remember_language(settings, language);
        QCOMPARE(vornel::remembered_language(settings), std::optional<Language>(language));
    }
}

void LanguageTest::command_line_takes_lang_and_says_its_errors_in_the_language() {
    using Action = CommandLine::Action;
    const struct {
        std::vector<std::string> args;
        Language messages;
        Action action;
        std::optional<Language> language;
        std::string file;
        std::string message;
    } cases[] = {
        {{"--lang", "en"}, Language::French, Action::run, Language::English, "", ""},
        {{"--lang=FR", "a.sud"}, Language::French, Action::run, Language::French, "a.sud", ""},
        {{"a.sud", "--lang", "fr"}, Language::French, Action::run, Language::French, "a.sud", ""},
        {{"--lang", "en", "--lang", "fr"}, Language::French, Action::run, Language::French, "", ""},
        {{"--", "--lang"}, Language::French, Action::run, std::nullopt, "--lang", ""},
        {{"--lang", "de"},
         Language::French,
         Action::usage_error,
         std::nullopt,
         "",
         "langue inconnue « de » : fr ou en"},
        {{"--lang=de"}, Language::English, Action::usage_error, std::nullopt, "", "unknown language 'de': fr or en"},
        {{"--lang"},
         Language::French,
         Action::usage_error,
         std::nullopt,
         "",
         "l'option « --lang » attend une langue : fr ou en"},
        {{"--lang"},
         Language::English,
         Action::usage_error,
         std::nullopt,
         "",
         "option '--lang' needs a language: fr or en"},
        {{"--grille"}, Language::French, Action::usage_error, std::nullopt, "", "option inconnue « --grille »"},
        {{"--grille"}, Language::English, Action::usage_error, std::nullopt, "", "unknown option '--grille'"},
        {{"a.sud", "b.sud"}, Language::English, Action::usage_error, std::nullopt, "", "one file at a time (2 given)"},
        {{"a.sud", "b.sud"},
         Language::French,
         Action::usage_error,
         std::nullopt,
         "",
         "un seul fichier à la fois (2 donnés)"},
    };
    for (const auto& c : cases) {
        const CommandLine line = vornel::parse_command_line(c.args, c.messages);
        const QString where = QString::fromStdString(c.args.front());
        QVERIFY2(line.action == c.action, qPrintable(where));
        QVERIFY2(line.language == c.language, qPrintable(where));
        QCOMPARE(line.file, c.file);
        QCOMPARE(QString::fromStdString(line.message), QString::fromStdString(c.message));
    }
    // What --help answers in: --lang read before the window exists; a wrong value counts as none.
    QVERIFY(vornel::asked_language({"--help", "--lang", "en"}) == Language::English);
    QVERIFY(vornel::asked_language({"--lang=fr", "--help"}) == Language::French);
    QVERIFY(vornel::asked_language({"--lang", "xx"}) == std::nullopt);
    QVERIFY(vornel::asked_language({"--", "--lang", "en"}) == std::nullopt);
    QCOMPARE(QString::fromStdString(vornel::usage_error_text("unknown option '-x'", Language::English)),
             QStringLiteral("vornel: unknown option '-x'\nTry 'vornel --help' for more information.\n"));
    QCOMPARE(QString::fromStdString(vornel::usage_error_text("option inconnue « -x »", Language::French)),
             QStringLiteral("vornel: option inconnue « -x »\nEssayez « vornel --help » pour en savoir plus.\n"));
}

void LanguageTest::help_tells_lang_in_both_languages() {
    const QString french = QString::fromStdString(vornel::help_text(Language::French));
    const QString english = QString::fromStdString(vornel::help_text(Language::English));
    QVERIFY(french.startsWith(QStringLiteral("Utilisation : vornel [FICHIER]\n")));
    QVERIFY(french.contains(QStringLiteral("\n  --lang fr|en   la langue de la fenêtre")));
    QVERIFY(english.startsWith(QStringLiteral("Usage: vornel [FILE]\n")));
    QVERIFY(english.contains(QStringLiteral("\n  --lang fr|en   the language of the window")));
    // The same options, and no French left in the English.
    const auto options = [](const QString& help) {
        QStringList names;
        static const QRegularExpression option(QStringLiteral("^  (-\\S+(?:, -\\S+)?)"),
                                               QRegularExpression::MultilineOption);
        for (auto it = option.globalMatch(help); it.hasNext();) names << it.next().captured(1);
        return names;
    };
    QCOMPARE(options(english), options(french));
    QCOMPARE(options(french).size(), 5); // --play, --learn, --lang, -h, -V
    for (const QString& line : english.split(QLatin1Char('\n'))) {
        QVERIFY2(line.size() <= 100, qPrintable(line));
        QVERIFY2(french_words(QString(line).remove(QStringLiteral("fr|en"))).isEmpty(), qPrintable(line));
    }
}

void LanguageTest::langue_entry_is_last_in_interro_and_remembers_the_choice() {
    vornel::install_language(Language::French);
    vornel::test::ModalWatchdog watchdog;
    auto boxes = std::make_shared<std::vector<vornel::BoxRequest>>();
    Tf_vrn main;
    main.set_message_boxes(std::make_unique<vornel::test::RecordedBoxes>(boxes));
    auto* interro = main.menuBar()->findChild<QMenu*>(QStringLiteral("m_interro"));
    QVERIFY(interro);
    const QList<QAction*> entries = interro->actions();
    QCOMPARE(entries.first()->objectName(), QStringLiteral("m_explications"));
    QVERIFY(entries.last()->menu());
    QCOMPARE(entries.last()->text(), QStringLiteral("Langue"));
    QMenu* langue = entries.last()->menu();
    QCOMPARE(langue->actions().size(), 2);
    auto* fr = langue->actions().at(0);
    auto* en = langue->actions().at(1);
    QCOMPARE(fr->text(), QStringLiteral("Français"));
    QCOMPARE(en->text(), QStringLiteral("English"));
    QVERIFY(fr->isCheckable() && en->isCheckable());
    QVERIFY(fr->isChecked());
    QVERIFY(!en->isChecked());

    // State / Action / Expected, one click after another on the same window.
    const struct {
        QAction* click;
        const char* stored;
        const char* box; // "" when nothing is said
    } steps[] = {
        {fr, "fr", ""}, // the language it speaks: nothing to say
        {en, "en", "Vornel parlera anglais à son prochain démarrage."},
        {en, "en", "Vornel parlera anglais à son prochain démarrage."},
        {fr, "fr", "Le choix précédent est annulé : Vornel garde sa langue."},
        {fr, "fr", ""},
    };
    for (const auto& s : steps) {
        boxes->clear();
        s.click->trigger();
        QVERIFY(s.click->isChecked());
        QCOMPARE(user_settings().value(vornel::language_settings_key()).toString(), QString::fromUtf8(s.stored));
        if (!*s.box) {
            QVERIFY(boxes->empty());
            continue;
        }
        QCOMPARE(boxes->size(), std::size_t(1));
        QCOMPARE(boxes->front().caption, QStringLiteral("Langue"));
        QCOMPARE(boxes->front().text, QString::fromUtf8(s.box));
        QVERIFY(boxes->front().kind == vornel::BoxKind::Information);
    }

    // A window built in English ticks English.
    QVERIFY(vornel::install_language(Language::English));
    Tf_vrn english;
    auto* english_en = english.findChild<QAction*>(QStringLiteral("m_langue_en"));
    QVERIFY(english_en && english_en->isChecked());
    QCOMPARE(english.menuBar()->findChild<QMenu*>(QStringLiteral("m_langue"))->title(), QStringLiteral("Language"));
}

void LanguageTest::translation_file_is_complete_and_faithful() {
    QString error;
    const std::vector<TsMessage> messages = read_ts(languages_ts(), error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(messages.size() > 100);
    for (const TsMessage& m : messages) {
        const QString where = m.context + QStringLiteral(": ") + m.source;
        QVERIFY2(m.type.isEmpty(), qPrintable(where + QStringLiteral(" is ") + m.type));
        QVERIFY2(!m.translation.isEmpty(), qPrintable(where + QStringLiteral(" has no English")));
        QVERIFY2(placeholders(m.source) == placeholders(m.translation), qPrintable(where));
        QVERIFY2(m.source.count(QLatin1Char('\n')) == m.translation.count(QLatin1Char('\n')), qPrintable(where));
        const auto accelerated = [](QString text) {
            static const QRegularExpression mark(QStringLiteral("&\\p{L}"));
            return text.remove(QStringLiteral("&nbsp;")).contains(mark);
        };
        QVERIFY2(accelerated(m.source) == accelerated(m.translation), qPrintable(where));
        QVERIFY2(m.source.endsWith(QStringLiteral("...")) == m.translation.endsWith(QStringLiteral("...")),
                 qPrintable(where));
        QVERIFY2(m.source.endsWith(QLatin1Char(' ')) == m.translation.endsWith(QLatin1Char(' ')), qPrintable(where));
        // In French the program shows its sources (Qt's own texts have Qt's French instead).
        if (!m.context.startsWith(QLatin1Char('Q')))
            QCOMPARE(QCoreApplication::translate(m.context.toUtf8().constData(), m.source.toUtf8().constData()),
                     m.source);
    }
    // What the program loads in English is the file's English.
    QVERIFY(vornel::install_language(Language::English));
    for (const TsMessage& m : messages)
        QCOMPARE(QCoreApplication::translate(m.context.toUtf8().constData(), m.source.toUtf8().constData()),
                 m.translation);
}

int main(int argc, char** argv) {
    // The choices the window remembers go to a scratch folder, never to the user's settings.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
