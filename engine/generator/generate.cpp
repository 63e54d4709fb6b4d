// SPDX-License-Identifier: GPL-3.0-or-later
#include "generate.h"

#include <chrono>
#include <random>

#include "dig.h"

namespace vornel::generator {

namespace {

using ladder::Technique;

// "très facile" → "tres-facile": lower case, no accent, hyphens for spaces and underscores.
std::string plain(std::string_view name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(name[i]);
        if (ch == 0xC3 && i + 1 < name.size()) {
            const unsigned char next = static_cast<unsigned char>(name[i + 1]);
            if (next == 0xA8 || next == 0x88 || next == 0xA9 || next == 0x89) { // è È é É
                out += 'e';
                ++i;
                continue;
            }
        }
        if (ch == ' ' || ch == '_')
            out += '-';
        else if (ch >= 'A' && ch <= 'Z')
            out += static_cast<char>(ch - 'A' + 'a');
        else
            out += static_cast<char>(ch);
    }
    return out;
}

// The level of a rating, as an index into kLevels.
int level_index(const ladder::Rating& rating) { return static_cast<int>(rating.level); }
static_assert(kLevels.size() == ladder::kLevelCount, "one word per level, in the order of the levels");

// The level of a puzzle whose explanation needs `technique` once and `count` steps in all: the
// least (count 1) and the most a puzzle whose hardest technique it is can be rated.
int level_with(Technique technique, int count) {
    std::vector<ladder::Step> steps(static_cast<std::size_t>(count));
    for (auto& step : steps) step.technique = technique;
    return level_index(ladder::rate(steps));
}

// A request is rare when, after kRareAfter attempts, fewer than one in kRareRatio succeeded.
// Near misses of a rare request are then varied kVaryTries times each, kVaryAdded givens at a time
// (measured on --needs x-wing: about twice as many puzzles per second; on common levels, varying
// costs more than it brings).
constexpr long kRareAfter = 100;
constexpr long kRareRatio = 50;
constexpr int kVaryTries = 30;
constexpr int kVaryAdded = 3;

} // namespace

int level_from_name(std::string_view name) {
    const std::string wanted = plain(name);
    for (std::size_t i = 0; i < kLevels.size(); ++i)
        if (plain(kLevels[i]) == wanted || plain(kLevelsEnglish[i]) == wanted) return static_cast<int>(i);
    return -1;
}

std::string impossible(const Request& request, Language language) {
    if (request.level < 0 || !request.needs) return {};
    const int least = level_with(*request.needs, 1);
    const int most = level_with(*request.needs, 81);
    if (request.level >= least && request.level <= most) return {};
    if (language == Language::English)
        return "no puzzle of the level '" + std::string(kLevelsEnglish[static_cast<std::size_t>(request.level)]) +
               "' needs '" + std::string(ladder::technique_id(*request.needs)) + "' as its hardest technique";
    return "aucune grille du niveau « " + std::string(kLevels[static_cast<std::size_t>(request.level)]) +
           " » ne demande « " + std::string(ladder::technique_id(*request.needs)) +
           " » comme technique la plus difficile";
}

std::string_view untargetable(ladder::Technique technique, Language language) {
    struct Refusal {
        std::string_view id;
        std::string_view why;
        std::string_view why_english;
    };
    static constexpr Refusal kRefusals[] = {
        {"full-house",
         "une grille dont aucun chiffre donné ne peut être retiré ne se résout jamais par les seules dernières "
         "cases libres des unités : il y faut au moins un chiffre caché",
         "a puzzle from which no given can be removed is never solved by the last free cells of the units "
         "alone: it takes at least one hidden single"},
        {"hidden-quad",
         "les autres cases libres de son unité forment un sous-ensemble nu qui fait les mêmes éliminations et "
         "que l'échelle, plus légère, trouve d'abord (sauf dans une unité encore entièrement vide, ce que "
         "nulle recherche n'a rencontré)",
         "the other free cells of its unit form a naked subset that makes the same eliminations and that the "
         "ladder, lighter, finds first (except in a unit still entirely empty, which no search has met)"},
        {"trial",
         "les chaînes forcées, essayées avant, résolvent toutes les grilles à solution unique que la recherche "
         "produit",
         "forcing chains, tried before, solve every puzzle with a unique solution that the search makes"},
    };
    const std::string_view id = ladder::technique_id(technique);
    for (const Refusal& refusal : kRefusals)
        if (refusal.id == id) return language == Language::English ? refusal.why_english : refusal.why;
    return {};
}

Generator::Generator(const Request& request, std::uint64_t seed) : request_(request), random_(seed) {
    // Nothing later than the technique asked for; nothing whose single use rates above the level.
    for (int t = 0; t < ladder::kTechniqueCount; ++t) {
        const auto technique = static_cast<Technique>(t);
        allowed_[static_cast<std::size_t>(t)] = (!request_.needs || technique <= *request_.needs) &&
                                                (request_.level < 0 || level_with(technique, 1) <= request_.level);
    }
    const auto allowed = [this](Technique t) { return allowed_[static_cast<std::size_t>(t)]; };
    bool beyond_singles = false;
    for (int t = static_cast<int>(Technique::NakedSingle) + 1; t < ladder::kTechniqueCount; ++t)
        beyond_singles = beyond_singles || allowed(static_cast<Technique>(t));
    for (int t = 0; t < ladder::kTechniqueCount; ++t)
        if (allowed(static_cast<Technique>(t))) hardest_ = static_cast<Technique>(t);
    if (!beyond_singles) prefer_singles_ = allowed(Technique::NakedSingle) ? 2 : 1;
}

Generator::Fit Generator::fits(const Grid& puzzle) const {
    ladder::Ladder ladder(puzzle, true);
    std::vector<ladder::Step> steps;
    bool used = !request_.needs;
    bool near = false;
    while (auto step = ladder.next_step(static_cast<int>(hardest_) + 1)) {
        if (!allowed_[static_cast<std::size_t>(step->technique)]) return near ? Fit::Near : Fit::No;
        if (!ladder::makes_progress(ladder.candidates(), *step)) return Fit::No; // the explanation would stop there
        if (request_.needs && step->technique == *request_.needs) used = near = true;
        if (!request_.needs && level_with(step->technique, 1) == request_.level) near = true;
        ladder.apply(*step);
        steps.push_back(std::move(*step));
    }
    if (ladder.candidates().empty_cells() != 0) return near ? Fit::Near : Fit::No;
    if (!used) return Fit::No;
    return request_.level < 0 || level_index(ladder::rate(steps)) == request_.level ? Fit::Yes : Fit::No;
}

std::optional<Grid> Generator::attempt() {
    ++attempts_;
    Grid solution{}, puzzle{};
    const bool varied = near_ && near_tries_ < kVaryTries;
    if (varied) {
        ++near_tries_;
        solution = near_solution_;
        puzzle = vary(solution, *near_, random_, request_.symmetric, kVaryAdded);
    } else {
        near_.reset();
        solution = random_solution(random_);
        Preference prefer;
        if (prefer_singles_ > 0)
            prefer = [naked = prefer_singles_ == 2](const Grid& p) { return filled_by_singles(p, naked); };
        puzzle = dig(solution, random_, request_.symmetric, prefer);
    }
    if (!request_.needs && request_.level < 0) return puzzle;
    // Singles are confluent: whatever order finds them, they fill the same cells. So these exact
    // tests spare the ladder most puzzles that cannot fit.
    if (prefer_singles_ > 0) {
        if (!filled_by_singles(puzzle, prefer_singles_ == 2)) return std::nullopt;
        if (prefer_singles_ == 2 && filled_by_singles(puzzle, false)) return std::nullopt;
    } else if (filled_by_singles(puzzle, true)) {
        return std::nullopt;
    }
    const Fit fit = fits(puzzle);
    if (fit == Fit::Yes) {
        near_.reset();
        ++found_;
        return puzzle;
    }
    // A rare request: vary its near misses, which are likelier to lead to a fit than a fresh grid.
    const bool rare = attempts_ >= kRareAfter && found_ * kRareRatio < attempts_;
    if (fit == Fit::Near && !varied && rare) {
        near_ = puzzle;
        near_solution_ = solution;
        near_tries_ = 0;
    }
    return std::nullopt;
}

std::optional<Grid> Generator::next(const std::atomic<bool>& stop) {
    while (!stop.load(std::memory_order_relaxed)) {
        if (auto puzzle = attempt()) return puzzle;
    }
    return std::nullopt;
}

std::uint64_t fresh_seed() {
    std::random_device device;
    const auto now = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ now;
}

std::uint64_t puzzle_seed(std::uint64_t seed, long index) {
    if (index == 0) return seed;
    std::uint64_t z = seed ^ (static_cast<std::uint64_t>(index) * 0xD1B54A32D192ED03ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::string unknown_level(std::string_view name, Language language) {
    if (language == Language::English)
        return "unknown level '" + std::string(name) +
               "'; levels: very easy (very-easy), easy, medium, hard, very hard (very-hard), diabolical";
    return "niveau inconnu « " + std::string(name) +
           " » ; niveaux : très facile (tres-facile), facile, moyen, difficile, très difficile (tres-difficile), "
           "diabolique";
}

} // namespace vornel::generator
