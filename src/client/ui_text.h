#pragma once

#include <QString>

#include <string>

// Texts the client makes for the player (status line, announcements, system chat lines), in
// the player's language. The table model holds single-byte (Latin-1) text.
namespace lastling::client {

// `text` as the model's single-byte text. What Latin-1 lacks of the translations' typography
// is written the plain way ("cœur" -> "coeur", "…" -> "...", "–" -> "-", curly quotes
// straight); anything else it lacks becomes "?".
std::string uiText(const QString& text);
// A name or other single-byte text of the model, to put into a translated text.
QString fromModel(const std::string& text);

// "Queen of Hearts" in the player's language; empty outside 1..52.
QString cardText(int card);
// The corner letter of a card picture: "2".."10", "J", "Q", "K", "A" in the player's
// language; empty outside 1..52.
QString cardCornerText(int card);

} // namespace lastling::client
