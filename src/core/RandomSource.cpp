#include "core/RandomSource.h"

#include <chrono>

namespace tivane {

RandomSource::RandomSource()
    : m_engine(static_cast<std::uint32_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count()))
{
}

RandomSource::RandomSource(std::uint32_t seed) : m_engine(seed) {}

void RandomSource::seed(std::uint32_t seed) { m_engine.seed(seed); }

int RandomSource::random(int n)
{
    if (n <= 1)
        return 0;
    // A plain modulo-free draw: uniform_int_distribution differs between standard libraries,
    // so the range reduction is done here to keep seeded sequences the same everywhere.
    const std::uint32_t bound = static_cast<std::uint32_t>(n);
    const std::uint32_t limit = UINT32_MAX - (UINT32_MAX % bound);
    std::uint32_t v;
    do {
        v = static_cast<std::uint32_t>(m_engine());
    } while (v >= limit);
    return static_cast<int>(v % bound);
}

} // namespace tivane
