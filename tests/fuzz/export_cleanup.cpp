// The clean-up of _Exports over a directory whose entries are named by the input: one name a
// line, a name that begins with "/" is a directory. The first line may give today's date as
// DD.MM.YYYY (otherwise 15.06.2025). Only files whose name begins with the export time stamp
// YYYY-MM-DD_hh.mm.ss (digits where the letters are) are the program's own; every other file, every
// directory and everything outside _Exports stays. Of the stamped files with a date of the
// calendar, those six or more days old go and the younger ones stay; what goes is logged.

#include <cstdint>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/recording_log.h"
#include "fuzz_support.h"
#include "model/calendar.h"
#include "model/date_text.h"
#include "model/text_tables.h"
#include "reports/export_cleanup.h"

namespace tindlow {
namespace {

const std::wstring kExports = L"C:\\P\\_Exports\\";
const std::wstring kDash = L"----";
// Files that look like old exports but lie where the clean-up never looks.
const std::wstring kOutside[] = {L"C:\\P\\2000-01-01_00.00.00 Old.txt",
                                 L"C:\\P\\_Exports\\Sub\\2000-01-01_00.00.00 Old.txt"};

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// The stamp, written out: four digits, "-", two, "-", two, "_", two, ".", two, ".", two.
bool stamped(const std::wstring& name) {
    static const std::wstring kForm = L"dddd-dd-dd_dd.dd.dd";
    if (name.size() < kForm.size()) {
        return false;
    }
    for (std::size_t i = 0; i < kForm.size(); ++i) {
        if (kForm[i] == L'd' ? !isDigit(name[i]) : name[i] != kForm[i]) {
            return false;
        }
    }
    return true;
}

std::int32_t digits(const std::wstring& name, std::size_t from, std::size_t count) {
    std::int32_t value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        value = value * 10 + (name[i] - L'0');
    }
    return value;
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    std::vector<std::string_view> lines = fuzz::splitBytes(fuzz::bytesOf(data, size), "\n");
    LocalTime now{2025, 6, 15, 10, 0, 0, 0};
    const std::optional<std::wstring> date = checkDateText(fuzz::byteText(lines.front()));
    if (date) {
        const DayMonthYear given = parseDateText(*date);
        if (given.year >= 1901 && given.year <= 2999 && given.month >= 1 && given.month <= 12 &&
            given.day >= 1 && given.day <= monthLength(given.month, given.year)) {
            now.day = given.day;
            now.month = given.month;
            now.year = given.year;
        }
    }

    FakeFileSystem files;
    files.addDirectory(kExports);
    for (const std::wstring& path : kOutside) {
        files.addFile(path, "x");
    }
    for (const std::string_view line : lines) {
        std::wstring name;
        for (const wchar_t c : fuzz::byteText(line)) {
            if (c != L'\\' && c != L'/' && c != L'\r' && c != L'\0') {
                name.push_back(c);
            }
        }
        if (name.empty() || name == L"." || name == L"..") {
            continue;
        }
        try {
            if (line.starts_with("/")) {
                files.addDirectory(kExports + name);
            } else {
                files.addFile(kExports + name, "x");
            }
        } catch (const std::invalid_argument&) {
            // A name the file system cannot hold next to the others (a file over a directory).
        }
    }
    const std::vector<DirectoryEntry> listed = files.listDirectory(kExports).value();

    RecordingLog log;
    cleanUpExports(files, kExports, now, englishTables(), kDash, log);

    const std::int32_t today = todayDayNumber(now);
    std::set<std::wstring> deleted;
    for (const DirectoryEntry& entry : listed) {
        const std::wstring path = kExports + entry.name;
        const bool exists = files.exists(path);
        const std::string detail = "\"" + fuzz::printable(entry.name) + "\"";
        if (entry.isDirectory || !stamped(entry.name)) {
            FUZZ_CHECK_MSG(exists, detail);
            continue;
        }
        if (!exists) {
            deleted.insert(path);
        }
        const DayMonthYear written{digits(entry.name, 8, 2), digits(entry.name, 5, 2),
                                   digits(entry.name, 0, 4)};
        if (written.month >= 1 && written.month <= 12 && written.day >= 1 &&
            written.day <= monthLength(written.month, written.year) && written.year >= 1901) {
            const std::int32_t age = today - dayNumberOf(written.day, written.month, written.year);
            FUZZ_CHECK_MSG(exists == (age < 6), detail + " " + std::to_string(age) + " days old");
        }
    }
    for (const std::wstring& path : kOutside) {
        FUZZ_CHECK(files.exists(path));
    }

    if (deleted.empty()) {
        FUZZ_CHECK(log.lines.empty());
    } else {
        FUZZ_CHECK(log.lines.size() == deleted.size() + 2);
        FUZZ_CHECK(log.lines.front() == englishTables().messages[msg::kOutdatedExportsDeleted]);
        FUZZ_CHECK(log.lines.back() == kDash);
        const std::set<std::wstring> logged(log.lines.begin() + 1, log.lines.end() - 1);
        FUZZ_CHECK(logged == deleted);
    }
    return 0;
}
