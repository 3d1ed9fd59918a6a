#include "client/table_announcer.h"

#include "client/client_state.h"
#include "client/ui_text.h"

#include "cards/cards.h"

#include <QCoreApplication>

#include <algorithm>

namespace lastling::client {

namespace {

const SeatView& seatOf(const TableMoment& moment, int seat) {
    return moment.view.seats[static_cast<std::size_t>(seat)];
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
        const QString card = cardText(seatOf(after, seat).played);
        out.push_back(
            uiText(seat == after.myseat
                       ? QCoreApplication::translate("TableAnnouncer", "You played %1.").arg(card)
                       : QCoreApplication::translate("TableAnnouncer", "%1 played %2.")
                             .arg(fromModel(seatOf(after, seat).name), card)));
    }
}

void seatsOut(const TableMoment& before, const TableMoment& after, std::vector<std::string>& out) {
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        if (seatOf(after, seat).out && !seatOf(before, seat).out) {
            out.push_back(uiText(seat == after.myseat
                                     ? QCoreApplication::translate("TableAnnouncer", "You are out.")
                                     : QCoreApplication::translate("TableAnnouncer", "%1 is out.")
                                           .arg(fromModel(seatOf(after, seat).name))));
        }
    }
}

// A trick's winner draws one card; a deal changes several slots and is read as the whole hand.
// A refused card that comes back to its slot was not drawn.
void newOwnCards(const TableMoment& before, const TableMoment& after,
                 std::vector<std::string>& out) {
    std::vector<QString> drawn;
    QStringList hand;
    for (int slot = 1; slot <= 4; ++slot) {
        const HandSlot& now = after.view.ownSlots[static_cast<std::size_t>(slot)];
        if (!cards::isCard(now.card) || !now.shown) {
            continue;
        }
        hand.push_back(cardText(now.card));
        if (now.card != before.view.ownSlots[static_cast<std::size_t>(slot)].card) {
            drawn.push_back(hand.back());
        }
    }
    if (drawn.size() == 1) {
        out.push_back(uiText(
            QCoreApplication::translate("TableAnnouncer", "You drew %1.").arg(drawn.front())));
    } else if (!drawn.empty()) {
        out.push_back(uiText(QCoreApplication::translate("TableAnnouncer", "Your cards: %1.")
                                 .arg(hand.join(QStringLiteral(", ")))));
    }
}

bool turnCameBack(const TableMoment& before, const TableMoment& after) {
    return after.myseat != 0 && after.whoseturn == after.myseat && before.whoseturn != after.myseat;
}

// Whether the status line already names the one card just played ("You played ...").
bool statusNamesFreshCard(const TableMoment& before, const TableMoment& after) {
    for (int seat = 1; seat <= kSeatCount; ++seat) {
        const SeatView& now = seatOf(after, seat);
        const SeatView& was = seatOf(before, seat);
        if (cards::isCard(now.played) &&
            (now.played != was.played || now.playedStack != was.playedStack)) {
            return after.view.status.find(uiText(cardText(now.played))) != std::string::npos;
        }
    }
    return false;
}

} // namespace

std::vector<std::string> announcementsBetween(const TableMoment& before, const TableMoment& after) {
    std::vector<std::string> out;
    const bool statusChanged =
        after.view.status != before.view.status || turnCameBack(before, after);
    // The status line names a single play itself; several at once (a late join) are read here.
    std::vector<std::string> plays;
    playedCards(before, after, plays);
    const bool statusNamesThePlay =
        statusChanged && plays.size() == 1 && statusNamesFreshCard(before, after);
    if (!statusNamesThePlay) {
        out.insert(out.end(), plays.begin(), plays.end());
    }
    if (statusChanged) {
        out.push_back(after.view.status);
    }
    seatsOut(before, after, out);
    if (cards::isCard(after.view.trump) && after.view.trump != before.view.trump) {
        out.push_back(uiText(QCoreApplication::translate("TableAnnouncer", "Trump: %1.")
                                 .arg(cardText(after.view.trump))));
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
        return uiText(
            QCoreApplication::translate("TableAnnouncer", "Hand slot %1 is empty.").arg(slot));
    }
    if (now.myseat == 0 || now.whoseturn != now.myseat) {
        return uiText(QCoreApplication::translate("TableAnnouncer", "Not your turn."));
    }
    return {};
}

} // namespace lastling::client
