#pragma once

#include <cstdint>
#include <random>

// Uniform draws in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
};

// Seeded once, so draws within one clock tick never repeat one another.
class SystemRandom : public RandomSource {
public:
    SystemRandom();
    float next() override;

private:
    std::mt19937_64 engine_;
};
