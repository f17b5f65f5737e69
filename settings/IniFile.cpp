// The INI layer: how the lines of a settings file are recognised, how one key or section is
// changed among them, and how the whole file is replaced in one step.
#include "IniFile.h"

#include "TextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace dualis {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view Blanks = " \t";
constexpr size_t None = std::string_view::npos;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == None) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// The first `count` characters of UTF-8 text; a character is never split.
std::string_view FirstChars(std::string_view text, size_t count) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool startsChar = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsChar && chars++ == count) return text.substr(0, i);
    }
    return text;
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// A line break inside a name or value would split its line in two and change the file's
// structure, so it is stored as a blank.
std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

bool IsBareName(const std::string& fileName) {
    return fileName.find('/') == std::string::npos;
}

enum class LineKind { Blank, Comment, Header, Entry, Other };

// What one line of the file is. Name: a header's section or an entry's key; Value: an entry's
// value; both without the blanks around them, and both views into the line's text.
struct LineMeaning {
    LineKind Kind = LineKind::Blank;
    std::string_view Name;
    std::string_view Value;
};

LineMeaning Meaning(std::string_view text) {
    const std::string_view line = Trim(text);
    if (line.empty()) return {LineKind::Blank, {}, {}};
    if (line.front() == ';' || line.front() == '#') return {LineKind::Comment, {}, {}};
    if (line.front() == '[') {
        const size_t close = line.find(']');
        return {LineKind::Header, Trim(line.substr(1, close == None ? None : close - 1)), {}};
    }
    const size_t equals = line.find('=');
    if (equals == None) return {LineKind::Other, {}, {}};
    return {LineKind::Entry, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// One line and the line end that followed it: "\n", "\r\n", or "" for a last line without one.
struct Line {
    std::string Text;
    std::string End;
};

// A file's content as lines. A UTF-8 byte-order mark is held apart so that the first line is
// recognised like the others and the mark is written back. LineEnd is the file's own style,
// given to the lines a write adds.
struct Document {
    std::string Bom;
    std::vector<Line> Lines;
    std::string LineEnd = "\n";
};

Document Parse(std::string_view content) {
    Document doc;
    constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
    if (content.substr(0, Utf8Bom.size()) == Utf8Bom) {
        doc.Bom = Utf8Bom;
        content.remove_prefix(Utf8Bom.size());
    }
    size_t start = 0;
    while (start < content.size()) {
        const size_t newline = content.find('\n', start);
        if (newline == None) {
            doc.Lines.push_back({std::string(content.substr(start)), ""});
            break;
        }
        std::string_view text = content.substr(start, newline - start);
        const bool crlf = !text.empty() && text.back() == '\r';
        if (crlf) text.remove_suffix(1);
        doc.Lines.push_back({std::string(text), crlf ? "\r\n" : "\n"});
        start = newline + 1;
    }
    if (!doc.Lines.empty() && !doc.Lines.front().End.empty()) doc.LineEnd = doc.Lines.front().End;
    return doc;
}

std::string Compose(const Document& doc) {
    std::string content = doc.Bom;
    for (const Line& line : doc.Lines) content += line.Text + line.End;
    return content;
}

void InsertLine(Document& doc, size_t at, std::string text) {
    if (at == doc.Lines.size() && !doc.Lines.empty() && doc.Lines.back().End.empty()) {
        doc.Lines.back().End = doc.LineEnd;
    }
    doc.Lines.insert(doc.Lines.begin() + static_cast<std::ptrdiff_t>(at),
                     Line{std::move(text), doc.LineEnd});
}

// Replaces the value of the key's first line in the section, keeping the line's spelling and
// spacing up to the value; a new key goes after the last entry of the section's first block, so
// comments that introduce the next section stay in front of it.
void SetEntry(Document& doc, std::string_view section, std::string_view key,
              std::string_view value) {
    size_t insertAt = None;
    int blocksSeen = 0;
    bool inSection = false;
    for (size_t i = 0; i < doc.Lines.size(); ++i) {
        std::string& text = doc.Lines[i].Text;
        const LineMeaning meaning = Meaning(text);
        if (meaning.Kind == LineKind::Header) {
            inSection = EqualsIgnoringAsciiCase(meaning.Name, section);
            if (inSection && ++blocksSeen == 1) insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (meaning.Kind == LineKind::Entry && EqualsIgnoringAsciiCase(meaning.Name, key)) {
            const size_t valueStart = text.find_first_not_of(Blanks, text.find('=') + 1);
            text = text.substr(0, std::min(valueStart, text.size())) + std::string(value);
            return;
        }
        const bool content = meaning.Kind == LineKind::Entry || meaning.Kind == LineKind::Other;
        if (content && blocksSeen == 1) insertAt = i + 1;
    }
    std::string entry = std::string(key) + "=" + std::string(value);
    if (insertAt != None) {
        InsertLine(doc, insertAt, std::move(entry));
        return;
    }
    if (!doc.Lines.empty() && Meaning(doc.Lines.back().Text).Kind != LineKind::Blank) {
        InsertLine(doc, doc.Lines.size(), "");
    }
    std::string header = "[";
    header.append(section).append("]");
    InsertLine(doc, doc.Lines.size(), std::move(header));
    InsertLine(doc, doc.Lines.size(), std::move(entry));
}

// Removes every line of the key in every block of the section; false when there was none.
bool RemoveEntries(Document& doc, std::string_view section, std::string_view key) {
    std::vector<Line> kept;
    bool inSection = false;
    for (Line& line : doc.Lines) {
        const LineMeaning meaning = Meaning(line.Text);
        if (meaning.Kind == LineKind::Header) {
            inSection = EqualsIgnoringAsciiCase(meaning.Name, section);
        } else if (inSection && meaning.Kind == LineKind::Entry &&
                   EqualsIgnoringAsciiCase(meaning.Name, key)) {
            continue;
        }
        kept.push_back(std::move(line));
    }
    const bool removed = kept.size() != doc.Lines.size();
    doc.Lines = std::move(kept);
    return removed;
}

// Removes every block of the section: its header through its last entry, and the blank lines
// after it. Comments between the last entry and the next header are taken to introduce the
// next section and stay. False when the section was not there.
bool RemoveSection(Document& doc, std::string_view section) {
    const size_t count = doc.Lines.size();
    std::vector<LineKind> kinds(count);
    std::vector<bool> isSection(count);
    for (size_t i = 0; i < count; ++i) {
        const LineMeaning meaning = Meaning(doc.Lines[i].Text);
        kinds[i] = meaning.Kind;
        isSection[i] =
            meaning.Kind == LineKind::Header && EqualsIgnoringAsciiCase(meaning.Name, section);
    }
    std::vector<bool> drop(count);
    bool any = false;
    for (size_t i = 0; i < count; ++i) {
        if (!isSection[i]) continue;
        size_t end = i + 1;
        for (size_t j = i + 1; j < count && kinds[j] != LineKind::Header; ++j) {
            if (kinds[j] == LineKind::Entry || kinds[j] == LineKind::Other) end = j + 1;
        }
        while (end < count && kinds[end] == LineKind::Blank) ++end;
        std::fill(drop.begin() + static_cast<std::ptrdiff_t>(i),
                  drop.begin() + static_cast<std::ptrdiff_t>(end), true);
        any = true;
        i = end - 1;
    }
    if (!any) return false;
    std::vector<Line> kept;
    for (size_t i = 0; i < count; ++i) {
        if (!drop[i]) kept.push_back(std::move(doc.Lines[i]));
    }
    doc.Lines = std::move(kept);
    return true;
}

enum class FileState { Missing, Read, Unreadable };

FileState ReadWholeFile(const fs::path& path, std::string& content) {
    std::error_code error;
    const fs::file_type type = fs::status(path, error).type();
    if (type == fs::file_type::not_found) return FileState::Missing;
    if (type != fs::file_type::regular) return FileState::Unreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in) return FileState::Unreadable;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return in.bad() ? FileState::Unreadable : FileState::Read;
}

bool WriteAll(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Writes the content to a new file beside the target, forces it to disk, and renames it over
// the target, so that the target always holds either its old or its new content in full.
bool ReplaceFile(const fs::path& target, std::string_view content) {
    static std::atomic<unsigned> tempCounter{0};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    struct stat old {};
    const bool hadFile = ::stat(target.c_str(), &old) == 0;

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        std::string name = ".";
        name.append(target.filename().string()).append(".").append(std::to_string(::getpid()));
        name.append("-").append(std::to_string(tempCounter++)).append(".tmp");
        temp = folder / name;
        // 0666 lets the umask decide a new file's permissions, as for any file the user creates.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;

    bool ok = WriteAll(fd, content);
    if (ok && hadFile) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    if (ok) ok = ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself lasts only once the folder is on disk too.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

}  // namespace

fs::path UserSettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (config != nullptr && fs::path(config).is_absolute()) {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home != nullptr ? home : "") / ".config";
    }
    return base / "Dualis";
}

fs::path ResolveProfilePath(const std::string& fileName) {
    return IsBareName(fileName) ? UserSettingsFolder() / fileName : fs::path(fileName);
}

std::optional<std::string> ReadProfileString(const std::string& fileName, std::string_view section,
                                             std::string_view key) {
    std::string content;
    if (ReadWholeFile(ResolveProfilePath(fileName), content) != FileState::Read) {
        return std::nullopt;
    }
    bool inSection = false;
    for (const Line& line : Parse(content).Lines) {
        const LineMeaning meaning = Meaning(line.Text);
        if (meaning.Kind == LineKind::Header) {
            inSection = EqualsIgnoringAsciiCase(meaning.Name, section);
        } else if (inSection && meaning.Kind == LineKind::Entry &&
                   EqualsIgnoringAsciiCase(meaning.Name, key)) {
            return std::string(FirstChars(Unquoted(meaning.Value), MaxProfileChars));
        }
    }
    return std::nullopt;
}

std::string ReadProfileString(const std::string& fileName, std::string_view section,
                              std::string_view key, std::string_view defaultText) {
    std::optional<std::string> value = ReadProfileString(fileName, section, key);
    return value ? std::move(*value) : std::string(FirstChars(defaultText, MaxProfileChars));
}

bool WriteProfileString(const std::string& fileName, std::string_view section,
                        std::optional<std::string_view> key,
                        std::optional<std::string_view> value) {
    fs::path path = ResolveProfilePath(fileName);
    std::error_code error;
    // A settings file kept elsewhere behind a link stays there; the link is not replaced.
    if (fs::is_symlink(path, error)) {
        fs::path target = fs::canonical(path, error);
        if (!error) path = std::move(target);
    }
    std::string content;
    const FileState state = ReadWholeFile(path, content);
    if (state == FileState::Unreadable) return false;

    Document doc = Parse(content);
    const std::string sectionName = OneLine(section);
    bool changed = true;
    if (!key) {
        changed = RemoveSection(doc, sectionName);
    } else if (!value) {
        changed = RemoveEntries(doc, sectionName, OneLine(*key));
    } else {
        SetEntry(doc, sectionName, OneLine(*key), OneLine(*value));
    }
    if (!changed) return true;
    if (IsBareName(fileName)) fs::create_directories(path.parent_path(), error);
    return ReplaceFile(path, Compose(doc));
}

}  // namespace dualis
