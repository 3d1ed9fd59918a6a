#include "social/sound_player.h"

#include "social/sound_wave.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QtGlobal>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>

namespace lastling::social {

namespace {

constexpr int kDrainPollMs = 20;
constexpr qint64 kDrainLimitUs = 1'000'000; // a stalled device is given up on after this

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

void desktopAlert() {
    // QApplication::beep needs the GUI application; a program without one stays silent.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QApplication::beep();
    }
}

} // namespace

SoundPlayer::SoundPlayer(const QString& folder, Alert alert)
    : m_alert(alert ? std::move(alert) : Alert(desktopAlert)) {
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.wav")}, QDir::Files);
    for (const QFileInfo& file : files) {
        load(file.filePath());
    }
    m_drained.setSingleShot(true);
    m_drained.setInterval(kDrainPollMs);
    QObject::connect(&m_drained, &QTimer::timeout, [this] { finishWhenDrained(); });
}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Sound %s: %s", qPrintable(path), qPrintable(file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    std::string problem;
    const auto wave = parseWave({bytes.constData(), std::size_t(bytes.size())}, &problem);
    if (!wave) {
        qWarning("Sound %s: %s", qPrintable(path), problem.c_str());
        return;
    }
    Clip clip;
    clip.format.setSampleRate(wave->rate);
    clip.format.setChannelCount(wave->channels);
    clip.format.setSampleFormat(wave->bits == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    clip.pcm = QByteArray(wave->pcm.data(), qsizetype(wave->pcm.size()));
    m_clips[lowerCase(QFileInfo(path).completeBaseName().toStdString())] = std::move(clip);
}

void SoundPlayer::play(const std::string& name) {
    const auto found = m_clips.find(lowerCase(name));
    if (found == m_clips.end()) {
        m_alert();
        return;
    }
    // Sounds never queue: the new one cuts the one still sounding, itself included.
    m_drained.stop();
    m_sink.reset();
    m_source.close();
    m_source.setData(found->second.pcm);
    m_source.open(QIODevice::ReadOnly);
    m_sink =
        std::make_unique<QAudioSink>(QMediaDevices::defaultAudioOutput(), found->second.format);
    m_lengthUs = found->second.format.durationForBytes(found->second.pcm.size());
    QObject::connect(m_sink.get(), &QAudioSink::stateChanged, [this](QAudio::State state) {
        if (state == QAudio::IdleState) {
            m_drained.start(); // never closes the sink inside its own signal
        } else if (state == QAudio::ActiveState) {
            m_drained.stop(); // it had only run dry for a moment
        }
    });
    m_sink->start(&m_source);
}

// The sink goes idle when it has taken the last bytes, but what it holds has still to be
// heard: it is closed once the device has played the whole sound, so the end is kept and no
// idle sink is left polling. Only this short wait at the end of a sound uses a timer.
void SoundPlayer::finishWhenDrained() {
    if (!m_sink) {
        return;
    }
    if (m_sink->processedUSecs() >= m_lengthUs ||
        m_sink->elapsedUSecs() > m_lengthUs + kDrainLimitUs) {
        m_sink.reset();
        return;
    }
    m_drained.start();
}

bool SoundPlayer::playing() const {
    return m_sink && m_sink->state() != QAudio::StoppedState;
}

} // namespace lastling::social
