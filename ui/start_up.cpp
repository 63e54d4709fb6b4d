// SPDX-License-Identifier: GPL-3.0-or-later
#include "start_up.h"

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
#include <QSettings>
#include <QTimer>
#include <QUrl>

#include "command_line.h"
#include "ladder/technique.h"
#include "language_choice.h"
#include "quit_signals.h"
#include "resources.h"
#include "tf_vrn.h"

namespace vornel {

namespace {

std::vector<std::string> arguments_of(int argc, char** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return args;
}

// A desktop may hand over a file:// address rather than a path.
std::string local_path(const std::string& arg) {
    if (arg.rfind("file://", 0) != 0) return arg;
    return QUrl(QString::fromLocal8Bit(arg.c_str())).toLocalFile().toLocal8Bit().toStdString();
}

} // namespace

int run_program(int& argc, char** argv, const std::function<void(Tf_vrn&)>& on_shown) {
    // The language of this run: --lang, else the one chosen in the window, else the locale's.
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vornel"),
                             QStringLiteral("vornel"));
    const Language language = choose_language(asked_language(arguments_of(argc, argv)), settings);
    // --help and --version answer before the application object, which needs a display.
    switch (early_action(arguments_of(argc, argv))) {
        case CommandLine::Action::help: std::fputs(help_text(language).c_str(), stdout); return 0;
        case CommandLine::Action::version: std::fputs(version_text(language).c_str(), stdout); return 0;
        default: break;
    }
    QApplication app(argc, argv);
    // What is left once Qt has taken its own options (-style, -platform...).
    const CommandLine line = parse_command_line(arguments_of(argc, argv), language);
    if (line.action == CommandLine::Action::usage_error) {
        std::fputs(usage_error_text(line.message, language).c_str(), stderr);
        return 2;
    }
    // The window's texts and the standard dialogs' own words (buttons, labels, context menus) in
    // the same language.
    install_language(language);
    // A logout or a service manager's SIGTERM quits as "Quitter" does: the game in play is saved.
    const QuitSignals quit_signals;
    Tf_vrn f_vrn;
    f_vrn.show();
    // A bare show() does not activate the window everywhere (no window manager, for one); the
    // activation is what puts the focus on Edit11.
    f_vrn.activateWindow();
    // A file named on the command line opens once the window shows, as "Ouvrir..." would open it:
    // a failure is reported over the window, which stays.
    if (line.play) {
        const QString path = QString::fromStdString(line.file.empty() ? std::string() : local_path(line.file));
        QTimer::singleShot(0, &f_vrn, [&f_vrn, path] { f_vrn.start_playing(path); });
    } else if (!line.file.empty()) {
        const std::string path = local_path(line.file);
        QTimer::singleShot(0, &f_vrn, [&f_vrn, path] { f_vrn.open_puzzle_file(path); });
    }
    if (line.learn) {
        std::optional<ladder::Technique> technique;
        ladder::Technique found;
        if (ladder::technique_from_id(line.learn_id, found)) technique = found;
        QTimer::singleShot(0, &f_vrn, [&f_vrn, technique] { f_vrn.open_learning(technique); });
    }
    if (on_shown) QTimer::singleShot(0, &f_vrn, [&f_vrn, &on_shown] { on_shown(f_vrn); });
    return QApplication::exec();
}

} // namespace vornel
