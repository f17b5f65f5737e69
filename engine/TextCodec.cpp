#include "TextCodec.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace dualis {
namespace {

// Unicode code points of the Windows-1252 bytes 0x80 to 0x9F; the five undefined bytes keep
// their own value, as the system's conversion does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252ToUnicode(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kCp1252High[byte - 0x80] : byte;
}

// Length of the valid UTF-8 sequence at p (strict: no overlong forms, no surrogates, nothing
// above U+10FFFF), or 0 when the bytes there are not one. *cp receives the code point.
size_t Utf8SequenceAt(const unsigned char* p, size_t left, char32_t* cp) {
    const unsigned char b0 = p[0];
    if (b0 < 0x80) {
        *cp = b0;
        return 1;
    }
    auto cont = [&](size_t k) { return k < left && (p[k] & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (!cont(1)) return 0;
        *cp = ((b0 & 0x1Fu) << 6) | (p[1] & 0x3Fu);
        return 2;
    }
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (!cont(1) || !cont(2)) return 0;
        const char32_t v = ((b0 & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
        if (v < 0x800 || (v >= 0xD800 && v <= 0xDFFF)) return 0;
        *cp = v;
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (!cont(1) || !cont(2) || !cont(3)) return 0;
        const char32_t v =
            ((b0 & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
        if (v < 0x10000 || v > 0x10FFFF) return 0;
        *cp = v;
        return 4;
    }
    return 0;
}

bool IsAsciiBlock(const unsigned char* p) {
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return (word & 0x8080808080808080ull) == 0;
}

bool IsAsciiRun32(const unsigned char* p) {
    uint64_t words[4];
    std::memcpy(words, p, sizeof words);
    return ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ull) == 0;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        // Source text is mostly runs of ASCII: checked 32 bytes at a time.
        while (i + 32 <= n && IsAsciiRun32(p + i)) i += 32;
        if (i == n) break;
        if (i + 8 <= n && IsAsciiBlock(p + i)) {
            i += 8;
            continue;
        }
        char32_t cp;
        const size_t len = Utf8SequenceAt(p + i, n - i, &cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

std::string RepairUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t i = 0; i < text.size();) {
        char32_t cp;
        const size_t len = Utf8SequenceAt(p + i, text.size() - i, &cp);
        if (len == 0) {
            AppendUtf8(out, 0xFFFD);
            ++i;
        } else {
            out.append(text.substr(i, len));
            i += len;
        }
    }
    return out;
}

namespace {

// Sum of the eight bytes of a word.
uint32_t ByteSum(uint64_t word) {
    const uint64_t pairs = (word & 0x00FF00FF00FF00FFull) + ((word >> 8) & 0x00FF00FF00FF00FFull);
    return static_cast<uint32_t>((pairs * 0x0001000100010001ull) >> 48);
}

}  // namespace

size_t Cp1252AsUtf8Size(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t extra = 0;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, p + i, sizeof word);
        if ((word & 0x8080808080808080ull) == 0) continue;
        for (size_t k = 0; k < 8; ++k) {
            if (p[i + k] >= 0x80) extra += Cp1252ToUnicode(p[i + k]) >= 0x800 ? 2 : 1;
        }
    }
    for (; i < n; ++i) {
        if (p[i] >= 0x80) extra += Cp1252ToUnicode(p[i]) >= 0x800 ? 2 : 1;
    }
    return n + extra;
}

std::string Cp1252AsUtf8(std::string_view bytes) {
    std::string out(Cp1252AsUtf8Size(bytes), '\0');
    WriteCp1252AsUtf8(out.data(), bytes);
    return out;
}

char* WriteCp1252AsUtf8(char* out, std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t run = 0;  // start of the pending run of ASCII bytes, copied in one go
    auto flush = [&](size_t end) {
        if (end == run) return;  // an empty text may have no buffer at all
        std::memcpy(out, p + run, end - run);
        out += end - run;
    };
    for (size_t i = 0; i < n;) {
        if (i + 8 <= n && IsAsciiBlock(p + i)) {
            i += 8;
            continue;
        }
        if (p[i] >= 0x80) {
            flush(i);
            const char32_t cp = Cp1252ToUnicode(p[i]);
            if (cp < 0x800) {
                *out++ = static_cast<char>(0xC0 | (cp >> 6));
                *out++ = static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                *out++ = static_cast<char>(0xE0 | (cp >> 12));
                *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                *out++ = static_cast<char>(0x80 | (cp & 0x3F));
            }
            run = i + 1;
        }
        ++i;
    }
    flush(n);
    return out;
}

std::string Utf16AsUtf8(std::string_view bytes, bool bigEndian) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t units = bytes.size() / 2;
    auto unitAt = [&](size_t k) -> char32_t {
        const char32_t first = p[2 * k];
        const char32_t second = p[2 * k + 1];
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string out;
    out.reserve(units + units / 4 + 3);
    for (size_t k = 0; k < units; ++k) {
        const char32_t unit = unitAt(k);
        if (unit < 0x80) {
            out.push_back(static_cast<char>(unit));
            continue;
        }
        char32_t cp = unit;
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            const char32_t low = k + 1 < units ? unitAt(k + 1) : 0;
            if (unit <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                ++k;
            } else {
                cp = 0xFFFD;
            }
        }
        AppendUtf8(out, cp);
    }
    if (bytes.size() % 2 != 0) AppendUtf8(out, 0xFFFD);
    return out;
}

bool HasNulUnit(std::string_view bytes, size_t units) {
    const size_t n = std::min(bytes.size() / 2, units);
    for (size_t k = 0; k < n; ++k) {
        if (bytes[2 * k] == '\0' && bytes[2 * k + 1] == '\0') return true;
    }
    return false;
}

int64_t CharCount(std::string_view utf8) {
    int64_t count = 0;
    for (char c : utf8) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

void LowerCaseInPlace(std::string& utf8) {
    const size_t n = utf8.size();
    for (size_t i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        if (b >= 'A' && b <= 'Z') {
            utf8[i] = static_cast<char>(b + 32);
        } else if (i + 1 < n && (b == 0xC3 || b == 0xC5)) {
            const auto b1 = static_cast<unsigned char>(utf8[i + 1]);
            if (b == 0xC3 && b1 >= 0x80 && b1 <= 0x9E && b1 != 0x97) {
                utf8[i + 1] = static_cast<char>(b1 + 0x20);  // À..Þ -> à..þ
            } else if (b == 0xC5 && (b1 == 0xA0 || b1 == 0x92 || b1 == 0xBD)) {
                utf8[i + 1] = static_cast<char>(b1 + 1);  // Š Œ Ž
            } else if (b == 0xC5 && b1 == 0xB8) {
                utf8[i] = static_cast<char>(0xC3);  // Ÿ -> ÿ (U+00FF)
                utf8[i + 1] = static_cast<char>(0xBF);
            }
            ++i;
        }
    }
}

std::string LowerCase(std::string_view utf8) {
    std::string out(utf8);
    LowerCaseInPlace(out);
    return out;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

int32_t CharCodeSum(std::string_view utf8) {
    return MeasureLine(utf8).CodeSum;
}

LineMetrics MeasureLine(std::string_view utf8) {
    uint32_t sum = 0;
    int64_t chars = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    for (size_t i = 0; i < n;) {
        if (i + 8 <= n && IsAsciiBlock(p + i)) {
            uint64_t word;
            std::memcpy(&word, p + i, sizeof word);
            sum += ByteSum(word);
            chars += 8;
            i += 8;
            continue;
        }
        ++chars;
        if (p[i] < 0x80) {
            sum += p[i++];
            continue;
        }
        char32_t cp;
        size_t len = Utf8SequenceAt(p + i, n - i, &cp);
        if (len == 0) {  // stored text is always valid; be safe anyway
            cp = 0xFFFD;
            len = 1;
        }
        sum += cp;
        i += len;
    }
    return {chars, static_cast<int32_t>(sum)};
}

}  // namespace dualis
