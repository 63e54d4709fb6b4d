// The file-level reader and writer over POSIX calls, so that every error the system reports is
// seen with its errno, and the one mapping of errno onto failure codes.

#include <fcntl.h>
#include <signal.h>
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
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now and returns 0, or the errno of a failed close (the descriptor is released
    // either way, even when the close is interrupted).
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
    }

private:
    int fd_;
};

bool bad_name(const std::string& path) { return path.empty() || path.find('\0') != std::string::npos; }

std::string folder_of(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

[[noreturn]] void fail(int err, const std::string& path) {
    throw FileError(in_out_code_for_path(err, path), path, err);
}

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
                fd_.reset(fd);
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
        fd_.reset(-1);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    int fd() const { return fd_.get(); }
    const std::string& path() const { return path_; }
    int close() { return fd_.close(); }
    void keep() { path_.clear(); }

private:
    std::string path_;
    Fd fd_;
};

// Ignores the file-size limit's signal while it lives, so that a write past the limit fails with
// EFBIG instead of ending the program; the previous disposition comes back afterwards.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        saved_ = ::sigaction(SIGXFSZ, &ignore, &previous_) == 0;
    }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;
    ~FileSizeSignalIgnored() {
        if (saved_) ::sigaction(SIGXFSZ, &previous_, nullptr);
    }

private:
    struct sigaction previous_ {};
    bool saved_ = false;
};

NotRegularFileError::Kind kind_of(mode_t mode) {
    if (S_ISDIR(mode)) return NotRegularFileError::Kind::folder;
    if (S_ISFIFO(mode)) return NotRegularFileError::Kind::pipe;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return NotRegularFileError::Kind::device;
    if (S_ISSOCK(mode)) return NotRegularFileError::Kind::socket;
    return NotRegularFileError::Kind::other;
}

// The file a name stands for once its symbolic links are followed, whether that file exists or
// not: a link's relative target counts from the link's folder. A loop of links fails with ELOOP.
std::string resolve_links(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n < 0) fail(errno, path);
        if (static_cast<std::size_t>(n) >= target.size()) fail(ENAMETOOLONG, path); // grew meanwhile
        target.resize(static_cast<std::size_t>(n));
        if (target.empty() || target.front() != '/') {
            const std::string folder = std::filesystem::path(current).parent_path().string();
            if (!folder.empty()) target = folder + "/" + target;
        }
        current = target;
    }
    fail(ELOOP, path);
}

void replace_atomically(const std::string& path, std::string_view bytes, Sync sync) {
    const std::string target = resolve_links(path);

    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) throw NotRegularFileError(kind_of(info.st_mode), path);
    // Replacing is writing: a file we may not write stays as it is.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) fail(errno, target);

    const FileSizeSignalIgnored no_signal;
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

std::size_t FdSource::fill(char* buffer, std::size_t capacity) {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, capacity);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno == EINTR) continue;
        system_error_ = errno;
        throw FileError(in_out_code_for_path(system_error_, path_), path_, system_error_);
    }
}

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

NotRegularFileError NotRegularFileError::refused_open(Kind kind, const std::string& path) {
    return NotRegularFileError(
        kind, path, "« " + path + " » est " + kind_name(kind) + ", pas un fichier ordinaire : il n'est pas ouvert");
}

std::string kind_name(NotRegularFileError::Kind kind) {
    switch (kind) {
        case NotRegularFileError::Kind::folder: return "un dossier";
        case NotRegularFileError::Kind::pipe: return "un tube nommé";
        case NotRegularFileError::Kind::device: return "un périphérique";
        case NotRegularFileError::Kind::socket: return "une socket";
        case NotRegularFileError::Kind::other: break;
    }
    return "un fichier spécial";
}

PuzzleValues read_puzzle_file(const std::string& path, Readable readable) {
    if (bad_name(path)) throw FileOpenError(3, path, ENOENT);
    const bool regular_only = readable == Readable::regular_files;
    // Looked at before opening: opening a named pipe waits for a writer, and a socket cannot be
    // opened at all. A folder keeps its own failure (3) below.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) &&
        (S_ISSOCK(info.st_mode) || (regular_only && !S_ISREG(info.st_mode))))
        throw NotRegularFileError::refused_open(kind_of(info.st_mode), path);

    // Without O_NONBLOCK a pipe put in the file's place meanwhile would still block the window.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | (regular_only ? O_NONBLOCK : 0)));
    if (fd.get() < 0) throw FileOpenError(in_out_code_for_path(errno, path), path, errno);
    if (::fstat(fd.get(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) throw FileOpenError(in_out_code_for_errno(EISDIR, true), path, EISDIR);
        if (regular_only && !S_ISREG(info.st_mode))
            throw NotRegularFileError::refused_open(kind_of(info.st_mode), path);
    }

    FdSource source(fd.get(), path);
    const ReadOutcome outcome = scan_puzzle(source);
    if (outcome.failure != 0) {
        if (source.system_error() != 0) throw FileError(outcome.failure, path, source.system_error());
        throw InOutError(outcome.failure);
    }
    if (const int err = fd.close(); err != 0) fail(err, path);
    return outcome.values;
}

void read_puzzle_file(const std::string& path, WorkArea& area) {
    store_values(area, read_puzzle_file(path, Readable::regular_files));
}

void write_puzzle_file(const std::string& path, const PuzzleValues& values, Sync sync) {
    if (bad_name(path)) throw FileError(3, path, ENOENT);
    replace_atomically(path, puzzle_text(values), sync);
}

void write_puzzle_file(const std::string& path, const WorkArea& area, Sync sync) {
    write_puzzle_file(path, values_of(area), sync);
}

void write_text_file(const std::string& path, std::string_view bytes, Sync sync) {
    if (bad_name(path)) throw FileError(3, path, ENOENT);
    replace_atomically(path, bytes, sync);
}

} // namespace vornel
