// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vornel {

// The three tempos of a solve: one placement per request ("Pas suivant"), one digit per request
// ("Chiffre suivant"), the whole solve in one request.
enum class Tempo { Step, Digit, Once };

} // namespace vornel
