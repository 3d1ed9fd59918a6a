#pragma once

#include <QString>

#include <string>

// Texts the client makes for the player (status line, announcements, system chat lines), in
// the player's language. The table model holds texts as the wire carries them: Latin-1 where
// it holds the text, UTF-8 otherwise.
namespace lastling::client {

// `text` as the model holds it.
std::string uiText(const QString& text);
// A name or other text of the model, to put into a translated text.
QString fromModel(const std::string& text);

// "Queen of Hearts" in the player's language; empty outside 1..52.
QString cardText(int card);
// The corner letter of a card picture: "2".."10", "J", "Q", "K", "A" in the player's
// language; empty outside 1..52.
QString cardCornerText(int card);

} // namespace lastling::client
