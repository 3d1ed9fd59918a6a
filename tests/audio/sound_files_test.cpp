#include "social/sound_names.h"
#include "social/sound_wave.h"
#include "wave_file.h"

#include <gtest/gtest.h>

#include <QDir>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lastling::audio_testing {
namespace {

std::vector<std::string> allNames() {
    std::vector<std::string> names(social::kTableSounds.begin(), social::kTableSounds.end());
    for (int n = 1; n <= social::kChatterSoundCount; ++n) {
        names.push_back(social::chatterSoundName(n));
    }
    return names;
}

class SoundFile : public ::testing::TestWithParam<std::string> {};

TEST_P(SoundFile, IsShortAudiblePcmWave) {
    const QByteArray bytes = resourceBytes(GetParam());
    ASSERT_FALSE(bytes.isEmpty()) << "not in the resource file";
    EXPECT_LT(bytes.size(), 70 * 1024);

    std::string problem;
    const auto wave = social::parseWave({bytes.constData(), std::size_t(bytes.size())}, &problem);
    ASSERT_TRUE(wave) << problem;
    EXPECT_EQ(wave->channels, 1);
    EXPECT_GE(wave->rate, 8000);
    EXPECT_LE(wave->rate, 44100);
    EXPECT_GE(wave->seconds(), 0.1);
    EXPECT_LE(wave->seconds(), 1.5);
    const std::vector<double> samples = firstChannel(*wave);
    EXPECT_GE(peak(samples), 0.1) << "quieter than -20 dBFS";
    EXPECT_GE(loudSpan(samples, wave->rate, 0.02), 0.05) << "hardly anything audible";
}

INSTANTIATE_TEST_SUITE_P(Set, SoundFile, ::testing::ValuesIn(allNames()),
                         [](const auto& info) { return info.param; });

TEST(SoundFolder, HoldsTheSetAndNothingElse) {
    std::set<std::string> found;
    for (const QString& entry : QDir(QStringLiteral(":/sounds")).entryList(QDir::Files)) {
        found.insert(entry.toStdString());
    }
    std::set<std::string> expected;
    for (const auto& name : allNames()) {
        expected.insert(name + ".wav");
    }
    EXPECT_EQ(found, expected);
}

// ---- the reader against damaged and foreign files ----

std::string le(std::uint32_t value, int width) {
    std::string out;
    for (int i = 0; i < width; ++i) {
        out += static_cast<char>(value >> (8 * i) & 0xFF);
    }
    return out;
}

std::string chunk(const std::string& id, const std::string& body, std::uint32_t claimed = 0) {
    return id + le(claimed ? claimed : std::uint32_t(body.size()), 4) + body +
           (body.size() % 2 ? std::string(1, '\0') : std::string());
}

std::string format(int encoding, int channels, int rate, int bits) {
    const int frame = channels * bits / 8;
    return chunk("fmt ", le(encoding, 2) + le(channels, 2) + le(rate, 4) + le(rate * frame, 4) +
                             le(frame, 2) + le(bits, 2));
}

std::string riff(const std::string& chunks) {
    return "RIFF" + le(std::uint32_t(chunks.size() + 4), 4) + "WAVE" + chunks;
}

struct ParseCase {
    const char* name;
    std::string bytes;
    std::optional<std::size_t> pcmBytes; // nothing: refused
};

class WaveReading : public ::testing::TestWithParam<ParseCase> {};

TEST_P(WaveReading, TakesPcmAndRefusesTheRest) {
    const ParseCase& c = GetParam();
    const auto wave = social::parseWave(c.bytes);
    ASSERT_EQ(wave.has_value(), c.pcmBytes.has_value());
    if (wave) {
        EXPECT_EQ(wave->pcm.size(), *c.pcmBytes);
    }
}

const std::string k16Mono = format(1, 1, 22050, 16);
const std::string kData = std::string(100, 'x');

INSTANTIATE_TEST_SUITE_P(
    Files, WaveReading,
    ::testing::Values(
        ParseCase{"Good", riff(k16Mono + chunk("data", kData)), 100},
        ParseCase{"OtherChunksSkipped", riff(chunk("LIST", "abc") + k16Mono + chunk("data", kData)),
                  100},
        ParseCase{"EightBitStereo", riff(format(1, 2, 8000, 8) + chunk("data", kData)), 100},
        ParseCase{"HalfFrameDropped", riff(k16Mono + chunk("data", std::string(101, 'x'))), 100},
        ParseCase{"DataClaimsMoreThanThere", riff(k16Mono + chunk("data", kData, 0x7FFFFFF0)), 100},
        ParseCase{"Empty", "", std::nullopt},
        ParseCase{"TruncatedHeader", riff(k16Mono).substr(0, 10), std::nullopt},
        ParseCase{"NotWave", "RIFF" + le(4, 4) + "AVI ", std::nullopt},
        ParseCase{"FormatRunsPastEnd", riff(chunk("fmt ", "ab", 0xFFFFFFFF)), std::nullopt},
        ParseCase{"NoData", riff(k16Mono), std::nullopt},
        ParseCase{"NoFormat", riff(chunk("data", kData)), std::nullopt},
        ParseCase{"Float", riff(format(3, 1, 22050, 32) + chunk("data", kData)), std::nullopt},
        ParseCase{"TwentyFourBit", riff(format(1, 1, 22050, 24) + chunk("data", kData)),
                  std::nullopt},
        ParseCase{"NoChannels", riff(format(1, 0, 22050, 16) + chunk("data", kData)), std::nullopt},
        ParseCase{"RateZero", riff(format(1, 1, 0, 16) + chunk("data", kData)), std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace lastling::audio_testing
