#!/usr/bin/env python3
"""Times the command-line program against Remind on the same generated events, whole process
against whole process:

    python3 bench/against_remind.py [--tindlow PATH] [--sizes 1000,10000,100000] [-n RUNS]
                                    [--timeout SECONDS] [--work DIR] [--check-million]

For each size N, bench/make_program_directory.py makes a program directory with N event lines,
and this script writes the same lines as one Remind file (Debian's `remind`, the classic Unix
reminder program):

    interval 365     REM 15 Jun AT 10:00 MSG ...             every year on the day of the date
    interval n       REM 3 Jan 2020 *7 AT 10:00 MSG ...      every n days; the start is moved back
                                                             along the sequence to 2020 at the
                                                             latest, since the sequence also runs
                                                             before the date of the line
    30mmdD           REM D AT 10:00 MSG ...                  day D of every month
    30mwdK           REM Wed 8 AT 10:00 MSG ...              K-th weekday (of the date's kind) of
                                                             every month: the first such weekday
                                                             on or after day 1 + 7 (K - 1)
    empty or 0       REM 15 Jun 2026 AT 10:00 MSG ...        once

Both programs then answer the same questions, each run of one taking turns with a run of the
other (T R T R ...), so that a machine that speeds up or slows down during the call touches both:

    one date          tindlow --now "10.12.2026 08:00:00" simulate 10.12.2026
                      remind -q FILE 10 Dec 2026
    preview D         tindlow --now "10.12.2026 08:00:00" preview D   (today and D further days)
                      remind -q FILE 10 Dec 2026 *(D + 1)             for D = 12, 366 and 1000

With --check-million, `tindlow check` of a directory with 1,000,000 lines is timed alone (Remind
has no such command).

Each run's wall seconds come from a monotonic clock around the child's start and exit, its peak
memory (maximum resident set size) from GNU time (/usr/bin/time), which starts the program from its
own small process: a child forked from this script would count the script's memory as its own.
What the programs print goes to /dev/null. One warm-up run of each command, not counted,
reads their output instead and counts the events each lists (lines "Event: ..." in both; the
Remind file writes its messages that way), so that a reader sees both did the same work; the
script warns when the counts differ by more than 3 %.

The table has one row per measurement and size: the median wall seconds of each program, the
median of the pairwise ratios Tindlow/Remind (below 1: Tindlow is faster), the median peak
memory of each program in MiB, and the events each listed. The generated directories go to a
temporary directory that is removed at the end, or to --work DIR, which is kept (and reused:
a size already generated there is not generated again)."""

import argparse
import datetime
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

BENCH = Path(__file__).resolve().parent
ROOT = BENCH.parent
NOW = "10.12.2026 08:00:00"
DAY = "10.12.2026"
REMIND_DAY = ["10", "Dec", "2026"]
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
WEEKDAYS = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]
# Day sequences start at this date at the latest in the Remind file (see remind_line).
DAY_SEQUENCE_START = datetime.date(2020, 1, 1)
MARKER = b"Event: "
GNU_TIME = "/usr/bin/time"
COUNT_TOLERANCE = 0.03


def remind_text(text):
    """Text as Remind prints it literally: '%' starts a substitution and '[' an expression."""
    return text.replace("%", "%%").replace("[", '["["]')


def remind_line(fields):
    """The Remind line for one event line (its columns split at ';'), or None for a line the
    program directory has switched off."""
    what, text, date_text, time_text, _pretrigger, _repeat, interval = fields[:7]
    day, month, year = (int(part) for part in date_text.split("."))
    date = datetime.date(year, month, day)
    minutes = round(float(time_text.replace(",", ".")) * 24 * 60)
    at = f"AT {minutes // 60:02d}:{minutes % 60:02d}"
    # "%d.%n.%y %3" prints the trigger date and "at hh:mm", as Tindlow prints the trigger date.
    message = f"MSG Event: {remind_text(what)} {remind_text(text)} %d.%n.%y %3"
    interval = interval.strip()
    if interval in ("", "0"):
        return f"REM {day} {MONTHS[month - 1]} {year} {at} {message}"
    if interval.startswith("#") or interval == "-1":
        return None
    if interval.startswith("30mmd"):
        month_day = int(interval[5:])
        if not 1 <= month_day <= 28:
            raise ValueError(f"no Remind equivalent written for interval {interval}")
        return f"REM {month_day} {at} {message}"
    if interval.startswith("30mwd"):
        week = int(interval[5:])
        if not 1 <= week <= 4:
            raise ValueError(f"no Remind equivalent written for interval {interval}")
        return f"REM {WEEKDAYS[date.weekday()]} {1 + 7 * (week - 1)} {at} {message}"
    if interval.isdigit():
        days = int(interval)
        if days == 365:
            return f"REM {day} {MONTHS[month - 1]} {at} {message}"
        if days % 30 != 0 and days % 365 != 0:
            # The sequence runs in both directions from the line's date, so any of its dates
            # before the measured days is an equal start for Remind, which only counts forward.
            if date > DAY_SEQUENCE_START:
                date -= datetime.timedelta(days=-(-(date - DAY_SEQUENCE_START).days // days) * days)
            return f"REM {date.day} {MONTHS[date.month - 1]} {date.year} *{days} {at} {message}"
    raise ValueError(f"no Remind equivalent written for interval {interval}")


def write_remind_file(directory, path):
    """Writes the Remind file for every event file of a program directory; returns its lines."""
    lines = ["# Generated by bench/against_remind.py from " + str(directory)]
    count = 0
    for folder in ("_PeriodicEvents", "_SingleEvents"):
        for csv in sorted((directory / folder).glob("*.csv")):
            rows = csv.read_bytes().decode("latin-1").splitlines()
            for row in rows[1:]:
                if not row.strip():
                    continue
                line = remind_line(row.split(";"))
                if line is not None:
                    lines.append(line)
                    count += 1
    path.write_text("\n".join(lines) + "\n", encoding="latin-1")
    return count


def program_directory(work, size):
    """The generated program directory of `size` lines under `work`, made when missing."""
    directory = work / f"tindlow-{size}"
    # make_program_directory.py makes _Exports last, so a directory cut short is made again.
    if not (directory / "_Exports").is_dir():
        subprocess.run([sys.executable, str(BENCH / "make_program_directory.py"), str(size),
                        str(directory)], check=True)
    return directory


class Run:
    """One finished run of a command: wall seconds, peak MiB, exit status, listed events."""

    def __init__(self, wall, peak_mib, status, events=None):
        self.wall, self.peak_mib, self.status, self.events = wall, peak_mib, status, events


def run_once(argv, timeout, peak_file, count_events=False):
    """Runs argv once with empty input under GNU time, which writes the peak to peak_file; the
    output goes to /dev/null, or through a pipe where the lines "Event: ..." are counted.
    Returns a Run, or None when the timeout killed it."""
    with open(os.devnull, "wb") as null:
        start = time.monotonic()
        process = subprocess.Popen([GNU_TIME, "-o", str(peak_file), "-f", "%M"] + argv,
                                   stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE if count_events else null,
                                   stderr=null, start_new_session=True)
        killed = threading.Event()

        def kill():
            killed.set()
            os.killpg(process.pid, signal.SIGKILL)

        timer = threading.Timer(timeout, kill)
        timer.start()
        events = None
        if count_events:
            events, tail = 0, b""
            while chunk := process.stdout.read(1 << 20):
                block = tail + chunk
                events += block.count(MARKER)
                # The last bytes may begin a marker the next chunk ends; too few for a whole one.
                tail = block[-(len(MARKER) - 1):]
            process.stdout.close()
        process.wait()
        wall = time.monotonic() - start
        timer.cancel()
    if killed.is_set():
        return None
    # GNU time exits with the program's status; its last line is the peak in KiB (a line
    # "Command exited with non-zero status N" may come before it).
    peak_kib = int(peak_file.read_text().split()[-1])
    return Run(wall, peak_kib / 1024, process.returncode, events)


class Measurement:
    """The runs of one row of the table: Tindlow's and, when there is one, Remind's."""

    def __init__(self, name, size):
        self.name, self.size = name, size
        self.tindlow, self.remind, self.ratios = [], [], []
        self.tindlow_events = self.remind_events = None
        self.notes = []


def measure(name, size, tindlow_argv, remind_argv, runs, timeout, peak_file, good=(0,)):
    """One warm-up run of each command that counts the events, then `runs` runs of each by
    turns; returns the Measurement (with fewer runs when one hit the timeout). An exit status
    outside `good` is noted once."""
    result = Measurement(name, size)
    print(f"  {name}, {size:,} lines ...", file=sys.stderr, flush=True)
    commands = [(tindlow_argv, result.tindlow, "tindlow_events")]
    if remind_argv:
        commands.append((remind_argv, result.remind, "remind_events"))
    for argv, _, attribute in commands:
        # The warm-up counts events only where there are two programs to compare.
        warm = run_once(argv, timeout, peak_file, count_events=bool(remind_argv))
        if warm is None:
            result.notes.append(f"{Path(argv[0]).name} ran past the timeout of {timeout} s")
            return result
        setattr(result, attribute, warm.events)
    for _ in range(runs):
        pair = []
        for argv, store, _ in commands:
            run = run_once(argv, timeout, peak_file)
            if run is None:
                result.notes.append(f"{Path(argv[0]).name} ran past the timeout of {timeout} s")
                return result
            note = f"{Path(argv[0]).name} exited with {run.status}"
            if run.status not in good and note not in result.notes:
                result.notes.append(note)
            store.append(run)
            pair.append(run)
        if len(pair) == 2:
            result.ratios.append(pair[0].wall / pair[1].wall)
    return result


def median(values, form):
    return form.format(statistics.median(values)) if values else "-"


def events_differ(a, b):
    return a is not None and b is not None and abs(a - b) > COUNT_TOLERANCE * max(a, b, 1)


def print_table(measurements, runs):
    header = ["Measurement", "Lines", "Tindlow wall s", "Remind wall s", "Tindlow/Remind",
              "Tindlow peak MiB", "Remind peak MiB", "Tindlow events", "Remind events"]
    rows = []
    for m in measurements:
        rows.append([
            m.name, f"{m.size:,}",
            median([r.wall for r in m.tindlow], "{:.3f}"),
            median([r.wall for r in m.remind], "{:.3f}"),
            median(m.ratios, "{:.2f}"),
            median([r.peak_mib for r in m.tindlow], "{:.1f}"),
            median([r.peak_mib for r in m.remind], "{:.1f}"),
            "-" if m.tindlow_events is None else f"{m.tindlow_events:,}",
            "-" if m.remind_events is None else f"{m.remind_events:,}",
        ])
    widths = [max(len(str(row[i])) for row in [header] + rows) for i in range(len(header))]

    def line(cells):
        return "| " + " | ".join(
            str(cell).ljust(width) if i == 0 else str(cell).rjust(width)
            for i, (cell, width) in enumerate(zip(cells, widths))) + " |"

    print(f"Medians of {runs} runs each, taken by turns; ratio = median of the pairwise wall "
          "ratios; peak = maximum resident set size.")
    print(line(header))
    print("|" + "|".join(("-" * (w + 1) + ":") if i else ("-" * (w + 2))
                         for i, w in enumerate(widths)) + "|")
    for row in rows:
        print(line(row))
    for m in measurements:
        for note in m.notes:
            print(f"note: {m.name}, {m.size:,} lines: {note}")
        if events_differ(m.tindlow_events, m.remind_events):
            print(f"warning: {m.name}, {m.size:,} lines: Tindlow listed {m.tindlow_events:,} "
                  f"events and Remind {m.remind_events:,}; the work differs")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tindlow", default=str(ROOT / "build/bench/tindlow"),
                        help="the command-line program (default: build/bench/tindlow)")
    parser.add_argument("--sizes", default="1000,10000,100000",
                        help="event lines per directory, comma-separated")
    parser.add_argument("-n", "--runs", type=int, default=5, help="timed runs of each command")
    parser.add_argument("--timeout", type=float, default=900,
                        help="seconds one run may take before it is killed (default 900)")
    parser.add_argument("--work", help="keep the generated directories here")
    parser.add_argument("--check-million", action="store_true",
                        help="also time 'tindlow check' of 1,000,000 lines")
    args = parser.parse_args()

    tindlow = str(Path(args.tindlow).resolve())
    remind = shutil.which("remind")
    if not Path(tindlow).is_file():
        sys.exit(f"against_remind: no program {tindlow} (scripts/build makes it)")
    if remind is None:
        sys.exit("against_remind: no 'remind' on PATH (scripts/install-deps installs it)")
    if not Path(GNU_TIME).is_file():
        sys.exit(f"against_remind: no GNU time {GNU_TIME} (scripts/install-deps installs it)")
    sizes = [int(size.replace("_", "")) for size in args.sizes.split(",") if size.strip()]

    temporary = None if args.work else tempfile.TemporaryDirectory(prefix="against_remind.")
    work = Path(args.work or temporary.name).resolve()
    work.mkdir(parents=True, exist_ok=True)
    peak_file = work / "peak.txt"
    measurements = []
    try:
        for size in sizes:
            directory = program_directory(work, size)
            remind_file = work / f"remind-{size}.rem"
            write_remind_file(directory, remind_file)
            base = [tindlow, "--dir", str(directory), "--now", NOW]
            remind_base = [remind, "-q", str(remind_file)] + REMIND_DAY
            measurements.append(measure("one date", size, base + ["simulate", DAY], remind_base,
                                        args.runs, args.timeout, peak_file))
            for days in (12, 366, 1000):
                measurements.append(measure(f"preview {days}", size,
                                            base + ["preview", str(days)],
                                            remind_base + [f"*{days + 1}"],
                                            args.runs, args.timeout, peak_file))
        if args.check_million:
            directory = program_directory(work, 1_000_000)
            # check exits with 1 when it lists problems, as it does for the generated lines.
            measurements.append(measure("check", 1_000_000,
                                        [tindlow, "--dir", str(directory), "check"], None,
                                        args.runs, args.timeout, peak_file, good=(0, 1)))
    finally:
        if temporary is not None:
            temporary.cleanup()
    print_table(measurements, args.runs)
    return 0


if __name__ == "__main__":
    sys.exit(main())
