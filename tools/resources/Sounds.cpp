#include "Sounds.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace Sounds {

namespace {

constexpr double Pi = std::numbers::pi;

// SplitMix64: tiny, and unlike the standard distributions it gives the same numbers
// with every compiler and library.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double uniform() { return double(next() >> 11) * 0x1.0p-53; }
    double between(double low, double high) { return low + (high - low) * uniform(); }
    double noise() { return between(-1.0, 1.0); }

private:
    std::uint64_t m_state;
};

// Band-pass biquad (constant peak gain), after the well-known audio EQ cookbook.
class BandPass
{
public:
    BandPass(double centre, double q, double sampleRate) { tune(centre, q, sampleRate); }

    void tune(double centre, double q, double sampleRate)
    {
        const double w0 = 2 * Pi * centre / sampleRate;
        const double alpha = std::sin(w0) / (2 * q);
        const double a0 = 1 + alpha;
        m_b0 = alpha / a0;
        m_b2 = -alpha / a0;
        m_a1 = -2 * std::cos(w0) / a0;
        m_a2 = (1 - alpha) / a0;
    }

    double operator()(double x)
    {
        const double y = m_b0 * x + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    double m_b0 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

Clip blank(int sampleRate, int bits, double seconds)
{
    Clip clip;
    clip.sampleRate = sampleRate;
    clip.bitsPerSample = bits;
    clip.samples.assign(std::size_t(std::lround(seconds * sampleRate)), 0.0);
    return clip;
}

void normalise(Clip &clip, double peak)
{
    double highest = 0;
    for (double s : clip.samples)
        highest = std::max(highest, std::abs(s));
    if (highest > 0) {
        for (double &s : clip.samples)
            s *= peak / highest;
    }
}

// Raised-cosine fades at both ends, so no clip starts or stops with a step.
void fadeEnds(Clip &clip, double fadeIn, double fadeOut)
{
    const std::size_t n = clip.samples.size();
    const std::size_t in = std::min(n, std::size_t(fadeIn * clip.sampleRate));
    const std::size_t out = std::min(n, std::size_t(fadeOut * clip.sampleRate));
    for (std::size_t i = 0; i < in; ++i)
        clip.samples[i] *= 0.5 - 0.5 * std::cos(Pi * double(i) / double(in));
    for (std::size_t i = 0; i < out; ++i)
        clip.samples[n - 1 - i] *= 0.5 - 0.5 * std::cos(Pi * double(i) / double(out));
}

void put16(QByteArray &out, quint16 v)
{
    char bytes[2];
    qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

} // namespace

Clip pickUpClick()
{
    Clip clip = blank(22050, 8, 0.10);
    Rng rng(0xC11C0001);
    for (std::size_t i = 0; i < clip.samples.size(); ++i) {
        const double t = double(i) / clip.sampleRate;
        const double snap = rng.noise() * std::exp(-t / 0.0012);
        const double ping = std::sin(2 * Pi * 3300 * t) * std::exp(-t / 0.006);
        const double body = std::sin(2 * Pi * 1700 * t + 0.6) * std::exp(-t / 0.014);
        clip.samples[i] = 0.8 * snap + 0.6 * ping + 0.3 * body;
    }
    fadeEnds(clip, 0.0002, 0.02);
    normalise(clip, 0.9);
    return clip;
}

Clip putDownClick()
{
    Clip clip = blank(11025, 8, 0.14);
    Rng rng(0xC11C0002);
    double dull = 0;
    for (std::size_t i = 0; i < clip.samples.size(); ++i) {
        const double t = double(i) / clip.sampleRate;
        dull += 0.25 * (rng.noise() - dull); // a one-pole low-pass takes the edge off the noise
        const double thud = dull * std::exp(-t / 0.005);
        const double knock = std::sin(2 * Pi * 620 * t) * std::exp(-t / 0.016);
        const double low = std::sin(2 * Pi * 310 * t) * std::exp(-t / 0.03);
        clip.samples[i] = 1.2 * thud + 0.6 * knock + 0.4 * low;
    }
    fadeEnds(clip, 0.0015, 0.03);
    normalise(clip, 0.7);
    return clip;
}

Clip turnSwish()
{
    Clip clip = blank(22050, 16, 0.07);
    Rng rng(0xC11C0003);
    BandPass filter(1200, 1.8, clip.sampleRate);
    const double n = double(clip.samples.size());
    for (std::size_t i = 0; i < clip.samples.size(); ++i) {
        const double x = double(i) / n;
        filter.tune(1200 * std::pow(3.5, x), 1.8, clip.sampleRate);
        // Swells quickly, then trails away.
        const double envelope = std::pow(std::sin(Pi * std::pow(x, 0.7)), 2);
        clip.samples[i] = filter(rng.noise()) * envelope;
    }
    fadeEnds(clip, 0.001, 0.005);
    normalise(clip, 0.6);
    return clip;
}

Clip applause()
{
    Clip clip = blank(11025, 8, 2.9);
    const double duration = 2.9;
    const double rate = clip.sampleRate;
    Rng rng(0xA991A05E);
    std::vector<double> dry(clip.samples.size(), 0.0);

    constexpr int Clappers = 16;
    for (int c = 0; c < Clappers; ++c) {
        const double period = 1.0 / rng.between(3.4, 5.2);
        const double start = 0.02 + 0.6 * std::pow(rng.uniform(), 1.6);
        const double stop = 2.2 + 0.7 * rng.uniform();
        const double centre = rng.between(700, 2400);
        const double q = rng.between(0.9, 1.8);
        const double decay = rng.between(0.005, 0.011);
        const double loudness = rng.between(0.5, 1.0);
        for (double t = start + period * rng.uniform(); t < stop; t += period * rng.between(0.9, 1.1)) {
            const double onset = t + rng.between(-0.012, 0.012);
            const double strength = loudness * rng.between(0.7, 1.0);
            BandPass filter(centre * rng.between(0.9, 1.1), q, rate);
            const long first = std::lround(onset * rate);
            const long length = std::lround(decay * 7 * rate);
            for (long k = 0; k < length; ++k) {
                const long index = first + k;
                if (index < 0 || index >= long(dry.size()))
                    continue;
                const double s = double(k) / rate;
                const double envelope = std::min(1.0, s / 0.0006) * std::exp(-s / decay);
                const double burst = rng.noise() * envelope;
                dry[std::size_t(index)] += strength * (filter(burst) + 0.3 * burst);
            }
        }
    }

    // The crowd swells, holds, then dies away.
    for (std::size_t i = 0; i < dry.size(); ++i) {
        const double t = double(i) / rate;
        const double rise = std::min(1.0, t / 0.45);
        const double fall = t < 1.9 ? 1.0 : std::pow(1.0 - (t - 1.9) / (duration - 1.9), 1.5);
        dry[i] *= rise * rise * (3 - 2 * rise) * fall;
    }

    // A few early echoes place it in a room.
    const struct { double delay, gain; } echoes[] = {{0.023, 0.28}, {0.041, 0.2}, {0.067, 0.14}, {0.093, 0.09}};
    for (std::size_t i = 0; i < dry.size(); ++i) {
        double wet = dry[i];
        for (const auto &echo : echoes) {
            const std::size_t d = std::size_t(echo.delay * rate);
            if (i >= d)
                wet += echo.gain * dry[i - d];
        }
        clip.samples[i] = wet;
    }
    // A gentle soft clip lifts the quieter claps, so the crowd sounds dense at 8 bits.
    normalise(clip, 1.0);
    for (double &s : clip.samples)
        s = std::tanh(1.8 * s);
    fadeEnds(clip, 0.002, 0.05);
    normalise(clip, 0.85);
    return clip;
}

QByteArray toWav(const Clip &clip)
{
    const quint32 bytesPerSample = quint32(clip.bitsPerSample / 8);
    QByteArray data;
    data.reserve(int(clip.samples.size() * bytesPerSample));
    for (double s : clip.samples) {
        const double v = std::clamp(s, -1.0, 1.0);
        if (clip.bitsPerSample == 8)
            data.append(char(quint8(std::lround(128 + 127 * v))));
        else
            put16(data, quint16(qint16(std::lround(32767 * v))));
    }
    const bool padded = data.size() % 2 != 0;

    QByteArray out;
    out.append("RIFF");
    put32(out, quint32(36 + data.size() + (padded ? 1 : 0)));
    out.append("WAVE");
    out.append("fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, quint32(clip.sampleRate));
    put32(out, quint32(clip.sampleRate) * bytesPerSample);
    put16(out, quint16(bytesPerSample));
    put16(out, quint16(clip.bitsPerSample));
    out.append("data");
    put32(out, quint32(data.size()));
    out.append(data);
    if (padded)
        out.append('\0');
    return out;
}

} // namespace Sounds
