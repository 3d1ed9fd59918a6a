#pragma once

#include "social/sound_wave.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reading the sound files' samples, for checks of loudness and length.
namespace lastling::audio_testing {

// The first channel of 8- or 16-bit PCM as -1..1.
inline std::vector<double> firstChannel(const social::WaveData& wave) {
    std::vector<double> samples;
    const auto width = static_cast<std::size_t>(wave.bits / 8);
    const auto frame = static_cast<std::size_t>(wave.frameBytes());
    for (std::size_t at = 0; frame > 0 && at + frame <= wave.pcm.size(); at += frame) {
        const auto low = static_cast<unsigned char>(wave.pcm[at]);
        if (width == 1) {
            samples.push_back((low - 128.0) / 128.0);
        } else {
            const auto high = static_cast<unsigned char>(wave.pcm[at + 1]);
            samples.push_back(static_cast<std::int16_t>(high << 8 | low) / 32768.0);
        }
    }
    return samples;
}

inline QByteArray resourceBytes(const std::string& name) {
    QFile file(QStringLiteral(":/sounds/%1.wav").arg(QString::fromStdString(name)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline double peak(const std::vector<double>& samples) {
    double top = 0.0;
    for (const double s : samples) {
        top = std::max(top, s < 0 ? -s : s);
    }
    return top;
}

// Seconds from the first to the last sample louder than `threshold`; 0 when none is.
inline double loudSpan(const std::vector<double>& samples, int rate, double threshold) {
    std::size_t first = samples.size(), last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] > threshold || samples[i] < -threshold) {
            first = std::min(first, i);
            last = i;
        }
    }
    return first < samples.size() ? double(last - first + 1) / rate : 0.0;
}

} // namespace lastling::audio_testing
