#include "protocol/messages.h"

#include "protocol/framing.h"
#include "protocol/wire_text.h"

namespace lastling::protocol {

namespace {

// Joins the command literal and fields, then the end byte.
class Builder {
public:
    explicit Builder(std::string_view literal) : m_text(literal) {}
    Builder& add(std::string_view text) {
        m_text.append(text);
        return *this;
    }
    Builder& add(int number) { return add(std::to_string(number)); }
    Builder& field(std::string_view text) { return add("+").add(text); }
    Builder& field(int number) { return add("+").add(number); }
    std::string end() { return std::move(m_text) + kEnd; }

private:
    std::string m_text;
};

std::string relay(std::string_view literal, std::string_view seatField, std::string_view name,
                  std::string_view separator, std::string_view text) {
    // One field for the peers: the name and the text may come in different forms.
    return Builder(literal).add(seatField).add("+").add(joinTexts(name, separator, text)).end();
}

std::string replaceBytes(std::string_view text, std::string_view bad, char replacement) {
    std::string out(text);
    for (char& c : out) {
        if (bad.find(c) != std::string_view::npos) {
            c = replacement;
        }
    }
    return out;
}

} // namespace

std::string logininfo(int seat, std::string_view version, std::string_view loginName) {
    return Builder("CMD_logininfo+").add(seat).field(version).field(loginName).end();
}
std::string chat(int seat, std::string_view textAndColour) {
    return Builder("CMD_chat+").add(seat).field(textAndColour).end();
}
std::string action(int seat, std::string_view textAndColour) {
    return Builder("CMD_action+").add(seat).field(textAndColour).end();
}
std::string playasound(int seat, int soundNumber) {
    return Builder("CMD_playasound+").add(seat).add("+wave").add(soundNumber).add("+").end();
}
std::string kickhim(int seat, int target) {
    return Builder("CMD_kickhim+").add(seat).field(target).add("+").end();
}
std::string justwatch(int seat, int flag) {
    return Builder("CMD_justwatch+").add(seat).field(flag).end();
}
std::string startgame(std::string_view name, std::string_view target) {
    return Builder("CMD_startgame+").add(name).field(target).add("+").end();
}
std::string playcard(int seat, int slot) {
    return Builder("CMD_playcard+").add(seat).field(slot).add("+").end();
}

std::string seatkey(int seat, std::string_view key) {
    return Builder("CMD_seatkey+").add(seat).field(key).end();
}
std::string seatkept(int seat, std::string_view name) {
    return Builder("CMD_seatkept+").add(seat).field(name).end();
}
std::string turntime(int seat, int secondsLeft) {
    return Builder("CMD_turntime+").add(seat).field(secondsLeft).end();
}
std::string hostLine(std::string_view text) {
    return Builder("CMD_action+0+").add(safeChatText(text)).add("|clBlue").end();
}
std::string seatkeyClaim(int slot, std::string_view key) {
    return seatkey(slot, key);
}
std::string sendlogininfo(int slot) {
    return Builder("CMD_sendlogininfo+").add(slot).end();
}
std::string full() {
    return Builder("CMD_full+").end();
}
std::string newplayerinfo(int seat, std::string_view name) {
    return Builder("CMD_newplayerinfo+").add(seat).field(name).add("+0").end();
}
std::string existingplayers(const std::vector<RosterEntry>& others) {
    if (others.empty()) {
        return {};
    }
    Builder message("CMD_existingplayers");
    for (const auto& entry : others) {
        message.field(entry.seat).field(entry.name).field(entry.watching ? "1" : "0");
    }
    return message.end();
}
std::string havewrongversion(std::string_view name) {
    return Builder("CMD_havewrongversion+").add(name).end();
}
std::string wrongversion() {
    return Builder("CMD_wrongversion+").end();
}
std::string gamestats(int seat, int target, int trump, int turn,
                      const std::array<SeatStats, 4>& seats) {
    Builder message("CMD_gamestats+");
    message.add(seat).field(target).field(trump).field(turn);
    for (const auto& s : seats) {
        message.field(s.seat).field(s.score).field(s.playedCard).field(s.cardsInHand);
    }
    return message.end();
}
std::string mycards(int seat, const std::vector<SlotCard>& cards) {
    Builder message("CMD_mycards+");
    message.add(seat);
    for (const auto& c : cards) {
        message.field(c.slot).field(c.card);
    }
    return message.end();
}
std::string playerdisconnected(int seat, std::string_view name) {
    return Builder("CMD_playerdisconnected+").add(seat).field(name).end();
}
std::string justwatching(int seat, int flag) {
    return Builder("CMD_justwatching+").add(seat).field(flag).end();
}
std::string playasoundRelay(int seat, std::string_view rest) {
    return Builder("CMD_playasound+").add(seat).field(rest).end();
}
std::string chatRelay(std::string_view seatField, std::string_view name, std::string_view text) {
    return relay("CMD_chat+", seatField, name, " chats: ", text);
}
std::string actionRelay(std::string_view seatField, std::string_view name, std::string_view text) {
    return relay("CMD_action+", seatField, name, " ", text);
}
std::string startgameAnnounce(std::string_view name, int target) {
    return Builder("CMD_startgame+").add(name).field(target).add("+").end();
}
std::string roundstart(int trump) {
    return Builder("CMD_roundstart+").add(trump).add("+").end();
}
std::string nextplayer(int seat) {
    return Builder("CMD_nextplayer+").add(seat).add("+").end();
}
std::string heplayed(int seat, int card, int cardsLeft) {
    return Builder("CMD_heplayed+").add(seat).field(card).field(cardsLeft).add("+").end();
}
std::string error(int seat, int slot) {
    return Builder("CMD_error+").add(seat).field(slot).add("+").end();
}
std::string endhand(int winner, int cardsInHand) {
    return Builder("CMD_endhand+").add(winner).field(cardsInHand).add("+").end();
}
std::string playerstats(const std::vector<int>& outSeats) {
    if (outSeats.empty()) {
        return {};
    }
    Builder message("CMD_playerstats");
    for (int seat : outSeats) {
        message.field(seat);
    }
    return message.end();
}
std::string roundover(int winner, int points, int total, const std::vector<int>& cards) {
    Builder message("CMD_roundover+");
    message.add(winner).field(points).field(total);
    for (int card : cards) {
        message.field(card);
    }
    return message.end();
}
std::string dealseal(std::string_view fingerprintHex) {
    return Builder("CMD_dealseal+").add(fingerprintHex).add("+").end();
}
std::string dealreveal(std::string_view saltHex, const std::vector<int>& deck) {
    Builder message("CMD_dealreveal+");
    message.add(saltHex);
    for (int card : deck) {
        message.field(card);
    }
    return message.add("+").end();
}
std::string starthand() {
    return Builder("CMD_starthand++").end();
}
std::string winner(std::string_view name, int seat) {
    return Builder("CMD_winner+").add(name).field(seat).add("+").end();
}

std::string safeName(std::string_view name) {
    return replaceBytes(name, std::string_view("+|\xFF", 3), '_');
}
std::string safeChatText(std::string_view text) {
    return cleanChatText(text);
}
std::string safeRelayedChat(std::string_view textAndColour) {
    const auto bar = textAndColour.rfind('|');
    if (bar == std::string_view::npos) {
        return safeChatText(textAndColour);
    }
    return safeChatText(textAndColour.substr(0, bar)) + "|" +
           safeChatText(textAndColour.substr(bar + 1));
}

} // namespace lastling::protocol
