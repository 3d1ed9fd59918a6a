#pragma once

#include "social/speaker.h"

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace lastling::social {

// Decides what the table hears. It stands between the table client and the speaker: table
// sounds pass when "Play Sounds" is on; chatter sounds received from the host play when
// "Player Phrase Sounds" is on and otherwise become a system line in the chat. No widgets, no
// audio: the speaker is the real SoundPlayer, or a recorder in tests.
class SoundRules : public Speaker {
public:
    // The caption of the name label of playing seat 1..4.
    using SeatName = std::function<std::string(int seat)>;
    // Adds a system line ("0+text") to the chat.
    using SystemLine = std::function<void(const std::string& line)>;

    // The text of the line that stands for a chatter sound not heard, from the seat's name and
    // the sound's number; unset: "<name>: <Chatter Sound> <caption>".
    using ChatterText = std::function<std::string(const std::string& seatName, int number)>;

    SoundRules(Speaker& speaker, SystemLine systemLine, SeatName seatName);

    // The window writes the line in the player's language.
    void setChatterText(ChatterText text) { m_chatterText = std::move(text); }

    // The Options switches; both on until the settings say otherwise.
    void setPlaySounds(bool on) { m_playSounds = on; }
    bool playSounds() const { return m_playSounds; }
    void setPlayerPhraseSounds(bool on) { m_playerPhraseSounds = on; }
    bool playerPhraseSounds() const { return m_playerPhraseSounds; }

    // `playsounds`: a table sound ("placecard", "turnnew", ...).
    void play(const std::string& name) override;

    // `playasound`: the payload of a received "CMD_playasound", "<seat>+wave<N>+". Any other
    // sender may have written it, so a name other than "wave1".."wave20" or a seat outside
    // 1..9 makes it do nothing at all.
    void playasound(std::string_view payload);

private:
    Speaker& m_speaker;
    SystemLine m_systemLine;
    SeatName m_seatName;
    ChatterText m_chatterText;
    bool m_playSounds = true;
    bool m_playerPhraseSounds = true;
};

} // namespace lastling::social
