"""A private session bus with a StatusNotifierWatcher and host on it, as a panel has, and the program
started against it, its alarm armed through its registry."""
import contextlib
import os
import signal
import subprocess
import sys
import tempfile
import time

from gi.repository import Gio, GLib

# The desktop every script of the project starts its displays with.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), *[os.pardir] * 3, "support"))
from virtual_desktop import VirtualDesktop

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
SETTINGS_TITLE = "Zelvo's Alarm Clock v1.25"
STORE_KEY = r"HKCU\Software\Vyk\AlarmClock"

WATCHER_XML = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>
"""


# A session bus that starts no service on demand: a desktop's services are there only when a test starts them
# (with them installed, the system's session bus would start the notification server at the first call).
BARE_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%s</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


class Failure(Exception):
    pass


def pump(seconds, until=lambda: False):
    """Serves the bus for up to seconds; true as soon as until() holds."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if until():
            return True
        if time.monotonic() >= deadline:
            return False
        time.sleep(0.02)


class Session:
    """Temporary directory, bus, watcher; torn down by close() whatever happened."""

    def __init__(self, build, with_watcher=True, services_on_demand=True):
        self.build = build
        self.work = tempfile.mkdtemp(prefix="alarmclock-sni-")
        self.processes = []
        self.desktop = None
        # A runtime folder of the session's own, also for the services its bus starts: the accessibility
        # bus's socket would otherwise be one path for every session of the user, and a second session's
        # accessibility bus would take it from the first's.
        self.runtime = os.path.join(self.work, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.env = dict(os.environ, ALARMCLOCK_PREFIX=os.path.join(self.work, "registry"),
                        XDG_RUNTIME_DIR=self.runtime)
        config = ["--session"]
        if not services_on_demand:
            config = ["--config-file=" + os.path.join(self.work, "bus.conf")]
            with open(config[0].split("=", 1)[1], "w") as bare:
                bare.write(BARE_BUS_CONFIG % self.runtime)
        daemon = subprocess.run(
            ["dbus-daemon", *config, "--print-address=1", "--print-pid=1", "--fork", "--nopidfile"],
            env=self.env, check=True, capture_output=True, text=True).stdout.split()
        self.address, self.bus_pid = daemon[0], int(daemon[1])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = self.address
        self.bus = Gio.DBusConnection.new_for_address_sync(
            self.address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)
        self.items = []
        if with_watcher:
            self._serve_watcher()

    def _serve_watcher(self):
        info = Gio.DBusNodeInfo.new_for_xml(WATCHER_XML).interfaces[0]
        self.bus.register_object("/StatusNotifierWatcher", info, self._watcher_call, self._watcher_property, None)
        for name in (WATCHER, "org.kde.StatusNotifierHost-%d" % os.getpid()):
            reply = self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                       "RequestName", GLib.Variant("(su)", (name, 4)), None,
                                       Gio.DBusCallFlags.NONE, -1, None)
            if reply.unpack()[0] != 1:
                raise Failure("could not own " + name)

    def _watcher_call(self, connection, sender, path, interface, method, parameters, invocation):
        if method == "RegisterStatusNotifierItem":
            service = parameters.unpack()[0]
            # A well-known name on the default path, or a path on the caller's own connection.
            item = (sender, service) if service.startswith("/") else (service, "/StatusNotifierItem")
            self.items.append(item)
            connection.emit_signal(None, path, WATCHER, "StatusNotifierItemRegistered",
                                   GLib.Variant("(s)", (item[0] + item[1],)))
        invocation.return_value(None)

    def _watcher_property(self, connection, sender, path, interface, name):
        return {
            "RegisteredStatusNotifierItems": GLib.Variant("as", [s + p for s, p in self.items]),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
            "ProtocolVersion": GLib.Variant("i", 0),
        }[name]

    def reg(self, *args, check=True):
        return subprocess.run([os.path.join(self.build, "tools/reg/alarmclock-reg"), *args], env=self.env,
                              check=check, capture_output=True, text=True).stdout

    def store(self, **values):
        for name, value in values.items():
            self.reg("add", STORE_KEY, "/v", name, "/d", str(value), "/f")

    def stored(self, name):
        """The stored value, or None when there is none."""
        # A value that is not there is an error to reg.
        for line in self.reg("query", STORE_KEY, "/v", name, check=False).splitlines():
            fields = line.split(None, 2)
            if len(fields) == 3 and fields[0] == name:
                return fields[2]
        return None

    def start(self, extra_env=None, fake_time=None, log="program.log"):
        command = [os.path.join(self.build, "alarmclock")]
        env = dict(self.env, **(extra_env or {}))
        if fake_time is not None:
            command = ["faketime", "-f", fake_time] + command
            env["DONT_FAKE_MONOTONIC"] = "1"
        self.log = os.path.join(self.work, log)
        with open(self.log, "w") as out:
            process = subprocess.Popen(command, env=env, stdout=out, stderr=subprocess.STDOUT)
        self.processes.append(process)
        return process

    def start_display(self, tray="none"):
        """A virtual display of its own for what runs in the session, with the notification-area host named
        (virtual_desktop.sh's, on the session's bus); its name."""
        self.desktop = VirtualDesktop(tray, self.env)
        self.env["DISPLAY"] = self.desktop.display
        return self.desktop.display

    def spawn(self, command, env=None):
        process = subprocess.Popen(command, env=env or self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    @staticmethod
    def end(process):
        """Ends a process started here. One under faketime is ended through its program: faketime waits for
        it and then removes its shared clock, which faketime ended itself would leave behind (and the program
        running), for a later faketime given the same process number to fail on."""
        if process.poll() is not None:
            return
        target = process.pid
        if process.args[0] == "faketime":
            try:
                with open("/proc/%d/task/%d/children" % (process.pid, process.pid)) as children:
                    target = int(children.read().split()[0])
            except (OSError, IndexError, ValueError):
                pass  # the program has ended, or not yet begun: faketime is ended itself
        for sent in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.kill(target, sent)
            except ProcessLookupError:
                pass
            try:
                process.wait(5)
                return
            except subprocess.TimeoutExpired:
                pass
        process.kill()
        process.wait()

    def close(self):
        for process in reversed(self.processes):
            self.end(process)
        if self.desktop:
            self.desktop.close()
        self.bus.close_sync(None)
        os.kill(self.bus_pid, signal.SIGTERM)
        subprocess.run(["rm", "-rf", self.work], check=False)

    # The program's item, as a host reads it.

    def item_registers(self, seconds=20):
        """Whether the program registers a tray item with the watcher within seconds."""
        return pump(seconds, lambda: self.items)

    def registered_item(self):
        """The item registered with a watcher that is not ours (a panel's): its bus name and object path."""
        items = self.call(("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher"),
                          "org.freedesktop.DBus.Properties", "Get",
                          GLib.Variant("(ss)", (WATCHER, "RegisteredStatusNotifierItems")), "(v)")[0]
        if not items:
            raise Failure("the program registered no tray item with the panel's watcher")
        service, _, path = items[0].partition("/")
        return service, "/" + path

    def item(self):
        """The program's registered item: its bus name and object path."""
        if not self.items:
            raise Failure("the program registered no tray item with the watcher")
        return self.items[0]

    def call(self, item, interface, method, parameters=None, reply=None, path=None):
        """Waits for the reply while the watcher goes on answering: the program asks it things too."""
        done = []
        self.bus.call(item[0], path or item[1], interface, method, parameters,
                      GLib.VariantType(reply) if reply else None, Gio.DBusCallFlags.NONE, 10000, None,
                      lambda bus, result: done.append(result))
        pump(15, lambda: done)
        if not done:
            raise Failure("no reply to " + method)
        result = self.bus.call_finish(done[0])
        return result.unpack() if result is not None else None

    def item_property(self, item, name):
        return self.call(item, "org.freedesktop.DBus.Properties", "Get", GLib.Variant("(ss)", (ITEM, name)),
                         "(v)")[0]


class Checks:
    """Runs named checks, prints each, and fails the test at the end if any failed."""

    @contextlib.contextmanager
    def steps_of(self, session, log_tail=None):
        """Runs a test's steps: a broken step is a failure of the test, reported with the program's log (its
        last log_tail characters when given, without Wayland's protocol lines); the session ends either way."""
        try:
            yield
        except Exception as error:
            self("the test ran through (%s: %s)" % (type(error).__name__, error), False)
            if os.path.exists(getattr(session, "log", "")):
                text = open(session.log, errors="replace").read()
                if log_tail:
                    text = "".join(line for line in text.splitlines(True) if "-> " not in line)[-log_tail:]
                print(text)
        finally:
            session.close()

    def __init__(self):
        self.failed = 0

    def __call__(self, description, passed):
        print(("ok: " if passed else "FAILED: ") + description, flush=True)
        if not passed:
            self.failed += 1
        return passed

    def exit(self):
        print("%d failed" % self.failed if self.failed else "all passed", flush=True)
        sys.exit(1 if self.failed else 0)


def menu_items(session, item, menu_path):
    """The top level of the exported menu, as a host fetches it before showing, in its order:
    label -> (id, visible)."""
    session.call(item, MENU, "AboutToShow", GLib.Variant("(i)", (0,)), "(b)", path=menu_path)
    _, (_, _, children) = session.call(item, MENU, "GetLayout", GLib.Variant("(iias)", (0, 1, [])),
                                       "(u(ia{sv}av))", path=menu_path)
    return {props.get("label", ""): (child_id, props.get("visible", True))
            for child_id, props, _ in children}


def click(session, item, menu_path, item_id):
    """A click on the exported menu's item of that id, as a host reports it."""
    session.call(item, MENU, "Event", GLib.Variant("(isvu)", (item_id, "clicked", GLib.Variant("i", 0), 0)),
                 path=menu_path)


def settings_window_shown(display):
    result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", SETTINGS_TITLE],
                            env=dict(os.environ, DISPLAY=display), capture_output=True, text=True)
    return bool(result.stdout.strip())

