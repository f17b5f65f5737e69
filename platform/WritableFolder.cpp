// The program's writable folder.
#include "WritableFolder.h"

#include <system_error>

#include "OsFacts.h"
#include "OsFiles.h"

namespace dualis {

std::filesystem::path UserDataFolder() {
    return os::UserDataFolder();
}

std::filesystem::path WritableFolder(const std::filesystem::path& programFolder,
                                     std::string* problem) {
    if (problem) problem->clear();
    if (!programFolder.empty() && os::CanWriteIn(programFolder)) return programFolder;
    const std::filesystem::path folder = UserDataFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error && problem) *problem = error.message();
    return folder;
}

}  // namespace dualis
