#!/usr/bin/env python3
"""A STUN server of the smallest kind (RFC 5389 Binding only): it tells each asker the address
and port it sees. The test router asks before it trusts its outside address.

usage: stun_responder.py ADDRESS PORT
"""
import socket
import struct
import sys

COOKIE = 0x2112A442
BINDING_REQUEST = 0x0001
BINDING_RESPONSE = 0x0101
MAPPED_ADDRESS = 0x0001
XOR_MAPPED_ADDRESS = 0x0020


def answer(request, address, port):
    kind, _, cookie = struct.unpack("!HHI", request[:8])
    if kind != BINDING_REQUEST:
        return None
    packed = socket.inet_aton(address)
    plain = struct.pack("!HHBBH4s", MAPPED_ADDRESS, 8, 0, 1, port, packed)
    xored = struct.pack("!HHBBHI", XOR_MAPPED_ADDRESS, 8, 0, 1, port ^ (COOKIE >> 16),
                        struct.unpack("!I", packed)[0] ^ COOKIE)
    attributes = plain + xored
    return struct.pack("!HHI", BINDING_RESPONSE, len(attributes), cookie) + request[8:20] + attributes


def main():
    server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    server.bind((sys.argv[1], int(sys.argv[2])))
    print("ready", flush=True)
    while True:
        request, (address, port) = server.recvfrom(2048)
        if len(request) >= 20:
            reply = answer(request, address, port)
            if reply:
                server.sendto(reply, (address, port))


if __name__ == "__main__":
    main()
