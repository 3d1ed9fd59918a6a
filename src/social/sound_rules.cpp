#include "social/sound_rules.h"

#include "protocol/fields.h"
#include "social/sound_names.h"

#include <utility>

namespace lastling::social {

namespace {
constexpr int kLastPlayingSeat = 4;
constexpr int kLastSeat = 9;
} // namespace

SoundRules::SoundRules(Speaker& speaker, SystemLine systemLine, SeatName seatName)
    : m_speaker(speaker), m_systemLine(std::move(systemLine)), m_seatName(std::move(seatName)) {}

void SoundRules::play(const std::string& name) {
    if (m_playSounds) {
        m_speaker.play(name);
    }
}

void SoundRules::playasound(std::string_view payload) {
    protocol::Fields fields(payload);
    int seat = 0;
    if (!protocol::tryParseInt(fields.text(), seat) || seat < 1 || seat > kLastSeat) {
        return;
    }
    const int number = chatterSoundNumber(fields.text());
    if (number == 0) {
        return;
    }
    if (m_playerPhraseSounds) {
        m_speaker.play(chatterSoundName(number));
        return;
    }
    // Spectators have no name label, so their chatter shows nothing.
    if (seat > kLastPlayingSeat || !m_systemLine || !m_seatName) {
        return;
    }
    const std::string name = m_seatName(seat);
    m_systemLine("0+" + (m_chatterText
                             ? m_chatterText(name, number)
                             : name + ": <Chatter Sound> " + std::string(chatterCaption(number))));
}

} // namespace lastling::social
