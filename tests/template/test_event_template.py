#!/usr/bin/python3
"""The event workbook template, examples/_UserDocuments/EventTemplate.xlsx: it is what
tools/make_event_template.py makes; its sheet Events, saved by LibreOffice Calc as an event file
in an English and in a German setting, loads in Tindlow without a problem and means what its
notes say; its reminder keys stay with their lines when lines are sorted and inserted; and its
interval check accepts exactly the intervals that Tindlow takes.

Needs Debian's python3-openpyxl and LibreOffice (libreoffice-calc-nogui), and the native
command-line program (TINDLOW_NATIVE_CLI, else build/native/tindlow or build/bench/tindlow)."""

import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from openpyxl import load_workbook
from openpyxl.formula.translate import Translator

ROOT = Path(__file__).resolve().parents[2]
TEMPLATE = ROOT / "examples/_UserDocuments/EventTemplate.xlsx"
GENERATOR = ROOT / "tools/make_event_template.py"
ENGLISH, GERMAN = "en_US.UTF-8", "de_DE.UTF-8"
NOW = "01.01.2027 08:00:00"
# What the notes ask for: semicolons, ISO-8859-1 (12), cells as shown, no quoting of all texts,
# the first sheet.
CSV_FILTER = "csv:Text - txt - csv (StarCalc):59,34,12,1,,0,false,true,true,false,false,1"
KEY_FORM = re.compile(r"\[\d\d\.\d\d\.\d{4}-\d\d:\d\d:\d\d-\d{9}-\d{9}\]")
SIMULATED = re.compile(r"Event: (.*) \[Input Date: [^]]*\] \[Trigger Date: ([^]]*)\] "
                       r"\[File: [^]]*\\Template\.csv\] \[Line: (\d+)\]")
PROBLEM_LINE = re.compile(r"\\Template\.csv, line (\d+): ")

# Intervals the check takes, each loaded by Tindlow without a word (with no reminders before
# the event and the default 72 hours after it, so that no period needs shortening) ...
GOOD_INTERVALS = ["", "0", "-1", "#30", "# 7", "7", "14", "30", "360", "365", "730", "123456",
                  "14abs", "30abs", "30mwd1", "30mwd5", "60mwd-5", "30mmd31", "90mmd-31",
                  "30mmd0"]
# ... intervals Tindlow refuses ...
REFUSED_INTERVALS = ["-5", "+30", "1 2", "7d", "1e3", "1.5", "1,5", "45mwd2", "30mwd0",
                     "30mwd6", "30mwd-6", "30mmd32", "30mmd-32", "30MWD2", "30mWD2", "30mwd*"]
# ... and intervals it takes as 0: such a line never has an event (the check lists it).
EMPTY_INTERVALS = ["00", "0abs", "abs", "mwd2", "0mmd5"]


def native_cli():
    configured = os.environ.get("TINDLOW_NATIVE_CLI")
    if configured:
        return Path(configured)
    for candidate in (ROOT / "build/native/tindlow", ROOT / "build/bench/tindlow"):
        if candidate.is_file():
            return candidate
    raise unittest.SkipTest("the native tindlow is not built")


def rows_of(csv_bytes):
    """The lines of an event file, each as its list of columns."""
    text = csv_bytes.decode("iso-8859-1")
    return [line.rstrip("\r").split(";") for line in text.split("\n") if line]


class EventTemplate(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.soffice = shutil.which("soffice")
        if cls.soffice is None:
            raise AssertionError("LibreOffice (soffice) is missing: scripts/install-deps")
        cls.cli = native_cli()
        cls.work = Path(tempfile.mkdtemp(prefix="tindlow-template-"))

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def save_as_event_file(self, workbook_path, language=ENGLISH):
        """The sheet Events as LibreOffice saves it with the settings of the notes."""
        out = Path(tempfile.mkdtemp(dir=self.work))
        env = dict(os.environ, LANG=language, LC_ALL=language)
        profile = (self.work / f"profile-{language}").as_uri()
        subprocess.run([self.soffice, f"-env:UserInstallation={profile}", "--headless",
                        "--convert-to", CSV_FILTER, "--outdir", str(out), str(workbook_path)],
                       env=env, check=True, capture_output=True, timeout=180)
        exported = list(out.glob("*.csv"))
        self.assertEqual(len(exported), 1, exported)
        return exported[0].read_bytes()

    def program_directory(self, event_file):
        """A copy of the example program directory with the event file as Template.csv."""
        directory = Path(tempfile.mkdtemp(dir=self.work)) / "Program"
        shutil.copytree(ROOT / "examples", directory)
        (directory / "_PeriodicEvents/Template.csv").write_bytes(event_file)
        return directory

    def tindlow(self, directory, *args):
        result = subprocess.run([str(self.cli), "--dir", str(directory), *args],
                                capture_output=True, timeout=120)
        self.assertEqual(result.stderr, b"")
        return result.returncode, result.stdout.decode("utf-8")

    def assert_loads_without_problem(self, event_file):
        directory = self.program_directory(event_file)
        self.assertEqual(self.tindlow(directory, "check"), (0, "No problems found.\n"))
        return directory

    def rewritten(self, rows, name):
        """The template with the sheet Events from row 2 on holding `rows`: lists of cells,
        each with the row it comes from; formulas and number formats move along as a
        spreadsheet moves them when it sorts or inserts."""
        workbook = load_workbook(TEMPLATE)
        sheet = workbook["Events"]
        formats = {(cell.row, cell.column): cell.number_format
                   for row in sheet.iter_rows(min_row=2) for cell in row}
        sheet.delete_rows(2, sheet.max_row)
        for new_row, (old_row, cells) in enumerate(rows, 2):
            for column, value in enumerate(cells, 1):
                if isinstance(value, str) and value.startswith("="):
                    letter = sheet.cell(row=1, column=column).column_letter
                    value = Translator(value, origin=f"{letter}{old_row}").translate_formula(
                        f"{letter}{new_row}")
                cell = sheet.cell(row=new_row, column=column, value=value)
                cell.number_format = formats.get((old_row, column), "General")
        path = self.work / name
        workbook.save(path)
        return path

    def example_rows(self):
        sheet = load_workbook(TEMPLATE)["Events"]
        return [(row[0].row, [cell.value for cell in row])
                for row in sheet.iter_rows(min_row=2, max_col=10)]

    def test_template_is_what_the_generator_makes(self):
        made = self.work / "made.xlsx"
        subprocess.run([sys.executable, str(GENERATOR), str(made)], check=True, timeout=120)
        self.assertTrue(made.read_bytes() == TEMPLATE.read_bytes(),
                        "run tools/make_event_template.py and check in its output")
        sheet = load_workbook(TEMPLATE)["Events"]
        self.assertTrue(all(sheet.cell(row=1, column=c).comment for c in range(1, 11)))
        checked = {str(check.sqref).split(":")[0]
                   for check in sheet.data_validations.dataValidation}
        self.assertLessEqual({"C2", "D2", "E2", "F2", "G2", "J2"}, checked)

    def test_examples_load_and_mean_what_the_notes_say(self):
        for language, separator in ((ENGLISH, "."), (GERMAN, ",")):
            with self.subTest(language=language):
                event_file = self.save_as_event_file(TEMPLATE, language)
                rows = rows_of(event_file)
                data = [row for row in rows[1:] if "default" not in row[0].lower()]
                self.assertTrue(all(len(row) == 10 for row in rows))
                self.assertTrue(all(KEY_FORM.fullmatch(row[7]) for row in data))
                self.assertEqual(len({row[7] for row in data}), len(data))
                # The row column is the line's row; the time column a fraction of a day.
                self.assertTrue(all(row[8] == str(n) for n, row in enumerate(rows[1:], 2)))
                times = [row[3] for row in rows[1:] if row[3]]
                self.assertTrue(all(re.fullmatch(r"0(\%s\d+)?" % separator, t) for t in times),
                                times)
                self.assertIn("Hauptstraße".encode("iso-8859-1"), event_file)

                directory = self.assert_loads_without_problem(event_file)
                events = {}
                for day in ("22.06.2027", "04.02.2027", "15.01.2027"):
                    _, output = self.tindlow(directory, "--now", NOW, "simulate", day)
                    events.update((what, when) for what, when, _ in SIMULATED.findall(output))
                self.assertEqual(events, {
                    # The time of the default line.
                    "Birthday of Mother Call her in the morning": "22.06.2027 09:00:00",
                    # Weekly from Thursday 07.01.2027; the first Thursday of each month.
                    "Plants Water the plants": "04.02.2027 18:00:00",
                    "Team meeting Monthly team meeting, room 4.12": "04.02.2027 10:00:00",
                    "Dentist Check-up at Dr. Weber, Hauptstraße 12": "15.01.2027 10:30:00",
                })

    def test_keys_stay_with_their_lines_when_sorted_and_inserted(self):
        rows = self.example_rows()
        before = {row[0]: row[7] for row in rows_of(self.save_as_event_file(TEMPLATE))[1:]}
        default, lines = rows[0], rows[1:]
        self.assertIn("default", default[1][0].lower())
        # Sorted by date, newest first, below the default line, and a new line inserted
        # between them: a copy of another line with the next free key number.
        lines.sort(key=lambda row: row[1][2], reverse=True)
        old_row, copied = lines[1]
        new_line = (old_row, ["Inserted", "A new line", datetime.datetime(2027, 3, 1),
                              *copied[3:9], len(rows)])
        path = self.rewritten([default, lines[0], new_line, *lines[1:]], "sorted.xlsx")

        event_file = self.save_as_event_file(path)
        after = {row[0]: row[7] for row in rows_of(event_file)[1:]}
        new_key = after.pop("Inserted")
        self.assertEqual(after, before)
        self.assertTrue(KEY_FORM.fullmatch(new_key))
        self.assertNotIn(new_key, before.values())
        self.assert_loads_without_problem(event_file)

    def test_interval_check_takes_what_tindlow_takes(self):
        sheet = load_workbook(TEMPLATE)["Events"]
        check = next(c for c in sheet.data_validations.dataValidation if "G2" in str(c.sqref))
        formula_row, cells = self.example_rows()[2]
        rows = []
        intervals = GOOD_INTERVALS + REFUSED_INTERVALS + EMPTY_INTERVALS
        for number, interval in enumerate(intervals, 1):
            rows.append((formula_row, [f"Case {interval}", None, datetime.datetime(2027, 1, 7),
                                       0.5, 0, 0, interval, *cells[7:9], number,
                                       "=" + check.formula1]))
        path = self.rewritten(rows, "intervals.xlsx")

        event_file = self.save_as_event_file(path)
        lines = rows_of(event_file)
        taken = {row[6] for row in lines[1:] if row[10] == "TRUE"}
        self.assertEqual(taken, set(GOOD_INTERVALS))
        directory = self.program_directory(event_file)
        code, output = self.tindlow(directory, "check")
        self.assertEqual(code, 1)
        # The refused lines, and those that never remind (the window takes them without a word,
        # the check lists them).
        listed = {lines[int(n) - 1][6] for n in PROBLEM_LINE.findall(output)}
        self.assertEqual(listed, set(REFUSED_INTERVALS) | set(EMPTY_INTERVALS), output)
        for interval in EMPTY_INTERVALS:
            self.assertIn(f'the interval "{interval}" repeats every 0 days or months', output)
        for row in lines[1:]:
            if row[6] in EMPTY_INTERVALS:
                next_event = subprocess.run([str(self.cli), "--dir", str(directory), "next",
                                             row[7]], capture_output=True, timeout=120)
                self.assertEqual(next_event.returncode, 5, row[6])


if __name__ == "__main__":
    unittest.main()
