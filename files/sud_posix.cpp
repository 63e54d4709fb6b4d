// SPDX-License-Identifier: GPL-3.0-or-later
// The file-level reader and writer over POSIX calls, so that every error the system reports is
// seen with its errno, and the one mapping of errno onto failure codes.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <mutex>
#include <optional>
#include <random>
#include <set>

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

constexpr char kTempPrefix[] = ".vornel-";
constexpr char kTempSuffix[] = ".tmp";
// A temporary file of ours older than this was left by a process that ended in the middle of a
// write (killed, or on a system without unnamed temporary files): the next write removes it.
constexpr std::time_t kStaleSeconds = 3600;

// The name of the temporary file being written, for the signal handlers below: a fixed buffer, as
// a handler may only read memory that is already there. Empty when no temporary file has a name.
char g_temp_name[4096];
std::atomic<bool> g_unnamed_temps{true};
volatile std::sig_atomic_t g_temp_named = 0;

extern "C" void remove_temp_and_die(int signal_number) {
    if (g_temp_named != 0) ::unlink(g_temp_name);
    ::signal(signal_number, SIG_DFL);
    ::raise(signal_number);
}

// While a named temporary file exists, SIGTERM, SIGINT and SIGHUP remove it before ending the
// program as they would have. Only signals left at their default action are taken over: a
// program with handlers of its own (the window) keeps them.
class TempNameGuard {
public:
    explicit TempNameGuard(const std::string& name) {
        if (name.size() >= sizeof g_temp_name) return;
        std::copy(name.begin(), name.end(), g_temp_name);
        g_temp_name[name.size()] = '\0';
        g_temp_named = 1;
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            struct sigaction current {};
            if (::sigaction(kSignals[i], nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
            struct sigaction handler {};
            handler.sa_handler = remove_temp_and_die;
            sigemptyset(&handler.sa_mask);
            taken_[i] = ::sigaction(kSignals[i], &handler, nullptr) == 0;
        }
    }
    TempNameGuard(const TempNameGuard&) = delete;
    TempNameGuard& operator=(const TempNameGuard&) = delete;
    ~TempNameGuard() {
        g_temp_named = 0;
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            if (taken_[i]) ::signal(kSignals[i], SIG_DFL);
    }

private:
    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    bool taken_[std::size(kSignals)] = {};
};

// A fresh name for a temporary file in `folder` ("" for the current folder).
std::string temp_name(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    static std::random_device random;
    const unsigned tag = random() ^ (counter++ * 2654435761u);
    char name[32];
    std::snprintf(name, sizeof name, "%s%08x%s", kTempPrefix, tag, kTempSuffix);
    return folder.empty() ? std::string(name) : folder + "/" + name;
}

bool is_our_temp_name(std::string_view name) {
    const std::size_t prefix = sizeof kTempPrefix - 1;
    const std::size_t suffix = sizeof kTempSuffix - 1;
    if (name.size() != prefix + 8 + suffix || name.substr(0, prefix) != kTempPrefix ||
        name.substr(prefix + 8) != kTempSuffix)
        return false;
    for (const char ch : name.substr(prefix, 8))
        if (!std::isxdigit(static_cast<unsigned char>(ch)) || std::isupper(static_cast<unsigned char>(ch)))
            return false;
    return true;
}

// Removes the temporary files of ours that a killed write left in `folder`, once per folder and
// process: regular files with our exact name pattern, owned by us, not touched for an hour.
void remove_stale_temps(const std::string& folder) {
    static std::mutex mutex;
    static std::set<std::string> swept;
    {
        const std::lock_guard lock(mutex);
        if (!swept.insert(folder).second) return;
    }
    std::error_code ec;
    const std::time_t now = std::time(nullptr);
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (!is_our_temp_name(name)) continue;
        struct stat info {};
        if (::lstat(it->path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
        if (now - info.st_mtime >= kStaleSeconds) ::unlink(it->path().c_str());
    }
}

// A temporary file beside the target. Where the system allows it the file has no name until it is
// complete (O_TMPFILE), so a kill at any point leaves nothing behind; otherwise it is created
// under a name of ours, which the signal guard and the destructor remove unless it was kept.
class TempFile {
public:
    explicit TempFile(const std::string& target) : folder_(std::filesystem::path(target).parent_path().string()) {
        remove_stale_temps(folder_);
        const int unnamed =
            g_unnamed_temps ? ::open(folder_.empty() ? "." : folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)
                            : -1;
        if (unnamed >= 0) {
            fd_.reset(unnamed);
            return;
        }
        for (int attempt = 0;; ++attempt) {
            path_ = temp_name(folder_);
            // The guard comes first: a signal between the creation and the guard would leave the name.
            guard_.emplace(path_);
            const int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd >= 0) {
                fd_.reset(fd);
                return;
            }
            const int err = errno;
            guard_.reset();
            if (err != EEXIST || attempt >= 100) {
                path_.clear();
                fail(err, target);
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

    // Closes the written file and puts it in the target's place. An unnamed file is linked in
    // directly when the target does not exist; otherwise it first gets a name of ours, which the
    // rename takes away. A named file is closed before the rename, so that a failure the close
    // reports leaves the target as it was. Returns 0 or the errno of the failure.
    int install(const std::string& target) {
        if (!path_.empty()) {
            if (const int err = fd_.close(); err != 0) return err;
        } else {
            const std::string self = "/proc/self/fd/" + std::to_string(fd_.get());
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return fd_.close();
            if (errno != EEXIST) return errno;
            for (int attempt = 0;; ++attempt) {
                std::string name = temp_name(folder_);
                guard_.emplace(name);
                if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                    path_ = std::move(name);
                    break;
                }
                const int err = errno;
                guard_.reset();
                if (err != EEXIST || attempt >= 100) return err;
            }
        }
        if (::rename(path_.c_str(), target.c_str()) != 0) return errno;
        path_.clear();
        return fd_.get() >= 0 ? fd_.close() : 0;
    }

private:
    std::string folder_;
    std::string path_; // the temporary file's name while it has one
    Fd fd_;
    std::optional<TempNameGuard> guard_;
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
    if (const int err = temp.install(target); err != 0) fail(err, path);

    // Make the rename itself durable; a failure here loses nothing already written.
    if (sync == Sync::skip) return;
    Fd folder(::open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0) { [[maybe_unused]] const int synced = ::fsync(folder.get()); }
}

} // namespace

void use_unnamed_temp_files(bool use) { g_unnamed_temps = use; }

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

std::string file_failure_message(const Failure& failure, Language language) {
    const auto* refused = dynamic_cast<const NotRegularFileError*>(&failure);
    if (language == Language::English && refused != nullptr && failure.message() != in_out_message(refused->code()))
        return "'" + refused->path() + "' is " + kind_name(refused->kind(), language) +
               ", not a regular file: it is not opened";
    if (const auto* large = dynamic_cast<const FileTooLargeError*>(&failure); large && language == Language::English)
        return "'" + large->path() + "' is larger than " + byte_size_text(large->limit(), language) +
               ", far more than such a file needs: it is not opened";
    return failure_message(failure, language);
}

std::string kind_name(NotRegularFileError::Kind kind, Language language) {
    if (language == Language::English) {
        switch (kind) {
            case NotRegularFileError::Kind::folder: return "a folder";
            case NotRegularFileError::Kind::pipe: return "a named pipe";
            case NotRegularFileError::Kind::device: return "a device";
            case NotRegularFileError::Kind::socket: return "a socket";
            case NotRegularFileError::Kind::other: break;
        }
        return "a special file";
    }
    switch (kind) {
        case NotRegularFileError::Kind::folder: return "un dossier";
        case NotRegularFileError::Kind::pipe: return "un tube nommé";
        case NotRegularFileError::Kind::device: return "un périphérique";
        case NotRegularFileError::Kind::socket: return "une socket";
        case NotRegularFileError::Kind::other: break;
    }
    return "un fichier spécial";
}

Values read_puzzle_file(const std::string& path, Readable readable) {
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

FileTooLargeError::FileTooLargeError(std::string path, std::size_t limit)
    : FileError(5, path, EFBIG,
                "« " + path + " » fait plus de " + byte_size_text(limit) +
                    ", bien plus qu'un tel fichier n'en demande : il n'est pas ouvert"),
      limit_(limit) {}

std::string byte_size_text(std::size_t bytes, Language language) {
    const bool en = language == Language::English;
    if (bytes >= (std::size_t{1} << 20) && bytes % (std::size_t{1} << 20) == 0)
        return std::to_string(bytes >> 20) + (en ? " MiB" : " Mio");
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes >> 10) + (en ? " KiB" : " Kio");
    return std::to_string(bytes) + (en ? (bytes == 1 ? " byte" : " bytes") : (bytes <= 1 ? " octet" : " octets"));
}

std::string read_small_file(const std::string& path, std::size_t limit) {
    if (bad_name(path)) throw FileOpenError(3, path, ENOENT);
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode) && !S_ISREG(info.st_mode))
        throw NotRegularFileError::refused_open(kind_of(info.st_mode), path);
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) throw FileOpenError(in_out_code_for_path(errno, path), path, errno);
    if (::fstat(fd.get(), &info) != 0) fail(errno, path);
    if (S_ISDIR(info.st_mode)) throw FileOpenError(in_out_code_for_errno(EISDIR, true), path, EISDIR);
    if (!S_ISREG(info.st_mode)) throw NotRegularFileError::refused_open(kind_of(info.st_mode), path);
    if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > limit) throw FileTooLargeError(path, limit);

    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[16384];
    FdSource source(fd.get(), path);
    // One byte past the limit is enough to know that the file grew beyond it.
    while (bytes.size() <= limit) {
        const std::size_t n = source.fill(chunk, std::min(sizeof chunk, limit + 1 - bytes.size()));
        if (n == 0) break;
        bytes.append(chunk, n);
    }
    if (bytes.size() > limit) throw FileTooLargeError(path, limit);
    if (const int err = fd.close(); err != 0) fail(err, path);
    return bytes;
}

void read_puzzle_file(const std::string& path, WorkArea& area) {
    store_values(area, read_puzzle_file(path, Readable::regular_files));
}

void write_puzzle_file(const std::string& path, const Values& values, Sync sync) {
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
