#!/usr/bin/env python3
"""How punctual the installed alarm clock's alarm is, and what it costs while idle, on a virtual display
with a real notification area (Xvfb and trayer).

Usage: punctuality.py PROGRAM [--firings N] [--idle-minutes M]

PROGRAM is the installed alarmclock (alarmclock-reg must sit beside it). For each firing the program starts
with an alarm armed for 07:30 and a message to show, its clock set by libfaketime to a moment between
07:29:45 and 07:29:55 (spread evenly over the firings, so every phase of a ten-second check is met); the
latency is the time from 07:30:00 to the alarm's box being mapped on the display. Then the program runs
idle (an alarm twelve hours away) and its wake-ups are counted, as footprint.py counts them.
"""
import argparse
import datetime
import os
import statistics
import subprocess
import tempfile
import time

import footprint

ALARM_AT = datetime.datetime(2026, 12, 7, 7, 30)
EARLIEST_START = ALARM_AT - datetime.timedelta(seconds=15)
START_SPREAD_SECONDS = 10


def measure_firing(program, prefix, start_offset):
    """Seconds from the alarm's minute to its box being mapped, for a start start_offset seconds after
    EARLIEST_START on the faked clock."""
    footprint.store_alarm(program, prefix, ALARM_AT, "Wake up")
    screen = footprint.Screen()
    try:
        screen.display.watch_maps()
        fake_start = EARLIEST_START.timestamp() + start_offset
        # A relative offset: the faked clock is the real one moved, so the real time of an event tells
        # its faked time exactly.
        shift = fake_start - time.time()
        process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   env=screen.environment(ALARMCLOCK_PREFIX=prefix,
                                                          LD_PRELOAD=footprint.fake_clock_library(),
                                                          FAKETIME=f"{shift:+.6f}", DONT_FAKE_MONOTONIC="1"))
        try:
            footprint.wait_until(lambda: screen.display.embedded(process.pid), 20, "the tray icon")
            # Checked before the wait, which drops the maps reported before it: the box cannot have shown.
            if time.time() + shift >= ALARM_AT.timestamp():
                raise RuntimeError("the program took until the alarm's minute to start; nothing measured")
            mapped = screen.display.wait_for_map(process.pid, 40)
            if mapped is None:
                raise RuntimeError("the alarm's box did not show")
            return mapped + shift - ALARM_AT.timestamp()
        finally:
            footprint.stop(process)
    finally:
        screen.close()


def measure_idle_wakeups(program, minutes):
    subject = footprint.AlarmClock(program)
    try:
        _, _, counted = footprint.run_idle(subject, minutes * 60, {"wake-ups": footprint.voluntary_switches})
        return counted["wake-ups"]
    finally:
        subject.cleanup()


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program")
    parser.add_argument("--firings", type=int, default=20)
    parser.add_argument("--idle-minutes", type=float, default=3)
    arguments = parser.parse_args()
    program = os.path.abspath(arguments.program)

    with tempfile.TemporaryDirectory(prefix="alarmclock-punctuality-") as registries:
        latencies = []
        for firing in range(arguments.firings):
            offset = (firing + 0.5) * START_SPREAD_SECONDS / arguments.firings
            latency = measure_firing(program, os.path.join(registries, f"firing{firing}"), offset)
            latencies.append(latency)
            print(f"firing {firing + 1}: started at 07:29:{45 + offset:06.3f}, box mapped {latency:.3f} s after "
                  "07:30:00", flush=True)
    wakeups = measure_idle_wakeups(program, arguments.idle_minutes)

    print(f"\nFrom the alarm's minute to its box, over {len(latencies)} firings:"
          f" median {statistics.median(latencies):.3f} s, worst {max(latencies):.3f} s (aim: <= 0.5 s)")
    print(f"Wake-ups per idle minute ({arguments.idle_minutes:g} min): {wakeups:.1f} (at most 6)")


if __name__ == "__main__":
    main()
