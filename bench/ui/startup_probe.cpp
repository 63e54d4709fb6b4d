// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start-up exactly as `vornel` runs it, except that once the window is shown and
// the first events are processed it prints "shown" and quits. bench_ui times it from process start.
#include <cstdio>

#include <QCoreApplication>

#include "start_up.h"

int main(int argc, char** argv) {
    return vornel::run_program(argc, argv, [](vornel::Tf_vrn&) {
        std::fputs("shown\n", stdout);
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
}
