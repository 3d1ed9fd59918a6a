#pragma once

#include "client/ports.h"
#include "social/sound_player.h"
#include "social/sound_rules.h"

#include <string_view>

namespace lastling::shell {

class MainWindow;

// What the table hears: the client's sounds and the chatter sounds other players send, through
// the player's two sound switches (read at each sound, so a menu change counts at once), to
// the embedded sound set.
class TableSounds : public client::SoundSink {
public:
    // Registers the chatter-sound message with the window's client.
    explicit TableSounds(MainWindow& window);

    void play(const std::string& name) override;
    void playasound(std::string_view payload);

private:
    void readSwitches();

    MainWindow& m_window;
    social::SoundPlayer m_player;
    social::SoundRules m_rules;
};

} // namespace lastling::shell
