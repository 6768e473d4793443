"""The whole tour of the real program, as a user takes it, in one language: start with the
example program directory, the start-up log, a reminder with its box, Future and Missed Events,
Open Help and Open Directory, every entry of the document menu, every command of the command
menu, Hide Window and the pop-up signal, Stop LB Entries, Clear Listbox, the language switch and
back, the close and a restart. Each step is checked by what the window, the boxes, the opened
windows and the files show.

The shell opens .txt, .pdf and .xlsm files with the text editor here, so that every document the
program opens shows up as a window whose title names the file."""

import datetime
import re
import subprocess
import time
from pathlib import Path

from tindlow_e2e import (DASH, ENGLISH_CAPTIONS, ENGLISH_COMMANDS, ERROR_REPORT, GERMAN_CAPTIONS,
                         GERMAN_COMMANDS, HEADER, MenuCommand, Session, ids, unescape, utf16_text,
                         wait_until)

EXAMPLES = Path(__file__).resolve().parents[2] / "examples"
TOUR_KEY = "[11.12.2026-08:00:00-111111111-222222222]"
# An event a minute before the start: its missed reminder comes at once.
TOUR_EVENTS = (HEADER + f"Call;with the tour guide;11.12.2026;0,374305555555556;0;0;;{TOUR_KEY};"
                        f"2\r\n".encode())
START = "2026-12-11 09:00:00"
STAMP = r"2026-12-11_09\.\d\d\.\d\d"
EVENT_FILES = ["_SingleEvents/Appointments.csv", "_SingleEvents/Tour.csv",
               "_PeriodicEvents/Birthdays.csv", "_PeriodicEvents/Duties.csv"]
VK_F4 = "73"  # opens and closes a drop-down list
DIRECTORIES = ["Program", "_EmittedReminders", "_Exports", "_Help", "_IniFile", "_SingleEvents",
               "_PeriodicEvents", "_Settings", "_UserDocuments"]


class Texts:
    """The texts of one language that the tour sees."""

    def __init__(self, language, captions, commands, **texts):
        self.language, self.captions, self.commands = language, captions, commands
        self.__dict__.update(texts)

    def chosen(self, text):
        return self.chosen_form.format(text)


ENGLISH_TEXTS = Texts(
    "English", ENGLISH_CAPTIONS, ENGLISH_COMMANDS,
    title="Tindlow v1.40 (a) Instance 1", reading="Reading ", line="Line ", event="Event",
    chosen_form="The Combo-box command '{}' was selected.",
    documents=["1. Open the Settings File", "2. Open the Initialization File",
               "3. Open the Emitted Reminders File",
               "4. Open the _SingleEvents File: Appointments.xlsm",
               "5. Open the _SingleEvents File: Tour.xlsm",
               "6. Open the _PeriodicEvents File: Birthdays.xlsm",
               "7. Open the _PeriodicEvents File: Duties.xlsm",
               "8. Open the Help.pdf File", "9. Open the Hilfe.pdf File",
               "10. Open the Tindlow Main Directory",
               "11. Open the _EmittedReminders Sub-directory",
               "12. Open the _Exports Sub-directory", "13. Open the _Help Sub-directory",
               "14. Open the _IniFile Sub-directory", "15. Open the _SingleEvents Sub-directory",
               "16. Open the _PeriodicEvents Sub-directory",
               "17. Open the _Settings Sub-directory", "18. Open the _UserDocuments Sub-directory",
               "19. Open the configured Network Path"],
    future="The 'Future Events' button was pressed.",
    missed="The 'Missed Events' button was pressed.",
    help="The 'Open Help' button was pressed.", help_file="Help.pdf",
    directory="The 'Open Directory' button was pressed.",
    hide="The 'Hide Window' button was pressed.",
    switch="The 'Switch Language' button was pressed.",
    clear="The 'Clear Listbox' button was pressed.",
    stopped="The 'Stop Listbox checkmark was checked.",
    resumed="The 'Stop Listbox checkmark was unchecked.",
    error_report=ERROR_REPORT,
    no_network="No network connection was entered in the initialization file.",
    instances="The following Tindlow instances are currently running: ",
    process="Tindlow Process ID = ",
    identified="The identified file path and name is: ", row="The row number is: ",
    key="The reminder key is: ",
    test_reminder="The user has triggered a test-reminder.",
    simulation="Date Simulation: ",
    tick="Tick-count value since computer start (milli seconds): ",
    input_date="Input Date: ", trigger_date="Trigger Date: ",
    preview=" Preview.txt", lookback=" Loop-back.txt", last_reminders=" Reminders.txt",
    complete=" CompleteDictionaryContent.txt", today=" TodaysDictionaryContent.txt",
    simulated=" DateSimulation.txt", listbox=" ListboxContent.txt",
)

GERMAN_TEXTS = Texts(
    "German", GERMAN_CAPTIONS, GERMAN_COMMANDS,
    title="Tindlow v1.40 (a) Instanz 1", reading="Lese ", line="Zeile ", event="Ereignis",
    chosen_form="Der Combo-Box Befehl '{}' wurde ausgewählt.",
    documents=["1. Öffne die Einstellungen-Datei", "2. Öffne die Initialisierungs-Datei",
               "3. Öffne die Ausgesendete-Erinnerungen-Datei",
               "4. Öffne die _SingleEvents Datei: Appointments.xlsm",
               "5. Öffne die _SingleEvents Datei: Tour.xlsm",
               "6. Öffne die _PeriodicEvents Datei: Birthdays.xlsm",
               "7. Öffne die _PeriodicEvents Datei: Duties.xlsm",
               "8. Öffne die Help.pdf Datei", "9. Öffne die Hilfe.pdf Datei",
               "10. Öffne das Tindlow Hauptverzeichnis",
               "11. Öffne das _EmittedReminders Unterverzeichnis",
               "12. Öffne das _Exports Unterverzeichnis", "13. Öffne das _Help Unterverzeichnis",
               "14. Öffne das _IniFile Unterverzeichnis",
               "15. Öffne das _SingleEvents Unterverzeichnis",
               "16. Öffne das _PeriodicEvents Unterverzeichnis",
               "17. Öffne das _Settings Unterverzeichnis",
               "18. Öffne das _UserDocuments Unterverzeichnis",
               "19. Öffne den konfigurierten Netzwerkpfad"],
    future="Der Button 'Künftige Ereignisse' wurde gedrückt.",
    missed="Der Button 'Verpasste Ereignisse' wurde gedrückt.",
    help="Der Button 'Öffne die Hilfe' wurde gedrückt.", help_file="Hilfe.pdf",
    directory="Der Button 'Öffne Verzeichnis' wurde gedrückt.",
    hide="Der Button 'Fenster Unsichtbar' wurde gedrückt.",
    switch="Der Button 'Sprache Wechseln' wurde gedrückt.",
    clear="Der Button 'Lösche Listbox' wurde gedrückt.",
    stopped="Das Häkchen 'Stoppe Einträge' wurde gesetzt.",
    resumed="Das Häkchen 'Stoppe Einträge' wurde entfernt.",
    error_report="Ein Fehler ist aufgetreten. Der Windows Fehlercode war: ",
    no_network="In der Initialisierungsdatei wurde keine Netzwerkverbindung eingetragen.",
    instances="Die folgenden Tindlow Instanzen laufen aktuell: ",
    process="Tindlow Prozess ID = ",
    identified="Der ermittelte Dateipfad und Name lautet: ", row="Die Zeilennummer lautet: ",
    key="Der Reminder Schlüssel lautet: ",
    test_reminder="Der Benutzer hat einen Test-Erinnerung ausgelöst.",
    simulation="Simulation eines Datums: ",
    tick="Tick-Count Wert seit dem Computer Start (Millisekunden): ",
    input_date="Eingabedatum: ", trigger_date="Trigger Datum: ",
    preview=" Vorschau.txt", lookback=" Rückschau.txt", last_reminders=" Erinnerungen.txt",
    complete=" KompletterDictionaryInhalt.txt", today=" HeutigerDictionaryInhalt.txt",
    simulated=" DatumSimulation.txt", listbox=" ListboxContent.txt",
)


def other(texts):
    return GERMAN_TEXTS if texts is ENGLISH_TEXTS else ENGLISH_TEXTS


class Tour:
    def __init__(self, test, texts):
        self.test, self.t = test, texts
        self.s = self.keeper = None
        self.seen = 0  # log lines already looked at
        self.exports = set()  # export files already looked at

    # --- what the window shows ---

    def new_lines(self, count=0, timeout=20, until=None):
        """The next log lines after the ones already looked at: exactly `count` of them, or
        those up to the first that contains `until`, or (neither given) all there are now.
        They count as looked at."""
        def ready():
            lines = self.s.log_texts()[self.seen:]
            if until is not None:
                ends = [i for i, line in enumerate(lines) if until in line]
                return [lines[:ends[0] + 1]] if ends else None
            if len(lines) < count:
                return None
            return [lines[:count] if count else lines]  # true also when there are none
        lines, = wait_until(ready, timeout, f"{count} new log lines" + (
            f" up to {until!r}" if until else ""))
        self.seen += len(lines)
        return lines

    def other_windows(self):
        return [title for title in self.s.titles("") if title and title != "Default IME"
                and not title.startswith("Tindlow")]

    def wait_window(self, title):
        wait_until(lambda: title in self.other_windows(), 30, f"the window {title!r}")

    def keep_the_desktop(self):
        """Under Wine the file browsers live in the process of the desktop, which ends when the
        last browser is closed, and every window the driver could find goes with it. A browser
        of a directory the tour never opens stays open for the whole session."""
        self.keeper = subprocess.Popen([self.s.wine, "explorer", "C:\\windows"],
                                       env=self.s.env(), stdin=subprocess.DEVNULL,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_window("windows")

    def wait_browser(self, action, directory):
        """Run the action, wait for the file browser showing the directory, and close it."""
        action()
        self.wait_and_close(directory)

    def wait_and_close(self, title):
        """Wait for the window with the title (a file in the editor, a directory in the file
        browser) and close it."""
        self.wait_window(title)
        self.close_window(title)

    def close_window(self, title):
        self.s.driver("close", title=title, exact=True)
        wait_until(lambda: title not in self.other_windows(), 30, f"the end of {title!r}")

    def wait_export(self, suffix):
        """Wait for the newest export with the suffix to show in the text editor, close the
        editor, and answer the export's text."""
        def written():
            names = sorted(name for name in self.s.files("_Exports")
                           if name.endswith(suffix) and name not in self.exports)
            return names[-1] if names else None
        name = wait_until(written, 20, f"a new export{suffix}")
        self.exports.add(name)
        name = name[len("_Exports/"):]
        self.test.assertRegex(name, "^" + STAMP + re.escape(suffix) + "$")
        self.s.close_editor(name)
        return utf16_text(self.s.read("_Exports/" + name))

    def choose(self, menu, index, text):
        self.s.driver("select", menu, index)
        self.test.assertEqual(self.new_lines(1)[0], self.t.chosen(text))

    def select_line(self, containing):
        lines = self.s.log_texts()
        self.s.driver("select-line", max(i for i, line in enumerate(lines) if containing in line))

    # --- the tour ---

    def run(self):
        t = self.t
        files = {"_SingleEvents/Tour.csv": TOUR_EVENTS,
                 # A workbook beside the event file, so that the key lookup opens it.
                 "_SingleEvents/Tour.xlsm": b"the workbook of Tour.csv\r\n",
                 "_Settings/Settings.txt": (f"Language = {t.language}\r\nStartPosition = 0,0\r\n"
                                            f"PreviewLookbackDays = 11\r\n").encode()}
        with Session(self.test, files=files, source=EXAMPLES) as s:
            self.s = s
            s.register_text_editor(".txt", ".pdf", ".xlsm")
            self.keep_the_desktop()
            s.start(at=START)
            self.start_up()
            self.reminder()
            self.previews()
            self.buttons_that_open()
            self.document_menu()
            self.command_menu()
            self.hide_and_pop_up()
            self.stop_entries_and_clear()
            self.switch_language()
            self.close_and_restart()
        self.keeper.wait(timeout=60)  # it ends with the session's Wine server

    def assert_menus(self, texts):
        """Both menus hold the language's entries; the drop-down list of the commands, whose
        longer texts do not fit the box, is wider than the box."""
        s = self.s
        self.test.assertEqual(s.combo(ids.COMMAND_MENU), texts.commands)
        self.test.assertEqual(s.combo(ids.DOCUMENT_MENU), texts.documents)
        dropped, box = map(int, s.lines("dropped-width", ids.COMMAND_MENU)[0].split())
        self.test.assertGreater(dropped, box)
        s.driver("key", ids.COMMAND_MENU, VK_F4)
        s.screenshot(f"commands-{texts.language.lower()}")
        s.driver("key", ids.COMMAND_MENU, VK_F4)

    def start_up(self):
        t, s = self.t, self.s
        self.test.assertEqual(s.title(), t.title)
        self.test.assertEqual({cid: s.text(cid) for cid in t.captions}, t.captions)
        self.assert_menus(t)
        lines = self.new_lines(until=t.event + ": ")
        for rel in ["_IniFile/IniFile.csv"] + EVENT_FILES:
            self.test.assertIn(t.reading + s.windows_path(rel) + ":", lines)
        self.test.assertIn(t.line + "01: " + HEADER.decode().rstrip(), lines)
        self.test.assertIn(t.line + "03: Mother;;22.06.1957;;;;;"
                           "[01.03.2018-09:00:00-100000001-200000001];3", lines)
        self.test.assertFalse([line for line in lines if t.error_report in line])

    def reminder(self):
        """The call at the start time and the plants watered on Wednesday, missed: one box."""
        t, s = self.t, self.s
        text, _ = s.settled_box()
        self.test.assertEqual(
            text, f"1) {t.event}: Plants Water the plants\n2) {t.event}: Call with the tour guide\n")
        # While the window flashes, the window manager hands the front to another window at each
        # minimise; the flashing ends with the window shown and its box in front.
        self.wait_flashing_over()
        # The icon is read from the screen's colours, which a busy machine may paint late.
        wait_until(lambda: s.boxes()[0][2] == "stop", 20, "the stop icon of the box")
        s.screenshot("reminder-box")
        self.test.assertEqual(s.lines("foreground"), ["Tindlow"])  # the box, in front
        s.close_box()
        logged = [line for line in s.log_texts() if line.startswith(t.event + ": Call")]
        self.test.assertEqual(len(logged), 1, logged)
        self.test.assertIn(f"[{t.input_date}11.12.2026] [{t.trigger_date}11.12.2026 09:00:",
                           logged[0])
        self.test.assertTrue(logged[0].endswith(f"[Key: {TOUR_KEY}]"), logged[0])
        reminders = self.wait_export(" Reminders.txt")
        self.test.assertIn(f"{t.event}: Call with the tour guide", reminders)
        wait_until(lambda: TOUR_KEY.encode() in s.read("_EmittedReminders/EmittedReminders.txt"),
                   20, "the tour's reminder in the emitted reminders log")
        self.new_lines()

    def previews(self):
        """Jörg's birthday on the 14th lies ahead, the plants of the 9th behind."""
        t, s = self.t, self.s
        s.click(ids.FUTURE_EVENTS)
        lines = self.new_lines(until="Jörg")
        self.test.assertEqual(lines[0], t.future)
        self.test.assertIn(f"{t.event}: Jörg [{t.input_date}14.12.1984] [{t.trigger_date}"
                           f"14.12.2026 09:00:00]", "".join(lines))
        self.test.assertIn("Jörg", self.wait_export(t.preview))
        self.new_lines()  # the rest of the preview

        s.click(ids.MISSED_EVENTS)
        lines = self.new_lines(until="09.12.2026 18:00:00")
        self.test.assertEqual(lines[0], t.missed)
        self.test.assertIn(f"{t.event}: Plants Water the plants [{t.input_date}07.01.2026] "
                           f"[{t.trigger_date}09.12.2026 18:00:00]", "".join(lines))
        self.test.assertIn("Plants", self.wait_export(t.lookback))
        self.new_lines()

    def buttons_that_open(self):
        t, s = self.t, self.s
        s.click(ids.OPEN_HELP)
        self.test.assertEqual(self.new_lines(1), [t.help])
        self.wait_and_close(t.help_file + " - Notepad")
        self.wait_browser(lambda: s.click(ids.OPEN_DIRECTORY), "Program")
        self.test.assertEqual(self.new_lines(1), [t.directory])

    def document_menu(self):
        """Files open in the editor, directories in the file browser; the workbooks the
        examples do not have are reported missing (Windows error 2)."""
        t, s = self.t, self.s
        opened = {0: "Settings.txt - Notepad", 2: "EmittedReminders.txt - Notepad",
                  4: "Tour.xlsm - Notepad", 7: "Help.pdf - Notepad", 8: "Hilfe.pdf - Notepad"}
        browsed = {9 + i: name for i, name in enumerate(DIRECTORIES)}
        for index, entry in enumerate(t.documents):
            if index in browsed:
                self.wait_browser(lambda: self.choose(ids.DOCUMENT_MENU, index, entry),
                                  browsed[index])
                self.test.assertEqual(s.log_texts()[self.seen:], [], entry)
                continue
            self.choose(ids.DOCUMENT_MENU, index, entry)
            if index in opened:
                self.wait_and_close(opened[index])
                self.test.assertEqual(s.log_texts()[self.seen:], [], entry)
            elif index == 18:
                self.test.assertEqual(self.new_lines(1), [t.no_network])
            else:
                self.test.assertEqual(self.new_lines(1), [t.error_report + "2"], entry)

    def command(self, command):
        self.choose(ids.COMMAND_MENU, command.index, self.t.commands[command.index])

    def command_menu(self):
        t, s = self.t, self.s

        self.command(MenuCommand.ListRunningInstances)
        self.test.assertEqual(self.new_lines(3),
                              [t.instances, f"1) {t.process}{s.lines('pid')[0]}", DASH])

        # The pop-up signal lives for 20 ticks.
        self.command(MenuCommand.PopUpHiddenInstances)
        wait_until(s.popup_signal_file.exists, 10, "the pop-up signal file")
        wait_until(lambda: not s.popup_signal_file.exists(), 30, "the signal's removal")

        self.command(MenuCommand.ReloadSettingsFile)
        lines = self.new_lines(5)
        self.test.assertEqual(lines[0], "Read/Lese " + s.windows_path(
            "_Settings/Settings.txt") + ":\n")
        self.test.assertEqual(lines[1], f"Line/Zeile 01: Language = {t.language}")

        self.command(MenuCommand.ReloadInitializationFile)
        lines = self.new_lines(8)
        self.test.assertEqual(lines[0], t.reading + s.windows_path("_IniFile/IniFile.csv") + ":")
        self.test.assertEqual(lines[-1], DASH)

        self.command(MenuCommand.ReloadAllDataFiles)
        lines = self.new_lines(until=s.windows_path(EVENT_FILES[-1]))
        self.test.assertEqual(lines[0], DASH)
        self.test.assertEqual([line for line in lines if line.startswith(t.reading)],
                              [t.reading + s.windows_path(rel) + ":" for rel in EVENT_FILES])
        self.new_lines(until=t.line + "06: Old duty")
        self.test.assertEqual(self.new_lines(1), [DASH])

        self.command(MenuCommand.CopyLogListToClipboard)
        clipboard = s.lines("clipboard")
        self.test.assertEqual(unescape(clipboard[0]),
                              "".join(line + "\n" for line in s.list_lines()))

        self.command(MenuCommand.ShowLogListInEditor)
        self.test.assertIn(t.chosen(t.commands[MenuCommand.ShowLogListInEditor.index]) + "\r\n",
                           self.wait_export(t.listbox))

        # The newest reminder first: the call, then the plants.
        self.command(MenuCommand.ShowLastReminders)
        s.wait_box()
        s.screenshot("last-reminders-box")
        _, text, _ = s.close_box()
        self.test.assertTrue(text.startswith(f"1) {t.event}: Call with the tour guide ["), text)
        self.test.assertIn(f"\n2) {t.event}: Plants", text)
        self.test.assertEqual(self.new_lines(3)[2], DASH)

        self.command(MenuCommand.ShowLastRemindersInEditor)
        self.test.assertEqual(len(self.new_lines(3)), 3)
        self.test.assertIn(f"1) {t.event}: Call", self.wait_export(t.last_reminders))

        self.command(MenuCommand.CompleteDictionaryReport)
        self.test.assertIn(f"Dictionary Key: {TOUR_KEY}", self.wait_export(t.complete))
        self.command(MenuCommand.TodaysDictionaryReport)
        self.test.assertIn(TOUR_KEY, self.wait_export(t.today))

        self.select_line(t.reading + s.windows_path("_PeriodicEvents/Birthdays.csv"))
        self.command(MenuCommand.PreviewOfSelectedFile)
        self.test.assertIn("Jörg", self.new_lines(1)[0])
        self.test.assertIn("Jörg", self.wait_export(t.preview))
        self.new_lines()
        self.select_line(t.reading + s.windows_path("_PeriodicEvents/Birthdays.csv"))
        self.command(MenuCommand.LookBackOfSelectedFile)
        self.wait_export(t.lookback)  # no birthday in the last eleven days

        # The key line of the call's reminder.
        self.select_line(f"[Key: {TOUR_KEY}]")
        self.command(MenuCommand.OpenFileOfSelectedKey)
        self.test.assertEqual(self.new_lines(4), [
            t.identified + s.windows_path("_SingleEvents/Tour.xlsm"), t.row + "2",
            t.key + TOUR_KEY, DASH])
        self.wait_and_close("Tour.xlsm - Notepad")
        # A single event: its next and its last event are the same.
        for command in (MenuCommand.NextEventOfSelectedKey, MenuCommand.LastEventOfSelectedKey):
            self.select_line(f"[Key: {TOUR_KEY}]")
            self.command(command)
            s.wait_box()
            s.screenshot(f"{command.name}-box")
            _, text, _ = s.close_box()
            self.test.assertTrue(text.startswith(
                f"{t.event}: Call with the tour guide [{t.input_date}11.12.2026] "
                f"[{t.trigger_date}11.12.2026 08:59:00]"), text)
            self.test.assertEqual(self.new_lines(1)[0], text.rstrip("\n"))

        self.command(MenuCommand.CreateTestReminder)
        _, text, _ = s.close_box(wait_ms=20000)
        self.test.assertEqual(text, f"{t.event}: {t.test_reminder}\n")
        self.test.assertIn(t.test_reminder, self.new_lines(2)[0])
        self.wait_export(" Reminders.txt")
        # The reminder's flashing outlives a quickly closed box, and a flashing window shows
        # itself again on its next tick: Hide Window below must come after it.
        self.wait_flashing_over()

        s.driver("settext", ids.DAYS_FIELD, "14.12.2026")
        self.command(MenuCommand.SimulateDate)
        lines = self.new_lines(2)
        self.test.assertEqual(lines[0], t.simulation + "14.12.2026\n")
        self.test.assertIn(f"01) {t.event}: Jörg", lines[1])
        self.test.assertIn("Jörg", self.wait_export(t.simulated))
        self.new_lines()  # the other events of the day
        s.driver("settext", ids.DAYS_FIELD, "11")

        self.command(MenuCommand.ShowTickCount)
        self.test.assertRegex(self.new_lines(1)[0], "^" + re.escape(t.tick) + r"[1-9]\d*$")
        self.test.assertEqual(s.boxes(), [])

    def wait_flashing_over(self, quiet_s=3.0):
        """Waits until the window has stayed shown normally for `quiet_s` seconds: the flashing
        minimises and restores it every tick while it lasts."""
        quiet_since = time.monotonic()

        def quiet():
            nonlocal quiet_since
            if self.s.visible() != (True, False):
                quiet_since = time.monotonic()
            return time.monotonic() - quiet_since >= quiet_s

        wait_until(quiet, 60, "the end of the flashing")

    def hide_and_pop_up(self):
        t, s = self.t, self.s
        s.click(ids.HIDE_WINDOW)
        self.test.assertEqual(self.new_lines(1), [t.hide])
        wait_until(lambda: not s.visible()[0], 20, "the hidden window")
        s.popup_signal_file.write_bytes(b"")
        wait_until(lambda: s.visible() == (True, False), 20, "the window shown again")
        s.popup_signal_file.unlink()
        s.screenshot("shown-again")

    def stop_entries_and_clear(self):
        t, s = self.t, self.s
        s.click(ids.STOP_ENTRIES)
        self.test.assertEqual(self.new_lines(1), [t.stopped])
        before = s.list_lines()
        s.click(ids.FUTURE_EVENTS)
        self.wait_export(t.preview)  # the preview runs, but the log list stays as it was
        self.test.assertEqual(s.list_lines(), before)
        s.click(ids.STOP_ENTRIES)
        self.test.assertEqual(self.new_lines(1), [t.resumed])
        s.click(ids.CLEAR_LISTBOX)
        wait_until(lambda: s.log_texts() == [t.clear], 20, "the cleared list")
        self.seen = 1

    def switch_language(self):
        t, s = self.t, self.s
        for now, then in ((t, other(t)), (other(t), t)):
            s.click(ids.SWITCH_LANGUAGE)
            self.test.assertEqual(self.new_lines(1), [now.switch])
            wait_until(lambda: s.text(ids.FUTURE_EVENTS) == then.captions[ids.FUTURE_EVENTS],
                       20, "the captions of the other language")
            self.test.assertEqual({cid: s.text(cid) for cid in then.captions}, then.captions)
            self.assert_menus(then)
            self.test.assertEqual(s.title(), t.title)  # the title keeps its start language

    def close_and_restart(self):
        t, s = self.t, self.s
        self.test.assertEqual(s.boxes(), [])
        s.close()
        s.wait_exit()
        self.test.assertTrue(s.read("_Settings/Settings.txt").startswith(
            f"Language = {t.language}\r\n".encode()))
        self.test.assertIn(TOUR_KEY.encode(), s.read("_EmittedReminders/EmittedReminders.txt"))
        closing = sorted(name for name in s.files("_Exports") if name.endswith(t.listbox))[-1]
        self.test.assertIn(t.clear, s.read(closing)[2:].decode("utf-16-le"))

        # The same morning: the reminders given before are not given again.
        s.start(at="2026-12-11 09:05:00")
        self.seen = 0
        self.new_lines(until=s.windows_path(EVENT_FILES[-1]))
        time.sleep(5)
        self.test.assertEqual(s.boxes(), [])
        self.test.assertFalse([line for line in s.log_texts() if line.startswith(t.event + ": ")])
        self.test.assertEqual(s.text(ids.FUTURE_EVENTS), t.captions[ids.FUTURE_EVENTS])
        s.screenshot("restarted")
        s.close()
        s.wait_exit()
