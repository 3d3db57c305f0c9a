"""The program's tray icon in a real StatusNotifierItem panel (LXQt's lxqt-panel, its watcher and host) on a
virtual display, seen and clicked as a user does: the icon shows in the panel, its pixels alternate while
the fired alarm flashes it, a click stops the flashing, and the panel's menu for the icon offers what the
window's state calls for and runs the chosen item. What the panel shows is read from the screen; the menu's
wording from the menu the program exports, which is what the panel draws.
Usage: panel_test.py BUILD_DIR"""
import datetime
import subprocess
import sys

from gi.repository import GLib

from tray_host import Checks, Session, menu_items, pump, settings_window_shown

# The screen and the panel along its top, as virtual_desktop.sh makes them.
WIDTH, HEIGHT, PANEL_HEIGHT = 1024, 768, 32


class Screen:
    def __init__(self, session):
        self.session = session

    def pixels(self):
        """The whole screen, as rows of RGB bytes."""
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], env=self.session.env,
                              check=True, capture_output=True).stdout
        return [data[row * WIDTH * 3:(row + 1) * WIDTH * 3] for row in range(HEIGHT)]

    @staticmethod
    def changed(before, after, rows):
        """The box (left, top, right, bottom) of the pixels that differ within rows, or None."""
        box = None
        for y in rows:
            if before[y] == after[y]:
                continue
            xs = [x for x in range(WIDTH) if before[y][3 * x:3 * x + 3] != after[y][3 * x:3 * x + 3]]
            left, top, right, bottom = box or (xs[0], y, xs[-1], y)
            box = (min(left, xs[0]), min(top, y), max(right, xs[-1]), y)
        return box

    def area(self, box):
        left, top, right, bottom = box
        return tuple(row[3 * left:3 * (right + 1)] for row in self.pixels()[top:bottom + 1])

    def click(self, x, y, button=1):
        """Clicks there, then moves the pointer off, so that nothing is drawn hovered."""
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", str(button), "mousemove", str(WIDTH - 1),
                        str(HEIGHT - 1)], env=self.session.env, check=True)


def centre(box):
    return (box[0] + box[2]) // 2, (box[1] + box[3]) // 2


def panel_windows(session):
    """The panel's windows that show, by id: the panel, and a menu while one is open."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--class", "lxqt-panel"], env=session.env,
                           capture_output=True, text=True).stdout.split()
    return set(found)


def geometry(session, window):
    """The window's box (left, top, right, bottom) on the screen."""
    values = dict(line.split("=") for line in subprocess.run(
        ["xdotool", "getwindowgeometry", "--shell", window], env=session.env, check=True, capture_output=True,
        text=True).stdout.split())
    left, top = int(values["X"]), int(values["Y"])
    return left, top, left + int(values["WIDTH"]) - 1, top + int(values["HEIGHT"]) - 1


def open_menu(screen, icon):
    """Right-clicks the icon; the box of the menu the panel shows for it, or None."""
    before = panel_windows(screen.session)
    screen.click(*centre(icon), button=3)
    opened = []
    if not pump(10, lambda: opened.extend(panel_windows(screen.session) - before) or opened):
        return None
    return geometry(screen.session, opened[0])


def choose(screen, menu, index, count):
    """Clicks the index-th of the count items the menu shows, top to bottom."""
    left, top, right, bottom = menu
    screen.click((left + right) // 2, top + (2 * index + 1) * (bottom - top) // (2 * count))


def main(build):
    check = Checks()
    session = Session(build, with_watcher=False)
    with check.steps_of(session):
        display = session.start_display(tray="lxqt-panel")
        screen = Screen(session)
        check("the panel owns the watcher and registers its host", pump(20, lambda: session.bus.call_sync(
            "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
            GLib.Variant("(s)", ("org.kde.StatusNotifierWatcher",)), None, 0, 1000, None).unpack()[0]))
        pump(2)  # the panel drawn
        empty = screen.pixels()

        today = datetime.date.today()
        session.store(intro="done", enabled="true", hour=7, min=30, year=today.year, month=today.month,
                      day=today.day)
        program = session.start(fake_time="@%s 07:29:50" % today.isoformat())
        icons = []
        check("the icon shows in the panel", pump(20, lambda: icons.append(
            screen.changed(empty, screen.pixels(), range(PANEL_HEIGHT))) or icons[-1] is not None))
        icon = icons[-1]
        normal = screen.area(icon)
        check("an armed start keeps the window hidden", not settings_window_shown(display))

        seen = {normal}
        check("the fired alarm flashes the icon: its pixels alternate",
              pump(40, lambda: seen.add(screen.area(icon)) or len(seen) >= 2))
        screen.click(*centre(icon))
        steady = []
        pump(5, lambda: screen.area(icon) == normal)
        pump(3, lambda: steady.append(screen.area(icon)) and False)  # longer than a flash's two phases
        check("a click on it stops the flashing on the normal icon", steady and set(steady) == {normal})

        item = session.registered_item()
        menu_path = session.item_property(item, "Menu")

        def shown():
            """What the panel shows: the items the program exports as visible, in their order."""
            return [label for label, (_, visible) in menu_items(session, item, menu_path).items() if visible]

        menu = open_menu(screen, icon)
        check("a right click opens the panel's menu for the icon", menu is not None)
        check("it offers Show Settings and Exit Program while the window is hidden (%s)" % shown(),
              shown() == ["Show Settings", "Exit Program"])
        choose(screen, menu, 0, 2)
        check("Show Settings shows the window", pump(10, lambda: settings_window_shown(display)))

        menu = open_menu(screen, icon)
        check("then Hide Settings and Exit Program (%s)" % shown(), shown() == ["Hide Settings", "Exit Program"])
        choose(screen, menu, 0, 2)
        check("Hide Settings hides the window", pump(10, lambda: not settings_window_shown(display)))

        menu = open_menu(screen, icon)
        choose(screen, menu, 1, 2)
        check("Exit Program ends the program", pump(10, lambda: program.poll() is not None))
        check("and it ended cleanly", program.returncode == 0)
        check("and took its icon out of the panel", pump(10, lambda: screen.area(icon) != normal))
    check.exit()


if __name__ == "__main__":
    main(sys.argv[1])
