// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

#include "board.h"
#include "failures.h"
#include "work_area.h"

namespace vornel {

// The ".sud" puzzle file: 81 lines, one cell value each, row 1 columns 1-9 first, then row 2, and
// so on. The writer puts each value in its shortest decimal form followed by CR LF, so a grid of
// digits is exactly 243 bytes. The reader is tolerant:
//  - bytes 0-32 are skipped before a value, across line ends; a byte 26 ends the file wherever
//    it stands (before a value, inside the rest of a line, anywhere);
//  - a value is the run of bytes above 32 that follows, at most 32 of them (the byte that ends
//    the run stays unread), converted by convert_sud_token;
//  - the rest of its line is then skipped, up to and including the next LF (a CR not followed by
//    LF does not end a line);
//  - the low 16 bits of the 32-bit value are kept (65537 -> 1, 40000 -> -25536);
//  - a file that ends before 81 values gives 0 for every missing value, without failure; what
//    follows the 81st value is never looked at;
//  - but a source that has not given its 81 values within its first kPuzzleByteBound bytes (1 MiB)
//    fails with kNoPuzzleWithinBound: no puzzle needs that many, and an endless source (a device
//    that never ends, such as /dev/zero) would otherwise be read forever.
// Every failure is an InOutError carrying its code: 106 for a value that is not a number, or the
// code that in_out_code_for_errno gives for an operating-system error.

inline constexpr std::size_t kPuzzleByteBound = std::size_t{1} << 20;
// The failure code of a read that met the bound; its message says so (see in_out_message).
inline constexpr int kNoPuzzleWithinBound = kInOutNoPuzzleWithinBound;

Values values_of(const WorkArea& area);
void store_values(WorkArea& area, const Values& values);

// ---- Conversion of one value ------------------------------------------------------------------

// The result of converting one run of bytes. On success `value` is the 32-bit number. On failure
// `value` holds the digits accumulated before the point of failure, without the sign, as a 32-bit
// pattern: for "5a" it is 5, for "-" or "$" it is 0, for "21474836470" (whose last digit would
// follow a value above 214748364) it is 2147483647, and for "2147483648" (all digits taken, the
// result does not fit) it is 2147483648 taken as a 32-bit pattern. The reader keeps that partial
// value in its outcome (see ReadOutcome); nothing the program shows ever holds it.
struct TokenValue {
    std::int32_t value = 0;
    bool ok = false;
};

// Converts a run: an optional "+" or "-"; then either a hexadecimal number introduced by "$",
// "x", "X", "0x" or "0X" (digits 0-9, A-F, a-f; the value before each next digit must not exceed
// 268435455; taken as a 32-bit pattern, negated for "-"), or decimal digits (the value before each
// next digit must not exceed 214748364, and the result must fit a signed 32-bit integer, so
// 2147483648 only with "-"). Leading zeros are allowed. Anything else fails.
TokenValue convert_sud_token(std::string_view run);

// ---- Reading from bytes or a stream -----------------------------------------------------------

// What the reader met, value by value: `values` holds the `count` values read so far (the value
// that failed included, with its partial value); the others are 0. `failure` is 0, 106 or an
// operating-system code; reading stops at the first one. Only scan_puzzle hands this out, for
// tests and diagnostics: read_puzzle and read_puzzle_file give a complete read or throw, so a
// partial read never reaches a grid.
struct ReadOutcome {
    Values values{};
    int count = 0;
    int failure = 0;
};

ReadOutcome scan_puzzle(std::string_view bytes);
// Reads the stream in chunks: it may be consumed past the 81st value. A stream that goes bad
// (badbit, or an std::ios_base::failure thrown while reading) is a failure with the code
// stream_failure_code() gives.
ReadOutcome scan_puzzle(std::istream& in);

// The 81 values of a complete read (81 values, or a short file); throws InOutError otherwise.
Values read_puzzle(std::string_view bytes);
Values read_puzzle(std::istream& in);

// ---- Writing to bytes or a stream -------------------------------------------------------------

// The exact bytes of the file for these values.
std::string puzzle_text(const Values& values);

// Writes the 81 lines, checking the stream after each, then flushes it. A stream that fails
// (failbit or badbit, or an std::ios_base::failure) throws InOutError(stream_failure_code()); the
// stream then holds whatever it accepted before the failure.
void write_puzzle(std::ostream& out, const Values& values);
void write_puzzle(std::ostream& out, const WorkArea& area);

// ---- Files ------------------------------------------------------------------------------------

// A failure on a named file. Besides the code (and so the message the window shows) it keeps the
// path and the errno the system gave (0 when there was none, as for a target refused for its
// kind), so that a tool can tell causes apart that share a code: a missing folder and a folder
// given as a file are both 3.
class FileError : public InOutError {
public:
    FileError(int code, std::string path, int system_error)
        : InOutError(code), path_(std::move(path)), system_error_(system_error) {}
    FileError(int code, std::string path, int system_error, const std::string& message)
        : InOutError(code, message), path_(std::move(path)), system_error_(system_error) {}
    const std::string& path() const { return path_; }
    int system_error() const { return system_error_; }

private:
    std::string path_;
    int system_error_;
};

// The named file could not be opened for reading, with the mapped code (2 missing file, 3 missing
// folder or bad name or a folder, 4 too many open files, 5 refused access, ...). Callers that do
// not care may catch InOutError alone.
class FileOpenError : public FileError {
public:
    using FileError::FileError;
};

// A path that exists but is not a regular file, nor a symbolic link to one. As a save target it
// is never opened (so a pipe without a reader cannot block the save) and never replaced: a folder
// is refused with 3, as a folder name cannot name a file, anything else with 5. Opened by the
// window it is refused before it is opened, with a message that names what it is.
class NotRegularFileError : public FileError {
public:
    enum class Kind { folder, pipe, device, socket, other };
    NotRegularFileError(Kind kind, std::string path)
        : FileError(kind == Kind::folder ? 3 : 5, std::move(path), 0), kind_(kind) {}
    // The refusal to open it: "« NAME » est un tube nommé, pas un fichier ordinaire : ...".
    static NotRegularFileError refused_open(Kind kind, const std::string& path);
    Kind kind() const { return kind_; }

private:
    NotRegularFileError(Kind kind, std::string path, const std::string& message)
        : FileError(kind == Kind::folder ? 3 : 5, std::move(path), 0, message), kind_(kind) {}
    Kind kind_;
};

// "un dossier", "un tube nommé", "un périphérique", "une socket", "un fichier spécial".
std::string kind_name(NotRegularFileError::Kind kind, Language language = Language::French);

// The message of any failure of the file code in the language: failure_message(), and the refusal
// to open a file that is not a regular one ("« NAME » est un tube nommé, pas un fichier ordinaire :
// il n'est pas ouvert", "'NAME' is a named pipe, not a regular file: it is not opened").
std::string file_failure_message(const Failure& failure, Language language);

// What a reader accepts besides regular files. The window opens regular files only: anything else
// (a named pipe, a device, a socket) could block it in open() or feed it forever, so it is refused
// before it is opened. The tools read pipes and devices as the streams they are (process
// substitution and /dev/stdin reach them so); a socket is refused, a folder fails as before.
enum class Readable { regular_files, streams_too };

// Opens the named file (no extension added) and reads it. Throws FileOpenError when it cannot be
// opened, InOutError for a failure while reading or closing, NotRegularFileError for a path that
// `readable` does not accept. The file is closed on every path.
Values read_puzzle_file(const std::string& path, Readable readable = Readable::streams_too);

// Reads the named file into area.grid, as the window does: regular files only. Only a complete
// read changes the grid: on any failure the whole grid keeps its old values.
void read_puzzle_file(const std::string& path, WorkArea& area);

// A regular file larger than its reader accepts: refused before a byte of it is read.
class FileTooLargeError : public FileError {
public:
    FileTooLargeError(std::string path, std::size_t limit);
    std::size_t limit() const { return limit_; }

private:
    std::size_t limit_;
};

// "1 Mio", "64 Kio", "100 octets" (English "1 MiB", "64 KiB", "100 bytes").
std::string byte_size_text(std::size_t bytes, Language language = Language::French);

// The whole of a small file, as a reader of documents that are never large (a game file, a
// record of progress) wants it: regular files only (a named pipe, a device or a socket is refused
// before it is opened, and opened without blocking, so the window never waits on one), and at
// most `limit` bytes: a longer file, or one that grows past the limit while it is read, is refused
// with FileTooLargeError before its bytes are kept. Other failures as read_puzzle_file's.
std::string read_small_file(const std::string& path, std::size_t limit);

// Writes area.grid to the named file, creating or replacing it. The bytes go to a temporary file
// in the target's folder, which is flushed to disk and then renamed over the target, so a failure
// at any point leaves an existing file as it was and removes the temporary file. A symbolic link
// is written through: the file it names is replaced (or created, for a link whose file does not
// exist yet) and the link stays. A target that exists but is not a regular file is refused
// (NotRegularFileError). An existing target that we may not write is refused with 5, as is a
// folder that does not let us create the temporary file. The file-size limit counts as a write
// failure: its signal is ignored while the file is written, and the save fails with the code of
// EFBIG. Every other failure is a FileError with the mapped code and the errno.
// `sync` says whether the temporary file is flushed to disk before the rename (the default, as a
// save from the window wants); Sync::skip leaves that to the system, for tools that write many
// files into a fresh folder where a flush per file would cost milliseconds each.
enum class Sync { to_disk, skip };
// The temporary file has no name until it is complete where the system allows it; a system
// without unnamed files gets a ".vornel-XXXXXXXX.tmp" name that SIGTERM, SIGINT and SIGHUP remove,
// and a write into a folder first removes such names of ours left there for an hour or more.
// Passing false forces the named way (tests use it to reach that path).
void use_unnamed_temp_files(bool use);
void write_puzzle_file(const std::string& path, const WorkArea& area, Sync sync = Sync::to_disk);
void write_puzzle_file(const std::string& path, const Values& values, Sync sync = Sync::to_disk);
// Writes `bytes` as the whole file at `path` by the same rules (an explanation page, for example).
void write_text_file(const std::string& path, std::string_view bytes, Sync sync = Sync::to_disk);

// ---- Operating-system errors ------------------------------------------------------------------

// The one place where errno values become failure codes:
//  ENOENT                             -> 2 when the folder exists, else 3
//  ENOTDIR, ENAMETOOLONG, ELOOP, EISDIR -> 3 (the name cannot name a file)
//  EMFILE, ENFILE                     -> 4
//  EACCES, EPERM, EROFS               -> 5
//  ENOSPC, EDQUOT                     -> 101
//  any other errno                    -> its own number, shown as "Erreur E/S n"; but an errno
//                                        whose number already has a message of its own (EIO is
//                                        5, "Accès au fichier refusé") becomes 1000 + errno so
//                                        that the user is not told something false.
int in_out_code_for_errno(int err, bool folder_exists);

// The same for an error met on `path`: tells a missing file (2) from a missing folder (3) by
// looking at the folder that would hold the file. An empty name, or one holding a NUL byte, is 3.
int in_out_code_for_path(int err, const std::string& path);

// The code of a stream that fails without telling why: that of EIO.
int stream_failure_code();

} // namespace vornel
