#include "reports/export_files.h"

#include "model/text_forms.h"

namespace tindlow {

std::wstring exportTimeStamp(const LocalTime& now) {
    return nowText(now, L"datetime", L"-", L".", L"_");
}

std::wstring exportPath(const std::wstring& exportsDirectory, const LocalTime& now,
                        const std::wstring& suffix) {
    return exportsDirectory + exportTimeStamp(now) + suffix;
}

}  // namespace tindlow
