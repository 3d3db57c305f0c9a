#!/usr/bin/env python3
"""Footprint of the installed alarm clock next to a minimal Qt 6 tray program, on virtual displays with a
real notification area (Xvfb and trayer).

Usage: footprint.py PROGRAM BASELINE [--runs N] [--idle-seconds S] [--flash-minutes M]

PROGRAM is the installed alarmclock (alarmclock-reg must sit beside it), BASELINE the built
footprint_baseline. The two are started in turn, N times each, after one unmeasured start of each that
warms the file cache. Each start gets its own X server, tray host and settings. The flashing runs go on
side by side, each on its own display, since only their memory is measured.
"""
import argparse
import datetime
import functools
import glob
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

import xwindows

# The desktop every script of the project starts its displays with.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir, "tests", "support"))
from virtual_desktop import VirtualDesktop

SETTINGS_KEY = r"HKCU\Software\Vyk\AlarmClock"
SETTLE_SECONDS = 10
FLASH_SAMPLE_SECONDS = 40


def fake_clock_library():
    found = glob.glob("/usr/lib/*/faketime/libfaketimeMT.so.1")
    if not found:
        raise RuntimeError("libfaketime is not installed (apt-get install faketime)")
    return found[0]


def alarm_settings(alarm, message=None):
    """The stored settings of an armed alarm, the welcome already seen, with its message if one is given."""
    values = {"intro": "done", "enabled": "true", "hour": str(alarm.hour), "min": str(alarm.minute),
              "year": str(alarm.year), "month": str(alarm.month), "day": str(alarm.day)}
    if message:
        values["message"] = message
    return values


def idle_alarm():
    """An alarm that cannot come during a run: twelve hours away."""
    return datetime.datetime.now() + datetime.timedelta(hours=12)


def store_alarm(program, prefix, alarm, message=None):
    """Stores alarm_settings in the registry at prefix, through the alarmclock-reg beside program."""
    for name, value in alarm_settings(alarm, message).items():
        subprocess.run([os.path.join(os.path.dirname(program), "alarmclock-reg"), "add", SETTINGS_KEY,
                        "/v", name, "/d", value, "/f"], env={**os.environ, "ALARMCLOCK_PREFIX": prefix},
                       check=True, stdout=subprocess.DEVNULL)


def wait_until(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise RuntimeError(f"timed out waiting for {what}")
        time.sleep(0.001)


class Screen:
    """A virtual desktop with trayer at the screen's top right."""

    def __init__(self):
        self._desktop = VirtualDesktop("trayer")
        self.name = self._desktop.display
        self.display = xwindows.Display(self.name)

    def environment(self, **extra):
        return {**os.environ, "DISPLAY": self.name, **extra}

    def tray_flashing(self, directory):
        """Whether the tray's corner changes within a second and a half: a flashing icon, not a still one."""
        def shot(index):
            path = os.path.join(directory, f"tray{self.name[1:]}-{index}.png")
            subprocess.run(["import", "-window", "root", "-crop", "32x32+992+0", path], env=self.environment(),
                           check=True)
            return path

        first = shot(0)
        for index in range(1, 4):
            time.sleep(0.5)
            compared = subprocess.run(["compare", "-metric", "AE", first, shot(index), "null:"],
                                      capture_output=True, text=True)
            if compared.stderr.strip() != "0":
                return True
        return False

    def close(self):
        self.display.close()
        self._desktop.close()


class Subject:
    """A program under measurement and how to bring it to the state being measured."""

    def __init__(self, name, executable):
        self.name = name
        self.executable = executable

    def launcher(self, screen, flashing):
        """What starts the program, with its settings already in place, so that timing it times no more."""
        command, environment = self.command(flashing), self.environment(screen, flashing)
        return lambda: subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)

    def command(self, flashing):
        return [self.executable]

    def environment(self, screen, flashing):
        return screen.environment()

    def cleanup(self):
        pass


class Baseline(Subject):
    """The minimal tray program: told to flash by its argument."""

    def __init__(self, executable):
        super().__init__("footprint_baseline", executable)

    def command(self, flashing):
        return [self.executable, "--flash"] if flashing else [self.executable]


class AlarmClock(Subject):
    """Started as after a reboot with Keep Running: an alarm armed, the window hidden, only the tray icon.

    For the flashing runs its clock is set by libfaketime to just before the alarm's minute, and no message
    is stored, so the icon flashes until it is clicked."""

    FLASH_AT = datetime.datetime(2026, 12, 7, 7, 30)

    def __init__(self, executable):
        super().__init__("alarmclock", executable)
        self._registry = tempfile.TemporaryDirectory(prefix="alarmclock-bench-")
        self._runs = 0

    def environment(self, screen, flashing):
        # Fresh settings for every start, so no run finds what an earlier one left.
        self._runs += 1
        prefix = os.path.join(self._registry.name, str(self._runs))
        store_alarm(self.executable, prefix, self.FLASH_AT if flashing else idle_alarm())
        if not flashing:
            return screen.environment(ALARMCLOCK_PREFIX=prefix)
        # The faked clock is preloaded rather than run through faketime, whose own process would be the
        # one measured.
        fake_now = self.FLASH_AT - datetime.timedelta(seconds=15)
        return screen.environment(ALARMCLOCK_PREFIX=prefix, LD_PRELOAD=fake_clock_library(),
                                  FAKETIME=fake_now.strftime("@%Y-%m-%d %H:%M:%S"), DONT_FAKE_MONOTONIC="1")

    def cleanup(self):
        self._registry.cleanup()


def threads(pid):
    return os.listdir(f"/proc/{pid}/task")


def voluntary_switches(pid):
    """Every thread's sleeps, each of which is a wake-up later."""
    total = 0
    for thread in threads(pid):
        with open(f"/proc/{pid}/task/{thread}/status") as status:
            total += sum(int(line.split()[1]) for line in status if line.startswith("voluntary_ctxt_switches"))
    return total


def cpu_seconds(pid):
    """Every thread's time on a processor, to the nanosecond rather than the scheduler's tick."""
    total = 0
    for thread in threads(pid):
        with open(f"/proc/{pid}/task/{thread}/schedstat") as schedstat:
            total += int(schedstat.read().split()[0])
    return total / 1e9


def rollup_kib(pid):
    """The process's whole mapping summary: each kind of memory (Rss, Private_Dirty...) in KiB."""
    values = {}
    with open(f"/proc/{pid}/smaps_rollup") as rollup:
        for line in rollup:
            parts = line.split()
            if len(parts) == 3 and parts[2] == "kB":
                values[parts[0].rstrip(":")] = int(parts[1])
    return values


def memory_kib(pid):
    """Resident and private dirty memory."""
    values = rollup_kib(pid)
    return values["Rss"], values["Private_Dirty"]


def per_idle_minute(counters, seconds):
    """How much each counter (a function of no arguments) grows per minute while seconds go by, all of them
    over the same window."""
    before = {name: count() for name, count in counters.items()}
    time.sleep(seconds)
    return {name: (count() - before[name]) * 60 / seconds for name, count in counters.items()}


def stop(process):
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def run_idle(subject, idle_seconds, counters):
    """Starts subject on a screen of its own, idle, and waits for its tray icon; SETTLE_SECONDS later takes
    its memory, then counts each of counters (name -> function of the pid) per idle minute. The start to
    icon in ms, the memory (as rollup_kib) and the counts."""
    screen = Screen()
    try:
        start = subject.launcher(screen, flashing=False)
        began = time.perf_counter()
        process = start()
        try:
            wait_until(lambda: screen.display.embedded(process.pid), 20, f"{subject.name}'s tray icon")
            start_ms = (time.perf_counter() - began) * 1000
            time.sleep(SETTLE_SECONDS)
            memory = rollup_kib(process.pid)
            idle = per_idle_minute({name: functools.partial(count, process.pid) for name, count in counters.items()},
                                   idle_seconds)
            return start_ms, memory, idle
        finally:
            stop(process)
    finally:
        screen.close()


def measure_idle(subject, idle_seconds):
    start_ms, memory, idle = run_idle(subject, idle_seconds, {
        "wake-ups per idle minute": voluntary_switches,
        "CPU per idle minute (ms)": lambda pid: cpu_seconds(pid) * 1000,
    })
    return {
        "start to icon (ms)": start_ms,
        "RSS after 10 s (KiB)": memory["Rss"],
        "private dirty after 10 s (KiB)": memory["Private_Dirty"],
        **idle,
    }


def measure_flashing(subjects, runs, minutes):
    """RSS growth over the flashing minutes, from the first sample after the flashing began."""
    started = []
    try:
        for subject in subjects:
            for _ in range(runs):
                screen = Screen()
                started.append((subject, screen, subject.launcher(screen, flashing=True)()))
        # The alarm clock's alarm comes 15 s after its start; its first check that sees it within 10 s more.
        time.sleep(FLASH_SAMPLE_SECONDS)
        first = [memory_kib(process.pid)[0] for _, _, process in started]
        # Growth that is not measured on a flashing icon would prove nothing.
        with tempfile.TemporaryDirectory() as directory:
            for subject, screen, _ in started:
                if not screen.tray_flashing(directory):
                    raise RuntimeError(f"{subject.name}'s icon on {screen.name} does not flash")
        time.sleep(minutes * 60)
        last = [memory_kib(process.pid)[0] for _, _, process in started]
        growth = {subject.name: [] for subject in subjects}
        for (subject, _, _), before, after in zip(started, first, last):
            growth[subject.name].append(after - before)
        return growth
    finally:
        for _, screen, process in started:
            stop(process)
            screen.close()


def ratio(ours, baseline):
    return ours / baseline if baseline else float("inf")


def report(idle, growth, baseline, ours, runs, idle_seconds, minutes):
    targets = {
        "start to icon (ms)": "<= 1.3x",
        "RSS after 10 s (KiB)": "<= 1.15x",
        "private dirty after 10 s (KiB)": "<= 2x",
        "wake-ups per idle minute": "<= 7",
        "CPU per idle minute (ms)": "",
    }
    print(f"\nMedians of {runs} runs each ({idle_seconds} s idle, {minutes} min flashing)\n")
    print(f"{'':34}{baseline.name:>20}{ours.name:>14}{'ratio':>9}  target")
    for metric, target in targets.items():
        base = statistics.median(run[metric] for run in idle[baseline.name])
        mine = statistics.median(run[metric] for run in idle[ours.name])
        print(f"{metric:34}{base:20.1f}{mine:14.1f}{ratio(mine, base):9.2f}  {target}")
    base = statistics.median(growth[baseline.name])
    mine = statistics.median(growth[ours.name])
    print(f"{'RSS growth while flashing (KiB)':34}{base:20.1f}{mine:14.1f}{'':9}  no growth")
    print("\nEvery run:")
    for subject in (baseline, ours):
        for metric in targets:
            values = " ".join(f"{run[metric]:.1f}" for run in idle[subject.name])
            print(f"  {subject.name:20} {metric:34} {values}")
        print(f"  {subject.name:20} {'RSS growth while flashing (KiB)':34} "
              + " ".join(str(value) for value in growth[subject.name]))


def comparison_parser(description, *programs):
    """The command line of a footprint comparison: the programs it compares, how many runs, how long idle."""
    parser = argparse.ArgumentParser(description=description, formatter_class=argparse.RawDescriptionHelpFormatter)
    for program in programs:
        parser.add_argument(program)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--idle-seconds", type=int, default=60)
    return parser


def main():
    parser = comparison_parser(__doc__, "program", "baseline")
    parser.add_argument("--flash-minutes", type=float, default=10)
    arguments = parser.parse_args()

    ours = AlarmClock(os.path.abspath(arguments.program))
    baseline = Baseline(os.path.abspath(arguments.baseline))
    # A file written moments ago (a fresh install) counts as dirty memory of whoever maps it until the
    # kernel writes it back.
    os.sync()
    try:
        for subject in (baseline, ours):
            measure_idle(subject, 1)  # warms the file cache; not counted
        idle = {baseline.name: [], ours.name: []}
        for run in range(arguments.runs):
            for subject in (baseline, ours):
                idle[subject.name].append(measure_idle(subject, arguments.idle_seconds))
                print(f"run {run + 1} {subject.name}: {idle[subject.name][-1]}", flush=True)
        print(f"flashing for {arguments.flash_minutes} min ...", flush=True)
        growth = measure_flashing((baseline, ours), arguments.runs, arguments.flash_minutes)
        report(idle, growth, baseline, ours, arguments.runs, arguments.idle_seconds, arguments.flash_minutes)
    finally:
        ours.cleanup()


if __name__ == "__main__":
    main()
