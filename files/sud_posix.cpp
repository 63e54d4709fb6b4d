// The file-level reader and writer over POSIX calls, so that every error the system reports is
// seen with its errno, and the one mapping of errno onto failure codes.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>

#include "byte_source.h"
#include "sud_file.h"

namespace vornel {

namespace {

// An open file descriptor, closed when it goes out of scope unless close() already did.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now and returns 0, or the errno of a failed close (the descriptor is released
    // either way).
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 || errno == EINTR ? 0 : errno; // closed even when interrupted
    }

private:
    int fd_;
};

bool bad_name(const std::string& path) { return path.empty() || path.find('\0') != std::string::npos; }

std::string folder_of(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

[[noreturn]] void fail(int err, const std::string& path) { throw InOutError(in_out_code_for_path(err, path)); }

class FdSource final : public detail::ByteSource {
public:
    FdSource(int fd, const std::string& path) : fd_(fd), path_(path) {}
    std::size_t fill(char* buffer, std::size_t capacity) override {
        for (;;) {
            const ssize_t n = ::read(fd_, buffer, capacity);
            if (n >= 0) return static_cast<std::size_t>(n);
            if (errno != EINTR) fail(errno, path_);
        }
    }

private:
    int fd_;
    const std::string& path_;
};

void write_all(int fd, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, path);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// A temporary file beside the target, removed when it goes out of scope unless kept.
class TempFile {
public:
    explicit TempFile(const std::string& target) {
        static std::atomic<unsigned> counter{0};
        std::random_device random;
        const std::string folder = std::filesystem::path(target).parent_path().string();
        for (int attempt = 0;; ++attempt) {
            const unsigned tag = random() ^ (counter++ * 2654435761u);
            char name[32];
            std::snprintf(name, sizeof name, ".vornel-%08x.tmp", tag);
            path_ = folder.empty() ? std::string(name) : folder + "/" + name;
            const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fd_ = fd;
                return;
            }
            if (errno != EEXIST || attempt >= 100) {
                path_.clear();
                fail(errno, target);
            }
        }
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 || errno == EINTR ? 0 : errno; // closed even when interrupted
    }
    void keep() { path_.clear(); }

private:
    std::string path_;
    int fd_ = -1;
};

void write_in_place(const std::string& path, std::string_view bytes) {
    Fd fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0) fail(errno, path);
    write_all(fd.get(), bytes, path);
    if (const int err = fd.close(); err != 0) fail(err, path);
}

void replace_atomically(const std::string& path, std::string_view bytes, Sync sync) {
    // Write through a symbolic link to the file it names, as an in-place write would.
    std::string target = path;
    struct stat link_info {};
    if (::lstat(path.c_str(), &link_info) == 0 && S_ISLNK(link_info.st_mode)) {
        std::error_code ec;
        const auto resolved = std::filesystem::canonical(path, ec);
        if (!ec) target = resolved.string();
    }

    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    // Replacing is writing: a file we may not write stays as it is.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) fail(errno, target);

    TempFile temp(target);
    if (exists) {
        // Keep the replaced file's owner and permissions, as far as we are allowed to.
        [[maybe_unused]] const int owner_kept = ::fchown(temp.fd(), info.st_uid, info.st_gid);
        [[maybe_unused]] const int mode_kept = ::fchmod(temp.fd(), info.st_mode & 07777);
    }
    write_all(temp.fd(), bytes, path);
    if (sync == Sync::to_disk && ::fsync(temp.fd()) != 0) fail(errno, path);
    if (const int err = temp.close(); err != 0) fail(err, path);
    if (::rename(temp.path().c_str(), target.c_str()) != 0) fail(errno, path);
    temp.keep();

    // Make the rename itself durable; a failure here loses nothing already written.
    if (sync == Sync::skip) return;
    Fd folder(::open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) { [[maybe_unused]] const int synced = ::fsync(folder.get()); }
}

} // namespace

int stream_failure_code() { return in_out_code_for_errno(EIO, true); }

int in_out_code_for_errno(int err, bool folder_exists) {
    switch (err) {
        case ENOENT: return folder_exists ? 2 : 3;
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
        case EISDIR: return 3;
        case EMFILE:
        case ENFILE: return 4;
        case EACCES:
        case EPERM:
        case EROFS: return 5;
        case ENOSPC:
        case EDQUOT: return 101;
        default: break;
    }
    switch (err) {
        case 2:
        case 3:
        case 4:
        case 5:
        case 100:
        case 101:
        case 106: return 1000 + err; // would read as another failure's message
        default: return err;
    }
}

int in_out_code_for_path(int err, const std::string& path) {
    if (bad_name(path)) return 3;
    if (err != ENOENT) return in_out_code_for_errno(err, true);
    struct stat info {};
    const bool folder_exists = ::stat(folder_of(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    return in_out_code_for_errno(err, folder_exists);
}

PuzzleValues read_puzzle_file(const std::string& path) {
    if (bad_name(path)) throw FileOpenError(3, path);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw FileOpenError(in_out_code_for_path(errno, path), path);
    struct stat info {};
    if (::fstat(fd.get(), &info) == 0 && S_ISDIR(info.st_mode))
        throw FileOpenError(in_out_code_for_errno(EISDIR, true), path);

    FdSource source(fd.get(), path);
    const ReadOutcome outcome = detail::scan_puzzle(source);
    if (outcome.failure != 0) throw InOutError(outcome.failure);
    if (const int err = fd.close(); err != 0) fail(err, path);
    return outcome.values;
}

void read_puzzle_file(const std::string& path, WorkArea& area) { store_values(area, read_puzzle_file(path)); }

void write_puzzle_file(const std::string& path, const PuzzleValues& values, Sync sync) {
    if (bad_name(path)) throw InOutError(3);
    const std::string bytes = puzzle_text(values);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) throw InOutError(in_out_code_for_errno(EISDIR, true));
        if (!S_ISREG(info.st_mode)) {
            write_in_place(path, bytes); // a device or a pipe: there is no content to keep
            return;
        }
    }
    replace_atomically(path, bytes, sync);
}

void write_puzzle_file(const std::string& path, const WorkArea& area, Sync sync) {
    write_puzzle_file(path, values_of(area), sync);
}

} // namespace vornel
