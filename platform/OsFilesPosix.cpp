// The file calls over POSIX.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "OsFiles.h"

namespace dualis::os {
namespace {

void Fill(const struct stat& st, FileStatus& status) {
    status.Folder = S_ISDIR(st.st_mode);
    status.Regular = S_ISREG(st.st_mode);
    status.Size = st.st_size;
    status.Modified = st.st_mtime;
    status.Device = st.st_dev;
    status.Index = st.st_ino;
    status.Permissions = st.st_mode & 07777;
}

}  // namespace

int OpenForReading(const std::string& name) {
    return ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

int OpenForAppending(const std::string& name) {
    const int fd = ::open(name.c_str(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return fd;
    // A pipe with a reader is written like a file: waiting while the reader catches up.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

int CreateExclusive(const std::filesystem::path& path) {
    // 0666 lets the umask decide a new file's permissions, as for any file the user creates.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool StatusOfName(const std::string& name, FileStatus& status) {
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0) return false;
    Fill(st, status);
    return true;
}

bool StatusOfOpen(int fd, FileStatus& status) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    Fill(st, status);
    return true;
}

bool IsTerminal(int fd) {
    return ::isatty(fd) == 1;
}

bool IsClosed(int fd) {
    return ::fcntl(fd, F_GETFD) < 0 && errno == EBADF;
}

const char* NullDevice() {
    return "/dev/null";
}

bool CopyPermissions(int fd, const FileStatus& from) {
    return ::fchmod(fd, from.Permissions) == 0;
}

bool SyncToDisk(int fd) {
    return ::fsync(fd) == 0;
}

bool ReplaceByRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool UserMayWrite(const std::filesystem::path& path, const FileStatus& status) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && st.st_uid == ::geteuid()) {
        return (status.Permissions & S_IWUSR) != 0;
    }
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool CanWriteIn(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

bool DrivesAndServersAreNames() {
    return false;
}

bool IsBareName(std::string_view name) {
    return name.find('/') == std::string_view::npos;
}

}  // namespace dualis::os
