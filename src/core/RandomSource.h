#pragma once
// The program's single random generator: seeded once from the clock, or by a test.

#include <cstdint>
#include <random>

namespace tivane {

class RandomSource
{
public:
    RandomSource();                       // seeded from the clock
    explicit RandomSource(std::uint32_t seed);

    void seed(std::uint32_t seed);
    // A uniform integer in 0..n-1; 0 when n <= 1.
    int random(int n);

private:
    std::mt19937 m_engine;
};

} // namespace tivane
