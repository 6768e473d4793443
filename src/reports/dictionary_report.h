#pragma once
#include <string>

#include "model/dictionary.h"
#include "model/text_tables.h"
#include "reports/text_sink.h"

namespace tindlow {

// Every entry of a dictionary, one field per line, raw values next to readable conversions.
// `todays` selects the header (and the note for an empty dictionary) of today's report.
void writeDictionaryReport(const Dictionary& dictionary, bool todays, const TextTables& texts,
                           const std::wstring& dashLine, TextSink& sink);
// The same report as one text.
std::wstring dictionaryReport(const Dictionary& dictionary, bool todays, const TextTables& texts,
                              const std::wstring& dashLine);

}  // namespace tindlow
