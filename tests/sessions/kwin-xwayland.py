#!/usr/bin/env python3
"""Starts kwin_wayland with the X display sockets it hands to Xwayland, as its wrapper does.

Usage: kwin-xwayland.py KWIN_BINARY [kwin options...]
The first free display number is taken; its sockets (the socket file in /tmp/.X11-unix and its
abstract twin) are bound here and inherited by kwin, which starts Xwayland on them when the first
X client connects. Prints the display (":N") on standard output before kwin starts.
"""
import os
import socket
import sys


def bind_display():
    for number in range(20, 90):
        path = f"/tmp/.X11-unix/X{number}"
        if os.path.exists(path) or os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        abstract = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        try:
            abstract.bind("\0" + path)
        except OSError:  # taken by a server in another mount namespace
            abstract.close()
            continue
        os.makedirs("/tmp/.X11-unix", mode=0o1777, exist_ok=True)
        filed = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        filed.bind(path)
        return number, [abstract, filed]
    sys.exit("kwin-xwayland: no free X display number between :20 and :89")


def main():
    kwin = sys.argv[1]
    number, sockets = bind_display()
    for listening in sockets:
        listening.listen(64)
        os.set_inheritable(listening.fileno(), True)
    print(f":{number}", flush=True)
    arguments = [kwin, "--xwayland", "--xwayland-display", f":{number}"]
    for listening in sockets:
        arguments += ["--xwayland-fd", str(listening.fileno())]
    os.execv(kwin, arguments + sys.argv[2:])


main()
