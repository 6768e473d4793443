"""Every reminder exactly once across a midnight that passes while the program runs and across a
restart on the next day.

A daily event at 01:00 whose remind windows follow each other without a gap: 59.95 minutes
before (3597 s) and 23 hours after the event (82800 s), 1 s short of a day with the overlap
margin of 2 s, so the reading shortens nothing. Started at 23:59:30 the occurrence of that day
(01:00) is in its post-event period, which ends at midnight; the next occurrence's pre-event
period begins at 00:00:03."""

import datetime
import re
import time
import unittest

from tindlow_e2e import DASH, HEADER, Session, program_seconds, wait_until

EVENT_FILE = "_PeriodicEvents/Daily.csv"
EVENT_LINE = "Tea;Brew the morning tea;01.03.2026;0,041666666666667;59.95;1;1;[k-tea];2"
KEY = "[k-tea]"
EMITTED_LOG = "_EmittedReminders/EmittedReminders.txt"
DAY_1 = datetime.date(2026, 3, 10)
DAY_2 = datetime.date(2026, 3, 11)


def reminders(lines):
    return [line for line in lines if line.startswith("Event: ")]


def reminder_line(s, day):
    """Pattern of the log line of the first reminder of an occurrence, made on `day`; the time
    of day is captured."""
    return re.compile(
        re.escape(f"Event: Tea Brew the morning tea [Input Date: 01.03.2026] [Trigger Date: "
                  f"{day:%d.%m.%Y} ") + r"(\d\d:\d\d:\d\d)"
        + re.escape(f"] [Total: 1 Reminder] [File: {s.windows_path(EVENT_FILE)}] [Line: 2] "
                    f"[Key: {KEY}]") + "$")


def given_at(day, clock):
    return program_seconds(datetime.datetime.combine(day, datetime.time.fromisoformat(clock)))


class MidnightTest(unittest.TestCase):
    def test_each_reminder_once_across_midnight_and_a_restart_on_the_next_day(self):
        files = {
            "_IniFile/IniFile.csv": b"Value;Key\r\n23;[RemindHours]\r\n",
            EVENT_FILE: HEADER + EVENT_LINE.encode("latin-1") + b"\r\n",
        }
        with Session(self, files=files) as s:
            s.start(at="2026-03-10 23:59:30")

            # The event time of the day's occurrence (01:00) was missed: a post-event reminder.
            text, icon = s.settled_box(timeout=60)
            s.screenshot("post-event-box")
            s.close_box()
            self.assertEqual(text, "Event: Tea Brew the morning tea\n")
            self.assertEqual(icon, "stop")
            first = reminders(s.log_texts())
            self.assertEqual(len(first), 1, first)
            self.assertRegex(first[0], reminder_line(s, DAY_1))

            # After midnight the day-change reload computes the next occurrence (11.03. 01:00),
            # whose pre-event period begins three seconds after midnight.
            text, icon = s.settled_box(timeout=90)
            s.screenshot("pre-event-box")
            s.close_box()
            self.assertEqual(text, "Event: Tea Brew the morning tea\n")
            self.assertEqual(icon, "information")

            lines = s.log_texts()
            both = reminders(lines)
            self.assertEqual(len(both), 2, both)
            self.assertEqual(both[0], first[0])
            given = reminder_line(s, DAY_2).match(both[1])
            self.assertIsNotNone(given, both[1])
            self.assertLess(given.group(1), "00:01:00")
            # Each reminder is followed by the dash line, and the event file was read again
            # between the two: by the day-change reload.
            at_first, at_second = lines.index(both[0]), lines.index(both[1])
            self.assertEqual(lines[at_first + 1], DASH)
            self.assertEqual(lines[at_second + 1], DASH)
            reading = f"Reading {s.windows_path(EVENT_FILE)}:"
            self.assertEqual(lines.count(reading), 2)
            self.assertLess(at_first, lines.index(reading, lines.index(reading) + 1))
            self.assertLess(lines.index(reading, lines.index(reading) + 1), at_second)
            self.assertIn(f"Line 02: {EVENT_LINE}", lines[at_first:at_second])

            # The emitted reminders log keeps each occurrence's state apart: the post-event bit of
            # the day before stays with the occurrence before, and the new occurrence's first
            # pre-event slot has a line of its own.
            def line(matrix, day):
                event = program_seconds(datetime.datetime.combine(day, datetime.time(1)))
                return (re.escape(f"{KEY}<@@@>{matrix}<@@@>") + r"(\d+)\.00"
                        + re.escape(f"<@@@>{event}.00<@@@> [Key] [remindMatrix] [lastOutputSec] "
                                    f"weitere Informationen: Tea Brew the morning tea; Datei: "
                                    f"{s.windows_path(EVENT_FILE)}; Zeile: 2\r\n"))
            pattern = re.compile(line("1000 0000 0000 0000 0000 0000 0000 0000", DAY_1)
                                 + line("0000 0000 0000 0000 0000 0000 0000 0001", DAY_2))

            def saved():
                data = s.read(EMITTED_LOG).decode("latin-1")
                return pattern.fullmatch(data)

            match = wait_until(saved, 30, "the day-2 line in the emitted reminders log")
            self.assertLess(int(match.group(1)), given_at(DAY_2, "00:00:00"))
            self.assertLessEqual(given_at(DAY_2, "00:00:00"), int(match.group(2)))
            self.assertLess(int(match.group(2)), given_at(DAY_2, "00:01:00"))
            log = s.read(EMITTED_LOG)

            s.close()
            s.wait_exit()
            self.assertEqual(s.read(EMITTED_LOG), log)

            # A restart on the same day, still inside the slot that was given: nothing comes
            # again, and the log keeps its line.
            s.start(at="2026-03-11 00:00:20")
            lines = s.log_texts()
            self.assertIn(f"Line 02: {EVENT_LINE}", lines)
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                self.assertEqual(s.boxes(), [])
                time.sleep(0.5)
            self.assertEqual(reminders(s.log_texts()), [])
            self.assertEqual(s.read(EMITTED_LOG), log)


if __name__ == "__main__":
    unittest.main(verbosity=2)
