#!/usr/bin/env python3
"""The turn time of `lastling --serve --turn-seconds 2`, with raw clients: a player who does
not play has the card played by the computer and keeps the seat; three such turns in a row
set the seat to just watch; the countdown reaches every connection, a spectator's too.

usage: turn_time_client.py LASTLING
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from fair_table_client import FAST, Player, start_game  # noqa: E402
from serve_client import fail, serving, stop_host  # noqa: E402

WATCH_LINE = "CMD_action+0+Bob is set to Just Watch after running out of time three turns in a row.|clBlue"


def bob_lets_a_turn_run_out(bob, turn):
    """From Bob's turn to the card the computer plays for him: exactly the countdown between."""
    bob.until(bob.my_turn, "Bob's turn %d" % turn)
    seen = []
    while True:
        message = bob.next()
        bob.track(message)
        if message.startswith("CMD_heplayed+"):
            break
        if message.startswith("CMD_turntime+"):
            seen.append(message)
    if not message.startswith("CMD_heplayed+2+"):
        fail("another seat played on Bob's turn: %r" % message)
    if seen != ["CMD_turntime+2+2", "CMD_turntime+2+1"]:
        fail("the countdown of Bob's turn %d was %r" % (turn, seen))


def main():
    if len(sys.argv) != 2:
        fail("usage: turn_time_client.py LASTLING")
    with serving(sys.argv[1], *FAST, "--turn-seconds", "2", "--no-announce") as (host, port):
        ann = Player(port).enter("Ann")
        bob = Player(port).enter("Bob")
        bob.autoplay = False
        cid = Player(port).enter("Cid")
        dan = Player(port).enter("Dan")
        eve = Player(port).enter("Eve")
        if eve.seat != 5:
            fail("the spectator got slot %d" % eve.seat)
        start_game(ann, target=1000)
        for player in (ann, cid, dan):  # the computer plays them, untimed
            player.send("CMD_justwatch+%d+1" % player.seat)
        for turn in (1, 2, 3):
            bob_lets_a_turn_run_out(bob, turn)
        # The seat stayed Bob's until the third: the host sets it to just watch now, and says so.
        got = bob.until(lambda m: m.startswith(("CMD_justwatching+2+", "CMD_action+0+")), "Bob set to just watch")
        if got != "CMD_justwatching+2+1":
            fail("expected Bob set to just watch first, got %r" % got)
        if bob.next() != WATCH_LINE:
            fail("the chat did not say why Bob just watches")
        spectator = eve.until(lambda m: m.startswith(("CMD_turntime+2+", "CMD_action+0+")), "the spectator's news")
        if spectator != "CMD_turntime+2+2":
            fail("the spectator did not see Bob's countdown first: %r" % spectator)
        eve.until(lambda m: m == WATCH_LINE, "the chat line for the spectator")
        stop_host(host)
    print("ok")


if __name__ == "__main__":
    main()
