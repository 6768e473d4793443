#include <gtest/gtest.h>

#include "schedule/reminder_text.h"

namespace tindlow {
namespace {

ReminderEntry annasBirthday() {
    ReminderEntry entry;
    entry.sWhat = L"Birthday ";
    entry.sText = L"of Anna (%diff years)";
    entry.sDate = L"22.06.1957";
    entry.dayTime = 0;
    entry.sFile = L"C:\\Rem\\_PeriodicEvents\\Family.csv";
    entry.sRowNumber = L"7";
    entry.sKey = L"[01.02.2020-08:15:00-123456789-987654321]";
    entry.remindMatrix = 0b11;
    return entry;
}

TEST(ReminderText, LongAndShortFormInEnglish) {
    const ReminderTextContext context{englishTables(), LocalTime{2024, 6, 22, 9, 0, 5, 0}};
    EXPECT_EQ(reminderLine(annasBirthday(), context),
              L"Event: Birthday of Anna (67 years) [Input Date: 22.06.1957] [Trigger Date: "
              L"22.06.2024 09:00:05] [Total: 2 Reminder] [File: "
              L"C:\\Rem\\_PeriodicEvents\\Family.csv] [Line: 7] [Key: "
              L"[01.02.2020-08:15:00-123456789-987654321]]");
    EXPECT_EQ(reminderBoxText(annasBirthday(), context), L"Event: Birthday of Anna (67 years)");
}

TEST(ReminderText, GermanLabelsWithEnglishBrackets) {
    const ReminderTextContext context{germanTables(), LocalTime{2024, 6, 22, 9, 0, 5, 0}};
    const std::wstring line = reminderLine(annasBirthday(), context);
    EXPECT_EQ(line.rfind(L"Ereignis: Birthday of Anna (67 years) [Eingabedatum: 22.06.1957] "
                         L"[Trigger Datum: 22.06.2024 09:00:05] [Total: 2 Reminder] [Datei: ",
                         0),
              0u);
    EXPECT_NE(line.find(L"[Zeile: 7] [Key: "), std::wstring::npos);
}

TEST(ReminderText, PreviewUsesTheTriggerTimeAndTheCursorYear) {
    ReminderEntry entry = annasBirthday();
    entry.triggerEventTimeSec = dayNumberOf(22, 6, 2030) * 86400.0 + 36000;
    ReminderTextContext context{englishTables(), LocalTime{2024, 6, 22, 9, 0, 5, 0}};
    context.previewMode = true;
    context.cursorDate = DayMonthYear{22, 6, 2030};
    const std::wstring line = reminderLine(entry, context);
    EXPECT_NE(line.find(L"(73 years) [Input Date: 22.06.1957] [Trigger Date: 22.06.2030 10:00:00] "
                        L"[File: "),
              std::wstring::npos);
    EXPECT_EQ(line.find(L"Total"), std::wstring::npos);
}

TEST(ReminderText, Placeholders) {
    const struct {
        const wchar_t* what;
        const wchar_t* date;
        double dayTime;
        const wchar_t* expectedBox;
    } kCases[] = {
        {L"On %dat at %tim", L"1.2.1990", 45000, L"Event: On 01.02.1990 at 12:30:00"},
        {L"In %diff years", L"01.01.2027", 0, L"Event: In -3 years"},
        {L"%diff and %diff", L"01.01.2000", 0, L"Event: 24 and 24"},
        {L"%dat / %diff", L"1990", 0, L"Event: 00.00.1990 / 34"},
        {L"100% sure %di", L"1.1.2000", 0, L"Event: 100% sure %di"},
        // Placeholders next to each other and to stray "%" signs; a trailing "%".
        {L"%%diff%%tim%dat%", L"01.01.2000", 3600, L"Event: %24%01:00:0001.01.2000%"},
        {L"%di%datff%ti", L"5.6.2001", 0, L"Event: %di05.06.2001ff%ti"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry;
        entry.sWhat = c.what;
        entry.sDate = c.date;
        entry.dayTime = c.dayTime;
        const ReminderTextContext context{englishTables(), LocalTime{2024, 1, 31, 13, 45, 7, 0}};
        EXPECT_EQ(reminderBoxText(entry, context), c.expectedBox);
    }
}

TEST(ReminderText, PlaceholdersAreReplacedOverTheWholeLine) {
    ReminderEntry entry = annasBirthday();
    entry.sFile = L"C:\\%dat\\x.csv";
    entry.remindMatrix = (1u << 0) | (1u << 1) | (1u << 30);
    const ReminderTextContext context{englishTables(), LocalTime{2024, 6, 22, 9, 0, 5, 0}};
    const std::wstring line = reminderLine(entry, context);
    EXPECT_NE(line.find(L"[File: C:\\22.06.1957\\x.csv]"), std::wstring::npos);
    EXPECT_NE(line.find(L"[Total: 3 Reminder]"), std::wstring::npos);
}

}  // namespace
}  // namespace tindlow
