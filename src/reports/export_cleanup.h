#pragma once
#include <string>

#include "model/log_sink.h"
#include "model/text_tables.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace tindlow {

// Whether a file name begins with the export time stamp YYYY-MM-DD_hh.mm.ss.
bool hasExportTimeStamp(const std::wstring& name);

// Deletes the program's own export files that are six or more calendar days old and logs each
// one under a heading. Files that do not begin with the export time stamp belong to the user
// and are left alone.
void cleanUpExports(FileSystem& files, const std::wstring& exportsDirectory, const LocalTime& now,
                    const TextTables& texts, const std::wstring& dashLine, LogSink& log);

}  // namespace tindlow
