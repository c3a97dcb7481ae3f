#!/usr/bin/env python3
"""Runs a command while it writes down, again and again, the image the display shows at the pointer.

The image a user sees at the pointer is known only to the display (the X server), not to the
Windows programs that run under Wine: this watcher reads it through the XFIXES extension and keeps
the latest reading in a file that the test program reads. Each reading is one line:
"<number of the reading> <width>x<height> <digest of the pixels>".

Usage: pointer_watch.py FILE COMMAND [ARGS...]
The command learns the file's name, in the form Wine gives it (drive Z:), from
KAPTORIX_POINTER_WATCH. The watcher ends with the command's exit code.
"""
import ctypes
import ctypes.util
import hashlib
import os
import subprocess
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong))]


def open_display():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("pointer_watch: no display")
    return x11, xfixes, display


def reading(x11, xfixes, display):
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        return "0x0 none"
    shown = image.contents
    count = shown.width * shown.height
    # Each pixel is an unsigned long holding ARGB in its low 32 bits.
    pixels = bytes(b for i in range(count) for b in (shown.pixels[i] & 0xFFFFFFFF).to_bytes(4, "little"))
    text = "%dx%d %s" % (shown.width, shown.height, hashlib.sha1(pixels).hexdigest()[:16])
    x11.XFree(image)
    return text


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    path = os.path.abspath(sys.argv[1])
    x11, xfixes, display = open_display()
    environment = dict(os.environ, KAPTORIX_POINTER_WATCH="Z:" + path.replace("/", "\\"))
    command = subprocess.Popen(sys.argv[2:], env=environment)
    number = 0
    try:
        while command.poll() is None:
            number += 1
            with open(path + ".new", "w") as out:
                out.write("%d %s\n" % (number, reading(x11, xfixes, display)))
            os.replace(path + ".new", path)
            try:
                command.wait(timeout=0.005)
            except subprocess.TimeoutExpired:
                pass
    finally:
        for name in (path, path + ".new"):
            if os.path.exists(name):
                os.remove(name)
    sys.exit(command.returncode)


if __name__ == "__main__":
    main()
