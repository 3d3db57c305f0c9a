#!/usr/bin/env python3
"""Start to tray icon and private memory of the Windows program under Wine, next to the Linux program's.

Usage, inside the Windows tests' Wine session (a fresh prefix, Xvfb and trayer):
  tests/platform/win32/wine_session.sh python3 bench/wine_footprint.py WINDOWS_EXE LINUX_PROGRAM [--runs N]

WINDOWS_EXE is a 64-bit alarmclock.exe (this kernel runs no 32-bit code), LINUX_PROGRAM an installed
alarmclock (alarmclock-reg beside it). Both start as after a reboot with Keep Running: an alarm armed twelve
hours away, the window hidden, only the tray icon; each on a display with trayer, after one unmeasured start
that warms the file cache (and, under Wine, starts its explorer, which stays while runs follow each other).

Start to icon: from the start of the process to the moment trayer has embedded an icon. Under Wine the
embedded window belongs to Wine's explorer, which draws every tray icon of the session.
Private memory: Private_Clean + Private_Dirty of /proc/PID/smaps_rollup, 10 s after the icon. Under Wine
the program's process also holds Wine's own libraries and their data, so its figure is the program plus
Wine's cost; the wineserver and explorer that it needs are listed beside it, not added.
"""
import argparse
import datetime
import os
import statistics
import subprocess
import time

import footprint
import xwindows

WINE = os.environ.get("WINE64", "/usr/lib/wine/wine64")


def private_kib(pid):
    values = footprint.rollup_kib(pid)
    return values["Private_Clean"] + values["Private_Dirty"]


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


def armed_values():
    alarm = datetime.datetime.now() + datetime.timedelta(hours=12)
    return {"intro": "done", "enabled": "true", "hour": str(alarm.hour), "min": str(alarm.minute),
            "year": str(alarm.year), "month": str(alarm.month), "day": str(alarm.day)}


def measure_wine(program, display):
    subprocess.run([WINE, "reg", "delete", footprint.SETTINGS_KEY, "/f"], capture_output=True)
    for name, value in armed_values().items():
        subprocess.run([WINE, "reg", "add", footprint.SETTINGS_KEY, "/v", name, "/d", value, "/f"],
                       check=True, capture_output=True)
    footprint.wait_until(lambda: not display.embedded_owners(), 20, "an empty tray")
    began = time.perf_counter()
    process = subprocess.Popen([WINE, program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        footprint.wait_until(lambda: display.embedded_owners(), 30, "the Windows program's tray icon")
        start_ms = (time.perf_counter() - began) * 1000
        time.sleep(footprint.SETTLE_SECONDS)
        return {
            "start to icon (ms)": start_ms,
            "private (KiB)": private_kib(process.pid),
            "wineserver private (KiB)": sum(private_kib(pid) for pid in wine_session_processes("wineserver")),
            "explorer private (KiB)": sum(private_kib(pid) for pid in display.embedded_owners()),
        }
    finally:
        footprint.stop(process)


def measure_linux(subject):
    screen = footprint.Screen()
    try:
        began = time.perf_counter()
        process = subject.launcher(screen, flashing=False)()
        try:
            footprint.wait_until(lambda: screen.display.embedded(process.pid), 20, "the Linux program's tray icon")
            start_ms = (time.perf_counter() - began) * 1000
            time.sleep(footprint.SETTLE_SECONDS)
            return {"start to icon (ms)": start_ms, "private (KiB)": private_kib(process.pid)}
        finally:
            footprint.stop(process)
    finally:
        screen.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("windows_program")
    parser.add_argument("linux_program")
    parser.add_argument("--runs", type=int, default=5)
    arguments = parser.parse_args()
    if "WINEPREFIX" not in os.environ:
        parser.error("run inside tests/platform/win32/wine_session.sh")

    display = xwindows.Display(os.environ["DISPLAY"])
    linux = footprint.AlarmClock(os.path.abspath(arguments.linux_program))
    os.sync()
    try:
        runs = {"Windows under Wine": [], "Linux (Qt)": []}
        measure_wine(arguments.windows_program, display)  # warms the caches and Wine's explorer
        measure_linux(linux)
        for run in range(arguments.runs):
            runs["Windows under Wine"].append(measure_wine(arguments.windows_program, display))
            runs["Linux (Qt)"].append(measure_linux(linux))
            print(f"run {run + 1}: " + "; ".join(f"{name} {results[-1]}" for name, results in runs.items()), flush=True)
    finally:
        linux.cleanup()
        display.close()

    print(f"\nMedians of {arguments.runs} runs")
    for name, results in runs.items():
        for metric in results[0]:
            values = [result[metric] for result in results]
            every = " ".join(f"{value:.0f}" for value in values)
            print(f"  {name:20} {metric:28} {statistics.median(values):10.0f}   ({every})")


if __name__ == "__main__":
    main()
