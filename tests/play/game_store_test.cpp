// SPDX-License-Identifier: GPL-3.0-or-later
// The store of games, headless: no sequence of play, new game, resume and finish drops a game; a
// save killed half way leaves the old file or the new; the list reads every file, even a broken one.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "game_file.h"
#include "game_store.h"
#include "puzzles.h"

namespace vornel::play {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the test's temporary folder, removed at the end.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "vornel-store-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

Game start(std::string_view line) {
    Grid g{};
    EXPECT_TRUE(grid_from_line(std::string(line), g));
    std::string error;
    std::optional<Game> game = Game::start(g, error);
    EXPECT_TRUE(game) << error;
    return *game;
}

std::set<std::string> files_in(const std::string& folder) {
    std::set<std::string> out;
    for (const auto& entry : fs::directory_iterator(folder)) out.insert(entry.path().string());
    return out;
}

// Random play over several games: every file ever made stays, readable, and the game played is
// the one its file holds after each move.
TEST(GameStore, no_sequence_of_play_new_game_resume_and_finish_drops_a_game) {
    TempFolder folder;
    GameStore store(folder.path() + "/parties");
    GameSession session(store);
    const std::string_view puzzles[] = {test::kEasy, test::kEasy};
    std::mt19937 random(31);
    std::set<std::string> seen;
    std::int64_t now = 1796720100;
    for (int op = 0; op < 150; ++op) {
        std::string error;
        const int what = session.game() ? static_cast<int>(random() % 10) : 0;
        if (what == 0) {
            ASSERT_TRUE(session.start(start(puzzles[random() % 2]), now, error)) << error;
        } else if (what == 1) {
            const std::vector<StoredGame> games = store.list();
            ASSERT_FALSE(games.empty());
            ASSERT_TRUE(session.resume(games[random() % games.size()].path, error)) << error;
        } else if (what == 2) {
            // Finishes the game: every cell gets the solution's digit.
            Game& game = *session.game();
            for (int cell = 0; cell < 81; ++cell) game.write(cell, game.solution()[static_cast<std::size_t>(cell)]);
            ASSERT_TRUE(session.save(error)) << error;
        } else {
            Game& game = *session.game();
            const int cell = static_cast<int>(random() % 81);
            const int digit = static_cast<int>(random() % 9) + 1;
            if (random() % 2)
                game.write(cell, digit);
            else
                game.toggle_mark(cell, digit);
            ASSERT_TRUE(session.save(error)) << error;
        }
        now += 1 + static_cast<std::int64_t>(random() % 3); // two starts may share a second
        const std::set<std::string> files = files_in(store.folder());
        for (const std::string& file : seen) ASSERT_TRUE(files.count(file)) << "lost " << file << " at op " << op;
        seen = files;
        const std::optional<Game::Saved> kept = GameStore::load(session.path(), error);
        ASSERT_TRUE(kept) << error;
        EXPECT_EQ(write_game(*kept), write_game(session.game()->saved()));
    }
    const std::vector<StoredGame> games = store.list();
    EXPECT_EQ(games.size(), seen.size());
    EXPECT_GT(games.size(), 10u);
    int finished = 0;
    for (const StoredGame& g : games) {
        EXPECT_TRUE(g.saved) << g.path << ": " << g.problem;
        finished += g.finished;
    }
    EXPECT_GT(finished, 0); // finished games stay as history
}

// A save killed at any moment leaves the old game or the new one, whole.
TEST(GameStore, a_kill_during_saving_leaves_the_old_or_the_new_file) {
    TempFolder folder;
    GameStore store(folder.path());
    Game first = start(test::kEasy);
    Game second = first;
    for (int cell = 0; cell < 81; ++cell) second.toggle_mark(cell, 1 + cell % 9);
    second.add_time(123456);
    const std::string path = folder.path() + "/partie.vornel";
    std::string error;
    ASSERT_TRUE(store.save(path, first.saved(), error)) << error;
    const std::string texts[] = {write_game(first.saved()), write_game(second.saved())};
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::string ignored;
            for (int i = 0;; ++i) store.save(path, (i % 2 ? second : first).saved(), ignored);
        }
        ::usleep(static_cast<useconds_t>(200 + random() % 3000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::optional<Game::Saved> kept = GameStore::load(path, error);
        ASSERT_TRUE(kept) << "round " << round << ": " << error;
        const std::string text = write_game(*kept);
        EXPECT_TRUE(text == texts[0] || text == texts[1]) << "round " << round;
    }
}

TEST(GameStore, lists_every_file_with_its_progress_and_a_broken_one_with_its_problem) {
    TempFolder folder;
    GameStore store(folder.path());
    EXPECT_TRUE(GameStore(folder.path() + "/none").list().empty());
    Game game = start(test::kEasy);
    game.write(2, 4);
    game.write(3, 6);
    const std::string path = store.new_path(1796720100);
    EXPECT_EQ(fs::path(path).filename(), "partie-20261208-085500.vornel");
    EXPECT_EQ(fs::path(store.new_path(1796720100)).filename(), "partie-20261208-085500-2.vornel");
    std::string error;
    ASSERT_TRUE(store.save(path, game.saved(), error)) << error;
    std::ofstream(folder.path() + "/broken.vornel") << "{ nope";
    std::ofstream(folder.path() + "/notes.txt") << "not a game";
    const std::vector<StoredGame> games = store.list();
    ASSERT_EQ(games.size(), 3u); // the game, the broken file, the name reserved but never written
    std::map<std::string, StoredGame> by_name;
    for (const StoredGame& g : games) by_name[fs::path(g.path).filename().string()] = g;
    const StoredGame& played = by_name["partie-20261208-085500.vornel"];
    ASSERT_TRUE(played.saved);
    EXPECT_EQ(played.filled, 2);
    EXPECT_EQ(played.to_fill, 51);
    EXPECT_FALSE(played.finished);
    EXPECT_FALSE(by_name["broken.vornel"].saved);
    EXPECT_NE(by_name["broken.vornel"].problem.find("n'est pas une partie"), std::string::npos);
    EXPECT_EQ(by_name["partie-20261208-085500-2.vornel"].problem,
              "Cette partie n'a jamais été enregistrée : son fichier est vide.");
    EXPECT_TRUE(store.remove(folder.path() + "/broken.vornel", error)) << error;
    EXPECT_EQ(store.list().size(), 2u);
}

TEST(GameStore, refuses_a_pipe_and_a_file_too_large_without_waiting) {
    TempFolder folder;
    const std::string fifo = folder.path() + "/tube.vornel";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(GameStore::load(fifo, error)); // a blocking open would hang the test here
    EXPECT_NE(error.find("tube"), std::string::npos) << error;
    const std::string big = folder.path() + "/grande.vornel";
    std::ofstream(big) << std::string(kGameFileByteLimit + 1, ' ');
    EXPECT_FALSE(GameStore::load(big, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(GameStore::load(folder.path() + "/absente.vornel", error));
    EXPECT_FALSE(error.empty());
}

TEST(GameStore, adopts_the_lone_resume_file_of_earlier_versions) {
    TempFolder folder;
    GameStore store(folder.path() + "/parties");
    const std::string old = folder.path() + "/partie-en-cours.vornel";
    std::string error;
    EXPECT_TRUE(store.adopt(old, 1796720100, error)); // nothing to adopt
    EXPECT_TRUE(store.list().empty());
    Game game = start(test::kEasy);
    game.write(2, 4);
    std::ofstream(old) << write_game(game.saved());
    EXPECT_TRUE(store.adopt(old, 1796720100, error)) << error;
    EXPECT_FALSE(fs::exists(old));
    const std::vector<StoredGame> games = store.list();
    ASSERT_EQ(games.size(), 1u);
    ASSERT_TRUE(games[0].saved);
    EXPECT_EQ(write_game(*games[0].saved), write_game(game.saved()));
}

TEST(GameSession, resuming_the_game_in_play_keeps_its_moves_and_history) {
    TempFolder folder;
    GameStore store(folder.path());
    GameSession session(store);
    std::string error;
    ASSERT_TRUE(session.start(start(test::kEasy), 1796720100, error)) << error;
    EXPECT_EQ(session.game()->started(), 1796720100);
    session.game()->write(2, 4);
    ASSERT_TRUE(session.resume(session.path(), error)) << error;
    EXPECT_TRUE(session.game()->can_undo()); // not reloaded from its file
    const std::string first = session.path();
    ASSERT_TRUE(session.start(start(test::kEasy), 1796720100, error)) << error;
    EXPECT_NE(session.path(), first);
    const std::optional<Game::Saved> kept = GameStore::load(first, error);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->position.values[2], 4); // saved once more when the next game started
}

} // namespace
} // namespace vornel::play
