// The code-page converter over the C library's iconv.
#include <errno.h>
#include <iconv.h>

#include <array>
#include <string>

#include "CodePage.h"
#include "TextCodec.h"

namespace dualis {
namespace {

constexpr uint32_t Windows1252 = 1252, Utf16Le = 1200, Utf8 = 65001;

// The name iconv knows a Windows code page by; most are "CP" and the number.
std::string IconvName(uint32_t codePage) {
    struct Named {
        uint32_t CodePage;
        const char* Name;
    };
    static constexpr std::array<Named, 16> named{{
        {10000, "MACINTOSH"},
        {10007, "MAC-CYRILLIC"},
        {10029, "MAC-CENTRALEUROPE"},
        {10079, "MAC-IS"},
        {20127, "ASCII"},
        {20866, "KOI8-R"},
        {21866, "KOI8-U"},
        {20932, "EUC-JP"},
        {51932, "EUC-JP"},
        {51949, "EUC-KR"},
        {51936, "EUC-CN"},
        {54936, "GB18030"},
        {52936, "HZ"},
        {50220, "ISO-2022-JP"},
        {28591, "ISO-8859-1"},
        {1201, "UTF-16BE"},
    }};
    for (const Named& n : named) {
        if (n.CodePage == codePage) return n.Name;
    }
    if (codePage >= 28592 && codePage <= 28605) {
        return "ISO-8859-" + std::to_string(codePage - 28590);
    }
    return "CP" + std::to_string(codePage);
}

class Converter {
  public:
    explicit Converter(uint32_t codePage)
        : handle_(iconv_open("UTF-8", IconvName(codePage).c_str())) {}
    ~Converter() {
        if (Open()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Open() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string Decode(std::string_view bytes) {
        std::string out;
        out.resize(bytes.size() * 2 + 16);
        char* in = const_cast<char*>(bytes.data());
        size_t inLeft = bytes.size();
        size_t used = 0;
        while (inLeft > 0) {
            char* write = out.data() + used;
            size_t outLeft = out.size() - used;
            const size_t done = iconv(handle_, &in, &inLeft, &write, &outLeft);
            used = out.size() - outLeft;
            if (done != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
            } else {
                // An undefined or cut-short sequence: one replacement character for its first
                // byte, then on from the next.
                out.resize(used);
                out += "\xEF\xBF\xBD";
                out.resize(out.size() + inLeft * 2 + 16);
                used += 3;
                ++in;
                --inLeft;
                iconv(handle_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        out.resize(used);
        return out;
    }

  private:
    iconv_t handle_;
};

}  // namespace

bool CodePageKnown(uint32_t codePage) {
    if (codePage == Windows1252 || codePage == Utf16Le || codePage == Utf8) return true;
    return Converter(codePage).Open();
}

std::string DecodeCodePage(std::string_view bytes, uint32_t codePage) {
    if (codePage == Windows1252) return Cp1252AsUtf8(bytes);
    if (codePage == Utf16Le) return Utf16AsUtf8(bytes, false);
    if (codePage == Utf8) return IsValidUtf8(bytes) ? std::string(bytes) : RepairUtf8(bytes);
    Converter converter(codePage);
    if (!converter.Open()) return Cp1252AsUtf8(bytes);
    return converter.Decode(bytes);
}

}  // namespace dualis
