// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstdint>
#include <istream>

#include "byte_source.h"
#include "sud_file.h"

namespace vornel {

namespace {

constexpr int kEnd = -1; // no more bytes: the true end, or a byte 26 met before
constexpr unsigned char kEndOfFileByte = 26;
constexpr std::size_t kMaxRun = 32;
constexpr int kBadNumber = 106;

// A forward-only view of the bytes with one byte of look-ahead. In memory it walks the caller's
// bytes; over a source it refills its own buffer. Once a byte 26 has been seen it reports the end
// for good, without consuming that byte.
class Scanner {
public:
    explicit Scanner(std::string_view bytes)
        : cur_(reinterpret_cast<const unsigned char*>(bytes.data())), end_(cur_ + bytes.size()) {}
    explicit Scanner(ByteSource& source) : source_(&source) {}

    int peek() {
        if (over_bound()) return kEnd;
        if (cur_ == end_ && !refill()) return kEnd;
        if (*cur_ == kEndOfFileByte) {
            ended_ = true;
            return kEnd;
        }
        return *cur_;
    }
    // Only after a peek() that returned a byte.
    void bump() {
        ++cur_;
        ++consumed_;
    }
    // True once the reader has gone through kPuzzleByteBound bytes: peek() then reports the end.
    bool over_bound() const { return consumed_ >= kPuzzleByteBound; }

private:
    bool refill() {
        if (ended_ || source_ == nullptr) return false;
        const std::size_t n = source_->fill(reinterpret_cast<char*>(buffer_.data()), buffer_.size());
        if (n == 0) {
            ended_ = true;
            return false;
        }
        cur_ = buffer_.data();
        end_ = cur_ + n;
        return true;
    }

    ByteSource* source_ = nullptr;
    std::array<unsigned char, 8192> buffer_; // only used over a source; filled before read
    const unsigned char* cur_ = nullptr;
    const unsigned char* end_ = nullptr;
    bool ended_ = false;
    std::size_t consumed_ = 0;
};

// Reads one value: skips bytes up to 32, takes the run, converts it, skips the rest of the line.
// Returns the low 16 bits of the value; sets `failure` to 106 when the run is not a number.
std::int16_t read_value(Scanner& in, int& failure) {
    int c = in.peek();
    while (c != kEnd && c <= ' ') {
        in.bump();
        c = in.peek();
    }
    if (c == kEnd) return 0;

    std::array<char, kMaxRun> run{};
    std::size_t length = 0;
    while (length < kMaxRun && c != kEnd && c > ' ') {
        run[length++] = static_cast<char>(c);
        in.bump();
        c = in.peek();
    }
    const TokenValue token = convert_sud_token(std::string_view(run.data(), length));

    while (c != kEnd) {
        in.bump();
        if (c == '\n') break;
        c = in.peek();
    }

    if (!token.ok) failure = kBadNumber;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(token.value) & 0xFFFFu));
}

ReadOutcome scan(Scanner& in) {
    ReadOutcome outcome;
    try {
        while (outcome.count < static_cast<int>(outcome.values.size())) {
            int failure = 0;
            const std::int16_t value = read_value(in, failure);
            outcome.values[static_cast<std::size_t>(outcome.count++)] = value;
            if (failure != 0) {
                outcome.failure = failure;
                break;
            }
            if (in.over_bound()) {
                // An endless source (a device of zero bytes) or a file of blanks: not a puzzle.
                outcome.failure = kNoPuzzleWithinBound;
                break;
            }
        }
    } catch (const InOutError& error) {
        // A read error of the system: the value being read counts as read, as a bad number does.
        ++outcome.count;
        outcome.failure = error.code();
    }
    return outcome;
}

Values complete(const ReadOutcome& outcome) {
    if (outcome.failure != 0) throw InOutError(outcome.failure);
    return outcome.values;
}

} // namespace

std::size_t StreamSource::fill(char* buffer, std::size_t capacity) {
    const auto check = [this] {
        if (in_.bad()) throw InOutError(stream_failure_code());
        return std::size_t{0};
    };
    if (!in_.good()) return check();
    try {
        in_.read(buffer, static_cast<std::streamsize>(capacity));
    } catch (const std::ios_base::failure&) {
        // Thrown at the end when the caller asked for exceptions; a bad stream is seen below.
    } catch (...) {
        // A stream buffer's own exception, passed on by a stream that asks for badbit ones.
        if (!in_.bad()) throw;
    }
    // Bytes read before the stream went bad still count; the next fill reports the failure.
    const auto n = static_cast<std::size_t>(in_.gcount());
    return n > 0 ? n : check();
}

TokenValue convert_sud_token(std::string_view run) {
    std::size_t i = 0;
    bool negative = false;
    if (i < run.size() && (run[i] == '+' || run[i] == '-')) {
        negative = run[i] == '-';
        ++i;
    }
    bool hex = false;
    if (i < run.size() && (run[i] == '$' || run[i] == 'x' || run[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < run.size() && run[i] == '0' && (run[i + 1] == 'x' || run[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == run.size()) return {0, false}; // a sign or a prefix with no digit after it, or nothing at all

    // Unsigned arithmetic: the largest value ever formed is 214748364 * 10 + 9 or
    // 268435455 * 16 + 15, both below 2^32.
    std::uint32_t acc = 0;
    const auto failed = [&acc] { return TokenValue{static_cast<std::int32_t>(acc), false}; };
    if (hex) {
        for (; i < run.size(); ++i) {
            const char ch = run[i];
            std::uint32_t digit = 0;
            if (ch >= '0' && ch <= '9')
                digit = static_cast<std::uint32_t>(ch - '0');
            else if (ch >= 'A' && ch <= 'F')
                digit = static_cast<std::uint32_t>(ch - 'A' + 10);
            else if (ch >= 'a' && ch <= 'f')
                digit = static_cast<std::uint32_t>(ch - 'a' + 10);
            else
                return failed();
            if (acc > 268435455u) return failed();
            acc = acc * 16u + digit;
        }
    } else {
        for (; i < run.size(); ++i) {
            const char ch = run[i];
            if (ch < '0' || ch > '9') return failed();
            if (acc > 214748364u) return failed();
            acc = acc * 10u + static_cast<std::uint32_t>(ch - '0');
        }
        if (acc > (negative ? 2147483648u : 2147483647u)) return failed();
    }
    const std::uint32_t pattern = negative ? 0u - acc : acc;
    return {static_cast<std::int32_t>(pattern), true};
}

ReadOutcome scan_puzzle(std::string_view bytes) {
    Scanner in(bytes);
    return scan(in);
}

ReadOutcome scan_puzzle(std::istream& in) {
    StreamSource source(in);
    return scan_puzzle(source);
}

ReadOutcome scan_puzzle(ByteSource& source) {
    Scanner in(source);
    return scan(in);
}

Values read_puzzle(std::string_view bytes) { return complete(scan_puzzle(bytes)); }

Values read_puzzle(std::istream& in) { return complete(scan_puzzle(in)); }

Values values_of(const WorkArea& area) {
    Values values{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) values[static_cast<std::size_t>((r - 1) * 9 + (c - 1))] = area.grid[r][c];
    return values;
}

void store_values(WorkArea& area, const Values& values) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) area.grid[r][c] = values[static_cast<std::size_t>((r - 1) * 9 + (c - 1))];
}

} // namespace vornel
