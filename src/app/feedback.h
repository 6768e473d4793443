#pragma once
#include <cstdint>
#include <string>

#include "app/language.h"
#include "model/directory_layout.h"
#include "model/error_boxes.h"
#include "platform/platform.h"
#include "ui/log_list.h"

namespace tindlow {

// What a file that could not be written leaves behind, which its log line says.
enum class UnwrittenFile {
    // The program's own files (settings, emitted reminders) are replaced only once written.
    KeepsPreviousContent,
    // An export or the pop-up signal: nothing is left.
    LeavesNothing,
};

// Whether a failed open of an export is logged as the Windows error report.
enum class OpenFailure { Logged, Ignored };

// What the program tells the user about its own work, beyond the lines of each handler: files
// it could not write, the Windows error report, the error boxes with their budget per run, and
// the export files it writes and opens in the editor.
class Feedback {
  public:
    Feedback(Platform& platform, LogList& log, const Language& language,
             const DirectoryLayout& paths)
        : platform_(platform), log_(log), language_(language), paths_(paths) {}

    // Logs "The file <path> could not be written ... Reason: ..." unless `error` is 0.
    void reportWriteFailure(const std::wstring& path, int error, UnwrittenFile kind);
    // The Windows error report: one log line with the system's error code.
    void windowsErrorReport(std::uint32_t code);
    // Opens the path with its application; a failure is logged as the Windows error report.
    void openReportingFailure(const std::wstring& path);
    // Writes the text as an export file with the suffix, named by the time of writing; answers
    // the path. A file that cannot be written is reported in the log list and leaves nothing.
    std::wstring writeExport(const std::wstring& suffix, const std::wstring& content);
    // Writes the export and opens it. Answers the path.
    std::wstring exportAndOpen(const std::wstring& suffix, const std::wstring& text,
                               OpenFailure failure = OpenFailure::Logged);
    // An error box within the budget of the run.
    void showCountedErrorBox(const std::wstring& text);
    // The budget for boxes shown through other boxes (the loader's).
    ErrorBoxes errorBoxes(MessageBoxes& boxes) { return ErrorBoxes(boxes, errorBoxCount_); }
    std::int32_t errorBoxCount() const { return errorBoxCount_; }

  private:
    Platform& platform_;
    LogList& log_;
    const Language& language_;
    const DirectoryLayout& paths_;
    std::int32_t errorBoxCount_ = 0;
};

}  // namespace tindlow
