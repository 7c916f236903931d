#pragma once

#include <QList>
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

// Plays a fixed sequence, then repeats its last value (0 when empty).
class FixedRandom : public RandomSource {
public:
    explicit FixedRandom(QList<float> values = {}) : values_(std::move(values)) {}
    float next() override
    {
        if (values_.isEmpty()) return 0.0f;
        if (values_.size() == 1) return values_.first();
        return values_.takeFirst();
    }

private:
    QList<float> values_;
};
