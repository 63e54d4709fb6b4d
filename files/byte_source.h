#pragma once

#include <cstddef>

#include "sud_file.h"

namespace vornel::detail {

// Where the reader gets its bytes when they are not all in memory already: fill() copies up to
// `capacity` bytes into `buffer` and returns how many, 0 at the end. An error throws InOutError
// with its code.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t fill(char* buffer, std::size_t capacity) = 0;
};

// Reads the puzzle from a source, in chunks.
ReadOutcome scan_puzzle(ByteSource& source);

} // namespace vornel::detail
