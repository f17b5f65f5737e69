#include "RawLoader.h"

#include "Formats.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>

namespace dualis {

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string ReadWholeFile(const std::string& fileName) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) throw InputFileError(std::strerror(errno));
    std::string bytes;
    struct stat st {};
    if (fstat(fileno(file.get()), &st) == 0 && S_ISREG(st.st_mode)) {
        bytes.resize(static_cast<size_t>(st.st_size));
        const size_t got = std::fread(bytes.data(), 1, bytes.size(), file.get());
        bytes.resize(got);
    }
    // Whatever the size said, read on to the real end (the file may have grown).
    char chunk[65536];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.append(chunk, got);
    if (std::ferror(file.get())) throw InputFileError(std::strerror(errno));
    if (bytes.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max())) {
        throw InputFileError("The file is larger than 2,147,483,647 bytes.");
    }
    return bytes;
}

}  // namespace

bool FileFacts(const std::string& fileName, int64_t& size, FileTime& date) {
    struct stat st {};
    if (stat(fileName.c_str(), &st) != 0) return false;
    size = st.st_size;
    date = std::chrono::system_clock::from_time_t(st.st_mtime);
    return true;
}

void LoadRawStack(ComparisonState& state, int fileIndex, const std::string& fileName) {
    std::string bytes = ReadWholeFile(fileName);
    RawStore& raw = state.RawStack[fileIndex];
    int32_t tooLong;
    if (bytes.starts_with(Utf8ByteOrderMark)) {
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

bool FileExists(const std::string& fileName, IHost* trace) {
    TraceScope scope(trace, "mCompare: FileExists");
    std::string path, baseName, extension;
    SplitFileName(fileName, path, baseName, extension, trace);
    if (baseName.empty() || path.empty()) return false;
    if (fileName.find_first_of("*?") != std::string::npos) return false;
    size_t lastPart = fileName.size();
    while (lastPart > 0 && !IsPathSeparator(fileName[lastPart - 1])) --lastPart;
    if (lastPart < fileName.size() && fileName[lastPart] == '.') return false;  // hidden
    struct stat st {};
    return stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
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
