#include "FileIO.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "Formats.h"
#include "LargeMemory.h"
#include "OsFiles.h"

namespace dualis {
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

// The reason an append failed, from errno.
std::string Reason() {
    // A FIFO opened without blocking and without a reader: a blocking open would wait for ever.
    if (errno == ENXIO) return "Nothing reads from it.";
    return std::strerror(errno);
}

// Both names lead to the same place, by their folders as they are now and the rest as written.
bool SamePath(const std::string& a, const std::string& b) {
    std::error_code errorA, errorB;
    const std::filesystem::path pathA =
        std::filesystem::weakly_canonical(os::PathFromUtf8(a), errorA);
    const std::filesystem::path pathB =
        std::filesystem::weakly_canonical(os::PathFromUtf8(b), errorB);
    return !errorA && !errorB && pathA == pathB;
}

// Reads into a buffer of type Bytes (std::string, or TextBytes, which grows without zeroing).
template <class Bytes>
Bytes ReadInto(const std::string& fileName, int64_t maxBytes, size_t headBytes) {
    // Opened without waiting: a name swapped for a FIFO would wait for a writer for ever.
    const int fd = os::OpenForReading(fileName);
    if (fd < 0) throw SystemError();
    const Descriptor file(fd);
    os::FileStatus st;
    if (!os::StatusOfOpen(fd, st)) throw SystemError();
    if (!st.Regular) throw InputFileError("It is not a regular file.");
    const InputFileError tooLarge("The file is larger than " + GroupedThousands(maxBytes) +
                                  " bytes.");
    if (st.Size > maxBytes) throw tooLarge;

    // One byte more than the size told, so that the end of the file is seen without growing.
    const size_t limit = static_cast<size_t>(maxBytes) + 1;
    Bytes bytes;
    bytes.resize(std::min(static_cast<size_t>(st.Size) + 1, headBytes));
    Prefault(bytes.data(), bytes.size());
    size_t have = 0;
    while (have < headBytes) {
        if (have == bytes.size()) {
            // The file grew while read, or its size is not told (as for files of /proc).
            if (have >= limit) throw tooLarge;
            bytes.resize(std::min({limit, std::max<size_t>(2 * have, 65536), headBytes}));
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

}  // namespace

std::string ReadInputFile(const std::string& fileName, int64_t maxBytes, size_t headBytes) {
    return ReadInto<std::string>(fileName, maxBytes, headBytes);
}

TextBytes ReadInputBytes(const std::string& fileName, int64_t maxBytes) {
    return ReadInto<TextBytes>(fileName, maxBytes, std::numeric_limits<size_t>::max());
}

std::string AppendToFile(const std::string& fileName, std::string_view text,
                         TerminalFilter forTerminal) {
    const int fd = os::OpenForAppending(fileName);
    if (fd < 0) return Reason();
    // The descriptor opened decides, whatever name led to it (/dev/stdout, /dev/tty, a link).
    std::string filtered;
    if (forTerminal != nullptr && os::IsTerminal(fd)) {
        filtered = forTerminal(text);
        text = filtered;
    }
    bool ok = true;
    while (ok && !text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        ok = written > 0;
        if (ok) text.remove_prefix(static_cast<size_t>(written));
    }
    std::string reason = ok ? "" : Reason();
    if (::close(fd) != 0 && reason.empty() && errno != EINTR) reason = Reason();
    return reason;
}

bool FileFacts(const std::string& fileName, int64_t& size, FileTime& date) {
    os::FileStatus st;
    if (!os::StatusOfName(fileName, st)) return false;
    size = st.Size;
    date = std::chrono::system_clock::from_time_t(st.Modified);
    return true;
}

std::string InputFileRefusal(const std::string& fileName) {
    os::FileStatus st;
    if (!os::StatusOfName(fileName, st)) return std::strerror(errno);
    if (st.Folder) return "It is a folder.";
    if (!st.Regular) return "It is not a regular file.";
    // Opened, not merely asked about, so that every rule of the system (modes, access lists,
    // mandatory controls) has its say.
    const int fd = os::OpenForReading(fileName);
    if (fd < 0) return std::strerror(errno);
    ::close(fd);
    return "";
}

std::vector<GuardedFile> GuardedFiles(const std::array<std::string, 2>& compared,
                                      const std::string& settingsFile) {
    std::vector<GuardedFile> guarded;
    for (const std::string& name : compared) {
        if (!name.empty()) guarded.push_back({name, std::string(ComparedFileReason)});
    }
    if (!settingsFile.empty()) guarded.push_back({settingsFile, std::string(SettingsFileReason)});
    return guarded;
}

std::string GuardedFileReason(const std::string& fileName,
                              const std::vector<GuardedFile>& guarded) {
    os::FileStatus st;
    const bool exists = os::StatusOfName(fileName, st);
    for (const GuardedFile& g : guarded) {
        os::FileStatus other;
        // A guarded file yet to be made (a settings file the window writes at its end) has only
        // its path to go by.
        const bool same = os::StatusOfName(g.FileName, other)
                              ? exists && other.Device == st.Device && other.Index == st.Index
                              : !exists && SamePath(fileName, g.FileName);
        if (same) return g.Reason;
    }
    return "";
}

}  // namespace dualis
