#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tindlow {

// The longest line the event file reader takes in one piece; a longer physical line is read as
// several lines of this length and a last one with the rest.
inline constexpr std::size_t kEventLinePiece = 998;

// An event line has nine columns and an unused tenth; anything after the tenth is dropped.
inline constexpr std::size_t kEventColumnCount = 10;
using EventColumns = std::array<std::wstring, kEventColumnCount>;
// The columns as parts of the line they were cut from; valid while the line is.
using EventColumnViews = std::array<std::wstring_view, kEventColumnCount>;

// Cuts the bytes of an event file into the lines the reader numbers. Every byte is one character
// (code point = byte value). A CR right before an LF is dropped, as a text-mode read does; other
// CRs stay. Every LF ends a line, so empty lines count wherever they are, trailing ones included;
// text after the last LF is a last line of its own, and nothing after it is none. Each physical
// line is cut into pieces of kEventLinePiece characters and a rest (an empty physical line is one
// empty line).
//
// The bytes may come in parts of any size, as a file is read: a line that lies whole in one part
// is handed on as a piece of it, and only a line that runs across two parts is copied, so the
// splitter never holds more than one line.
class EventLineSplitter {
  public:
    using LineSink = std::function<void(std::string_view line)>;

    void feed(std::string_view bytes, const LineSink& sink);
    // The bytes have ended: hands on a last line that did not end in an LF.
    void finish(const LineSink& sink);

  private:
    // Characters of the current physical line; every full piece goes on at once.
    void append(std::string_view text, const LineSink& sink);
    void endLine(const LineSink& sink);
    // A CR that ended the bytes so far stays when the next byte is not an LF.
    void keepPendingReturn(const LineSink& sink);

    // The current line's unfinished piece, shorter than kEventLinePiece.
    std::string carry_;
    // Whether the current physical line has given a piece already.
    bool pieceGiven_ = false;
    bool pendingReturn_ = false;
};

// The lines of a whole file as texts.
std::vector<std::wstring> eventFileLines(const std::string& bytes);

// Appends the bytes of one line as text, one character per byte.
void appendEventLineText(std::wstring& text, std::string_view piece);

// Cuts a line at every ";": column 1 is the text before the first, and so on; columns the line
// does not reach are empty.
EventColumnViews splitColumnViews(std::wstring_view line);
EventColumns splitColumns(std::wstring_view line);

// Whether the first column marks a line of defaults: it contains "default" in any case of the
// letters A to Z.
bool isDefaultLine(std::wstring_view firstColumn);

// The decimal form of the time column: the spreadsheet writes "0,5" in a German locale.
std::wstring commasToPoints(std::wstring text);

}  // namespace tindlow
