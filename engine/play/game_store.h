// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game.h"
#include "language.h"

namespace vornel::play {

// The player's games: one game file (".vornel") per game in one folder of the user's data. The
// folder is the list: there is no index to go stale. A game stays until the player deletes it;
// starting, resuming or finishing a game never removes another, and a finished game stays as
// history (its time, hints and mistakes). Every write goes through the atomic writer (a temporary
// file flushed and renamed over the old one), so a file is always the old game or the new one.
struct StoredGame {
    std::string path;                 // the file
    std::int64_t modified = 0;        // seconds since 1970, from the file
    std::optional<Game::Saved> saved; // none when the file cannot be read
    std::string problem;              // why it cannot be read
    bool finished = false;
    int filled = 0;  // the cells filled by the player (givens excluded)
    int to_fill = 0; // the empty cells of the puzzle
};

class GameStore {
public:
    // At most this many files are listed (the most recent ones).
    static constexpr std::size_t kListLimit = 5000;

    explicit GameStore(std::string folder) : folder_(std::move(folder)) {}
    const std::string& folder() const { return folder_; }

    // The games, most recently saved first. A file that cannot be read is listed with its problem
    // (so that it can be deleted), never removed. A missing folder lists nothing.
    std::vector<StoredGame> list(Language language = Language::French) const;
    // A new file name for a game started at `now` (seconds since 1970): "partie-20261208-085512.vornel",
    // with "-2", "-3"... when the name is taken. Creates the folder. Throws FileError.
    std::string new_path(std::int64_t now) const;
    // Writes the game to `path`, atomically (write_game_file). false with `error` in `language`.
    bool save(const std::string& path, const Game::Saved& saved, std::string& error,
              Language language = Language::French) const;
    // Reads one game file of the store (read_game_file, bounded). std::nullopt with `error`.
    static std::optional<Game::Saved> load(const std::string& path, std::string& error,
                                           Language language = Language::French);
    // Deletes a game's file; false with `error` when it cannot.
    bool remove(const std::string& path, std::string& error) const;
    // Moves an older lone game file (the single resume file of earlier versions) into the store
    // under a new name; nothing when it does not exist. false with `error` on failure.
    bool adopt(const std::string& old_path, std::int64_t now, std::string& error) const;

private:
    std::string folder_;
};

// The game being played and its file in the store: every start, move and resume goes through
// it, so that a game's file is written after every move and never dropped.
class GameSession {
public:
    explicit GameSession(const GameStore& store, Language language = Language::French)
        : store_(&store), language_(language) {}

    // Starts `game` in a new file of its own (the game played before keeps its file, saved once
    // more). false with `error` when the new file cannot be written: the game is played all the
    // same and `error` says it is not kept.
    bool start(Game game, std::int64_t now, std::string& error);
    // Resumes the game of a store's file. false with `error`: the game played before stays.
    bool resume(const std::string& path, std::string& error, Language language = Language::French);
    // Writes the game to its file (after every move, on pause, on quit). false with `error`.
    bool save(std::string& error);

    Game* game() { return game_ ? &*game_ : nullptr; }
    const Game* game() const { return game_ ? &*game_ : nullptr; }
    const std::string& path() const { return path_; }

private:
    const GameStore* store_;
    Language language_;
    std::optional<Game> game_;
    std::string path_;
    std::string written_; // the text last written to written_path_
    std::string written_path_;
};

} // namespace vornel::play
