// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "sud_file.h"

namespace vornel {

// Where a reader gets its bytes when they are not all in memory already: fill() copies up to
// `capacity` bytes into `buffer` and returns how many, 0 at the end. An error throws InOutError
// with its code.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t fill(char* buffer, std::size_t capacity) = 0;
};

// The bytes of an open file descriptor, read as they come (a pipe, a terminal, a file). A failed
// read throws InOutError with the code of its errno, and the errno stays in system_error() so
// that a caller can say what happened in its own words (EBADF for a closed descriptor, EISDIR
// for a folder). The descriptor is not closed here; `path` only serves the code mapping.
class FdSource final : public ByteSource {
public:
    FdSource(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    std::size_t fill(char* buffer, std::size_t capacity) override;
    int system_error() const { return system_error_; }

private:
    int fd_;
    std::string path_;
    int system_error_ = 0;
};

// The bytes of a standard stream. A stream that goes bad (badbit, or an exception thrown while
// reading) throws InOutError(stream_failure_code()): a stream does not tell why it failed.
class StreamSource final : public ByteSource {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}
    std::size_t fill(char* buffer, std::size_t capacity) override;

private:
    std::istream& in_;
};

// Reads the puzzle from a source, in chunks; the source may be consumed past the 81st value.
ReadOutcome scan_puzzle(ByteSource& source);

} // namespace vornel
