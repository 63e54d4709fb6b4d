// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sstream>

#include "exercise.h"
#include "ladder/technique_table.h"
#include "sud_file.h"

namespace vornel::learn {

namespace {

constexpr const char* kHeader = "vornel-progres 1";
constexpr long long kLargest = 1000000000;
constexpr std::size_t kLongestLine = 200;

bool number_of(const std::string& word, int& out) {
    if (word.empty() || word.size() > 10) return false;
    long long value = 0;
    for (const char ch : word) {
        if (ch < '0' || ch > '9') return false;
        value = value * 10 + (ch - '0');
    }
    if (value > kLargest) return false;
    out = static_cast<int>(value);
    return true;
}

std::vector<std::string> words_of(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

std::string fail(int line, Language language) {
    return language == Language::English ? "The progress record cannot be read (line " + std::to_string(line) + ")."
                                         : "Le relevé de progrès est illisible (ligne " + std::to_string(line) + ").";
}

} // namespace

void Progress::finished_game(int level) {
    finished_levels.push_back(level < 0 ? 0 : level > 5 ? 5 : level);
    if (finished_levels.size() > kLastGames) finished_levels.erase(finished_levels.begin());
}

bool mastered(const TechniqueProgress& progress) {
    return progress.solved_without_hints >= 3 && progress.recognised >= 1;
}

std::optional<ladder::Technique> next_to_master(const Progress& progress) {
    for (const ladder::TechniqueRow& row : ladder::technique_table())
        if (can_practise(row.technique) && !mastered(progress.of(row.technique))) return row.technique;
    return std::nullopt;
}

int adapted_level(const Progress& progress) {
    int level = 5;
    if (const std::optional<ladder::Technique> next = next_to_master(progress))
        level = static_cast<int>(ladder::technique_row(*next).level);
    int recent = -1;
    const std::size_t n = progress.finished_levels.size();
    for (std::size_t i = n > 3 ? n - 3 : 0; i < n; ++i) recent = std::max(recent, progress.finished_levels[i]);
    return std::max(level, std::min(recent + 1, 5));
}

std::string progress_text(const Progress& progress) {
    std::string out = std::string(kHeader) + "\n";
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        const TechniqueProgress& p = progress.of(row.technique);
        if (p == TechniqueProgress{}) continue;
        out += "technique " + std::string(row.id);
        for (const int n :
             {p.tried, p.solved, p.solved_without_hints, p.hints[0], p.hints[1], p.hints[2], p.recognised})
            out += " " + std::to_string(n);
        out += "\n";
    }
    if (!progress.finished_levels.empty()) {
        out += "niveaux";
        for (const int level : progress.finished_levels) out += " " + std::to_string(level);
        out += "\n";
    }
    return out;
}

std::optional<Progress> read_progress(const std::string& text, std::string& error, Language language) {
    if (text.size() > kProgressByteLimit) {
        error = fail(1, language);
        return std::nullopt;
    }
    Progress progress;
    std::size_t start = 0;
    int line_number = 0;
    bool header = false;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++line_number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > kLongestLine) {
            error = fail(line_number, language);
            return std::nullopt;
        }
        const std::vector<std::string> words = words_of(line);
        if (words.empty()) continue;
        if (!header) {
            if (line != kHeader) {
                error = fail(line_number, language);
                return std::nullopt;
            }
            header = true;
            continue;
        }
        if (words[0] == "technique" && words.size() == 9) {
            TechniqueProgress p;
            int* fields[] = {&p.tried,    &p.solved,    &p.solved_without_hints, &p.hints[0], &p.hints[1],
                             &p.hints[2], &p.recognised};
            bool ok = true;
            for (std::size_t i = 0; i < 7; ++i) ok = ok && number_of(words[i + 2], *fields[i]);
            ok = ok && p.solved <= p.tried && p.solved_without_hints <= p.solved;
            if (!ok) {
                error = fail(line_number, language);
                return std::nullopt;
            }
            ladder::Technique technique;
            if (ladder::technique_from_id(words[1], technique)) progress.of(technique) = p;
            continue;
        }
        if (words[0] == "niveaux" && words.size() <= 1 + Progress::kLastGames) {
            progress.finished_levels.clear();
            for (std::size_t i = 1; i < words.size(); ++i) {
                int level = 0;
                if (!number_of(words[i], level) || level > 5) {
                    error = fail(line_number, language);
                    return std::nullopt;
                }
                progress.finished_levels.push_back(level);
            }
            continue;
        }
        error = fail(line_number, language);
        return std::nullopt;
    }
    if (!header) {
        error = fail(1, language);
        return std::nullopt;
    }
    return progress;
}

Progress load_progress(const std::string& path, std::string& warning, Language language) {
    warning.clear();
    std::string text;
    try {
        text = read_small_file(path, kProgressByteLimit);
    } catch (const FileOpenError& failure) {
        if (failure.system_error() == ENOENT) return {};
        warning = failure_text(file_failure_message(failure, language));
        return {};
    } catch (const Failure& failure) {
        // Too large, or not a regular file: kept aside below like a damaged one.
        warning = failure_text(file_failure_message(failure, language));
    }
    std::string error;
    if (warning.empty())
        if (std::optional<Progress> progress = read_progress(text, error, language)) return *progress;
    // Kept aside, never lost: a new name beside it, which no later save touches.
    struct stat info {};
    const bool regular = ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    std::string aside = path + ".abime-" + stamp;
    for (int n = 2; std::filesystem::exists(aside); ++n) aside = path + ".abime-" + stamp + "-" + std::to_string(n);
    std::error_code ec;
    if (regular) std::filesystem::rename(path, aside, ec);
    const bool en = language == Language::English;
    const std::string why = error.empty() ? warning : error;
    if (!regular || ec)
        warning = en ? why + " The record starts afresh; the file is left as it is."
                     : why + " Le relevé repart de zéro ; le fichier est laissé tel quel.";
    else
        warning = en ? why + " It is kept aside as '" + aside + "' and the record starts afresh."
                     : why + " Il est gardé à part sous « " + aside + " » et le relevé repart de zéro.";
    return {};
}

bool save_progress(const std::string& path, const Progress& progress, std::string& error, Language language) {
    try {
        std::error_code ec;
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        if (!folder.empty()) std::filesystem::create_directories(folder, ec);
        write_text_file(path, progress_text(progress));
        return true;
    } catch (const Failure& failure) {
        error = failure_text(file_failure_message(failure, language));
        return false;
    }
}

} // namespace vornel::learn
