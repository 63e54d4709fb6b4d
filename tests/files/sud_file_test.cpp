#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <vector>

#include "files_fixture.h"
#include "sud_file.h"

using namespace vornel;
using vornel::test::failure_code;
using vornel::test::FilesTest;
using vornel::test::run_in_child;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

WorkArea area_of(std::string_view puzzle) {
    WorkArea area;
    store_values(area, test::puzzle_values(puzzle));
    return area;
}

bool same_grid(const WorkArea& a, const WorkArea& b) { return values_of(a) == values_of(b); }

} // namespace

// ---- errno mapping -------------------------------------------------------------------------------

TEST(InOutCodes, operating_system_errors_map_onto_the_failure_codes) {
    const struct {
        int err;
        bool folder_exists;
        int code;
    } cases[] = {
        {ENOENT, true, 2},
        {ENOENT, false, 3},
        {ENOTDIR, true, 3},
        {ENAMETOOLONG, true, 3},
        {ELOOP, true, 3},
        {EISDIR, true, 3},
        {EMFILE, true, 4},
        {ENFILE, true, 4},
        {EACCES, true, 5},
        {EPERM, true, 5},
        {EROFS, true, 5},
        {ENOSPC, true, 101},
        {EDQUOT, true, 101},
        {EFBIG, true, EFBIG},
        {EBUSY, true, EBUSY},
        {ETXTBSY, true, ETXTBSY},
        {EIO, true, 1000 + EIO},
        {EINTR, true, 1000 + EINTR},
        {ESRCH, true, 1000 + ESRCH},
        {ENETDOWN, true, ENETDOWN == 100 ? 1100 : ENETDOWN},
    };
    for (const auto& c : cases) EXPECT_EQ(in_out_code_for_errno(c.err, c.folder_exists), c.code) << "errno " << c.err;
}

TEST(InOutCodes, no_mapped_code_borrows_the_message_of_another_failure) {
    const std::vector<int> named = {2, 3, 4, 5, 100, 101, 106};
    for (int err = 1; err < 134; ++err) {
        const int code = in_out_code_for_errno(err, true);
        const bool expected_named = err == ENOENT || err == ENOTDIR || err == ENAMETOOLONG || err == ELOOP ||
                                    err == EISDIR || err == EMFILE || err == ENFILE || err == EACCES || err == EPERM ||
                                    err == EROFS || err == ENOSPC || err == EDQUOT;
        const bool is_named = std::find(named.begin(), named.end(), code) != named.end();
        EXPECT_EQ(is_named, expected_named) << "errno " << err << " gave " << code;
    }
}

TEST_F(FilesTest, a_missing_file_is_told_apart_from_a_missing_folder) {
    EXPECT_EQ(in_out_code_for_path(ENOENT, path("absent.sud")), 2);
    EXPECT_EQ(in_out_code_for_path(ENOENT, path("absent/grille.sud")), 3);
    EXPECT_EQ(in_out_code_for_path(ENOENT, ""), 3);
    EXPECT_EQ(in_out_code_for_path(ENOENT, std::string("a\0b", 3)), 3);
    EXPECT_EQ(in_out_code_for_path(EACCES, path("x.sud")), 5);
}

// ---- reading files -------------------------------------------------------------------------------

TEST_F(FilesTest, a_written_grid_reads_back_the_same_and_the_file_has_243_bytes) {
    const WorkArea written = area_of(test::kEasy);
    write_puzzle_file(path("grille.sud"), written);
    EXPECT_EQ(contents("grille.sud").size(), 243u);
    EXPECT_EQ(contents("grille.sud"), puzzle_text(values_of(written)));
    WorkArea read;
    read_puzzle_file(path("grille.sud"), read);
    EXPECT_TRUE(same_grid(read, written));
}

TEST_F(FilesTest, files_that_cannot_be_opened_fail_with_their_code_as_open_failures) {
    std::filesystem::create_directory(path("dossier"));
    put("plain", "1\r\n");
    const struct {
        std::string name;
        int code;
    } cases[] = {
        {path("absent.sud"), 2},
        {path("absent/grille.sud"), 3},
        {path("plain/grille.sud"), 3},
        {path("dossier"), 3},
        {path(std::string(300, 'n')), 3},
        {std::string("grille\0.sud", 11), 3},
        {"", 3},
    };
    for (const auto& c : cases) {
        try {
            read_puzzle_file(c.name);
            ADD_FAILURE() << "no failure for " << c.name;
        } catch (const FileOpenError& error) {
            EXPECT_EQ(error.code(), c.code) << c.name;
            EXPECT_EQ(error.path(), c.name);
        }
    }
}

TEST_F(FilesTest, a_file_without_read_permission_fails_with_code_5) {
    put("locked.sud", "1\r\n");
    std::filesystem::permissions(path("locked.sud"), std::filesystem::perms::none);
    const std::string name = path("locked.sud");
    const int code = run_in_child([&] {
        if (!test::drop_root()) return 200;
        return failure_code([&] { read_puzzle_file(name); });
    });
    EXPECT_EQ(code, 5);
}

TEST_F(FilesTest, too_many_open_files_fails_with_code_4) {
    if (kSanitized) GTEST_SKIP() << "the sanitizer runtimes need free descriptors of their own to report";
    put("grille.sud", "1\r\n");
    const std::string name = path("grille.sud");
    const int code = run_in_child([&] {
        const rlimit limit{32, 32};
        if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return 200;
        while (::dup(0) >= 0) {}
        return failure_code([&] { read_puzzle_file(name); });
    });
    EXPECT_EQ(code, 4);
}

TEST_F(FilesTest, a_failed_read_leaves_the_whole_grid_as_it_was) {
    put("bad.sud", "9\r\n8\r\n7\r\nx\r\n6\r\n");
    WorkArea area = area_of(test::kEasy);
    const WorkArea before = area;
    EXPECT_EQ(failure_code([&] { read_puzzle_file(path("bad.sud"), area); }), 106);
    EXPECT_TRUE(same_grid(area, before));
    EXPECT_EQ(failure_code([&] { read_puzzle_file(path("absent.sud"), area); }), 2);
    EXPECT_TRUE(same_grid(area, before));
}

TEST_F(FilesTest, a_short_file_replaces_the_whole_grid_with_zeros_after_its_values) {
    put("short.sud", "4\n5\n");
    WorkArea area = area_of(test::kEasy);
    read_puzzle_file(path("short.sud"), area);
    PuzzleValues expected{};
    expected[0] = 4;
    expected[1] = 5;
    EXPECT_EQ(values_of(area), expected);
}

// ---- writing files -------------------------------------------------------------------------------

TEST_F(FilesTest, saving_replaces_an_existing_file_and_leaves_no_temporary_file) {
    put("grille.sud", "an older and much longer content than the new one, that must disappear entirely");
    write_puzzle_file(path("grille.sud"), area_of(test::kEasy));
    EXPECT_EQ(contents("grille.sud"), puzzle_text(test::puzzle_values(test::kEasy)));
    EXPECT_EQ(entries(), (std::set<std::string>{"grille.sud"}));
}

TEST_F(FilesTest, saving_without_flush_to_disk_writes_the_same_file) {
    put("grille.sud", "old");
    write_puzzle_file(path("grille.sud"), test::puzzle_values(test::kEasy), Sync::skip);
    write_puzzle_file(path("neuf.sud"), test::puzzle_values(test::kEasy), Sync::skip);
    EXPECT_EQ(contents("grille.sud"), puzzle_text(test::puzzle_values(test::kEasy)));
    EXPECT_EQ(contents("neuf.sud"), contents("grille.sud"));
    EXPECT_EQ(entries(), (std::set<std::string>{"grille.sud", "neuf.sud"}));
}

TEST_F(FilesTest, saving_keeps_the_permissions_of_the_file_it_replaces) {
    put("grille.sud", "1\r\n");
    const auto perms =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read;
    std::filesystem::permissions(path("grille.sud"), perms);
    write_puzzle_file(path("grille.sud"), area_of(test::kEasy));
    EXPECT_EQ(std::filesystem::status(path("grille.sud")).permissions(), perms);
}

TEST_F(FilesTest, saving_keeps_the_owner_of_the_file_it_replaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    put("grille.sud", "1\r\n");
    ASSERT_EQ(::chown(path("grille.sud").c_str(), 65534, 65534), 0);
    write_puzzle_file(path("grille.sud"), area_of(test::kEasy));
    struct stat info {};
    ASSERT_EQ(::stat(path("grille.sud").c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
}

TEST_F(FilesTest, saving_through_a_symbolic_link_replaces_the_file_it_names) {
    put("real.sud", "1\r\n");
    std::filesystem::create_symlink(path("real.sud"), path("link.sud"));
    write_puzzle_file(path("link.sud"), area_of(test::kEasy));
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.sud")));
    EXPECT_EQ(contents("real.sud"), puzzle_text(test::puzzle_values(test::kEasy)));
}

TEST_F(FilesTest, a_save_that_fails_part_way_keeps_the_old_file_and_removes_the_temporary_one) {
    const std::string old(600, '7');
    put("grille.sud", old);
    const std::string name = path("grille.sud");
    // The child may not write files above 100 bytes, so the write fails in the middle.
    const int code = run_in_child([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 200;
        return failure_code([&] { write_puzzle_file(name, area_of(test::kEasy)); });
    });
    EXPECT_EQ(code, EFBIG);
    EXPECT_EQ(contents("grille.sud"), old);
    EXPECT_EQ(entries(), (std::set<std::string>{"grille.sud"}));
}

TEST_F(FilesTest, saving_fails_with_its_code_and_leaves_nothing_behind) {
    std::filesystem::create_directory(path("dossier"));
    put("plain", "1\r\n");
    const struct {
        std::string name;
        int code;
    } cases[] = {
        {path("absent/grille.sud"), 3},   {path("plain/grille.sud"), 3},        {path("dossier"), 3},
        {path(std::string(300, 'n')), 3}, {std::string("grille\0.sud", 11), 3}, {"", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failure_code([&] { write_puzzle_file(c.name, PuzzleValues{}); }), c.code) << c.name;
    EXPECT_EQ(entries(), (std::set<std::string>{"dossier", "plain"}));
    EXPECT_TRUE(std::filesystem::is_empty(path("dossier")));
    EXPECT_EQ(contents("plain"), "1\r\n");
}

TEST_F(FilesTest, a_full_disk_fails_with_code_101) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    EXPECT_EQ(failure_code([] { write_puzzle_file("/dev/full", PuzzleValues{}); }), 101);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

TEST_F(FilesTest, a_device_is_written_in_place) {
    EXPECT_EQ(failure_code([] { write_puzzle_file("/dev/null", PuzzleValues{}); }), 0);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

TEST_F(FilesTest, a_file_without_write_permission_is_refused_with_code_5_and_kept) {
    put("locked.sud", "1\r\n");
    std::filesystem::permissions(path("locked.sud"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
    const std::string name = path("locked.sud");
    const int code = run_in_child([&] {
        if (!test::drop_root()) return 200;
        return failure_code([&] { write_puzzle_file(name, area_of(test::kEasy)); });
    });
    EXPECT_EQ(code, 5);
    EXPECT_EQ(contents("locked.sud"), "1\r\n");
    EXPECT_EQ(entries(), (std::set<std::string>{"locked.sud"}));
}

TEST_F(FilesTest, a_folder_without_write_permission_is_refused_with_code_5) {
    std::filesystem::create_directory(path("closed"));
    std::filesystem::permissions(path("closed"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                                     std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                     std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    const std::string name = path("closed/grille.sud");
    const int code = run_in_child([&] {
        if (!test::drop_root()) return 200;
        return failure_code([&] { write_puzzle_file(name, PuzzleValues{}); });
    });
    EXPECT_EQ(code, 5);
    EXPECT_TRUE(std::filesystem::is_empty(path("closed")));
}

// ---- files are closed on every path --------------------------------------------------------------

TEST_F(FilesTest, reads_and_writes_close_their_files_whether_they_succeed_or_fail) {
    put("good.sud", puzzle_text(test::puzzle_values(test::kEasy)));
    put("bad.sud", "1\r\nz\r\n");
    std::filesystem::create_directory(path("dossier"));
    const int before = test::open_descriptors();
    WorkArea area;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(failure_code([&] { read_puzzle_file(path("good.sud"), area); }), 0);
        EXPECT_EQ(failure_code([&] { read_puzzle_file(path("bad.sud"), area); }), 106);
        EXPECT_EQ(failure_code([&] { read_puzzle_file(path("absent.sud"), area); }), 2);
        EXPECT_EQ(failure_code([&] { read_puzzle_file(path("dossier"), area); }), 3);
        EXPECT_EQ(failure_code([&] { write_puzzle_file(path("out.sud"), area); }), 0);
        EXPECT_EQ(failure_code([&] { write_puzzle_file(path("dossier"), area); }), 3);
        EXPECT_EQ(failure_code([&] { write_puzzle_file("/dev/full", area); }), 101);
    }
    EXPECT_EQ(test::open_descriptors(), before);
}

TEST_F(FilesTest, a_save_that_fails_part_way_closes_its_files) {
    const std::string name = path("grille.sud");
    const int code = run_in_child([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 200;
        const int before = test::open_descriptors();
        const int failure = failure_code([&] { write_puzzle_file(name, area_of(test::kEasy)); });
        return failure == EFBIG && test::open_descriptors() == before ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
}
