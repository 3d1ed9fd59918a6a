#pragma once

#include "lastling_version.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

// Builders for every message of the wire protocol. Each returns the whole message,
// end byte included, ready for one send.
namespace lastling::protocol {

// Exchanged at login; a host warns about a client whose text differs.
inline constexpr std::string_view kVersion = LASTLING_VERSION;

// ---- client to host ----
// `loginName` is the name followed by one end byte, so the login ends in two end bytes.
std::string logininfo(int seat, std::string_view version, std::string_view loginName);
std::string chat(int seat, std::string_view textAndColour);
std::string action(int seat, std::string_view textAndColour);
std::string playasound(int seat, int soundNumber); // "waveN+"
std::string kickhim(int seat, int target);
std::string justwatch(int seat, int flag); // 1 = just watch, 2 = play again
std::string startgame(std::string_view name, std::string_view target);
std::string playcard(int seat, int slot);
// A returning player proves its seat with the key the host gave it, just before its login.
std::string seatkeyClaim(int slot, std::string_view key);

// ---- host to client ----
struct RosterEntry {
    int seat = 0;
    std::string name;
    bool watching = false;
};

struct SeatStats {
    int seat = 0;
    int score = 0;
    int playedCard = 0;
    int cardsInHand = 0;
};

struct SlotCard {
    int slot = 0;
    int card = 0;
};

std::string sendlogininfo(int slot);
// To everyone: the seat is kept for its dropped player NAME; an empty name: no longer.
std::string seatkept(int seat, std::string_view name);
// To the seated player's connection alone: the secret that gets the seat back after a drop.
// Clients that do not know the word ignore it.
std::string seatkey(int seat, std::string_view key);
// To everyone while a player's turn is timed: the seat on turn and the whole seconds left
// (rounded up), at the turn's start and each second after. Clients that do not know the word
// ignore it.
std::string turntime(int seat, int secondsLeft);
// A line the host itself adds to everyone's chat: an action from seat 0, the system line's
// colour, which every client shows.
std::string hostLine(std::string_view text);
std::string full();
std::string newplayerinfo(int seat, std::string_view name);
std::string existingplayers(const std::vector<RosterEntry>& others); // empty list: ""
std::string havewrongversion(std::string_view name);
std::string wrongversion();
std::string gamestats(int seat, int target, int trump, int turn,
                      const std::array<SeatStats, 4>& seats);
std::string mycards(int seat, const std::vector<SlotCard>& cards);
std::string playerdisconnected(int seat, std::string_view name);
std::string justwatching(int seat, int flag);
std::string playasoundRelay(int seat, std::string_view rest);
std::string chatRelay(std::string_view seatField, std::string_view name, std::string_view text);
std::string actionRelay(std::string_view seatField, std::string_view name, std::string_view text);
std::string startgameAnnounce(std::string_view name, int target);
std::string roundstart(int trump);
std::string nextplayer(int seat);
std::string heplayed(int seat, int card, int cardsLeft);
std::string error(int seat, int slot);
std::string endhand(int winner, int cardsInHand);
std::string playerstats(const std::vector<int>& outSeats); // empty list: ""
std::string roundover(int winner, int points, int total, const std::vector<int>& cards);
std::string starthand();
std::string winner(std::string_view name, int seat);
// "CMD_dealseal+FINGERPRINT+" to every logged-in connection at each deal, before
// "CMD_roundstart" (and to a late joiner after its "CMD_gamestats" and hand): the round's deck,
// sealed as protocol/deal_seal.h says. Clients that do not know the word ignore it.
std::string dealseal(std::string_view fingerprintHex);
// "CMD_dealreveal+SALT+C1+...+C52+" to every logged-in connection after "CMD_roundover": the
// salt in hex and the card at each deck position 1..52 of the round just played.
std::string dealreveal(std::string_view saltHex, const std::vector<int>& deck);

// ---- text safety ----
// Texts that travel in a field of their own: "+", "|" and the end byte each become "_".
// A name is made safe with cleanName (wire_text.h), which does this and more.
std::string safeName(std::string_view name);
// Chat text may hold "+", but no "|" (it would cut off the colour): see cleanChatText.
std::string safeChatText(std::string_view text);
// A relayed chat text is "text|colour": every "|" but the last, which opens the colour,
// is replaced as in safeChatText, so a faulty client cannot shift the colour field.
std::string safeRelayedChat(std::string_view textAndColour);

} // namespace lastling::protocol
