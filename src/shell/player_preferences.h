#pragma once

#include "host/host_ports.h"
#include "settings/settings_file.h"

#include <QObject>

#include <optional>

namespace lastling::shell {

// The player's choices from the "Options" menu: the computer players' speed and skill, the
// turn sound and the two sound switches. The in-process host reads the first two through
// host::BotPreferences each time it arms a computer turn; the sound player reads the rest.
// Every choice the player makes is announced, and the window saves it at once.
class PlayerPreferences : public QObject, public host::BotPreferences {
    Q_OBJECT
public:
    // `botSpeedOverride` (tests) replaces the menu's speed for the host.
    explicit PlayerPreferences(std::optional<int> botSpeedOverride = std::nullopt,
                               QObject* parent = nullptr);

    int botSpeedMs() const override { return m_botSpeedOverride.value_or(m_botSpeed); }
    host::BotSkill botSkill() const override { return m_botSkill; }
    int botSpeedChoice() const { return m_botSpeed; } // 1000, 500 or 250, as the menu shows
    bool turnSoundNew() const { return m_turnSoundNew; }
    bool playSounds() const { return m_playSounds; }
    bool playerPhraseSounds() const { return m_playerPhraseSounds; }

    void chooseBotSpeed(int speedMs); // anything but 1000 or 250 is Normal (500)
    void chooseBotSkill(host::BotSkill skill);
    void chooseTurnSoundNew(bool turnSoundNew);
    void choosePlaySounds(bool on);
    void choosePlayerPhraseSounds(bool on);

    // The values read from the settings file; not a choice, so nothing is announced.
    void apply(const settings::Settings& loaded);
    void writeInto(settings::Settings& current) const;

signals:
    void chosen(); // the player changed a preference: save it

private:
    void setBotSpeed(int speedMs);

    std::optional<int> m_botSpeedOverride;
    int m_botSpeed = 500;
    host::BotSkill m_botSkill = host::BotSkill::Classic;
    bool m_turnSoundNew = false;
    bool m_playSounds = true;
    bool m_playerPhraseSounds = true;
};

} // namespace lastling::shell
