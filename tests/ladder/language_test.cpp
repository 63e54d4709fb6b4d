// SPDX-License-Identifier: GPL-3.0-or-later
// The ladder in both languages: French exactly as before on every corpus, English without a French
// word, every message and technique in both.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "grammar.h"
#include "ladder_picture.h"
#include "ladder_support.h"
#include "messages.h"
#include "narration.h"

namespace vornel::ladder {
namespace {

const Language kFr = Language::French;
const Language kEn = Language::English;

std::string transcript(const Explanation& e, Language language) {
    std::string text;
    for (const Step& step : e.steps)
        for (const std::string& line : narrate(step, language)) text += line + '\n';
    for (const std::string& line : narrate_verdict(e, language)) text += line + '\n';
    return text;
}

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t h = 14695981039346656037ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

std::string hex(std::uint64_t h) {
    std::ostringstream out;
    out << std::hex;
    out.width(16);
    out.fill('0');
    out << h;
    return out.str();
}

// Words that only French sentences have, and only English ones (with their spaces, so that "r4c2"
// or "Sue de Coq" do not count).
const char* const kFrenchWords[] = {" la ",   " le ",   " les ",   " des ", " du ", " ligne", " colonne",
                                    "région", " case ", " cases ", " et ",  "nous", "é",      "è",
                                    "à",      " ou ",   "chiffre", " ne ",  "L1C",  " dans ", "Dans "};
const char* const kEnglishWords[] = {" the ", " and ", " we ", "row ", "column ",
                                     "box ",  " is ",  " of ", "r1c",  " in "};

struct Corpus {
    const char* name;
    friend void PrintTo(const Corpus& corpus, std::ostream* out) { *out << corpus.name; }
};

class BothLanguages : public ::testing::TestWithParam<Corpus> {};

// French: one hash of the whole telling per puzzle, stored before the language layer came in
// (tests/data/ladder/fr-baseline; scripts/regen-language-baseline rewrites them on purpose).
// English: the same puzzles, no French word in any line.
TEST_P(BothLanguages, french_as_before_and_english_without_french) {
    const std::string name = GetParam().name;
    const std::string dir = std::string(VORNEL_TEST_DATA) + "/ladder/";
    const std::vector<std::string> puzzles = testing::read_corpus(dir + name + ".txt");
    ASSERT_FALSE(puzzles.empty());
    const bool regenerate = std::getenv("VORNEL_REGEN_LANGUAGE_BASELINE") != nullptr;
    const std::string baseline_path = dir + "fr-baseline/" + name + ".txt";
    std::vector<std::string> stored;
    {
        std::ifstream in(baseline_path);
        for (std::string line; std::getline(in, line);) stored.push_back(line);
    }
    if (!regenerate) { ASSERT_EQ(stored.size(), puzzles.size()) << baseline_path; }
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        const Explanation e = explain(testing::grid_of(puzzles[i]));
        const std::string french = transcript(e, kFr);
        lines.push_back(hex(fnv1a(french)) + " " + puzzles[i]);
        if (!regenerate) { EXPECT_EQ(lines.back(), stored[i]) << name << " puzzle " << i + 1 << "\n" << french; }
        for (const char* word : kEnglishWords)
            EXPECT_EQ(french.find(word), std::string::npos) << name << " puzzle " << i + 1 << ": \"" << word << "\"";
        std::string english = transcript(e, kEn);
        // An invalid grid's problems are the grid reader's words (checked with it): only the
        // verdict line after them is the ladder's.
        if (e.verdict == Verdict::Invalid) english = narrate_verdict(e, kEn).back();
        std::istringstream in(english);
        for (std::string line; std::getline(in, line);)
            for (const char* word : kFrenchWords)
                EXPECT_EQ(line.find(word), std::string::npos)
                    << name << " puzzle " << i + 1 << ": \"" << word << "\" in\n"
                    << line;
    }
    if (regenerate) {
        std::filesystem::create_directories(dir + "fr-baseline");
        std::ofstream out(baseline_path);
        for (const std::string& line : lines) out << line << '\n';
    }
}

INSTANTIATE_TEST_SUITE_P(Corpora, BothLanguages,
                         ::testing::Values(Corpus{"check-corpus"}, Corpus{"qqwing"}, Corpus{"seventeen"},
                                           Corpus{"top95"}, Corpus{"hardest"}),
                         [](const auto& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (c == '-') c = '_';
                             return n;
                         });

// The argument indices a template uses, with their choices and forms: both languages must use the
// same arguments, or one of them says less (or reads past the end).
std::set<int> indices(const std::string& pattern, bool& well_formed) {
    std::set<int> used;
    well_formed = true;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '}') well_formed = false;
        if (pattern[i] != '{') continue;
        const std::size_t close = pattern.find('}', i);
        if (close == std::string::npos) {
            well_formed = false;
            break;
        }
        std::size_t at = i + 1;
        if (pattern[at] == '^') ++at;
        if (pattern[at] < '0' || pattern[at] > '9') well_formed = false;
        used.insert(pattern[at] - '0');
        i = close;
    }
    return used;
}

TEST(Messages, every_message_has_both_languages_with_the_same_arguments) {
    for (int m = 0; m < kMessageCount; ++m) {
        const auto id = static_cast<Msg>(m);
        const std::string fr = message_template(kFr, id), en = message_template(kEn, id);
        EXPECT_FALSE(fr.empty()) << m;
        EXPECT_FALSE(en.empty()) << m;
        bool fr_ok = false, en_ok = false;
        const std::set<int> a = indices(fr, fr_ok), b = indices(en, en_ok);
        EXPECT_TRUE(fr_ok) << fr;
        EXPECT_TRUE(en_ok) << en;
        EXPECT_EQ(a, b) << "\n" << fr << "\n" << en;
        for (const char* word : kFrenchWords) EXPECT_EQ(en.find(word), std::string::npos) << en;
    }
}

// Names every player knows under one spelling; every other French name must be translated.
const std::set<std::string> kSameInBothLanguages = {"X-Wing",     "Swordfish", "Jellyfish",   "XY-Wing",
                                                    "XYZ-Wing",   "W-Wing",    "WXYZ-Wing",   "BUG+1",
                                                    "Sue de Coq", "ALS-XZ",    "ALS-XY-Wing", "Nishio"};

TEST(Messages, every_technique_and_level_has_english_words) {
    std::set<std::string> names, helps;
    for (int t = 0; t < kTechniqueCount; ++t) {
        const auto technique = static_cast<Technique>(t);
        const std::string en = technique_name(technique, kEn), fr = technique_name(technique, kFr);
        EXPECT_FALSE(en.empty());
        EXPECT_TRUE(names.insert(en).second) << en;
        if (en == fr) { EXPECT_TRUE(kSameInBothLanguages.count(en)) << "untranslated: " << en; }
        const std::string help(technique_help(technique, kEn));
        EXPECT_GT(help.size(), 40U) << en;
        EXPECT_TRUE(helps.insert(help).second) << en;
        EXPECT_NE(help, technique_help(technique, kFr));
        for (const char* word : kFrenchWords) EXPECT_EQ(help.find(word), std::string::npos) << en << ": " << word;
    }
    std::set<std::string_view> levels;
    for (int l = 0; l < kLevelCount; ++l) {
        const auto level = static_cast<Level>(l);
        EXPECT_NE(level_name(level, kEn), level_name(level, kFr));
        EXPECT_TRUE(levels.insert(level_name(level, kEn)).second);
    }
    EXPECT_EQ(level_name(Level::VeryEasy, kEn), "very easy");
    EXPECT_EQ(level_name(Level::Diabolical, kEn), "diabolical");
    EXPECT_EQ(cell_key(kEn), "Notation: r4c2 is the cell in row 4, column 2.");
}

using testing::rc;

std::uint8_t at(int r, int c) { return static_cast<std::uint8_t>(rc(r, c)); }

TEST(EnglishGrammar, names_cells_units_digits_and_removals) {
    const Grammar& g = grammar(kEn);
    struct Row {
        std::string got, want;
    };
    const std::vector<Candidate> mixed = {{at(1, 3), 2}, {at(1, 3), 6}, {at(4, 1), 5}, {at(4, 2), 5}};
    const std::vector<Row> rows = {
        {g.cells_phrase({at(4, 2)}), "cell r4c2"},
        {g.cells_phrase({at(1, 3), at(1, 8)}), "cells r1c3 and r1c8"},
        {g.cells_list({at(4, 1), at(4, 2), at(4, 8)}), "r4c1, r4c2 and r4c8"},
        {g.cells_list({at(2, 3), at(5, 3), at(7, 3)}), "r2c3, r5c3 and r7c3"},
        {g.cells_list({at(2, 1), at(2, 9), at(5, 3)}), "r2c1, r2c9 and r5c3"},
        {g.units_phrase({1, 6}), "rows 2 and 7"},
        {g.units_phrase({1, 13}), "column 5 and row 2"},
        {g.units_phrase({2, 11, 26}), "box 9, column 3 and row 3"},
        {g.units_phrase({18, 22}), "boxes 1 and 5"},
        {g.unit_name(22), "box 5"},
        {g.digits_the((1u << 2) | (1u << 6) | (1u << 8)), "2, 6 and 8"},
        {g.eliminations_phrase(mixed), "2 and 6 from cell r1c3, and 5 from cells r4c1 and r4c2"},
        {g.eliminations_short(mixed), "2 and 6 from r1c3, and 5 from r4c1 and r4c2"},
        {g.cells_short({at(1, 1), at(4, 2), at(4, 8)}), "r1c1, r4c2 and r4c8"},
        {say(kEn, Msg::Steps, {number(0)}), "0 steps"},
        {say(kFr, Msg::Steps, {number(0)}), "0 étape"},
        {say(kEn, Msg::Steps, {number(1)}), "1 step"},
        {say(kFr, Msg::Steps, {number(2)}), "2 étapes"},
        {say(kEn, Msg::TwoLinksRemoval, {digit(5), cells({at(1, 5)})}),
         "We remove 5 from cell r1c5, which sees both of those cells."},
        {say(kEn, Msg::TwoLinksRemoval, {digit(5), cells({at(1, 5), at(9, 6)})}),
         "We remove 5 from cells r1c5 and r9c6, which see both of those cells."},
    };
    for (const Row& row : rows) EXPECT_EQ(row.got, row.want);
}

TEST(EnglishGrammar, describes_a_cell_of_a_picture) {
    CellMarks placed;
    placed.value = 7;
    placed.placed = true;
    CellMarks open;
    open.candidates = (1u << 2) | (1u << 5);
    open.removed = 1u << 5;
    open.fins = 1u << 2;
    open.pattern = true;
    EXPECT_EQ(describe_cell(placed, kEn), "placed digit: 7");
    EXPECT_EQ(describe_cell(open, kEn), "candidates 2 and 5; removed candidate: 5; fin: 2; pattern cell");
    EXPECT_EQ(describe_cell(open, kFr), "candidats 2 et 5 ; candidat retiré : 5 ; aileron : 2 ; case du motif");
}

} // namespace
} // namespace vornel::ladder
