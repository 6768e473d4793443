#include "cli/cli_program.h"

#include <algorithm>
#include <memory>

#include "cli/check_command.h"
#include "cli/name_resolution.h"
#include "cli/program_directory.h"
#include "cli/utf8_text.h"
#include "commands/command_menu.h"
#include "commands/event_search.h"
#include "model/calendar.h"
#include "model/date_text.h"
#include "reports/dictionary_report.h"
#include "reports/event_preview.h"
#include "schedule/reminder_text.h"

namespace tindlow {

namespace {

// Writes report text to the output as UTF-8, piece by piece, through one buffer of 256 KiB.
class Utf8Output : public TextSink, public PreviewSink {
  public:
    explicit Utf8Output(std::ostream& out) : out_(out), buffer_(new char[kSize]) {}
    ~Utf8Output() override { flush(); }
    Utf8Output(const Utf8Output&) = delete;
    Utf8Output& operator=(const Utf8Output&) = delete;

    void write(const std::wstring& text) override {
        if (4 * text.size() > kSize - used_) {
            flush();
        }
        if (4 * text.size() > kSize) {
            const std::string bytes = utf8FromWide(text);
            out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            return;
        }
        used_ = static_cast<std::size_t>(putUtf8(buffer_.get() + used_, text) - buffer_.get());
    }
    void header(const std::wstring& text) override { write(text); }
    void numberedLine(const std::wstring& text) override { write(text); }
    void flush() {
        out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
        used_ = 0;
    }

  private:
    static constexpr std::size_t kSize = 1 << 18;
    std::ostream& out_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
};

int failWith(CliSystem& system, int status, const std::wstring& text) {
    system.err << "tindlow: " << utf8FromWide(text) << "\n";
    return status;
}

int failWith(CliSystem& system, int status, const std::string& text) {
    system.err << "tindlow: " << text << "\n";
    return status;
}

// The output is the user's result: a failed write (a closed pipe, a full disk) must not end
// as success.
int finished(CliSystem& system) {
    system.out.flush();
    if (!system.out) {
        return failWith(system, kExitOutputFailed, std::string("the output could not be written"));
    }
    return kExitDone;
}

// The moment a command computes for: --now, else the clock's.
LocalTime requestedTime(const CliRequest& request, const CliSystem& system) {
    return request.now.value_or(system.clock.localTime());
}

// The loading found what the window would show in boxes: say so once, the result stands.
void noteLoadingProblems(CliSystem& system, const ProgramDirectory& directory) {
    if (!directory.boxes.texts.empty()) {
        system.err << "tindlow: the event files have " << directory.boxes.texts.size()
                   << " problem(s) the window would show in boxes; 'tindlow check' lists them\n";
    }
}

// A command that answers from the event files of the program directory, loaded as the window
// loads them.
using LoadedCommand = int (*)(const CliRequest& request, CliSystem& system,
                              ProgramDirectory& directory, const LocalTime& now);

// Reads the program directory and its event files, then runs the command on them; a directory
// or initialization file that cannot be read ends the run before.
template <LoadedCommand command>
int afterLoading(const CliRequest& request, CliSystem& system) {
    const LocalTime now = requestedTime(request, system);
    LoadedDirectory loaded(system.processEndsAfter);
    ProgramDirectory& directory = *loaded;
    DiscardedLog log;
    switch (readProgramSettings(system.files, request.language, log, directory)) {
        case DirectoryReading::NoDirectory:
            return failWith(
                system, kExitNoDirectory,
                L"the program directory cannot be read: " + system.files.currentDirectory());
        case DirectoryReading::IniFileUnreadable:
            return failWith(system, kExitIniFileUnreadable,
                            L"the initialization file " + directory.paths.iniFile +
                                L" cannot be read: " + directory.iniFailure.value_or(L""));
        case DirectoryReading::Done:
            break;
    }
    loadEvents(system.files, now, log, directory);
    noteLoadingProblems(system, directory);
    return command(request, system, directory, now);
}

std::vector<std::wstring> eventFilePaths(const ProgramDirectory& directory) {
    std::vector<std::wstring> paths;
    for (const std::wstring& name : directory.lists.singleEvents) {
        paths.push_back(directory.paths.singleEventsDirectory + name);
    }
    for (const std::wstring& name : directory.lists.periodicEvents) {
        paths.push_back(directory.paths.periodicEventsDirectory + name);
    }
    for (const std::wstring& name : directory.lists.networkEvents) {
        paths.push_back(directory.ini.networkPath + name);
    }
    return paths;
}

int preview(const CliRequest& request, CliSystem& system, ProgramDirectory& directory,
            const LocalTime& now) {
    std::wstring filter;
    if (request.file) {
        const FileResolution file = resolveEventFile(eventFilePaths(directory), *request.file);
        if (!file.path) {
            std::wstring text =
                file.candidates.empty()
                    ? L"no event file of the program directory is named " + *request.file
                    : L"several event files are named " + *request.file +
                          L"; name one of them with its directory:";
            for (const std::wstring& candidate : file.candidates) {
                text += L"\n  " + candidate;
            }
            return failWith(system, kExitWrongArguments, text);
        }
        filter = *file.path;
    }
    const bool lookBack = request.command == CliCommand::LookBack;
    Utf8Output output(system.out);
    writeEventPreview(directory.complete, now, request.days.value_or(directory.settings.days),
                      lookBack, filter, *directory.texts, output);
    output.flush();
    return finished(system);
}

int simulate(const CliRequest& request, CliSystem& system, ProgramDirectory& directory,
             const LocalTime& now) {
    const std::optional<std::wstring> date = checkDateText(request.argument);
    if (!date) {
        return failWith(system, kExitWrongArguments,
                        directory.texts->messages[msg::kDateInputError] + L" (DD.MM.YYYY: " +
                            request.argument + L")");
    }
    Utf8Output output(system.out);
    output.write(dateSimulation(directory.complete, *date, now, *directory.texts).text);
    output.flush();
    return finished(system);
}

int nextOrLast(const CliRequest& request, CliSystem& system, ProgramDirectory& directory,
               const LocalTime& now) {
    const std::optional<std::wstring> key = resolveKey(directory.complete, request.argument);
    if (!key) {
        return failWith(system, kExitUnknownKey,
                        L"no event line has the reminder key " + request.argument);
    }
    ReminderEntry& entry = *directory.complete.find(*key);
    const bool last = request.command == CliCommand::Last;
    const std::optional<DayMonthYear> day =
        findEventDay(entry, ScanDay{nowSeconds(now), secondsOfDay(now)}, last);
    if (!day) {
        return failWith(system, kExitNoEvent,
                        directory.texts->messages[msg::kNextLastEventNotFound]);
    }
    Utf8Output output(system.out);
    output.write(reminderLine(entry, ReminderTextContext{*directory.texts, now, true, *day}) +
                 L"\n");
    output.flush();
    return finished(system);
}

int report(const CliRequest& request, CliSystem& system, ProgramDirectory& directory,
           const LocalTime& /*now*/) {
    Utf8Output output(system.out);
    writeDictionaryReport(request.todaysReport ? directory.today : directory.complete,
                          request.todaysReport, *directory.texts, directory.dashLine, output);
    output.flush();
    return finished(system);
}

// Check reads the directory itself: it reports what a loading refuses instead of stopping.
int check(const CliRequest& request, CliSystem& system) {
    const int status =
        checkProgramDirectory(system.files, request.language, requestedTime(request, system),
                              system.out, system.processEndsAfter);
    return status == kExitDone || status == kExitProblemsFound
               ? (finished(system) == kExitDone ? status : kExitOutputFailed)
               : status;
}

int help(const CliRequest& request, CliSystem& system) {
    system.out << cliHelpText(request.helpTopic);
    return finished(system);
}

constexpr CliCommandRow kCommands[] = {
    {CliCommand::Preview, "preview", "[DAYS] [--file PATH]",
     "the events of today and DAYS further days",
     "Lists the events of today and DAYS further days, day by day and within a day in the\n"
     "order of the reminder keys, numbered as the 'Future Events' button lists them. DAYS\n"
     "is 0 to 1000 (default: PreviewLookbackDays of the settings file, else 11).\n"
     "--file PATH lists only the entries of one event file: its name, a path ending in\n"
     "it (_PeriodicEvents/Health.csv) or its full path.\n",
     afterLoading<preview>},
    {CliCommand::LookBack, "lookback", "[DAYS] [--file PATH]",
     "the events of today and DAYS past days",
     "Lists the events of today and DAYS past days, today first, as the 'Missed Events'\n"
     "button lists them. DAYS and --file as for preview.\n",
     afterLoading<preview>},
    {CliCommand::Simulate, "simulate", "DATE", "the events that fall on DATE (DD.MM.YYYY)",
     "Lists the events that fall on DATE (DD.MM.YYYY), as the date simulation of the\n"
     "command menu does.\n",
     afterLoading<simulate>},
    {CliCommand::Next, "next", "KEY", "the next event of the entry with reminder key KEY",
     "Shows the next event (today included) of the entry whose reminder key is KEY, for\n"
     "example [06.11.2018-10:09:27-963303772-775740099]; the brackets may be left out, and\n"
     "a whole reminder line may be given instead of the key.\n",
     afterLoading<nextOrLast>},
    {CliCommand::Last, "last", "KEY", "the last event of the entry with reminder key KEY",
     "Shows the last event (today included) of the entry whose reminder key is KEY. KEY as\n"
     "for next.\n",
     afterLoading<nextOrLast>},
    {CliCommand::Report, "report", "complete|today", "every field of every entry of a dictionary",
     "Writes every field of every entry of the complete dictionary (all event lines) or\n"
     "of today's dictionary (the entries that remind today, with the reminders already\n"
     "given today as the emitted reminders log records them).\n",
     afterLoading<report>},
    {CliCommand::Check, "check", "",
     "every problem of the event files, the initialization\n"
     "file and the settings file, each with file and line",
     "Reads every event file, the initialization file and the settings file as a loading\n"
     "does and lists every problem at once, each with its file and line: interval columns\n"
     "the window refuses, trigger periods it shortens, reminder keys used twice, files that\n"
     "cannot be read, dates that are not dates, lines cut at 998 characters. Run it before\n"
     "you drop a new export into the program directory. Exit status 0 only when nothing\n"
     "was found, 1 when problems were listed.\n",
     check},
    {CliCommand::Help, "help", "[COMMAND]", "this text, or the help of one command",
     "Shows the overview, or the help of one command.\n", help},
};

// The overview around its list of the commands.
constexpr std::string_view kOverviewBefore =
    "Usage: tindlow [--dir PATH] [--lang en|de] [--now \"DD.MM.YYYY hh:mm:ss\"] COMMAND [ARGS]\n"
    "\n"
    "Reads the event files of a Tindlow program directory as the Tindlow window does and\n"
    "answers from them. It only reads: nothing in the directory is created or written, so it\n"
    "can run beside a running window on the same directory.\n"
    "\n"
    "Commands:\n";
constexpr std::string_view kOverviewAfter =
    "\n"
    "Options (before the command):\n"
    "  --dir PATH   the program directory (default: the current directory)\n"
    "  --lang L     en or de: the language of the output (default: the settings file's)\n"
    "  --now T      compute for the local time T, \"DD.MM.YYYY hh:mm:ss\" (default: now)\n"
    "  --help       this text; COMMAND --help gives the help of one command\n"
    "\n"
    "The output is UTF-8 text, the same text the window writes into its export files. On\n"
    "Linux, file paths are shown as the window shows them under Wine (Z:\\home\\...).\n"
    "\n"
    "Exit status: 0 done; 1 check found problems; 2 wrong arguments; 3 the program directory\n"
    "cannot be read; 4 the key is in no event file; 5 no next or last event within 1,000,000\n"
    "days; 6 the initialization file cannot be read; 7 the output cannot be written.\n";

// "preview [DAYS] [--file PATH]"
std::string usageOf(const CliCommandRow& row) {
    std::string usage(row.name);
    if (!row.operands.empty()) {
        usage += ' ';
        usage += row.operands;
    }
    return usage;
}

// Each command's usage, indented by two, and its summary two blanks after the longest usage.
std::string overviewText() {
    std::size_t column = 0;
    for (const CliCommandRow& row : kCommands) {
        column = std::max(column, 2 + usageOf(row).size() + 2);
    }
    std::string text(kOverviewBefore);
    for (const CliCommandRow& row : kCommands) {
        std::string line = "  " + usageOf(row);
        line.resize(column, ' ');
        text += line;
        std::string_view summary = row.summary;
        for (std::size_t end = summary.find('\n'); end != std::string_view::npos;
             end = summary.find('\n')) {
            text += summary.substr(0, end + 1);
            text.append(column, ' ');
            summary.remove_prefix(end + 1);
        }
        text += summary;
        text += '\n';
    }
    text += kOverviewAfter;
    return text;
}

}  // namespace

std::span<const CliCommandRow> cliCommands() {
    return kCommands;
}

const CliCommandRow* findCliCommand(std::string_view name) {
    const auto row = std::ranges::find(kCommands, name, &CliCommandRow::name);
    return row == std::end(kCommands) ? nullptr : row;
}

std::string cliHelpText(const std::string& topic) {
    const CliCommandRow* row = findCliCommand(topic);
    if (row == nullptr) {
        return overviewText();
    }
    return "Usage: tindlow " + usageOf(*row) + "\n\n" + std::string(row->help);
}

int refuseArguments(const std::string& error, std::ostream& err) {
    err << "tindlow: " << error << "\nTry 'tindlow --help'.\n";
    return kExitWrongArguments;
}

int runCli(const CliRequest& request, CliSystem& system) {
    const auto row = std::ranges::find(kCommands, request.command, &CliCommandRow::command);
    // Every command has its row: only a request made by hand can miss one.
    return row == std::end(kCommands) ? kExitWrongArguments : row->run(request, system);
}

}  // namespace tindlow
