"""What the log list shows on the screen: its lines after a loading, and a new line at once, also
when the program goes on with other work before it reads its next message.

A list box moves its pixels up as soon as a new line scrolls it, but draws the row it uncovers
only when its paint message comes; a program that is busy after the line (a message box being
built, a wait) would meanwhile show the old bottom line twice or more."""

import re
import unittest

from tindlow_e2e import ROOT, Session, ids, wait_until

EXAMPLES = ROOT / "examples"
# A time at which none of the example events is inside its remind period.
QUIET = "2026-03-10 03:00:00"
ROW_HEIGHT = 14  # the log list's font cell height
HIDE_PRESSED = "The 'Hide Window' button was pressed."


def event_file_lines(s):
    """How many log lines reading all event files gives: per file its line, one line per line of
    the file and the dash line."""
    count = 0
    for directory in ("_SingleEvents", "_PeriodicEvents"):
        for path in sorted(s.path(directory).glob("*.csv")):
            content = path.read_bytes().replace(b"\r\n", b"\n").rstrip(b"\n")
            count += 2 + len(content.split(b"\n"))
    return count


class LogPaintingTest(unittest.TestCase):
    def assertScreenShowsTheList(self, s, name):
        self.assertRegex(s.repaint_check(name), r"^equal ")

    def test_after_a_loading_the_screen_shows_the_lines_of_the_list(self):
        with Session(self, source=EXAMPLES) as s:
            s.start(at=QUIET)
            lines = s.log_texts()
            # More lines than the list shows: the loading scrolled it with redraw switched off.
            _, top, _, bottom = s.rect(ids.LOG_LIST)
            self.assertGreater(len(lines) * ROW_HEIGHT, bottom - top)
            self.assertScreenShowsTheList(s, "start")

            s.click(ids.RELOAD_DATA)
            expected = len(lines) + 2 + event_file_lines(s)
            wait_until(lambda: len(s.list_lines()) >= expected, 30, "the reloaded lines")
            self.assertEqual(len(s.list_lines()), expected)
            self.assertScreenShowsTheList(s, "reload")

    def test_a_new_line_is_drawn_before_the_program_goes_on(self):
        # Hide Window logs its line and then waits a second before the window goes: the list
        # is watched during that wait. Watching needs a few looks at the shown window; a
        # machine too busy to take them is given another try.
        with Session(self, source=EXAMPLES) as s:
            s.start(at=QUIET)
            for attempt in range(1, 4):
                answer = s.lines("watch-unpainted", ids.HIDE_WINDOW, 30000)[0]
                samples, unpainted = map(int, re.fullmatch(r"samples (\d+) unpainted (\d+)",
                                                           answer).groups())
                wait_until(lambda: s.visible() == (False, False), 30, "the hidden window")
                # Unmended, every look of the second's wait finds the list unpainted. The first
                # looks may fall before the click's handler has drawn the new line, which a
                # busy machine can hold apart for a moment; the rest of the wait must be clean.
                self.assertLessEqual(unpainted, max(2, samples // 4), answer)

                # The pop-up signal shows the window again; it is shown as long as the file
                # exists.
                s.popup_signal_file.write_bytes(b"")
                wait_until(lambda: s.visible() == (True, False), 30, "the shown window")
                s.popup_signal_file.unlink()
                lines = s.log_texts()
                self.assertEqual(lines[-1], HIDE_PRESSED)
                self.assertEqual(lines.count(HIDE_PRESSED), attempt)
                self.assertScreenShowsTheList(s, f"shown-{attempt}")
                if samples >= 3:
                    break
            else:
                self.fail("the list was never watched while the window waited to be hidden")


if __name__ == "__main__":
    unittest.main(verbosity=2)
