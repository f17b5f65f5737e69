#include "RawLoader.h"

#include "Formats.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <type_traits>

namespace dualis {

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

namespace {

TextBytes AsTextBytes(std::string_view text) {
    return TextBytes(text.begin(), text.end());
}

// LoadRawText over any buffer of bytes; a TextBytes of valid UTF-8 is kept as it is.
template <class Bytes>
void LoadBytes(ComparisonState& state, int fileIndex, Bytes bytes) {
    RawStore& raw = state.RawStack[fileIndex];
    const std::string_view view(bytes.data(), bytes.size());
    int32_t tooLong;
    const bool bigEndian = view.starts_with(Utf16BeByteOrderMark);
    if (bigEndian || view.starts_with(Utf16LeByteOrderMark)) {
        // Every other byte of UTF-16 text in the Latin alphabets is 0, so its probe looks for a
        // NUL character instead; a file that only starts like UTF-16 is no text either.
        const std::string_view units = view.substr(2);
        if (HasNulUnit(units, TextProbeBytes / 2)) throw InputFileError("It is not a text file.");
        const std::string text = Utf16AsUtf8(units, bigEndian);
        Bytes().swap(bytes);  // the file's bytes are no longer needed while it is split
        if (text.size() >= std::numeric_limits<uint32_t>::max()) {
            throw InputFileError("The file's text is larger than 4 GiB.");
        }
        tooLong = raw.LoadUtf8(AsTextBytes(text));
    } else if (std::memchr(view.data(), 0, std::min(view.size(), TextProbeBytes)) != nullptr) {
        throw InputFileError("It is not a text file.");
    } else if (view.starts_with(Utf8ByteOrderMark)) {
        const std::string_view text = view.substr(Utf8ByteOrderMark.size());
        tooLong =
            raw.LoadUtf8(IsValidUtf8(text) ? AsTextBytes(text) : AsTextBytes(RepairUtf8(text)));
    } else if (IsValidUtf8(view)) {
        if constexpr (std::is_same_v<Bytes, TextBytes>) {
            tooLong = raw.LoadUtf8(std::move(bytes));
        } else {
            tooLong = raw.LoadUtf8(AsTextBytes(view));
        }
    } else {
        if (Cp1252AsUtf8Size(view) >= std::numeric_limits<uint32_t>::max()) {
            throw InputFileError("The file's text is larger than 4 GiB.");
        }
        tooLong = raw.LoadWindows1252(view);
    }
    if (tooLong != 0) {
        throw InputFileError("Line " + GroupedThousands(tooLong) + " is longer than " +
                             GroupedThousands(MaxLineChars) + " characters.");
    }
}

}  // namespace

void LoadRawText(ComparisonState& state, int fileIndex, std::string bytes) {
    LoadBytes(state, fileIndex, std::move(bytes));
}

void LoadRawStack(ComparisonState& state, int fileIndex, const std::string& fileName) {
    LoadBytes(state, fileIndex, ReadInputBytes(fileName));
}

std::string FileRefusal(const std::string& fileName, IHost* trace) {
    TraceScope scope(trace, "mCompare: FileExists");
    return InputFileRefusal(fileName);
}

std::string UnableToOpenMessage(int fileIndex, const std::string& fileName,
                                std::string_view lineBreak, IHost* trace) {
    const std::string refusal = FileRefusal(fileName, trace);
    if (refusal.empty()) return "";
    std::string message = "Unable to open File " + std::to_string(fileIndex + 1);
    message.append(lineBreak).append(fileName).append(lineBreak).append(refusal);
    return message;
}

bool FileExists(const std::string& fileName, IHost* trace) {
    return FileRefusal(fileName, trace).empty();
}

void SplitFileName(const std::string& fullName, std::string& path, std::string& baseName,
                   std::string& extension, IHost* trace) {
    TraceScope scope(trace, "mCompare: SplitFileName");
    const size_t first = fullName.find_first_not_of(' ');
    std::string s = first == std::string::npos
                        ? std::string()
                        : fullName.substr(first, fullName.find_last_not_of(' ') - first + 1);
    size_t sep = s.size();
    while (sep > 0 && !IsPathSeparator(s[sep - 1])) --sep;
    if (sep >= 1) {
        path = s.substr(0, sep);
        s.erase(0, sep);
    } else {
        path = s;
    }
    const size_t dot = s.rfind('.');
    if (dot == std::string::npos) {
        baseName = s;
        extension.clear();
    } else {
        baseName = s.substr(0, dot);
        extension = s.substr(dot + 1);
    }
}

}  // namespace dualis
