// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace vornel {

class Tf_vrn;

// The whole program: creates the application object and the main window f_vrn (which runs
// FormCreate), shows it centred and activated, and runs the event loop until Quit or the main
// window is closed. Returns the event loop's exit code.
//
// The command line: `vornel [FICHIER]` opens the file once the window shows, as "Ouvrir..."
// would; --help and --version print and return 0 without a window; anything else wrong prints a
// French usage error and returns 2.
//
// `on_shown`, when given, runs once the window has been shown and the first events have been
// processed (the start-up benchmark uses it to stop the clock and quit); the program passes none.
int run_program(int& argc, char** argv, const std::function<void(Tf_vrn&)>& on_shown = {});

} // namespace vornel
