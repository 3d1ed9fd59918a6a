#pragma once

#include "client/ports.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

class QSoundEffect;

namespace lastling::social {

// Plays the program's own sounds through Qt Multimedia. Every "<name>.wav" of the folder is
// loaded once, when the player is made; play() looks a name up without regard to case, stops
// the sound still playing and starts the new one, and returns at once. A name that is not in
// the set sounds the desktop's alert instead.
class SoundPlayer : public client::SoundSink {
public:
    using Alert = std::function<void()>;

    static QString defaultFolder() { return QStringLiteral(":/sounds"); }

    // The default alert is QApplication::beep (nothing without a QApplication).
    explicit SoundPlayer(const QString& folder = defaultFolder(), Alert alert = {});
    ~SoundPlayer() override;
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void play(const std::string& name) override;

    int count() const { return static_cast<int>(m_effects.size()); }
    // Every sound decoded and ready to start without delay.
    bool ready() const;
    // The last sound started is still sounding.
    bool playing() const;

private:
    std::unordered_map<std::string, std::unique_ptr<QSoundEffect>> m_effects; // lower-case names
    QSoundEffect* m_current = nullptr;
    Alert m_alert;
};

} // namespace lastling::social
