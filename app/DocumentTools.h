// The command line's work on one Office document: its modules written to a folder as the
// editor's export names them (--extract), or printed one after another for git (--vba-text).
#pragma once

#include <cstdio>
#include <string>

#include "CommandLine.h"

namespace dualis {

// Writes every module of cmd.Document into cmd.ExtractFolder (created when missing) as
// Name.bas, Name.cls or Name.frm: a form's designer text, then its code, line ends as stored,
// in UTF-8 or (NativeEncoding) the project's code page. Says on `out` how many it wrote.
// Returns the exit status: 0, or 2 after saying on `err` why it could not.
int ExtractModules(const CommandLine& cmd, std::FILE* out, std::FILE* err);

// Prints every module of cmd.Document, in the order of their file names, each under the line
// "'=== Name.ext ===", in UTF-8 with LF line ends. A document without macros prints nothing.
// Returns the exit status: 0, or 2 after saying on `err` why it could not.
int PrintModules(const CommandLine& cmd, std::FILE* out, std::FILE* err);

// A module's name made safe as a file name on every system: path separators, the characters
// Windows refuses (: * ? " < > |) and control characters become "_", and a name that starts
// with a dot or is empty gets "_" before it.
std::string SafeFileName(const std::string& name);

}  // namespace dualis
