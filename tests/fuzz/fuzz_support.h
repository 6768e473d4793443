#pragma once
// What every fuzz target shares: the property check that reports and aborts (libFuzzer then
// saves the input as a crash), and the ways the fuzzer's bytes become the engine's texts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tindlow::fuzz {

// A text as ASCII for a failure report: printable characters as they are, others escaped.
inline std::string printable(std::wstring_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code >= 0x20 && code < 0x7F && c != L'\\') {
            out.push_back(static_cast<char>(code));
            continue;
        }
        out += code <= 0xFF ? "\\x" : "\\u";
        for (int shift = code <= 0xFF ? 4 : 12; shift >= 0; shift -= 4) {
            out.push_back(kHex[(code >> shift) & 0xFu]);
        }
    }
    return out;
}

[[noreturn]] inline void fail(const char* file, int line, const char* condition,
                              const std::string& detail) {
    std::fprintf(stderr, "%s:%d: property does not hold: %s\n", file, line, condition);
    if (!detail.empty()) {
        std::fprintf(stderr, "    %s\n", detail.c_str());
    }
    std::fflush(stderr);
    std::abort();
}

// One character per byte, as the engine reads 8-bit text.
inline std::wstring byteText(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    }
    return text;
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// The parts of the bytes between the separators; always at least one part.
inline std::vector<std::string_view> splitBytes(std::string_view bytes, std::string_view separator,
                                                std::size_t maxParts = SIZE_MAX) {
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    while (parts.size() + 1 < maxParts) {
        const std::size_t at = bytes.find(separator, from);
        if (at == std::string_view::npos) {
            break;
        }
        parts.push_back(bytes.substr(from, at - from));
        from = at + separator.size();
    }
    parts.push_back(bytes.substr(from));
    return parts;
}

// Reads the fuzzer's bytes front to back; past the end every read gives zeros.
class ByteReader {
  public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    bool empty() const { return at_ >= bytes_.size(); }
    std::uint8_t byte() {
        return empty() ? std::uint8_t{0} : static_cast<std::uint8_t>(bytes_[at_++]);
    }
    // A number in 0 .. bound - 1 (bound at most 256).
    int below(int bound) { return static_cast<int>(byte()) % bound; }
    // Up to `most` bytes, ending before the first `stop` byte, which is consumed.
    std::string_view textUntil(char stop, std::size_t most) {
        const std::size_t from = at_;
        while (at_ < bytes_.size() && at_ - from < most && bytes_[at_] != stop) {
            ++at_;
        }
        const std::string_view text = bytes_.substr(from, at_ - from);
        if (at_ < bytes_.size() && bytes_[at_] == stop) {
            ++at_;
        }
        return text;
    }

  private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

}  // namespace tindlow::fuzz

// Checks a property of the code under test; on failure names it, prints the detail (a
// std::string expression, evaluated only then) and aborts.
#define FUZZ_CHECK_MSG(condition, detail)                                    \
    do {                                                                     \
        if (!(condition)) {                                                  \
            ::tindlow::fuzz::fail(__FILE__, __LINE__, #condition, (detail)); \
        }                                                                    \
    } while (false)

#define FUZZ_CHECK(condition) FUZZ_CHECK_MSG(condition, std::string())
