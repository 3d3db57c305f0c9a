"""Just enough of Xlib, through ctypes, to see when a process's tray icon is embedded and when it maps a
window."""
import ctypes
import ctypes.util
import select
import time

_xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
_Window = ctypes.c_ulong
_Atom = ctypes.c_ulong
_xlib.XOpenDisplay.restype = ctypes.c_void_p
_xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
_xlib.XDefaultRootWindow.restype = _Window
_xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_xlib.XInternAtom.restype = _Atom
_xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_xlib.XQueryTree.argtypes = [ctypes.c_void_p, _Window, ctypes.POINTER(_Window), ctypes.POINTER(_Window),
                             ctypes.POINTER(ctypes.POINTER(_Window)), ctypes.POINTER(ctypes.c_uint)]
_xlib.XGetWindowProperty.argtypes = [
    ctypes.c_void_p, _Window, _Atom, ctypes.c_long, ctypes.c_long, ctypes.c_int, _Atom,
    ctypes.POINTER(_Atom), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
_xlib.XFree.argtypes = [ctypes.c_void_p]
_xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_xlib.XSelectInput.argtypes = [ctypes.c_void_p, _Window, ctypes.c_long]
_xlib.XPending.argtypes = [ctypes.c_void_p]
_xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_xlib.XConnectionNumber.argtypes = [ctypes.c_void_p]
# A window that vanishes between the walk and a question about it must not end the benchmark.
_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda display, event: 0)
_xlib.XSetErrorHandler(_ERROR_HANDLER)

_XA_CARDINAL = 6
_SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
_MAP_NOTIFY = 19


class _MapEvent(ctypes.Structure):
    """XMapEvent, the head of the XEvent union (which is 24 longs)."""
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", _Window), ("window", _Window),
                ("override_redirect", ctypes.c_int), ("pad", ctypes.c_long * 24)]


class Display:
    def __init__(self, name):
        self._display = _xlib.XOpenDisplay(name.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {name}")
        self._root = _xlib.XDefaultRootWindow(self._display)
        self._pid_atom = _xlib.XInternAtom(self._display, b"_NET_WM_PID", 0)

    def close(self):
        _xlib.XCloseDisplay(self._display)

    def _children(self, window):
        root, parent = _Window(), _Window()
        children, count = ctypes.POINTER(_Window)(), ctypes.c_uint()
        if not _xlib.XQueryTree(self._display, window, ctypes.byref(root), ctypes.byref(parent),
                                ctypes.byref(children), ctypes.byref(count)):
            return []
        found = [children[i] for i in range(count.value)]
        if children:
            _xlib.XFree(children)
        return found

    def _pid(self, window):
        kind, size, items, left = _Atom(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status = _xlib.XGetWindowProperty(self._display, window, self._pid_atom, 0, 1, 0, _XA_CARDINAL,
                                          ctypes.byref(kind), ctypes.byref(size), ctypes.byref(items),
                                          ctypes.byref(left), ctypes.byref(data))
        if status != 0 or not data.value:
            return None
        pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] if items.value else None
        _xlib.XFree(data)
        return pid

    def embedded(self, pid):
        """Whether a window of pid sits inside another client's window: the tray host took its icon."""
        return pid in self.embedded_owners()

    def embedded_owners(self):
        """The processes with a window inside another client's window: those whose tray icon is embedded."""
        owners = set()
        pending = [(child, None) for child in self._children(self._root)]
        while pending:
            window, top_owner = pending.pop()
            owner = self._pid(window)
            if owner is not None and top_owner is not None and top_owner != owner:
                owners.add(owner)
            pending.extend((child, top_owner if top_owner is not None else owner)
                           for child in self._children(window))
        _xlib.XSync(self._display, 0)
        return owners

    def watch_maps(self):
        """From now on, top-level windows being mapped are reported to wait_for_map."""
        _xlib.XSelectInput(self._display, self._root, _SUBSTRUCTURE_NOTIFY_MASK)
        _xlib.XSync(self._display, 0)

    def wait_for_map(self, pid, seconds):
        """The wall-clock time (time.time()) at which a top-level window of pid was reported mapped, or None
        when none was within seconds. Only maps reported after the call count: those queued before it (by
        any round trip since watch_maps) are dropped, since when they came is not known. Blocks on the
        connection rather than polling, so the measuring takes no processor from the program measured."""
        deadline = time.monotonic() + seconds
        event = _MapEvent()
        # A round trip that discards the queue: whatever the server reported before the call is gone.
        _xlib.XSync(self._display, 1)
        received = time.time()
        while True:
            while _xlib.XPending(self._display):
                _xlib.XNextEvent(self._display, ctypes.byref(event))
                if event.type == _MAP_NOTIFY and self._pid(event.window) == pid:
                    return received
            left = deadline - time.monotonic()
            if left <= 0:
                return None
            select.select([_xlib.XConnectionNumber(self._display)], [], [], left)
            received = time.time()
