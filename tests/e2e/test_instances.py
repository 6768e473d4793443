"""Several running instances: their numbered titles, and that only the first may hide its window.

The unhide key sequence (Shift, Ctrl, D, R) is not driven here: Wine keeps the "pressed since the
last poll" bit of GetAsyncKeyState only for the sided codes (left/right Shift and Ctrl), never
for the plain VK_SHIFT and VK_CONTROL that the sequence polls, so under Wine the sequence cannot
get past its first step. The unit tests cover it with a fake key poll.
"""

import time
import unittest

from tindlow_e2e import Session, ids, log_number, wait_until

FIRST = "Tindlow v1.40 (a) Instance 1"
SECOND = "Tindlow v1.40 (a) Instance 2"

HIDE_PRESSED = "The 'Hide Window' button was pressed."
HIDE_REJECTED = "Hiding request is rejected. Only the first instance is allowed to be hidden."
CLEAR_PRESSED = "The 'Clear Listbox' button was pressed."


class InstancesTest(unittest.TestCase):
    def test_second_instance_is_numbered_and_only_the_first_hides(self):
        with Session(self) as s:
            first = s.start()
            second = s.start()
            self.assertEqual(first.title, FIRST)
            self.assertEqual(second.title, SECOND)
            self.assertEqual(s.titles(), [FIRST, SECOND])
            s.screenshot("two-instances")

            # The second instance refuses and stays. Clear Listbox behind it shows that the
            # Hide Window handler has finished.
            last = log_number(s.list_lines(title=SECOND, exact=True)[-1])
            s.click(ids.HIDE_WINDOW, title=SECOND, exact=True)
            s.wait_for_line(HIDE_REJECTED, title=SECOND, exact=True)
            self.assertEqual(s.list_lines(title=SECOND, exact=True)[-2:], [
                f"{last + 1:03d}   {HIDE_PRESSED}", f"{last + 2:03d}   {HIDE_REJECTED}"])
            s.click(ids.CLEAR_LISTBOX, title=SECOND, exact=True)
            wait_until(lambda: s.list_lines(title=SECOND, exact=True) ==
                       [f"{last + 3:03d}   {CLEAR_PRESSED}"], what="the cleared list")
            self.assertEqual(s.visible(title=SECOND, exact=True), (True, False))

            # The first one hides, also after a switch to German: its title keeps the
            # instance word of the start.
            s.click(ids.SWITCH_LANGUAGE, title=FIRST, exact=True)
            wait_until(lambda: s.text(ids.FUTURE_EVENTS, title=FIRST, exact=True) ==
                       "Künftige Ereignisse", what="the German caption")
            self.assertEqual(s.title(title=FIRST, exact=True), FIRST)
            s.click(ids.HIDE_WINDOW, title=FIRST, exact=True)
            wait_until(lambda: not s.visible(title=FIRST, exact=True)[0],
                       what="the hidden first window")
            s.screenshot("first-hidden")
            self.assertEqual(s.visible(title=SECOND, exact=True), (True, False))
            self.assertTrue(first.running())

            # The pop-up signal file brings it back.
            s.popup_signal_file.write_bytes(b"")
            wait_until(lambda: s.visible(title=FIRST, exact=True)[0],
                       what="the first window shown again")
            s.popup_signal_file.unlink()
            self.assertEqual(s.visible(title=FIRST, exact=True), (True, False))


if __name__ == "__main__":
    unittest.main(verbosity=2)
