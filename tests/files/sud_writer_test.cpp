// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <streambuf>
#include <string>

#include "files_fixture.h"
#include "sud_file.h"

using namespace vornel;

namespace {

// Accepts `capacity` bytes, then refuses every further byte, as a full device does.
class FailAfterBuf : public std::streambuf {
public:
    explicit FailAfterBuf(std::size_t capacity) : capacity_(capacity) {}
    const std::string& accepted() const { return accepted_; }

protected:
    int_type overflow(int_type ch) override {
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        if (accepted_.size() >= capacity_) return traits_type::eof();
        accepted_.push_back(traits_type::to_char_type(ch));
        return ch;
    }

private:
    std::size_t capacity_;
    std::string accepted_;
};

// Keeps everything, but its flush fails.
class FailingFlushBuf : public std::stringbuf {
protected:
    int sync() override { return -1; }
};

} // namespace

TEST(SudWriter, a_grid_of_digits_gives_81_lines_of_three_bytes) {
    const Values values = test::puzzle_values(test::kEasy);
    const std::string text = puzzle_text(values);
    ASSERT_EQ(text.size(), 243u);
    for (std::size_t i = 0; i < 81; ++i) {
        EXPECT_EQ(text[3 * i], static_cast<char>('0' + values[i])) << i;
        EXPECT_EQ(text.substr(3 * i + 1, 2), "\r\n") << i;
    }
    EXPECT_EQ(text.substr(0, 9), "5\r\n3\r\n0\r\n");
}

TEST(SudWriter, values_are_written_in_shortest_decimal_form_with_a_minus_for_negatives) {
    Values values{};
    values[0] = 12;
    values[1] = -7;
    values[2] = -32768;
    values[3] = 32767;
    values[4] = 10;
    values[80] = 9;
    const std::string text = puzzle_text(values);
    EXPECT_EQ(text.substr(0, 30), "12\r\n-7\r\n-32768\r\n32767\r\n10\r\n0\r\n");
    EXPECT_EQ(text.substr(text.size() - 3), "9\r\n");
    EXPECT_EQ(text.size(), 243u + 1 + 1 + 5 + 4 + 1);
}

TEST(SudWriter, every_16_bit_value_survives_a_round_trip) {
    Values values{};
    for (int v = -32768; v <= 32767; v += 81) {
        for (std::size_t i = 0; i < values.size(); ++i)
            values[i] = static_cast<std::int16_t>(std::clamp(v + static_cast<int>(i), -32768, 32767));
        ASSERT_EQ(read_puzzle(puzzle_text(values)), values) << v;
    }
}

TEST(SudWriter, the_stream_writer_writes_the_same_bytes_as_the_text) {
    WorkArea area;
    store_values(area, test::puzzle_values(test::kEasy));
    area.grid[9][9] = -123;
    std::ostringstream out;
    write_puzzle(out, area);
    EXPECT_EQ(out.str(), puzzle_text(values_of(area)));
}

TEST(SudWriter, a_stream_that_fails_after_n_bytes_makes_the_write_fail) {
    const Values values = test::puzzle_values(test::kEasy);
    for (const std::size_t capacity : {0u, 1u, 2u, 3u, 4u, 100u, 241u, 242u}) {
        FailAfterBuf device(capacity);
        std::ostream out(&device);
        EXPECT_EQ(test::failure_code([&] { write_puzzle(out, values); }), stream_failure_code()) << capacity;
        EXPECT_EQ(device.accepted(), puzzle_text(values).substr(0, capacity)) << capacity;
    }
    FailAfterBuf roomy(243);
    std::ostream out(&roomy);
    EXPECT_EQ(test::failure_code([&] { write_puzzle(out, values); }), 0);
    EXPECT_EQ(roomy.accepted(), puzzle_text(values));
}

TEST(SudWriter, a_stream_that_fails_while_flushing_makes_the_write_fail) {
    FailingFlushBuf device;
    std::ostream out(&device);
    EXPECT_EQ(test::failure_code([&] { write_puzzle(out, Values{}); }), stream_failure_code());
}

TEST(SudWriter, a_stream_that_throws_on_failure_gives_the_same_failure) {
    FailAfterBuf device(10);
    std::ostream out(&device);
    out.exceptions(std::ios::badbit | std::ios::failbit);
    EXPECT_EQ(test::failure_code([&] { write_puzzle(out, Values{}); }), stream_failure_code());
}

TEST(SudWriter, a_stream_failure_is_reported_as_an_input_output_error_with_its_own_message) {
    const InOutError error(stream_failure_code());
    EXPECT_EQ(error.message(), "Erreur E/S " + std::to_string(stream_failure_code()));
}
