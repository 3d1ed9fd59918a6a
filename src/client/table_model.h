#pragma once

#include "client/client_state.h"
#include "client/hint_adviser.h"
#include "client/ports.h"
#include "client/table_view.h"

#include <QObject>

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lastling::protocol {
class Dispatcher;
}

namespace lastling::client {

// The roster and the table as the client shows them. Host messages change it through the
// handlers below (each takes its message's payload); the user's actions go through the action
// methods, which send over the connection. The window draws from view() after changed().
//
// A numeric field that does not convert throws protocol::ConversionError: the handler stops
// where it stands and what it changed stays. Seat, slot, card and count fields out of range
// are ignored (the entry or message that carries them changes nothing).
class TableModel : public QObject {
    Q_OBJECT
public:
    using Sender = std::function<void(const std::string& message)>;

    explicit TableModel(QObject* parent = nullptr);

    void setPorts(const ClientPorts& ports) { m_ports = ports; }
    const ClientPorts& ports() const { return m_ports; }
    // Where built messages go (the game connection).
    void setSender(Sender sender) { m_send = std::move(sender); }

    ClientState& state() { return m_state; }
    const ClientState& state() const { return m_state; }
    const TableView& view() const { return m_view; }

    // Seat shown at the bottom: own playing seat after turning, else 1.
    int bottomSeat() const { return m_bottomSeat; }
    int screenPositionOf(int seat) const { return screenPosition(seat, m_bottomSeat); }
    int seatAt(int position) const { return seatAtPosition(position, m_bottomSeat); }

    // Registers every roster and table handler under its command word.
    void registerHandlers(protocol::Dispatcher& dispatcher);
    void notifyChanged() { emit changed(); }

    // Hosting shows the start button and enables Start Game and the spy list's kick;
    // joining hides the button and disables Start Game.
    void setHostControls(bool host);
    // The hosting player starts games. At a table whose host has no window of its own,
    // whoever sits in the lowest occupied playing seat does.
    void seatAssigned(int seat);
    bool startsGames() const;
    // Seat 1, the hosting player, has left the table.
    bool hostLeft() const { return m_hostLeft; }
    // Somebody besides this client is connected to the table, seated or watching.
    bool othersAtTable() const;
    // From a game's start (or the state of one, for a late joiner) until its winner.
    bool gameRunning() const { return m_gameRunning; }
    // The status line, for what the connection has to say (reconnecting).
    void setStatus(const std::string& text);
    // The run is over (the table closed, the player removed): nobody's turn is shown any more.
    void connectionClosed();
    // The connection is on its way back to our own seat after a drop. Until the game's state
    // comes, what the host sends restores the table the player left: the settings are not
    // read again (the window stays where the player has it), and our turn in that state is
    // announced as any turn is, not with a late joiner's notice.
    void setReturning(bool returning) { m_returning = returning; }

    // ---- roster handlers ----
    void newplayerinfo(std::string_view payload); // also "CMD_existingplayers"
    void playerdisconnected(std::string_view payload);
    void justwatching(std::string_view payload);
    void seatkept(std::string_view payload); // kept for its dropped player, or no longer

    // ---- table handlers ----
    void startthegame(std::string_view payload);
    void roundstart(std::string_view payload);
    void mycards(std::string_view payload);
    void getnextplayer(std::string_view payload);
    void heplayed(std::string_view payload);
    void error(std::string_view payload);
    void endhand(std::string_view payload);
    void playerstats(std::string_view payload);
    void starthand(std::string_view payload);
    void roundover(std::string_view payload);
    void winner(std::string_view payload);
    void gamestats(std::string_view payload);
    void turntime(std::string_view payload); // seconds left for the seat on turn

    // ---- user actions ----
    void cardClicked(int slot);                          // own hand slot 1..4
    void justWatchClicked();                             // Options > Just Watch
    void startButtonClicked();                           // START GAME button or File > Start Game
    void gameStartChosen(const std::string& targetText); // the game start dialog's start
    SeatPopupItems seatPopupItems(int seat) const;       // states before the seat pop-up opens
    void removeFromGame(int seat);                       // seat pop-up / kicking
    void setToJustWatch(int seat);
    void unsetJustWatch(int seat);
    void removeSpy(int index); // spy list entry index, 0-based
    // The took-trick marker or "View" > "Last Trick": shows or hides the last finished trick.
    void toggleLastTrick();
    // "View" > "Hint": on our own turn, points at the card the stronger computer player would
    // play in our place and names it in the status line. Nothing is sent.
    void showHint();
    bool hintAvailable() const;
    const HintAdviser& hints() const { return m_hints; }
    // Seat pop-up: hide or show again what a seated player sends to the chat. Local only;
    // it ends when the player leaves, so a newcomer in that seat is heard.
    void ignoreChat(int seat);
    void stopIgnoring(int seat);
    // Whether a "CMD_chat", "CMD_action" or "CMD_playasound" payload ("<seat>+...") comes
    // from a seat whose chat is ignored.
    bool ignoresSender(std::string_view payload) const;
    // `handler` for one of those words, skipping what ignored seats send.
    std::function<void(std::string_view payload, int source)>
    unlessIgnored(std::function<void(std::string_view payload, int source)> handler) const;

signals:
    // After each handled message or action; the window redraws from view().
    void changed();
    // A game starts; `ours` when this window's player started it.
    void gameStarting(bool ours);

private:
    void send(const std::string& message);
    void systemLine(const std::string& text); // adds "0+" in front
    void sound(const std::string& name);
    void turnTableToOwnSeat(int seat); // once: the own seat goes to the bottom
    void placeRosterEntry(int seat, const std::string& name, const std::string& flag);
    void hishand(int seat, int count);
    void clearall();
    void showPlaceholderIfWaiting(int seat);
    void offerStartIfOurs();
    bool ownNameIs(const std::string& name) const;
    SeatView& seat(int number) { return m_view.seats[static_cast<std::size_t>(number)]; }
    void kicking(int target);
    void sendJustWatch(int target, int flag);
    void ownCardPlayed(int card);
    void restorePendingClick();
    void showTurn(int seat);
    void clearTurnTime();
    void turnSound();
    void showPlayed(int seat, int card);
    std::string nameOf(int seat) const; // as the table shows it; "You" for our own seat
    void recordTrickCard(int seat, int card);
    void hideLastTrick() { m_view.lastTrickShown = false; }

    ClientState m_state;
    TableView m_view;
    ClientPorts m_ports;
    Sender m_send;
    int m_bottomSeat = 1;
    int m_playedStack = 0;
    bool m_hostLeft = false;
    bool m_gameRunning = false;                  // from a game's start (or its state) to its winner
    std::array<bool, kMaxSlots + 1> m_present{}; // by slot, from the roster messages
    int m_pendingSlot = 0; // hand slot clicked and sent; the host has not answered yet
    bool m_turned = false; // the table turns once per run
    bool m_returning = false;
    // Cards of the trick being played, in order.
    std::vector<TrickCard> m_trick;
    HintAdviser m_hints;
};

} // namespace lastling::client
