// The window-free rules of the file dialogs.
#include "CommonDialogRules.h"

#include <algorithm>
#include <limits>

#include "RawLoader.h"

namespace dualis {
namespace {

std::string Trimmed(const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> SplitAt(const std::string& text, char mark) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end; (end = text.find(mark, start)) != std::string::npos; start = end + 1) {
        parts.push_back(text.substr(start, end - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// A UTF-8 continuation byte does not start a character.
bool StartsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

size_t CharacterCount(const std::string& s) {
    return static_cast<size_t>(std::count_if(s.begin(), s.end(), StartsCharacter));
}

}  // namespace

std::vector<FileFilter> ParseFilter(const std::string& filter) {
    std::vector<std::string> parts = SplitAt(filter, '|');
    if (!parts.empty() && parts.back().empty()) parts.pop_back();
    std::vector<FileFilter> filters;
    for (size_t i = 0; i < parts.size(); i += 2) {
        const std::string description = Trimmed(parts[i]);
        const std::string patternText = i + 1 < parts.size() ? parts[i + 1] : "";
        FileFilter f{description, {}};
        for (const std::string& raw : SplitAt(patternText, ';')) {
            const std::string pattern = Trimmed(raw);
            if (pattern.empty()) continue;
            // The Windows "*.*" means every name, also one without a dot.
            f.Patterns.push_back(pattern == "*.*" ? "*" : pattern);
        }
        if (f.Description.empty() && f.Patterns.empty()) continue;
        if (f.Patterns.empty()) f.Patterns.push_back("*");
        if (f.Description.empty()) f.Description = patternText;
        filters.push_back(std::move(f));
    }
    return filters;
}

std::string NameFilterText(const FileFilter& filter) {
    // The patterns that a description such as "VB files(*.bas;*.frm)" shows in its own way give
    // way to the dialog's, so that they are not listed twice.
    std::string description = filter.Description;
    const size_t open = description.rfind('(');
    if (open != std::string::npos && open > 0 && description.back() == ')') {
        description = Trimmed(description.substr(0, open));
    }
    std::string text = description + " (";
    for (size_t i = 0; i < filter.Patterns.size(); ++i) {
        if (i > 0) text += ' ';
        text += filter.Patterns[i];
    }
    return text + ")";
}

int16_t ClampFilterIndex(int32_t filterIndex, size_t filterCount) {
    const int32_t last = static_cast<int32_t>(
        std::min<size_t>(std::max<size_t>(filterCount, 1), std::numeric_limits<int16_t>::max()));
    return static_cast<int16_t>(std::clamp(filterIndex, 1, last));
}

int32_t EffectiveMaxFileSize(int32_t maxFileSize) {
    return maxFileSize < 1 ? 255 : maxFileSize;
}

int32_t MaxNameLength(int32_t maxFileSize) {
    return EffectiveMaxFileSize(maxFileSize) - 1;
}

std::string ProposedFileName(const std::string& fileName, int32_t maxFileSize) {
    const size_t limit = static_cast<size_t>(MaxNameLength(maxFileSize));
    size_t characters = 0;
    for (size_t i = 0; i < fileName.size(); ++i) {
        if (StartsCharacter(fileName[i]) && characters++ == limit) return fileName.substr(0, i);
    }
    return fileName;
}

bool FitsNameBuffer(const std::string& fileName, int32_t maxFileSize) {
    return CharacterCount(fileName) <= static_cast<size_t>(MaxNameLength(maxFileSize));
}

ChosenFileParts SplitChosenFile(const std::string& fileName) {
    size_t sep = fileName.size();
    while (sep > 0 && !IsPathSeparator(fileName[sep - 1])) --sep;
    if (sep == 0) return {"", fileName};
    const std::string title = fileName.substr(sep);
    // The root folder would otherwise become the empty text, which means "no folder".
    if (sep == 1) return {fileName.substr(0, 1), title};
    return {fileName.substr(0, sep - 1), title};
}

}  // namespace dualis
