// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every word the ladder says, in the language asked for: the sentences that tell a step, the
// verdict, the names and help pages of the techniques, the level words, the compact-name key.
// French is the program's own language and the default everywhere.

#include <string>
#include <string_view>
#include <vector>

#include "ladder.h"
#include "language.h"
#include "step.h"

namespace vornel::ladder {

// The sentences that tell a step, each whole on one line: "La case L4C2 ne peut contenir que le 7 :
// nous écrivons un 7." Lines that start with spaces belong to a chain or a branch, deeper the
// further in.
std::vector<std::string> narrate(const Step& step, Language language = Language::French);
// The same (the name the window's log and the pages read it by).
std::vector<std::string> narrate_sentences(const Step& step, Language language = Language::French);
// The same sentences for a terminal `width` columns wide (UTF-8 code points): a longer sentence
// goes on over several lines, broken at spaces only, the following ones indented by two spaces
// more than the sentence.
std::vector<std::string> narrate_wrapped(const Step& step, Language language, std::size_t width);
std::vector<std::string> wrap_sentences(const std::vector<std::string>& sentences, std::size_t width);
// The closing lines of an explanation: verdict, rating and hardest technique.
std::vector<std::string> narrate_verdict(const Explanation& explanation, Language language = Language::French);
// The line that tells part `part` (1-based, see walk_parts()) of a step walked one part at a time:
// "Lien 2 sur 7 : ..." or "Branche 1 sur 2 : ..."; empty for any other part.
std::string narrate_part(const Step& step, int part, Language language = Language::French);

// What is said of each technique: its name as players of the language say it ("Paire nue",
// "Naked Pair", "X-Wing"...), and the text of its help page.
std::string technique_name(Technique technique, Language language);
std::string_view technique_help(Technique technique, Language language);
// "très facile" ... "diabolique"; "very easy" ... "diabolical".
std::string_view level_name(Level level, Language language);
// The one line that explains compact cell names ("L4C2", "r4c2").
std::string cell_key(Language language);

} // namespace vornel::ladder
