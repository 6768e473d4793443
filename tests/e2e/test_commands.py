"""Future Events, Missed Events, the document menu and the command menu of the real program,
started at a chosen local time: the log list, the export files opened in the text editor, the
message boxes, the clipboard and what the shell reports for a document that is missing."""

import datetime
import re
import unittest

from tindlow_e2e import (DASH, ERROR_REPORT, HEADER, MenuCommand, Session, ids, log_text,
                         unescape, utf16_text, wait_until)

START = "2026-03-10 09:00:00"
TODAY = datetime.date(2026, 3, 10)
STAMP = r"2026-03-10_09\.\d\d\.\d\d"

TEST_KEY = "[06.11.2018-10:09:27-963303772-775740099]"
TEST_TEXT = "The user has triggered a test-reminder."


class Event:
    """One event line of a fixture file and the days on which it occurs."""

    def __init__(self, rel, row, what, text, date, time_text, interval, key, occurs):
        self.rel, self.row, self.what, self.text = rel, row, what, text
        self.date, self.time_text, self.interval, self.key = date, time_text, interval, key
        self.occurs = occurs

    def csv(self):
        return (f"{self.what};{self.text};{self.date};{self.time_text};0;0;{self.interval};"
                f"{self.key};{self.row}\r\n").encode("latin-1")

    def clock(self):
        seconds = round(float(self.time_text.replace(",", ".")) * 86400)
        return f"{seconds // 3600:02d}:{seconds // 60 % 60:02d}:{seconds % 60:02d}"


WALK = Event("_SingleEvents/Plan.csv", 2, "Walk", "in the park", "01.01.2026", "0,75", "1",
             "[05.01.2026-07:30:00-518204761-330917264]", lambda day: True)
BIRTHDAY = Event("_SingleEvents/Plan.csv", 3, "Birthday", "of Anna (%diff years)", "14.03.1990",
                 "0,5", "365", "[02.01.2026-19:45:10-902837465-118273645]",
                 lambda day: (day.month, day.day) == (3, 14))
REVIEW = Event("_PeriodicEvents/Team.csv", 2, "Review", "of the sprint", "06.02.2026", "0,375",
               "7", "[03.01.2026-11:02:33-774120938-650192837]",
               lambda day: (day - datetime.date(2026, 2, 6)).days % 7 == 0)


def event_files(*events):
    files = {}
    for event in events:
        files[event.rel] = files.get(event.rel, HEADER) + event.csv()
    return files


def preview_line(s, event, day):
    """The report form of an event's line for the given day (no reminder count)."""
    what = event.what + " " if event.text and not event.text.startswith(" ") else event.what
    line = (f"Event: {what}{event.text} [Input Date: {event.date}] [Trigger Date: "
            f"{day:%d.%m.%Y} {event.clock()}] [File: {s.windows_path(event.rel)}] "
            f"[Line: {event.row}] [Key: {event.key}]")
    return line.replace("%diff", str(day.year - int(event.date[-4:])))


def numbered(lines):
    return [f"{i:02d}) {line}\n" for i, line in enumerate(lines, 1)]


def day_scan(s, events, days):
    """The lines of a run over `days`: day by day, within a day in key order."""
    ordered = sorted(events, key=lambda e: e.key)
    return numbered([preview_line(s, e, day) for day in days for e in ordered if e.occurs(day)])


def lines_after(s, marker, count, timeout=20):
    """The `count` log lines after the last line equal to `marker`, once they are there."""
    def ready():
        lines = s.log_texts()
        if marker not in lines:
            return None
        start = len(lines) - lines[::-1].index(marker)
        return lines[start:] if len(lines) - start >= count else None
    return wait_until(ready, timeout, f"{count} log lines after {marker!r}")


def chosen(text):
    return f"The Combo-box command '{text}' was selected."


def command(s, command):
    """Run a command of the command menu; returns the dispatcher's log line."""
    s.driver("select", ids.COMMAND_MENU, command.index)
    return chosen(s.combo(ids.COMMAND_MENU)[command.index])


def wait_export(s, suffix, text, shot=None, timeout=20):
    """Wait for an export file with the suffix and exactly this text (line ends CR LF) and for
    the text editor showing it (screenshot `shot`), then close the editor; returns the file
    name."""
    wanted = b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le")

    def written():
        names = [name for name, data in s.files("_Exports").items()
                 if name.endswith(suffix) and data == wanted]
        return names[-1] if names else None
    name = wait_until(written, timeout, f"the export{suffix} with the expected text")
    name = name[len("_Exports/"):]
    assert re.fullmatch(STAMP + re.escape(suffix), name), name
    s.close_editor(name, shot)
    return name


class PreviewAndDocumentsTest(unittest.TestCase):
    def test_future_and_missed_events_file_preview_and_document_menu(self):
        # A post-event period shorter than a day: the daily event does not overlap itself.
        files = dict(event_files(WALK, BIRTHDAY, REVIEW),
                     **{"_IniFile/IniFile.csv": b"Value;Key\r\n1;[RemindHours]\r\n"})
        with Session(self, files=files) as s:
            s.register_text_editor()
            s.start(at=START)

            self.assertEqual(s.combo(ids.DOCUMENT_MENU), [
                "1. Open the Settings File",
                "2. Open the Initialization File",
                "3. Open the Emitted Reminders File",
                "4. Open the _SingleEvents File: Plan.xlsm",
                "5. Open the _PeriodicEvents File: Team.xlsm",
                "6. Open the Help.pdf File",
                "7. Open the Hilfe.pdf File",
                "8. Open the Tindlow Main Directory",
                "9. Open the _EmittedReminders Sub-directory",
                "10. Open the _Exports Sub-directory",
                "11. Open the _Help Sub-directory",
                "12. Open the _IniFile Sub-directory",
                "13. Open the _SingleEvents Sub-directory",
                "14. Open the _PeriodicEvents Sub-directory",
                "15. Open the _Settings Sub-directory",
                "16. Open the _UserDocuments Sub-directory",
                "17. Open the configured Network Path",
            ])

            # The document menu: the network path is not configured; the workbook is missing.
            s.driver("select", ids.DOCUMENT_MENU, 16)
            self.assertEqual(
                lines_after(s, chosen("17. Open the configured Network Path"), 1),
                ["No network connection was entered in the initialization file."])
            s.driver("select", ids.DOCUMENT_MENU, 3)
            report, = lines_after(s, chosen("4. Open the _SingleEvents File: Plan.xlsm"), 1)
            self.assertRegex(report, "^" + re.escape(ERROR_REPORT) + r"\d+$")
            self.assertEqual(s.lines("cursel", ids.DOCUMENT_MENU), ["3"])

            # Today and the eleven days after it (the days field holds 11).
            ahead = [TODAY + datetime.timedelta(days=n) for n in range(12)]
            expected = day_scan(s, [WALK, BIRTHDAY, REVIEW], ahead)
            self.assertEqual(len(expected), 15)
            s.click(ids.FUTURE_EVENTS)
            button = "The 'Future Events' button was pressed."
            self.assertEqual(lines_after(s, button, len(expected)), expected)
            wait_export(s, " Preview.txt", "Event Preview 11 days:\n" + "".join(expected),
                        shot="preview-in-editor")

            back = [TODAY - datetime.timedelta(days=n) for n in range(12)]
            expected = day_scan(s, [WALK, BIRTHDAY, REVIEW], back)
            self.assertEqual(len(expected), 14)
            s.click(ids.MISSED_EVENTS)
            button = "The 'Missed Events' button was pressed."
            self.assertEqual(lines_after(s, button, len(expected)), expected)
            wait_export(s, " Loop-back.txt", "Event Loop-back 11 days:\n" + "".join(expected))

            # The preview of the selected file on the file line of Plan.csv: its entries only,
            # no button message.
            file_line = f"Reading {s.windows_path(WALK.rel)}:"
            s.driver("select-line", s.log_texts().index(file_line))
            self.assertEqual(s.lines("cursel", ids.LOG_LIST),
                             [str(s.log_texts().index(file_line))])
            expected = day_scan(s, [WALK, BIRTHDAY], ahead)
            dispatched = command(s, MenuCommand.PreviewOfSelectedFile)
            self.assertEqual(lines_after(s, dispatched, len(expected)), expected)
            wait_export(s, " Preview.txt", "Event Preview 11 days:\n" + "".join(expected))

            lines = s.log_texts()
            self.assertEqual([line for line in lines if line.startswith(ERROR_REPORT)], [report])
            self.assertEqual(s.boxes(), [])


class CommandMenuTest(unittest.TestCase):
    def test_instances_reminders_date_simulation_reports_and_clipboard(self):
        family = Event("_PeriodicEvents/Family.csv", 2, BIRTHDAY.what, BIRTHDAY.text,
                       BIRTHDAY.date, BIRTHDAY.time_text, BIRTHDAY.interval, BIRTHDAY.key,
                       BIRTHDAY.occurs)
        with Session(self, files=event_files(family)) as s:
            s.register_text_editor()
            s.start(at=START)

            # No reminder was emitted yet.
            dispatched = command(s, MenuCommand.ShowLastReminders)
            _, text, _ = s.close_box()
            self.assertEqual(text, "Sorry, but the last reminders list was empty.")
            self.assertEqual(s.log_texts()[-1], dispatched)

            dispatched = command(s, MenuCommand.ListRunningInstances)
            pid = s.lines("pid")[0]
            self.assertEqual(lines_after(s, dispatched, 3), [
                "The following Tindlow instances are currently running: ",
                f"1) Tindlow Process ID = {pid}",
                DASH,
            ])

            dispatched = command(s, MenuCommand.ShowTickCount)
            tick, = lines_after(s, dispatched, 1)
            self.assertRegex(tick, r"^Tick-count value since computer start \(milli seconds\): "
                                   r"[1-9]\d*$")

            # The test reminder pops up within seconds, and Show Last Reminders lists it
            # afterwards.
            dispatched = command(s, MenuCommand.CreateTestReminder)
            _, text, _ = s.close_box(wait_ms=20000)
            self.assertEqual(text, f"Event: {TEST_TEXT}\n")
            reminder = wait_until(lambda: [line for line in s.log_texts()
                                           if line.startswith("Event: ")],
                                  20, "the log line of the test reminder")
            self.assertEqual(len(reminder), 1, reminder)
            self.assertRegex(reminder[0], "^" + re.escape(
                f"Event: {TEST_TEXT} [Input Date: 09.09.1928] [Trigger Date: 10.03.2026 09:")
                + r"\d\d:\d\d" + re.escape(
                "] [Total: 1 Reminder] [File: 17. Create a Test-Reminder] [Line: -] "
                f"[Key: {TEST_KEY}]") + "$")
            self.assertEqual(s.log_texts()[s.log_texts().index(dispatched) + 1], reminder[0])
            name = wait_until(lambda: [n for n in s.files("_Exports")
                                     if n.endswith(" Reminders.txt")],
                            20, "the reminders file")[0][len("_Exports/"):]
            s.close_editor(name)

            dispatched = command(s, MenuCommand.ShowLastReminders)
            s.wait_box()
            s.screenshot("last-reminders-box")
            _, text, icon = s.close_box()
            self.assertEqual((text, icon), (f"1) {reminder[0]}\n", "information"))
            self.assertEqual(lines_after(s, dispatched, 2), [reminder[0], DASH])

            # The log list on the clipboard, the dispatcher's line for the copy command last.
            dispatched = command(s, MenuCommand.CopyLogListToClipboard)
            # The line is read once the handler has returned, so the clipboard is filled.
            wait_until(lambda: s.log_texts()[-1] == dispatched, 20, "the dispatcher's line")
            lines = s.list_lines()
            self.assertEqual(log_text(lines[-1]), dispatched)
            clipboard = s.lines("clipboard")
            self.assertEqual(len(clipboard), 1, clipboard)
            self.assertEqual(unescape(clipboard[0]), "".join(line + "\n" for line in lines))
            self.assertEqual(s.boxes(), [])
            self.assertFalse([line for line in s.log_texts() if line.startswith(ERROR_REPORT)])

            # Date simulation: the date typed into the days field.
            s.driver("settext", ids.DAYS_FIELD, "24.12.2026")
            dispatched = command(s, MenuCommand.SimulateDate)
            expected = ["Date Simulation: 24.12.2026\n",
                        "No events were found for the simulated day."]
            self.assertEqual(lines_after(s, dispatched, 2), expected)
            wait_export(s, " DateSimulation.txt", "".join(expected))

            s.driver("settext", ids.DAYS_FIELD, "11")
            exports = set(s.files("_Exports"))
            dispatched = command(s, MenuCommand.SimulateDate)
            _, text, _ = s.close_box()
            self.assertEqual(text, "Error in the input date. The command cannot be executed.")
            self.assertEqual(s.log_texts()[-1], dispatched)
            self.assertEqual(set(s.files("_Exports")), exports)

            # A day with its event; %diff counts from the simulated year.
            s.driver("settext", ids.DAYS_FIELD, "14.03.2027")
            dispatched = command(s, MenuCommand.SimulateDate)
            expected = ["Date Simulation: 14.03.2027\n"] + numbered(
                [preview_line(s, family, datetime.date(2027, 3, 14))])
            self.assertIn("(37 years)", expected[1])
            self.assertEqual(lines_after(s, dispatched, 2), expected)
            wait_export(s, " DateSimulation.txt", "".join(expected), shot="date-simulation")

            # The complete dictionary holds the event file's entry, not the test entry.
            command(s, MenuCommand.CompleteDictionaryReport)
            name = wait_until(lambda: [n for n in s.files("_Exports")
                                     if n.endswith(" CompleteDictionaryContent.txt")],
                            20, "the complete dictionary report")[0][len("_Exports/"):]
            self.assertRegex(name, "^" + STAMP + re.escape(" CompleteDictionaryContent.txt") + "$")
            s.close_editor(name)
            report = utf16_text(s.read("_Exports/" + name))
            self.assertTrue(report.startswith(
                "Current Content of the Reminder Dictionary:\r\n"
                f"File: {s.windows_path(family.rel)}\r\nDictionary Key: {family.key}\r\n"),
                report[:300])
            self.assertIn("\r\ntriggerEventTimeSec: ", report)
            self.assertIn(" [=>14.03.2027 12:00:00]\r\n", report)
            self.assertNotIn(TEST_KEY, report)

            # The test reminder is never saved in the emitted reminders log.
            s.close()
            s.wait_exit()
            log = s.files().get("_EmittedReminders/EmittedReminders.txt", b"")
            self.assertNotIn(TEST_KEY.encode(), log)


if __name__ == "__main__":
    unittest.main(verbosity=2)
