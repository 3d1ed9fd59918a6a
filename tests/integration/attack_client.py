#!/usr/bin/env python3
"""Attacks `lastling --serve` the way hostile raw TCP clients would, and checks that the host
holds and that well-behaved players do not pay for the attacker.

usage: attack_client.py LASTLING signals|burst|chatflood|endflood|loginject|slot1
"""
import multiprocessing
import os
import selectors
import signal
import socket
import sys
import threading
import time

from serve_client import END, Client, fail, start_host, stop_host

# Limits below only keep a broken host from hanging the suite; the faults they catch are
# hangs and closes, which no amount of waiting undoes.
HANG = 5.0


def wait_exit(pid, limit):
    """Waits for the process to end without reaping it; returns the seconds it took or None."""
    start = time.monotonic()
    while time.monotonic() - start < limit:
        state = os.waitid(os.P_PID, pid, os.WEXITED | os.WNOHANG | os.WNOWAIT)
        if state is not None and state.si_pid == pid:
            return time.monotonic() - start
        time.sleep(0.005)
    return None


def kill_loop(pid, sig, stop):
    while not stop.is_set():
        for _ in range(200):
            os.kill(pid, sig)


def check_signals(lastling):
    # A handler that runs while the host exits must not end it by SIGPIPE: the window for that
    # is short, so the burst is repeated.
    for run in range(20):
        host, _ = start_host(lastling)
        stop = multiprocessing.Event()
        killers = [multiprocessing.Process(target=kill_loop, args=(host.pid, sig, stop))
                   for sig in (signal.SIGTERM, signal.SIGINT)]
        for killer in killers:
            killer.start()
        took = wait_exit(host.pid, HANG)
        stop.set()  # before the pid is reaped and could be reused
        for killer in killers:
            killer.join()
        if took is None:
            host.kill()
            host.wait()
            fail("a burst of SIGTERM and SIGINT hung the host (run %d)" % (run + 1))
        code = host.wait()
        if code != 0:
            fail("exit code %d under a signal burst (run %d)" % (code, run + 1))
    print("exited 0 under 20 bursts")


def check_burst(lastling):
    host, port = start_host(lastling)
    count = 300
    clients = []
    for _ in range(count):
        sock = socket.socket()
        sock.setblocking(False)
        sock.connect_ex(("127.0.0.1", port))
        clients.append(sock)
    selector = selectors.DefaultSelector()
    for sock in clients:
        selector.register(sock, selectors.EVENT_READ)
    answered = {}
    deadline = time.monotonic() + HANG
    while len(answered) < count and time.monotonic() < deadline:
        for key, _ in selector.select(0.1):
            try:
                data = key.fileobj.recv(256)
            except OSError:
                data = b""
            answered[key.fileobj] = data
            selector.unregister(key.fileobj)
    greeted = [d for d in answered.values()
               if d.startswith(b"CMD_sendlogininfo+") or d.startswith(b"CMD_full+")]
    for sock in clients:
        sock.close()
    stop_host(host)
    if len(greeted) != count:
        fail("%d of %d connections were answered, %d with a greeting" % (len(answered), count, len(greeted)))


def vm(pid, field):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith(field + ":"):
                return int(line.split()[1]) // 1024  # MiB
    return 0


def flood_end_bytes(port, stop):
    sock = socket.create_connection(("127.0.0.1", port))
    chunk = END * 65536
    try:
        while not stop.is_set():
            sock.sendall(chunk)
    except OSError:
        pass
    sock.close()


def check_endflood(lastling):
    # A sanitizer's quarantine would hold every freed read buffer and hide what the host keeps.
    os.environ["ASAN_OPTIONS"] = os.environ.get("ASAN_OPTIONS", "") + ":quarantine_size_mb=1"
    host, port = start_host(lastling)
    ann = Client(port)
    ann.login("Ann")
    idle = vm(host.pid, "VmRSS")
    stop = threading.Event()
    flooders = [threading.Thread(target=flood_end_bytes, args=(port, stop)) for _ in range(7)]
    for flooder in flooders:
        flooder.start()
    time.sleep(3)
    stop.set()
    for flooder in flooders:
        flooder.join()
    peak = vm(host.pid, "VmHWM")
    ann.send("CMD_justwatch+1+2")  # answered to all, never limited
    while ann.next() != "CMD_justwatching+1+2":
        pass  # the flooders' departures
    stop_host(host)
    print("RSS idle %d MiB, peak under seven end-byte floods %d MiB" % (idle, peak))
    # Counted above the idle figure, so a sanitizer's own overhead does not count.
    if peak - idle > 48:
        fail("the flood grew the host from %d to %d MiB" % (idle, peak))


def chatter(port, line, stop, seen):
    client = Client(port)
    client.login("Chatter")
    drained = threading.Thread(target=drain, args=(client.sock, stop), daemon=True)
    drained.start()
    message = ("CMD_chat+%d+%s|clRed" % (client.seat, line)).encode("latin-1") + END
    batch = message * max(1, 65536 // len(message))
    try:
        while not stop.is_set():
            client.sock.sendall(batch)
    except OSError:
        seen.append("closed")


def drain(sock, stop):
    try:
        while not stop.is_set() and sock.recv(65536):
            pass
    except OSError:
        pass


def check_chatflood(lastling):
    host, port = start_host(lastling)
    ann = Client(port)
    ann.login("Ann")
    reader = Client(port)
    reader.login("Slow")
    stop = threading.Event()
    seen = []
    chatters = [threading.Thread(target=chatter, args=(port, text, stop, seen))
                for text in ("hi", "x" * 60 * 1024)]
    for thread in chatters:
        thread.start()
    # The slow player reads at 1 MB/s and counts the chatter lines that reach it.
    relayed = 0
    rest = b""
    reader.sock.settimeout(0.05)
    start = time.monotonic()
    while time.monotonic() - start < 4:
        try:
            data = reader.sock.recv(4096)
        except socket.timeout:
            continue
        if not data:
            stop.set()
            fail("the slow reader was closed while another client flooded")
        pieces = (rest + data).split(END)
        rest = pieces.pop()
        relayed += sum(1 for p in pieces if b" chats: " in p and p.startswith(b"CMD_chat+"))
        time.sleep(len(data) / 1e6)
    stop.set()
    for thread in chatters:
        thread.join()
    reader.sock.settimeout(HANG)
    reader.pending = []
    reader.rest = rest
    reader.send("CMD_justwatch+2+2")
    while True:
        message = reader.next()
        if message == "CMD_justwatching+2+2":
            break
        relayed += message.startswith("CMD_chat+") and " chats: " in message
    log = stop_host(host)
    print("chatter lines relayed to the slow reader: %d" % relayed)
    if relayed > 2 * 10:  # two chatters, each at most ten in any ten seconds
        fail("%d chatter lines reached the slow reader" % relayed)
    if "dropped" not in log and "floods" not in log:
        fail("the log does not say that the flood was dropped: " + log[-2000:])


def check_loginject(lastling):
    host, port = start_host(lastling)
    eve = Client(port)
    greeting = eve.next()
    seat = int(greeting.split("+")[1])
    name = "Eve\n[12:00:00] slot 1: Ann left\x1b[2J"
    eve.sock.sendall(("CMD_logininfo+%d+1.0.1+%s" % (seat, name)).encode("latin-1") + END + END)
    echo = eve.next()
    # control bytes go, and the name is cut at 30 characters
    if echo != "CMD_newplayerinfo+%d+Eve[12:00:00] slot 1: Ann left+0" % seat:
        fail("control bytes reached the table: %r" % echo)
    for _ in range(300):
        eve.send("CMD_playcard+%s+1+" % ("9" * 1000))
    eve.send("CMD_justwatch+%d+2" % seat)
    eve.next()
    log = stop_host(host)
    lines = log.splitlines()
    if any(line.startswith("[12:00:00]") for line in lines):
        fail("a name forged a log line")
    if "\x1b" in log:
        fail("an escape byte reached the log")
    if len(log) > 4000 or any(len(line) > 400 for line in lines):
        fail("%d bytes of log for 300 bad messages" % len(log))


def check_slot1(lastling):
    host, port = start_host(lastling, "--tick-ms", "10", "--bot-speed", "5")
    ann = Client(port)
    ann.login("Ann")
    bob = Client(port)
    bob.login("Bob")
    bob.sock.settimeout(HANG)
    ann.send("CMD_startgame+Ann+15+")
    while not bob.next().startswith("CMD_startgame+"):
        pass
    bob.send("CMD_justwatch+2+1")  # the computer plays Bob's seat
    while ann.next() != "CMD_nextplayer+1+":
        pass
    ann.sock.close()  # slot 1 leaves on its own turn
    try:
        while not bob.next().startswith("CMD_winner+"):
            pass
    except socket.timeout:
        fail("the game stalled after slot 1 left on its turn")
    stop_host(host)


def main():
    lastling, mode = sys.argv[1], sys.argv[2]
    {"signals": check_signals, "burst": check_burst, "chatflood": check_chatflood,
     "endflood": check_endflood, "loginject": check_loginject, "slot1": check_slot1}[mode](lastling)
    print("ok")


if __name__ == "__main__":
    main()
