// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Shared pieces of the extras test program (explanations window and file dialogs).

#include <QDir>
#include <QString>

// Each test class is run from the one main(); these return QTest::qExec's result.
int run_explications_tests(int argc, char** argv);
int run_file_dialogs_tests(int argc, char** argv);
int run_explanation_print_tests(int argc, char** argv);

// Where screenshots go: $VORNEL_SCREENSHOT_DIR when set (created if missing), else "" (none).
inline QString screenshot_dir() {
    const QString dir = qEnvironmentVariable("VORNEL_SCREENSHOT_DIR");
    if (!dir.isEmpty()) QDir().mkpath(dir);
    return dir;
}
