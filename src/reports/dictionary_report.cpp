#include "reports/dictionary_report.h"

#include <utility>

#include "model/text_forms.h"

namespace tindlow {

namespace {

// One entry, one field per line, the raw value next to a readable conversion. The labels are
// the field names and stay English in both languages; units and explanations follow the
// language.
void appendBlock(std::wstring& text, const std::wstring& key, const ReminderEntry& e,
                 const TextTables& texts, const std::wstring& dashLine) {
    const auto& m = texts.messages;
    const std::wstring& seconds = m[msg::kSecondsUnit];
    auto timeLine = [&](const wchar_t* label, ProgramSeconds value) {
        return label + fixed2Text(value) + seconds + L" [=>" + formatDateTime(value) + L"]\n";
    };
    text += L"File: " + e.sFile + L"\n";
    text += L"Dictionary Key: " + key + L"\n";
    text += L"sWhat: " + e.sWhat + L"\n";
    text += L"sText : " + e.sText + L"\n";
    text += L"sDate : " + e.sDate + L"\n";
    text += L"sTime : " + e.sTime + m[msg::kExcelDoubleNote] + L"\n";
    text += L"sPretrigg : " + e.sPretrigg + m[msg::kMinutesUnit] + L"\n";
    text += L"sRepeat : " + e.sRepeat + L"\n";
    text += L"sInterval : " + e.sInterval + L"\n";
    text += L"sRowNumber : " + e.sRowNumber + L"\n";
    text += L"dayTime : " + fixed2Text(e.dayTime) + seconds + L" [=>" + formatTimeOfDay(e.dayTime) +
            L"]\n";
    text += L"preTrigger : " + fixed2Text(e.preTrigger) + seconds + L" [=>" +
            fixed2Text(e.preTrigger / 60.0) + m[msg::kMinutesUnit] + L"]\n";
    text += L"postTrigger : " + fixed2Text(e.postTrigger) + seconds + L" [=>" +
            fixed2Text(e.postTrigger / 3600.0) + m[msg::kHoursUnit] + L"]\n";
    text += timeLine(L"nextAskSec: ", e.nextAskSec);
    text += timeLine(L"nextEventTimeSec: ", e.nextEventTimeSec);
    text += timeLine(L"triggerEventTimeSec: ", e.triggerEventTimeSec);
    text += timeLine(L"lastOutputSec: ", e.lastOutputSec);
    text += L"repeat : " + intText(e.repeat) + L"\n";
    text += L"interval : " + intText(e.interval) + L"\n";
    text += L"incType : " + intText(number(e.incType)) + m[msg::kIncTypeLegend] + L"\n";
    text += L"dayPointer: " + intText(e.dayPointer) + L"\n";
    text += L"remindMatrix: " + hexText(e.remindMatrix) + L" [=>bin: " +
            binaryText(e.remindMatrix) + L"]\n";
    text += dashLine + L"\n";
}

}  // namespace

void writeDictionaryReport(const Dictionary& dictionary, bool todays, const TextTables& texts,
                           const std::wstring& dashLine, TextSink& sink) {
    sink.write(todays ? L"Today's Content of the Reminder Dictionary:\n"
                      : L"Current Content of the Reminder Dictionary:\n");
    if (todays && dictionary.empty()) {
        // German has no leading blank; neither has a line end.
        sink.write(texts.messages[msg::kNoReminderToday]);
    }
    std::wstring block;
    for (const auto& [key, entry] : dictionary) {
        block.clear();
        appendBlock(block, key, entry, texts, dashLine);
        sink.write(block);
    }
}

std::wstring dictionaryReport(const Dictionary& dictionary, bool todays, const TextTables& texts,
                              const std::wstring& dashLine) {
    CollectingTextSink sink;
    writeDictionaryReport(dictionary, todays, texts, dashLine, sink);
    return std::move(sink.text());
}

}  // namespace tindlow
