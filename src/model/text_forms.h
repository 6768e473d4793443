#pragma once
#include <cstdint>
#include <string>

#include "model/calendar.h"
#include "platform/clock.h"

namespace tindlow {

std::wstring formatDate(const DayMonthYear& date);           // DD.MM.YYYY
std::wstring formatTimeOfDay(SecondsOfDay secondsOfDay);     // hh:mm:ss
std::wstring formatDateTime(ProgramSeconds programSeconds);  // DD.MM.YYYY hh:mm:ss
// The same, appended to `text`: a preview writes millions of them into one buffer.
void appendDate(std::wstring& text, const DayMonthYear& date);
void appendTimeOfDay(std::wstring& text, SecondsOfDay secondsOfDay);
void appendDateTime(std::wstring& text, ProgramSeconds programSeconds);
// DD.MM.YYYY + join + hh + sep + mm + sep + ss.
std::wstring nowStamp(const LocalTime& now, const std::wstring& join,
                      const std::wstring& timeSeparator);
// kind "date", "time" or "datetime"; an unknown kind gives the empty text.
std::wstring nowText(const LocalTime& now, const std::wstring& kind,
                     const std::wstring& dateSeparator, const std::wstring& timeSeparator,
                     const std::wstring& join);

std::wstring intText(std::int64_t value);
std::wstring paddedIntText(std::int64_t value, int width);
// The same, appended to `text`: the log lines are built in place without temporary texts.
void appendIntText(std::wstring& text, std::int64_t value);
void appendPaddedIntText(std::wstring& text, std::int64_t value, int width);
std::wstring hexText(std::uint32_t value);     // 0x000000FF
std::wstring binaryText(std::uint32_t value);  // 0000 0000 ... 1111
std::wstring fixed2Text(double value);         // "%.2f"

}  // namespace tindlow
