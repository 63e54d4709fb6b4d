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

// The level of a rating, as an index into kLevels; -1 when the ladder words it otherwise.
int level_index(const ladder::Rating& rating) {
    for (std::size_t i = 0; i < kLevels.size(); ++i)
        if (rating.level == kLevels[i]) return static_cast<int>(i);
    return -1;
}

// The level of a puzzle whose explanation needs `technique` once and `count` steps in all: the
// least (count 1) and the most a puzzle whose hardest technique it is can be rated.
int level_with(Technique technique, int count) {
    std::vector<ladder::Step> steps(static_cast<std::size_t>(count));
    for (auto& step : steps) step.technique = technique;
    return level_index(ladder::rate(steps));
}

} // namespace

int level_from_name(std::string_view name) {
    const std::string wanted = plain(name);
    for (std::size_t i = 0; i < kLevels.size(); ++i)
        if (plain(kLevels[i]) == wanted) return static_cast<int>(i);
    return -1;
}

std::string impossible(const Request& request) {
    if (request.level < 0 || !request.needs) return {};
    const int least = level_with(*request.needs, 1);
    const int most = level_with(*request.needs, 81);
    if (request.level >= least && request.level <= most) return {};
    return "aucune grille du niveau « " + std::string(kLevels[static_cast<std::size_t>(request.level)]) +
           " » ne demande « " + std::string(ladder::technique_id(*request.needs)) +
           " » comme technique la plus difficile";
}

Generator::Generator(const Request& request, std::uint64_t seed) : request_(request), random_(seed) {
    if (request_.needs) limit_ = *request_.needs;
    if (request_.level >= 0) {
        // The first technique whose single use already rates above the level ends the rating.
        for (int t = 0; t < ladder::kTechniqueCount; ++t) {
            const auto technique = static_cast<Technique>(t);
            if (technique > limit_) break;
            if (level_with(technique, 1) > request_.level) {
                limit_ = static_cast<Technique>(t - 1);
                break;
            }
        }
    }
    if (limit_ <= Technique::HiddenSingle)
        prefer_singles_ = 1;
    else if (limit_ == Technique::NakedSingle)
        prefer_singles_ = 2;
}

bool Generator::fits(const Grid& puzzle) const {
    ladder::Grid grid{};
    for (int c = 0; c < 81; ++c) grid[c] = puzzle[c];
    ladder::Ladder ladder(grid, true);
    std::vector<ladder::Step> steps;
    bool used = !request_.needs;
    while (auto step = ladder.next_step()) {
        if (step->technique > limit_) return false;
        if (request_.needs && step->technique == *request_.needs) used = true;
        ladder.apply(*step);
        steps.push_back(std::move(*step));
    }
    if (ladder.candidates().empty_cells() != 0 || !used) return false;
    return request_.level < 0 || level_index(ladder::rate(steps)) == request_.level;
}

std::optional<Grid> Generator::attempt() {
    ++attempts_;
    const Grid solution = random_solution(random_);
    Preference prefer;
    if (prefer_singles_ > 0)
        prefer = [naked = prefer_singles_ == 2](const Grid& puzzle) { return solved_by_singles(puzzle, naked); };
    const Grid puzzle = dig(solution, random_, request_.symmetric, prefer);
    if (!request_.needs && request_.level < 0) return puzzle;
    // Singles are confluent: whatever order finds them, they fill the same cells. So these exact
    // tests spare the ladder most puzzles that cannot fit.
    if (prefer_singles_ > 0) {
        if (!solved_by_singles(puzzle, prefer_singles_ == 2)) return std::nullopt;
        if (prefer_singles_ == 2 && solved_by_singles(puzzle, false)) return std::nullopt;
    } else if (solved_by_singles(puzzle, true)) {
        return std::nullopt;
    }
    if (!fits(puzzle)) return std::nullopt;
    return puzzle;
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

} // namespace vornel::generator
