#include "TerminalText.h"

#include <algorithm>

#include "DirectionControls.h"

namespace dualis {
namespace {

unsigned char Byte(std::string_view text, size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// The length of the well-formed UTF-8 character that starts the text, or 0 when none does.
size_t CharLength(std::string_view text) {
    const unsigned char lead = Byte(text, 0);
    const size_t length = lead < 0x80                    ? 1
                          : lead >= 0xC2 && lead <= 0xDF ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (length == 0 || text.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((Byte(text, i) & 0xC0) != 0x80) return 0;
    }
    return length;
}

void AppendPicture(std::string& out, char32_t picture) {
    out.push_back(static_cast<char>(0xE0 | (picture >> 12)));
    out.push_back(static_cast<char>(0x80 | ((picture >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (picture & 0x3F)));
}

void AppendHex(std::string& out, const char* prefix, unsigned value) {
    constexpr char Digits[] = "0123456789ABCDEF";
    out.append(prefix);
    out.push_back(Digits[value >> 4]);
    out.push_back(Digits[value & 15]);
    out.push_back('>');
}

// Bytes that may start a character shown in another form: controls, and the first bytes of
// C1 controls and of direction controls in UTF-8.
bool MayBeControl(unsigned char b) {
    return (b < 0x20 && b != '\t') || (b >= 0x7F && b <= 0x9F) || b == 0xC2 || b == 0xD8 ||
           b == 0xE2;
}

}  // namespace

void AppendVisible(std::string& out, std::string_view text) {
    if (std::none_of(text.begin(), text.end(), [](char c) { return MayBeControl(c); })) {
        out.append(text);
        return;
    }
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char b = Byte(text, i);
        const size_t length = CharLength(text.substr(i));
        const char32_t direction = DirectionControlAt(text.substr(i));
        if (direction != 0) {
            out += DirectionControlName(direction);
        } else if ((b < 0x20 && b != '\t') || b == 0x7F) {
            AppendPicture(out, b == 0x7F ? 0x2421 : 0x2400 + b);
        } else if (length == 2 && b == 0xC2 && Byte(text, i + 1) <= 0x9F) {
            AppendHex(out, "<U+00", Byte(text, i + 1));
        } else if (length == 0 && b >= 0x80 && b <= 0x9F) {
            AppendHex(out, "<0x", b);
        } else {
            out.append(text.substr(i, std::max<size_t>(length, 1)));
        }
        i += std::max<size_t>(length, 1);
    }
}

std::string VisibleLines(std::string_view text) {
    std::string out;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string_view line =
            text.substr(start, end == std::string_view::npos ? end : end - start);
        if (end != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        AppendVisible(out, line);
        if (end == std::string_view::npos) return out;
        out.push_back('\n');
        start = end + 1;
    }
}

void PrintLines(std::FILE* out, std::string_view text) {
    const std::string lines = VisibleLines(text) + "\n";
    std::fwrite(lines.data(), 1, lines.size(), out);
}

}  // namespace dualis
