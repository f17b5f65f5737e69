// Paths as project files write them — backslashes, any letter case, climbing out with "..",
// sometimes absolute — found on a file system whose names are case-sensitive, and the folded
// forms in which names and paths are compared.
//
// Example: a project in /p written on Windows names "CODIGO\frmMain.frm"; the file on disk is
// /p/codigo/FRMMAIN.FRM. Resolve(/p, "CODIGO\frmMain.frm") finds it, with the relative path
// "codigo/FRMMAIN.FRM" spelled as on disk.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace dualis::project {

// A name's text: its bytes when they are valid UTF-8, else read as Windows-1252 (the code page
// that project files from Windows and names copied from there carry).
std::string DecodeName(std::string_view bytes);

// The form in which names and paths are compared: decoded, and lower-cased as the engine
// lower-cases (the ASCII letters and the Latin letters of Windows-1252).
std::string FoldName(std::string_view text);

// A written path with "/" for every "\", empty and "." parts dropped, "part/.." collapsed and
// leading ".." parts kept; no trailing "/". "..\..\src\.\a.cls" gives "../../src/a.cls".
std::string NormalisePath(std::string_view written);

// FoldName of NormalisePath: two paths that name the same file from the same folder, written
// in any letter case or with either separator, give the same text.
std::string FoldPath(std::string_view written);

// True for a path that does not start from the project's folder: "/x", "\x", "\\server\x",
// "C:\x" and "C:x".
bool IsAbsoluteWrittenPath(std::string_view written);

// A written path looked up under a folder.
struct ResolvedPath {
    std::filesystem::path
        FullPath;              // every part that exists spelled as on disk, the rest as written
    std::string RelativePath;  // decoded, "/"-separated, from the base folder ("../x.bas" when
                               // it climbs out); the full path for an absolute path
    bool Found = false;        // every part exists (the last may be any kind of file)
    bool Absolute = false;     // IsAbsoluteWrittenPath
};

// Case-insensitive lookups in folders, each folder listed once. Not for use by two threads.
class FolderIndex {
  public:
    // The on-disk name in the folder that stands for `name`: the name itself when present, else
    // the first, in byte order, whose folded form is the same; empty when there is none or the
    // folder cannot be listed.
    std::string Find(const std::filesystem::path& folder, std::string_view name);

    // The written path looked up part by part from `base` (absolute and lexically normal).
    // ".." goes to the lexical parent, as on Windows. A drive-letter or server path is never
    // found on this system.
    ResolvedPath Resolve(const std::filesystem::path& base, std::string_view written);

  private:
    struct Listing {
        std::vector<std::string> Names;               // sorted
        std::map<std::string, std::string> ByFolded;  // folded name -> first on-disk name
    };
    const Listing& ListingOf(const std::filesystem::path& folder);

    std::map<std::filesystem::path, Listing> listings_;
};

// The "/"-separated, decoded path of `full` from `base`, or the decoded full path when `full`
// does not lie under `base` lexically and would need more than climbing out.
std::string RelativeText(const std::filesystem::path& full, const std::filesystem::path& base);

}  // namespace dualis::project
