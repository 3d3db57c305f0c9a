"""The settings window as a screen reader reads it through AT-SPI: every control's name, role, states and
access key, no component name of the layout heard anywhere, and one alarm set through the accessibility
interface alone (text typed into the fields, a box ticked, Done pressed) whose message box is read out when
it fires. The program runs on a virtual display with a notification area (trayer: Done puts the window away
there, and only minimises it without one) and a private session bus, whose accessibility bus is
at-spi2-core's, switched on as a screen reader switches it on.
Usage: accessibility_test.py BUILD_DIR"""
import datetime
import os
import re
import subprocess
import sys

from gi.repository import GLib

from tray_host import SETTINGS_TITLE, Checks, Session, pump

LAYOUT = os.path.join(os.path.dirname(__file__), "..", "..", "..", "..", "app", "main_form.form")
MESSAGE = "Wake up, reader"

# What a user hears of each control of the settings window, in the window's order: name, role, access key.
EXPECTED = [
    ("", "panel", None),
    (SETTINGS_TITLE, "label", None),
    ("", "image", None),  # a decoration: its resource name is no name
    ("Settings", "panel", None),
    ("Alarm Enabled", "check box", None),
    ("Message:", "check box", "Alt+M"),
    ("Message", "text", None),
    ("Alert me at:", "label", None),
    ("Alert me at: hour", "text", "Alt+A"),  # the label's access key moves the focus here
    (":", "label", None),
    ("Alert me at: min", "text", None),
    ("Play Media", "check box", "Alt+M"),
    ("Keep Running", "check box", "Alt+K"),
    ("Date", "spin button", None),
    ("Alarm Daily", "check box", None),
    ("Exit when done", "check box", None),
    ("Run Application:", "check box", "Alt+R"),
    ("Run Application", "text", None),
    ("Pick", "push button", "Alt+P"),
    ("Set Defaults", "push button", "Alt+S"),
    ("Check Alarm", "push button", "Alt+C"),
    ("Done", "push button", "Alt+D"),
    ("Exit Program", "push button", "Alt+X"),
    ("", "filler", None),  # the media player, never shown
]
INTERACTIVE = {"check box", "text", "spin button", "push button"}


def role_of(name):
    """A role's number, by which a reader knows it: at-spi2-core renames roles ("push button" is "button"
    since 2.52) but keeps their numbers."""
    import pyatspi
    return int(getattr(pyatspi, "ROLE_" + name.upper().replace(" ", "_")))


def has_role(accessible, *names):
    return int(accessible.getRole()) in {role_of(name) for name in names}


def component_names():
    return set(re.findall(r"^\s*object (\w+):", open(LAYOUT).read(), re.MULTILINE))


def descendants(accessible):
    for child in accessible:
        yield child
        yield from descendants(child)


def states(accessible):
    import pyatspi
    return {pyatspi.stateToString(state) for state in accessible.getState().getStates()}


def access_key(accessible):
    """The key binding of the control's first action (press, toggle, focus), as the reader announces it."""
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return None
    return action.getKeyBinding(0) or None if action.nActions else None


def do_action(accessible, name):
    action = accessible.queryAction()
    for index in range(action.nActions):
        if action.getName(index) == name:
            return action.doAction(index)
    raise RuntimeError("%r offers no action %s" % (accessible.name, name))


def type_text(accessible, text):
    accessible.queryEditableText().setTextContents(text)


def text_of(accessible):
    try:
        text = accessible.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return accessible.name


def find_window(application, wanted, seconds=15):
    """The application's top-level window for which wanted holds once it shows, or None."""
    found = []

    def shown():
        found[:] = [w for w in application if w is not None and wanted(w) and "showing" in states(w)]
        return found

    return found[0] if pump(seconds, shown) else None


def same_case(key):
    """Qt spells an access key "Alt+X" for one action and "Alt+x" for another."""
    return key.upper() if key else key


def check_tree(check, window):
    controls = list(descendants(window))
    heard = [(c.name, int(c.getRole()), same_case(access_key(c) if has_role(c, *INTERACTIVE) else None))
             for c in controls]
    expected = [(name, role_of(role), same_case(key)) for name, role, key in EXPECTED]
    check("the window is a frame with the title as its name",
          has_role(window, "frame") and window.name == SETTINGS_TITLE)
    check("%d controls, each with its name, role and access key" % len(EXPECTED), heard == expected)
    for control, got, wanted, said in zip(controls, heard, expected, EXPECTED):
        if got != wanted:
            print("  heard %s, not %s" % ((control.name, control.getRoleName(), got[2]), said))
    leaks = sorted({c.name for c in controls} & component_names())
    check("no component name is heard (%s)" % ", ".join(leaks), not leaks)
    check("every control of the window is enabled and shown but the media player",
          all({"enabled", "showing"} <= states(c) for c in controls[:-1])
          and "showing" not in states(controls[-1]))
    check("every field, box and button takes the focus",
          all("focusable" in states(c) for c in controls if has_role(c, *INTERACTIVE)))
    return {name: control for control, (name, _, _) in zip(controls, heard) if name}


def main(build):
    check = Checks()
    session = Session(build, with_watcher=False)
    with check.steps_of(session):
        display = session.start_display("trayer")
        # pyatspi finds the accessibility bus through these when it is first imported.
        os.environ.update(DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=session.address)
        # What a screen reader does at its start: the session's accessibility switched on, which starts
        # at-spi2-core's bus and makes Qt's bridge register the program there.
        session.bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                              GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                              None, 0, 10000, None)
        import pyatspi

        session.store(intro="done")
        today = datetime.date.today()
        program = session.start(fake_time="@%s 07:29:20" % today.isoformat())
        applications = []
        check("the program registers with the accessibility bus", pump(20, lambda: applications.extend(
            a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "alarmclock") or applications))
        application = applications[0]
        window = find_window(application, lambda w: w.name == SETTINGS_TITLE)
        check("the settings window shows", window is not None)
        controls = check_tree(check, window)

        hour, minute, message = controls["Alert me at: hour"], controls["Alert me at: min"], controls["Message"]
        # What a window manager does for a new window, which this display has none of.
        subprocess.run(["xdotool", "search", "--name", SETTINGS_TITLE, "windowfocus"], env=session.env, check=True)
        focused = lambda: [c.name for c in descendants(window) if "focused" in states(c)]
        check("the focus starts in the first field of the tab chain",
              pump(5, lambda: focused() == [hour.name]))
        do_action(controls["Run Application"], "SetFocus")
        check("and moves where a reader sends it", pump(5, lambda: focused() == ["Run Application"]))
        ticked = lambda: "checked" in states(controls["Message:"])
        do_action(controls["Message:"], "Toggle")
        check("ticking Message through its action ticks it", pump(5, ticked))
        do_action(controls["Message:"], "Toggle")
        check("unticking it disables the message field, as the program's handler of its click does",
              pump(5, lambda: not ticked() and "enabled" not in states(message)))
        do_action(controls["Message:"], "Toggle")
        check("ticking it again enables the field", pump(5, lambda: ticked() and "enabled" in states(message)))
        type_text(message, MESSAGE)
        type_text(hour, "7")
        type_text(minute, "30")
        enabled = lambda: "checked" in states(controls["Alarm Enabled"])
        check("a typed time ticks Alarm Enabled, as the program does for a time", pump(5, enabled))
        do_action(controls["Alarm Enabled"], "Toggle")
        check("unticking Alarm Enabled through its action clears the alarm",
              pump(5, lambda: not enabled() and session.stored("enabled") is None))
        do_action(controls["Alarm Enabled"], "Toggle")
        check("ticking it again arms it", pump(5, lambda: enabled() and session.stored("enabled") == "true"))
        do_action(controls["Done"], "Press")
        check("Done hides the window", pump(10, lambda: "showing" not in states(window)))
        stored = {name: session.stored(name) for name in ("enabled", "hour", "min", "message")}
        check("the alarm typed through the accessibility interface is stored (%s)" % stored,
              stored == {"enabled": "true", "hour": "7", "min": "30", "message": MESSAGE})

        box = find_window(application, lambda w: has_role(w, "dialog", "alert")
                          and MESSAGE in [text_of(c) for c in descendants(w)], 40)
        check("the alarm fires and its box reads out the message", box is not None)
        ok = [c for c in (descendants(box) if box else []) if has_role(c, "push button")]
        if ok:
            do_action(ok[0], "Press")
        check("its button closes it", ok and pump(10, lambda: "showing" not in states(box)))
        session.end(program)
    check.exit()


if __name__ == "__main__":
    main(sys.argv[1])
