#!/usr/bin/env python3
"""Start to tray icon, private memory and idle wake-ups of the Windows program under Wine, next to the Linux
program's.

Usage, inside the Windows tests' Wine session (a fresh prefix, Xvfb and trayer):
  tests/platform/win32/wine_session.sh python3 bench/wine_footprint.py WINDOWS_EXE LINUX_PROGRAM [--runs N]
      [--idle-seconds S] [--i686-exe EXE]

WINDOWS_EXE is a 64-bit alarmclock.exe (this kernel runs no 32-bit code), LINUX_PROGRAM an installed
alarmclock (alarmclock-reg beside it). Both start as after a reboot with Keep Running: an alarm armed twelve
hours away, the window hidden, only the tray icon; each on a display with trayer, after one unmeasured start
that warms the file cache (and, under Wine, starts its explorer, which stays while runs follow each other).
EXE is the stripped 32-bit program that Windows users get (built by `./build.sh windows`); only its size is
measured, and printed with the table.

Start to icon: from the start of the process to the moment trayer has embedded an icon. Under Wine the
embedded window belongs to Wine's explorer, which draws every tray icon of the session.
Private memory: Private_Clean + Private_Dirty of /proc/PID/smaps_rollup, 10 s after the icon.
Wake-ups per idle minute: the voluntary context switches of all the process's threads over the S seconds
that follow, counted as footprint.py counts them for the Linux program.
Under Wine the program's process also holds Wine's own libraries, their data and their threads, so its
figures are the program plus Wine's cost. The wineserver and explorer that it needs are listed apart, not
added: they serve every Wine process of the session, and the wineserver's wake-ups include the program's
calls into it.
"""
import os
import statistics
import subprocess
import time

import footprint
import xwindows

WINE = os.environ.get("WINE64", "/usr/lib/wine/wine64")

WINDOWS, WINESERVER, EXPLORER, LINUX = "Windows under Wine", "  Wine's wineserver", "  Wine's explorer", "Linux (Qt)"
START, PRIVATE, WAKEUPS = "start to icon (ms)", "private (KiB)", "wake-ups per idle minute"


def private_kib(memory):
    """Private memory, from a rollup_kib summary."""
    return memory["Private_Clean"] + memory["Private_Dirty"]


def private_kib_of(pid):
    return private_kib(footprint.rollup_kib(pid))


def wine_session_processes(name):
    """The processes of this Wine prefix whose executable's name starts with name."""
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            executable = os.path.basename(os.readlink(f"/proc/{entry}/exe"))
            with open(f"/proc/{entry}/environ", "rb") as environ:
                variables = environ.read().split(b"\0")
        except OSError:
            continue
        if executable.startswith(name) and f"WINEPREFIX={os.environ['WINEPREFIX']}".encode() in variables:
            found.append(int(entry))
    return found


def wakeups(pids):
    return sum(footprint.voluntary_switches(pid) for pid in pids)


def measure_wine(program, display, idle_seconds):
    """The program's figures and, apart, those of Wine's own processes while it runs."""
    subprocess.run([WINE, "reg", "delete", footprint.SETTINGS_KEY, "/f"], capture_output=True)
    for name, value in footprint.alarm_settings(footprint.idle_alarm()).items():
        subprocess.run([WINE, "reg", "add", footprint.SETTINGS_KEY, "/v", name, "/d", value, "/f"],
                       check=True, capture_output=True)
    footprint.wait_until(lambda: not display.embedded_owners(), 20, "an empty tray")
    began = time.perf_counter()
    process = subprocess.Popen([WINE, program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        footprint.wait_until(lambda: display.embedded_owners(), 30, "the Windows program's tray icon")
        start_ms = (time.perf_counter() - began) * 1000
        time.sleep(footprint.SETTLE_SECONDS)
        servers, explorers = wine_session_processes("wineserver"), display.embedded_owners()
        private = {WINDOWS: private_kib_of(process.pid), WINESERVER: sum(map(private_kib_of, servers)),
                   EXPLORER: sum(map(private_kib_of, explorers))}
        idle = footprint.per_idle_minute({WINDOWS: lambda: footprint.voluntary_switches(process.pid),
                                          WINESERVER: lambda: wakeups(servers),
                                          EXPLORER: lambda: wakeups(explorers)}, idle_seconds)
        figures = {name: {PRIVATE: private[name], WAKEUPS: idle[name]} for name in (WINDOWS, WINESERVER, EXPLORER)}
        figures[WINDOWS] = {START: start_ms, **figures[WINDOWS]}
        return figures
    finally:
        footprint.stop(process)


def measure_linux(subject, idle_seconds):
    start_ms, memory, idle = footprint.run_idle(subject, idle_seconds, {WAKEUPS: footprint.voluntary_switches})
    return {LINUX: {START: start_ms, PRIVATE: private_kib(memory), **idle}}


def measure(windows_program, linux, display, idle_seconds):
    return {**measure_wine(windows_program, display, idle_seconds), **measure_linux(linux, idle_seconds)}


def main():
    parser = footprint.comparison_parser(__doc__, "windows_program", "linux_program")
    parser.add_argument("--i686-exe", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir,
                                                           "build-windows-i686", "packaging", "windows", "release",
                                                           "alarmclock.exe"))
    arguments = parser.parse_args()
    if "WINEPREFIX" not in os.environ:
        parser.error("run inside tests/platform/win32/wine_session.sh")
    # Checked before the runs, not after them.
    if not os.path.isfile(arguments.i686_exe):
        parser.error(f"no stripped 32-bit program at {arguments.i686_exe} (./build.sh windows builds it)")

    display = xwindows.Display(os.environ["DISPLAY"])
    linux = footprint.AlarmClock(os.path.abspath(arguments.linux_program))
    os.sync()
    try:
        measure(arguments.windows_program, linux, display, 1)  # warms the caches and Wine's explorer
        runs = []
        for run in range(arguments.runs):
            runs.append(measure(arguments.windows_program, linux, display, arguments.idle_seconds))
            print(f"run {run + 1}: {runs[-1]}", flush=True)
    finally:
        linux.cleanup()
        display.close()

    print(f"\nMedians of {arguments.runs} runs ({arguments.idle_seconds} s idle)")
    for name, figures in runs[0].items():
        for metric in figures:
            values = [run[name][metric] for run in runs]
            every = " ".join(f"{value:.1f}" for value in values)
            print(f"  {name:24} {metric:28} {statistics.median(values):10.1f}   ({every})")
    print(f"\nalarmclock.exe (i686), stripped: {os.path.getsize(arguments.i686_exe)} bytes")


if __name__ == "__main__":
    main()
