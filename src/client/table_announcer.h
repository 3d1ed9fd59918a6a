#pragma once

#include "client/table_view.h"

#include <string>
#include <vector>

// What a screen reader speaks while the table changes. Worked out from two pictures of the
// table, before and after one host message or action, so it follows whatever the model shows.
namespace lastling::client {

// The table as the announcer compares it: the view and whose turn the client holds.
struct TableMoment {
    TableView view;
    int whoseturn = 0;
    int myseat = 0;
};

// Spoken texts for what changed, in the order a player would want them: cards played, the
// status line, seats that ran out, a new trump, cards that came into the own hand, and our own
// turn time running out ("10 seconds left"). The status
// line is spoken when its text changes, and again when the turn comes back to the local player
// (a second refused card leaves the same text).
std::vector<std::string> announcementsBetween(const TableMoment& before, const TableMoment& after);

// What a key press on an own hand slot (1..4) says when it cannot play it; empty when the
// slot holds a card that may be played now.
std::string slotKeyRefusal(const TableMoment& now, int slot);

} // namespace lastling::client
