"""Reminders of the real program, started at a chosen local time: the box with its text and
icon, the flashing window, the log line, the reminders file opened in the text editor, the
emitted reminders log, and no repetition after a restart on the same day."""

import datetime
import re
import time
import unittest

from tindlow_e2e import (DASH, ERROR_REPORT, HEADER, Session, program_seconds, utf16_text,
                         wait_until)

EVENT_FILE = "_SingleEvents/Today.csv"
EMITTED_LOG = "_EmittedReminders/EmittedReminders.txt"


def reminder_line(s, what_text, key, row, trigger_minute, total=1):
    """Pattern of the log line of a reminder made in the given minute (10.03.2026 hh:mm)."""
    return re.compile(
        re.escape(f"Event: {what_text} [Input Date: 10.03.2026] [Trigger Date: 10.03.2026 "
                  f"{trigger_minute}:") + r"\d\d"
        + re.escape(f"] [Total: {total} Reminder] [File: {s.windows_path(EVENT_FILE)}] "
                    f"[Line: {row}] [Key: {key}]") + "$")


def emitted_line(s, key, matrix, what_text, row):
    """Pattern of one line of the emitted reminders log; the time of the output and the event
    time of the occurrence are captured."""
    return (re.escape(f"{key}<@@@>{matrix}<@@@>") + r"(\d+)\.00<@@@>(\d+\.\d\d)"
            + re.escape(f"<@@@> [Key] [remindMatrix] [lastOutputSec] weitere Informationen: "
                        f"{what_text}; Datei: {s.windows_path(EVENT_FILE)}; Zeile: {row}\r\n"))


def seconds_of(moment):
    return program_seconds(datetime.datetime.fromisoformat(moment))


def reminder_files(s):
    """The reminders files of the export directory that are completely written."""
    return {name: data for name, data in s.files("_Exports").items()
            if name.endswith(" Reminders.txt") and data.endswith("\r\n".encode("utf-16-le"))}


def saved_log(s, key):
    """The emitted reminders log once it holds a complete line for `key`."""
    data = s.read(EMITTED_LOG)
    return key.encode() in data and data.endswith(b"\r\n") and data


class RemindersTest(unittest.TestCase):
    def test_first_pre_event_reminder_and_no_repetition_after_a_restart(self):
        # Event at 12:00 with three reminders in the hour before it: the first falls due at 11:00.
        # The window flashes for 20 s, long enough to be seen by the looks of a slow machine.
        files = {
            "_IniFile/IniFile.csv": b"Value;Key\r\n1;[ExecutionLoop]\r\n40;[NumFlashing]\r\n",
            EVENT_FILE: HEADER + b"Call;Ring the bank;10.03.2026;0,5;60;3;;[k-call];2\r\n",
        }
        key = "[k-call]"
        with Session(self, files=files) as s:
            # The shell opens the reminders file with the application registered for .txt.
            s.register_text_editor()
            s.start(at="2026-03-10 10:59:55")

            # While the box is open the window flashes: minimised and restored by turns.
            s.wait_box(timeout=30)
            s.screenshot("reminder-box")
            icons, states = set(), set()
            deadline = time.monotonic() + 20
            while len(states) < 2 and time.monotonic() < deadline:
                states.add(s.visible())
                icons.update(icon for _, _, icon in s.boxes())
            self.assertEqual(states, {(True, True), (True, False)})
            text, icon = s.settled_box()
            s.close_box()
            self.assertEqual(text, "Event: Call Ring the bank\n")
            self.assertEqual(icons - {"?"} | {icon}, {"information"})

            lines = s.log_texts()
            reminders = [line for line in lines if line.startswith("Event: ")]
            self.assertEqual(len(reminders), 1, reminders)
            self.assertRegex(reminders[0], reminder_line(s, "Call Ring the bank", key, 2, "11:00"))
            self.assertEqual(lines[lines.index(reminders[0]) + 1], DASH)

            # Written after the box is closed, then opened by the shell.
            written = wait_until(lambda: reminder_files(s), 20, "the reminders file")
            (name, data), = written.items()
            self.assertRegex(name, r"^_Exports/2026-03-10_11\.00\.\d\d Reminders\.txt$")
            self.assertEqual(utf16_text(data), reminders[0] + "\r\n")
            editor = name[len("_Exports/"):] + " - Notepad"
            wait_until(lambda: s.titles(editor), 30, "the text editor window")
            s.driver("close", title=editor, exact=True)

            log = wait_until(lambda: saved_log(s, key), 20, "the emitted reminders log")
            match = re.fullmatch(emitted_line(s, key, "0000 0000 0000 0000 0000 0000 0000 0001",
                                              "Call Ring the bank", 2), log.decode("latin-1"))
            self.assertIsNotNone(match, log)
            self.assertLessEqual(seconds_of("2026-03-10 11:00:00"), int(match.group(1)))
            self.assertLess(int(match.group(1)), seconds_of("2026-03-10 11:01:00"))
            # Given for the occurrence at 12:00.
            self.assertAlmostEqual(float(match.group(2)), seconds_of("2026-03-10 12:00:00"),
                                   places=2)
            self.assertFalse([line for line in s.log_texts() if line.startswith(ERROR_REPORT)])

            s.close()
            s.wait_exit()
            self.assertEqual(s.read(EMITTED_LOG), log)

            # Same day, slot 0 still current, slot 1 (11:20) not yet due: nothing comes again.
            s.start(at="2026-03-10 11:01:00")
            self.assertIn("Line 02: Call;Ring the bank;10.03.2026;0,5;60;3;;[k-call];2",
                          s.log_texts())
            deadline = time.monotonic() + 8
            while time.monotonic() < deadline:
                self.assertEqual(s.boxes(), [])
                time.sleep(0.5)
            self.assertFalse([line for line in s.log_texts() if line.startswith("Event: ")])

    def test_missed_events_share_one_stop_box_and_the_event_time_warns(self):
        # Two events ten minutes before the start, one at 12:00 without pre-event reminders.
        files = {EVENT_FILE: HEADER
                 + b"Lunch;Book a table;10.03.2026;0,493055555555556;;;;[k-1];2\r\n"
                 + b"Parcel;Fetch it at the post office;10.03.2026;0,493055555555556;;;;[k-2];3\r\n"
                 + b"Noon;Stand-up;10.03.2026;0,5;0;0;;[k-3];4\r\n"}
        with Session(self, files=files) as s:
            s.start(at="2026-03-10 11:59:48")

            text, icon = s.settled_box()
            s.screenshot("missed-box")
            s.close_box()
            self.assertEqual(text, "1) Event: Lunch Book a table\n"
                                   "2) Event: Parcel Fetch it at the post office\n")
            self.assertEqual(icon, "stop")
            lines = s.log_texts()
            first = [line for line in lines if line.startswith("Event: ")]
            self.assertEqual(len(first), 2, first)
            self.assertRegex(first[0], reminder_line(s, "Lunch Book a table", "[k-1]", 2,
                                                     "11:59"))
            self.assertRegex(first[1], reminder_line(s, "Parcel Fetch it at the post office",
                                                     "[k-2]", 3, "11:59"))
            self.assertEqual(lines[lines.index(first[0]) + 2], DASH)
            (_, data), = wait_until(lambda: reminder_files(s), 20, "the reminders file").items()
            self.assertEqual(utf16_text(data), f"1) {first[0]}\r\n2) {first[1]}\r\n")

            text, icon = s.settled_box()
            s.screenshot("event-time-box")
            s.close_box()
            self.assertEqual(text, "Event: Noon Stand-up\n")
            self.assertEqual(icon, "exclamation")
            second = [line for line in s.log_texts() if line.startswith("Event: ")][2:]
            self.assertEqual(len(second), 1, second)
            self.assertRegex(second[0], reminder_line(s, "Noon Stand-up", "[k-3]", 4, "12:00"))

            log = wait_until(lambda: saved_log(s, "[k-3]"), 20,
                           "the event-time entry in the emitted reminders log")
            self.assertRegex(log.decode("latin-1"), "^" + "".join([
                emitted_line(s, "[k-1]", "1000 0000 0000 0000 0000 0000 0000 0000",
                             "Lunch Book a table", 2),
                emitted_line(s, "[k-2]", "1000 0000 0000 0000 0000 0000 0000 0000",
                             "Parcel Fetch it at the post office", 3),
                emitted_line(s, "[k-3]", "0100 0000 0000 0000 0000 0000 0000 0000",
                             "Noon Stand-up", 4)]) + "$")


if __name__ == "__main__":
    unittest.main(verbosity=2)
