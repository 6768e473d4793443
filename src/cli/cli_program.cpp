#include "cli/cli_program.h"

#include <memory>

#include "cli/check_command.h"
#include "cli/name_resolution.h"
#include "cli/program_directory.h"
#include "cli/utf8_text.h"
#include "commands/command_menu.h"
#include "commands/event_search.h"
#include "model/calendar.h"
#include "reports/dictionary_report.h"
#include "reports/event_preview.h"
#include "schedule/reminder_text.h"
#include "ui/days_field.h"

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

// The loading found what the window would show in boxes: say so once, the result stands.
void noteLoadingProblems(CliSystem& system, const ProgramDirectory& directory) {
    if (!directory.boxes.texts.empty()) {
        system.err << "tindlow: the event files have " << directory.boxes.texts.size()
                   << " problem(s) the window would show in boxes; 'tindlow check' lists them\n";
    }
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
    const DateTextCheck date = checkDateText(request.argument);
    if (date.code != 0) {
        return failWith(system, kExitWrongArguments,
                        directory.texts->messages[msg::kDateInputError] + L" (DD.MM.YYYY: " +
                            request.argument + L")");
    }
    Utf8Output output(system.out);
    output.write(dateSimulation(directory.complete, date.text, now, *directory.texts).text);
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
    const double secondsOfDay = now.hour * 3600.0 + now.minute * 60.0 + now.second;
    const bool last = request.command == CliCommand::Last;
    const std::optional<DayMonthYear> day =
        findEventDay(entry, ScanDay{nowSeconds(now), secondsOfDay}, last);
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

int report(const CliRequest& request, CliSystem& system, ProgramDirectory& directory) {
    Utf8Output output(system.out);
    writeDictionaryReport(request.todaysReport ? directory.today : directory.complete,
                          request.todaysReport, *directory.texts, directory.dashLine, output);
    output.flush();
    return finished(system);
}

}  // namespace

int refuseArguments(const std::string& error, std::ostream& err) {
    err << "tindlow: " << error << "\nTry 'tindlow --help'.\n";
    return kExitWrongArguments;
}

int runCli(const CliRequest& request, CliSystem& system) {
    if (request.command == CliCommand::Help) {
        system.out << cliHelpText(request.helpTopic);
        return finished(system);
    }
    const LocalTime now = request.now.value_or(system.clock.localTime());
    if (request.command == CliCommand::Check) {
        const int status = checkProgramDirectory(system.files, request.language, now, system.out);
        return status == kExitDone || status == kExitProblemsFound
                   ? (finished(system) == kExitDone ? status : kExitOutputFailed)
                   : status;
    }

    ProgramDirectory directory;
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

    switch (request.command) {
        case CliCommand::Preview:
        case CliCommand::LookBack:
            return preview(request, system, directory, now);
        case CliCommand::Simulate:
            return simulate(request, system, directory, now);
        case CliCommand::Next:
        case CliCommand::Last:
            return nextOrLast(request, system, directory, now);
        case CliCommand::Report:
            return report(request, system, directory);
        case CliCommand::Help:
        case CliCommand::Check:
            break;
    }
    return kExitDone;
}

}  // namespace tindlow
