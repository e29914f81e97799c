#pragma once

#include <cstdint>
#include <random>

namespace platform {

// The game's random source, seeded from the system unless a seed is given.
class Random {
public:
    Random();
    explicit Random(std::uint32_t seed) : mEngine(seed) {}
    // A number from 0 to n - 1; n below 1 is treated as 1.
    std::int32_t LessThan(std::int32_t n);

private:
    std::mt19937 mEngine;
};

} // namespace platform
