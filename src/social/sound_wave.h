#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lastling::social {

// The PCM content of a RIFF WAVE file: 8-bit unsigned or 16-bit signed little-endian
// samples, one or two channels interleaved, 8,000..48,000 samples per second.
struct WaveData {
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::string_view pcm; // whole frames only; points into the parsed bytes

    int frameBytes() const { return channels * bits / 8; }
    double seconds() const;
};

// Reads a RIFF WAVE file held in memory. Returns nothing, and says why in `problem`, for
// anything else: other encodings, impossible formats, chunks that run past the end.
std::optional<WaveData> parseWave(std::string_view bytes, std::string* problem = nullptr);

} // namespace lastling::social
