#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "input/event_input.h"
#include "model/directory_layout.h"
#include "model/text_tables.h"

namespace tindlow {

// The workbook an event file was exported from: every ".csv" becomes ".xlsm".
std::wstring workbookName(const std::wstring& eventFileName);

// The numbered lines of the document menu: the program's files, the workbook of every loaded
// event file, the help files and the program's directories.
std::vector<std::wstring> documentMenuLines(const TextTables& texts, const EventFileLists& lists);

// What choosing a menu line does: open a path, or log one message instead.
struct DocumentChoice {
    std::wstring path;           // empty when nothing is to be opened
    std::optional<int> message;  // message table entry to log instead
};

// Decides by the first document menu text the selected line contains.
DocumentChoice documentChoice(const std::wstring& selectedText, const TextTables& texts,
                              const DirectoryLayout& paths, const std::wstring& networkPath,
                              NetworkPathState networkPathState);

}  // namespace tindlow
