#!/usr/bin/env python3
"""Packs the Windows download (see scripts/package):

    python3 tools/make_package.py WIN_BUILD_DIR OUT_DIR

The version is the one in the window title. The zip is made from the examples as they are in the
checkout, with fixed file times, so the same sources give the same zip."""

import re
import subprocess
import sys
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
# The DLLs every Windows has; anything else would have to be installed with the program.
SYSTEM_DLLS = {"comctl32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll", "shell32.dll",
               "shlwapi.dll", "user32.dll", "advapi32.dll", "ole32.dll"}
STAMP = (2026, 1, 1, 0, 0, 0)

READ_ME = """Tindlow {version} for Windows
{underline}

Tindlow reminds you of the appointments, birthdays and recurring duties that you keep in
spreadsheet workbooks and export as semicolon-separated event files.

Start
  Unpack this folder where you want to keep it (for example Documents\\Tindlow) and double-click
  Tindlow.exe. Nothing needs to be installed. Tindlow works in the folder it is started from: it
  reads the event files in _SingleEvents and _PeriodicEvents, and writes its settings, its
  reminder state and its exports into folders beside them.

First steps
  - The example event files show every kind of event. Replace them with your own.
  - _UserDocuments\\EventTemplate.xlsx is a workbook to make an event file from (Excel or
    LibreOffice Calc, no macros); its sheet "How to" explains the export.
  - Open Help (or _Help\\Help.pdf, German: _Help\\Hilfe.pdf) is the manual.

Start at log-on
  Press Windows+R, type shell:startup, and put a shortcut to Tindlow.exe there; in the shortcut's
  properties, set "Start in" to this folder.

Command line
  tindlow-cli.exe --help lists the commands: preview, lookback, simulate, next, last, report and
  check. "tindlow-cli.exe check" lists every problem in the event files before you rely on them.
"""


def version():
    text = (ROOT / "src/app/window_presentation.h").read_text(encoding="utf-8")
    return re.search(r'kWindowTitleBase = L"Tindlow v([0-9.]+)', text).group(1)


def imported_dlls(exe):
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(exe)], check=True,
                          capture_output=True, text=True).stdout
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", dump)}


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    build, out = Path(argv[1]), Path(argv[2])
    programs = {"Tindlow.exe": build / "Tindlow.exe", "tindlow-cli.exe": build / "tindlow-cli.exe"}
    for name, path in programs.items():
        if not path.exists():
            print(f"{path} is missing: build the Windows build first (scripts/build)",
                  file=sys.stderr)
            return 1
        foreign = imported_dlls(path) - SYSTEM_DLLS
        if foreign:
            print(f"{name} needs DLLs that Windows does not have: {sorted(foreign)}",
                  file=sys.stderr)
            return 1
    ver = version()
    top = f"Tindlow-{ver}"
    out.mkdir(parents=True, exist_ok=True)
    target = out / f"Tindlow-{ver}-win64.zip"

    def add(archive, arcname, data):
        info = zipfile.ZipInfo(f"{top}/{arcname}", STAMP)
        info.compress_type = zipfile.ZIP_DEFLATED
        info.external_attr = 0o644 << 16
        archive.writestr(info, data)

    with zipfile.ZipFile(target, "w") as archive:
        for name, path in programs.items():
            add(archive, name, path.read_bytes())
        examples = ROOT / "examples"
        for path in sorted(p for p in examples.rglob("*") if p.is_file()):
            add(archive, path.relative_to(examples).as_posix(), path.read_bytes())
        text = READ_ME.format(version=ver, underline="=" * len(f"Tindlow {ver} for Windows"))
        add(archive, "ReadMe.txt", text.replace("\n", "\r\n").encode("cp1252"))
    print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
