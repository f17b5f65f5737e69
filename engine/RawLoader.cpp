#include "RawLoader.h"

#include "Formats.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace dualis {

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

void LoadRawText(ComparisonState& state, int fileIndex, std::string bytes) {
    RawStore& raw = state.RawStack[fileIndex];
    int32_t tooLong;
    const bool bigEndian = bytes.starts_with(Utf16BeByteOrderMark);
    if (bigEndian || bytes.starts_with(Utf16LeByteOrderMark)) {
        // Every other byte of UTF-16 text in the Latin alphabets is 0, so its probe looks for a
        // NUL character instead; a file that only starts like UTF-16 is no text either.
        const std::string_view units = std::string_view(bytes).substr(2);
        if (HasNulUnit(units, TextProbeBytes / 2)) throw InputFileError("It is not a text file.");
        std::string text = Utf16AsUtf8(units, bigEndian);
        std::string().swap(bytes);  // the file's bytes are no longer needed while it is split
        if (text.size() >= std::numeric_limits<uint32_t>::max()) {
            throw InputFileError("The file's text is larger than 4 GiB.");
        }
        tooLong = raw.LoadUtf8(std::move(text));
    } else if (std::memchr(bytes.data(), 0, std::min(bytes.size(), TextProbeBytes)) != nullptr) {
        throw InputFileError("It is not a text file.");
    } else if (bytes.starts_with(Utf8ByteOrderMark)) {
        bytes.erase(0, Utf8ByteOrderMark.size());
        tooLong = raw.LoadUtf8(IsValidUtf8(bytes) ? std::move(bytes) : RepairUtf8(bytes));
    } else if (IsValidUtf8(bytes)) {
        tooLong = raw.LoadUtf8(std::move(bytes));
    } else {
        if (Cp1252AsUtf8Size(bytes) >= std::numeric_limits<uint32_t>::max()) {
            throw InputFileError("The file's text is larger than 4 GiB.");
        }
        tooLong = raw.LoadWindows1252(bytes);
    }
    if (tooLong != 0) {
        throw InputFileError("Line " + GroupedThousands(tooLong) + " is longer than " +
                             GroupedThousands(MaxLineChars) + " characters.");
    }
}

void LoadRawStack(ComparisonState& state, int fileIndex, const std::string& fileName) {
    LoadRawText(state, fileIndex, ReadInputFile(fileName));
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
