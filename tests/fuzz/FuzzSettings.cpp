// Arbitrary bytes as a settings file, in memory: the table read from it, written back and read
// again must be the same table, whether written over the file's text or into an empty one, and a
// file just written must hold no value that cannot be read. Any crash, sanitizer report or
// difference is a finding.
#include <cstdlib>
#include <string>
#include <vector>

#include "Settings.h"

namespace {

dualis::Settings Read(dualis::cINIHandler& ini, std::vector<std::string>& problems) {
    dualis::Settings s;
    problems = dualis::GetEveryKey(ini, s, "/fuzz/");
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    dualis::cINIHandler ini("/fuzz/dualis", "/fuzz/WIN.INI");
    std::vector<std::string> problems;
    ini.HoldText(input);
    const dualis::Settings first = Read(ini, problems);

    // As the program writes its own file: keys it leaves alone keep their text.
    dualis::PutEveryKey(ini, first, first.Version, true);
    ini.HoldText(ini.HeldText());
    if (!(Read(ini, problems) == first)) std::abort();

    // Into an empty file every key must be written, the placement only in the normal state.
    ini.HoldText("");
    dualis::PutEveryKey(ini, first, first.Version, true);
    ini.HoldText(ini.HeldText());
    dualis::Settings expected = first;
    if (first.MainWindowState != 0) {
        expected.MainWindowHeight = expected.MainWindowLeft = 0;
        expected.MainWindowTop = expected.MainWindowWidth = 0;
    }
    if (!(Read(ini, problems) == expected) || !problems.empty()) std::abort();
    return 0;
}
