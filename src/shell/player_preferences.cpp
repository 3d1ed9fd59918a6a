#include "shell/player_preferences.h"

namespace lastling::shell {

PlayerPreferences::PlayerPreferences(std::optional<int> botSpeedOverride, QObject* parent)
    : QObject(parent), m_botSpeedOverride(botSpeedOverride) {}

void PlayerPreferences::setBotSpeed(int speedMs) {
    m_botSpeed = speedMs == 1000 || speedMs == 250 ? speedMs : 500;
}

void PlayerPreferences::chooseBotSpeed(int speedMs) {
    setBotSpeed(speedMs);
    emit chosen();
}

void PlayerPreferences::chooseBotSkill(host::BotSkill skill) {
    m_botSkill = skill;
    emit chosen();
}

void PlayerPreferences::chooseTurnSoundNew(bool turnSoundNew) {
    m_turnSoundNew = turnSoundNew;
    emit chosen();
}

void PlayerPreferences::choosePlaySounds(bool on) {
    m_playSounds = on;
    emit chosen();
}

void PlayerPreferences::choosePlayerPhraseSounds(bool on) {
    m_playerPhraseSounds = on;
    emit chosen();
}

void PlayerPreferences::apply(const settings::Settings& loaded) {
    setBotSpeed(loaded.botspeed);
    m_botSkill = loaded.botskill == 1 ? host::BotSkill::Smart : host::BotSkill::Classic;
    m_turnSoundNew = loaded.turnsound == 1;
    m_playSounds = loaded.playsounds;
    m_playerPhraseSounds = loaded.playerphrasesounds;
}

void PlayerPreferences::writeInto(settings::Settings& current) const {
    current.botspeed = m_botSpeed;
    current.botskill = m_botSkill == host::BotSkill::Smart ? 1 : 0;
    current.turnsound = m_turnSoundNew ? 1 : 0;
    current.playsounds = m_playSounds;
    current.playerphrasesounds = m_playerPhraseSounds;
}

} // namespace lastling::shell
