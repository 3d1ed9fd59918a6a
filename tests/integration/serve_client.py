#!/usr/bin/env python3
"""Drives `lastling --serve` as a raw TCP client would, with no display.

usage: serve_client.py LASTLING options|chat|game
"""
import contextlib
import os
import signal
import socket
import subprocess
import sys

END = b"\xff"
LIMIT = 60  # seconds; only keeps a broken build from hanging the suite


def fail(text):
    print("FAIL: " + text)
    sys.exit(1)


class Client:
    def __init__(self, port):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=LIMIT)
        self.rest = b""
        self.pending = []

    def send(self, text):
        self.sock.sendall(text.encode("latin-1") + END)

    def next(self):
        while not self.pending:
            data = self.sock.recv(65536)
            if not data:
                fail("the host closed the connection")
            pieces = (self.rest + data).split(END)
            self.rest = pieces.pop()
            self.pending.extend(p.decode("latin-1") for p in pieces)
        return self.pending.pop(0)

    def login(self, name):
        greeting = self.next()
        if not greeting.startswith("CMD_sendlogininfo+"):
            fail("expected the slot, got " + greeting)
        self.seat = int(greeting.split("+")[1])
        self.sock.sendall(("CMD_logininfo+%d+1.0.1+%s" % (self.seat, name)).encode("latin-1") + END + END)
        expected = "CMD_newplayerinfo+%d+%s+0" % (self.seat, name)
        got = self.next()
        if got != expected:
            fail("expected %r, got %r" % (expected, got))
        self.key = self.take_key() if self.seat <= 4 else None

    def take_key(self):
        """A seated player's connection alone is given the secret that gets the seat back."""
        got = self.next()
        fields = got.split("+")
        if fields[0] != "CMD_seatkey" or fields[1] != str(self.seat) or len(fields[2]) != 32:
            fail("expected the seat key, got %r" % got)
        return fields[2]


def start_host(lastling, *extra):
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    env.pop("WAYLAND_DISPLAY", None)
    env.pop("QT_QPA_PLATFORM", None)
    host = subprocess.Popen([lastling, "--serve", "--port", "0", *extra], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=env, text=True)
    line = host.stdout.readline()
    if "listening" not in line:
        host.kill()
        host.wait()
        fail("no listening line, got %r; stderr: %s" % (line, host.stderr.read()))
    return host, int(line.split()[-1])


@contextlib.contextmanager
def serving(lastling, *extra):
    """A host for the length of a check; a failed check (or any exception) kills it too."""
    host, port = start_host(lastling, *extra)
    try:
        yield host, port
    finally:
        if host.poll() is None:
            host.kill()
            host.wait()


def stop_host(host):
    host.send_signal(signal.SIGTERM)
    try:
        code = host.wait(timeout=LIMIT)
    except subprocess.TimeoutExpired:
        host.kill()
        fail("the host ignored SIGTERM")
    log = host.stderr.read()
    if code != 0:
        fail("exit code %d after SIGTERM; stderr: %s" % (code, log))
    return log


def check_options(lastling):
    cases = [(["--help"], 0, "--serve"), (["--version"], 0, "1.0.1"),
             (["--serve", "--port", "70000"], 2, "--port"), (["--serve", "--bogus"], 2, "--bogus"),
             (["--serve", "--bot-skill", "genius"], 2, "--bot-skill"), (["--serve", "--tick-ms"], 2, "--tick-ms"),
             (["--serve", "--tick-ms", "0"], 2, "--tick-ms"),
             (["--help"], 0, "  NAME HOST false    join the table hosted at HOST"),
             (["--bogus"], 2, "lastling: unknown option '--bogus'\nUsage: lastling [NAME HOST true|false]\n"),
             (["Ann", "127.0.0.1", "true", "-x"], 2, "unknown option '-x'"),
             (["--port", "7773"], 2, "lastling: --serve is missing\nUsage: lastling"),
             (["--seed", "5"], 2, "lastling: --serve is missing\n"),
             (["--help"], 0, "[--no-announce] [--open-port] [--seed N]\n"),
             (["--serve", "--seed"], 2, "lastling: --seed needs a value\n"),
             (["--serve", "--seed", "4294967296"], 2, "invalid value '4294967296' for --seed (expected 0..4294967295)"),
             (["--serve", "--seed=-1"], 2, "invalid value '-1' for --seed"),
             (["--serve", "--seed", "+7"], 2, "invalid value '+7' for --seed"),
             (["--serve", "--seed", "7x"], 2, "invalid value '7x' for --seed"),
             (["--serve", "--seed="], 2, "invalid value '' for --seed"),
             (["--serve", "--turn-seconds", "1"], 2,
              "invalid value '1' for --turn-seconds (expected 0 for no turn time, or 2..120)"),
             (["--serve", "--turn-seconds=121"], 2, "invalid value '121' for --turn-seconds"),
             (["--serve", "--turn-seconds", "30s"], 2, "invalid value '30s' for --turn-seconds"),
             (["--serve", "--turn-seconds"], 2, "lastling: --turn-seconds needs a value\n"),
             (["--help"], 0, "  --turn-seconds S   seconds a player has for each card")]
    # A port that another program holds: the failure says why.
    holder = socket.socket(socket.AF_INET6)
    holder.setsockopt(socket.IPPROTO_IPV6, socket.IPV6_V6ONLY, 0)
    holder.bind(("::", 0))
    holder.listen(1)
    cases.append((["--serve", "--port", str(holder.getsockname()[1])], 1, ": address in use (Listen - Error Binding Socket)\n"))
    for args, code, text in cases:
        run = subprocess.run([lastling, *args], capture_output=True, text=True, timeout=LIMIT)
        if run.returncode != code or text not in run.stdout + run.stderr:
            fail("%s: exit %d, output %r" % (args, run.returncode, run.stdout + run.stderr))
    # The largest seed is taken.
    host, _ = start_host(lastling, "--no-announce", "--seed", "4294967295")
    stop_host(host)


def check_chat(lastling):
    with serving(lastling) as (host, port):
        chat_through(host, port)
    with serving(lastling, "--relay-limit", "0") as (host, port):
        unlimited_chat(host, port)


def unlimited_chat(host, port):
    """With --relay-limit 0 a quick run of lines, far past the usual burst, all go through."""
    ann = Client(port)
    ann.login("Ann")
    ann.sock.settimeout(5)  # a dropped line never comes
    for n in range(12):
        ann.send("CMD_chat+1+line %d|clBlack" % n)
    for n in range(12):
        try:
            got = ann.next()
        except socket.timeout:
            fail("line %d without a limit never came" % n)
        if got != "CMD_chat+1+Ann chats: line %d|clBlack" % n:
            fail("line %d without a limit: %r" % (n, got))
    stop_host(host)


def chat_through(host, port):
    ann = Client(port)
    ann.login("Ann")
    bob = Client(port)
    bob.login("Bob")
    if ann.next() != "CMD_newplayerinfo+2+Bob+0" or bob.next() != "CMD_existingplayers+1+Ann+0":
        fail("roster")
    bob.send("CMD_chat+2+hello there|clRed")
    for client in (ann, bob):
        got = client.next()
        if got != "CMD_chat+2+Bob chats: hello there|clRed":
            fail("chat relay: %r" % got)
    bob.sock.close()
    if ann.next() != "CMD_playerdisconnected+2+Bob":
        fail("disconnect notice")
    log = stop_host(host)
    for text in ("Ann logged in", "Bob left"):
        if text not in log:
            fail("log lacks %r: %s" % (text, log))


def suit(card):
    return (card - 1) // 13 + 1


def check_game(lastling):
    with serving(lastling, "--tick-ms", "20", "--bot-speed", "5") as (host, port):
        play_through(host, port)


def play_through(host, port):
    ann = Client(port)
    ann.login("Ann")
    ann.send("CMD_startgame+Ann+15+")
    hand = [0, 0, 0, 0]
    led = 0
    while True:
        message = ann.next()
        fields = message.split("+")
        word = fields[0]
        if word == "CMD_error":
            fail("card refused: " + message)
        elif word == "CMD_winner":
            break
        elif word == "CMD_mycards" and int(fields[1]) == ann.seat:
            for i in range(2, len(fields) - 1, 2):
                hand[int(fields[i]) - 1] = int(fields[i + 1])
        elif word == "CMD_heplayed" and led == 0:
            led = suit(int(fields[2]))
        elif word in ("CMD_endhand", "CMD_roundstart", "CMD_starthand"):
            led = 0
        elif word == "CMD_nextplayer" and int(fields[1]) == ann.seat:
            cards = [s for s in range(4) if hand[s]]
            following = [s for s in cards if suit(hand[s]) == led]
            slot = (following or cards)[0]
            hand[slot] = 0
            ann.send("CMD_playcard+%d+%d+" % (ann.seat, slot + 1))
    log = stop_host(host)
    if "game won by" not in log:
        fail("log lacks the winner: " + log)


def main():
    lastling, mode = sys.argv[1], sys.argv[2]
    {"options": check_options, "chat": check_chat, "game": check_game}[mode](lastling)
    print("ok")


if __name__ == "__main__":
    main()
