"""Ending the program: the close sequence through the caption, and the cancel command."""

import datetime
import os
import unittest

from tindlow_e2e import Session, emitted_log_line, utf16_text

SETTINGS = b"Language = English\r\nStartPosition = 0,0\r\nPreviewLookbackDays = 11\r\n"
START = "2025-06-15 10:00:00"
OLD_TIME_NS = 1_000_000_000_000_000_000  # 2001-09-09, long before any run


class CloseTest(unittest.TestCase):
    def start(self, s):
        """Start at a fixed time with a settings file and a reminder log of that day, both
        dated long ago, and a pop-up signal raised after the start."""
        s.write("_Settings/Settings.txt", SETTINGS)
        given = datetime.datetime.fromisoformat(START) - datetime.timedelta(hours=1)
        s.write("_EmittedReminders/EmittedReminders.txt", emitted_log_line(given))
        s.start(at=START)
        for path in ("_Settings/Settings.txt", "_EmittedReminders/EmittedReminders.txt"):
            os.utime(s.path(path), ns=(OLD_TIME_NS, OLD_TIME_NS))
        s.popup_signal_file.write_bytes(b"")

    def test_close_through_the_caption_saves_exports_and_clears_the_signal(self):
        with Session(self) as s:
            self.start(s)
            lines = s.list_lines()

            s.close()
            s.wait_exit()

            settings = s.path("_Settings/Settings.txt")
            self.assertEqual(settings.read_bytes(), SETTINGS)
            self.assertNotEqual(settings.stat().st_mtime_ns, OLD_TIME_NS)
            # Rewritten: the reminder given an hour ago stays, although no loaded entry has its
            # key (its event file may be away for a while), until its occurrence is over.
            emitted = s.path("_EmittedReminders/EmittedReminders.txt")
            given = datetime.datetime.fromisoformat(START) - datetime.timedelta(hours=1)
            self.assertEqual(emitted.read_bytes(), emitted_log_line(given))
            self.assertNotEqual(emitted.stat().st_mtime_ns, OLD_TIME_NS)
            self.assertFalse(s.popup_signal_file.exists())

            exports = s.files("_Exports")
            self.assertEqual(len(exports), 1, exports.keys())
            name, content = next(iter(exports.items()))
            self.assertRegex(name, r"^_Exports/2025-06-15_\d\d\.\d\d\.\d\d ListboxContent\.txt$")
            text = utf16_text(content)
            self.assertNotRegex(text, r"[^\r]\n")
            self.assertTrue(text.endswith("\r\n"))
            expected = "".join(line + "\n" for line in lines).replace("\n", "\r\n")
            self.assertTrue(text.startswith(expected), text)

    def test_cancel_ends_without_the_close_sequence(self):
        with Session(self) as s:
            self.start(s)
            before = s.snapshot()

            s.cancel()
            s.wait_exit()

            self.assertEqual(s.snapshot(), before)
            self.assertEqual(s.files("_Exports"), {})
            self.assertTrue(s.popup_signal_file.exists())


if __name__ == "__main__":
    unittest.main(verbosity=2)
