// Reading a file into its raw line store, and the two file-name functions that the engine,
// the main window and the file selection dialog share.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "ComparisonState.h"
#include "FileIO.h"
#include "Host.h"

namespace dualis {

// A file is text unless a NUL byte stands among its first this many bytes (a NUL character,
// in a file with a UTF-16 byte-order mark).
inline constexpr size_t TextProbeBytes = 8192;

// Decodes a file's bytes into RawStack(fileIndex), cut into lines. Throws InputFileError when
// the bytes are not text or have a line that is too long.
void LoadRawText(ComparisonState& state, int fileIndex, std::string bytes);

// ReadInputFile, then LoadRawText.
void LoadRawStack(ComparisonState& state, int fileIndex, const std::string& fileName);

// Why the name cannot be compared, for the user (InputFileRefusal); empty when it names a
// readable regular file. Any name is taken as it stands: ".x.bas", "a*b.bas" and "q?.bas" are
// ordinary names.
std::string FileRefusal(const std::string& fileName, IHost* trace = nullptr);

// "Unable to open File 1" (or File 2 for index 1), the name and FileRefusal's reason, each
// ended by `lineBreak` but the last; empty when the file can be compared.
std::string UnableToOpenMessage(int fileIndex, const std::string& fileName,
                                std::string_view lineBreak = "\n", IHost* trace = nullptr);

// True when FileRefusal has nothing against the name.
bool FileExists(const std::string& fileName, IHost* trace = nullptr);

// The platform's folder separator: "/" here; "\\" and "/" on Windows.
bool IsPathSeparator(char c);

// Splits a name into its folder (with its trailing separator; the whole name when it has no
// separator), its base name and its extension (without the dot).
void SplitFileName(const std::string& fullName, std::string& path, std::string& baseName,
                   std::string& extension, IHost* trace = nullptr);

}  // namespace dualis
