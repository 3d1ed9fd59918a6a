#pragma once

#include "social/speaker.h"

#include <QAudioFormat>
#include <QBuffer>
#include <QByteArray>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class QAudioSink;

namespace lastling::social {

// Plays the program's own sounds through Qt Multimedia. Every "<name>.wav" of the folder is
// read and decoded once, when the player is made; play() looks a name up without regard to
// case, cuts the sound still playing, starts the new one and returns at once. A name that is
// not in the set sounds the desktop's alert instead.
//
// Each sound goes to a QAudioSink that is left to play out its buffer at the end. (Qt 6.4's
// QSoundEffect stops its stream as soon as the last bytes are handed over, which drops the
// final tenth of a second or so: most of a card's click.)
class SoundPlayer : public Speaker {
public:
    using Alert = std::function<void()>;

    static QString defaultFolder() { return QStringLiteral(":/sounds"); }

    // The default alert is QApplication::beep (nothing without a QApplication).
    explicit SoundPlayer(const QString& folder = defaultFolder(), Alert alert = {});
    ~SoundPlayer() override;
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const std::string& name) override;

    // How many sounds were loaded.
    int count() const { return static_cast<int>(m_clips.size()); }
    // The last sound started is still sounding (or the device refused it: then false).
    bool playing() const;

private:
    struct Clip {
        QAudioFormat format;
        QByteArray pcm;
    };

    void load(const QString& path);
    void finishWhenDrained();

    std::unordered_map<std::string, Clip> m_clips; // by lower-case name
    QBuffer m_source;                              // reads the clip being played
    std::unique_ptr<QAudioSink> m_sink;            // the sound playing, if any
    qint64 m_lengthUs = 0;                         // of the sound playing
    QTimer m_drained; // closes an idle sink once its buffer has been heard
    Alert m_alert;
};

} // namespace lastling::social
