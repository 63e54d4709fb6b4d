// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the ".sud" reader. Besides crashes, hangs and out-of-bounds reads
// (caught by the sanitizers), it checks what must hold for every input:
//  - the reader gives the same outcome from memory and from a stream that hands out its bytes in
//    small, varying pieces (so every refill boundary is crossed);
//  - a complete read writes back to text that reads again to the same values;
//  - a failure is 106 (or the bound of a mebibyte without 81 values), never anything else, for
//    bytes in memory;
//  - the conversion of any run agrees with a plain 64-bit reference for the run's success.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <istream>
#include <streambuf>
#include <string>
#include <string_view>

#include "sanitizer_options.h"
#include "sud_file.h"

namespace {

class PieceBuf : public std::streambuf {
public:
    explicit PieceBuf(std::string_view bytes) : bytes_(bytes) {}

protected:
    int_type underflow() override {
        if (next_ >= bytes_.size()) return traits_type::eof();
        const std::size_t piece = 1 + (next_ * 7 + bytes_.size()) % 13;
        const std::size_t n = std::min(piece, bytes_.size() - next_);
        buffer_.assign(bytes_.substr(next_, n));
        next_ += n;
        setg(buffer_.data(), buffer_.data(), buffer_.data() + buffer_.size());
        return traits_type::to_int_type(buffer_[0]);
    }

private:
    std::string_view bytes_;
    std::string buffer_;
    std::size_t next_ = 0;
};

// A straightforward second reading of the conversion rules, in 64-bit arithmetic.
bool reference_accepts(std::string_view run) {
    std::size_t i = 0;
    bool negative = false;
    if (i < run.size() && (run[i] == '+' || run[i] == '-')) negative = run[i++] == '-';
    int base = 10;
    if (i < run.size() && (run[i] == '$' || run[i] == 'x' || run[i] == 'X')) {
        base = 16;
        ++i;
    } else if (run.substr(i, 2) == "0x" || run.substr(i, 2) == "0X") {
        base = 16;
        i += 2;
    }
    if (i == run.size()) return false;
    std::int64_t value = 0;
    for (; i < run.size(); ++i) {
        const char c = run[i];
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0) return false;
        if (value > (base == 16 ? 268435455 : 214748364)) return false;
        value = value * base + digit;
    }
    return base == 16 || value <= (negative ? 2147483648LL : 2147483647LL);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const vornel::ReadOutcome memory = vornel::scan_puzzle(bytes);
    if (memory.failure != 0 && memory.failure != 106 && memory.failure != vornel::kNoPuzzleWithinBound) std::abort();
    if (memory.count < 0 || memory.count > 81) std::abort();

    PieceBuf pieces(bytes);
    std::istream in(&pieces);
    const vornel::ReadOutcome streamed = vornel::scan_puzzle(in);
    if (streamed.failure != memory.failure || streamed.values != memory.values || streamed.count != memory.count)
        std::abort();

    if (memory.failure == 0) {
        const vornel::Values again = vornel::read_puzzle(vornel::puzzle_text(memory.values));
        if (again != memory.values) std::abort();
    }

    const std::string_view run = bytes.substr(0, std::min<std::size_t>(bytes.size(), 40));
    if (vornel::convert_sud_token(run).ok != reference_accepts(run)) std::abort();
    return 0;
}
