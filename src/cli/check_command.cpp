#include "cli/check_command.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "cli/cli_system.h"
#include "cli/program_directory.h"
#include "cli/utf8_text.h"
#include "input/event_line.h"
#include "input/initialization_file.h"
#include "model/calendar.h"
#include "model/lenient_number.h"
#include "model/settings_file.h"
#include "model/text_files.h"
#include "model/text_forms.h"

namespace tindlow {

namespace {

struct Problem {
    std::wstring path;
    std::size_t line = 0;  // 0: the file as a whole
    std::wstring text;
};

class ProblemList {
  public:
    void add(const std::wstring& path, std::size_t line, std::wstring text) {
        problems_.push_back({path, line, std::move(text)});
    }
    const std::vector<Problem>& all() const { return problems_; }

  private:
    std::vector<Problem> problems_;
};

// A box text may run over several lines; its later lines are indented under the first.
std::wstring indentedText(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        out += c;
        if (c == L'\n') {
            out += L"    ";
        }
    }
    while (!out.empty() && (out.back() == L' ' || out.back() == L'\n')) {
        out.pop_back();
    }
    return out;
}

// Whether the text holds a date of the program's calendar, D.M.YYYY as the reader takes it.
bool isCalendarDate(const std::wstring& text) {
    const std::wstring trimmedText = trimmed(text);
    if (std::count(trimmedText.begin(), trimmedText.end(), L'.') != 2) {
        return false;
    }
    for (const wchar_t c : trimmedText) {
        if (c != L'.' && (c < L'0' || c > L'9')) {
            return false;
        }
    }
    const DayMonthYear date = parseDateText(trimmedText);
    const std::size_t lastPoint = trimmedText.rfind(L'.');
    return lastPoint + 1 < trimmedText.size() && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= monthLength(date.month, date.year) && date.year >= 1;
}

// Collects the loading's word on each data line.
class LineChecker : public LoadObserver {
  public:
    explicit LineChecker(ProblemList& problems) : problems_(problems) {}

    void entryRead(const std::wstring& path, std::size_t lineNumber,
                   const ReminderEntry& entry) override {
        if (!isCalendarDate(entry.sDate)) {
            problems_.add(path, lineNumber,
                          L"the date \"" + entry.sDate +
                              L"\" is not a date of the form DD.MM.YYYY; the line is computed "
                              L"as if it were " +
                              dateText(entry.sDate));
        }
        // The window takes these without a word, and the line never reminds.
        if (number(entry.incType) >= number(RecurrenceKind::Days) && entry.interval == 0) {
            problems_.add(path, lineNumber,
                          L"the interval \"" + trimmed(entry.sInterval) +
                              L"\" repeats every 0 days or months, so the line never reminds; "
                              L"write a number of days other than 0 (for example 7, 30mwd1 or "
                              L"14abs), or leave the column empty for an event that does not "
                              L"repeat");
        }
        const auto [first, inserted] = keys_.try_emplace(entry.sKey, path, lineNumber);
        if (!inserted) {
            problems_.add(path, lineNumber,
                          L"the reminder key " + entry.sKey + L" is used before, in " +
                              first->second.first + L" line " +
                              intText(static_cast<std::int64_t>(first->second.second)) +
                              L"; only this later line is kept");
        }
    }

    void lineProblem(const std::wstring& path, std::size_t lineNumber,
                     const std::wstring& text) override {
        problems_.add(path, lineNumber, indentedText(text));
    }

  private:
    // The date the window computes with: dayNumberOf carries a day beyond the month on.
    static std::wstring dateText(const std::wstring& text) {
        const DayMonthYear date = parseDateText(text);
        return formatDate(dateOfDayNumber(dayNumberOf(date.day, date.month, date.year)));
    }

    ProblemList& problems_;
    std::map<std::wstring, std::pair<std::wstring, std::size_t>> keys_;
};

// Physical lines longer than the reader's piece are read as several lines.
void checkLineLengths(const std::wstring& path, const std::string& bytes, ProblemList& problems) {
    std::size_t readerLine = 1;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool last = end == std::string::npos;
        if (last) {
            end = bytes.size();
            if (start == end) {
                break;  // nothing after the last line end
            }
        }
        std::size_t length = end - start;
        if (!last && length > 0 && bytes[end - 1] == '\r') {
            --length;
        }
        const std::size_t pieces =
            length == 0 ? 1 : (length + kEventLinePiece - 1) / kEventLinePiece;
        if (pieces > 1) {
            problems.add(path, readerLine,
                         L"the line has " + intText(static_cast<std::int64_t>(length)) +
                             L" characters; only " +
                             intText(static_cast<std::int64_t>(kEventLinePiece)) +
                             L" are read as one line, so it is read as " +
                             intText(static_cast<std::int64_t>(pieces)) + L" lines (to line " +
                             intText(static_cast<std::int64_t>(readerLine + pieces - 1)) + L")");
        }
        readerLine += pieces;
        if (last) {
            break;
        }
        start = end + 1;
    }
}

void checkEventFiles(FileSystem& files, const LocalTime& now, ProgramDirectory& directory,
                     ProblemList& problems) {
    LineChecker checker(problems);
    DiscardedLog log;
    loadEvents(files, now, log, directory, &checker);

    const auto checkFiles = [&](const std::wstring& folder,
                                const std::vector<std::wstring>& names) {
        for (const std::wstring& name : names) {
            const FileBytes file = files.readFile(folder + name);
            if (!file.ok()) {
                problems.add(folder + name, 0,
                             L"the file cannot be read, so none of its lines is loaded: " +
                                 files.errorText(static_cast<int>(file.systemError)));
                continue;
            }
            checkLineLengths(folder + name, file.bytes, problems);
        }
    };
    checkFiles(directory.paths.singleEventsDirectory, directory.lists.singleEvents);
    checkFiles(directory.paths.periodicEventsDirectory, directory.lists.periodicEvents);
    checkFiles(directory.ini.networkPath, directory.lists.networkEvents);
    if (!directory.ini.networkPath.empty() && !files.exists(directory.ini.networkPath)) {
        problems.add(directory.paths.iniFile, 0,
                     L"the network path " + directory.ini.networkPath +
                         L" cannot be reached, so its event files are not loaded");
    }
}

void checkSettingsFile(const FileSystem& files, const std::wstring& path, ProblemList& problems) {
    if (!files.exists(path)) {
        return;  // the window writes it at its next start
    }
    std::vector<std::wstring> lines;
    const int result = readUnicodeLines(files, path, lines);
    if (result < 0) {
        problems.add(path, 0,
                     L"the file cannot be read (C error number " + intText(-result) +
                         L"); the window keeps its settings as they are");
        return;
    }
    std::size_t number = 0;
    for (const std::wstring& line : lines) {
        ++number;
        if (trimmed(line).empty()) {
            continue;
        }
        const std::wstring_view view(line);
        if (view.starts_with(kSettingsLanguageKey)) {
            const std::wstring value = trimmed(view.substr(kSettingsLanguageKey.size()));
            if (value != L"English" && value != L"German") {
                problems.add(path, number,
                             L"the language \"" + value +
                                 L"\" is neither English nor German; the window shows German");
            }
        } else if (view.starts_with(kSettingsStartPositionKey)) {
            if (line.find(L',') == std::wstring::npos) {
                problems.add(path, number,
                             L"the start position needs two numbers separated by a comma; the "
                             L"line is ignored");
            }
        } else if (view.starts_with(kSettingsDaysKey)) {
            const std::int32_t days = leadingInt(trimmedView(view.substr(kSettingsDaysKey.size())));
            if (days < kSettingsMinDays || days > kSettingsMaxDays) {
                problems.add(path, number,
                             L"the number of days must be from 1 to 1000; the window keeps 11");
            }
        } else {
            problems.add(path, number,
                         L"the window knows no such setting (Language = , StartPosition = , "
                         L"PreviewLookbackDays = , with exactly these capitals and blanks) and "
                         L"ignores the line");
        }
    }
}

void checkIniFile(const FileSystem& files, const ProgramDirectory& directory,
                  ProblemList& problems) {
    const std::wstring& path = directory.paths.iniFile;
    if (!files.exists(path)) {
        problems.add(path, 0, L"the initialization file is missing; the window uses its defaults");
        return;
    }
    const FileBytes content = files.readFile(path);
    if (!content.ok()) {
        return;  // reported by the caller: the window ends at it
    }
    const std::vector<std::wstring> lines = eventFileLines(content.bytes);
    struct Limit {
        const wchar_t* key;
        std::int32_t low;
        std::int32_t high;
        const wchar_t* outcome;
    };
    const Limit limits[] = {
        {L"[ExecutionLoop]", kExecutionLoopSecondsMin, kExecutionLoopSecondsMax,
         L"the nearest limit is used"},
        {L"[WindowSize]", 0, kWindowSizeModeMax, L"the nearest limit is used"},
        {L"[NumFlashing]", 0, kFlashLimitMax, L"the nearest limit is used"},
        {L"[RemindHours]", kRemindHoursMin, kRemindHoursMax,
         L"the value is ignored and 72 hours stay"},
    };
    std::size_t number = 0;
    for (const std::wstring& line : lines) {
        ++number;
        for (const Limit& limit : limits) {
            if (line.find(limit.key) == std::wstring::npos) {
                continue;
            }
            const std::size_t end = line.find(L';');
            const std::wstring value = end == std::wstring::npos ? L"" : line.substr(0, end);
            const std::int32_t number32 = leadingInt(value);
            if (number32 < limit.low || number32 > limit.high) {
                problems.add(path, number,
                             std::wstring(limit.key) + L" takes " + intText(limit.low) + L" to " +
                                 intText(limit.high) + L", not \"" + value + L"\"; " +
                                 limit.outcome);
            }
            break;
        }
    }
}

}  // namespace

int checkProgramDirectory(FileSystem& files, const std::optional<std::wstring>& language,
                          const LocalTime& now, std::ostream& out, bool processEndsAfter) {
    LoadedDirectory loaded(processEndsAfter);
    ProgramDirectory& directory = *loaded;
    DiscardedLog log;
    ProblemList problems;
    const DirectoryReading reading = readProgramSettings(files, language, log, directory);
    if (reading == DirectoryReading::NoDirectory) {
        out << "tindlow: the program directory cannot be read: "
            << utf8FromWide(files.currentDirectory()) << "\n";
        return kExitNoDirectory;
    }
    checkSettingsFile(files, directory.paths.settingsFile, problems);
    if (reading == DirectoryReading::IniFileUnreadable) {
        problems.add(directory.paths.iniFile, 0,
                     L"the file cannot be read, and the window ends at it: " +
                         directory.iniFailure.value_or(L""));
    } else {
        checkIniFile(files, directory, problems);
    }
    for (const std::wstring& text : directory.boxes.texts) {
        problems.add(directory.paths.settingsFile, 0, indentedText(text));
    }
    checkEventFiles(files, now, directory, problems);

    for (const Problem& problem : problems.all()) {
        std::wstring text = problem.path;
        if (problem.line > 0) {
            text += L", line " + intText(static_cast<std::int64_t>(problem.line));
        }
        out << utf8FromWide(text + L": " + problem.text) << "\n";
    }
    if (problems.all().empty()) {
        out << "No problems found.\n";
        return kExitDone;
    }
    out << problems.all().size() << (problems.all().size() == 1 ? " problem" : " problems")
        << " found.\n";
    return kExitProblemsFound;
}

}  // namespace tindlow
