// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>

#include "puzzles.h"
#include "sud_file.h"

namespace vornel::test {

// A fresh, empty folder per test, removed with everything in it afterwards. It is open to every
// user so that a child process that gave up root can still reach the files in it.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "vornel-files-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        std::filesystem::permissions(folder_, std::filesystem::perms::all);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::permissions(folder_, std::filesystem::perms::all, ec);
        std::filesystem::remove_all(folder_, ec);
    }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    void put(const std::string& name, const std::string& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out << bytes;
        ASSERT_TRUE(out.good());
    }

    std::string contents(const std::string& name) const {
        std::ifstream in(path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names in the folder, so that a test sees any file left behind.
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::filesystem::path folder_;
};

// Runs `body` in a child process and returns what it returned (0-255), or -1 if the child did not
// exit normally. Limits set in the child (resource limits, a dropped user) never reach the tests.
inline int run_in_child(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        int result = 250;
        try {
            result = body();
        } catch (...) { result = 251; }
        ::_exit(result);
    }
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// In a child: stops being root, so that file permissions apply. True when permissions now apply.
inline bool drop_root() {
    if (::geteuid() != 0) return true;
    return ::setgid(65534) == 0 && ::setuid(65534) == 0 && ::geteuid() != 0;
}

// The code of the InOutError that `action` throws, 0 when it throws none.
inline int failure_code(const std::function<void()>& action) {
    try {
        action();
    } catch (const InOutError& error) { return error.code(); }
    return 0;
}

// The number of file descriptors this process has open.
inline int open_descriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
    return count;
}

} // namespace vornel::test
