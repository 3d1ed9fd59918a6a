#include "client/table_announcer.h"

#include "client/client_state.h"

#include "cards/cards.h"

#include <algorithm>

namespace lastling::client {

namespace {

const SeatView& seatOf(const TableMoment& moment, int seat) {
    return moment.view.seats[static_cast<std::size_t>(seat)];
}

std::string who(const TableMoment& moment, int seat) {
    return seat == moment.myseat ? std::string("You") : seatOf(moment, seat).name;
}

// Cards played since `before`, oldest first.
void playedCards(const TableMoment& before, const TableMoment& after,
                 std::vector<std::string>& out) {
    std::vector<std::pair<int, int>> fresh; // stack order, seat
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        const SeatView& now = seatOf(after, seat);
        const SeatView& was = seatOf(before, seat);
        if (cards::isCard(now.played) &&
            (now.played != was.played || now.playedStack != was.playedStack)) {
            fresh.emplace_back(now.playedStack, seat);
        }
    }
    std::sort(fresh.begin(), fresh.end());
    for (const auto& [stack, seat] : fresh) {
        out.push_back(who(after, seat) + " played " + cards::name(seatOf(after, seat).played) +
                      ".");
    }
}

void seatsOut(const TableMoment& before, const TableMoment& after, std::vector<std::string>& out) {
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        if (seatOf(after, seat).out && !seatOf(before, seat).out) {
            out.push_back(seat == after.myseat ? std::string("You are out.")
                                               : seatOf(after, seat).name + " is out.");
        }
    }
}

// A trick's winner draws one card; a deal changes several slots and is read as the whole hand.
// A refused card that comes back to its slot was not drawn.
void newOwnCards(const TableMoment& before, const TableMoment& after,
                 std::vector<std::string>& out) {
    std::vector<std::string> drawn;
    std::vector<std::string> hand;
    for (int slot = 1; slot <= 4; ++slot) {
        const HandSlot& now = after.view.ownSlots[static_cast<std::size_t>(slot)];
        if (!cards::isCard(now.card) || !now.shown) {
            continue;
        }
        hand.push_back(cards::name(now.card));
        if (now.card != before.view.ownSlots[static_cast<std::size_t>(slot)].card) {
            drawn.push_back(hand.back());
        }
    }
    if (drawn.size() == 1) {
        out.push_back("You drew " + drawn.front() + ".");
    } else if (!drawn.empty()) {
        std::string text = "Your cards: ";
        for (std::size_t i = 0; i < hand.size(); ++i) {
            text += (i == 0 ? "" : ", ") + hand[i];
        }
        out.push_back(text + ".");
    }
}

bool turnCameBack(const TableMoment& before, const TableMoment& after) {
    return after.myseat != 0 && after.whoseturn == after.myseat && before.whoseturn != after.myseat;
}

} // namespace

std::vector<std::string> announcementsBetween(const TableMoment& before, const TableMoment& after) {
    std::vector<std::string> out;
    const bool statusChanged =
        after.view.status != before.view.status || turnCameBack(before, after);
    // The status line names a single play itself; several at once (a late join) are read here.
    std::vector<std::string> plays;
    playedCards(before, after, plays);
    const bool statusNamesThePlay = statusChanged && plays.size() == 1 &&
                                    after.view.status.find(" played ") != std::string::npos;
    if (!statusNamesThePlay) {
        out.insert(out.end(), plays.begin(), plays.end());
    }
    if (statusChanged) {
        out.push_back(after.view.status);
    }
    seatsOut(before, after, out);
    if (cards::isCard(after.view.trump) && after.view.trump != before.view.trump) {
        out.push_back("Trump: " + cards::name(after.view.trump) + ".");
    }
    newOwnCards(before, after, out);
    // Said once a turn, as our own time starts to run out; the red figure says the rest.
    if (after.view.timeRunningOut && !before.view.timeRunningOut) {
        out.push_back(std::to_string(after.view.secondsLeft) + " seconds left");
    }
    return out;
}

std::string slotKeyRefusal(const TableMoment& now, int slot) {
    if (slot < 1 || slot > 4) {
        return {};
    }
    const HandSlot& hand = now.view.ownSlots[static_cast<std::size_t>(slot)];
    if (!hand.shown || !cards::isCard(hand.card)) {
        return "Hand slot " + std::to_string(slot) + " is empty.";
    }
    if (now.myseat == 0 || now.whoseturn != now.myseat) {
        return "Not your turn.";
    }
    return {};
}

} // namespace lastling::client
