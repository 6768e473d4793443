#!/usr/bin/python3
"""Makes the event workbook template: a spreadsheet with the nine columns of an event file,
example lines, notes on every column, input checks and a reminder key that stays with its line.

Usage: make_event_template.py [XLSX_FILE]   (default: examples/_UserDocuments/EventTemplate.xlsx)

The workbook works in Excel and LibreOffice Calc without macros. Its first sheet, Events, is the
one that is saved as the event file; the sheet "How to" explains it and holds the workbook key;
the hidden sheet Lists holds the endings the interval check accepts. The output is the same byte
for byte on every run (fixed document dates and archive times), so the checked-in file shows a
change only when this script changes.

Needs Debian's python3-openpyxl (run it with /usr/bin/python3).
"""
import datetime
import io
import sys
import zipfile
from pathlib import Path

from openpyxl import Workbook
from openpyxl.comments import Comment
from openpyxl.formatting.rule import FormulaRule
from openpyxl.styles import Alignment, Font, PatternFill
from openpyxl.workbook.defined_name import DefinedName
from openpyxl.worksheet.datavalidation import DataValidation

ROOT = Path(__file__).resolve().parent.parent
DEFAULT_OUTPUT = ROOT / "examples" / "_UserDocuments" / "EventTemplate.xlsx"

EVENTS, HOW_TO, LISTS = "Events", "How to", "Lists"
# The key part of the template itself: a workbook made from it is to get a key of its own.
TEMPLATE_KEY = "01.01.2027-00:00:00-000000000"
FIXED_TIME = datetime.datetime(2027, 1, 1)
LAST_ROW = 2000          # rows that carry the input checks and the warning colours
NUMBER_RANGE = "$J$2:$J$10000"  # where key numbers are counted

DATE_FORMAT = "DD.MM.YYYY"
# A day fraction with up to ten decimals: 10:00 is 0.4166666667 (36000.00003 seconds).
TIME_FORMAT = "0.##########"
WHOLE_FORMAT = "0"
TEXT_FORMAT = "@"

# Serial numbers of 01.01.1901 and 31.12.2999, the range of Tindlow's calendar.
FIRST_DAY, LAST_DAY = 367, 401768

NO_BREAKING_CHARACTERS = ("No semicolons, double quotes or line breaks: the event file has no "
                          "quoting, so they would break the line.")

# Column letter, header, width, number format, note (the header cell's comment and the How to
# sheet's description).
COLUMNS = [
    ("A", "What", 26, None,
     "Title of the event; the reminder shows it first, followed by the text of column B. "
     "A line whose title contains the word default (in any case) is a default line, not an "
     "event (see How to): avoid that word in real titles. " + NO_BREAKING_CHARACTERS),
    ("B", "Text", 40, None,
     "Further text of the event, shown after the title. May be empty. "
     + NO_BREAKING_CHARACTERS),
    ("C", "Date", 12, DATE_FORMAT,
     "Date of the event, for a recurring event its first occurrence (a birthday: the date "
     "of birth). A real date from 01.01.1901 to 31.12.2999, shown as DD.MM.YYYY: type it as "
     "your spreadsheet takes dates (22.06.1957 in a German setting, 6/22/1957 in a US "
     "one). A line without a date is not an event and is skipped."),
    ("D", "Time", 13, TIME_FORMAT,
     "Time of day as a fraction of a day, which is how Tindlow reads it: 0 = 00:00, "
     "0.375 = 09:00, 0.5 = 12:00, 0.75 = 18:00 (0,5 in a German setting). Type the fraction "
     "or a formula such as =10/24 (10:00) or =10/24+30/1440 (10:30). Keep the number format "
     "of the column: a cell shown as 10:30 would be saved as 10:30 and read as ten days. "
     "Empty: 00:00."),
    ("E", "Remind before [min]", 11, WHOLE_FORMAT,
     "Minutes before the event at which the reminders begin: a whole number, 0 or more "
     "(60 = one hour, 1440 = one day, 10080 = one week). Whole minutes only: 1,5 would be "
     "read as 1. Empty: 0."),
    ("F", "Reminders", 10, WHOLE_FORMAT,
     "Number of reminders before the event, 0 to 30: the period of column E is cut into "
     "that many equal parts and a reminder comes at the start of each. A reminder at the "
     "event time itself always comes (or, when the computer was off, one later, during "
     "the post-event period of the initialization file, 72 hours unless changed). "
     "0: no reminder before the event."),
    ("G", "Interval", 11, TEXT_FORMAT,
     "How the event recurs (lower case, no blanks). Empty or 0: once. 7: every 7 days "
     "(any number of days); a multiple of 30 counts months (30 monthly, 90 quarterly), "
     "a multiple of 365 years (365 yearly). 30abs: every 30 days, not monthly. "
     "30mwd2: every month on the second of the weekday on which the date falls (1 to 5; "
     "-1 to -5 count from the end, -1 = the last). 30mmd15: every month on day 15 (1 to 31; "
     "-1 = the last day, -2 the day before). Before mwd and mmd a multiple of 30 (60 = "
     "every second month). Starting with # (or -1): the line is switched off."),
    ("H", "Reminder key", 44, None,
     "Made by a formula from the workbook key (How to) and the key number of column J; "
     "do not type here. Tindlow tells the events apart by this key: it must be unique "
     "among all event files. A new line gets it by copying a whole line and giving it a "
     "new key number."),
    ("I", "Row", 6, WHOLE_FORMAT,
     "The row of the line in this workbook, by the formula =ROW(). Tindlow names it in "
     "its messages and when it looks up the line of a reminder."),
    ("J", "Key no.", 15, WHOLE_FORMAT,
     "Key number of the line, typed once and never changed: take the next free number "
     "shown in this heading (and on How to). It must not repeat within the workbook; a "
     "repeated number turns red. Default lines need none. Tindlow ignores this column."),
]

# Example lines: what, text, date (y, m, d), time (fraction or None), minutes, reminders,
# interval, key number.
EXAMPLES = [
    ("Defaults for the lines below", None, None, 0.375, 60, 1, None, None),
    ("Birthday of Mother", "Call her in the morning", (1957, 6, 22), None, 1440, 2, "365", 1),
    ("Plants", "Water the plants", (2027, 1, 7), 0.75, 30, 1, "7", 2),
    ("Team meeting", "Monthly team meeting, room 4.12", (2027, 1, 7), "=10/24", 30, 3,
     "30mwd1", 3),
    ("Dentist", "Check-up at Dr. Weber, Hauptstraße 12", (2027, 1, 15), 0.4375, 120, 2,
     None, 4),
    ("Old duty", "No longer needed", (2026, 1, 1), 0.5, 0, 0, "#30", 5),
]

# The endings the interval check accepts after the number, each with the number's divisor.
# A point ends each one, so that the plain number (no ending) is not an empty cell.
SUFFIXES = ([(".", 1), ("abs.", 1)] +
            [(f"mwd{week}.", 30) for week in (1, 2, 3, 4, 5, -1, -2, -3, -4, -5)] +
            [(f"mmd{day}.", 30) for day in list(range(0, 32)) + list(range(-1, -32, -1))])

# Names for the interval check, which Excel allows only 255 characters. IvText and the names
# built on it refer to column G of the row in which they are used (a relative row reference is
# stored as seen from row 1).
NAMES = {
    "WorkbookKey": f"'{HOW_TO}'!$B$4",
    "Suffixes": f"{LISTS}!$A$1:$A${len(SUFFIXES)}",
    "Divisors": f"{LISTS}!$B$1:$B${len(SUFFIXES)}",
    "IvText": f'{EVENTS}!$G1&""',
    "IvCut": 'MIN(FIND("a",IvText&"a"),FIND("m",IvText&"m"))',
    "IvNumber": "LEFT(IvText,IvCut-1)",
    "IvSuffix": "MID(IvText,IvCut,9)",
}

# Written for row 2; the spreadsheet moves the references along for the other rows.
INTERVAL_CHECK = ('OR(IvText="",IvText="0",IvText="-1",LEFT(IvText)="#",'
                  'IFERROR(AND(TEXT(ABS(IvNumber),"0")=IvNumber,LEFT(IvText)<>"0",IvCut<8,'
                  'SUMPRODUCT(EXACT(Suffixes,IvSuffix&".")*(MOD(IvNumber,Divisors)=0))>0),'
                  'FALSE))')
KEY_FORMULA = '=IF(J{row}="","","["&WorkbookKey&"-"&TEXT(J{row},"000000000")&"]")'
ROW_FORMULA = "=ROW()"
NEXT_NUMBER = f"MAX({EVENTS}!{NUMBER_RANGE})+1"
FRESH_KEY = ('=RIGHT("0"&DAY(NOW()),2)&"."&RIGHT("0"&MONTH(NOW()),2)&"."&YEAR(NOW())&"-"&'
             'RIGHT("0"&HOUR(NOW()),2)&":"&RIGHT("0"&MINUTE(NOW()),2)&":"&'
             'RIGHT("0"&SECOND(NOW()),2)&"-"&RANDBETWEEN(100000000,999999999)')


def text_check(column, longest):
    cell = f"{column}2"
    return (f'AND(ISERROR(FIND(";",{cell})),ISERROR(FIND("""",{cell})),'
            f'ISERROR(FIND(CHAR(10),{cell})),LEN({cell})<={longest})')


# Column, kind, operator, formula 1, formula 2, prompt, error. Excel takes at most 255
# characters in a check formula and a prompt, 225 in an error text.
CHECKS = [
    ("A", "custom", None, text_check("A", 200), None,
     "Title of the event. No ; \" or line breaks.",
     "The title holds a semicolon, a double quote or a line break, or is longer than 200 "
     "characters."),
    ("B", "custom", None, text_check("B", 600), None,
     "Text of the event, may be empty. No ; \" or line breaks.",
     "The text holds a semicolon, a double quote or a line break, or is longer than 600 "
     "characters."),
    ("C", "date", "between", str(FIRST_DAY), str(LAST_DAY),
     "Date of the event (first occurrence), shown as DD.MM.YYYY.",
     "Give a real date from 01.01.1901 to 31.12.2999, typed as your spreadsheet takes "
     "dates."),
    ("D", "custom", None, "AND(ISNUMBER(D2),D2>=0,D2<1)", None,
     "Time as a fraction of a day: 0.5 = 12:00, 0.75 = 18:00, or a formula: =10/24 for "
     "10:00. Do not format the cell as a time.",
     "The time is a fraction of a day from 0 to below 1: 0.375 = 09:00, 0.5 = 12:00."),
    ("E", "whole", "greaterThanOrEqual", "0", None,
     "Minutes before the event at which the reminders begin (1440 = one day).",
     "Give a whole number of minutes, 0 or more."),
    ("F", "whole", "between", "0", "30",
     "Number of reminders before the event, 0 to 30.",
     "Give a whole number from 0 to 30."),
    ("G", "custom", None, INTERVAL_CHECK, None,
     "Empty or 0: once. 7: every 7 days. 30: monthly, 365: yearly. 14abs: every 14 days. "
     "30mwd2: monthly, 2nd such weekday. 30mmd-1: monthly, last day. #...: off. "
     "Lower case, no blanks.",
     "Not an interval Tindlow reads. Forms: 7, 30, 365, 14abs, 30mwd2 (week 1 to 5 or "
     "-1 to -5), 30mmd15 (day -31 to 31); before mwd and mmd a multiple of 30; # switches "
     "the line off."),
    ("J", "custom", None,
     f"AND(INT(J2)=J2,J2>=1,J2<=999999999,COUNTIF({NUMBER_RANGE},J2)=1)", None,
     "Key number: the next free number from the heading. Never change it later.",
     "Give a whole number from 1 on that no other line of this workbook has (see the next "
     "free number in the heading)."),
]

HOW_TO_NOTES = [
    ("What this workbook is", None),
    (None, "One workbook holds the events of one event file. Fill in the sheet Events, one "
           "event per line, and save that sheet as the event file (below). Tindlow reads the "
           "event file, not the workbook; it reads again at every change of day and on "
           "Reload Data."),
    ("Columns", None),
    *[(f"{letter}  {header}", note) for letter, header, _, _, note in COLUMNS],
    ("Starting a new workbook", None),
    (None, "1. Save a copy of this template under the name of the event file it is for, "
           "as Excel Macro-Enabled Workbook (.xlsm) in Excel, or as Excel 2007-365 "
           "(macro-enabled) in LibreOffice: Tindlow offers the workbook of an event file "
           "Duties.csv as Duties.xlsm in its Documents menu and opens it when you look up the "
           "line of a reminder. The workbook holds no macros all the same."),
    (None, "2. Give it a workbook key of its own: copy the fresh key (B5) and paste it into "
           "the yellow cell B4 as a value only (Excel: Paste Special > Values; LibreOffice: "
           "Paste Special > Paste Only Text). Do this once, before the first export: every "
           "reminder key of the workbook is made from it."),
    (None, "3. Replace the example lines by your own."),
    ("A new event line", None),
    (None, "Copy a whole existing line (click its row number, copy, then Insert Copied "
           "Cells) so that the formulas of the columns Reminder key and Row come along. "
           "Type the new line's values over the copy and put the next free key number (B7, "
           "also in the heading of column J) into its Key no. cell. A line with a date but "
           "no reminder key turns red."),
    ("Why the reminder key stays with its line", None),
    (None, "Tindlow tells events apart by their reminder key; it must be unique among all "
           "event files, or the later line replaces the earlier one. It also remembers under "
           "this key which reminders it gave today. The key is [workbook key-key number], "
           "for example [06.11.2026-10:09:27-963303772-000000017]. Both parts are typed "
           "values, so sorting, inserting or deleting lines and every recalculation leave it "
           "as it is; only the line's own key number and the workbook key go into it. The "
           "workbook key (creation time and a random number) keeps the keys of two "
           "workbooks apart, the key number the lines of one workbook. Do not reuse the "
           "number of a deleted line on the same day."),
    ("Default lines", None),
    (None, "A line whose title contains the word default is not an event: its filled "
           "cells of the columns Text, Time, Remind before, Reminders and Interval become the "
           "values of every following line whose cell in that column is empty. With a title "
           "such as \"Default = Birthday of \" the text after = also becomes the title of "
           "following lines with an empty title. Below a default line with an interval, a "
           "single event needs the interval 0. Default lines are shown blue, switched-off "
           "lines grey. Keep a default line above the lines it is for, also when you sort."),
    ("Sorting", None),
    (None, "Sort only the event lines below the heading (and below a default line): select "
           "them and sort by any column. The reminder keys move with their lines."),
    ("Periods and intervals", None),
    (None, "The reminders before an event and the 72 hours after it (the post-event period "
           "of the initialization file) must fit into the interval; otherwise Tindlow "
           "shortens them and says so at every loading. With 72 hours an interval of less "
           "than 4 days is always shortened. Reminders before a recurring event start at the "
           "earliest on the day of the event (day intervals), in its month (months, mwd, mmd) "
           "or in its year (365); a single event can remind earlier. A monthly event on the "
           "31st falls on the 1st of the next month in shorter months: for the end of the "
           "month use 30mmd-1."),
    ("Saving the event file", None),
    (None, "Select the sheet Events first: a spreadsheet saves only the sheet on show as a "
           "CSV file. Save it under a name ending in .csv (for example Duties.csv), in the "
           "character set Western Europe (Windows-1252 or ISO-8859-1) and with the semicolon "
           "as field separator. Keep working in the .xlsm workbook; the .csv file is only "
           "the export."),
    (None, "LibreOffice Calc: File > Save a Copy, file type Text CSV (.csv), tick Edit filter "
           "settings, Save, Use Text CSV Format. Character set: Western Europe (ISO-8859-1) "
           "or Western Europe (Windows-1252/WinLatin 1); Field delimiter: ; ; String "
           "delimiter: \" ; tick Save cell content as shown; leave Quote all text cells "
           "unticked."),
    (None, "Excel in German: Datei > Kopie speichern (or Speichern unter), Dateityp CSV "
           "(Trennzeichen-getrennt) (*.csv). It writes semicolons and the Windows character "
           "set. Not CSV UTF-8: Tindlow would show ä as Ã¤. After Speichern unter, Excel "
           "has the .csv file open: close it and go on in the .xlsm workbook."),
    (None, "Excel in English: File > Save a Copy (or Save As), file type CSV (Comma "
           "delimited) (*.csv). Excel separates the fields with the list separator of "
           "Windows, which is a comma in English settings: set it to ; first (Windows key + "
           "R, intl.cpl, Additional settings, List separator), or save the file with "
           "LibreOffice Calc. Not CSV UTF-8. After Save As, Excel has the .csv file open: "
           "close it and go on in the .xlsm workbook."),
    (None, "Characters: Tindlow reads the file as ISO-8859-1, so umlauts, ß and accents "
           "come through; the euro sign, typographic quotes and dashes of Windows-1252 "
           "do not."),
    ("Where the file goes", None),
    (None, "Put the .csv file (and, for the Documents menu, the .xlsm workbook beside it) "
           "into _SingleEvents or _PeriodicEvents below Tindlow's program directory; both "
           "are read the same way. Tindlow reads the new file at the next change of day, on "
           "Reload Data or at its next start. tindlow check lists every problem of the event "
           "files."),
    ("Times as day fractions", None),
    *[(f"{hour:02d}:{minute:02d}", (hour * 60 + minute) / 1440)
      for hour, minute in ((0, 0), (6, 0), (7, 30), (8, 0), (9, 0), (10, 0), (12, 0),
                           (14, 0), (18, 0), (20, 0))],
]


def add_events_sheet(workbook):
    sheet = workbook.active
    sheet.title = EVENTS
    bold = Font(bold=True)
    heading_fill = PatternFill("solid", fgColor="DDEBF7")
    for column, (letter, header, width, number_format, note) in enumerate(COLUMNS, 1):
        cell = sheet.cell(row=1, column=column, value=header)
        cell.font = bold
        cell.fill = heading_fill
        cell.alignment = Alignment(wrap_text=True, vertical="top")
        comment = Comment(note, "Tindlow")
        comment.width, comment.height = 360, 240
        cell.comment = comment
        dimension = sheet.column_dimensions[letter]
        dimension.width = width
        if number_format:
            # A column format: cells typed later take it, and it makes no cells.
            dimension.number_format = number_format
    sheet["J1"] = f'="Key no. (next: "&({NEXT_NUMBER})&")"'
    sheet.freeze_panes = "A2"

    formula_fill = PatternFill("solid", fgColor="F2F2F2")
    for row, (what, text, date, time, minutes, reminders, interval, number) in enumerate(
            EXAMPLES, 2):
        values = [what, text, datetime.datetime(*date) if date else None, time, minutes,
                  reminders, interval]
        for column, value in enumerate(values, 1):
            cell = sheet.cell(row=row, column=column, value=value)
            number_format = COLUMNS[column - 1][3]
            if number_format:
                cell.number_format = number_format
        sheet.cell(row=row, column=8, value=KEY_FORMULA.format(row=row)).fill = formula_fill
        row_cell = sheet.cell(row=row, column=9, value=ROW_FORMULA)
        row_cell.fill = formula_fill
        row_cell.number_format = WHOLE_FORMAT
        sheet.cell(row=row, column=10, value=number).number_format = WHOLE_FORMAT

    for letter, kind, operator, formula1, formula2, prompt, error in CHECKS:
        title = COLUMNS[ord(letter) - ord("A")][1]
        assert len(formula1) <= 255 and len(prompt) <= 255 and len(error) <= 225, letter
        assert len(title) <= 32, letter
        check = DataValidation(type=kind, operator=operator, formula1=formula1,
                               formula2=formula2, allow_blank=True, showInputMessage=True,
                               showErrorMessage=True, promptTitle=title,
                               prompt=prompt, errorTitle="Tindlow", error=error)
        check.add(f"{letter}2:{letter}{LAST_ROW}")
        sheet.add_data_validation(check)

    rows = f"A2:J{LAST_ROW}"
    rules = sheet.conditional_formatting
    red = PatternFill("solid", bgColor="FFC7CE")
    # A line with a date but no reminder key, and a key number used twice.
    rules.add(f"H2:H{LAST_ROW}", FormulaRule(formula=['AND($C2<>"",$H2="")'], fill=red,
                                             stopIfTrue=True))
    rules.add(f"J2:J{LAST_ROW}",
              FormulaRule(formula=[f'AND($J2<>"",COUNTIF({NUMBER_RANGE},$J2)>1)'], fill=red,
                          stopIfTrue=True))
    # Keys still made from the template's own workbook key.
    rules.add(f"H2:H{LAST_ROW}",
              FormulaRule(formula=[f'AND($H2<>"",WorkbookKey="{TEMPLATE_KEY}")'],
                          fill=PatternFill("solid", bgColor="FFEB9C")))
    rules.add(rows, FormulaRule(formula=['ISNUMBER(SEARCH("default",$A2))'],
                                font=Font(italic=True, color="1F4E79"),
                                fill=PatternFill("solid", bgColor="DDEBF7")))
    rules.add(rows, FormulaRule(formula=['OR(LEFT(TRIM($G2))="#",TRIM($G2)="-1")'],
                                font=Font(color="808080")))


def add_how_to_sheet(workbook):
    sheet = workbook.create_sheet(HOW_TO)
    sheet.column_dimensions["A"].width = 30
    sheet.column_dimensions["B"].width = 110
    wrap = Alignment(wrap_text=True, vertical="top")
    sheet["A1"] = "Tindlow event workbook"
    sheet["A1"].font = Font(bold=True, size=14)
    sheet["A2"] = ("Notes on every column are in the comments of the headings of the sheet "
                   "Events; the input checks there explain what a cell takes.")
    key_rows = [
        ("Workbook key", TEMPLATE_KEY),
        ("Fresh workbook key", FRESH_KEY),
        ("Workbook key state",
         f'=IF(WorkbookKey="{TEMPLATE_KEY}","Still the template\'s key: paste the fresh key '
         f'into B4 as a value before the first export.","This workbook has a key of its '
         f'own.")'),
        ("Next free key number", f"={NEXT_NUMBER}"),
    ]
    for row, (label, value) in enumerate(key_rows, 4):
        sheet.cell(row=row, column=1, value=label).font = Font(bold=True)
        sheet.cell(row=row, column=2, value=value).alignment = Alignment(horizontal="left")
    sheet["B4"].fill = PatternFill("solid", fgColor="FFFF99")
    sheet["B4"].number_format = TEXT_FORMAT
    key_check = DataValidation(
        type="custom", allow_blank=False, showErrorMessage=True, showInputMessage=True,
        formula1=('AND(LEN(B4)=29,MID(B4,3,1)=".",MID(B4,6,1)=".",MID(B4,11,1)="-",'
                  'MID(B4,14,1)=":",MID(B4,17,1)=":",MID(B4,20,1)="-",'
                  'ISNUMBER(-SUBSTITUTE(SUBSTITUTE(SUBSTITUTE(B4,".",""),":",""),"-","")))'),
        promptTitle="Workbook key", prompt="Paste the fresh key of B5 here as a value.",
        errorTitle="Tindlow", error="A workbook key has the form DD.MM.YYYY-hh:mm:ss-"
                                    "NNNNNNNNN, like the fresh key in B5.")
    key_check.add("B4")
    sheet.add_data_validation(key_check)

    row = 9
    for label, text in HOW_TO_NOTES:
        if text is None:
            row += 1
            sheet.cell(row=row, column=1, value=label).font = Font(bold=True, size=12)
        else:
            if label:
                sheet.cell(row=row, column=1, value=label).alignment = wrap
            cell = sheet.cell(row=row, column=2, value=text)
            cell.alignment = Alignment(wrap_text=True, vertical="top", horizontal="left")
            if not isinstance(text, str):
                cell.number_format = TIME_FORMAT
        row += 1


def add_lists_sheet(workbook):
    sheet = workbook.create_sheet(LISTS)
    sheet.sheet_state = "hidden"
    for row, (suffix, divisor) in enumerate(SUFFIXES, 1):
        sheet.cell(row=row, column=1, value=suffix)
        sheet.cell(row=row, column=2, value=divisor)


def build_workbook():
    workbook = Workbook()
    add_events_sheet(workbook)
    add_how_to_sheet(workbook)
    add_lists_sheet(workbook)
    for name, text in NAMES.items():
        workbook.defined_names.append(DefinedName(name, attr_text=text))
    workbook.active = 0
    properties = workbook.properties
    properties.creator = properties.lastModifiedBy = "Tindlow"
    properties.title = "Tindlow event workbook"
    properties.created = properties.modified = FIXED_TIME
    return workbook


def reproducible(data):
    """The archive again, with every member dated FIXED_TIME."""
    source = zipfile.ZipFile(io.BytesIO(data))
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as target:
        for info in source.infolist():
            member = zipfile.ZipInfo(info.filename, FIXED_TIME.timetuple()[:6])
            member.compress_type = zipfile.ZIP_DEFLATED
            member.external_attr = 0o600 << 16
            target.writestr(member, source.read(info.filename))
    return out.getvalue()


def main(argv):
    output = Path(argv[1]) if len(argv) > 1 else DEFAULT_OUTPUT
    buffer = io.BytesIO()
    build_workbook().save(buffer)
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_bytes(reproducible(buffer.getvalue()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
