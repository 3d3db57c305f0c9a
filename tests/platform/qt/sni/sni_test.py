"""The program's tray icon on a StatusNotifierItem host: registered with the watcher, flashing on the bus
after its alarm fired, stopped by one activation, and its menu, opened through com.canonical.dbusmenu,
showing what the window's state calls for and running the chosen item.
Usage: sni_test.py BUILD_DIR"""
import datetime
import sys

from gi.repository import GLib

from tray_host import ITEM, Checks, Session, click, menu_items, pump, settings_window_shown


def main(build):
    check = Checks()
    session = Session(build)
    with check.steps_of(session):
        display = session.start_display()

        today = datetime.date.today()
        session.store(intro="done", enabled="true", hour=7, min=30, year=today.year, month=today.month,
                      day=today.day)
        program = session.start(fake_time="@%s 07:29:55" % today.isoformat())
        check("the program's item registers with the watcher", session.item_registers())
        item = session.item()
        check("an armed start keeps the window hidden", not settings_window_shown(display))
        check("the icon has pixels", bool(session.item_property(item, "IconPixmap")))

        new_icons = []
        session.bus.signal_subscribe(item[0], ITEM, "NewIcon", item[1], None, 0,
                                     lambda *args: new_icons.append(args))
        normal = session.item_property(item, "IconPixmap")
        seen = []

        def flashed():
            pixels = session.item_property(item, "IconPixmap")
            if pixels not in seen:
                seen.append(pixels)
            return len(seen) >= 2 and len(new_icons) >= 2

        check("the fired alarm flashes the icon's pixels on the bus, with NewIcon", pump(40, flashed))

        session.call(item, ITEM, "Activate", GLib.Variant("(ii)", (0, 0)))
        steady = []
        pump(3, lambda: steady.append(session.item_property(item, "IconPixmap")) and False)
        check("one activation stops the flashing on the normal icon", steady and all(p == normal for p in steady))

        menu_path = session.item_property(item, "Menu")
        items = menu_items(session, item, menu_path)
        check("the menu offers Show Settings while the window is hidden",
              items.get("Show Settings", (0, False))[1] and not items.get("Hide Settings", (0, True))[1])
        click(session, item, menu_path, items["Show Settings"][0])
        check("Show Settings shows the window", pump(10, lambda: settings_window_shown(display)))
        items = menu_items(session, item, menu_path)
        check("the menu offers Hide Settings while the window shows",
              items.get("Hide Settings", (0, False))[1] and not items.get("Show Settings", (0, True))[1])

        click(session, item, menu_path, items["Exit Program"][0])
        check("Exit Program ends the program", pump(10, lambda: program.poll() is not None))
        check("and it ended cleanly", program.returncode == 0)
        check("and cleared the stored alarm", session.stored("hour") is None)
    check.exit()


if __name__ == "__main__":
    main(sys.argv[1])
