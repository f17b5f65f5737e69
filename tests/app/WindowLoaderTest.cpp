// Finding the window module from the program's own folder: never along the loader's search
// path or from the current folder, and the module built beside the program is found with its
// entry point (loaded, not run).
#include <gtest/gtest.h>

#include <filesystem>

#include "WindowLoader.h"

namespace dualis {
namespace {

TEST(WindowLoader, AProgramFolderThatIsNotAbsoluteIsRefusedBeforeAnythingIsLoaded) {
    for (const char* folder : {"", "bin", "./bin", "../bin"}) {
        const LoadedWindow window = LoadWindowModule(folder);
        EXPECT_EQ(window.Entry, nullptr) << folder;
        EXPECT_EQ(window.Problem,
                  "The program's own folder is not known, so its window cannot be found.")
            << folder;
    }
}

TEST(WindowLoader, TheModuleBuiltBesideTheProgramIsLoadedWithItsEntryPoint) {
    const LoadedWindow window = LoadWindowModule(std::filesystem::path(DUALIS_EXE).parent_path());
    EXPECT_NE(window.Entry, nullptr) << window.Problem;
    EXPECT_EQ(window.Problem, "");
}

}  // namespace
}  // namespace dualis
