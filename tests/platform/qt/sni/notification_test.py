"""The ringing alarm as a desktop notification, shown by a real notification server (dunst) on a private
session bus and virtual display: what the program asks the server for, its Stop answering as a click on the
tray icon does, a click on the icon taking the notification away, and the same alarm on a bus with no server
and on a display with no tray at all. The server's answers are chosen as a user does, from its context menu,
through the menu program its configuration names.
Usage: notification_test.py BUILD_DIR"""
import datetime
import os
import re
import subprocess
import sys

from gi.repository import GLib

from tray_host import ITEM, Checks, Session, click, menu_items, pump, settings_window_shown

BOX_TITLE = "Zelvo's Alarm Clock"
MESSAGE = "Time to get up"


def start_server(session):
    """dunst on the session's display, its context menu answered from the file `answer`."""
    menu = os.path.join(session.work, "menu")
    with open(menu, "w") as script:
        script.write('#!/bin/sh\ngrep -m1 "^#$(cat %s) "\n' % os.path.join(session.work, "answer"))
    os.chmod(menu, 0o755)
    config = os.path.join(session.work, "dunstrc")
    with open(config, "w") as rc:
        rc.write("[global]\n    dmenu = %s\n" % menu)
    session.spawn(["dunst", "-config", config])
    if not pump(15, lambda: owner_of(session, "org.freedesktop.Notifications")):
        raise RuntimeError("dunst did not take the notification service")


def owner_of(session, name):
    return session.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                 "NameHasOwner", GLib.Variant("(s)", (name,)), None, 0, -1, None).unpack()[0]


def dunstctl(session, *args):
    return subprocess.run(["dunstctl", *args], env=session.env, capture_output=True, text=True).stdout.strip()


def shown(session):
    return int(dunstctl(session, "count", "displayed") or 0)


def answer(session, caption):
    with open(os.path.join(session.work, "answer"), "w") as chosen:
        chosen.write(caption)
    dunstctl(session, "context")


def watch_calls(session):
    """What the program and the server say to each other, as dbus-monitor prints it."""
    path = os.path.join(session.work, "monitor.log")
    out = open(path, "w")
    session.processes.append(subprocess.Popen(
        ["dbus-monitor", "--address", session.address, "interface='org.freedesktop.Notifications'"],
        stdout=out, stderr=subprocess.STDOUT))
    return path


def notify_call(log_path):
    """The text of the last Notify call in the monitor's log."""
    calls = re.split(r"\n(?=method call|signal|method return|error)", open(log_path).read())
    notify = [call for call in calls if "member=Notify" in call]
    return notify[-1] if notify else ""


def ring(session, extra=None, **values):
    """Stores a one-time alarm for 07:30 today and starts the program five seconds before."""
    today = datetime.date.today()
    session.store(intro="done", enabled="true", hour=7, min=30, year=today.year, month=today.month,
                  day=today.day, **values)
    return session.start(extra, fake_time="@%s 07:29:55" % today.isoformat())


def steady_icon(session, item, normal):
    seen = []
    pump(3, lambda: seen.append(session.item_property(item, "IconPixmap")) and False)
    return bool(seen) and all(pixels == normal for pixels in seen)


def with_server(check, build):
    session = Session(build)
    with check.steps_of(session):
        session.start_display("none")
        start_server(session)
        monitor = watch_calls(session)
        program = ring(session, message=MESSAGE)
        check("the program's item registers", session.item_registers())
        item = session.item()
        normal = session.item_property(item, "IconPixmap")
        check("the ringing shows a notification", pump(40, lambda: shown(session) == 1))
        call = notify_call(monitor)
        check("named by the program, with the message", 'string "%s"' % BOX_TITLE in call and
              'string "%s"' % MESSAGE in call)
        check("with the answer Stop", re.search(r'string "\d+"\s+string "Stop"', call) is not None)
        check("marked critical and resident, never expiring",
              re.search(r'string "urgency"\s+variant\s+byte 2', call) and
              re.search(r'string "resident"\s+variant\s+boolean true', call) and
              call.rstrip().endswith("int32 0"))
        check("and as the program's desktop entry",
              re.search(r'string "desktop-entry"\s+variant\s+string "alarmclock"', call) is not None)
        answer(session, "Stop")
        check("Stop takes the notification away", pump(10, lambda: shown(session) == 0))
        check("and stops the flashing, as a click on the icon does", steady_icon(session, item, normal))
        check("the program runs on, its message box open", program.poll() is None)
        menu_path = session.item_property(item, "Menu")
        click(session, item, menu_path, menu_items(session, item, menu_path)["Exit Program"][0])
        check("and ends by its menu", pump(10, lambda: program.poll() is not None))

        session.items.clear()
        program = ring(session, message="")
        check("again: the item registers", session.item_registers())
        item = session.item()
        check("the notification shows", pump(40, lambda: shown(session) == 1))
        check("named by the program alone", re.search(r'string "%s"\s+string ""\s+array' % BOX_TITLE,
                                                      notify_call(monitor)) is not None)
        session.call(item, ITEM, "Activate", GLib.Variant("(ii)", (0, 0)))
        check("a click on the icon takes it away", pump(10, lambda: shown(session) == 0))


def without_server(check, build):
    session = Session(build, services_on_demand=False)
    with check.steps_of(session):
        display = session.start_display("none")
        program = ring(session, message=MESSAGE)
        check("without a server: the item registers", session.item_registers())
        item = session.item()
        normal = session.item_property(item, "IconPixmap")
        check("the message box shows at the alarm",
              pump(40, lambda: subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % BOX_TITLE],
                                              env=dict(session.env, DISPLAY=display),
                                              capture_output=True).returncode == 0))
        session.call(item, ITEM, "Activate", GLib.Variant("(ii)", (0, 0)))
        check("a click stops the flashing", steady_icon(session, item, normal))
        check("and the program runs on, saying nothing", program.poll() is None and
              "otif" not in open(session.log).read())


def without_tray(check, build):
    session = Session(build, with_watcher=False)
    with check.steps_of(session):
        display = session.start_display("none")
        start_server(session)
        program = ring(session, closeafter="true")
        check("without a tray an armed start shows the window", pump(20, lambda: settings_window_shown(display)))
        check("the ringing without a message shows the notification", pump(40, lambda: shown(session) == 1))
        check("and the message box", subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^%s$" % BOX_TITLE], env=session.env,
            capture_output=True).returncode == 0)
        answer(session, "Stop")
        check("Stop there acknowledges: with Exit when done the program ends",
              pump(10, lambda: program.poll() is not None) and program.returncode == 0)
        check("and the notification goes with it", shown(session) == 0)


def main(build):
    check = Checks()
    with_server(check, build)
    without_server(check, build)
    without_tray(check, build)
    check.exit()


if __name__ == "__main__":
    main(sys.argv[1])
