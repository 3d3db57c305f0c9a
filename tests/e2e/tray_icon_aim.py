#!/usr/bin/env python3
"""Prints "X Y": where a click reaches the tray icon at the screen's top right, or fails while none does.

Asks X itself: the pointer is moved over the notification area's corner, and a point counts where the
window under it lies inside a window docked into the tray (root, tray, its socket, the icon). A screenshot
cannot tell: Wine 10 cuts a docked icon's window to the shape of its picture, which moves from one start of
the program to the next and changes as the icon flashes, and its balloon and tooltip cover parts of it.
The aim is the upper body of the picture, four pixels below its top and centred under it: inside both
pictures of the flashing icon (the bell and the filled square around it), clear of the balloon, which hangs
from the icon's middle.
"""
import ctypes
import sys

CORNER = 32  # the corner's side, in pixels
UPPER_BAND = 6  # the rows below the picture's top that say where its middle is

x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                             ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_int]
x11.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("tray_icon_aim: no X display")
root = x11.XDefaultRootWindow(display)
right = x11.XDisplayWidth(display, 0)


def depth_under_pointer():
    """How many windows, from the root's child down, hold the pointer."""
    window, depth = root, 0
    while True:
        root_out, child = ctypes.c_ulong(), ctypes.c_ulong()
        coordinate, mask = ctypes.c_int(), ctypes.c_uint()
        x11.XQueryPointer(display, window, ctypes.byref(root_out), ctypes.byref(child),
                          *[ctypes.byref(coordinate)] * 4, ctypes.byref(mask))
        if not child.value:
            return depth
        window, depth = child.value, depth + 1


def reaches_icon(x, y):
    x11.XWarpPointer(display, 0, root, 0, 0, 0, 0, x, y)
    x11.XSync(display, 0)
    return depth_under_pointer() >= 3


hits = [(x, y) for y in range(CORNER) for x in range(right - CORNER, right) if reaches_icon(x, y)]
if not hits:
    sys.exit(1)
top = min(y for _, y in hits)
upper = [x for x, y in hits if y <= top + UPPER_BAND]
aim = ((min(upper) + max(upper)) // 2, top + 4)
if not reaches_icon(*aim):  # the picture changed while the corner was searched
    sys.exit(1)
print(*aim)
