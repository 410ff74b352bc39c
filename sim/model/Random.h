// Small, fast, seeded random numbers for the sensor noise; the same seed
// gives the same sequence on every machine.
#pragma once

#include <cmath>
#include <cstdint>

namespace zoqsim {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    // splitmix64
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Uniform in (0, 1].
    double uniform() { return double((next() >> 11) + 1) * (1.0 / 9007199254740992.0); }

    // Standard normal (Box-Muller).
    double gaussian() {
        return std::sqrt(-2.0 * std::log(uniform())) * std::cos(6.283185307179586 * uniform());
    }

private:
    uint64_t state_;
};

}  // namespace zoqsim
