// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "bound_socket.h"
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
    Values expected{};
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
    for (const auto& c : cases) EXPECT_EQ(failure_code([&] { write_puzzle_file(c.name, Values{}); }), c.code) << c.name;
    EXPECT_EQ(entries(), (std::set<std::string>{"dossier", "plain"}));
    EXPECT_TRUE(std::filesystem::is_empty(path("dossier")));
    EXPECT_EQ(contents("plain"), "1\r\n");
}

TEST_F(FilesTest, a_full_disk_fails_with_code_101_and_leaves_no_temporary_file) {
    // A tmpfs of one page, mounted in a child's own mount namespace and filled up: the temporary
    // file's write fails with ENOSPC.
    const std::string mount_point = path("petit");
    std::filesystem::create_directory(mount_point);
    const std::string name = mount_point + "/grille.sud";
    const int code = run_in_child([&] {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", mount_point.c_str(), "tmpfs", 0, "size=4k") != 0)
            return 200;
        {
            std::ofstream filler(mount_point + "/plein", std::ios::binary);
            filler << std::string(64 * 1024, 'x');
        }
        const int failure = failure_code([&] { write_puzzle_file(name, area_of(test::kEasy)); });
        std::size_t left = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(mount_point)) ++left;
        return failure == 101 && left == 1 ? 0 : 100 + failure % 100;
    });
    if (code == 200) GTEST_SKIP() << "no tmpfs can be mounted here; the file-size limit test covers the write failure";
    EXPECT_EQ(code, 0);
}

TEST_F(FilesTest, targets_that_are_not_regular_files_are_refused_without_being_opened) {
    std::filesystem::create_directory(path("dossier"));
    ASSERT_EQ(::mkfifo(path("tube.sud").c_str(), 0666), 0);
    std::filesystem::create_symlink("/dev/null", path("nul.sud"));
    std::filesystem::create_symlink(path("tube.sud"), path("lien-tube.sud"));
    const std::string socket_name = path("prise.sud");
    test::BoundSocket bound_socket(socket_name);
    ASSERT_TRUE(bound_socket.bound());
    using Kind = NotRegularFileError::Kind;
    const struct {
        std::string name;
        Kind kind;
        int code;
    } cases[] = {
        {path("dossier"), Kind::folder, 3},   {path("tube.sud"), Kind::pipe, 5}, {path("lien-tube.sud"), Kind::pipe, 5},
        {path("nul.sud"), Kind::device, 5},   {"/dev/null", Kind::device, 5},    {"/dev/full", Kind::device, 5},
        {path("prise.sud"), Kind::socket, 5},
    };
    for (const auto& c : cases) {
        // In a child with an alarm: a pipe without a reader would block an open for writing.
        const int result = run_in_child([&] {
            ::alarm(10);
            try {
                write_puzzle_file(c.name, Values{});
            } catch (const NotRegularFileError& error) {
                return error.kind() == c.kind && error.code() == c.code && error.path() == c.name ? 0 : 1;
            } catch (...) { return 2; }
            return 3;
        });
        EXPECT_EQ(result, 0) << c.name;
    }
    bound_socket.close();
    EXPECT_TRUE(std::filesystem::is_fifo(path("tube.sud")));
    EXPECT_TRUE(std::filesystem::is_symlink(path("nul.sud")));
    EXPECT_TRUE(std::filesystem::is_empty(path("dossier")));
    EXPECT_EQ(entries(), (std::set<std::string>{"dossier", "tube.sud", "nul.sud", "lien-tube.sud", "prise.sud"}));
}

TEST_F(FilesTest, a_dangling_symbolic_link_gets_the_file_it_names_and_stays_a_link) {
    std::filesystem::create_directory(path("vrai"));
    std::filesystem::create_symlink("vrai/grille.sud", path("relatif.sud"));
    std::filesystem::create_symlink(path("vrai/absolu.sud"), path("absolu.sud"));
    std::filesystem::create_symlink("relatif.sud", path("chaine.sud"));
    write_puzzle_file(path("relatif.sud"), area_of(test::kEasy));
    write_puzzle_file(path("absolu.sud"), area_of(test::kEasy));
    const std::string text = puzzle_text(test::puzzle_values(test::kEasy));
    EXPECT_EQ(contents("vrai/grille.sud"), text);
    EXPECT_EQ(contents("vrai/absolu.sud"), text);
    for (const char* link : {"relatif.sud", "absolu.sud", "chaine.sud"})
        EXPECT_TRUE(std::filesystem::is_symlink(path(link))) << link;
    std::filesystem::remove(path("vrai/grille.sud"));
    write_puzzle_file(path("chaine.sud"), Values{});
    EXPECT_EQ(contents("vrai/grille.sud"), puzzle_text(Values{})) << "a chain of links is followed to its end";
}

TEST_F(FilesTest, links_that_lead_nowhere_fail_with_code_3_and_write_nothing) {
    std::filesystem::create_symlink("boucle-b.sud", path("boucle-a.sud"));
    std::filesystem::create_symlink("boucle-a.sud", path("boucle-b.sud"));
    std::filesystem::create_symlink("absent/grille.sud", path("perdu.sud"));
    for (const char* link : {"boucle-a.sud", "perdu.sud"})
        EXPECT_EQ(failure_code([&] { write_puzzle_file(path(link), Values{}); }), 3) << link;
    EXPECT_EQ(entries(), (std::set<std::string>{"boucle-a.sud", "boucle-b.sud", "perdu.sud"}));
}

TEST_F(FilesTest, the_file_size_limit_fails_the_save_without_ending_the_program_and_keeps_its_signal) {
    put("grille.sud", std::string(600, '7'));
    const std::string name = path("grille.sud");
    // The child does not ignore SIGXFSZ itself: the save must, and must restore it afterwards.
    const int code = run_in_child([&] {
        const rlimit limit{100, 100};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 200;
        const int failure = failure_code([&] { write_puzzle_file(name, area_of(test::kEasy)); });
        struct sigaction now {};
        ::sigaction(SIGXFSZ, nullptr, &now);
        return failure == EFBIG && now.sa_handler == SIG_DFL ? 0 : 1;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(contents("grille.sud"), std::string(600, '7'));
    EXPECT_EQ(entries(), (std::set<std::string>{"grille.sud"}));
}

TEST_F(FilesTest, failures_keep_the_system_cause_beside_their_code) {
    std::filesystem::create_directory(path("dossier"));
    const struct {
        std::string name;
        int code;
        int cause;
    } cases[] = {
        {path("absent.sud"), 2, ENOENT},
        {path("absent/grille.sud"), 3, ENOENT},
        {path("dossier"), 3, EISDIR},
    };
    for (const auto& c : cases) {
        try {
            read_puzzle_file(c.name);
            ADD_FAILURE() << c.name;
        } catch (const FileError& error) {
            EXPECT_EQ(error.code(), c.code) << c.name;
            EXPECT_EQ(error.system_error(), c.cause) << c.name;
        }
    }
    try {
        write_puzzle_file(path("absent/grille.sud"), Values{});
        ADD_FAILURE();
    } catch (const FileError& error) {
        EXPECT_EQ(error.code(), 3);
        EXPECT_EQ(error.system_error(), ENOENT);
    }
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
        return failure_code([&] { write_puzzle_file(name, Values{}); });
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
        EXPECT_EQ(failure_code([&] { write_puzzle_file("/dev/full", area); }), 5);
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

TEST_F(FilesTest, the_window_refuses_what_is_not_a_regular_file_before_opening_it) {
    std::filesystem::create_directory(path("dossier"));
    ASSERT_EQ(::mkfifo(path("tube.sud").c_str(), 0666), 0);
    std::filesystem::create_symlink("/dev/zero", path("zero.sud"));
    const std::string socket_name = path("prise.sud");
    test::BoundSocket bound_socket(socket_name);
    ASSERT_TRUE(bound_socket.bound());
    const struct {
        std::string name;
        int code;
        std::string message; // "" for a failure told by its code alone
    } cases[] = {
        {path("tube.sud"), 5,
         "« " + path("tube.sud") + " » est un tube nommé, pas un fichier ordinaire : il n'est pas ouvert"},
        {path("zero.sud"), 5,
         "« " + path("zero.sud") + " » est un périphérique, pas un fichier ordinaire : il n'est pas ouvert"},
        {"/dev/zero", 5, "« /dev/zero » est un périphérique, pas un fichier ordinaire : il n'est pas ouvert"},
        {path("prise.sud"), 5,
         "« " + path("prise.sud") + " » est une socket, pas un fichier ordinaire : il n'est pas ouvert"},
        {path("dossier"), 3, "Nom de fichier incorrect"},
    };
    for (const auto& c : cases) {
        // In a child with an alarm: opening a pipe without a writer would block.
        const int result = run_in_child([&] {
            ::alarm(2);
            WorkArea area;
            area.grid[1][1] = 7;
            try {
                read_puzzle_file(c.name, area);
            } catch (const InOutError& error) {
                return error.code() == c.code && error.message() == c.message && area.grid[1][1] == 7 ? 0 : 1;
            }
            return 3;
        });
        EXPECT_EQ(result, 0) << c.name;
    }
    bound_socket.close();
}

TEST_F(FilesTest, a_source_without_its_values_in_the_first_mebibyte_fails_instead_of_being_read_forever) {
    const std::string blanks(kPuzzleByteBound, ' ');
    std::string digits;
    for (int i = 0; i < 81; ++i) digits += "5\r\n";
    {
        std::ofstream(path("blancs.sud"), std::ios::binary) << blanks << digits;
        std::ofstream(path("presque.sud"), std::ios::binary) << blanks.substr(0, kPuzzleByteBound - 400) << digits;
        std::ofstream(path("nuls.sud"), std::ios::binary) << std::string(2 * kPuzzleByteBound, '\0');
    }
    EXPECT_EQ(failure_code([&] { read_puzzle_file(path("blancs.sud")); }), kNoPuzzleWithinBound);
    EXPECT_EQ(failure_code([&] { read_puzzle_file(path("nuls.sud")); }), kNoPuzzleWithinBound);
    EXPECT_EQ(failure_code([&] { read_puzzle(blanks + digits); }), kNoPuzzleWithinBound);
    EXPECT_EQ(read_puzzle_file(path("presque.sud"))[80], 5);
    // An endless device ends on the bound too, in a child in case it did not.
    EXPECT_EQ(run_in_child([] {
                  ::alarm(5);
                  return failure_code([] { read_puzzle_file("/dev/zero"); }) == kNoPuzzleWithinBound ? 0 : 1;
              }),
              0);
    EXPECT_EQ(in_out_message(kNoPuzzleWithinBound),
              "Pas de grille dans le premier mégaoctet : ce n'est pas un fichier de grille");
}

namespace {

std::vector<std::string> temp_names_in(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(".vornel-", 0) == 0) names.push_back(name);
    }
    return names;
}

// Starts a child that writes a large file at `target` in a loop, and returns its pid.
pid_t start_writing_child(const std::string& target, bool unnamed) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        use_unnamed_temp_files(unnamed);
        const std::string bytes(16 << 20, '5');
        for (;;) {
            try {
                write_text_file(target, bytes, Sync::skip);
            } catch (...) { ::_exit(2); }
        }
    }
    return pid;
}

} // namespace

TEST_F(FilesTest, a_write_killed_at_any_moment_leaves_no_temporary_name_behind) {
    const struct {
        bool unnamed;
        int signal_number;
    } cases[] = {{true, SIGKILL}, {true, SIGTERM}, {false, SIGTERM}, {false, SIGINT}, {false, SIGHUP}};
    for (const auto& c : cases) {
        for (int round = 0; round < 5; ++round) {
            const pid_t pid = start_writing_child(path("page.html"), c.unnamed);
            ASSERT_GT(pid, 0);
            if (c.unnamed) {
                ::usleep(static_cast<useconds_t>(3000 + 7000 * round));
            } else {
                // The named way: wait until the temporary file exists, so the kill lands mid-write.
                for (int wait = 0; wait < 5000 && temp_names_in(folder_.string()).empty(); ++wait) ::usleep(200);
            }
            ::kill(pid, c.signal_number);
            int status = 0;
            ASSERT_EQ(::waitpid(pid, &status, 0), pid);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == c.signal_number)
                << "signal " << c.signal_number << " status " << status;
            EXPECT_EQ(temp_names_in(folder_.string()), std::vector<std::string>{})
                << "unnamed " << c.unnamed << " signal " << c.signal_number;
        }
    }
}

TEST_F(FilesTest, a_write_removes_our_stale_temporary_files_and_nothing_else) {
    const std::string stale = path(".vornel-0123abcd.tmp");
    const std::string fresh = path(".vornel-89abcdef.tmp");
    const std::string other = path(".vornel-pas-nous.tmp");
    const std::string upper = path(".vornel-0123ABCD.tmp");
    for (const std::string& name : {stale, fresh, other, upper}) std::ofstream(name) << "x";
    const auto two_hours_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const std::string& name : {stale, other, upper}) std::filesystem::last_write_time(name, two_hours_ago);
    write_text_file(path("page.html"), "<p>", Sync::skip);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(fresh));
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(std::filesystem::exists(upper));
}

TEST_F(FilesTest, both_kinds_of_temporary_file_replace_and_create_targets_alike) {
    for (const bool unnamed : {true, false}) {
        use_unnamed_temp_files(unnamed);
        const std::string target = path(unnamed ? "a.sud" : "b.sud");
        write_text_file(target, "old", Sync::to_disk);
        write_text_file(target, "new", Sync::to_disk);
        std::ifstream in(target);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "new");
        EXPECT_EQ(temp_names_in(folder_.string()), std::vector<std::string>{});
    }
    use_unnamed_temp_files(true);
}
