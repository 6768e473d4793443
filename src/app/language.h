#pragma once
#include <string>

#include "model/text_tables.h"

namespace tindlow {

// The language of the window: its name as the settings file carries it, and the text tables
// applied to the window. A name can change without being applied (a reread settings file shows
// its language at the next switch or start), so the two are kept apart.
class Language {
  public:
    Language();

    const std::wstring& name() const { return name_; }
    bool isEnglish() const { return selectsEnglish(name_); }
    // Names the language; its texts show from the next apply().
    void setName(const std::wstring& name) { name_ = name; }
    void apply();

    // The applied tables (empty before the first apply).
    const TextTables& texts() const { return texts_; }
    // The applied message text, empty for an index outside the table.
    const std::wstring& text(int messageIndex) const;
    // The named language's tables, applied or not.
    const TextTables& namedTables() const { return tablesFor(name_); }

  private:
    std::wstring name_ = L"English";
    TextTables texts_;
};

}  // namespace tindlow
