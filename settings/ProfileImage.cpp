#include "ProfileImage.h"

#include <algorithm>

#include "TextCodec.h"

namespace dualis {
namespace {

constexpr std::string_view Blanks = " \t";
constexpr size_t None = std::string_view::npos;
constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == None) return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
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

// The value of an entry line: after the first "=", without the blanks around it.
std::string_view ValueOf(std::string_view line) {
    return Trim(line.substr(line.find('=') + 1));
}

}  // namespace

std::string_view FirstProfileChars(std::string_view text) {
    size_t chars = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool startsChar = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsChar && chars++ == MaxProfileChars) return text.substr(0, i);
    }
    return text;
}

ProfileImage::ProfileImage(std::string_view content) {
    if (content.starts_with(Utf8Bom)) {
        bom_ = Utf8Bom;
        content.remove_prefix(Utf8Bom.size());
    }
    size_t start = 0;
    while (start < content.size()) {
        const size_t end = content.find_first_of("\r\n", start);
        if (end == None) {
            lines_.push_back(MakeLine(std::string(content.substr(start)), ""));
            break;
        }
        const size_t endSize = content.compare(end, 2, "\r\n") == 0 ? 2 : 1;
        lines_.push_back(MakeLine(std::string(content.substr(start, end - start)),
                                  std::string(content.substr(end, endSize))));
        start = end + endSize;
    }
    if (!lines_.empty() && !lines_.front().End.empty()) lineEnd_ = lines_.front().End;
}

ProfileImage::Line ProfileImage::MakeLine(std::string text, std::string end) {
    Line line{std::move(text), std::move(end)};
    const std::string_view whole = Trim(line.Text);
    const auto nameAt = [&](std::string_view name) {
        line.NameAt = static_cast<uint32_t>(name.data() - line.Text.data());
        line.NameSize = static_cast<uint32_t>(name.size());
    };
    if (whole.empty()) {
        line.What = Kind::Blank;
    } else if (whole.front() == ';' || whole.front() == '#') {
        line.What = Kind::Comment;
    } else if (whole.front() == '[') {
        const size_t close = whole.find(']');
        line.What = Kind::Header;
        nameAt(Trim(whole.substr(1, close == None ? None : close - 1)));
    } else if (const size_t equals = whole.find('='); equals != None) {
        line.What = Kind::Entry;
        nameAt(Trim(whole.substr(0, equals)));
    } else {
        line.What = Kind::Other;
    }
    if (line.NameSize == 0) line.NameAt = 0;  // an empty name's view may point anywhere
    return line;
}

bool ProfileImage::IsSection(const Line& line, std::string_view section) {
    return line.What == Kind::Header && EqualsIgnoringAsciiCase(line.Name(), section);
}

void ProfileImage::Index() const {
    if (indexed_) return;
    headers_.clear();
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].What == Kind::Header) headers_.push_back(i);
    }
    indexed_ = true;
}

size_t ProfileImage::BlockEnd(size_t h) const {
    return h + 1 < headers_.size() ? headers_[h + 1] : lines_.size();
}

std::optional<std::string> ProfileImage::Read(std::string_view section,
                                              std::string_view key) const {
    Index();
    for (size_t h = 0; h < headers_.size(); ++h) {
        if (!IsSection(lines_[headers_[h]], section)) continue;
        for (size_t i = headers_[h] + 1; i < BlockEnd(h); ++i) {
            const Line& line = lines_[i];
            if (line.What == Kind::Entry && EqualsIgnoringAsciiCase(line.Name(), key)) {
                return std::string(FirstProfileChars(Unquoted(ValueOf(line.Text))));
            }
        }
    }
    return std::nullopt;
}

std::string ProfileImage::Text() const {
    std::string content = bom_;
    for (const Line& line : lines_) content.append(line.Text).append(line.End);
    return content;
}

bool ProfileImage::Write(std::string_view section, std::optional<std::string_view> key,
                         std::optional<std::string_view> value) {
    const std::string sectionName = OneLine(section);
    if (!key) return RemoveSection(sectionName);
    if (!value) return RemoveEntries(sectionName, OneLine(*key));
    SetEntry(sectionName, OneLine(*key), OneLine(*value));
    return true;
}

// Inserts a line before line `at`, keeping the header positions up to date.
void ProfileImage::InsertLine(size_t at, std::string text) {
    if (at == lines_.size() && !lines_.empty() && lines_.back().End.empty()) {
        lines_.back().End = lineEnd_;
    }
    const auto line = lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                                    MakeLine(std::move(text), lineEnd_));
    if (!indexed_) return;
    auto after = std::lower_bound(headers_.begin(), headers_.end(), at);
    for (auto h = after; h != headers_.end(); ++h) ++*h;
    if (line->What == Kind::Header) headers_.insert(after, at);
}

// Replaces the value of the key's first line in the section, keeping the line's spelling and
// spacing up to the value; a new key goes after the last entry of the section's first block, so
// comments that introduce the next section stay in front of it.
void ProfileImage::SetEntry(std::string_view section, std::string_view key,
                            std::string_view value) {
    Index();
    size_t insertAt = None;
    for (size_t h = 0; h < headers_.size(); ++h) {
        if (!IsSection(lines_[headers_[h]], section)) continue;
        const bool firstBlock = insertAt == None;
        if (firstBlock) insertAt = headers_[h] + 1;
        for (size_t i = headers_[h] + 1; i < BlockEnd(h); ++i) {
            Line& line = lines_[i];
            if (line.What == Kind::Entry && EqualsIgnoringAsciiCase(line.Name(), key)) {
                // The key's spelling and spacing up to the value stay, and so the line's kind.
                const std::string& text = line.Text;
                const size_t valueStart = text.find_first_not_of(Blanks, text.find('=') + 1);
                line =
                    MakeLine(text.substr(0, std::min(valueStart, text.size())) + std::string(value),
                             std::move(line.End));
                return;
            }
            const bool content = line.What == Kind::Entry || line.What == Kind::Other;
            if (content && firstBlock) insertAt = i + 1;
        }
    }
    std::string entry = std::string(key) + "=" + std::string(value);
    if (insertAt != None) {
        InsertLine(insertAt, std::move(entry));
        return;
    }
    if (!lines_.empty() && lines_.back().What != Kind::Blank) InsertLine(lines_.size(), "");
    std::string header = "[";
    header.append(section).append("]");
    InsertLine(lines_.size(), std::move(header));
    InsertLine(lines_.size(), std::move(entry));
}

// Removes every line of the key in every block of the section; false when there was none.
bool ProfileImage::RemoveEntries(std::string_view section, std::string_view key) {
    std::vector<Line> kept;
    bool inSection = false;
    for (Line& line : lines_) {
        if (line.What == Kind::Header) {
            inSection = EqualsIgnoringAsciiCase(line.Name(), section);
        } else if (inSection && line.What == Kind::Entry &&
                   EqualsIgnoringAsciiCase(line.Name(), key)) {
            continue;
        }
        kept.push_back(std::move(line));
    }
    const bool removed = kept.size() != lines_.size();
    lines_ = std::move(kept);
    indexed_ = false;
    return removed;
}

// Removes every block of the section: its header through its last entry, and the blank lines
// after it. Comments between the last entry and the next header are taken to introduce the
// next section and stay. False when the section was not there.
bool ProfileImage::RemoveSection(std::string_view section) {
    const size_t count = lines_.size();
    std::vector<bool> drop(count);
    bool any = false;
    for (size_t i = 0; i < count; ++i) {
        if (!IsSection(lines_[i], section)) continue;
        size_t end = i + 1;
        for (size_t j = i + 1; j < count && lines_[j].What != Kind::Header; ++j) {
            if (lines_[j].What == Kind::Entry || lines_[j].What == Kind::Other) end = j + 1;
        }
        while (end < count && lines_[end].What == Kind::Blank) ++end;
        std::fill(drop.begin() + static_cast<std::ptrdiff_t>(i),
                  drop.begin() + static_cast<std::ptrdiff_t>(end), true);
        any = true;
        i = end - 1;
    }
    if (!any) return false;
    std::vector<Line> kept;
    for (size_t i = 0; i < count; ++i) {
        if (!drop[i]) kept.push_back(std::move(lines_[i]));
    }
    lines_ = std::move(kept);
    indexed_ = false;
    return true;
}

}  // namespace dualis
