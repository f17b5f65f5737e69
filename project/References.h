// Reference= and Object= values taken apart, so that two projects' libraries are compared by
// identity and version rather than as text.
//
//   Reference=*\G{00020430-0000-0000-C000-000000000046}#2.0#0#C:\Windows\System32\stdole2.tlb#OLE
//   Automation Reference=*\A..\Shared\Shared.vbp                  (a project of the same group)
//   Object={831FDD16-0C5C-11D2-A9FC-0000F8754DA1}#2.0#0; MSCOMCTL.OCX
#pragma once

#include <string>
#include <string_view>

namespace dualis::project {

struct LibraryReference {
    // What the reference is, folded: the GUID of a type library or control; "project:" and the
    // folded path for a reference to a project; the folded value for anything else.
    std::string Identity;
    std::string Version;  // "2.0#0": the version and the locale; empty for a project
    std::string Path;     // the library's file as written; the project's path for a project
};

LibraryReference ParseReference(std::string_view value);
LibraryReference ParseObject(std::string_view value);

// True when two library paths name the same file as Windows would find it: without regard to
// the drive letter, letter case, the separator, or System32 against SysWOW64 (the same folder
// seen by a 32-bit program on a 64-bit system).
bool SameLibraryPath(std::string_view a, std::string_view b);

}  // namespace dualis::project
