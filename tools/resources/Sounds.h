#pragma once
// The built-in sounds, synthesised from a fixed seed, and their RIFF WAVE encoding.

#include <QByteArray>

#include <vector>

namespace Sounds {

// Mono samples in [-1, 1] with the format they are to be stored in.
struct Clip
{
    int sampleRate = 0;
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    std::vector<double> samples;
};

Clip pickUpClick();  // crisp, 22,050 Hz 8-bit, 0.10 s
Clip putDownClick(); // soft, 11,025 Hz 8-bit, 0.14 s
Clip turnSwish();    // 22,050 Hz 16-bit, 0.07 s
Clip applause();     // a small crowd, 11,025 Hz 8-bit, 2.9 s

// A canonical 44-byte-header PCM WAVE file.
QByteArray toWav(const Clip &clip);

} // namespace Sounds
