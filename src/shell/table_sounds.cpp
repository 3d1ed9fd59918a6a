#include "shell/table_sounds.h"

#include "client/table_client.h"
#include "client/ui_text.h"
#include "shell/main_window.h"
#include "shell/player_preferences.h"
#include "social/chat_panel.h"
#include "social/sound_names.h"

#include <QCoreApplication>

namespace lastling::shell {

TableSounds::TableSounds(MainWindow& window)
    : m_window(window),
      m_rules(
          m_player, [&window](const std::string& line) { window.chatPanel().addSystemLine(line); },
          [&window](int seat) {
              return window.client().model().view().seats.at(static_cast<std::size_t>(seat)).name;
          }) {
    m_rules.setChatterText([](const std::string& name, int number) {
        const QString caption =
            QCoreApplication::translate("ChatterSounds", social::chatterCaption(number).data());
        //: A chat line for a chatter sound not played: %1 the player's name, %2 the sound's
        //: caption. Keep ":" after the name.
        return client::uiText(QCoreApplication::translate("TableSounds", "%1: <Chatter Sound> %2")
                                  .arg(client::fromModel(name), caption));
    });
    // An ignored player's chatter sounds are not heard, like its chat.
    window.client().session().on(
        "CMD_playasound", window.client().model().unlessIgnored(
                              [this](std::string_view payload, int) { playasound(payload); }));
}

void TableSounds::readSwitches() {
    const PlayerPreferences& preferences = m_window.preferences();
    m_rules.setPlaySounds(preferences.playSounds());
    m_rules.setPlayerPhraseSounds(preferences.playerPhraseSounds());
}

void TableSounds::play(const std::string& name) {
    readSwitches();
    m_rules.play(name);
}

void TableSounds::playasound(std::string_view payload) {
    readSwitches();
    m_rules.playasound(payload);
}

} // namespace lastling::shell
