"""The state of a reminder already given, kept while its event file is away: the file is moved
out of the event directory, the data reloaded (and in the second test the program restarted), the
file moved back and the data reloaded again. The reminder must not come a second time, and the
emitted reminders log must keep the event's line with the time of the one reminder given."""

import datetime
import os
import time
import unittest

from tindlow_e2e import HEADER, Session, ids, program_seconds, wait_until

EVENT_FILE = "_SingleEvents/Today.csv"
# The program reads only names that end in ".csv": under this name the file is away.
AWAY_FILE = EVENT_FILE + ".away"
EMITTED_LOG = "_EmittedReminders/EmittedReminders.txt"
KEY = "[k-lunch]"
# An event at 11:50 without pre-event reminders; started at 12:00 its post-event reminder is due.
EVENT = HEADER + f"Lunch;Book a table;10.03.2026;0,493055555555556;;;;{KEY};2\r\n".encode()
START = "2026-03-10 12:00:00"
BOX_TEXT = "Event: Lunch Book a table\n"
SEPARATOR = "<@@@>"


def last_output(s, key=KEY):
    """The last output time (the third field) of the complete line of `key` in the emitted
    reminders log, or None while there is none."""
    lines = s.read(EMITTED_LOG).decode("latin-1").split("\r\n")[:-1]
    for line in lines:
        fields = line.split(SEPARATOR)
        if fields[0] == key and len(fields) > 3:
            return fields[2]
    return None


def no_files_line(s, rel):
    return (f"Trying to read from {s.windows_path(rel)}\\. "
            "No files were found there.")


def reload_data(s):
    """Press Reload Data and wait for the end of its loading (the periodic events directory,
    empty here, is read last); returns the log lines added since the press."""
    before = len(s.list_lines())
    s.click(ids.RELOAD_DATA)
    done = no_files_line(s, "_PeriodicEvents")

    def added():
        lines = s.list_lines()[before:]
        return any(line.endswith(done) for line in lines) and lines
    return wait_until(added, 30, "the end of the reload")


def move(s, source, target):
    os.rename(s.path(source), s.path(target))


class ReminderStateTest(unittest.TestCase):
    def first_reminder(self, s):
        """Close the post-event reminder that comes after the start; returns the last output time
        that the emitted reminders log holds for it."""
        _, text, _ = s.close_box(wait_ms=30000)
        self.assertEqual(text, BOX_TEXT)
        given = wait_until(lambda: last_output(s), 20, "the line in the emitted reminders log")
        moment = datetime.datetime.fromisoformat(START)
        self.assertLessEqual(program_seconds(moment), float(given))
        self.assertLess(float(given), program_seconds(moment + datetime.timedelta(minutes=1)))
        return given

    def reload_while_away(self, s):
        move(s, EVENT_FILE, AWAY_FILE)
        added = reload_data(s)
        self.assertTrue(any(line.endswith(no_files_line(s, "_SingleEvents")) for line in added),
                        added)

    def reload_with_the_file_back(self, s):
        move(s, AWAY_FILE, EVENT_FILE)
        added = reload_data(s)
        reading = f"Reading {s.windows_path(EVENT_FILE)}:"
        self.assertTrue(any(line.endswith(reading) for line in added), added)

    def assert_given_once(self, s, given):
        # The reminder check runs at every tick (500 ms): a reminder that came again would be
        # there long before the end of this watch.
        deadline = time.monotonic() + 6
        while time.monotonic() < deadline:
            boxes = s.boxes()
            if boxes:
                s.screenshot("second-box")
            self.assertEqual(boxes, [], "the reminder came a second time")
            time.sleep(0.5)
        self.assertEqual(last_output(s), given,
                         "the emitted reminders log lost the line or its last output time:\n"
                         + s.read(EMITTED_LOG).decode("latin-1"))

    def test_a_reload_while_the_file_is_away_keeps_the_given_reminder(self):
        with Session(self, files={EVENT_FILE: EVENT}) as s:
            s.start(at=START)
            given = self.first_reminder(s)

            self.reload_while_away(s)
            # The entry was still loaded when the reload saved the state.
            self.assertEqual(last_output(s), given)

            self.reload_with_the_file_back(s)
            self.assert_given_once(s, given)

    def test_a_restart_while_the_file_is_away_keeps_the_given_reminder(self):
        with Session(self, files={EVENT_FILE: EVENT}) as s:
            s.start(at=START)
            given = self.first_reminder(s)

            self.reload_while_away(s)
            s.close()
            s.wait_exit()
            s.start(at="2026-03-10 12:05:00")
            self.assertEqual(s.boxes(), [])

            self.reload_with_the_file_back(s)
            self.assert_given_once(s, given)


if __name__ == "__main__":
    unittest.main(verbosity=2)
