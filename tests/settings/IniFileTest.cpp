// The INI layer against real files: how values are found and read, how writes change only what
// they must, the atomic replacement, and where a bare file name leads.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "IniFile.h"
#include "TestSupport.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;
using test::FolderEntries;

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Sets or clears an environment variable for the life of the object.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        if (old != nullptr) old_ = old;
        if (value != nullptr) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(ReadProfileString, FindsSectionsAndKeysInAnyLetterCase) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini",
                                       "Loose=0\n"
                                       "[Main]\n"
                                       "Width=5\n"
                                       "[Other]\n"
                                       "Height=7\n");
    EXPECT_EQ(ReadProfileString(file, "MAIN", "width"), "5");
    EXPECT_EQ(ReadProfileString(file, "other", "HEIGHT"), "7");
    EXPECT_EQ(ReadProfileString(file, "Main", "Height"), std::nullopt);  // another section's
    EXPECT_EQ(ReadProfileString(file, "Main", "Loose"), std::nullopt);   // before any header
    EXPECT_EQ(ReadProfileString(file, "None", "Width"), std::nullopt);
    EXPECT_EQ(ReadProfileString((dir.Path() / "none.ini").string(), "Main", "Width"), std::nullopt);
}

TEST(ReadProfileString, TrimsBlanksAndOnePairOfQuotes) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini",
                                       "[ S ]\n"
                                       "  Plain  =   two words \t\n"
                                       "Quoted=\" kept blanks \"\n"
                                       "Twice=\"\"x\"\"\n"
                                       "Lone=\"\n"
                                       "Inside=a \"b\" c\n"
                                       "Empty=\n");
    EXPECT_EQ(ReadProfileString(file, "S", "Plain"), "two words");
    EXPECT_EQ(ReadProfileString(file, "S", "Quoted"), " kept blanks ");
    EXPECT_EQ(ReadProfileString(file, "S", "Twice"), "\"x\"");
    EXPECT_EQ(ReadProfileString(file, "S", "Lone"), "\"");
    EXPECT_EQ(ReadProfileString(file, "S", "Inside"), "a \"b\" c");
    EXPECT_EQ(ReadProfileString(file, "S", "Empty"), "");
    EXPECT_EQ(ReadProfileString(file, "S", "Empty", "default"), "");
    EXPECT_EQ(ReadProfileString(file, "S", "Absent", "default"), "default");
}

TEST(ReadProfileString, CutsTo254Characters) {
    test::TempDir dir;
    const std::string ascii(300, 'x');
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";  // é, two bytes each
    const std::string file = dir.Write("a.ini", "[S]\nAscii=" + ascii + "\nAccented=" + accented +
                                                    "\nExact=" + std::string(254, 'y') +
                                                    "\nQuoted=\"" + std::string(260, 'q') + "\"\n");
    EXPECT_EQ(ReadProfileString(file, "S", "Ascii"), std::string(254, 'x'));
    EXPECT_EQ(ReadProfileString(file, "S", "Accented"), accented.substr(0, 2 * 254));
    EXPECT_EQ(ReadProfileString(file, "S", "Exact"), std::string(254, 'y'));
    // The quotes go first, then the cut.
    EXPECT_EQ(ReadProfileString(file, "S", "Quoted"), std::string(254, 'q'));
    EXPECT_EQ(ReadProfileString(file, "S", "Absent", ascii), std::string(254, 'x'));
}

TEST(ReadProfileString, SkipsCommentsAndTakesTheFirstOfRepeatedKeys) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini",
                                       "\xEF\xBB\xBF[S]\r\n"
                                       ";Commented=1\r\n"
                                       "#Hashed=1\r\n"
                                       "Key=first\r\n"
                                       "[T]\r\n"
                                       "Later=t\r\n"
                                       "[s]\r\n"
                                       "Key=second\r\n"
                                       "Late=found\r\n");
    EXPECT_EQ(ReadProfileString(file, "S", "Commented"), std::nullopt);
    EXPECT_EQ(ReadProfileString(file, "S", "Hashed"), std::nullopt);
    EXPECT_EQ(ReadProfileString(file, "S", "Key"), "first");
    EXPECT_EQ(ReadProfileString(file, "S", "Late"), "found");  // a second block of S counts
    EXPECT_EQ(ReadProfileString(file, "T", "Later"), "t");     // no CR left on the value
}

TEST(WriteProfileString, CreatesTheFileTheSectionAndTheKey) {
    test::TempDir dir;
    const std::string file = (dir.Path() / "new.ini").string();
    ASSERT_TRUE(WriteProfileString(file, "Main", "Width", "5"));
    EXPECT_EQ(FileText(file), "[Main]\nWidth=5\n");
    ASSERT_TRUE(WriteProfileString(file, "Main", "Height", "7"));
    ASSERT_TRUE(WriteProfileString(file, "Colours", "Back", "white"));
    EXPECT_EQ(FileText(file), "[Main]\nWidth=5\nHeight=7\n\n[Colours]\nBack=white\n");
    EXPECT_EQ(ReadProfileString(file, "Colours", "Back"), "white");
}

TEST(WriteProfileString, ChangesOnlyTheKeyInAHandEditedFile) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini",
                                       "; written by hand\r\n"
                                       "[Main]\r\n"
                                       "  Width = 5\r\n"
                                       "\r\n"
                                       "; the colours follow\r\n"
                                       "[Colours]\r\n"
                                       "Back=white");
    ASSERT_TRUE(WriteProfileString(file, "MAIN", "width", "12"));
    EXPECT_EQ(FileText(file),
              "; written by hand\r\n[Main]\r\n  Width = 12\r\n\r\n; the colours follow\r\n"
              "[Colours]\r\nBack=white");

    // A new key goes after the section's last entry, in the file's own line-end style.
    ASSERT_TRUE(WriteProfileString(file, "Main", "Height", "3"));
    ASSERT_TRUE(WriteProfileString(file, "Colours", "Fore", "black"));
    ASSERT_TRUE(WriteProfileString(file, "Fonts", "Name", "Mono"));
    EXPECT_EQ(FileText(file),
              "; written by hand\r\n[Main]\r\n  Width = 12\r\nHeight=3\r\n\r\n"
              "; the colours follow\r\n[Colours]\r\nBack=white\r\nFore=black\r\n\r\n"
              "[Fonts]\r\nName=Mono\r\n");
}

TEST(WriteProfileString, KeepsTheByteOrderMarkAndStoresLineBreaksAsBlanks) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini", "\xEF\xBB\xBF[Main]\nWidth=5\n");
    ASSERT_TRUE(WriteProfileString(file, "Main", "Width", "6"));
    ASSERT_TRUE(WriteProfileString(file, "Main", "Text", "one\ntwo\r\nthree"));
    EXPECT_EQ(FileText(file), "\xEF\xBB\xBF[Main]\nWidth=6\nText=one two  three\n");
}

TEST(WriteProfileString, WithoutValueDeletesTheKey) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini",
                                       "[Main]\n"
                                       "Width=5\n"
                                       "; note\n"
                                       "Height=7\n"
                                       "[Other]\n"
                                       "Width=9\n"
                                       "[main]\n"
                                       "WIDTH=6\n");
    ASSERT_TRUE(WriteProfileString(file, "Main", "width", std::nullopt));
    EXPECT_EQ(FileText(file), "[Main]\n; note\nHeight=7\n[Other]\nWidth=9\n[main]\n");
    EXPECT_EQ(ReadProfileString(file, "Main", "Width"), std::nullopt);

    // Nothing to delete: the file is neither created nor rewritten.
    const std::string missing = (dir.Path() / "none.ini").string();
    EXPECT_TRUE(WriteProfileString(missing, "Main", "Width", std::nullopt));
    EXPECT_TRUE(WriteProfileString(missing, "Main", std::nullopt, std::nullopt));
    EXPECT_FALSE(fs::exists(missing));
}

TEST(WriteProfileString, WithoutKeyDeletesTheSection) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini",
                                       "; top\n"
                                       "[Keep]\n"
                                       "A=1\n"
                                       "\n"
                                       "[Gone]\n"
                                       "; inside\n"
                                       "B=2\n"
                                       "\n"
                                       "; introduces Last\n"
                                       "[Last]\n"
                                       "C=3\n"
                                       "[GONE]\n"
                                       "D=4\n");
    ASSERT_TRUE(WriteProfileString(file, "gone", std::nullopt, "ignored"));
    EXPECT_EQ(FileText(file), "; top\n[Keep]\nA=1\n\n; introduces Last\n[Last]\nC=3\n");
    EXPECT_EQ(ReadProfileString(file, "Gone", "B"), std::nullopt);
    EXPECT_EQ(ReadProfileString(file, "Last", "C"), "3");
}

TEST(WriteProfileString, KeepsALinkAndTheFilePermissions) {
    test::TempDir dir;
    const std::string real = dir.Write("real.ini", "[Main]\nWidth=5\n");
    ::chmod(real.c_str(), 0640);
    const fs::path link = dir.Path() / "link.ini";
    fs::create_symlink(real, link);
    ASSERT_TRUE(WriteProfileString(link.string(), "Main", "Width", "6"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileText(real), "[Main]\nWidth=6\n");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms(0640));
}

TEST(WriteProfileString, ReplacesTheFileWholeAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string file = dir.Write("a.ini", "[Main]\nWidth=5\n");
    ASSERT_TRUE(WriteProfileString(file, "Main", "Width", "6"));
    ASSERT_TRUE(WriteProfileString(file, "Main", "Width", std::nullopt));
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"a.ini"});

    // A folder where the file should be cannot be replaced; nothing is left behind.
    fs::create_directory(dir.Path() / "folder.ini");
    EXPECT_FALSE(WriteProfileString((dir.Path() / "folder.ini").string(), "Main", "W", "1"));
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"a.ini", "folder.ini"}));
}

TEST(WriteProfileString, AFailedWriteLeavesTheOldFileIntact) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    test::TempDir dir;
    const fs::path folder = dir.Path() / "locked";
    fs::create_directory(folder);
    const fs::path file = folder / "a.ini";
    std::ofstream(file, std::ios::binary) << "[Main]\nWidth=5\n";

    ::chmod(folder.c_str(), 0555);
    EXPECT_FALSE(WriteProfileString(file.string(), "Main", "Width", "6"));
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(FileText(file), "[Main]\nWidth=5\n");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"a.ini"});

    // A file that cannot be read is not rewritten from nothing.
    ::chmod(file.c_str(), 0200);
    EXPECT_FALSE(WriteProfileString(file.string(), "Main", "Height", "1"));
    ::chmod(file.c_str(), 0600);
    EXPECT_EQ(FileText(file), "[Main]\nWidth=5\n");
}

TEST(ResolveProfilePath, BareNamesGoToThePerUserSettingsFolder) {
    test::TempDir dir;
    const std::string config = (dir.Path() / "config").string();
    const std::string home = (dir.Path() / "home").string();
    ScopedEnv homeEnv("HOME", home.c_str());
    {
        ScopedEnv configEnv("XDG_CONFIG_HOME", config.c_str());
        EXPECT_EQ(ResolveProfilePath("VBDualis.INI"), fs::path(config) / "Dualis/VBDualis.INI");
        EXPECT_EQ(ResolveProfilePath("./VBDualis.INI"), fs::path("./VBDualis.INI"));
        EXPECT_EQ(ResolveProfilePath("/etc/x.ini"), fs::path("/etc/x.ini"));
    }
    {
        ScopedEnv configEnv("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(UserSettingsFolder(), fs::path(home) / ".config/Dualis");
    }
    {
        ScopedEnv configEnv("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(UserSettingsFolder(), fs::path(home) / ".config/Dualis");
    }
}

TEST(ResolveProfilePath, TheFirstWriteCreatesThePerUserSettingsFolder) {
    test::TempDir dir;
    const fs::path config = dir.Path() / "config";
    ScopedEnv configEnv("XDG_CONFIG_HOME", config.c_str());
    EXPECT_EQ(ReadProfileString("VBDualis.INI", "Main", "Width"), std::nullopt);
    EXPECT_FALSE(fs::exists(config));
    ASSERT_TRUE(WriteProfileString("VBDualis.INI", "Main", "Width", "5"));
    EXPECT_EQ(FileText(config / "Dualis/VBDualis.INI"), "[Main]\nWidth=5\n");
    EXPECT_EQ(ReadProfileString("VBDualis.INI", "Main", "Width"), "5");
}

}  // namespace
}  // namespace dualis
