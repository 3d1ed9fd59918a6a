#pragma once

#include <array>
#include <string>
#include <vector>

// What the table shows, free of widgets. The window draws each field as it stands.
namespace lastling::client {

inline constexpr const char* kWaiting = "<Waiting>";

// Another seat's hand picture: face-down backs during play, face-up cards at a round's end.
struct HandPicture {
    int backs = 0; // 0..4 card backs
    bool faceUp = false;
    std::vector<int> cards; // face-up card numbers (at most four), when faceUp

    int width() const; // pixels: 0/71/81/91/101 face down, 71/91/111/131 face up
    // Left offsets of the pictures drawn, one per back or card.
    std::vector<int> offsets() const;
    // Picture indices drawn at those offsets: 0 for a back, else the card number.
    std::vector<int> pictures() const;
};

// One playing seat's group of controls (addressed by seat number 1..4).
struct SeatView {
    std::string name = kWaiting; // name label text
    bool nameVisible = true;
    std::string score = "0";
    bool scoreVisible = true;
    std::string bonus;              // "+N" after a round the seat won, else empty
    bool scoreFollowsName = false;  // score label placed 4 px right of the name label's text
    bool bonusFollowsScore = false; // bonus label placed 2 px right of the score label
    HandPicture hand;
    int played = 0;      // card on the table, 0 = none
    int playedStack = 0; // higher lies on top of lower among the played cards
    bool took = false;   // took-trick marker
    bool out = false;    // OUT badge
    bool winner = false; // WINNER badge
    bool eyes = false;   // just watching
    // This client hides the seat's chat, actions and chatter sounds.
    bool chatIgnored = false;
};

// One card of a trick and who played it (the name as the table showed it, "You" for our own).
struct TrickCard {
    int seat = 0;
    std::string name;
    int card = 0;

    bool operator==(const TrickCard&) const = default;
};

// The last finished trick, in the order its cards were played. Its taker keeps the took-trick
// stack on show until the next trick is taken, so the stack can be clicked to see it.
struct LastTrick {
    std::vector<TrickCard> cards; // empty until a trick has been taken
    int takerSeat = 0;
    std::string takerName;
};

// One of the local player's four hand slots.
struct HandSlot {
    int card = 0; // 0 = empty picture
    bool shown = true;
};

struct SeatPopupItems {
    bool removeFromGame = false;
    bool setToJustWatch = false;
    bool unsetJustWatch = false;
    bool ignoreChat = false;   // another seated player whose chat is shown
    bool stopIgnoring = false; // a seated player whose chat is hidden
};

struct TableView {
    std::array<SeatView, 5> seats{};    // index 1..4; 0 unused
    std::array<HandSlot, 5> ownSlots{}; // index 1..4; 0 unused
    int turnSeat = 0;                   // seat the turn marker stands at, 0 = not placed
    int trump = 0;                      // 0 = empty
    std::string playToScore = "Play to Score: 0";
    std::string status = "Welcome to Lastling";
    bool startButtonVisible = false;
    bool startGameEnabled = false;    // File > Start Game
    bool kickhimEnabled = false;      // spy list's "Remove From Game"
    bool justWatchChecked = false;    // Options > Just Watch
    std::vector<std::string> spyList; // "seat: name" in arrival order
    LastTrick lastTrick;
    bool lastTrickShown = false; // until the next click or the next trick starts
    int hintSlot = 0;            // own hand slot a hint points at until the turn ends; 0 = none
    // The time left for the seat on turn, when the table times turns: shown on that seat
    // while it is turnSeat.
    int timedSeat = 0; // 0 = no time shown
    int secondsLeft = 0;
    bool timeRunningOut = false; // our own turn's last seconds: drawn in red
};

// Our own turn's last seconds are shown in red and spoken from this many on.
inline constexpr int kTimeRunningOutSeconds = 10;

// Screen positions of a seat group after turning: 0 bottom, 1 left, 2 top, 3 right.
enum ScreenPosition { kBottom = 0, kLeft = 1, kTop = 2, kRight = 3 };

// `bottomSeat` is the seat shown at the bottom (own playing seat, else 1).
int screenPosition(int seat, int bottomSeat);
int seatAtPosition(int position, int bottomSeat);

// The name an empty seat shows once a game runs; the same as the host's computer name.
std::string placeholderName(int seat);

} // namespace lastling::client
