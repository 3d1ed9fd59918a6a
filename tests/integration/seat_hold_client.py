#!/usr/bin/env python3
"""A player of `lastling --serve` drops mid-game and comes back to the same seat.

usage: seat_hold_client.py LASTLING
Seat 2 (Bob) drops while Ann waits on her turn; Eve from Bob's address, a "Bob" from another
address (127.0.0.2) and a "Bob" from his own address without his seat key get other seats;
Bob then returns with his key within the hold, gets seat 2 with the cards he left, and both
play the game to its end.
"""
import os
import select
import socket
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from serve_client import END, LIMIT, Client, fail, start_host, stop_host, suit  # noqa: E402


class Player(Client):
    def __init__(self, port, source="127.0.0.1"):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.settimeout(LIMIT)
        self.sock.bind((source, 0))
        self.sock.connect(("127.0.0.1", port))
        self.rest = b""
        self.pending = []
        self.hand = [0, 0, 0, 0]
        self.led = 0

    def enter(self, name, key=None):
        """Logs in, proving `key` first if given; follows the host to another seat if it
        names one, and keeps the seat key it is given."""
        greeting = self.next()
        while True:
            if not greeting.startswith("CMD_sendlogininfo+"):
                fail("expected a slot, got " + greeting)
            self.seat = int(greeting.split("+")[1])
            if key:
                self.send("CMD_seatkey+%d+%s" % (self.seat, key))
            self.sock.sendall(("CMD_logininfo+%d+1.0.1+%s" % (self.seat, name)).encode("latin-1") + END + END)
            own = "CMD_newplayerinfo+%d+" % self.seat
            greeting = self.next()
            while not greeting.startswith(("CMD_sendlogininfo+", own)):
                greeting = self.next()  # the table goes on while we log in
            if not greeting.startswith("CMD_sendlogininfo+"):
                break
        expected = "CMD_newplayerinfo+%d+%s+0" % (self.seat, name)
        if greeting != expected:
            fail("expected %r, got %r" % (expected, greeting))
        self.key = self.take_key() if self.seat <= 4 else None

    def track(self, message):
        """Keeps the own hand and the led suit; answers a turn. Returns the command word."""
        fields = message.split("+")
        word = fields[0]
        if word == "CMD_error":
            fail("card refused: " + message)
        elif word == "CMD_mycards" and int(fields[1]) == self.seat:
            for i in range(2, len(fields) - 1, 2):
                self.hand[int(fields[i]) - 1] = int(fields[i + 1])
        elif word == "CMD_heplayed" and self.led == 0:
            self.led = suit(int(fields[2]))
        elif word in ("CMD_endhand", "CMD_roundstart", "CMD_starthand"):
            self.led = 0
        elif word == "CMD_gamestats" and int(fields[1]) == self.seat:
            self.led = next((suit(int(fields[i])) for i in range(7, len(fields), 4) if int(fields[i])), 0)
        return word

    def play(self):
        cards = [s for s in range(4) if self.hand[s]]
        following = [s for s in cards if suit(self.hand[s]) == self.led]
        slot = (following or cards)[0]
        self.hand[slot] = 0
        self.send("CMD_playcard+%d+%d+" % (self.seat, slot + 1))


def main():
    lastling = sys.argv[1]
    host, port = start_host(lastling, "--tick-ms", "20", "--bot-speed", "5")
    ann = Player(port)
    ann.enter("Ann")
    bob = Player(port)
    bob.enter("Bob")
    ann.next()  # Bob's roster entry
    ann.send("CMD_startgame+Ann+15+")
    while bob.track(bob.next()) != "CMD_mycards":
        pass
    dealt = list(bob.hand)
    bob.sock.close()

    # Ann holds the game on her turn; the computer plays seat 2 meanwhile.
    played_for_bob = []
    ann_turn = False
    dropped = False
    while not (dropped and ann_turn):
        message = ann.next()
        ann.track(message)
        fields = message.split("+")
        if message == "CMD_playerdisconnected+2+Bob":
            dropped = True
        elif fields[0] == "CMD_heplayed" and fields[1] == "2":
            played_for_bob.append(int(fields[2]))
        elif fields[0] == "CMD_nextplayer":
            ann_turn = int(fields[1]) == ann.seat

    eve = Player(port)
    eve.enter("Eve")
    if eve.seat == 2:
        fail("Eve got the seat kept for Bob")
    stranger = Player(port, "127.0.0.2")
    stranger.enter("Bob")
    if stranger.seat == 2:
        fail("Bob from another address got the seat kept for Bob")
    keyless = Player(port)
    keyless.enter("Bob")
    if keyless.seat == 2:
        fail("Bob from his own address without his key got the seat kept for Bob")
    eve.sock.close()
    stranger.sock.close()
    keyless.sock.close()

    key = bob.key
    bob = Player(port)
    bob.enter("Bob", key)
    if bob.seat != 2:
        fail("Bob came back to seat %d, not 2" % bob.seat)
    while bob.track(bob.next()) != "CMD_mycards":
        pass
    kept = sorted(c for c in dealt if c not in played_for_bob)
    if sorted(c for c in bob.hand if c) != kept:
        fail("Bob's hand %r, expected the cards %r" % (bob.hand, kept))

    # Both play on to the end of the game.
    ann.play()
    winners = 0
    players = [ann, bob]
    while winners < 2:
        ready = [p for p in players if p.pending]
        if not ready:
            readable = select.select([p.sock for p in players], [], [], LIMIT)[0]
            if not readable:
                fail("the game stopped")
            ready = [p for p in players if p.sock in readable]
        for player in ready:
            message = player.next()
            word = player.track(message)
            if word == "CMD_winner":
                winners += 1
            elif word == "CMD_nextplayer" and int(message.split("+")[1]) == player.seat:
                player.play()
    log = stop_host(host)
    for text in ("seat 2: kept for Bob", "returns to seat 2 with its key", "game won by"):
        if text not in log:
            fail("log lacks %r: %s" % (text, log))
    print("ok")


if __name__ == "__main__":
    main()
