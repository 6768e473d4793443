"""Start-up: the directory layout, the settings file and the window title."""

import datetime
import os
import unittest

from tindlow_e2e import Session, emitted_log_line

SUB_DIRECTORIES = ["_Settings", "_IniFile", "_PeriodicEvents", "_SingleEvents",
                   "_EmittedReminders", "_Exports", "_UserDocuments", "_Help"]
DEFAULT_SETTINGS = b"Language = English\r\nStartPosition = 0,0\r\nPreviewLookbackDays = 11\r\n"
START = "2025-06-15 10:00:00"


class StartupTest(unittest.TestCase):
    def test_empty_directory_gets_the_layout_and_default_settings(self):
        with Session(self) as s:
            self.assertFalse(s.temp_dir.exists())
            program = s.start()
            s.screenshot("started")

            self.assertEqual(program.title, "Tindlow v1.40 (a) Instance 1")
            self.assertEqual(s.title(), "Tindlow v1.40 (a) Instance 1")
            directories = sorted(p.name for p in s.program_dir.iterdir() if p.is_dir())
            self.assertEqual(directories, sorted(SUB_DIRECTORIES))
            self.assertTrue(s.temp_dir.is_dir())
            self.assertEqual(s.read("_EmittedReminders/EmittedReminders.txt"), b"")
            self.assertEqual(s.read("_Settings/Settings.txt"), DEFAULT_SETTINGS)

    def test_existing_files_are_left_unchanged(self):
        logged = datetime.datetime.fromisoformat(START) - datetime.timedelta(hours=1)
        emitted = emitted_log_line(logged)
        files = {
            "_Settings/Settings.txt":
                b"Language = German\r\nStartPosition = 100,80\r\nPreviewLookbackDays = 25\r\n",
            "_EmittedReminders/EmittedReminders.txt": emitted,
            "_UserDocuments/Notes ä.txt": b"my own notes\r\n",
        }
        with Session(self, files=files) as s:
            for path in files:
                # A time far from the start shows any rewrite.
                os.utime(s.path(path), ns=(1_000_000_000_000_000_000,) * 2)
            before = s.snapshot()

            s.start(at=START)

            self.assertEqual(s.snapshot(), before)

    def test_pop_up_signal_file_left_by_an_earlier_run_is_deleted(self):
        with Session(self) as s:
            s.temp_dir.mkdir()
            s.popup_signal_file.write_bytes(b"")

            s.start()

            self.assertFalse(s.popup_signal_file.exists())


if __name__ == "__main__":
    unittest.main(verbosity=2)
