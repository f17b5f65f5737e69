// Finds the window module from the program's own folder and loads it into the process.
#include "WindowLoader.h"

#include <dlfcn.h>

#include <array>
#include <system_error>

namespace dualis {
namespace {

std::string LoaderReason() {
    const char* reason = ::dlerror();
    return reason != nullptr ? reason : "The loader gives no reason.";
}

}  // namespace

LoadedWindow LoadWindowModule(const std::filesystem::path& programFolder) {
    // A name without a folder would have the loader search its library path, and a relative
    // one the current folder, which may be any repository the program is run in.
    if (!programFolder.is_absolute()) {
        return {nullptr, "The program's own folder is not known, so its window cannot be found."};
    }
    const std::array<std::filesystem::path, 2> places = {
        programFolder / DUALIS_WINDOW_MODULE,
        (programFolder / DUALIS_MODULE_FROM_PROGRAM / DUALIS_WINDOW_MODULE).lexically_normal()};
    std::filesystem::path chosen = places.back();  // when none is there, the loader says so
    for (const std::filesystem::path& place : places) {
        std::error_code error;
        if (std::filesystem::exists(place, error)) {
            chosen = place;
            break;
        }
    }
    // Every symbol is bound now, so that a module that does not fit fails here with the
    // loader's reason instead of in the middle of the window; its symbols stay its own. The
    // module is never unloaded: the window runs until the program ends.
    void* module = ::dlopen(chosen.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return {nullptr, LoaderReason()};
    void* entry = ::dlsym(module, WindowEntryName);
    if (entry == nullptr) {
        LoadedWindow failed{nullptr, LoaderReason()};
        ::dlclose(module);
        return failed;
    }
    return {reinterpret_cast<WindowEntry>(entry), ""};
}

}  // namespace dualis
