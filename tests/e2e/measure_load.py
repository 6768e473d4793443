#!/usr/bin/env python3
"""Measures how long the real Tindlow.exe under Wine takes to load an event file of 10,000 lines,
log list included: the start-up to a ready window, and the Reload Data handler that logs every
line it reads; for comparison also the same reload with the log entries stopped (check box).
Prints the figures; it asserts nothing about them.

The timing is taken inside the prefix by a small probe program (built here with MinGW-w64), so
neither the start of a driver process nor the reading of 10,000 list lines lies inside a figure.
At start-up it waits for the first visible window and then for the filled command menu; a
click is sent (not posted) to the button, so the call returns when the program's handler has
finished, after which the probe checks the log list count and waits until nothing is left to
paint.

    cd tests/e2e && python3 measure_load.py [--lines 10000] [--repeat 3]

Environment as for the tests (TINDLOW_EXE, TINDLOW_DRIVER, TINDLOW_E2E_OUT).
"""

import argparse
import random
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from tindlow_e2e import COMMAND_COUNT, TITLE_PREFIX, Session, ids

START = "2026-03-10 03:00:00"
EVENT_FILE = "_SingleEvents/Load.csv"
HEADER = "What;Text;Date;Time;Pretrigger [min];Repeat;Interval;Reminder key;Row"
# One-hour post-event periods: together with event times between 12:00 and 22:00 and at most
# eight hours of pre-event reminders, nothing is due between 02:00 and 11:00 on any day.
INI = "Value;Key;Meaning\n1;[ExecutionLoop];\n2;[WindowSize];\n0;[NumFlashing];\n1;[RemindHours];\n"
# Interval column -> period length in seconds (None: no period, the line is single or skipped).
INTERVALS = {
    "": None, "0": None, "#30": None, "-1": None,
    "1": 86400, "2": 2 * 86400, "7": 7 * 86400, "14": 14 * 86400, "10abs": 10 * 86400,
    "30": 2592000, "60": 2 * 2592000, "90": 3 * 2592000, "365": 31536000, "730": 2 * 31536000,
    "30mwd2": 2592000, "30mwd-1": 2592000, "90mwd5": 3 * 2592000,
    "30mmd15": 2592000, "30mmd-1": 2592000, "60mmd31": 2 * 2592000,
}
PRETRIGGERS = [0, 15, 30, 60, 120, 480]  # minutes

PROBE_SOURCE = r"""
#include <windows.h>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <cwchar>

static LARGE_INTEGER frequency, origin;
static double ms() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * (now.QuadPart - origin.QuadPart) / frequency.QuadPart;
}
static void say(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, (DWORD)strlen(text), &written, nullptr);
}
static const wchar_t* prefix;
static HWND found;
static BOOL CALLBACK visit(HWND hwnd, LPARAM) {
    wchar_t title[512] = {};
    GetWindowTextW(hwnd, title, 512);
    if (GetWindow(hwnd, GW_OWNER) == nullptr && IsWindowVisible(hwnd) &&
        wcsncmp(title, prefix, wcslen(prefix)) == 0) {
        found = hwnd;
        return FALSE;
    }
    return TRUE;
}
static HWND window() {
    found = nullptr;
    EnumWindows(visit, 0);
    return found;
}
// Sent with a long timeout: while the program loads it handles no message.
static LRESULT ask(HWND hwnd, UINT msg) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, 0, 0, SMTO_NORMAL, 300000, &result)) {
        say("error no answer to message %u\n", msg);
        ExitProcess(3);
    }
    return (LRESULT)result;
}
// Polls the count until it has been unchanged for one second.
static LRESULT steady(HWND list) {
    LRESULT count = ask(list, LB_GETCOUNT);
    double since = ms();
    while (ms() - since < 1000) {
        Sleep(5);
        LRESULT now = ask(list, LB_GETCOUNT);
        if (now != count) {
            count = now;
            since = ms();
        }
    }
    return count;
}
// Clicks a button by sending the click: the call returns when the program's handler is done.
static double click(HWND hwnd, int id) {
    const double t0 = ms();
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(GetDlgItem(hwnd, id), BM_CLICK, 0, 0, SMTO_NORMAL, 300000, &result)) {
        say("error the click on %d was not handled\n", id);
        ExitProcess(3);
    }
    return ms() - t0;
}
// Milliseconds until the list has no region left to paint.
static double painted(HWND list) {
    const double t0 = ms();
    for (int i = 0; i < 10000 && GetUpdateRect(list, nullptr, FALSE); ++i) Sleep(1);
    return ms() - t0;
}

int wmain(int argc, wchar_t** argv) {
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&origin);
    if (argc < 3) return 2;
    prefix = argv[1];
    if (wcscmp(argv[2], L"start") == 0 && argc >= 5) {
        // Started before the program: reports the first visible window and the filled menu.
        const int menuId = _wtoi(argv[3]), menuCount = _wtoi(argv[4]);
        say("armed\n");
        HWND hwnd;
        while ((hwnd = window()) == nullptr) Sleep(2);
        say("window %.1f\n", ms());
        HWND menu = GetDlgItem(hwnd, menuId);
        while (ask(menu, CB_GETCOUNT) < menuCount) Sleep(2);
        say("ready %.1f lines %ld\n", ms(), (long)ask(GetDlgItem(hwnd, %LIST%), LB_GETCOUNT));
        return 0;
    }
    if (wcscmp(argv[2], L"reload") == 0 && argc >= 4) {
        // Clear Listbox, then Reload Data; with "quiet" the log entries are stopped meanwhile.
        const int repeat = _wtoi(argv[3]);
        const bool quiet = argc >= 5 && wcscmp(argv[4], L"quiet") == 0;
        HWND hwnd = window();
        if (hwnd == nullptr) return 1;
        HWND list = GetDlgItem(hwnd, %LIST%);
        for (int r = 1; r <= repeat; ++r) {
            click(hwnd, %CLEAR%);
            if (quiet) click(hwnd, %STOP%);
            const LRESULT base = steady(list);
            const double handler = click(hwnd, %RELOAD%);
            const LRESULT count = ask(list, LB_GETCOUNT);
            const double paint = painted(list);
            const LRESULT final = steady(list);
            say("reload %d handler %.1f ms, log list %ld -> %ld (%ld a second later), "
                "painted %.1f ms after\n", r, handler, (long)base, (long)count, (long)final,
                paint);
            if (quiet) click(hwnd, %STOP%);
        }
        return 0;
    }
    return 2;
}
"""


def build_probe(folder):
    compiler = shutil.which("x86_64-w64-mingw32-g++-posix") or shutil.which(
        "x86_64-w64-mingw32-g++")
    if compiler is None:
        sys.exit("MinGW-w64 (x86_64-w64-mingw32-g++) is needed to build the probe")
    source = folder / "probe.cpp"
    source.write_text(PROBE_SOURCE.replace("%LIST%", str(ids.LOG_LIST))
                      .replace("%CLEAR%", str(ids.CLEAR_LISTBOX))
                      .replace("%RELOAD%", str(ids.RELOAD_DATA))
                      .replace("%STOP%", str(ids.STOP_ENTRIES)))
    target = folder / "probe.exe"
    subprocess.run([compiler, "-O2", "-static", "-municode", "-o", str(target), str(source)],
                   check=True)
    return target


def event_lines(count, seed=20260310):
    """`count` event lines with mixed intervals whose remind periods never overlap."""
    rng = random.Random(seed)
    margin = 4  # seconds, for an execution loop of 1 s
    kinds = list(INTERVALS)
    lines = [HEADER]
    for i in range(count):
        interval = kinds[i % len(kinds)]
        minutes = 12 * 60 + 15 * rng.randrange(41)  # 12:00 .. 22:00
        pretrigger = rng.choice(PRETRIGGERS)
        repeat = rng.randint(1, 3) if pretrigger else 0
        period = INTERVALS[interval]
        assert period is None or pretrigger * 60 + 3600 + margin <= period
        day = rng.randrange(1, 29)
        month = rng.randrange(1, 13)
        year = rng.randrange(2015, 2029)
        time_column = f"{minutes / 1440:.15f}".rstrip("0").replace(".", ",")
        lines.append(f"Event {i + 1};Note number {i + 1} about something to do, with a few "
                     f"words more;{day:02d}.{month:02d}.{year};{time_column};{pretrigger};"
                     f"{repeat};{interval};[01.01.2026-10:00:00-{i:09d}-{rng.randrange(10**9):09d}];"
                     f"{i + 2}")
    return "\r\n".join(lines) + "\r\n"


def stamped_lines(process, until):
    """Lines of the probe's output with the time (time.monotonic) at which each arrived."""
    result = []
    for raw in process.stdout:
        line = raw.decode(errors="replace").strip()
        result.append((time.monotonic(), line))
        if line.startswith(until) or line.startswith("error"):
            break
    return result


def probe(s, exe, *args):
    return subprocess.Popen([s.wine, str(exe), TITLE_PREFIX] + [str(a) for a in args],
                            env=s.env(), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--lines", type=int, default=10000)
    parser.add_argument("--repeat", type=int, default=3)
    options = parser.parse_args()

    content = event_lines(options.lines)
    files = {"_IniFile/IniFile.csv": INI, EVENT_FILE: content}
    print(f"event file: {options.lines} event lines, {len(content)} bytes; "
          f"start at {START} (faketime)")
    # Log lines of one loading: the file line, every line of the file and the dash line, then
    # the line and the dash line of the empty periodic events directory.
    loading = 1 + (options.lines + 1) + 1 + 2
    with tempfile.TemporaryDirectory(prefix="tindlow-probe-") as folder, \
            Session(name="measure_load", files=files) as s:
        exe = build_probe(Path(folder))
        startups = []
        for run in range(1, options.repeat + 1):
            watcher = probe(s, exe, "start", ids.COMMAND_MENU, COMMAND_COUNT)
            assert stamped_lines(watcher, "armed")[-1][1] == "armed"
            t0 = time.monotonic()
            s.start(at=START, wait=False)
            seen = stamped_lines(watcher, "ready")
            watcher.wait(timeout=60)
            window = next(t for t, line in seen if line.startswith("window"))
            ready_at, ready = next((t, line) for t, line in seen if line.startswith("ready"))
            startups.append(ready_at - t0)
            print(f"start-up {run}: visible window after {window - t0:.2f} s, ready (menus "
                  f"filled, file loaded) after {ready_at - t0:.2f} s; log list "
                  f"{ready.split()[-1]} lines")
            assert s.boxes() == [], s.boxes()
            if run < options.repeat:
                s.cancel()
                s.wait_exit(timeout=60)

        added = 2 + loading  # the button line and a dash line first
        reloads = {}
        for mode in ("logged", "quiet"):
            reloader = probe(s, exe, "reload", options.repeat, mode)
            for _, line in stamped_lines(reloader, "never"):
                print(f"{mode}: {line}")
                words = line.split()
                if words[0] == "reload":
                    reloads.setdefault(mode, []).append(float(words[3]) / 1000)
                    if mode == "logged":
                        assert line.split("log list ")[1].startswith(f"1 -> {1 + added} "), line
            reloader.wait(timeout=60)
        # The last quiet round leaves the cleared list with the check box lines only.
        assert len(s.list_lines()) == 3
        reloader = probe(s, exe, "reload", 1, "logged")
        stamped_lines(reloader, "never")
        reloader.wait(timeout=60)

        t0 = time.monotonic()
        lines = s.list_lines()
        read = time.monotonic() - t0
        assert len(lines) == 1 + added, len(lines)
        assert lines[-2].split("   ", 1)[1].startswith("Trying to read from "), lines[-2]
        assert s.boxes() == [], s.boxes()
        print(f"check: the log list holds {len(lines)} lines as expected "
              f"(reading them with the driver took {read:.2f} s)")

        print()
        print(f"start-up to a ready window with {options.lines} lines: "
              + ", ".join(f"{t:.2f} s" for t in startups))
        print(f"Reload Data, handler with {added} log lines into the list: "
              + ", ".join(f"{t:.2f} s" for t in reloads["logged"]))
        print("Reload Data, handler with the log entries stopped: "
              + ", ".join(f"{t:.2f} s" for t in reloads["quiet"]))
        s.cancel()
        s.wait_exit(timeout=60)


if __name__ == "__main__":
    main()
