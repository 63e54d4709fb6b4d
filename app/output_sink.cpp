#include "output_sink.h"

#include <unistd.h>

#include <cerrno>
#include <ostream>

namespace vornel {

namespace {
constexpr std::size_t kBufferBytes = 64 * 1024;
} // namespace

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
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO; // no progress and no reason: give up rather than spin
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
