#pragma once

#include <QString>

#include <tuple>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;

namespace lastling::social {
class ChatPanel;
} // namespace lastling::social

namespace lastling::shell {

// The main window's menu items by their jobs. Object names are the ones the settings and the
// tests know ("Fast1", "N10", "PrhaseList1", ...); radio groups carry each item's tag as data.
struct MainMenus {
    QAction* startGame = nullptr;
    QAction* hostTable = nullptr; // "Host a Table...": a new run that hosts
    QAction* joinTable = nullptr; // "Join a Table...": a new run that joins
    QAction* exit = nullptr;
    QAction* playSounds = nullptr;
    QAction* playerPhraseSounds = nullptr;
    QAction* notifications = nullptr;  // desktop notifications while the window is hidden
    QActionGroup* turnSound = nullptr; // tags 0 "Classic", 1 "New"
    QActionGroup* botSpeed = nullptr;  // tags 1000, 500, 250
    QActionGroup* botSkill = nullptr;  // tags 0 "Classic", 1 "Smart"
    QAction* resetScreenLocation = nullptr;
    QAction* justWatch = nullptr;
    QAction* viewTally = nullptr;
    QAction* spyList = nullptr;
    QAction* lastTrick = nullptr; // Ctrl+L, checkable: shows the last finished trick
    QAction* hint = nullptr;      // H: on the own turn, points at a good card to play
    QAction* phraseList = nullptr;
    QAction* fourColourDeck = nullptr; // checkable: each suit in its own colour
    QActionGroup* cardSize = nullptr;  // tags 0 "Normal", 1 "Large", 2 "Largest"
    QAction* helpContent = nullptr;    // F1
    QAction* about = nullptr;
};

// Builds "File", "Options", "View" and "Help" in `bar` in their designed states. The chat's
// own commands (text colour and size, scroll, clear) come from `chat` and join "Options".
// Items whose window is not there yet ("View Tally", "Phrase List", "Content", "About") start
// disabled; the window enables each when it gets that window.
MainMenus buildMainMenus(QMenuBar& bar, social::ChatPanel& chat);

// Checks the item of `group` whose tag is `tag`; none when no item has it.
void checkTag(QActionGroup& group, int tag);

} // namespace lastling::shell
