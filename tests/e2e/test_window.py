"""The main window: captions, labels and button colours in both languages, the language switch,
the Clear Listbox button, the Stop LB Entries check box, the days field, hover highlighting and
the start position taken from the settings file."""

import unittest

from tindlow_e2e import (ENGLISH_CAPTIONS, ENGLISH_COMMANDS, GERMAN_CAPTIONS, GERMAN_COMMANDS,
                         Session, ids, log_number, wait_until)

TITLE = "Tindlow v1.40 (a) Instance 1"

BUTTONS = [ids.FUTURE_EVENTS, ids.MISSED_EVENTS, ids.RELOAD_DATA, ids.OPEN_HELP,
           ids.OPEN_DIRECTORY, ids.HIDE_WINDOW, ids.SWITCH_LANGUAGE, ids.CLEAR_LISTBOX]
NORMAL_FACES = {
    ids.FUTURE_EVENTS: "255,239,213", ids.MISSED_EVENTS: "240,255,240",
    ids.RELOAD_DATA: "255,105,180", ids.OPEN_HELP: "171,130,255",
    ids.OPEN_DIRECTORY: "255,127,36", ids.HIDE_WINDOW: "230,230,250",
    ids.SWITCH_LANGUAGE: "240,255,240", ids.CLEAR_LISTBOX: "255,225,255",
}
HOVER_FACE = "255,0,0"

SWITCH_PRESSED = "The 'Switch Language' button was pressed."
# Our German wording of the same log message.
SWITCH_PRESSED_GERMAN = "Der Button 'Sprache Wechseln' wurde gedr\u00fcckt."
CLEAR_PRESSED = "The 'Clear Listbox' button was pressed."
ENTRIES_STOPPED = "The 'Stop Listbox checkmark was checked."
ENTRIES_RESUMED = "The 'Stop Listbox checkmark was unchecked."
WRONG_CHARACTER = "Wrong character detected in days input field: "
Y_CORRECTED = ("The saved y start position of the Tindlow window was not plausible and was "
               "corrected.")

VK_RETURN = "0D"


def settings(language="English", position="0,0", days=11):
    return (f"Language = {language}\r\nStartPosition = {position}\r\n"
            f"PreviewLookbackDays = {days}\r\n").encode()


def numbered(number, text):
    return f"{number:03d}   {text}"


class WindowTest(unittest.TestCase):
    def assert_texts(self, s, expected):
        self.assertEqual({cid: s.text(cid) for cid in expected}, expected)

    def assert_normal_faces(self, s):
        self.assertEqual({cid: s.driver("face", cid).strip() for cid in BUTTONS}, NORMAL_FACES)

    def move_cursor_onto(self, s, control_id):
        left, top, right, bottom = s.rect(control_id)
        s.driver("cursor", (left + right) // 2, (top + bottom) // 2)

    def wait_face(self, s, control_id, colour):
        wait_until(lambda: s.driver("face", control_id).strip() == colour,
                   what=f"face {colour} on button {control_id}")

    def test_english_window_with_its_colours_and_the_hover_highlight(self):
        with Session(self) as s:
            s.start()
            # Keep the cursor well away from the window before looking at the faces.
            s.driver("cursor", 1500, 950)
            self.wait_face(s, ids.RELOAD_DATA, NORMAL_FACES[ids.RELOAD_DATA])
            s.screenshot("english")

            self.assertEqual(s.title(), TITLE)
            self.assert_texts(s, ENGLISH_CAPTIONS)
            self.assertEqual(s.text(ids.DAYS_FIELD), "11")
            self.assertEqual(s.combo(ids.COMMAND_MENU), ENGLISH_COMMANDS)
            self.assert_normal_faces(s)

            self.move_cursor_onto(s, ids.RELOAD_DATA)
            self.wait_face(s, ids.RELOAD_DATA, HOVER_FACE)
            s.screenshot("hover-reload-data")
            self.assertEqual(s.driver("face", ids.FUTURE_EVENTS).strip(),
                             NORMAL_FACES[ids.FUTURE_EVENTS])

            # Straight from one button to another: the first gets its own colour back.
            self.move_cursor_onto(s, ids.FUTURE_EVENTS)
            self.wait_face(s, ids.FUTURE_EVENTS, HOVER_FACE)
            self.wait_face(s, ids.RELOAD_DATA, NORMAL_FACES[ids.RELOAD_DATA])

            s.driver("cursor", 1500, 950)
            self.wait_face(s, ids.FUTURE_EVENTS, NORMAL_FACES[ids.FUTURE_EVENTS])
            self.assert_normal_faces(s)

    def test_switching_the_language_there_and_back(self):
        with Session(self) as s:
            s.start()
            s.driver("cursor", 1500, 950)

            s.click(ids.SWITCH_LANGUAGE)
            wait_until(lambda: s.text(ids.FUTURE_EVENTS) == GERMAN_CAPTIONS[ids.FUTURE_EVENTS],
                       what="the German caption")
            s.screenshot("german-after-switch")
            self.assert_texts(s, GERMAN_CAPTIONS)
            self.assertEqual(s.combo(ids.COMMAND_MENU), GERMAN_COMMANDS)
            self.assertEqual(s.driver("cursel", ids.COMMAND_MENU).strip(), "0")
            self.assert_normal_faces(s)
            # The title keeps the instance word of the start.
            self.assertEqual(s.title(), TITLE)
            lines = s.list_lines()
            # The switch logs in the language it leaves.
            self.assertEqual(lines[-1], numbered(log_number(lines[-2]) + 1, SWITCH_PRESSED))

            s.click(ids.SWITCH_LANGUAGE)
            wait_until(lambda: s.text(ids.FUTURE_EVENTS) == ENGLISH_CAPTIONS[ids.FUTURE_EVENTS],
                       what="the English caption")
            self.assert_texts(s, ENGLISH_CAPTIONS)
            self.assertEqual(s.combo(ids.COMMAND_MENU), ENGLISH_COMMANDS)
            self.assertEqual(s.driver("cursel", ids.COMMAND_MENU).strip(), "0")
            self.assertEqual(s.title(), TITLE)
            self.assertEqual(s.list_lines(), lines + [
                numbered(log_number(lines[-1]) + 1, SWITCH_PRESSED_GERMAN)])

    def test_clear_listbox_and_the_stop_entries_check_box(self):
        with Session(self) as s:
            s.start()
            last = log_number(s.list_lines()[-1])

            s.click(ids.CLEAR_LISTBOX)
            cleared = [numbered(last + 1, CLEAR_PRESSED)]
            wait_until(lambda: s.list_lines() == cleared, what="the cleared list")

            s.click(ids.STOP_ENTRIES)
            stopped = cleared + [numbered(last + 2, ENTRIES_STOPPED)]
            wait_until(lambda: s.list_lines() == stopped, what="the checked message")
            self.assertEqual(s.driver("checked", ids.STOP_ENTRIES).strip(), "1")

            # Buttons that log (and Reload Data logs a good deal) add nothing now. The clicks
            # are handled in order, so once the list is empty all of them are done.
            for button in (ids.RELOAD_DATA, ids.SWITCH_LANGUAGE, ids.SWITCH_LANGUAGE,
                           ids.CLEAR_LISTBOX):
                s.click(button)
            wait_until(lambda: s.list_lines() == [], what="the emptied list")
            self.assertEqual(s.text(ids.FUTURE_EVENTS), ENGLISH_CAPTIONS[ids.FUTURE_EVENTS])

            s.click(ids.STOP_ENTRIES)
            wait_until(lambda: s.list_lines(), what="the unchecked message")
            self.assertEqual(s.list_lines(), [numbered(last + 3, ENTRIES_RESUMED)])
            self.assertEqual(s.driver("checked", ids.STOP_ENTRIES).strip(), "0")

    def test_days_field_input_enter_and_the_saved_value(self):
        with Session(self) as s:
            s.start()

            def focused(control_id):
                return s.driver("focused").strip() == str(control_id)

            lines = s.list_lines()

            # Entering the field empties it; three seconds after the last digit the tick takes
            # the number, silently, and hands the focus to the log list.
            s.driver("focus", ids.DAYS_FIELD)
            wait_until(lambda: focused(ids.DAYS_FIELD) and s.text(ids.DAYS_FIELD) == "",
                       what="the emptied days field")
            s.driver("key", ids.DAYS_FIELD, "33", "30")
            wait_until(lambda: focused(ids.LOG_LIST), what="the days check")
            self.assertEqual(s.text(ids.DAYS_FIELD), "30")
            self.assertEqual(s.list_lines(), lines)

            # Enter in the days field is swallowed; the wrong character is reported and the
            # field shows the days value again.
            s.driver("focus", ids.DAYS_FIELD)
            wait_until(lambda: focused(ids.DAYS_FIELD), what="the focus in the days field")
            s.driver("key", ids.DAYS_FIELD, "31", "32", VK_RETURN, "41")
            wait_until(lambda: focused(ids.LOG_LIST), what="the days check")
            self.assertEqual(s.text(ids.DAYS_FIELD), "30")
            last = log_number(lines[-1])
            lines.append(numbered(last + 1, WRONG_CHARACTER + "a"))
            self.assertEqual(s.list_lines(), lines)

            # Enter on a button neither clicks it nor ends the dialog: the next logged line
            # follows straight on.
            s.driver("focus", ids.SWITCH_LANGUAGE)
            wait_until(lambda: focused(ids.SWITCH_LANGUAGE), what="the focus on Switch Language")
            s.driver("key", ids.SWITCH_LANGUAGE, VK_RETURN)
            s.click(ids.CLEAR_LISTBOX)
            wait_until(lambda: s.list_lines() == [numbered(last + 2, CLEAR_PRESSED)],
                       what="the cleared list")
            self.assertEqual(s.text(ids.FUTURE_EVENTS), ENGLISH_CAPTIONS[ids.FUTURE_EVENTS])
            self.assertEqual(s.visible(), (True, False))

            s.close()
            s.wait_exit()
            self.assertEqual(s.read("_Settings/Settings.txt"), settings(days=30))

    def test_settings_file_sets_language_position_and_days_at_start(self):
        files = {"_Settings/Settings.txt": settings("German", "120,90", 25)}
        with Session(self, files=files) as s:
            s.start()
            s.driver("cursor", 1500, 950)
            self.wait_face(s, ids.RELOAD_DATA, NORMAL_FACES[ids.RELOAD_DATA])
            s.screenshot("german")

            self.assertEqual(s.title(), "Tindlow v1.40 (a) Instanz 1")
            self.assertEqual(s.rect()[:2], (120, 90))
            self.assertEqual(s.text(ids.DAYS_FIELD), "25")
            self.assert_texts(s, GERMAN_CAPTIONS)
            self.assertEqual(s.combo(ids.COMMAND_MENU), GERMAN_COMMANDS)
            self.assert_normal_faces(s)
            self.assertEqual(s.boxes(), [])

    def test_start_position_above_the_screen_is_corrected(self):
        files = {"_Settings/Settings.txt": settings(position="300,-5")}
        with Session(self, files=files) as s:
            s.start(wait=False)
            s.wait_window()
            _, text, _ = s.close_box()
            self.assertEqual(text, Y_CORRECTED)
            s.wait_ready()

            self.assertEqual(s.boxes(), [])
            self.assertEqual(s.rect()[:2], (0, 0))
            s.close()
            s.wait_exit()
            self.assertEqual(s.read("_Settings/Settings.txt"), settings(position="0,0"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
