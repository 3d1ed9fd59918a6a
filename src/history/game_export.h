#pragma once

#include "history/game_record.h"

#include <QByteArray>

#include <string>

namespace lastling::history {

// A kept game as a person reads it: the table, the seats, each round's deal, every trick
// card by card and who took it, each round's result and the winner. UTF-8, "\n" lines.
std::string exportText(const GameRecord& game);

// The same content as JSON (UTF-8), for programs.
QByteArray exportJson(const GameRecord& game);

// "Solo", "Hosted", "Joined", "Watched".
std::string roleText(Role role);

} // namespace lastling::history
