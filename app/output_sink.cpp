// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_sink.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ostream>

#include "failures.h"
#include "sud_file.h"
#include "tool_voice.h"

namespace vornel {

namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

void hold_closed_descriptor(int fd, int flags) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return;
    const int held = ::open("/dev/null", flags);
    if (held >= 0 && held != fd) {
        ::dup2(held, fd);
        ::close(held);
    }
}

} // namespace

std::string write_problem(int err, int code, Language language) {
    const auto words = [&](std::string_view french, std::string_view english) {
        return std::string(say(language, french, english));
    };
    switch (err) {
        case ENOSPC:
        case EDQUOT: return in_out_message(101, language);
        case EFBIG:
            return words("Fichier trop volumineux : limite de taille des fichiers atteinte",
                         "File too large: the file-size limit is reached");
        case EBADF: return words("Sortie fermée", "Output closed");
        case EPIPE: return words("Tube fermé par son lecteur", "Pipe closed by its reader");
        case ENOENT:
            return code == 3 ? words("Dossier introuvable", "Folder not found")
                             : in_out_message(code != 0 ? code : 2, language);
        case 0: return code == 0 ? words("Écriture impossible", "Cannot write") : in_out_message(code, language);
        default: return in_out_message(code != 0 ? code : in_out_code_for_errno(err, true), language);
    }
}

int finish_output(std::string_view program, OutputSink& out, OutputSink& err, int status, Language language) {
    out.flush();
    if (out.failed()) {
        const int cause = out.failure_errno();
        const bool english = language == Language::English;
        err.write(tool_message(
            program,
            cause == EBADF ? std::string(english ? "standard output is closed." : "la sortie standard est fermée.")
            : english      ? "standard output could not be written (" + write_problem(cause, 0, language) + ")."
                      : "la sortie standard n'a pas pu être écrite (" + write_problem(cause, 0, language) + ")."));
        status = 1;
    }
    err.flush();
    return status;
}

void prepare_standard_descriptors() {
    ::signal(SIGXFSZ, SIG_IGN);
    hold_closed_descriptor(0, O_WRONLY);
    hold_closed_descriptor(1, O_RDONLY);
    hold_closed_descriptor(2, O_RDONLY);
}

bool OutputSink::write(std::string_view bytes) { return !failed_ && (bytes.empty() || record(put(bytes))); }

bool OutputSink::flush() { return !failed_ && record(drain()); }

bool OutputSink::record(int result) {
    if (result == 0) return true;
    failed_ = true;
    failure_errno_ = result > 0 ? result : 0;
    return false;
}

FdSink::FdSink(int fd) : fd_(fd) { buffer_.reserve(kBufferBytes); }

FdSink::~FdSink() {
    // What the caller did not flush is still written; a failure can no longer be told.
    if (!failed()) flush();
}

int FdSink::put(std::string_view bytes) {
    if (buffer_.size() + bytes.size() > kBufferBytes) {
        if (const int err = drain(); err != 0) return err;
        if (bytes.size() >= kBufferBytes) return write_all(bytes);
    }
    buffer_.append(bytes);
    return 0;
}

int FdSink::drain() {
    const int err = write_all(buffer_);
    buffer_.clear();
    return err;
}

int FdSink::write_all(std::string_view bytes) {
    // Where a file's writes start, to take back a part written before a failure (the file-size
    // limit, a full disk), so that a file never ends in half a line; -1 for a pipe or a terminal.
    const off_t start = bytes.empty() ? -1 : ::lseek(fd_, 0, SEEK_CUR);
    bool partial = false;
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        int err = 0;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) err = errno;
        if (n == 0) err = EIO; // no progress and no reason: give up rather than spin
        if (err != 0) {
            struct stat info {};
            if (partial && start >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode)) {
                [[maybe_unused]] const int cut = ::ftruncate(fd_, start);
            }
            return err;
        }
        partial = true;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

int StreamSink::put(std::string_view bytes) {
    try {
        out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    } catch (...) { return -1; }
    return out_ ? 0 : -1;
}

int StreamSink::drain() {
    try {
        out_.flush();
    } catch (...) { return -1; }
    return out_ ? 0 : -1;
}

} // namespace vornel
