// SPDX-License-Identifier: GPL-3.0-or-later
// One test program for the explanations window and the file dialogs (each Qt test executable
// costs its own moc and link, so they share one).

#include <QApplication>
#include <QTemporaryDir>

#include "explications_test_support.h"
#include "modal_watchdog.h"

int main(int argc, char** argv) {
    vornel::test::default_to_offscreen();
    // The file dialogs remember their folder in the user's settings: keep a run's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    // EXTRAS_TESTS_ONLY=explications or =file_dialogs runs one class, so that test function names
    // given on the command line are found.
    const QByteArray only = qgetenv("EXTRAS_TESTS_ONLY");
    int failures = 0;
    if (only.isEmpty() || only == "explications") failures += run_explications_tests(argc, argv);
    if (only.isEmpty() || only == "file_dialogs") failures += run_file_dialogs_tests(argc, argv);
    if (only.isEmpty() || only == "explanation_print") failures += run_explanation_print_tests(argc, argv);
    return failures;
}
