#include "ui/randomsource.h"

#include <chrono>

SystemRandom::SystemRandom()
{
    std::random_device device;
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> 32),
                       device(), device()};
    engine_.seed(seed);
}

float SystemRandom::next()
{
    // 24 random bits give every float in [0, 1) on an even grid, never 1 itself.
    return static_cast<float>(engine_() >> 40) / static_cast<float>(1u << 24);
}
