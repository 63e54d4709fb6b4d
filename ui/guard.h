// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "failures.h"
#include "language_choice.h"
#include "sud_file.h"

namespace vornel {

// Runs one entry point of the window (a menu or button handler, a cell's change handling, the key
// hook) and keeps every exception inside it: a vornel::Failure is handed to `report` with its
// message in the window's language, any other std::exception with its what() text, so that nothing ever unwinds through
// Qt's event loop. The handler simply stops at the failure; nothing is rolled back. `report`
// must not throw; if it does anyway, that is swallowed too.
template<typename Handler>
void guarded(const std::function<void(const std::string&)>& report, Handler&& handler) noexcept {
    auto tell = [&report](const std::string& message) noexcept {
        try {
            if (report) report(message);
        } catch (...) {}
    };
    try {
        std::forward<Handler>(handler)();
    } catch (const Failure& failure) {
        tell(file_failure_message(failure, installed_language()));
    } catch (const std::exception& error) { tell(error.what()); } catch (...) {
        tell(installed_language() == Language::English ? "Unexpected error" : "Erreur inattendue");
    }
}

} // namespace vornel
