#include "reports/export_cleanup.h"

#include <cmath>
#include <vector>

#include "input/event_input.h"
#include "model/calendar.h"
#include "model/lenient_number.h"

namespace tindlow {

bool hasExportTimeStamp(const std::wstring& name) {
    static constexpr wchar_t kPattern[] = L"0000-00-00_00.00.00";
    constexpr std::size_t kLength = sizeof kPattern / sizeof kPattern[0] - 1;
    if (name.size() < kLength) {
        return false;
    }
    for (std::size_t i = 0; i < kLength; ++i) {
        const bool digit = name[i] >= L'0' && name[i] <= L'9';
        if (kPattern[i] == L'0' ? !digit : name[i] != kPattern[i]) {
            return false;
        }
    }
    return true;
}

namespace {

// The day number of the date that begins an export file name.
std::int32_t exportDayNumber(const std::wstring& name) {
    const std::wstring date = name.substr(0, name.find(L'_'));
    std::int32_t parts[3] = {0, 0, 0};
    std::size_t from = 0;
    for (int i = 0; i < 3 && from <= date.size(); ++i) {
        const std::size_t end = date.find(L'-', from);
        parts[i] = leadingInt(
            date.substr(from, end == std::wstring::npos ? std::wstring::npos : end - from));
        if (end == std::wstring::npos) {
            break;
        }
        from = end + 1;
    }
    return dayNumberOf(parts[2], parts[1], parts[0]);
}

}  // namespace

void cleanUpExports(FileSystem& files, const std::wstring& exportsDirectory, const LocalTime& now,
                    const TextTables& texts, const std::wstring& dashLine, LogSink& log) {
    std::vector<std::wstring> names;
    listFiles(files, exportsDirectory, L".*", names);
    const std::int64_t today = static_cast<std::int64_t>(std::trunc(nowDays(now)));
    bool deleted = false;
    for (const std::wstring& name : names) {
        if (!hasExportTimeStamp(name) || today - exportDayNumber(name) <= 5) {
            continue;
        }
        if (!deleted) {
            log.log(texts.messages[msg::kOutdatedExportsDeleted]);
            deleted = true;
        }
        files.deleteFile(exportsDirectory + name);
        log.log(exportsDirectory + name);
    }
    if (deleted) {
        log.log(dashLine);
    }
}

}  // namespace tindlow
