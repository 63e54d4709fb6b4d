// SPDX-License-Identifier: GPL-3.0-or-later
// The record of progress: what it keeps, the rule for a mastered technique and the next puzzle at
// the player's edge, a hostile or damaged file (kept aside, never lost), and a kill in the middle
// of a save (the old record or the new, never part of one).
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "exercise.h"
#include "ladder/technique_table.h"
#include "progress.h"

namespace vornel::learn {
namespace {

using ladder::Technique;

std::string slurp(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class ProgressFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vornel-progress-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        path_ = (folder_ / "progres.txt").string();
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::filesystem::path folder_;
    std::string path_;
};

TEST(Progress, a_record_reads_back_as_written) {
    Progress progress;
    progress.of(Technique::NakedPair) = {5, 4, 3, {2, 1, 0}, 1};
    progress.of(Technique::XWing).tried = 1;
    for (int level : {1, 2, 2, 3}) progress.finished_game(level);
    const std::string text = progress_text(progress);
    EXPECT_EQ(text, "vornel-progres 1\ntechnique naked-pair 5 4 3 2 1 0 1\ntechnique x-wing 1 0 0 0 0 0 0\n"
                    "niveaux 1 2 2 3\n");
    std::string error;
    const std::optional<Progress> back = read_progress(text, error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(*back, progress);
}

TEST(Progress, a_damaged_text_says_which_line) {
    const std::string head = "vornel-progres 1\n";
    const std::pair<std::string, const char*> cases[] = {
        {"", "Le relevé de progrès est illisible (ligne 1)."},
        {"autre chose\n", "Le relevé de progrès est illisible (ligne 1)."},
        {head + "technique naked-pair 1 2 0 0 0 0 0\n",
         "Le relevé de progrès est illisible (ligne 2)."}, // solved > tried
        {head + "technique naked-pair 1 1 1 0 0 0\n", "Le relevé de progrès est illisible (ligne 2)."},
        {head + "technique naked-pair 1 1 1 0 0 0 99999999999\n", "Le relevé de progrès est illisible (ligne 2)."},
        {head + "\nniveaux 1 9\n", "Le relevé de progrès est illisible (ligne 3)."},
        {head + std::string(300, 'x') + "\n", "Le relevé de progrès est illisible (ligne 2)."},
        {head + std::string(kProgressByteLimit, '\n'), "Le relevé de progrès est illisible (ligne 1)."},
    };
    for (const auto& [text, message] : cases) {
        std::string error;
        EXPECT_FALSE(read_progress(text, error)) << text.substr(0, 60);
        EXPECT_EQ(error, message);
    }
    // A later version's technique is skipped, not refused.
    std::string error;
    EXPECT_TRUE(read_progress(head + "technique future-thing 1 1 1 0 0 0 0\n", error)) << error;
}

TEST(Progress, mastered_and_the_next_puzzle_follow_the_stated_rule) {
    Progress progress;
    const Technique first = *next_to_master(progress);
    EXPECT_EQ(first, Technique::FullHouse);
    EXPECT_EQ(adapted_level(progress), 0);
    // Three exercises without hints and one use in a game: mastered. One short of either: not.
    const struct {
        TechniqueProgress p;
        bool mastered;
    } cases[] = {
        {{3, 3, 3, {}, 1}, true},
        {{9, 9, 2, {}, 5}, false},
        {{3, 3, 3, {}, 0}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(mastered(c.p), c.mastered);
    // Master everything up to the pairs: the next is the first technique after them.
    for (const ladder::TechniqueRow& row : ladder::technique_table()) {
        if (row.technique == Technique::HiddenPair) break;
        progress.of(row.technique) = {3, 3, 3, {}, 1};
    }
    EXPECT_EQ(next_to_master(progress), Technique::HiddenPair);
    EXPECT_EQ(adapted_level(progress), static_cast<int>(ladder::technique_row(Technique::HiddenPair).level));
    // Finished games at a harder level lift the adapted level above them.
    progress.finished_game(4);
    EXPECT_EQ(adapted_level(progress), 5);
}

TEST_F(ProgressFile, a_missing_file_is_a_fresh_record_and_a_save_reads_back) {
    std::string warning;
    EXPECT_EQ(load_progress(path_, warning), Progress{});
    EXPECT_TRUE(warning.empty()) << warning;
    Progress progress;
    progress.of(Technique::HiddenSingle).tried = 2;
    std::string error;
    ASSERT_TRUE(save_progress(path_, progress, error)) << error;
    EXPECT_EQ(load_progress(path_, warning), progress);
    EXPECT_TRUE(warning.empty()) << warning;
}

TEST_F(ProgressFile, a_damaged_file_is_kept_aside_never_lost) {
    const std::string damaged = "vornel-progres 1\ntechnique naked-pair 1 2\n";
    {
        std::ofstream out(path_, std::ios::binary);
        out << damaged;
    }
    std::string warning;
    EXPECT_EQ(load_progress(path_, warning), Progress{});
    EXPECT_NE(
        warning.find("Le relevé de progrès est illisible (ligne 2). Il est gardé à part sous « " + path_ + ".abime-"),
        std::string::npos)
        << warning;
    EXPECT_FALSE(std::filesystem::exists(path_));
    int aside = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
        ++aside;
        EXPECT_EQ(slurp(entry.path()), damaged);
    }
    EXPECT_EQ(aside, 1);
    // A second damaged file on the same second gets a name of its own.
    {
        std::ofstream out(path_, std::ios::binary);
        out << "x\n";
    }
    load_progress(path_, warning);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 2);
    // Not a regular file: left where it is, and said so.
    std::filesystem::remove(path_);
    ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
    EXPECT_EQ(load_progress(path_, warning), Progress{});
    EXPECT_NE(warning.find("tube nommé"), std::string::npos) << warning;
    EXPECT_TRUE(std::filesystem::is_fifo(path_));
}

TEST_F(ProgressFile, a_kill_during_a_save_leaves_the_old_record_or_the_new) {
    Progress small;
    small.of(Technique::NakedSingle).tried = 1;
    Progress large;
    for (const ladder::TechniqueRow& row : ladder::technique_table()) large.of(row.technique) = {7, 6, 5, {4, 3, 2}, 1};
    const std::string texts[] = {progress_text(small), progress_text(large)};
    std::string error;
    ASSERT_TRUE(save_progress(path_, small, error)) << error;
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the two records in turn until killed.
            for (int i = 0;; ++i) {
                std::string e;
                save_progress(path_, i % 2 ? small : large, e);
            }
        }
        ::usleep(static_cast<useconds_t>(1000 + 700 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const std::string now = slurp(path_);
        EXPECT_TRUE(now == texts[0] || now == texts[1]) << "round " << round << ": " << now.size() << " bytes";
    }
}

} // namespace
} // namespace vornel::learn
