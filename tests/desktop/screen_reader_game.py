"""Plays one whole solo game through AT-SPI alone, as a screen reader user would: no mouse and
no key events. Presses "Play Solo Game", File > Start Game and the Game Start window's
START GAME, then on each turn a card that follows suit through its Press action; listens to
the table's announcements; checks that every push button of the main window has a name;
ends with File > Exit."""
import re
import sys
import time

import pyatspi
from gi.repository import GLib

RANKS = ["Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine", "Ten", "Jack",
         "Queen", "King", "Ace"]
SUITS = ["Clubs", "Diamonds", "Hearts", "Spades"]
CARD = re.compile(r"^(%s) of (%s)$" % ("|".join(RANKS), "|".join(SUITS)))
PLAYED = re.compile(r"^(.+) played (%s) of (%s)\.$" % ("|".join(RANKS), "|".join(SUITS)))

heard = []


def on_showing(event):
    try:
        if event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            heard.append(event.source.name)
    except Exception:  # an object gone meanwhile
        pass


def pump(seconds=0.0):
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.01)


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


def wait_for(what, find, seconds=30):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump()
        found = find()
        if found:
            return found
        time.sleep(0.05)
    fail("waited in vain for " + what)


def descendants(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    try:
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        yield from descendants(child, depth + 1)


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def enabled(node):
    try:
        return node.getState().contains(pyatspi.STATE_SENSITIVE)
    except Exception:
        return False


def press(node, what):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    fail(what + " has no Press action")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "Lastling":
            return app
    return None


def window(app, name):
    for top in app:
        if top is not None and top.name == name:
            return top
    return None


def first(root, role, name, must_show=True):
    for node in descendants(root):
        try:
            if node.getRole() == role and node.name == name and (showing(node) or not must_show):
                return node
        except Exception:
            continue
    return None


def menu_item(main, path):
    node = main
    for name in path:
        found = None
        for candidate in descendants(node):
            try:
                if candidate.getRole() == pyatspi.ROLE_MENU_ITEM or candidate.getRole() == pyatspi.ROLE_MENU:
                    if candidate.name == name:
                        found = candidate
                        break
            except Exception:
                continue
        if found is None:
            return None
        node = found
    return node


def status_of(main):
    for node in descendants(main):
        try:
            if node.getRole() == pyatspi.ROLE_STATUS_BAR:
                return node.name
        except Exception:
            continue
    return ""


def hand(main):
    cards = []
    for node in descendants(main):
        try:
            if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and CARD.match(node.name or "") \
                    and showing(node):
                cards.append(node)
        except Exception:
            continue
    return cards


def my_turn():
    """The last heard text that gives or ends the local player's turn, when it gives it."""
    for text in reversed(heard):
        if text in ("Your Turn.", "You must follow suit if able."):
            return text
        if text.startswith("You played ") or text.endswith("'s turn.") or \
                text.endswith("took the trick.") or text.endswith("Won the Game!"):
            return None
    return None


def led_suit():
    """The suit of the first card of the trick now on the table, from what was heard."""
    trick = []
    for text in heard:
        if text.endswith("took the trick.") or text.startswith("Trump:"):
            trick = []
        match = PLAYED.match(text)
        if match:
            trick.append(match.group(3))
    return trick[0] if trick else None


def main():
    pyatspi.Registry.registerEventListener(on_showing, "object:state-changed:showing")
    app = wait_for("the program on the accessibility bus", application)
    start = wait_for("the start dialog",
                     lambda: window(app, "Download The Korvel Lobby"))
    solo = wait_for("Play Solo Game", lambda: first(start, pyatspi.ROLE_PUSH_BUTTON,
                                                    "Play Solo Game"))
    press(solo, "Play Solo Game")
    wait_for("the start dialog to close", lambda: not showing(start))
    main = wait_for("the main window", lambda: window(app, "Lastling by Korvel Software"))
    start_game = wait_for("File > Start Game",
                          lambda: (lambda item: item if item and enabled(item) else None)(
                              menu_item(main, ["File", "Start Game"])))
    press(start_game, "Start Game")
    dialog = wait_for("the Game Start window",
                      lambda: (lambda w: w if w and showing(w) else None)(
                          window(app, "Lastling - Game Start")))
    target = first(dialog, pyatspi.ROLE_SPIN_BUTTON, "Play to Score")
    if target is not None:
        target.queryValue().currentValue = 10.0
    press(wait_for("START GAME", lambda: first(dialog, pyatspi.ROLE_PUSH_BUTTON, "START GAME")),
          "START GAME")

    played = refused = 0
    deadline = time.monotonic() + 120
    while not any(text.endswith("Won the Game!") for text in heard):
        if time.monotonic() > deadline:
            fail("the game did not end; last heard: " + repr(heard[-10:]))
        pump(0.02)
        turn = my_turn()
        if not turn:
            continue
        if turn == "You must follow suit if able.":
            refused += 1
        cards = hand(main)
        if not cards:
            continue
        suit = led_suit()
        following = [c for c in cards if suit and c.name.endswith(" of " + suit)]
        choice = (following or cards)[0]
        mark = len(heard)
        press(choice, choice.name)
        played += 1
        wait_for("the card to be played",
                 lambda: any(t.startswith("You played ") or t == "You must follow suit if able."
                             for t in heard[mark:]), 10)

    print("played %d cards, %d refused; heard %d announcements" % (played, refused, len(heard)))
    if played == 0:
        fail("no card was played")
    if refused:
        fail("a card that did not follow suit was pressed")
    for expected in (" played ", "took the trick.", "Trump: "):
        if not any(expected in text for text in heard):
            fail("never heard " + repr(expected) + "; heard: " + repr(heard[-20:]))
    if not status_of(main).endswith("Won the Game!"):
        fail("the status bar does not name the winner: " + repr(status_of(main)))

    unnamed = [node for node in descendants(main)
               if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and not (node.name or "").strip()]
    if unnamed:
        fail("%d push buttons without a name" % len(unnamed))
    press(wait_for("File > Exit", lambda: menu_item(main, ["File", "Exit"])), "Exit")
    print("ok: a whole game through the accessibility bus")


if __name__ == "__main__":
    main()
