"""How long the interface stays deaf while the program waits: for another program's write lock on the
registry (Done pressed while the lock is held), and for a media file that does not become ready to play (a
sparse wave file of 3 GiB, opened again after the alarm's sound ended). A StatusNotifierItem host asks the
tray icon for its status over and over, each question sent when the answer to the last one came; the longest
time between two answers while the program waits is the block. The icon's flashes (NewIcon) are counted too.
Usage: interface_waits.py BUILD_DIR [LOCK_SECONDS]"""
import os
import sqlite3
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../tests/platform/qt/sni"))
from tray_host import ITEM, Session, pump, settings_window_shown  # noqa: E402

from gi.repository import Gio, GLib  # noqa: E402

# Where the layout puts the buttons' centres in the settings window.
DONE = (192 + 40, 184 + 12)
CHECK_ALARM = (104 + 40, 184 + 12)


class Asker:
    """Asks the icon for its status whenever the last answer has come, and keeps the answers' times."""

    def __init__(self, session, item):
        self.session, self.item, self.answers, self.waiting = session, item, [], False

    def ask(self):
        if self.waiting:
            return
        self.waiting = True
        self.session.bus.call(self.item[0], self.item[1], "org.freedesktop.DBus.Properties", "Get",
                              GLib.Variant("(ss)", (ITEM, "Status")), GLib.VariantType("(v)"),
                              Gio.DBusCallFlags.NONE, 60000, None, self._answered)

    def _answered(self, bus, result):
        bus.call_finish(result)
        self.answers.append(time.monotonic())
        self.waiting = False

    def run(self, seconds, until=lambda: False):
        deadline = time.monotonic() + seconds
        context = GLib.MainContext.default()
        while time.monotonic() < deadline and not until():
            self.ask()
            context.iteration(False)
            time.sleep(0.002)

    def longest_gap(self, start, end):
        times = [start] + [t for t in self.answers if start <= t <= end] + [end]
        return max(b - a for a, b in zip(times, times[1:]))


def click(display, window, at):
    x, y = (int(v) for v in subprocess.run(
        ["xdotool", "getwindowgeometry", "--shell", window], env=dict(os.environ, DISPLAY=display),
        capture_output=True, text=True, check=True).stdout.split("X=")[1].replace("Y=", "").split()[:2])
    subprocess.run(["xdotool", "mousemove", str(x + at[0]), str(y + at[1]), "click", "1"],
                   env=dict(os.environ, DISPLAY=display), check=True)


def settings_window(display):
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Zelvo's Alarm Clock v1.25"],
                          env=dict(os.environ, DISPLAY=display), capture_output=True,
                          text=True).stdout.split()[0]


def wave_header(data_bytes):
    return (b"RIFF" + struct.pack("<I", min(data_bytes + 36, 0xFFFFFFFF)) + b"WAVE" +
            b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, 8000, 16000, 2, 16) +
            b"data" + struct.pack("<I", min(data_bytes, 0xFFFFFFFF)))


def started(session, **stored):
    display = session.start_display()
    session.store(intro="done", **stored)
    session.start(extra_env={"ALARMCLOCK_AUDIO_SINK": "fakesink sync=true"})
    if not session.item_registers() or not pump(20, lambda: settings_window_shown(display)):
        raise RuntimeError("the program did not come up")
    item = session.item()
    flashes = []
    session.bus.signal_subscribe(item[0], ITEM, "NewIcon", item[1], None, 0,
                                 lambda *args: flashes.append(time.monotonic()))
    return display, Asker(session, item), flashes


def registry_lock(build, seconds):
    session = Session(build)
    try:
        # A message, so that Done asks nothing and goes straight to the registry.
        display, asker, _ = started(session, defmessage="Wake up")
        asker.run(1)
        holder = sqlite3.connect(os.path.join(session.env["ALARMCLOCK_PREFIX"], "registry.db"),
                                 isolation_level=None)
        holder.execute("BEGIN IMMEDIATE")
        start = time.monotonic()
        click(display, settings_window(display), DONE)
        asker.run(seconds)
        holder.execute("COMMIT")
        holder.close()
        end = time.monotonic()
        asker.run(3, lambda: not settings_window_shown(display))
        hidden = not settings_window_shown(display)
        return asker.longest_gap(start, end), hidden
    finally:
        session.close()


def media_preroll(build):
    session = Session(build)
    try:
        sound = os.path.join(session.work, "alarm.wav")
        with open(sound, "wb") as out:
            out.write(wave_header(8000) + bytes(8000))  # half a second
        display, asker, flashes = started(session, defsound=sound)
        huge = os.path.join(session.work, "huge.wav")
        with open(huge, "wb") as out:
            out.write(wave_header(3 * 1024 ** 3))
            out.truncate(3 * 1024 ** 3)
        # The open player keeps the short file; its next opening, after the sound, finds the huge one.
        os.replace(huge, sound)
        start = time.monotonic()
        click(display, settings_window(display), CHECK_ALARM)
        asker.run(8)
        end = time.monotonic()
        gap = asker.longest_gap(start, end)
        return gap, len([t for t in flashes if start <= t <= end])
    finally:
        session.close()


def main(build, seconds=5.0):
    gap, hidden = registry_lock(build, seconds)
    print("registry lock held %.1f s after Done: longest time without an answer %.3f s; window hidden "
          "after: %s" % (seconds, gap, hidden))
    gap, flashes = media_preroll(build)
    print("media file that does not pre-roll, opened after the alarm's sound: longest time without an answer "
          "%.3f s; icon changes in 8 s: %d" % (gap, flashes))


if __name__ == "__main__":
    main(sys.argv[1], *(float(a) for a in sys.argv[2:]))
