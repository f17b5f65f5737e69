#include "RawLoader.h"

#include "Formats.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace dualis {

bool IsPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { ::close(fd_); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

  private:
    int fd_;
};

InputFileError SystemError() {
    return InputFileError(std::strerror(errno));
}

}  // namespace

std::string ReadInputFile(const std::string& fileName, int64_t maxBytes) {
    // Without O_NONBLOCK a name swapped for a FIFO would wait for a writer for ever.
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) throw SystemError();
    const Descriptor file(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw SystemError();
    if (!S_ISREG(st.st_mode)) throw InputFileError("It is not a regular file.");
    const InputFileError tooLarge("The file is larger than " + GroupedThousands(maxBytes) +
                                  " bytes.");
    if (st.st_size > maxBytes) throw tooLarge;

    // One byte more than the size told, so that the end of the file is seen without growing.
    const size_t limit = static_cast<size_t>(maxBytes) + 1;
    std::string bytes(static_cast<size_t>(st.st_size) + 1, '\0');
    size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            // The file grew while read, or its size is not told (as for files of /proc).
            if (have >= limit) throw tooLarge;
            bytes.resize(std::min(limit, std::max<size_t>(2 * have, 65536)));
        }
        const ssize_t got = ::read(fd, bytes.data() + have, bytes.size() - have);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw SystemError();
        if (got == 0) break;
        have += static_cast<size_t>(got);
    }
    bytes.resize(have);
    return bytes;
}

bool FileFacts(const std::string& fileName, int64_t& size, FileTime& date) {
    struct stat st {};
    if (stat(fileName.c_str(), &st) != 0) return false;
    size = st.st_size;
    date = std::chrono::system_clock::from_time_t(st.st_mtime);
    return true;
}

void LoadRawText(ComparisonState& state, int fileIndex, std::string bytes) {
    if (std::memchr(bytes.data(), 0, std::min(bytes.size(), TextProbeBytes)) != nullptr) {
        throw InputFileError("It is not a text file.");
    }
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

void LoadRawStack(ComparisonState& state, int fileIndex, const std::string& fileName) {
    LoadRawText(state, fileIndex, ReadInputFile(fileName));
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
