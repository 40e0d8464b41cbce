#!/usr/bin/python3
# The least VNC client: connects to a VNC server's Unix socket, does the RFB 3.8 handshake
# with security type None and a shared ClientInit, then stays connected, asking for no
# pictures, until the server closes the connection or the client is stopped.
#   scripts/vnc-client.py SOCKET
# wayvnc 0.9 gives the compositor's seat its virtual pointer and keyboard only while a client
# is connected (wayvnc 0.5 from its start), so scripts/wayland-session.sh keeps this one
# connected for the whole session.
import socket
import struct
import sys

PROTOCOL_VERSION = b"RFB 003.008\n"
SECURITY_NONE = 1
SHARED = 1


def receive(connection, size):
    data = b""
    while len(data) < size:
        chunk = connection.recv(size - len(data))
        if not chunk:
            sys.exit("vnc-client: the server closed the connection during the handshake")
        data += chunk
    return data


def refusal(connection):
    (length,) = struct.unpack(">I", receive(connection, 4))
    return receive(connection, length).decode(errors="replace")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: vnc-client.py SOCKET")
    connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connection.connect(sys.argv[1])

    server_version = receive(connection, len(PROTOCOL_VERSION))
    if not server_version.startswith(b"RFB 003.") or server_version < PROTOCOL_VERSION:
        sys.exit(f"vnc-client: the server speaks {server_version!r}, not RFB 3.8")
    connection.sendall(PROTOCOL_VERSION)

    (count,) = receive(connection, 1)
    if count == 0:
        sys.exit(f"vnc-client: the server refused the connection: {refusal(connection)}")
    if SECURITY_NONE not in receive(connection, count):
        sys.exit("vnc-client: the server asks for a password or encryption")
    connection.sendall(bytes([SECURITY_NONE]))
    (result,) = struct.unpack(">I", receive(connection, 4))
    if result != 0:
        sys.exit(f"vnc-client: the server refused the connection: {refusal(connection)}")

    connection.sendall(bytes([SHARED]))
    # ServerInit: width, height, pixel format (16 bytes), then the desktop's name.
    (name_length,) = struct.unpack(">20xI", receive(connection, 24))
    receive(connection, name_length)

    # Connected. The server sends nothing unasked; whatever it sends is read and dropped.
    while connection.recv(4096):
        pass


if __name__ == "__main__":
    main()
