#!/usr/bin/env python3
"""A friend outside the home network: joins the table through the router's outside address
and plays one whole game against the computer players.

usage: router_friend.py ADDRESS PORT
"""
import socket
import sys

from serve_client import LIMIT, Client, fail, suit


class Friend(Client):
    def __init__(self, address, port):
        self.sock = socket.create_connection((address, port), timeout=LIMIT)
        self.rest = b""
        self.pending = []


def main():
    friend = Friend(sys.argv[1], int(sys.argv[2]))
    friend.login("Friend")
    friend.send("CMD_startgame+Friend+15+")
    hand = [0, 0, 0, 0]
    led = 0
    while True:
        fields = friend.next().split("+")
        word = fields[0]
        if word == "CMD_error":
            fail("card refused: " + "+".join(fields))
        elif word == "CMD_winner":
            break
        elif word == "CMD_mycards" and int(fields[1]) == friend.seat:
            for i in range(2, len(fields) - 1, 2):
                hand[int(fields[i]) - 1] = int(fields[i + 1])
        elif word == "CMD_heplayed" and led == 0:
            led = suit(int(fields[2]))
        elif word in ("CMD_endhand", "CMD_roundstart", "CMD_starthand"):
            led = 0
        elif word == "CMD_nextplayer" and int(fields[1]) == friend.seat:
            cards = [s for s in range(4) if hand[s]]
            following = [s for s in cards if suit(hand[s]) == led]
            slot = (following or cards)[0]
            hand[slot] = 0
            friend.send("CMD_playcard+%d+%d+" % (friend.seat, slot + 1))
    print("played a whole game")


if __name__ == "__main__":
    main()
