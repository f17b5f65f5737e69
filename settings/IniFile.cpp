// The INI layer's files: reading a settings file whole, and replacing it in one step.
#include "IniFile.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "FileIO.h"
#include "OsFacts.h"
#include "OsFiles.h"
#include "RawLoader.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view TempSuffix = ".tmp";

std::string SystemReason() {
    return std::strerror(errno);
}

// The name of a temporary file beside the settings file: ".NAME.PID-N.tmp".
std::string TempPrefix(const fs::path& target) {
    std::string prefix = ".";
    prefix.append(target.filename().string()).push_back('.');
    return prefix;
}

// Removes the temporary files that saves of processes no longer running left beside the target.
// A live process's file is its save under way and stays.
void RemoveStaleTemporaries(const fs::path& folder, const fs::path& target) {
    const std::string prefix = TempPrefix(target);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(TempSuffix)) continue;
        const std::string_view rest(name.data() + prefix.size(),
                                    name.size() - prefix.size() - TempSuffix.size());
        long pid = 0;
        const auto [end, fault] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (fault != std::errc() || end == rest.data() || *end != '-' || pid <= 0) continue;
        if (pid != os::ProcessId() && os::ProcessEnded(pid)) {
            fs::remove(entry.path(), error);
        }
    }
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Writes the content to a new file beside the target, forces it to disk, and renames it over
// the target. Empty when done, else the reason; the target is then untouched.
std::string ReplaceFile(const fs::path& target, std::string_view content) {
    static std::atomic<unsigned> tempCounter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    os::FileStatus old;
    const bool hadFile = os::StatusOfName(target.string(), old);
    if (hadFile && old.Folder) return "It is a folder.";
    if (hadFile && !old.Regular) return "It is not a regular file.";
    if (hadFile && !os::UserMayWrite(target, old)) return std::strerror(EACCES);
    RemoveStaleTemporaries(folder, target);

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / (TempPrefix(target) + std::to_string(os::ProcessId()) + "-" +
                         std::to_string(tempCounter++) + std::string(TempSuffix));
        fd = os::CreateExclusive(temp);
        if (fd < 0 && errno != EEXIST) return SystemReason();
    }
    if (fd < 0) return SystemReason();

    // Each step runs only while the ones before it succeeded; the first failure is the reason.
    std::string reason;
    auto step = [&](auto&& action) {
        if (reason.empty() && !action()) reason = SystemReason();
    };
    step([&] { return WriteAll(fd, content); });
    if (hadFile) step([&] { return os::CopyPermissions(fd, old); });
    step([&] { return os::SyncToDisk(fd); });
    if (::close(fd) != 0 && reason.empty()) reason = SystemReason();
    step([&] { return os::ReplaceByRename(temp, target); });
    if (!reason.empty()) {
        std::error_code error;
        fs::remove(temp, error);
        return reason;
    }
    // The rename itself lasts only once the folder is on disk too.
    os::SyncFolder(folder);
    return "";
}

}  // namespace

fs::path UserSettingsFolder() {
    return os::UserSettingsFolder();
}

fs::path ResolveProfilePath(const std::string& fileName) {
    return os::IsBareName(fileName) ? UserSettingsFolder() / os::PathFromUtf8(fileName)
                                    : os::PathFromUtf8(fileName);
}

ProfileFile LoadProfile(const std::string& fileName) {
    ProfileFile file;
    const fs::path path = ResolveProfilePath(fileName);
    std::error_code error;
    const fs::file_type type = fs::status(path, error).type();
    if (type == fs::file_type::not_found) return file;
    file.Exists = true;
    if (type == fs::file_type::directory) {
        file.Problem = "It is a folder.";
        return file;
    }
    try {
        const std::string content = ReadInputFile(path.string());
        if (std::memchr(content.data(), 0, std::min(content.size(), TextProbeBytes)) != nullptr) {
            file.Problem = "It is not a text file.";
        } else {
            file.Image = ProfileImage(content);
        }
    } catch (const InputFileError& e) {
        file.Problem = e.what();
    }
    return file;
}

SaveResult SaveProfile(const std::string& fileName, const ProfileImage& image) {
    fs::path path = ResolveProfilePath(fileName);
    std::error_code error;
    // A settings file kept elsewhere behind a link stays there; the link is not replaced.
    if (fs::is_symlink(path, error)) {
        fs::path target = fs::canonical(path, error);
        if (!error) path = std::move(target);
    }
    if (os::IsBareName(fileName)) fs::create_directories(path.parent_path(), error);
    SaveResult result{true, path.string(), ReplaceFile(path, image.Text())};
    result.Saved = result.Reason.empty();
    return result;
}

std::optional<std::string> ReadProfileString(const std::string& fileName, std::string_view section,
                                             std::string_view key) {
    const ProfileFile file = LoadProfile(fileName);
    if (!file.Problem.empty()) return std::nullopt;
    return file.Image.Read(section, key);
}

std::string ReadProfileString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view defaultText) {
    std::optional<std::string> value = ReadProfileString(fileName, section, key);
    return value ? std::move(*value) : std::string(FirstProfileChars(defaultText));
}

bool WriteProfileString(const std::string& fileName, std::string_view section,
                        std::optional<std::string_view> key,
                        std::optional<std::string_view> value) {
    ProfileFile file = LoadProfile(fileName);
    if (!file.Problem.empty()) return false;
    if (!file.Image.Write(section, key, value)) return true;
    return SaveProfile(fileName, file.Image).Saved;
}

}  // namespace dualis
