// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <utility>

namespace vornel::generator {

// A small, fast pseudo-random generator (xoshiro256**) seeded through splitmix64. The same seed
// gives the same numbers on every platform and with every standard library: nothing here goes
// through the implementation-defined std distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) {
        for (auto& word : state_) word = splitmix(seed);
    }

    std::uint64_t next() {
        const std::uint64_t result = rotl(state_[1] * 5, 7) * 9;
        const std::uint64_t t = state_[1] << 17;
        state_[2] ^= state_[0];
        state_[3] ^= state_[1];
        state_[1] ^= state_[2];
        state_[0] ^= state_[3];
        state_[2] ^= t;
        state_[3] = rotl(state_[3], 45);
        return result;
    }

    // bound 1-2^32; returns a number 0..bound-1, without modulo bias.
    std::uint32_t below(std::uint32_t bound) {
        for (;;) {
            const std::uint64_t product = (next() >> 32) * bound;
            const auto low = static_cast<std::uint32_t>(product);
            if (low >= (-bound) % bound) return static_cast<std::uint32_t>(product >> 32);
        }
    }

    // Shuffles `count` items in place (Fisher-Yates).
    template<typename T>
    void shuffle(T* items, int count) {
        for (int i = count - 1; i > 0; --i) std::swap(items[i], items[below(static_cast<std::uint32_t>(i) + 1)]);
    }

private:
    static std::uint64_t rotl(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
    static std::uint64_t splitmix(std::uint64_t& x) {
        std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    std::uint64_t state_[4]{};
};

} // namespace vornel::generator
