#!/usr/bin/env python3
"""Cheats against `lastling --serve` with raw clients, as a player who wants to win by any
means would; each mode is one way to spoil the game for the others, which the host must hold
against.

usage: fair_table_client.py LASTLING MODE [EXTRA...]
  deck SEED_SEARCH   seat 1 works out the whole deck from its own view of the first deal
"""
import os
import socket
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from serve_client import END, Client, fail, serving, stop_host, suit  # noqa: E402

CLOCK_SEEDS = 86_400_000  # one per millisecond of a day
SEARCH_LIMIT = 240  # seconds; the search takes about one, more under the sanitizers


def hand_of(fields):
    """The cards of a whole hand, "CMD_mycards+SEAT+1+C+2+C+3+C+4+C", by slot."""
    pairs = fields[2:]
    if len(pairs) != 8 or [int(s) for s in pairs[0::2]] != [1, 2, 3, 4]:
        fail("not a whole hand: " + "+".join(fields))
    return [int(c) for c in pairs[1::2]]


def first_deal(port):
    """Seats 1 and 2 sit down and seat 1 starts a game. Returns what seat 1 sees of the first
    deal (the trump, the first seat on turn, its hand) and seat 2's hand, to check a guess."""
    ann = Client(port)
    ann.login("Ann")
    bob = Client(port)
    bob.login("Bob")
    ann.send("CMD_startgame+Ann+30+")
    trump = first = hand = None
    while first is None:
        fields = ann.next().split("+")
        if fields[0] == "CMD_roundstart" and trump is None:
            trump = int(fields[1])
        elif fields[0] == "CMD_mycards" and fields[1] == "1":
            hand = hand_of(fields)
        elif fields[0] == "CMD_nextplayer":
            first = int(fields[1])
    if trump is None or hand is None:
        fail("the first turn came before the trump or seat 1's hand")
    while True:
        fields = bob.next().split("+")
        if fields[0] == "CMD_mycards" and fields[1] == "2":
            return (trump, first, hand), hand_of(fields)


def search(program, view):
    """Every clock seed whose first game deals `view`, with the deck it predicts."""
    trump, first, hand = view
    run = subprocess.run([program, str(trump), str(first), *map(str, hand)], capture_output=True,
                         text=True, timeout=SEARCH_LIMIT)
    if run.returncode != 0:
        fail("the search failed: %s" % run.stderr)
    fits = {}
    for line in run.stdout.splitlines():
        numbers = [int(n) for n in line.split()]
        if len(numbers) != 53 or sorted(numbers[1:]) != list(range(1, 53)):
            fail("the search printed %r" % line)
        fits[numbers[0]] = numbers[1:]
    return fits


def view_of_table(lastling, *extra):
    with serving(lastling, "--no-announce", *extra) as (host, port):
        deal = first_deal(port)
        stop_host(host)
    return deal


def check_deck(lastling, program):
    # The attack works on the rules' generator, at both ends of the day: exactly the host's seed
    # fits, and it names seat 2's hand card for card.
    for seed in (0, CLOCK_SEEDS - 1):
        view, seat2 = view_of_table(lastling, "--seed", str(seed))
        fits = search(program, view)
        if list(fits) != [seed]:
            fail("--seed %d: the search found %s" % (seed, sorted(fits)))
        if fits[seed][5:9] != seat2:
            fail("--seed %d: predicted seat 2 holds %s, it holds %s" % (seed, fits[seed][5:9], seat2))
    # A table dealt from the secure source: no seed explains the deal. One seat's view fits some
    # seed by chance at about one table in fifteen, but such a seed knows nothing of seat 2.
    view, seat2 = view_of_table(lastling)
    for seed, deck in search(program, view).items():
        if deck[5:9] == seat2:
            fail("seed %d gives the deal: %s and seat 2's %s" % (seed, view, seat2))


FAST = ("--tick-ms", "20", "--bot-speed", "5")
WAIT = 20.0  # seconds; only keeps a broken host from hanging the suite


class Player(Client):
    """A raw client that knows its hand and the led suit, and logs in with or without a key."""

    def __init__(self, port, timeout=WAIT):
        super().__init__(port)
        self.sock.settimeout(timeout)
        self.hand = [0, 0, 0, 0]
        self.led = 0
        self.autoplay = True  # answers its own turns while waiting for something else

    def enter(self, name, key=None):
        """Logs in, proving `key` first if given, and follows the host to a kept seat."""
        while True:
            greeting = self.next()
            if not greeting.startswith("CMD_sendlogininfo+"):
                fail("expected a slot, got %r" % greeting)
            self.seat = int(greeting.split("+")[1])
            if key:
                self.send("CMD_seatkey+%d+%s" % (self.seat, key))
            self.sock.sendall(("CMD_logininfo+%d+1.0.1+%s" % (self.seat, name)).encode("latin-1") + END + END)
            got = self.next()
            if got == "CMD_newplayerinfo+%d+%s+0" % (self.seat, name):
                break
            self.pending.insert(0, got)  # moved to the kept seat: asked again
        self.key = self.take_key() if self.seat <= 4 else None
        return self

    def track(self, message):
        fields = message.split("+")
        word = fields[0]
        if word == "CMD_mycards" and int(fields[1]) == self.seat:
            for i in range(2, len(fields) - 1, 2):
                self.hand[int(fields[i]) - 1] = int(fields[i + 1])
        elif word == "CMD_heplayed" and self.led == 0:
            self.led = suit(int(fields[2]))
        elif word in ("CMD_endhand", "CMD_roundstart", "CMD_starthand"):
            self.led = 0
        elif word == "CMD_gamestats" and int(fields[1]) == self.seat:
            self.led = next((suit(int(fields[i])) for i in range(7, len(fields), 4) if int(fields[i])), 0)
        return word

    def my_turn(self, message):
        return message == "CMD_nextplayer+%d+" % self.seat

    def play(self):
        cards = [s for s in range(4) if self.hand[s]]
        following = [s for s in cards if suit(self.hand[s]) == self.led]
        slot = (following or cards)[0]
        self.hand[slot] = 0
        self.send("CMD_playcard+%d+%d+" % (self.seat, slot + 1))

    def until(self, predicate, what):
        """Reads (and tracks) messages until one fits; returns it."""
        try:
            while True:
                message = self.next()
                self.track(message)
                if predicate(message):
                    return message
                if self.autoplay and self.my_turn(message):
                    self.play()
        except socket.timeout:
            fail("%s never came" % what)

    def closed_within(self, seconds):
        self.sock.settimeout(seconds)
        try:
            while self.sock.recv(65536):
                pass
        except socket.timeout:
            return False
        except OSError:
            pass
        return True


def start_game(ann, target=30):
    ann.send("CMD_startgame+Ann+%d+" % target)
    ann.until(lambda m: m.startswith("CMD_mycards+"), "the first deal")


def check_skip(lastling):
    """Setting and clearing "just watch" on one's own turn never passes it without a card."""
    with serving(lastling, *FAST) as (host, port):
        ann = Player(port).enter("Ann")
        ann.autoplay = False
        start_game(ann, target=1000)  # no game ends before Ann's turns are done
        turns = 0
        while turns < 12:
            ann.until(ann.my_turn, "Ann's turn")
            ann.send("CMD_justwatch+1+1")
            ann.send("CMD_justwatch+1+2")
            after = ann.until(lambda m: m.startswith(("CMD_heplayed+", "CMD_nextplayer+", "CMD_endhand+")),
                              "what follows Ann's turn")
            if not after.startswith("CMD_heplayed+1+"):
                fail("Ann's turn passed without her card: %r" % after)
            turns += 1
        stop_host(host)


def check_stall(lastling):
    """A connection that takes a computer's seat and never logs in neither stops the game
    nor stays: the computer plays the seat, the table is not told, the host closes it."""
    with serving(lastling, *FAST) as (host, port):
        ann = Player(port).enter("Ann")
        start_game(ann)
        silent = Client(port)
        if silent.next() != "CMD_sendlogininfo+2":
            fail("the silent connection was not offered seat 2")
        began = time.monotonic()
        seen = ann.until(lambda m: m.startswith(("CMD_heplayed+2+", "CMD_newplayerinfo+")), "a card of seat 2")
        if seen.startswith("CMD_newplayerinfo+"):
            fail("the table was told of a connection that never logged in: %r" % seen)
        silent.sock.settimeout(15)
        try:
            while silent.sock.recv(65536):
                pass
        except socket.timeout:
            fail("a connection that never logged in stayed %d s" % (time.monotonic() - began))
        stop_host(host)


def check_takeover(lastling):
    """Neither a second connection under a seated player's name from the same address nor a
    second login on a logged-in connection takes a seat."""
    with serving(lastling, *FAST) as (host, port):
        ann = Player(port).enter("Ann")
        bob = Player(port).enter("Bob")
        ann.until(lambda m: m == "CMD_newplayerinfo+2+Bob+0", "Bob's arrival")
        start_game(ann)
        impostor = Player(port).enter("Bob")
        if impostor.seat == 2:
            fail("a second connection named Bob took Bob's seat")
        bob.send("CMD_logininfo+2+1.0.1+Ann")
        bob.send("CMD_chat+2+still here|clBlack")
        got = bob.until(lambda m: m.startswith(("CMD_chat+", "CMD_sendlogininfo+", "CMD_mycards+1+",
                                                "CMD_playerdisconnected+2+")), "Bob's chat")
        if got != "CMD_chat+2+Bob chats: still here|clBlack":
            fail("a second login moved Bob or dropped him: %r" % got)
        impostor.sock.close()
        stop_host(host)


def drop_and_return(port, ann, bob, name="Bob"):
    key = bob.key
    bob.sock.close()
    ann.until(lambda m: m == "CMD_playerdisconnected+2+%s" % name, "Bob's leave")
    back = Player(port).enter(name, key)
    return back


def check_holds(lastling):
    with serving(lastling, *FAST) as (host, port):
        holds_for_seated_players_only(port)
        stop_host(host)
    with serving(lastling, *FAST) as (host, port):
        broken_return_keeps_the_hold(port)
        stop_host(host)
    with serving(lastling, *FAST) as (host, port):
        three_holds_a_game(port)
        stop_host(host)
    with serving(lastling, *FAST) as (host, port):
        holds_end_with_the_game(port)
        stop_host(host)


def holds_for_seated_players_only(port):
    """A late joiner on a computer's seat who drops does not get the seat kept."""
    ann = Player(port).enter("Ann")
    start_game(ann)
    late = Player(port).enter("Lou")
    late.sock.close()
    ann.until(lambda m: m == "CMD_playerdisconnected+2+Lou", "Lou's leave")
    eve = Player(port).enter("Eve")
    if eve.seat != 2:
        fail("a late joiner's seat was kept: Eve got seat %d" % eve.seat)


def half_return(port, key):
    """A connection that proves the key and is moved to seat 2, but does not log in there."""
    client = Client(port)
    slot = int(client.next().split("+")[1])
    client.send("CMD_seatkey+%d+%s" % (slot, key))
    client.sock.sendall(("CMD_logininfo+%d+1.0.1+Bob" % slot).encode("latin-1") + END + END)
    if client.next() != "CMD_sendlogininfo+2":
        fail("the key did not lead back to seat 2")
    return client


def broken_return_keeps_the_hold(port):
    """A return that closes, or stalls, before its second login keeps the seat for the next."""
    ann = Player(port).enter("Ann")
    bob = Player(port).enter("Bob")
    start_game(ann)
    key = bob.key
    bob.sock.close()
    ann.until(lambda m: m == "CMD_playerdisconnected+2+Bob", "Bob's leave")
    # Proves the key, is moved to seat 2, and closes before logging in there.
    half_return(port, key).sock.close()
    stranger = Player(port).enter("Eve")
    if stranger.seat == 2:
        fail("a stranger got the kept seat after a broken return")
    stranger.sock.close()  # a late joiner who never plays would hold the game up
    # A return that stalls on seat 2: the game goes on, and the host closes it.
    stalled = half_return(port, key)
    ann.until(lambda m: m.startswith("CMD_heplayed+2+"), "a card of seat 2 while its return stalls")
    stalled.sock.settimeout(15)
    try:
        while stalled.sock.recv(65536):
            pass
    except socket.timeout:
        fail("a stalled return was not closed")
    bob = Player(port).enter("Bob", key)
    if bob.seat != 2:
        fail("Bob did not get his seat back after a stalled return: %d" % bob.seat)


def three_holds_a_game(port):
    """A seat is kept three times a game; the fourth drop frees it."""
    ann = Player(port).enter("Ann")
    bob = Player(port).enter("Bob")
    start_game(ann)
    for time_ in range(3):
        bob = drop_and_return(port, ann, bob)
        if bob.seat != 2:
            fail("return %d went to seat %d" % (time_ + 1, bob.seat))
        ann.until(lambda m: m == "CMD_newplayerinfo+2+Bob+0", "Bob's return")
    bob.sock.close()
    ann.until(lambda m: m == "CMD_playerdisconnected+2+Bob", "Bob's fourth leave")
    eve = Player(port).enter("Eve")
    if eve.seat != 2:
        fail("a seat was kept a fourth time: Eve got seat %d" % eve.seat)


def holds_end_with_the_game(port):
    ann = Player(port).enter("Ann")
    bob = Player(port).enter("Bob")
    start_game(ann, target=1)
    bob.sock.close()
    ann.until(lambda m: m.startswith("CMD_winner+"), "the end of the game")
    eve = Player(port).enter("Eve")
    if eve.seat != 2:
        fail("a hold outlived its game: Eve got seat %d" % eve.seat)


def check_small(lastling):
    with serving(lastling, *FAST) as (host, port):
        ann = Player(port).enter("Ann")
        ghost = Client(port)
        ghost.next()
        ghost.send("CMD_chat+%d+from nowhere|clRed" % 2)
        time.sleep(0.2)
        ann.send("CMD_chat+1+mine|clBlack")
        got = ann.until(lambda m: m.startswith("CMD_chat+"), "Ann's chat")
        if got != "CMD_chat+1+Ann chats: mine|clBlack":
            fail("a connection that never logged in was relayed: %r" % got)
        # At a table without a window, seat 1 cannot throw a running game away.
        start_game(ann)
        ann.send("CMD_startgame+Ann+30+")
        ann.send("CMD_chat+1+marker|clBlack")
        got = ann.until(lambda m: m.startswith(("CMD_startgame+", "CMD_chat+")), "the marker")
        if got.startswith("CMD_startgame+"):
            fail("seat 1 restarted a running game at a dedicated table")
        stop_host(host)


MODES = {"deck": check_deck, "skip": check_skip, "stall": check_stall, "takeover": check_takeover,
         "holds": check_holds, "small": check_small}


def main():
    if len(sys.argv) < 3 or sys.argv[2] not in MODES:
        fail("usage: fair_table_client.py LASTLING %s [EXTRA...]" % "|".join(MODES))
    MODES[sys.argv[2]](sys.argv[1], *sys.argv[3:])
    print("ok")


if __name__ == "__main__":
    main()
