#include "model/text_tables.h"

namespace tindlow {
namespace {

struct Bilingual {
    const wchar_t* english;
    const wchar_t* german;
};

struct MessageText {
    int index;
    Bilingual text;
};

// The entries of the message table that the program shows. Fragments keep their leading and
// trailing blanks and line ends: the callers join them with paths, numbers and other entries.
// The three help and initialization file paths are relative to the program directory.
constexpr MessageText kMessages[] = {
    {msg::kInstanceWord, {L" Instance ", L" Instanz "}},
    {msg::kDaysFieldEmpty,
     {L"Attetion, the days input field is empty. Please input a valid number from one to 9999. "
      L"Meanwhile the default value 11 will be applied.",
      L"Achtung, das Tage-Eingabefeld ist leer. Bitte geben Sie eine g\u00fcltige Zahl von eins "
      L"bis "
      L"9999 ein. Bis dahin wird der Standardwert 11 verwendet."}},
    {msg::kDaysFieldWrongCharacter,
     {L"Wrong character detected in days input field: ",
      L"Falsches Zeichen im Tage-Eingabefeld erkannt: "}},
    {msg::kEnglishHelpMissing,
     {L"The English help file .\\_Help\\Help.pdf was not found and cannot be opened by the "
      L"Tindlow.",
      L"Die englische Hilfedatei .\\_Help\\Help.pdf wurde nicht gefunden und kann vom Tindlow "
      L"nicht ge\u00f6ffnet werden."}},
    {msg::kGermanHelpMissing,
     {L"The German help file .\\_Help\\Hilfe.pdf was not found and cannot be opened by the "
      L"Tindlow.",
      L"Die deutsche Hilfedatei .\\_Help\\Hilfe.pdf wurde nicht gefunden und kann vom Tindlow "
      L"nicht ge\u00f6ffnet werden."}},
    {msg::kIniFileMissing,
     {L"The initialization file .\\_IniFile\\IniFile.csv was not found. The application "
      L"defaults will be applied instead.",
      L"Die Initialisierungsdatei .\\_IniFile\\IniFile.csv wurde nicht gefunden. Stattdessen "
      L"werden die Standardwerte der Anwendung verwendet."}},
    {msg::kNoNetworkPath,
     {L"No network connection was entered in the initialization file.",
      L"In der Initialisierungsdatei wurde keine Netzwerkverbindung eingetragen."}},
    {msg::kNetworkPathNotFound,
     {L"The entered network connection in the initialization file was not yet found.",
      L"Die in der Initialisierungsdatei eingetragene Netzwerkverbindung wurde noch nicht "
      L"gefunden."}},
    {msg::kRunningInstances,
     {L"The following Tindlow instances are currently running: ",
      L"Die folgenden Tindlow Instanzen laufen aktuell: "}},
    {msg::kReading, {L"Reading ", L"Lese "}},
    {msg::kFutureEventsPressed,
     {L"The 'Future Events' button was pressed.",
      L"Der Button 'K\u00fcnftige Ereignisse' wurde gedr\u00fcckt."}},
    {msg::kMissedEventsPressed,
     {L"The 'Missed Events' button was pressed.",
      L"Der Button 'Verpasste Ereignisse' wurde gedr\u00fcckt."}},
    {msg::kReloadDataPressed,
     {L"The 'Reload Dates' button was pressed.",
      L"Der Button 'Daten Nachladen' wurde gedr\u00fcckt."}},
    {msg::kOpenHelpPressed,
     {L"The 'Open Help' button was pressed.",
      L"Der Button '\u00d6ffne die Hilfe' wurde gedr\u00fcckt."}},
    {msg::kOpenDirectoryPressed,
     {L"The 'Open Directory' button was pressed.",
      L"Der Button '\u00d6ffne Verzeichnis' wurde gedr\u00fcckt."}},
    {msg::kHideWindowPressed,
     {L"The 'Hide Window' button was pressed.",
      L"Der Button 'Fenster Unsichtbar' wurde gedr\u00fcckt."}},
    {msg::kSwitchLanguagePressed,
     {L"The 'Switch Language' button was pressed.",
      L"Der Button 'Sprache Wechseln' wurde gedr\u00fcckt."}},
    {msg::kClearListboxPressed,
     {L"The 'Clear Listbox' button was pressed.",
      L"Der Button 'L\u00f6sche Listbox' wurde gedr\u00fcckt."}},
    {msg::kStopEntriesChecked,
     {L"The 'Stop Listbox checkmark was checked.",
      L"Das H\u00e4kchen 'Stoppe Eintr\u00e4ge' wurde gesetzt."}},
    {msg::kStopEntriesUnchecked,
     {L"The 'Stop Listbox checkmark was unchecked.",
      L"Das H\u00e4kchen 'Stoppe Eintr\u00e4ge' wurde entfernt."}},
    {msg::kStopEntriesCaption, {L"Stop LB Entries", L"Stoppe Eintr\u00e4ge"}},
    // German opens Hilfe.pdf, so its text names that file.
    {msg::kHelpOpenFailed,
     {L"The attempt to open the Help.pdf file was not successful. Please navigate with your file "
      L"browser to the .\\_Help\\Help.pdf file and open it with your default PDF application.",
      L"Der Versuch, die Hilfe.pdf Datei zu \u00f6ffnen, war nicht erfolgreich. Bitte navigieren "
      L"Sie "
      L"mit Ihrem Dateibrowser zur Datei .\\_Help\\Hilfe.pdf und \u00f6ffnen Sie sie mit Ihrer "
      L"Standard-PDF-Anwendung."}},
    {msg::kHideRejected,
     {L"Hiding request is rejected. Only the first instance is allowed to be hidden.",
      L"Der Befehl zum Verstecken des Fensters wurde abgelehnt. Nur die erste Instanz darf "
      L"versteckt werden."}},
    {msg::kLine, {L"Line ", L"Zeile "}},
    {msg::kTryingToRead, {L"Trying to read from ", L"Versuche von "}},
    {msg::kNoFilesFound,
     {L". No files were found there.", L" zu lesen. Es wurden keine Dateien gefunden."}},
    {msg::kNetworkDriveNotFound,
     {L". The network drive was not yet found.",
      L" zu lesen. Das Netzwerklaufwerk wurde noch nicht gefunden."}},
    {msg::kEventFileMissing, {L"The requested date file ", L"Die angeforderte Erinnerungsdatei "}},
    {msg::kEventFileMissingEnd,
     {L" was not found an cannot be read.",
      L" wurde nicht gefunden und kann daher nicht gelesen werden."}},
    {msg::kOutdatedExportsDeleted,
     {L"The following outdated files in the _Exports folder were deleted: ",
      L"Die folgenden, veralteten Dateien im _Eports Ordner wurden gel\u00f6scht: "}},
    {msg::kComboCommand, {L"The Combo-box command '", L"Der Combo-Box Befehl '"}},
    {msg::kComboCommandEnd, {L"' was selected.", L"' wurde ausgew\u00e4hlt."}},
    {msg::kWindowsError,
     {L"An error has occurred. The Windows error code was: ",
      L"Ein Fehler ist aufgetreten. Der Windows Fehlercode war: "}},
    {msg::kProcessId, {L"Tindlow Process ID = ", L"Tindlow Prozess ID = "}},
    {msg::kSettingsFileNotOpened,
     {L"Attention, the settings-file could not be opened. A new one will be created when closing "
      L"the application. The Windows error code was: ",
      L"Achtung, die Settings-Datei konnte nicht ge\u00f6ffnet werden. Beim Schlie\u00dfen der "
      L"Anwendung "
      L"wird eine neue Datei erzeugt. Der Windows Fehlercode war: "}},
    {msg::kKeyFileNotIdentified,
     {L"Sorry, but a corresponding event file could not be identified. Your listbox selection "
      L"was: ",
      L"Die zugeh\u00f6rige Ereignisdatei konnte leider nicht identfiziert werden. Ihre Listbox "
      L"Markierung war: "}},
    {msg::kIdentifiedFilePath,
     {L"The identified file path and name is: ", L"Der ermittelte Dateipfad und Name lautet: "}},
    {msg::kRowNumber, {L"The row number is: ", L"Die Zeilennummer lautet: "}},
    {msg::kReminderKey, {L"The reminder key is: ", L"Der Reminder Schl\u00fcssel lautet: "}},
    {msg::kWrongKeyLine,
     {L"Sorry, but you have selected a wrong line. It does not contain a valid reminder key (a "
      L"long random string).",
      L"Achtung, Sie haben eine falsche Zeile ausgew\u00e4hlt. Sie enth\u00e4lt keinen Reminder "
      L"Schl\u00fcssel "
      L"(eine lange Zufalls-Zeichenkette)."}},
    {msg::kLastRemindersEmpty,
     {L"Sorry, but the last reminders list was empty.",
      L"Die Liste mit den zuletzt ausgesendeten Erinnerungen ist leider leer."}},
    {msg::kNoFileNameInLine,
     {L"Sorry, but the selected listbox line does not contain a file name. The selected line "
      L"was: ",
      L"Der ausgew\u00e4hlte Listbox Eintrag enth\u00e4lt leider keinen Dateinamen. Die "
      L"ausgew\u00e4hlte Zeile "
      L"war: "}},
    {msg::kIntervalInvalidCharacters,
     {L"Incorrect entry in interval column. Erroneous input cannot be processed. Please correct "
      L"it. Your entry was: \n",
      L"Inkorrekter Eintrag in der Intervallspalte. Fehlerhafte Eingaben k\u00f6nnen nicht "
      L"verarbeitet "
      L"werden. Bitte korrigieren Sie Ihren Eintrag. Er war: \n"}},
    {msg::kIntervalFailedChecks,
     {L"Incorrect entry in interval column. Erroneous input cannot be processed. Please correct "
      L"it. The recognized error was: \n",
      L"Inkorrekter Eintrag in der Intervallspalte. Fehlerhafte Eingaben k\u00f6nnen nicht "
      L"verarbeitet "
      L"werden. Bitte korrigieren Sie Ihren Eintrag. Der erkannte Fehler war: \n"}},
    {msg::kFileLabel, {L"File: ", L"Datei: "}},
    {msg::kLineLabel, {L"Line: ", L"Zeile: "}},
    {msg::kMonthNotDivisibleBy30,
     {L"Month value not divisible by 30. ", L"Der Monatswert ist nicht durch 30 teilbar. "}},
    {msg::kWeekAbove5, {L"Week value > 5. ", L"Wochenwert > 5. "}},
    {msg::kMonthDayAbove31, {L"Month day value > 31. ", L"Monatstag > 31. "}},
    {msg::kStartXCorrected,
     {L"The saved x start position of the Tindlow window was not plausible and was corrected.",
      L"Die gespeicherte x-Startposition des Tindlow Fensters war nicht plausibel und wurde "
      L"korrigiert."}},
    {msg::kStartYCorrected,
     {L"The saved y start position of the Tindlow window was not plausible and was corrected.",
      L"Die gespeicherte y-Startposition des Tindlow Fensters war nicht plausibel und wurde "
      L"korrigiert."}},
    {msg::kFilePathLabel, {L"File name and path: ", L"Dateiname und Pfad: "}},
    {msg::kLineNumberLabel, {L"Line number in file: ", L"Zeilennummer in der Datei : "}},
    {msg::kInvalidCharacters, {L"Invalid characters = ", L"Ung\u00fcltige Zeichen = "}},
    {msg::kWeekZero, {L"Week value = 0. ", L"Wochenwert = 0. "}},
    {msg::kPostPeriodShortened,
     {L"Attention, periodical events, initiated by one single reminder line in a file, must not "
      L"overlap. Thus, the post-event-remind-period was shortened. ",
      L"Achtung, periodische Ereignisse, verursacht durch eine einzige Erinnerungszeile in einer "
      L"Datei, d\u00fcrfen sich nicht \u00fcberlappen. Daher wurde die Nach-Erinnerungsperiode "
      L"verkleinert. "}},
    {msg::kBothPeriodsShortened,
     {L"Attention, periodical events, initiated by one single reminder line in a file, must not "
      L"overlap. Thus, the pre-event-remind-period as well as the post-event-remind-period was "
      L"shortened. ",
      L"Achtung, periodische Ereignisse, verursacht durch eine einzige Erinnerungszeile in einer "
      L"Datei, d\u00fcrfen sich nicht \u00fcberlappen. Daher wurde sowohl die Vor- als auch die "
      L"Nach-Erinnerungsperiode verkleinert. "}},
    {msg::kPostTriggerFromNowOn,
     {L"The applied post-trigger value is from now on: ",
      L"Die angewendete Nach-Erinnerungsperiode ist von jetzt an: "}},
    {msg::kPreTriggerFromNowOn,
     {L"The applied pre-trigger value is from now on: ",
      L"Die angewendete Vor-Erinnerungsperiode ist von jetzt an: "}},
    {msg::kSecondsUnit, {L" seconds", L" Sekunden"}},
    {msg::kMinutesUnit, {L" minutes", L" Minuten"}},
    {msg::kHoursUnit, {L" hours", L" Stunden"}},
    {msg::kDaysUnit, {L" days", L" Tage"}},
    {msg::kEvent, {L"Event", L"Ereignis"}},
    {msg::kPreviewSuffix, {L" Preview", L" Vorschau"}},
    {msg::kLookBackSuffix, {L" Loop-back", L" R\u00fcckschau"}},
    {msg::kInputDate, {L"Input Date: ", L"Eingabedatum: "}},
    {msg::kTriggerDate, {L"Trigger Date: ", L"Trigger Datum: "}},
    {msg::kExcelDoubleNote,
     {L" [converted by Excel into the double format during the export to *.csv]",
      L" [von Excel in double Format konvertiert beim Export nach *.csv]"}},
    {msg::kLastRemindersSuffix, {L" Reminders.txt", L" Erinnerungen.txt"}},
    {msg::kCompleteDictionarySuffix,
     {L" CompleteDictionaryContent.txt", L" KompletterDictionaryInhalt.txt"}},
    {msg::kTestReminder,
     {L"The user has triggered a test-reminder.",
      L"Der Benutzer hat einen Test-Erinnerung ausgel\u00f6st."}},
    {msg::kNextLastEventNotFound,
     {L"The reminder-key was found, but unfortunately the next/last event could not be "
      L"determined.",
      L"Der Reminder-Schl\u00fcssel wurde gefunden, aber das n\u00e4chste/letzte Ereignis konnte "
      L"leider "
      L"nicht ermittelt werden."}},
    {msg::kDateInputError,
     {L"Error in the input date. The command cannot be executed.",
      L"Fehler im eingegebenen Datum. Der Befehl kann nicht ausgef\u00fchrt werden."}},
    {msg::kDateSimulation, {L"Date Simulation: ", L"Simulation eines Datums: "}},
    {msg::kNoEventsOnSimulatedDay,
     {L"No events were found for the simulated day.",
      L"F\u00fcr den simulierten Tag wurden keine Ereignisse gefunden."}},
    {msg::kDateSimulationSuffix, {L" DateSimulation", L" DatumSimulation"}},
    {msg::kTodaysDictionarySuffix,
     {L" TodaysDictionaryContent.txt", L" HeutigerDictionaryInhalt.txt"}},
    // The German text has no leading blank.
    {msg::kNoReminderToday,
     {L" No reminder will be output today.", L"Heute wird keine Erinnerung ausgegeben."}},
    {msg::kIncTypeLegend,
     {L" [0=notused 1=single 2=days 3=months 4=years 5=month2weekdayPointer "
      L"6=month2monthdayPointer]",
      L" [0=nicht_benutzt 1=Einzelereignis 2=Tage 3=Monate 4=Jahre 5=MonatAufWochentagZeiger "
      L"6=MonatAufMonatstagZeiger]"}},
    {msg::kTickCount,
     {L"Tick-count value since computer start (milli seconds): ",
      L"Tick-Count Wert seit dem Computer Start (Millisekunden): "}},
    {msg::kFileNotWritten, {L"The file ", L"Die Datei "}},
    {msg::kFileNotWrittenReason,
     {L" could not be written, so it keeps its previous content. Reason: ",
      L" konnte nicht geschrieben werden und beh\u00e4lt daher ihren bisherigen Inhalt. "
      L"Grund: "}},
    {msg::kKeyHoldsSeparator,
     {L"The reminder key of this line contains \"<@@@>\", which separates the fields of the "
      L"emitted reminders file; its reminders could not be remembered and would be given again "
      L"after every reload. The line is skipped. Please change the key. The key was: ",
      L"Der Reminder-Schl\u00fcssel dieser Zeile enth\u00e4lt \"<@@@>\", das die Felder der "
      L"Datei der ausgesendeten Erinnerungen trennt; ihre Erinnerungen k\u00f6nnten nicht "
      L"vermerkt werden und k\u00e4men nach jedem Neuladen wieder. Die Zeile wird "
      L"\u00fcbersprungen. Bitte \u00e4ndern Sie den Schl\u00fcssel. Der Schl\u00fcssel war: "}},
    {msg::kExportNotWritten,
     {L" could not be written. Reason: ", L" konnte nicht geschrieben werden. Grund: "}},
    {msg::kKeyOfTestReminder,
     {L"The reminder key of this line is the key of the test reminder, whose reminders are never "
      L"remembered; they would be given again after every reload. The line is skipped. Please "
      L"change the key. The key was: ",
      L"Der Reminder-Schl\u00fcssel dieser Zeile ist der Schl\u00fcssel der Test-Erinnerung, "
      L"deren Erinnerungen nie vermerkt werden; sie k\u00e4men nach jedem Neuladen wieder. Die "
      L"Zeile wird \u00fcbersprungen. Bitte \u00e4ndern Sie den Schl\u00fcssel. Der "
      L"Schl\u00fcssel war: "}},
};

constexpr Bilingual kDocumentMenu[kDocumentMenuCount] = {
    {L"Open the Settings File", L"\u00d6ffne die Einstellungen-Datei"},
    {L"Open the Initialization File", L"\u00d6ffne die Initialisierungs-Datei"},
    {L"Open the Emitted Reminders File", L"\u00d6ffne die Ausgesendete-Erinnerungen-Datei"},
    {L"Open the _SingleEvents File: ", L"\u00d6ffne die _SingleEvents Datei: "},
    {L"Open the _PeriodicEvents File: ", L"\u00d6ffne die _PeriodicEvents Datei: "},
    {L"Open the _NetworkEvents File: ", L"\u00d6ffne die _NetworkEvents Datei: "},
    {L"Open the Help.pdf File", L"\u00d6ffne die Help.pdf Datei"},
    {L"Open the Hilfe.pdf File", L"\u00d6ffne die Hilfe.pdf Datei"},
    {L"Open the Tindlow Main Directory", L"\u00d6ffne das Tindlow Hauptverzeichnis"},
    {L"Open the _EmittedReminders Sub-directory",
     L"\u00d6ffne das _EmittedReminders Unterverzeichnis"},
    {L"Open the _Exports Sub-directory", L"\u00d6ffne das _Exports Unterverzeichnis"},
    {L"Open the _Help Sub-directory", L"\u00d6ffne das _Help Unterverzeichnis"},
    {L"Open the _IniFile Sub-directory", L"\u00d6ffne das _IniFile Unterverzeichnis"},
    {L"Open the _SingleEvents Sub-directory", L"\u00d6ffne das _SingleEvents Unterverzeichnis"},
    {L"Open the _PeriodicEvents Sub-directory", L"\u00d6ffne das _PeriodicEvents Unterverzeichnis"},
    {L"Open the _Settings Sub-directory", L"\u00d6ffne das _Settings Unterverzeichnis"},
    {L"Open the _UserDocuments Sub-directory", L"\u00d6ffne das _UserDocuments Unterverzeichnis"},
    {L"Open the configured Network Path", L"\u00d6ffne den konfigurierten Netzwerkpfad"},
};

// The number is part of the text: the dispatcher matches whole texts.
constexpr Bilingual kCommandMenu[kCommandMenuCount] = {
    {L"1. Determine the Number of Running Tindlow Instances",
     L"1. Bestimme die Anzahl der aktuell laufenden Tindlow Instanzen"},
    {L"2. Pop-up all Hidden Tindlow Instances",
     L"2. Mache alle versteckten Tindlow Instanzen wieder sichtbar"},
    {L"3. Reload the Settings File", L"3. Lade die Einstellungen-Datei erneut"},
    {L"4. Reload the Initialization File", L"4. Lade die Initialisierungs-Datei erneut"},
    {L"5. Reload all Data Files", L"5. Lade alle Ereignis-Dateien erneut"},
    {L"6. Listbox Content, copy it into the Windows Clipboard",
     L"6. Listbox-Inhalt in die Windows Zwischenablage kopieren"},
    {L"7. Listbox Content, show it within Standard Text-Editor",
     L"7. Listbox-Inhalt im Standard-Text-Editor anzeigen"},
    {L"8. Show the last Reminders in a Message Box",
     L"8. Zeige die letzten Erinnerungen in einer Nachrichten-Box"},
    {L"9. Show the last Reminders in Standard Text-Editor",
     L"9. Zeige die letzten Erinnerungen im Standard-Text-Editor"},
    {L"10. Show the complete Reminder Input Dictionary in Standard Text-Editor",
     L"10. Zeige das komplette Erinnerungen-Dictionary im Standard-Text-Editor"},
    {L"11. Show the today's Reminder Input Dictionary in Standard Text-Editor",
     L"11. Zeige das heutige Erinnerungen-Dictionary im Standard-Text-Editor"},
    {L"12. Select a Reminder File in the Listbox and create a File Preview",
     L"12. W\u00e4hle Ereignis-Datei in der Listbox und generiere eine Vorschau"},
    {L"13. Select a Reminder File in the Listbox and create a File Look-back",
     L"13. W\u00e4hle Ereignis-Datei in der Listbox und generiere eine R\u00fcckschau"},
    {L"14. Select a Reminder Key Line in Listbox and open corresponding File",
     L"14. W\u00e4hle Schl\u00fcssel-Zeile in der Listbox und \u00f6ffne zugeh\u00f6rige Datei"},
    {L"15. Select a Reminder Key Line in Listbox and determine next Event",
     L"15. W\u00e4hle Schl\u00fcssel-Zeile in der Listbox und bestimme n\u00e4chstes Ereignis"},
    {L"16. Select a Reminder Key Line in Listbox and determine last Event",
     L"16. W\u00e4hle Schl\u00fcssel-Zeile in der Listbox und bestimme letztes Ereignis"},
    {L"17. Create a Test-Reminder", L"17. Generiere eine Test-Erinnerung"},
    {L"18. Simulate a Date (Input of Date in the Days Edit Box)",
     L"18. Simuliere ein Datum (Eingabe des Datums in der Tage Eingabe Box)"},
    {L"19. Read tick count value since Computer start",
     L"19. Lese den Tick-Count Wert seit dem Computerstart"},
};

constexpr Bilingual kLabels[kLabelCount] = {
    {L"Days:", L"Tage:"},
    {L"Documents:", L"Dokumente:"},
    {L"Commands:", L"Befehle:"},
};

constexpr Bilingual kButtonCaptions[kButtonTextCount] = {
    {L"Future Events", L"K\u00fcnftige Ereignisse"},
    {L"Missed Events", L"Verpasste Ereignisse"},
    {L"Reload Data", L"Daten Nachladen"},
    {L"Open Help", L"\u00d6ffne die Hilfe"},
    {L"Open Directory", L"\u00d6ffne Verzeichnis"},
    {L"Hide Window", L"Fenster Unsichtbar"},
    {L"Switch Language", L"Sprache Wechseln"},
    {L"Clear Listbox", L"L\u00f6sche Listbox"},
};

// Row 5 names "Alt d r", although the unhide sequence polled while hidden is Shift, Ctrl, D, R;
// the tooltip text is kept as the users know it.
constexpr Bilingual kButtonTooltips[kButtonTextCount] = {
    {L"Creates an event preview for the configured day input (second button row => Days:) and "
     L"displays it",
     L"Erzeugt eine Ereignisvorschau f\u00fcr die konfigurierte Tageseingabe (zweite Button-Reihe "
     L"=> "
     L"Tage:) und zeigt sie an"},
    {L"Creates a missed events review for the configured day input (second button row => Days:) "
     L"and displays it",
     L"Erzeugt eine Nachschau der verpassten Ereignisse f\u00fcr die konfigurierte Tageseingabe "
     L"(zweite Button-Reihe => Tage:) und zeigt sie an"},
    {L"Reloads all date files (in CSV format)",
     L"L\u00e4dt erneut alle Termindateien (im CSV Format)"},
    {L"Opens the Help.pdf file", L"\u00d6ffnet die Hilfe.pdf Datei"},
    {L"Opens the Tindlow directory in the Windows file explorer",
     L"\u00d6ffnet das Tindlow Verzeichnis im Windows Dateiexplorer"},
    {L"Hides the Tindlow window. Please press Alt d r (one key after the other) in order to let "
     L"it pop up again (or read the help file to get two other possibilities)",
     L"Macht das Tindlow Fenster unsichtbar. Die Tastenkombination Alt d r (eine Taste nach der "
     L"anderen) macht das Fenster wieder sichtbar (in der Hilfedatei stehen zwei weitere "
     L"M\u00f6glichkeiten)"},
    {L"Switches the output language from English to German",
     L"Schaltet die Ausgabesprache von Deutsch nach Englisch um"},
    {L"Clears the content of the list-box below",
     L"L\u00f6scht den Inhalt der Listbox unterhalb dieses Buttons"},
};

template <std::size_t N>
std::vector<std::wstring> pick(const Bilingual (&texts)[N], bool english) {
    std::vector<std::wstring> out;
    out.reserve(N);
    for (const Bilingual& text : texts) {
        out.emplace_back(english ? text.english : text.german);
    }
    return out;
}

TextTables build(bool english) {
    TextTables tables = emptyTables();
    for (const MessageText& entry : kMessages) {
        tables.messages[static_cast<std::size_t>(entry.index)] =
            english ? entry.text.english : entry.text.german;
    }
    tables.documentMenu = pick(kDocumentMenu, english);
    tables.commandMenu = pick(kCommandMenu, english);
    tables.labels = pick(kLabels, english);
    tables.buttonCaptions = pick(kButtonCaptions, english);
    tables.buttonTooltips = pick(kButtonTooltips, english);
    return tables;
}

}  // namespace

TextTables emptyTables() {
    TextTables tables;
    tables.messages.resize(kMessageCount);
    tables.documentMenu.resize(kDocumentMenuCount);
    tables.commandMenu.resize(kCommandMenuCount);
    tables.labels.resize(kLabelCount);
    tables.buttonCaptions.resize(kButtonTextCount);
    tables.buttonTooltips.resize(kButtonTextCount);
    return tables;
}

const TextTables& englishTables() {
    static const TextTables tables = build(true);
    return tables;
}

const TextTables& germanTables() {
    static const TextTables tables = build(false);
    return tables;
}

bool selectsEnglish(const std::wstring& languageSetting) {
    return languageSetting == L"English";
}

const TextTables& tablesFor(const std::wstring& languageSetting) {
    return selectsEnglish(languageSetting) ? englishTables() : germanTables();
}

std::wstring checkBoxTooltip(const std::wstring& languageSetting) {
    if (selectsEnglish(languageSetting)) {
        return L"Stops/re-enables entries to the list-box below. No entries are made as long as "
               L"the checkmark is set.";
    }
    return L"Stoppt/startet Eintr\u00e4ge in die Listbox unterhalb dieser Checkbox. Solange das "
           L"H\u00e4kchen gesetzt ist, werden keine Eintr\u00e4ge in die Listbox gemacht.";
}

}  // namespace tindlow
