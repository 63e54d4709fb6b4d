// SPDX-License-Identifier: GPL-3.0-or-later
// Game files as hostile input: whatever the text or the file, the reader answers in bounded time,
// stack and memory, with a short sentence that says which limit was met; files that are no
// regular file never block it. Valid files read as before.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "game.h"
#include "game_file.h"
#include "puzzles.h"

namespace vornel::play {
namespace {

const std::string kHead = "{\"format\":\"vornel-partie\",\"givens\":\"" + std::string(test::kEasy) + "\"";

std::string nested(int depth, char open, char close) {
    return kHead + ",\"x\":" + std::string(static_cast<std::size_t>(depth), open) +
           std::string(static_cast<std::size_t>(depth), close) + "}";
}

std::string marks_with(const std::string& one_cell) {
    std::string list = "\"" + one_cell + "\"";
    for (int i = 1; i < 81; ++i) list += ",\"\"";
    return kHead + ",\"marks\":[" + list + "]}";
}

// The longest sentence any refusal makes, its quoted excerpt included.
constexpr std::size_t kLongestError = 400;

TEST(HostileGameText, each_limit_has_its_own_sentence_in_both_languages) {
    const std::string huge(10u << 20, 'x');
    struct Case {
        std::string text;
        std::string french;
        std::string english;
    } cases[] = {
        // A file nested 40,000 deep once overflowed the reader's stack.
        {nested(40000, '[', ']'),
         "Ce fichier n'est pas une partie de Vornel : les valeurs s'imbriquent sur plus de 16 niveaux (ligne 1).",
         "This file is not a Vornel game: values nest more than 16 levels deep (line 1)."},
        {kHead + ",\"x\":" + std::string(20, '[') + "{\"a\":1}" + std::string(20, ']') + "}",
         "Ce fichier n'est pas une partie de Vornel : les valeurs s'imbriquent sur plus de 16 niveaux (ligne 1).",
         "This file is not a Vornel game: values nest more than 16 levels deep (line 1)."},
        // Ten megabytes of one string are refused for their size before a byte is parsed.
        {kHead + ",\"" + huge + "\" 1}",
         "Ce fichier n'est pas une partie de Vornel : il fait plus de 1 Mio, bien plus qu'une partie n'en demande.",
         "This file is not a Vornel game: it is larger than 1 MiB, far more than a game needs."},
        {marks_with(huge),
         "Ce fichier n'est pas une partie de Vornel : il fait plus de 1 Mio, bien plus qu'une partie n'en demande.",
         "This file is not a Vornel game: it is larger than 1 MiB, far more than a game needs."},
        // Under the size limit, a long string is quoted in 40 characters.
        {kHead + ",\"" + std::string(500000, 'n') + "\" 1}",
         "Ce fichier n'est pas une partie de Vornel : « : » est attendu après « "
         "nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn… "
         "» (ligne 1).",
         "This file is not a Vornel game: ':' is expected after 'nnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnnn…' (line 1)."},
        {marks_with(std::string(300000, '0')),
         "Les candidats de la partie sont illisibles : « 0000000000000000000000000000000000000000… » n'est pas une "
         "suite "
         "de chiffres.",
         "The game's candidates cannot be read: '0000000000000000000000000000000000000000…' is not a string of "
         "digits."},
        // Characters, not bytes: the cut never splits a UTF-8 sequence.
        {marks_with("é" + std::string(60, 'a')),
         "Les candidats de la partie sont illisibles : « éaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa… » n'est pas une "
         "suite "
         "de chiffres.",
         "The game's candidates cannot be read: 'éaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa…' is not a string of "
         "digits."},
        // Bytes that only continue UTF-8 sequences are no characters: they are bounded as bytes.
        {marks_with(std::string(1000, '\x96')),
         "Les candidats de la partie sont illisibles : « " + std::string(160, '\x96') +
             "… » n'est pas une suite de chiffres.",
         "The game's candidates cannot be read: '" + std::string(160, '\x96') + "…' is not a string of digits."},
        {kHead + ",\"elapsed_ms\":999999999999999}",
         "Le temps de la partie dépasse 100 heures, le plus qu'une partie compte : le fichier est abîmé.",
         "The game's time is longer than 100 hours, the most a game counts: the file is damaged."},
        {kHead + ",\"elapsed_ms\":360000001}",
         "Le temps de la partie dépasse 100 heures, le plus qu'une partie compte : le fichier est abîmé.",
         "The game's time is longer than 100 hours, the most a game counts: the file is damaged."},
    };
    for (const Case& c : cases) {
        const std::string head = c.text.substr(0, 60);
        std::string french;
        std::string english;
        EXPECT_FALSE(read_game(c.text, french)) << head;
        EXPECT_FALSE(read_game(c.text, english, Language::English)) << head;
        EXPECT_EQ(french, c.french) << head;
        EXPECT_EQ(english, c.english) << head;
        EXPECT_LE(french.size(), kLongestError);
        EXPECT_LE(english.size(), kLongestError);
    }
}

TEST(HostileGameText, what_is_within_the_limits_still_reads) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::string text;
        std::int64_t elapsed_ms;
    } cases[] = {
        // A byte-order mark, as some editors write, is skipped as the other readers skip it.
        {bom + kHead + ",\"elapsed_ms\":1000}", 1000},
        {bom + "  \n" + kHead + "}", 0},
        // Exactly at each limit.
        {kHead + ",\"elapsed_ms\":360000000}", kMaxElapsedMs},
        {nested(15, '[', ']'), 0}, // the outer object and 15 lists: 16 levels
        {kHead + ",\"x\":" + std::string(14, '[') + "{\"a\":1}" + std::string(14, ']') + "}", 0},
        {kHead + ",\"x\":\"" + std::string(kGameFileByteLimit - kHead.size() - 8, 'y') + "\"}", 0},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<Game::Saved> saved = read_game(c.text, error);
        ASSERT_TRUE(saved) << error << " | " << c.text.substr(0, 60);
        EXPECT_EQ(saved->elapsed_ms, c.elapsed_ms);
        EXPECT_EQ(grid_line(saved->givens), test::kEasy);
    }
    // One byte more than a mebibyte is refused, one level more than 16 too.
    std::string error;
    EXPECT_FALSE(
        read_game(kHead + ",\"x\":\"" + std::string(kGameFileByteLimit - kHead.size() - 7, 'y') + "\"}", error));
    EXPECT_FALSE(read_game(nested(16, '[', ']'), error));
}

TEST(HostileGameText, the_clock_stops_at_the_most_a_file_holds) {
    std::string error;
    Grid givens{};
    ASSERT_TRUE(grid_from_line(std::string(test::kEasy), givens));
    std::optional<Game> game = Game::start(givens, error);
    ASSERT_TRUE(game) << error;
    game->add_time(kMaxElapsedMs - 10);
    game->add_time(std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(game->elapsed_ms(), kMaxElapsedMs);
    EXPECT_EQ(clock_text(game->elapsed_ms()), "100:00:00");
    // What the window writes after days of an open window reads back.
    EXPECT_TRUE(read_game(write_game(game->saved()), error)) << error;
}

class HostileGameFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vornel-game-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string path(const char* name) const { return (folder_ / name).string(); }
    std::filesystem::path folder_;
};

TEST_F(HostileGameFile, files_that_are_no_regular_file_are_refused_without_blocking) {
    // Opening a named pipe without a writer would wait for ever; a link to /dev/zero would be read
    // until memory runs out. Both are refused before a byte is read.
    const std::string fifo = path("fifo.vornel");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = path("zero.vornel");
    std::filesystem::create_symlink("/dev/zero", zero);
    const std::string folder = path("folder.vornel");
    std::filesystem::create_directory(folder);
    struct Case {
        std::string file;
        std::string french;
        std::string english;
    } cases[] = {
        {fifo, "« " + fifo + " » est un tube nommé, pas un fichier ordinaire : il n'est pas ouvert.",
         "'" + fifo + "' is a named pipe, not a regular file: it is not opened."},
        {zero, "« " + zero + " » est un périphérique, pas un fichier ordinaire : il n'est pas ouvert.",
         "'" + zero + "' is a device, not a regular file: it is not opened."},
        {folder, "Impossible d'ouvrir le fichier « " + folder + " » : Nom de fichier incorrect.",
         "Cannot open the file '" + folder + "': Invalid file name."},
        {path("missing.vornel"),
         "Impossible d'ouvrir le fichier « " + path("missing.vornel") + " » : Fichier introuvable.",
         "Cannot open the file '" + path("missing.vornel") + "': File not found."},
    };
    for (const Case& c : cases) {
        std::string french;
        std::string english;
        EXPECT_FALSE(read_game_file(c.file, french)) << c.file;
        EXPECT_FALSE(read_game_file(c.file, english, Language::English)) << c.file;
        EXPECT_EQ(french, c.french);
        EXPECT_EQ(english, c.english);
    }
}

TEST_F(HostileGameFile, a_file_over_the_size_limit_is_refused_before_it_is_read) {
    const std::string big = path("big.vornel");
    {
        std::ofstream out(big, std::ios::binary);
        out << kHead << "}";
    }
    // Sparse: three hundred megabytes on the disk's say-so, none of them written.
    std::filesystem::resize_file(big, 300u << 20);
    std::string french;
    std::string english;
    EXPECT_FALSE(read_game_file(big, french));
    EXPECT_FALSE(read_game_file(big, english, Language::English));
    EXPECT_EQ(french,
              "« " + big + " » fait plus de 1 Mio, bien plus qu'un tel fichier n'en demande : il n'est pas ouvert.");
    EXPECT_EQ(english, "'" + big + "' is larger than 1 MiB, far more than such a file needs: it is not opened.");
}

TEST_F(HostileGameFile, a_game_written_reads_back_and_replaces_the_old_file_whole) {
    Grid givens{};
    ASSERT_TRUE(grid_from_line(std::string(test::kEasy), givens));
    std::string error;
    std::optional<Game> game = Game::start(givens, error);
    ASSERT_TRUE(game) << error;
    const std::string file = path("partie.vornel");
    ASSERT_TRUE(write_game_file(file, game->saved(), error)) << error;
    ASSERT_TRUE(game->write(2, 4));
    ASSERT_TRUE(write_game_file(file, game->saved(), error)) << error;
    const std::optional<Game::Saved> saved = read_game_file(file, error);
    ASSERT_TRUE(saved) << error;
    EXPECT_EQ(saved->position, game->position());
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_), std::filesystem::directory_iterator()), 1);
    // A path that names no folder says so.
    EXPECT_FALSE(write_game_file(path("no/such/folder.vornel"), game->saved(), error));
    EXPECT_EQ(error, "Nom de fichier incorrect.");
}

} // namespace
} // namespace vornel::play
