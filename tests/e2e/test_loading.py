"""Loading at start-up and on Reload Data: what the log list shows for the initialization file
and the event files, empty event directories, and a rejected interval column."""

import time
import unittest

from tindlow_e2e import DASH, HEADER, ROOT, Session, ids

EXAMPLES = ROOT / "examples"
# A time at which none of the example events is inside its remind period.
QUIET = "2026-03-10 03:00:00"


def file_block(s, rel):
    """The log lines that reading the event file `rel` gives: the file line, one line per line of
    the file (8-bit text, CR LF read as a line end) and the dash line."""
    content = s.read(rel).decode("latin-1").replace("\r\n", "\n").rstrip("\n")
    return ([f"Reading {s.windows_path(rel)}:"]
            + [f"Line {n:02d}: {text}" for n, text in enumerate(content.split("\n"), 1)]
            + [DASH])


def index_of(lines, wanted, start=0):
    for i in range(start, len(lines)):
        if lines[i] == wanted:
            return i
    raise AssertionError(f"no log line {wanted!r}")


def wait_for_count(s, count, timeout=30):
    """Wait until the log list holds at least `count` lines; returns them without numbers."""
    deadline = time.monotonic() + timeout
    while True:
        lines = s.log_texts()
        if len(lines) >= count or time.monotonic() > deadline:
            return lines
        time.sleep(0.3)


class LoadingTest(unittest.TestCase):
    def test_example_directory_is_logged_line_by_line_and_reloaded_from_disk(self):
        with Session(self, source=EXAMPLES) as s:
            s.start(at=QUIET)
            lines = s.log_texts()

            ini = index_of(lines, f"Reading {s.windows_path('_IniFile/IniFile.csv')}:")
            self.assertEqual(lines[ini + 1:ini + 8], [
                "Line 01: Value;Key;Meaning",
                "Line 02: [ExecutionLoop] = 1",
                "Line 03: [WindowSize] = 2",
                "Line 04: [NumFlashing] = 10",
                "Line 05: [RemindHours] = 72",
                "Line 06: [NetworkPathDateFiles] = ",
                DASH,
            ])
            single = file_block(s, "_SingleEvents/Appointments.csv")
            self.assertIn("Line 02: Dentist;Check-up at Dr. Weber, Hauptstraße 12;15.01.2027;"
                          "0,4375;120;2;;[06.11.2026-10:09:27-963303772-775740099];2", single)
            periodic = [file_block(s, "_PeriodicEvents/Birthdays.csv"),
                        file_block(s, "_PeriodicEvents/Duties.csv")]
            at = index_of(lines, single[0])
            self.assertGreater(at, ini)
            self.assertEqual(lines[at:at + len(single)], single)
            for block in periodic:
                start = index_of(lines, block[0])
                self.assertGreater(start, at)
                self.assertEqual(lines[start:start + len(block)], block)
            # The examples are free of input errors: no box.
            self.assertEqual(s.boxes(), [])

            # The reload reads the files anew: a line added meanwhile shows.
            with open(s.path("_SingleEvents/Appointments.csv"), "ab") as f:
                f.write(b"Optician;Pick up the gl\xe4sses;20.04.2027;0,6;60;1;;[k-new];5\r\n")
            single = file_block(s, "_SingleEvents/Appointments.csv")
            self.assertEqual(single[-2], "Line 05: Optician;Pick up the glässes;20.04.2027;0,6;"
                                         "60;1;;[k-new];5")
            before = len(lines)
            s.click(ids.RELOAD_DATA)

            expected = ["The 'Reload Dates' button was pressed.", DASH] + single
            reloaded = wait_for_count(s, before + len(expected) + sum(map(len, periodic)))
            self.assertEqual(reloaded[:before], lines)
            after = reloaded[before:]
            self.assertEqual(after[:len(expected)], expected)
            # Within one directory the files come in the platform's listing order.
            self.assertIn(after[len(expected):], [periodic[0] + periodic[1],
                                                  periodic[1] + periodic[0]])
            self.assertEqual(s.boxes(), [])

    def test_directories_without_event_files_are_reported(self):
        files = {
            # Not event files: the extension is compared case-sensitively, and a directory
            # never counts.
            "_SingleEvents/Birthdays.CSV": HEADER + b"Mother;;22.06.1957;;;;365;[k1];2\r\n",
            "_SingleEvents/Archive.csv/Old.csv": HEADER,
        }
        with Session(self, files=files) as s:
            s.start(at=QUIET)
            lines = s.log_texts()

            first = index_of(lines, f"Trying to read from {s.windows_path('_SingleEvents')}\\. "
                                    "No files were found there.")
            self.assertEqual(lines[first + 1:first + 4], [
                DASH,
                f"Trying to read from {s.windows_path('_PeriodicEvents')}\\. "
                "No files were found there.",
                DASH,
            ])
            # Without an initialization file nothing at all is read.
            self.assertEqual([line for line in lines if line.startswith("Reading ")], [])

    def test_rejected_interval_column_shows_a_box_and_the_loading_goes_on(self):
        # Both events were due ten minutes before the start; only the second line is valid.
        event_file = "_PeriodicEvents/Duties.csv"
        files = {event_file: HEADER
                 + b"Walk;Walk the dog;10.03.2026;0,5;0;0; 7d ;[k-walk];2\r\n"
                 + b"Plants;Water the plants;10.03.2026;0,5;0;0;7;[k-plants];3\r\n"}
        with Session(self, files=files) as s:
            s.start(at="2026-03-10 12:10:00", wait=False)
            s.wait_window()
            s.wait_box(timeout=30)
            s.screenshot("interval-box")

            _, text, _ = s.close_box()
            self.assertEqual(text, "Incorrect entry in interval column. Erroneous input cannot be "
                                   "processed. Please correct it. Your entry was: \n"
                                   "7d; Invalid characters = d\n"
                                   f"File name and path: {s.windows_path(event_file)}\n"
                                   "Line number in file: 2")
            s.wait_ready()

            # The valid line after the rejected one was stored and reminds alone.
            _, text, _ = s.close_box(wait_ms=30000)
            self.assertEqual(text, "Event: Plants Water the plants\n")
            lines = s.log_texts()
            block = file_block(s, event_file)
            start = index_of(lines, block[0])
            self.assertEqual(lines[start:start + len(block)], block)
            self.assertEqual(s.boxes(), [])


if __name__ == "__main__":
    unittest.main(verbosity=2)
