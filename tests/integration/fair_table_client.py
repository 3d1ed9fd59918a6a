#!/usr/bin/env python3
"""Raw clients that try to win at a `lastling --serve` table by spoiling it for the others,
and the checks that the host gives them nothing.

usage: fair_table_client.py LASTLING MODE [EXTRA...]
  deck SEED_SEARCH   seat 1 works out the whole deck from its own view of the first deal
"""
import subprocess
import sys

from serve_client import Client, fail, serving, stop_host

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


MODES = {"deck": check_deck}


def main():
    if len(sys.argv) < 3 or sys.argv[2] not in MODES:
        fail("usage: fair_table_client.py LASTLING %s [EXTRA...]" % "|".join(MODES))
    MODES[sys.argv[2]](sys.argv[1], *sys.argv[3:])
    print("ok")


if __name__ == "__main__":
    main()
