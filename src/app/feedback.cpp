#include "app/feedback.h"

#include "model/text_files.h"
#include "model/text_forms.h"
#include "reports/export_files.h"

namespace tindlow {

void Feedback::reportWriteFailure(const std::wstring& path, int error, UnwrittenFile kind) {
    if (error == 0) {
        return;
    }
    // The program's own files are written at start-up before any language has been applied,
    // so their lines come from the named language's own tables.
    const bool own = kind == UnwrittenFile::KeepsPreviousContent;
    const auto message = [this, own](int index) -> const std::wstring& {
        return own ? language_.namedTables().messages[static_cast<std::size_t>(index)]
                   : language_.text(index);
    };
    log_.log(message(msg::kFileNotWritten) + path +
             message(own ? msg::kFileNotWrittenReason : msg::kExportNotWritten) +
             platform_.files.errorText(error));
}

void Feedback::windowsErrorReport(std::uint32_t code) {
    log_.log(language_.text(msg::kWindowsError) + intText(code));
}

void Feedback::openReportingFailure(const std::wstring& path) {
    const ShellResult result = platform_.shell.open(path);
    if (!result.opened) {
        windowsErrorReport(result.error);
    }
}

std::wstring Feedback::writeExport(const std::wstring& suffix, const std::wstring& content) {
    // Named by the time of writing, not the time the report was asked for.
    const std::wstring path =
        exportPath(paths_.exportsDirectory, platform_.clock.localTime(), suffix);
    // The open that follows fails as well and reports that, where the caller reports it.
    reportWriteFailure(path, writeUnicodeFile(platform_.files, path, content),
                       UnwrittenFile::LeavesNothing);
    return path;
}

std::wstring Feedback::exportAndOpen(const std::wstring& suffix, const std::wstring& text,
                                     OpenFailure failure) {
    const std::wstring path = writeExport(suffix, text);
    if (failure == OpenFailure::Logged) {
        openReportingFailure(path);
    } else {
        static_cast<void>(platform_.shell.open(path));
    }
    return path;
}

void Feedback::showCountedErrorBox(const std::wstring& text) {
    errorBoxes(platform_.boxes).showCounted(text);
}

}  // namespace tindlow
