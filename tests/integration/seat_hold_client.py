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
import fair_table_client  # noqa: E402
from serve_client import LIMIT, fail, start_host, stop_host  # noqa: E402


class Player(fair_table_client.Player):
    """A player who connects from the given source address."""

    def __init__(self, port, source="127.0.0.1"):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.settimeout(LIMIT)
        self.sock.bind((source, 0))
        self.sock.connect(("127.0.0.1", port))
        self.rest = b""
        self.pending = []
        self.hand = [0, 0, 0, 0]
        self.led = 0
        self.autoplay = False


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
