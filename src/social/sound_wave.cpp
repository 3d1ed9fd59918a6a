#include "social/sound_wave.h"

#include <cstddef>
#include <cstdint>

namespace lastling::social {

namespace {

constexpr std::size_t kHeaderBytes = 12; // "RIFF", size, "WAVE"
constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kFormatBytes = 16;
constexpr int kPcm = 1;

std::uint32_t little(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

std::optional<WaveData> fail(std::string* problem, const char* why) {
    if (problem) {
        *problem = why;
    }
    return std::nullopt;
}

} // namespace

double WaveData::seconds() const {
    const int frame = frameBytes();
    return frame > 0 && rate > 0 ? double(pcm.size() / std::size_t(frame)) / rate : 0.0;
}

std::optional<WaveData> parseWave(std::string_view bytes, std::string* problem) {
    if (bytes.size() < kHeaderBytes || bytes.substr(0, 4) != "RIFF" ||
        bytes.substr(8, 4) != "WAVE") {
        return fail(problem, "not a RIFF WAVE file");
    }
    WaveData wave;
    int encoding = 0;
    bool haveFormat = false;
    bool haveData = false;
    for (std::size_t at = kHeaderBytes; bytes.size() - at >= kChunkHeaderBytes;) {
        const std::string_view id = bytes.substr(at, 4);
        const std::size_t size = little(bytes, at + 4, 4);
        const std::size_t room = bytes.size() - at - kChunkHeaderBytes;
        if (id == "data") {
            // Files written while streaming may claim more than they hold: take what is there.
            wave.pcm = bytes.substr(at + kChunkHeaderBytes, size < room ? size : room);
            haveData = true;
        } else if (size > room) {
            return fail(problem, "a chunk runs past the end of the file");
        } else if (id == "fmt " && size >= kFormatBytes) {
            const std::string_view body = bytes.substr(at + kChunkHeaderBytes, size);
            encoding = static_cast<int>(little(body, 0, 2));
            wave.channels = static_cast<int>(little(body, 2, 2));
            wave.rate = static_cast<int>(little(body, 4, 4));
            wave.bits = static_cast<int>(little(body, 14, 2));
            haveFormat = true;
        }
        if (size >= room) {
            break;
        }
        at += kChunkHeaderBytes + size + (size & 1);
    }
    if (!haveFormat || !haveData) {
        return fail(problem, "no format or no data chunk");
    }
    if (encoding != kPcm || (wave.bits != 8 && wave.bits != 16) || wave.channels < 1 ||
        wave.channels > 2 || wave.rate < 8000 || wave.rate > 48000) {
        return fail(problem, "not 8- or 16-bit PCM, mono or stereo, 8,000..48,000 Hz");
    }
    const std::size_t frame = static_cast<std::size_t>(wave.frameBytes());
    wave.pcm = wave.pcm.substr(0, wave.pcm.size() / frame * frame);
    return wave;
}

} // namespace lastling::social
