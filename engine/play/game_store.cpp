// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "game_file.h"
#include "sud_file.h"

namespace vornel::play {

namespace {

namespace fs = std::filesystem;

constexpr const char* kExtension = ".vornel";

bool finished_position(const Game::Saved& saved) {
    const Grid& v = saved.position.values;
    if (std::find(v.begin(), v.end(), std::uint8_t{0}) != v.end()) return false;
    for (const auto& unit : ladder::geometry().unit_cells) {
        unsigned seen = 0;
        for (const std::uint8_t c : unit) seen |= 1u << v[c];
        if (seen != 0x3FE) return false;
    }
    return true;
}

std::string stamp(std::int64_t now) {
    const std::time_t t = static_cast<std::time_t>(now);
    std::tm parts{};
    gmtime_r(&t, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

} // namespace

std::vector<StoredGame> GameStore::list(Language language) const {
    std::vector<StoredGame> games;
    std::error_code ec;
    fs::directory_iterator it(folder_, ec);
    if (ec) return games;
    std::vector<std::pair<std::int64_t, std::string>> files;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const fs::path& p = it->path();
        if (p.extension() != kExtension) continue;
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        files.emplace_back(static_cast<std::int64_t>(st.st_mtime), p.string());
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return a.first != b.first ? a.first > b.first : a.second > b.second;
    });
    if (files.size() > kListLimit) files.resize(kListLimit);
    for (const auto& [modified, path] : files) {
        StoredGame game;
        game.path = path;
        game.modified = modified;
        game.saved = load(path, game.problem, language);
        if (game.saved) {
            for (std::size_t c = 0; c < 81; ++c) {
                if (game.saved->givens[c]) continue;
                ++game.to_fill;
                if (game.saved->position.values[c]) ++game.filled;
            }
            game.finished = finished_position(*game.saved);
        }
        games.push_back(std::move(game));
    }
    return games;
}

std::string GameStore::new_path(std::int64_t now) const {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec) throw FileError(in_out_code_for_path(ec.value(), folder_), folder_, ec.value());
    const std::string base = (fs::path(folder_) / ("partie-" + stamp(now))).string();
    for (int n = 1;; ++n) {
        const std::string path = base + (n == 1 ? std::string() : "-" + std::to_string(n)) + kExtension;
        // Reserved at once, empty, so that two windows never pick the same name.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST || n > 10000) throw FileError(in_out_code_for_path(errno, path), path, errno);
    }
}

bool GameStore::save(const std::string& path, const Game::Saved& saved, std::string& error, Language language) const {
    return write_game_file(path, saved, error, language);
}

std::optional<Game::Saved> GameStore::load(const std::string& path, std::string& error, Language language) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0) {
        // A name reserved by new_path() whose game was never written: a start cut short.
        error = language == Language::English ? "This game was never saved: its file is empty."
                                              : "Cette partie n'a jamais été enregistrée : son fichier est vide.";
        return std::nullopt;
    }
    return read_game_file(path, error, language);
}

bool GameStore::remove(const std::string& path, std::string& error) const {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
    error = failure_message(FileError(in_out_code_for_path(errno, path), path, errno), Language::French);
    return false;
}

bool GameStore::adopt(const std::string& old_path, std::int64_t now, std::string& error) const {
    struct stat st {};
    if (::lstat(old_path.c_str(), &st) != 0) return true;
    try {
        const std::string bytes = read_small_file(old_path, kGameFileByteLimit);
        const std::string path = new_path(st.st_mtime > 0 ? static_cast<std::int64_t>(st.st_mtime) : now);
        write_text_file(path, bytes);
    } catch (const Failure& failure) {
        error = failure_message(failure, Language::French);
        return false;
    }
    // Only once its copy is safely written.
    ::unlink(old_path.c_str());
    return true;
}

bool GameSession::start(Game game, std::int64_t now, std::string& error) {
    std::string previous_error;
    if (game_) save(previous_error);
    game_ = std::move(game);
    if (!game_->started()) game_->set_started(now);
    path_.clear();
    try {
        path_ = store_->new_path(now);
    } catch (const Failure& failure) {
        error = failure_message(failure, language_);
        return false;
    }
    return save(error);
}

bool GameSession::resume(const std::string& path, std::string& error, Language language) {
    if (game_ && path == path_) return save(error); // already in play: its moves stay as they are
    const std::optional<Game::Saved> saved = GameStore::load(path, error, language);
    if (!saved) return false;
    std::optional<Game> game = Game::restore(*saved, error, language);
    if (!game) return false;
    std::string previous_error;
    if (game_ && path_ != path) save(previous_error);
    game_ = std::move(game);
    path_ = path;
    written_ = write_game(game_->saved());
    written_path_ = path_;
    return true;
}

bool GameSession::save(std::string& error) {
    if (!game_) return false;
    try {
        // A game whose file could not be made at its start gets one as soon as it can.
        if (path_.empty()) path_ = store_->new_path(static_cast<std::int64_t>(std::time(nullptr)));
    } catch (const Failure& failure) {
        error = failure_message(failure, language_);
        return false;
    }
    // The same game written again (quitting saves twice, a pause after a move) is skipped, as
    // long as its file is there.
    const Game::Saved saved = game_->saved();
    std::string text = write_game(saved);
    struct stat st {};
    if (text == written_ && path_ == written_path_ && ::stat(path_.c_str(), &st) == 0) return true;
    if (!store_->save(path_, saved, error, language_)) return false;
    written_ = std::move(text);
    written_path_ = path_;
    return true;
}

} // namespace vornel::play
