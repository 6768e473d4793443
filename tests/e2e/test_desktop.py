"""The files of the real program opened as a Linux user gets them: with the Wine prefix that
scripts/run sets up, a desktop's default applications (through xdg-open) get the reminders
file, the exports, the help, the documents and the folders; without a desktop text files open in
Wine's Notepad and folders in Wine's Explorer. Neither way logs an error."""

import os
import re
import subprocess
import tempfile
import unittest
import urllib.parse
from pathlib import Path
from unittest import mock

from tindlow_e2e import ERROR_REPORT, HEADER, ROOT, Session, ids, wait_until

RUN = ROOT / "scripts" / "run"
HELP = ROOT / "examples" / "_Help"
START = "2026-03-10 10:59:55"
STAMP = r"2026-03-10_1[01]\.\d\d\.\d\d"

# An event at 12:00 whose first reminder falls due at 11:00, five seconds after the start; the
# help files; and a workbook for each entry of the document menu that names one.
FILES = {
    "_IniFile/IniFile.csv": b"Value;Key\r\n1;[ExecutionLoop]\r\n2;[NumFlashing]\r\n",
    "_IniFile/IniFile.xlsm": b"workbook",
    "_SingleEvents/Today.csv": HEADER + b"Call;Ring the bank;10.03.2026;0,5;60;3;;[k-call];2\r\n",
    "_SingleEvents/Today.xlsm": b"workbook",
    "_Help/Help.pdf": (HELP / "Help.pdf").read_bytes(),
    "_Help/Hilfe.pdf": (HELP / "Hilfe.pdf").read_bytes(),
}

# What each entry of the document menu opens, relative to the program directory, in menu order;
# the last entry, the network path, is not configured.
DOCUMENTS = [
    "_Settings/Settings.txt", "_IniFile/IniFile.xlsm", "_EmittedReminders/EmittedReminders.txt",
    "_SingleEvents/Today.xlsm", "_Help/Help.pdf", "_Help/Hilfe.pdf", "", "_EmittedReminders",
    "_Exports", "_Help", "_IniFile", "_SingleEvents", "_PeriodicEvents", "_Settings",
    "_UserDocuments",
]

# A desktop's xdg-open that notes what it was asked to open.
XDG_OPEN = """#!/bin/sh
printf '%s\\n' "$*" >> "$(dirname "$0")/opened.txt"
"""


def errors(s):
    return [line for line in s.log_texts() if line.startswith(ERROR_REPORT)]


def fake_desktop(test):
    """A directory with a desktop's xdg-open that notes what it opens; returns it and a function
    that lists the local paths it was given so far."""
    desktop = Path(test.enterContext(tempfile.TemporaryDirectory()))
    (desktop / "xdg-open").write_text(XDG_OPEN)
    (desktop / "xdg-open").chmod(0o755)
    log = desktop / "opened.txt"

    def opened():
        paths = []
        for url in log.read_text().splitlines() if log.exists() else []:
            parts = urllib.parse.urlsplit(url)
            test.assertEqual(parts.scheme, "file", url)
            paths.append(Path(urllib.parse.unquote(parts.path)))
        return paths
    return desktop, opened


def prepare_prefix(s, desktop=None):
    """Let scripts/run set up the session's prefix as it sets up its own: for a desktop (the
    session's display, and the xdg-open in the directory `desktop` on PATH) or for none (no
    display)."""
    env = s.env()
    if desktop is None:
        env.pop("DISPLAY")
    else:
        env["PATH"] = f"{desktop}{os.pathsep}{env['PATH']}"
    result = subprocess.run([str(RUN), "--prefix-only"], env=env, stdin=subprocess.DEVNULL,
                            capture_output=True, text=True, timeout=300)
    assert result.returncode == 0, result.stderr


def close_box(s):
    """Close the reminder box once it is there; returns its text."""
    _, text, _ = s.close_box(wait_ms=30000)
    return text


def export_name(s, suffix):
    """The name of the completely written export file with the suffix, once there is one."""
    def written():
        names = [name for name, data in s.files("_Exports").items()
                 if name.endswith(suffix) and data.endswith("\r\n".encode("utf-16-le"))]
        return names[-1][len("_Exports/"):] if names else None
    name = wait_until(written, 30, f"the export ...{suffix}")
    assert re.fullmatch(STAMP + re.escape(suffix), name), name
    return name


class DesktopTest(unittest.TestCase):
    def test_a_desktop_gets_every_file_and_folder_that_tindlow_opens(self):
        desktop, opened = fake_desktop(self)
        # Tindlow hands the files to winebrowser, which looks for xdg-open on its PATH.
        self.enterContext(mock.patch.dict(os.environ, {
            "PATH": f"{desktop}{os.pathsep}{os.environ.get('PATH', '')}"}))
        with Session(self, files=FILES) as s:
            prepare_prefix(s, desktop)
            s.start(at=START)
            expected = []

            def wait_opened(rel):
                expected.append(s.program_dir / rel if rel else s.program_dir)
                wait_until(lambda: opened() == expected, 30, f"xdg-open of {expected[-1]}")

            self.assertEqual(close_box(s), "Event: Call Ring the bank\n")
            wait_opened("_Exports/" + export_name(s, " Reminders.txt"))

            s.click(ids.FUTURE_EVENTS)
            wait_opened("_Exports/" + export_name(s, " Preview.txt"))

            s.click(ids.OPEN_HELP)
            wait_opened("_Help/Help.pdf")

            s.click(ids.OPEN_DIRECTORY)
            wait_opened("")

            self.assertEqual(len(s.combo(ids.DOCUMENT_MENU)), len(DOCUMENTS) + 1)
            for index, rel in enumerate(DOCUMENTS):
                s.driver("select", ids.DOCUMENT_MENU, index)
                wait_opened(rel)

            s.screenshot("desktop")
            self.assertEqual(errors(s), [])
            self.assertEqual(s.boxes(), [])
            # Nothing opened in Wine's own programs.
            self.assertEqual({t for t in s.titles("") if t and t != "Default IME"},
                             {s.program.title})
            s.close()
            s.wait_exit()

    def test_without_a_desktop_text_opens_in_notepad_and_folders_in_the_explorer(self):
        desktop, _ = fake_desktop(self)
        with Session(self, files=FILES) as s:
            # The prefix was used on a desktop before.
            prepare_prefix(s, desktop)
            prepare_prefix(s)
            s.start(at=START)

            self.assertEqual(close_box(s), "Event: Call Ring the bank\n")
            s.close_window(export_name(s, " Reminders.txt") + " - Notepad", "reminders-in-notepad")

            s.click(ids.FUTURE_EVENTS)
            s.close_window(export_name(s, " Preview.txt") + " - Notepad", "preview-in-notepad")

            # No PDF viewer without a desktop, and no error either (the window handles the
            # clicks and selections that follow only after this one).
            s.click(ids.OPEN_HELP)

            s.driver("select", ids.DOCUMENT_MENU, DOCUMENTS.index("_Settings/Settings.txt"))
            s.close_window("Settings.txt - Notepad", "settings-in-notepad")

            s.click(ids.OPEN_DIRECTORY)
            s.close_window(s.program_dir.name, "directory-in-explorer")
            s.driver("select", ids.DOCUMENT_MENU, DOCUMENTS.index("_Exports"))
            s.close_window("_Exports", "exports-in-explorer")

            self.assertIn("The 'Open Help' button was pressed.", s.log_texts())
            self.assertEqual(errors(s), [])
            self.assertEqual(s.boxes(), [])
            s.close()
            s.wait_exit()


if __name__ == "__main__":
    unittest.main()
