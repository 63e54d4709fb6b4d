// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

#include "language.h"

namespace vornel {

// Where vornel-explain writes its results or its messages. Every write and the final flush are
// checked: the first failure is kept with its cause, later writes are dropped (they could only
// fail again or write a hole in the output), and the caller asks failed() and failure_cause() to
// tell the user. Not for use by several threads at once.
class OutputSink {
public:
    virtual ~OutputSink() = default;

    // Writes (or buffers) the bytes. False once the output has failed.
    bool write(std::string_view bytes);
    // Writes out everything buffered. False once the output has failed.
    bool flush();

    bool failed() const { return failed_; }
    // The errno of the failure, or 0 when the output did not say why.
    int failure_errno() const { return failure_errno_; }

protected:
    // Return 0 on success, else the errno of the failure, or -1 when its cause is unknown.
    virtual int put(std::string_view bytes) = 0;
    virtual int drain() = 0;

private:
    bool record(int result);

    bool failed_ = false;
    int failure_errno_ = 0;
};

// An open file descriptor (standard output or error), buffered; the descriptor stays open.
// SIGPIPE keeps its usual effect: a reader that goes away ends the program, as for any filter.
class FdSink final : public OutputSink {
public:
    explicit FdSink(int fd);
    ~FdSink() override;

protected:
    int put(std::string_view bytes) override;
    int drain() override;

private:
    int write_all(std::string_view bytes);

    int fd_;
    std::string buffer_;
};

// A standard stream, for tests and for callers that hand the tool a stream. A stream does not
// say why it failed, so the cause is unknown.
class StreamSink final : public OutputSink {
public:
    explicit StreamSink(std::ostream& out) : out_(out) {}

protected:
    int put(std::string_view bytes) override;
    int drain() override;

private:
    std::ostream& out_;
};

// What went wrong writing an output, in French, from the errno (0 when unknown) and the failure
// code of the file layer (0 when none): "Disque plein", "Sortie fermée", "Tube fermé par son
// lecteur", the file-size limit, "Dossier introuvable" for a missing folder...
std::string write_problem(int err, int code, Language language = Language::French);

// Flushes `out`; if it failed at any point, says so on `err` in the voice of `program` and returns
// status 1, else `status`. Flushes `err` last.
int finish_output(std::string_view program, OutputSink& out, OutputSink& err, int status,
                  Language language = Language::French);

// How a command-line tool starts: the file-size limit's signal ignored (a write past the limit
// then fails with EFBIG and is reported instead of killing the tool halfway through a line), and a
// closed standard descriptor held by /dev/null opened the wrong way round, so that writing it
// fails with EBADF as the closed one would, and no file opened later takes its number.
void prepare_standard_descriptors();

} // namespace vornel
