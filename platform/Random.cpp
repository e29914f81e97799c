#include "platform/Random.h"

namespace platform {

Random::Random() : mEngine(std::random_device{}()) {}

std::int32_t Random::LessThan(std::int32_t n)
{
    if (n < 1) {
        n = 1;
    }
    std::uniform_int_distribution<std::int32_t> pick(0, n - 1);
    return pick(mEngine);
}

} // namespace platform
