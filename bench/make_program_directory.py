#!/usr/bin/env python3
"""Makes a program directory with N generated event lines for timing whole processes:

    python3 bench/make_program_directory.py N DIR

The lines mix the kinds a user keeps: yearly birthdays, weekly and fortnightly duties, daily
habits, monthly payments on a day of the month, meetings on a weekday of the month, and single
appointments, spread over 20 event files in _PeriodicEvents and _SingleEvents. The random
numbers are seeded, so the same N always gives the same directory."""

import random
import sys
from pathlib import Path

HEADER = "What;Text;Date;Time;Pretrigger [min];Repeat;Interval;Reminder key;Row\r\n"
KINDS = [  # (share, interval column, single-event directory?)
    (30, "365", False), (20, "7", False), (5, "14", False), (5, "1", False),
    (15, "30mmd15", False), (10, "30mwd2", False), (15, "", True),
]


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    count, root = int(argv[1]), Path(argv[2])
    rng = random.Random(count)
    files = {}
    for i in range(count):
        interval, single = rng.choices([(k[1], k[2]) for k in KINDS],
                                       weights=[k[0] for k in KINDS])[0]
        folder = "_SingleEvents" if single else "_PeriodicEvents"
        name = f"{folder}/Events{i % 10:02d}.csv"
        lines = files.setdefault(name, [HEADER])
        year = rng.randint(1950, 2026) if interval == "365" else rng.randint(2024, 2027)
        date = f"{rng.randint(1, 28):02d}.{rng.randint(1, 12):02d}.{year}"
        time = f"{rng.randint(0, 95) / 96:.6f}".replace(".", ",")
        key = f"[01.01.2026-00:00:00-{100000000 + i}-{rng.randint(100000000, 999999999)}]"
        lines.append(f"Event {i};Note of event {i};{date};{time};{rng.choice([0, 30, 60, 1440])};"
                     f"{rng.choice([0, 1, 2, 3])};{interval};{key};{len(lines) + 1}\r\n")
    for name, lines in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes("".join(lines).encode("latin-1"))
    for sub in ("_IniFile", "_Settings", "_EmittedReminders", "_Exports"):
        (root / sub).mkdir(parents=True, exist_ok=True)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
