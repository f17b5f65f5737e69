// The Windows path functions, run under Wine: the extended-length form of drive, UNC and long
// names, names in other scripts between UTF-8 and the API's wide names, and the file calls on
// such names. A test program of its own, since GoogleTest has no build for this compiler here.
#include <windows.h>

#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <string>

#include "FileIO.h"
#include "OsFacts.h"
#include "OsFiles.h"
#include "WindowsNames.h"

namespace {

int failures = 0;

void Check(bool ok, const char* what, int line) {
    if (ok) return;
    std::fprintf(stderr, "FAILED line %d: %s\n", line, what);
    ++failures;
}
#define CHECK(condition) Check((condition), #condition, __LINE__)

using dualis::os::ExtendedLengthName;

// "Prüfung-日本語-😀": Latin with a diacritic, CJK, and a character beyond the BMP.
const std::string OtherScripts =
    "Pr\xC3\xBC"
    "fung-\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E-\xF0\x9F\x98\x80";
const std::wstring OtherScriptsWide = L"Pr\u00FCfung-\u65E5\u672C\u8A9E-\U0001F600";

void ExtendedForms() {
    CHECK(ExtendedLengthName(L"C:\\Work\\a.frm") == L"\\\\?\\C:\\Work\\a.frm");
    CHECK(ExtendedLengthName(L"d:/Work/sub/a.frm") == L"\\\\?\\d:\\Work\\sub\\a.frm");
    CHECK(ExtendedLengthName(L"\\\\server\\share\\a.frm") == L"\\\\?\\UNC\\server\\share\\a.frm");
    CHECK(ExtendedLengthName(L"//server/share/a.frm") == L"\\\\?\\UNC\\server\\share\\a.frm");
    // Already extended, a device, or not a full name: left alone.
    CHECK(ExtendedLengthName(L"\\\\?\\C:\\a.frm") == L"\\\\?\\C:\\a.frm");
    CHECK(ExtendedLengthName(L"\\\\?\\UNC\\s\\x\\a") == L"\\\\?\\UNC\\s\\x\\a");
    CHECK(ExtendedLengthName(L"\\\\.\\pipe\\x") == L"\\\\.\\pipe\\x");
    CHECK(ExtendedLengthName(L"sub\\a.frm") == L"sub\\a.frm");
    CHECK(ExtendedLengthName(L"\\sub\\a.frm") == L"\\sub\\a.frm");
    CHECK(ExtendedLengthName(L"C:a.frm") == L"C:a.frm");
}

void SystemNames() {
    // Short names go to the API as given, separators and all.
    CHECK(dualis::os::SystemName(std::string("C:/Work/a.frm")) == L"C:/Work/a.frm");
    // A long relative name is made full against the current folder and extended.
    const std::string longName = std::string(300, 'x') + "/" + OtherScripts + ".frm";
    const std::wstring system = dualis::os::SystemName(longName);
    CHECK(system.rfind(L"\\\\?\\", 0) == 0);
    CHECK(system.find(L'/') == std::wstring::npos);
    CHECK(system.size() > 4 &&
          system.substr(system.size() - OtherScriptsWide.size() - 4) == OtherScriptsWide + L".frm");
}

void Scripts() {
    CHECK(dualis::os::WideFromUtf8(OtherScripts) == OtherScriptsWide);
    CHECK(dualis::os::Utf8FromWide(OtherScriptsWide) == OtherScripts);
    CHECK(dualis::os::PathFromUtf8(OtherScripts).wstring() == OtherScriptsWide);
    CHECK(dualis::os::PathFromUtf8(OtherScripts).string() == OtherScripts);
    // Not UTF-8: replaced, not dropped or passed through.
    CHECK(dualis::os::WideFromUtf8("a\xFF"
                                   "b") == L"a\uFFFDb");
}

void BareNames() {
    CHECK(dualis::os::IsBareName("Dualis.INI"));
    CHECK(dualis::os::IsBareName(OtherScripts + ".ini"));
    CHECK(!dualis::os::IsBareName("sub\\Dualis.INI"));
    CHECK(!dualis::os::IsBareName("sub/Dualis.INI"));
    CHECK(!dualis::os::IsBareName("C:Dualis.INI"));
    CHECK(!dualis::os::IsBareName("\\\\server\\share\\Dualis.INI"));
}

// Files in a folder named in other scripts, reached by a drive name with either separator and
// by a name longer than the classic limit.
void Files() {
    wchar_t temp[MAX_PATH] = {};
    CHECK(::GetTempPathW(MAX_PATH, temp) > 0);
    const std::string base = dualis::os::Utf8FromWide(temp) + OtherScripts + "-" +
                             std::to_string(dualis::os::ProcessId()) + "-" +
                             std::to_string(::GetTickCount64());
    std::filesystem::create_directories(dualis::os::PathFromUtf8(base));
    const std::string file = base + "\\" + OtherScripts + ".bas";
    CHECK(dualis::AppendToFile(file, "Sub A()\r\nEnd Sub\r\n").empty());
    CHECK(dualis::ReadInputFile(file) == "Sub A()\r\nEnd Sub\r\n");
    CHECK(dualis::InputFileRefusal(file).empty());
    CHECK(dualis::InputFileRefusal(base) == "It is a folder.");
    CHECK(dualis::InputFileRefusal(base + "\\missing.bas") == "No such file or directory");

    std::string slashed = file;
    for (char& c : slashed) c = c == '\\' ? '/' : c;
    dualis::os::FileStatus a, b;
    CHECK(dualis::os::StatusOfName(file, a) && dualis::os::StatusOfName(slashed, b));
    CHECK(a.Regular && !a.Folder && a.Size == 18);
    CHECK(a.Device == b.Device && a.Index == b.Index);
    // The same file under another name is guarded as that file.
    const std::vector<dualis::GuardedFile> guarded = dualis::GuardedFiles({file, ""}, "");
    CHECK(dualis::GuardedFileReason(slashed, guarded) == dualis::ComparedFileReason);

    std::string deep = base;
    while (deep.size() < 300) deep += "\\" + std::string(40, 'd');
    std::filesystem::create_directories(dualis::os::SystemName(deep));
    const std::string longFile = deep + "\\" + OtherScripts + ".frm";
    CHECK(dualis::AppendToFile(longFile, "x").empty());
    CHECK(dualis::ReadInputFile(longFile) == "x");
    CHECK(dualis::os::StatusOfName(longFile, a) && a.Size == 1);

    // Removed, as far as it goes, by its extended name, which reaches the long names within.
    std::error_code error;
    std::filesystem::remove_all(dualis::os::ExtendedLengthName(dualis::os::WideFromUtf8(base)),
                                error);
}

void Process(const std::vector<std::string>& arguments) {
    CHECK(!dualis::os::ProcessEnded(dualis::os::ProcessId()));
    // The test is started with one argument in other scripts, which must arrive whole.
    CHECK(arguments.size() == 1 && arguments[0] == OtherScripts);
    CHECK(dualis::os::SystemSettingsFolder().size() > 3);
    CHECK(!dualis::os::ExecutablePath().empty());
}

}  // namespace

int main(int argc, char** argv) {
    ExtendedForms();
    SystemNames();
    Scripts();
    BareNames();
    Files();
    Process(dualis::os::ProgramArguments(argc, argv));
    std::printf("%s\n", failures == 0 ? "All path checks passed" : "Path checks failed");
    return failures == 0 ? 0 : 1;
}
