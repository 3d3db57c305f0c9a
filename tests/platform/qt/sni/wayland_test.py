"""The program under a Wayland compositor (Weston, headless) with Qt's wayland platform: the settings window
and the message boxes show, and the tray item registers over D-Bus. Without a StatusNotifierItem host (as
on GNOME without its AppIndicator extension) an armed start shows the window minimized instead of hidden,
and the ringing alarm shows its box.
What the compositor was asked and answered is read from the program's own Wayland protocol log.
Usage: wayland_test.py BUILD_DIR"""
import datetime
import os
import re
import sys

from tray_host import SETTINGS_TITLE, Checks, Session, pump

BOX_TITLE = "Zelvo's Alarm Clock"


def toplevels(log_path):
    """Each titled top-level window: whether it was mapped (a configured surface got a buffer committed)
    and whether the program asked for it to be minimized. An object is "interface@id" in the log of
    libwayland before 1.23 and "interface#id" since."""
    xdg_surface_of_toplevel, surface_of_xdg_surface = {}, {}
    title_of_surface, acked, attached = {}, set(), set()
    windows = {}
    with open(log_path, errors="replace") as log:
        for line in log:
            request = line.split("-> ", 1)[1] if "-> " in line else None
            if request is None:
                continue
            m = re.match(r"xdg_wm_base[@#]\d+\.get_xdg_surface\(new id xdg_surface[@#](\d+), wl_surface[@#](\d+)\)", request)
            if m:
                surface_of_xdg_surface[m[1]] = m[2]
                acked.discard(m[2])
                attached.discard(m[2])
                continue
            m = re.match(r"xdg_surface[@#](\d+)\.get_toplevel\(new id xdg_toplevel[@#](\d+)\)", request)
            if m:
                xdg_surface_of_toplevel[m[2]] = m[1]
                continue
            m = re.match(r'xdg_toplevel[@#](\d+)\.set_title\("(.*)"\)', request)
            if m:
                surface = surface_of_xdg_surface[xdg_surface_of_toplevel[m[1]]]
                title_of_surface[surface] = m[2]
                windows.setdefault(m[2], {"mapped": False, "minimized": False})
                continue
            m = re.match(r"xdg_toplevel[@#](\d+)\.set_minimized\(\)", request)
            if m:
                surface = surface_of_xdg_surface[xdg_surface_of_toplevel[m[1]]]
                if surface in title_of_surface:
                    windows[title_of_surface[surface]]["minimized"] = True
                continue
            m = re.match(r"xdg_surface[@#](\d+)\.ack_configure\(", request)
            if m and m[1] in surface_of_xdg_surface:
                acked.add(surface_of_xdg_surface[m[1]])
                continue
            m = re.match(r"wl_surface[@#](\d+)\.attach\(wl_buffer[@#]", request)
            if m and m[1] in acked:
                attached.add(m[1])
                continue
            m = re.match(r"wl_surface[@#](\d+)\.commit\(\)", request)
            if m and m[1] in attached and m[1] in title_of_surface:
                windows[title_of_surface[m[1]]]["mapped"] = True
    return windows


def mapped(session, title):
    return toplevels(session.log).get(title, {}).get("mapped", False)


def start_compositor(session):
    socket = "alarmclock-%d" % os.getpid()
    session.spawn(["weston", "--backend=headless-backend.so", "--socket=" + socket, "--idle-time=0"])
    if not pump(15, lambda: os.path.exists(os.path.join(session.runtime, socket))):
        raise RuntimeError("weston did not start")
    return {"WAYLAND_DISPLAY": socket, "QT_QPA_PLATFORM": "wayland", "WAYLAND_DEBUG": "client", "DISPLAY": ""}


def arm(session):
    today = datetime.date.today()
    session.store(intro="done", enabled="true", hour=7, min=30, year=today.year, month=today.month,
                  day=today.day)
    return "@%s 06:00:00" % today.isoformat()


def run(check, build, with_watcher, part):
    session = Session(build, with_watcher=with_watcher)
    with check.steps_of(session, log_tail=3000):
        wayland = start_compositor(session)
        part(check, session, wayland)


def first_start(check, session, wayland):
    session.start(wayland)
    check("on a first start the settings window shows",
          pump(20, lambda: mapped(session, SETTINGS_TITLE)))
    check("and the welcome box shows", pump(10, lambda: mapped(session, BOX_TITLE)))
    check("the tray item registers over D-Bus", session.item_registers())


def armed_start_with_host(check, session, wayland):
    session.start(wayland, fake_time=arm(session))
    check("an armed start registers its tray item", session.item_registers())
    # The item answers from the program's event loop, which runs only once the start has settled whether
    # the window shows.
    session.item_property(session.item(), "Status")
    check("and keeps the window hidden", SETTINGS_TITLE not in toplevels(session.log))


def armed_start_without_host(check, session, wayland):
    session.start(wayland, fake_time=arm(session))
    check("without a tray host an armed start shows the window",
          pump(20, lambda: mapped(session, SETTINGS_TITLE)))
    # Qt asks for the minimizing once the window is mapped: it may come a moment after.
    check("minimized", pump(10, lambda: toplevels(session.log)[SETTINGS_TITLE]["minimized"]))


def ringing_without_host(check, session, wayland):
    today = datetime.date.today()
    session.store(intro="done", enabled="true", hour=7, min=30, year=today.year, month=today.month,
                  day=today.day)
    session.start(wayland, fake_time="@%s 07:29:55" % today.isoformat())
    # The box is where the alarm is answered when no icon flashes, also without a message.
    check("without a tray host the ringing alarm shows its box", pump(40, lambda: mapped(session, BOX_TITLE)))


def main(build):
    check = Checks()
    run(check, build, True, first_start)
    run(check, build, True, armed_start_with_host)
    run(check, build, False, armed_start_without_host)
    run(check, build, False, ringing_without_host)
    check.exit()


if __name__ == "__main__":
    main(sys.argv[1])
