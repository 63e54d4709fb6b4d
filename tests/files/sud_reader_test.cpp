// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "files_fixture.h"
#include "sud_file.h"

using namespace vornel;

namespace {

// Hands out its bytes one at a time, so that every refill boundary of the reader is crossed.
class TrickleBuf : public std::streambuf {
public:
    explicit TrickleBuf(std::string bytes) : bytes_(std::move(bytes)) {}

protected:
    int_type underflow() override {
        if (gptr() != nullptr && gptr() < egptr()) return traits_type::to_int_type(*gptr());
        if (next_ >= bytes_.size()) return traits_type::eof();
        char* p = bytes_.data() + next_++;
        setg(p, p, p + 1);
        return traits_type::to_int_type(*p);
    }

private:
    std::string bytes_;
    std::size_t next_ = 0;
};

// Gives its bytes, then fails as a device would: the stream goes bad.
class FailingReadBuf : public std::streambuf {
public:
    explicit FailingReadBuf(std::string bytes) : bytes_(std::move(bytes)) {
        setg(bytes_.data(), bytes_.data(), bytes_.data() + bytes_.size());
    }

protected:
    int_type underflow() override { throw std::runtime_error("device error"); }

private:
    std::string bytes_;
};

std::string lines(const std::vector<std::string>& values, const std::string& end = "\r\n") {
    std::string text;
    for (const auto& v : values) text += v + end;
    return text;
}

struct ReaderCase {
    const char* name;
    std::string bytes;
    std::vector<std::int16_t> first; // the leading values; every other value is 0
    int failure;                     // 0, or 106 with `first` ending in the partial value
};

std::vector<ReaderCase> reader_cases() {
    std::string all_on_one_line;
    for (int i = 1; i <= 81; ++i) all_on_one_line += std::to_string(i % 10) + " ";
    std::string eighty_one_then_junk = lines(std::vector<std::string>(81, "1")) + "a\r\nzz\r\n";
    const std::string zeros32(32, '0');
    const std::string zeros31(31, '0');

    return {
        {"empty file", "", {}, 0},
        {"only blanks and line ends", " \t\r\n\r\n  \n", {}, 0},
        {"digits with CR LF", lines({"5", "3", "0", "7"}), {5, 3, 0, 7}, 0},
        {"leading blanks and tabs", " \t 7\r\n\t\t8\r\n  9\r\n", {7, 8, 9}, 0},
        {"empty lines between values", "7\r\n\r\n\r\n8\r\n\n9\r\n", {7, 8, 9}, 0},
        {"line feed alone ends lines", lines({"7", "8", "9"}, "\n"), {7, 8, 9}, 0},
        {"control bytes count as blanks",
         std::string("\0\x01\x1f"
                     "7\r\n",
                     6),
         {7},
         0},
        {"plus sign, leading zero and blanks all read 7", lines({"+7", "07", "  7"}), {7, 7, 7}, 0},
        {"hexadecimal prefixes",
         lines({"$A", "0xA", "0XA", "xA", "XA", "$a", "-$A"}),
         {10, 10, 10, 10, 10, 10, -10},
         0},
        {"low 16 bits are kept", lines({"65537", "40000", "-40000", "-1", "65536"}), {1, -25536, 25536, -1, 0}, 0},
        {"decimal limits that fit", lines({"2147483647", "-2147483648", "0000000002147483647"}), {-1, 0, -1}, 0},
        {"hexadecimal limits that fit", lines({"$FFFFFFFF", "$0FFFFFFFF", "-$1", "$7FFF"}), {-1, -1, -1, 32767}, 0},
        {"only the first number of a line counts", lines({"7 8 9", "6\tjunk", "5 x"}), {7, 6, 5}, 0},
        {"all values on one line", all_on_one_line, {1}, 0},
        {"short file", lines({"1", "2"}), {1, 2}, 0},
        {"short file without final line break", "1\r\n2", {1, 2}, 0},
        {"lines after the 81st value are ignored", eighty_one_then_junk, std::vector<std::int16_t>(81, 1), 0},
        {"a carriage return alone does not end a line", "7\r8\r\n9\r\n", {7, 9}, 0},
        {"a run longer than 32 bytes keeps its first 32", zeros32 + "7\r\n8\r\n", {0, 8}, 0},
        {"the 32nd byte of a run still counts", zeros31 + "78\r\n6\r\n", {7, 6}, 0},
        {"a run of 40 digits overflows", lines({"5", std::string(40, '1')}), {5, 0x35C7}, 106},
        {"letter", lines({"7", "a", "8"}), {7, 0}, 106},
        {"lone minus", lines({"7", "-", "8"}), {7, 0}, 106},
        {"lone plus", lines({"+"}), {0}, 106},
        {"prefix without digits", lines({"0x"}), {0}, 106},
        {"digit then letter keeps the digit", lines({"7", "5a", "8"}), {7, 5}, 106},
        {"non-ASCII bytes", lines({"\xC3\xA9"}), {0}, 106},
        {"byte-order mark joins the first value", "\xEF\xBB\xBF" + lines({"7", "8"}), {0}, 106},
        {"decimal overflow by one", lines({"1", "2147483648"}), {1, 0}, 106},
        {"negative decimal overflow by one", lines({"-2147483649"}), {1}, 106},
        {"decimal digit after the limit", lines({"21474836470"}), {-1}, 106},
        {"hexadecimal overflow", lines({"$100000000"}), {0}, 106},
        {"hexadecimal overflow keeps 8 digits", lines({"$123456789"}), {0x5678}, 106},
        {"byte 26 before a value ends the file",
         "7\r\n\x1a"
         "8\r\n9\r\n",
         {7},
         0},
        {"byte 26 right after a value ends the file", "7\x1a\r\n8\r\n", {7}, 0},
        {"byte 26 in the rest of a line ends the file", "7 junk\x1a more\n8\n", {7}, 0},
        {"byte 26 first ends the file",
         "\x1a"
         "7\r\n",
         {},
         0},
        {"byte 26 ends a run like a blank",
         "12\x1a"
         "34\r\n",
         {12},
         0},
    };
}

void expect_outcome(const ReaderCase& c, const ReadOutcome& outcome, const char* path) {
    SCOPED_TRACE(std::string(c.name) + " via " + path);
    EXPECT_EQ(outcome.failure, c.failure);
    if (c.failure != 0) { EXPECT_EQ(outcome.count, static_cast<int>(c.first.size())); }
    Values expected{};
    std::copy(c.first.begin(), c.first.end(), expected.begin());
    EXPECT_EQ(outcome.values, expected);
}

} // namespace

TEST(SudReader, every_case_reads_alike_from_memory_from_a_stream_and_byte_by_byte) {
    for (const ReaderCase& c : reader_cases()) {
        expect_outcome(c, scan_puzzle(c.bytes), "memory");
        std::istringstream stream(c.bytes);
        expect_outcome(c, scan_puzzle(stream), "stream");
        TrickleBuf trickle(c.bytes);
        std::istream trickling(&trickle);
        expect_outcome(c, scan_puzzle(trickling), "single bytes");
    }
}

TEST(SudReader, a_complete_read_returns_the_values_and_a_failed_one_throws_its_code) {
    for (const ReaderCase& c : reader_cases()) {
        SCOPED_TRACE(c.name);
        if (c.failure == 0) {
            Values expected{};
            std::copy(c.first.begin(), c.first.end(), expected.begin());
            EXPECT_EQ(read_puzzle(c.bytes), expected);
        } else {
            try {
                read_puzzle(c.bytes);
                ADD_FAILURE() << "no failure";
            } catch (const InOutError& error) {
                EXPECT_EQ(error.code(), c.failure);
                EXPECT_EQ(error.message(), "Saisie numérique incorrecte");
            }
        }
    }
}

TEST(SudReader, a_stream_that_goes_bad_fails_with_the_stream_code) {
    FailingReadBuf failing(lines({"1", "2", "3"}));
    std::istream in(&failing);
    const ReadOutcome outcome = scan_puzzle(in);
    EXPECT_EQ(outcome.failure, stream_failure_code());

    FailingReadBuf failing_again(lines({"1"}));
    std::istream again(&failing_again);
    again.exceptions(std::ios::badbit);
    EXPECT_EQ(test::failure_code([&] { read_puzzle(again); }), stream_failure_code());
}

TEST(SudReader, a_stream_that_asks_for_exceptions_still_reads_a_short_file) {
    std::istringstream in(lines({"4", "5"}));
    in.exceptions(std::ios::failbit | std::ios::eofbit);
    const Values values = read_puzzle(in);
    EXPECT_EQ(values[0], 4);
    EXPECT_EQ(values[1], 5);
    EXPECT_EQ(values[2], 0);
}

TEST(SudReader, a_grid_of_digits_reads_back_from_its_file_text) {
    const Values values = test::puzzle_values(test::kEasy);
    EXPECT_EQ(read_puzzle(puzzle_text(values)), values);
}
