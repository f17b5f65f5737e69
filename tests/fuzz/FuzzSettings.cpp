// Arbitrary bytes as a settings file: the table read from it, written back and read again must
// be the same table, whether written over a copy of the file or into an empty one, and a file
// just written must hold no value that cannot be read. Any crash, sanitizer report or
// difference is a finding.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "FuzzFiles.h"

#include "Settings.h"

namespace {

dualis::Settings Read(dualis::cINIHandler& ini, std::vector<std::string>& problems) {
    dualis::Settings s;
    problems = dualis::INIGetInfo(ini, s, "/fuzz/");
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every write syncs the file to disk; TMPDIR=/dev/shm keeps a run fast.
    static const std::string dir = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/dualis-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    const std::string copy = dir + "/copy.ini";
    const std::string fresh = dir + "/fresh.ini";
    dualis::fuzz::WriteFile(dir + "/input.ini", data, size);
    dualis::fuzz::WriteFile(copy, data, size);
    std::remove(fresh.c_str());

    dualis::cINIHandler ini("/fuzz/dualis", dir + "/WIN.INI");
    std::vector<std::string> problems;
    ini.SetINIFileName(dir + "/input.ini");
    const dualis::Settings first = Read(ini, problems);

    // As the program writes its own file: keys it leaves alone keep their text.
    ini.SetINIFileName(copy);
    dualis::INIPutInfo(ini, first, first.Version, true);
    if (!(Read(ini, problems) == first)) std::abort();

    // Into an empty file every key must be written, the placement only in the normal state.
    ini.SetINIFileName(fresh);
    dualis::INIPutInfo(ini, first, first.Version, true);
    dualis::Settings expected = first;
    if (first.MainWindowState != 0) {
        expected.MainWindowHeight = expected.MainWindowLeft = 0;
        expected.MainWindowTop = expected.MainWindowWidth = 0;
    }
    if (!(Read(ini, problems) == expected) || !problems.empty()) std::abort();
    return 0;
}
