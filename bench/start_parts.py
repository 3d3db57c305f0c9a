#!/usr/bin/env python3
"""What each part of a program costs once it has started: the installed alarm clock next to the minimal Qt 6
tray program, each started as footprint.py starts it (armed 12 hours ahead and hidden), on a virtual display
with a real notification area.

Usage: start_parts.py PROGRAM BASELINE [--runs N] [--profile]

SETTLE_SECONDS after the tray icon shows, each mapping of the process is put to the part it belongs to (by
its file: Qt, its plug-ins, fonts, GStreamer, sound, accessibility...) and the part's mappings, resident and
private dirty memory are summed; the processes it started (the wake-up helper) and its threads are counted,
and so is the time from the start to the icon. Medians of N runs, each part on a line. With --profile, also
the processor time from the start to the icon, part by part, sampled by perf (needs perf and the right to
use it), in each of N more starts.
"""
import os
import re
import signal
import statistics
import subprocess
import tempfile
import time

import footprint

# A mapping's part, by the first pattern its file matches; anonymous memory is the heap's and the stacks'.
PARTS = [
    ("the program", re.compile(r"/alarmclock$|/footprint_baseline$")),
    ("Qt plug-ins", re.compile(r"/qt6/plugins/")),
    ("Qt", re.compile(r"/libQt6")),
    ("fonts", re.compile(r"\.(ttf|otf|pfb|pfa|ttc)$|fontconfig")),
    ("GStreamer", re.compile(r"/libgst|/gstreamer-1\.0/")),
    ("sound", re.compile(r"/libasound|/libpulse|/libsndfile|/alsa-lib/")),
    ("accessibility", re.compile(r"/libatspi|/libQt6DBus|/libdbus")),
    ("SQLite", re.compile(r"/libsqlite3")),
    ("GLib", re.compile(r"/libglib|/libgobject|/libgio|/libgmodule")),
    ("X and GL", re.compile(r"/libX|/libxcb|/libGL|/libEGL|/libdrm|/libgbm|/libvulkan")),
    ("text shaping", re.compile(r"/libfreetype|/libharfbuzz|/libpng|/libbrotli|/libgraphite|/libicu")),
    ("C and C++ runtime", re.compile(r"/libc\.so|/libstdc\+\+|/libm\.so|/libgcc_s|/ld-linux")),
    ("other libraries", re.compile(r"\.so")),
    ("other files", re.compile(r"^/")),
]
ANONYMOUS = "heap, stacks, anonymous"


def part_of(path):
    if not path or path.startswith("["):
        return ANONYMOUS
    for name, pattern in PARTS:
        if pattern.search(path):
            return name
    return "other files"


def parts_kib(pid):
    """Each part's distinct mapped files, resident and private dirty memory, from /proc/PID/smaps."""
    parts = {}
    files = {}
    current = None
    with open(f"/proc/{pid}/smaps") as smaps:
        for line in smaps:
            fields = line.split()
            if re.match(r"^[0-9a-f]+-[0-9a-f]+ ", line):
                path = fields[5] if len(fields) > 5 else ""
                current = parts.setdefault(part_of(path), {"files": 0, "Rss": 0, "Private_Dirty": 0})
                if path.startswith("/"):
                    files.setdefault(part_of(path), set()).add(path)
            elif fields and fields[0].rstrip(":") in ("Rss", "Private_Dirty"):
                current[fields[0].rstrip(":")] += int(fields[1])
    for name, paths in files.items():
        parts[name]["files"] = len(paths)
    return parts


def children(pid):
    """The processes pid started that still run, by name, with their resident memory in KiB."""
    found = []
    listed = subprocess.run(["pgrep", "-P", str(pid)], capture_output=True, text=True).stdout.split()
    for child in listed:
        with open(f"/proc/{child}/comm") as comm:
            name = comm.read().strip()
        found.append((name, footprint.rollup_kib(child).get("Rss", 0)))
    return found


def measure(subject):
    screen = footprint.Screen()
    try:
        start = subject.launcher(screen, flashing=False)
        began = time.perf_counter()
        process = start()
        try:
            footprint.wait_until(lambda: screen.display.embedded(process.pid), 20, f"{subject.name}'s tray icon")
            start_ms = (time.perf_counter() - began) * 1000
            time.sleep(footprint.SETTLE_SECONDS)
            return {"start to icon (ms)": start_ms, "parts": parts_kib(process.pid),
                    "threads": len(footprint.threads(process.pid)), "children": children(process.pid)}
        finally:
            footprint.stop(process)
    finally:
        screen.close()


PROFILE_HZ = 10000


def part_of_code(dso):
    """The part a sampled piece of code belongs to: the kernel's (page faults, mapping, system calls) apart."""
    return "the kernel, for the process" if dso.startswith("[kernel") else part_of(dso)


def profile(subject):
    """Milliseconds of processor time per part from the start until the icon shows, from perf's samples."""
    screen = footprint.Screen()
    with tempfile.TemporaryDirectory() as directory:
        samples = os.path.join(directory, "perf.data")
        try:
            command = subject.command(False)
            perf = subprocess.Popen(["perf", "record", "-q", "-F", str(PROFILE_HZ), "-o", samples, *command],
                                    env=subject.environment(screen, False), stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL)
            program = lambda: subprocess.run(["pgrep", "-P", str(perf.pid)], capture_output=True,
                                             text=True).stdout.split()
            footprint.wait_until(program, 20, f"{subject.name} under perf")
            pid = int(program()[0])
            footprint.wait_until(lambda: screen.display.embedded(pid), 20, f"{subject.name}'s tray icon")
            os.kill(pid, signal.SIGTERM)
            perf.wait(timeout=20)
        finally:
            screen.close()
        listed = subprocess.run(["perf", "report", "-i", samples, "--stdio", "--sort", "dso", "-F", "sample,dso",
                                 "-v"], capture_output=True, text=True).stdout
    costs = {}
    for line in listed.splitlines():
        fields = line.split()
        if len(fields) == 2 and fields[0].isdigit():
            part = part_of_code(fields[1])
            costs[part] = costs.get(part, 0) + int(fields[0]) * 1000 / PROFILE_HZ
    return costs


def report_profiles(profiles, subjects):
    print(f"\nProcessor time from the start to the icon (ms), medians of {len(profiles[subjects[0].name])} starts\n")
    print(f"{'':28}" + "".join(f"{subject.name:>20}" for subject in subjects))
    parts = sorted({part for runs in profiles.values() for run in runs for part in run},
                   key=lambda part: -statistics.median(run.get(part, 0) for run in profiles[subjects[-1].name]))
    for part in parts + ["all"]:
        cells = [statistics.median(sum(run.values()) if part == "all" else run.get(part, 0)
                                   for run in profiles[subject.name]) for subject in subjects]
        print(f"{part:28}" + "".join(f"{cell:>20.1f}" for cell in cells))


def report(runs, subjects):
    print(f"\nMedians of {len(runs[subjects[0].name])} runs, {footprint.SETTLE_SECONDS} s after the icon showed\n")
    print(f"{'':28}" + "".join(f"{subject.name + ' files/RSS/dirty KiB':>40}" for subject in subjects))
    names = [name for name, _ in PARTS] + [ANONYMOUS]
    for part in names:
        cells = []
        for subject in subjects:
            values = [run["parts"].get(part, {"files": 0, "Rss": 0, "Private_Dirty": 0}) for run in runs[subject.name]]
            median = {key: statistics.median(value[key] for value in values) for key in ("files", "Rss", "Private_Dirty")}
            cells.append(f"{median['files']:>20.0f}{median['Rss']:>10.0f}{median['Private_Dirty']:>10.0f}")
        if any(cell.split() != ["0", "0", "0"] for cell in cells):
            print(f"{part:28}" + "".join(cells))
    for metric in ("start to icon (ms)", "threads"):
        print(f"{metric:28}" + "".join(f"{statistics.median(run[metric] for run in runs[subject.name]):>40.1f}"
                                       for subject in subjects))
    for subject in subjects:
        started = {f"{name} ({rss} KiB)" for run in runs[subject.name] for name, rss in run["children"]}
        print(f"processes {subject.name} started and that still run: {', '.join(sorted(started)) or 'none'}")


def main():
    parser = footprint.comparison_parser(__doc__, "program", "baseline")
    parser.add_argument("--profile", action="store_true")
    arguments = parser.parse_args()
    ours = footprint.AlarmClock(os.path.abspath(arguments.program))
    baseline = footprint.Baseline(os.path.abspath(arguments.baseline))
    subjects = (baseline, ours)
    os.sync()
    try:
        for subject in subjects:
            measure(subject)  # warms the file cache; not counted
        runs = {subject.name: [] for subject in subjects}
        for _ in range(arguments.runs):
            for subject in subjects:
                runs[subject.name].append(measure(subject))
        report(runs, subjects)
        if arguments.profile:
            profiles = {subject.name: [profile(subject) for _ in range(arguments.runs)] for subject in subjects}
            report_profiles(profiles, subjects)
    finally:
        ours.cleanup()


if __name__ == "__main__":
    main()
