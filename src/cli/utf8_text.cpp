#include "cli/utf8_text.h"

#include <cstdint>

namespace tindlow {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendCodePoint(std::wstring& out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            const char32_t v = c - 0x10000;
            out += static_cast<wchar_t>(0xD800 + (v >> 10));
            out += static_cast<wchar_t>(0xDC00 + (v & 0x3FF));
            return;
        }
    }
    out += static_cast<wchar_t>(c);
}

// Writes one code point at `out`, which has room for four bytes; answers the end.
char* putCodePoint(char* out, char32_t c) {
    if (c < 0x80) {
        *out++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *out++ = static_cast<char>(0xC0 | (c >> 6));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (c >> 12));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (c >> 18));
        *out++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

}  // namespace

std::wstring wideFromUtf8(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        std::size_t length = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07u;
        }
        bool valid = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(bytes[i + k]);
            valid = (next & 0xC0u) == 0x80u;
            c = (c << 6) | (next & 0x3Fu);
        }
        // Overlong forms, surrogates and values beyond U+10FFFF are no characters.
        const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (c < minimum[length] || c > 0x10FFFF || isSurrogate(c))) {
            valid = false;
        }
        if (!valid) {
            out += static_cast<wchar_t>(kReplacement);
            ++i;
            continue;
        }
        appendCodePoint(out, c);
        i += length;
    }
    return out;
}

char* putUtf8(char* out, std::wstring_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<char32_t>(text[i]);
        if constexpr (sizeof(wchar_t) == 2) {
            c &= 0xFFFFu;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
                const auto low = static_cast<char32_t>(text[i + 1]) & 0xFFFFu;
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        if (isSurrogate(c) || c > 0x10FFFF) {
            c = kReplacement;
        }
        out = putCodePoint(out, c);
    }
    return out;
}

std::string utf8FromWide(std::wstring_view text) {
    std::string out(4 * text.size(), '\0');
    out.resize(static_cast<std::size_t>(putUtf8(out.data(), text) - out.data()));
    return out;
}

}  // namespace tindlow
