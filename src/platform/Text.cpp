#include "platform/Text.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace qv {
namespace {

// Unicode code points of bytes 0x80-0x9F in Windows-1252.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr std::array<unsigned char, 256> make_lower_table() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int i = 'A'; i <= 'Z'; ++i) t[i] = static_cast<unsigned char>(i + 32);
    for (int i = 0xC0; i <= 0xDE; ++i)
        if (i != 0xD7) t[i] = static_cast<unsigned char>(i + 32);
    t[0x8A] = 0x9A;  // Š
    t[0x8C] = 0x9C;  // Œ
    t[0x8E] = 0x9E;  // Ž
    t[0x9F] = 0xFF;  // Ÿ
    return t;
}
constexpr auto kLower = make_lower_table();

constexpr std::array<unsigned char, 256> make_upper_table() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int i = 0; i < 256; ++i)
        if (kLower[i] != i) t[kLower[i]] = static_cast<unsigned char>(i);
    return t;
}
constexpr auto kUpper = make_upper_table();

std::uint32_t code_point(unsigned char b) {
    if (b >= 0x80 && b < 0xA0) return kHigh[b - 0x80];
    return b;
}

void append_utf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

int byte_for(std::uint32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == cp) return 0x80 + i;
    return -1;
}

}  // namespace

char lower_char(char c) {
    return static_cast<char>(kLower[static_cast<unsigned char>(c)]);
}
char upper_char(char c) {
    return static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
}
char32_t cp1252_code_point(char c) {
    return code_point(static_cast<unsigned char>(c));
}

std::string to_lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = lower_char(c);
    return out;
}

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower_char(a[i]) != lower_char(b[i])) return false;
    return true;
}

std::size_t find_ignoring_case(std::string_view text, std::string_view lower_mark) {
    for (std::size_t i = 0; i + lower_mark.size() <= text.size(); ++i) {
        std::size_t j = 0;
        while (j < lower_mark.size() && lower_char(text[i + j]) == lower_mark[j]) ++j;
        if (j == lower_mark.size()) return i;
    }
    return std::string_view::npos;
}

bool word_ends_at(std::string_view text, std::size_t end, std::string_view lower_word) {
    if (lower_word.size() > end) return false;
    const std::size_t start = end - lower_word.size();
    for (std::size_t i = 0; i < lower_word.size(); ++i)
        if (lower_char(text[start + i]) != lower_word[i]) return false;
    return true;
}

std::string replace_first(std::string_view text, std::string_view what, std::string_view with) {
    std::string out(text);
    const std::size_t at = out.find(what);
    if (at != std::string::npos) out.replace(at, what.size(), with);
    return out;
}

std::string with_thousands(std::uint64_t n) {
    std::string digits = std::to_string(n);
    for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

std::string human_size(std::uint64_t bytes) {
    if (bytes < 1024) return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
    static constexpr const char* kUnits[] = {"KB", "MB", "GB", "TB"};
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (value >= 1023.95 && unit + 1 < std::size(kUnits)) {
        value /= 1024.0;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

std::string one_of(std::string_view text, std::size_t n, std::size_t of, std::string_view title) {
    return replace_first(
        replace_first(replace_first(text, "%1", std::to_string(n)), "%2", std::to_string(of)), "%3",
        title);
}

std::string cp1252_to_utf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) append_utf8(out, code_point(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8_to_cp1252(std::string_view text, bool* lossless) {
    std::string out;
    out.reserve(text.size());
    bool all = true;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        std::uint32_t cp = 0;
        std::size_t len = 0;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        }
        bool valid = len > 0 && i + len <= text.size();
        for (std::size_t k = 1; valid && k < len; ++k) {
            const auto cb = static_cast<unsigned char>(text[i + k]);
            if ((cb & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (cb & 0x3F);
        }
        // Overlong forms and surrogates are not valid UTF-8.
        if (valid &&
            ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) ||
             (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out += '?';
            all = false;
            ++i;
            continue;
        }
        const int byte = byte_for(cp);
        if (byte < 0) {
            out += '?';
            all = false;
        } else {
            out += static_cast<char>(byte);
        }
        i += len;
    }
    if (lossless) *lossless = all;
    return out;
}

}  // namespace qv
