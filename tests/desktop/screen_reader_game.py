"""Plays one whole solo game through AT-SPI alone, as a screen reader user would: no mouse and
no key events. Presses "Play Solo Game", File > Start Game and the Game Start window's
START GAME (target 20, set through its value), then on each turn a card that follows suit through its Press action; listens to
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
    """Screen readers speak a notification when it shows; its text is its name."""
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
    fail("waited in vain for " + what + "; last heard: " + repr(heard[-8:]))


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


def led_suit(main):
    """The suit of the card that leads the trick on the table. The newest card lies on top,
    so the cards stand in the order they were played."""
    for node in descendants(main):
        try:
            match = re.match(r"^(?:%s) of (%s), played by " % ("|".join(RANKS), "|".join(SUITS)),
                             node.name or "")
        except Exception:
            continue
        if match and showing(node):
            return match.group(1)
    return None


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
        target.queryValue().currentValue = 20.0
    press(wait_for("START GAME", lambda: first(dialog, pyatspi.ROLE_PUSH_BUTTON, "START GAME")),
          "START GAME")

    wait_for("the target on the table",
             lambda: first(main, pyatspi.ROLE_LABEL, "Play to Score: 20"), 10)
    played = refused = 0
    deadline = time.monotonic() + 120
    while True:
        if time.monotonic() > deadline:
            fail("the game did not end; status: " + repr(status_of(main)))
        pump(0.02)
        status = status_of(main)
        if status.endswith("Won the Game!"):
            break
        if status not in ("Your Turn.", "You must follow suit if able."):
            continue
        cards = hand(main)
        if not cards:
            continue
        suit = led_suit(main)
        following = [c for c in cards if suit and c.name.endswith(" of " + suit)]
        choice = (following or cards)[0]
        press(choice, choice.name)
        played += 1
        end = time.monotonic() + 3
        while time.monotonic() < end and status_of(main) == status:
            pump(0.02)
        if status_of(main) == "You must follow suit if able.":
            refused += 1
            print("refused: %s with %s led" % (choice.name, suit))

    print("played %d cards, %d refused; heard %d announcements" % (played, refused, len(heard)))
    if played == 0:
        fail("no card was played")
    if refused:
        fail("a card that did not follow suit was pressed")
    for expected in (" played ", "Won the Game!"):
        if not any(expected in text for text in heard):
            fail("never heard " + repr(expected) + "; heard: " + repr(heard[-20:]))

    unnamed = [node for node in descendants(main)
               if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and not (node.name or "").strip()]
    if unnamed:
        fail("%d push buttons without a name, in: %s" % (
            len(unnamed), ", ".join(repr(node.parent.name) + "/" + repr(node.description)
                                    for node in unnamed)))
    press(wait_for("File > Exit", lambda: menu_item(main, ["File", "Exit"])), "Exit")
    print("ok: a whole game through the accessibility bus")


if __name__ == "__main__":
    main()
