// SPDX-License-Identifier: GPL-3.0-or-later
// vornel: the window program. `vornel [FICHIER]`, `vornel --help`, `vornel --version`.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <string>
#include <vector>

#include "command_line.h"
#include "start_up.h"
#include "tool_voice.h"

namespace {

bool set(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

// Qt aborts with a long report when it finds no display; say in one sentence what is missing.
// --help and --version need none.
bool has_display(int argc, char** argv) {
    if (set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM")) return true;
    if (vornel::early_action(std::vector<std::string>(argv + 1, argv + argc)) != vornel::CommandLine::Action::run)
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0) return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (!has_display(argc, argv)) {
        const std::vector<std::string> args(argv + 1, argv + argc);
        std::fputs(vornel::choose_language(args, vornel::environment_language()).language == vornel::Language::English
                       ? "vornel: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a graphical "
                         "session, or under a virtual X server: xvfb-run -a make run\n"
                       : "vornel: aucun affichage (ni DISPLAY ni WAYLAND_DISPLAY n'est défini) ; lancez-le depuis une "
                         "session graphique, ou sous un serveur X virtuel : xvfb-run -a make run\n",
                   stderr);
        return 1;
    }
    return vornel::run_program(argc, argv);
}
