// A settings file's whole text in memory as lines: how the lines are recognised, how one key or
// section is changed among them while every other line stays as the user left it, and the text
// composed again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dualis {

// A read hands back at most this many characters of a value.
inline constexpr size_t MaxProfileChars = 254;

// The first MaxProfileChars characters of UTF-8 text; a character is never split.
std::string_view FirstProfileChars(std::string_view text);

class ProfileImage {
  public:
    ProfileImage() = default;
    // CR LF, CR and LF each end a line. A UTF-8 byte-order mark is held apart, so that the first
    // line is recognised like the others, and is written back.
    explicit ProfileImage(std::string_view content);

    // The value of the key in the section, both matched without regard to case: blanks around
    // it and one pair of enclosing double quotes removed, then cut to MaxProfileChars
    // characters. Of repeated keys the first counts. Nothing when the section or key is missing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

    // With key and value: sets the key, adding the section or the key when missing. With a key
    // and no value: removes the key. Without a key: removes the section with its keys. A line
    // break in a name or value is stored as a blank. False when nothing changed.
    bool Write(std::string_view section, std::optional<std::string_view> key,
               std::optional<std::string_view> value);

    std::string Text() const;

  private:
    enum class Kind : uint8_t { Blank, Comment, Header, Entry, Other };
    // One line, the line end that followed it ("" for a last line without one), what the line
    // is, and where in Text its name (a header's section, an entry's key) stands.
    struct Line {
        std::string Text;
        std::string End;
        Kind What = Kind::Blank;
        uint32_t NameAt = 0;
        uint32_t NameSize = 0;
        std::string_view Name() const { return std::string_view(Text).substr(NameAt, NameSize); }
    };
    static Line MakeLine(std::string text, std::string end);
    static bool IsSection(const Line& line, std::string_view section);
    void Index() const;
    // The end of the block that header number h (in headers_) begins.
    size_t BlockEnd(size_t h) const;
    void InsertLine(size_t at, std::string text);
    void SetEntry(std::string_view section, std::string_view key, std::string_view value);
    bool RemoveEntries(std::string_view section, std::string_view key);
    bool RemoveSection(std::string_view section);

    std::string bom_;
    std::vector<Line> lines_;
    std::string lineEnd_ = "\n";  // the file's own line end, given to the lines a write adds
    // The positions in lines_ of the section headers, in ascending order, while indexed_: so
    // that a read or a write looks only at the lines of its own section. Built by the first
    // use, kept up by SetEntry, given up by the removals.
    mutable std::vector<size_t> headers_;
    mutable bool indexed_ = false;
};

}  // namespace dualis
