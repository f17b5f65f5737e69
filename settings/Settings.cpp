// Every settings key with its form, default and corrections. The readers and writers below know
// the value forms; INIGetInfo and INIPutInfo only list the keys, section by section.
#include "Settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>

#include "ValueForms.h"

namespace dualis {

namespace {

constexpr std::string_view Blanks = " \t";

std::string HexText(uint32_t value) {
    char buffer[8];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    std::string text(buffer, result.ptr);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'f' ? static_cast<char>(c - 32) : c; });
    return text;
}

// White is &HFFFFFF, black &H0.
std::string ColourText(uint32_t colour) {
    return "&H" + HexText(colour);
}

std::string NumberText(int32_t value) {
    return std::to_string(value);
}

// The shortest text that reads back as the same single-precision value, in the general form
// the settings file uses for numbers: an exponent (1.5E+20) only for very large or very small
// values.
std::string NumberText(float value) {
    if (value == 0) return "0";  // -0 too
    char buffer[32];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general);
    std::string text(buffer, result.ptr);
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

// The file layer trims blanks around a value and removes one pair of enclosing quotes, so a
// value that has either is stored inside quotes of its own and reads back unchanged.
std::string StoredText(std::string_view value) {
    const bool edgeBlank =
        !value.empty() && (Blanks.find(value.front()) != std::string_view::npos ||
                           Blanks.find(value.back()) != std::string_view::npos);
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (!edgeBlank && !quoted) return std::string(value);
    std::string stored = "\"";
    stored.append(value).push_back('"');
    return stored;
}

std::optional<int32_t> WholeNumber32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double rounded = std::nearbyint(value);  // the default mode rounds halves to even
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

enum class HexForm {
    Signed,   // as a literal reads: up to &HFFFF 16 bits, beyond it 32 bits (&HFFFF is -1)
    Unsigned  // colours: the digits as they stand, so every written colour reads back
};

// The whole text, blanks around it aside, as one number: an optional sign, decimal digits
// with an optional fraction and exponent; or "&H" and hexadecimal digits. Nothing when the
// text is anything else, the empty text included.
std::optional<double> WholeText(std::string_view text, HexForm hexForm) {
    const size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(Blanks) - first + 1);

    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        double value = 0;
        for (char c : text.substr(2)) {
            if (HexDigit(c) < 0) return std::nullopt;
            value = value * 16 + HexDigit(c);
        }
        if (hexForm == HexForm::Signed && value <= 0xFFFF) {
            return static_cast<int16_t>(static_cast<uint16_t>(value));
        }
        if (hexForm == HexForm::Signed && value <= 0xFFFFFFFF) {
            return static_cast<int32_t>(static_cast<uint32_t>(value));
        }
        return value;
    }

    // The decimal form is the one LeadingNumber reads, here spanning the whole text.
    size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    size_t digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) ++digits;
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i]); ++i) ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const size_t exponent = i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        if (i == exponent) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return LeadingNumber(text);
}

// Any 32-bit value, its bits kept: hexadecimal digits up to &HFFFFFFFF, or a decimal number,
// which may be negative as the signed colour values of the system are.
std::optional<uint32_t> ColourBits(double value) {
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int32_t>::min() ||
        rounded > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(static_cast<int64_t>(rounded));
}

// Halfway between the largest single and 2^128: from there on a value rounds to infinity, below
// it to a finite single, which the largest single's shortest text (3.4028235E+38) relies on.
constexpr double SingleLimit = static_cast<double>(std::numeric_limits<float>::max()) + 0x1p103;

constexpr std::string_view NotANumber = "is not a number";
constexpr std::string_view OutOfRange = "is out of range";

// Reads one key after another from the current section. A value that does not fit its key's
// form gives the key's default and a message; the reading goes on.
class KeyReader {
  public:
    KeyReader(cINIHandler& ini, std::vector<std::string>& problems)
        : ini_(ini), problems_(problems) {}

    bool Bool(std::string_view key, bool defaultValue) { return ini_.ReadBool(key, defaultValue); }

    std::string String(std::string_view key, std::string_view defaultValue) {
        return ini_.ReadString(key, defaultValue);
    }

    // Lenient: the leading number of the text, 0 when there is none.
    int16_t Whole16(std::string_view key, int16_t defaultValue) {
        const std::string text = ini_.ReadString(key, NumberText(defaultValue));
        if (const auto value = WholeNumber16(LeadingNumber(text))) return *value;
        Report(key, text, OutOfRange, NumberText(defaultValue));
        return defaultValue;
    }

    int32_t Whole32(std::string_view key, int32_t defaultValue) {
        const std::string text = ini_.ReadString(key, NumberText(defaultValue));
        if (const auto value = WholeNumber32(LeadingNumber(text))) return *value;
        Report(key, text, OutOfRange, NumberText(defaultValue));
        return defaultValue;
    }

    float Single(std::string_view key, float defaultValue) {
        const std::string text = ini_.ReadString(key, NumberText(defaultValue));
        const double value = LeadingNumber(text);
        if (std::abs(value) < SingleLimit) return static_cast<float>(value);
        Report(key, text, OutOfRange, NumberText(defaultValue));
        return defaultValue;
    }

    // Strict: the whole text must be a number.
    int16_t StrictWhole16(std::string_view key, int16_t defaultValue) {
        const std::string text = ini_.ReadString(key, NumberText(defaultValue));
        const std::optional<double> number = WholeText(text, HexForm::Signed);
        const std::optional<int16_t> value = number ? WholeNumber16(*number) : std::nullopt;
        if (value) return *value;
        Report(key, text, number ? OutOfRange : NotANumber, NumberText(defaultValue));
        return defaultValue;
    }

    // A whole number of 32 bits, kept in single precision.
    float StrictWholeSingle(std::string_view key, float defaultValue) {
        const std::string text = ini_.ReadString(key, NumberText(defaultValue));
        const std::optional<double> number = WholeText(text, HexForm::Signed);
        const std::optional<int32_t> value = number ? WholeNumber32(*number) : std::nullopt;
        if (value) return static_cast<float>(*value);
        Report(key, text, number ? OutOfRange : NotANumber, NumberText(defaultValue));
        return defaultValue;
    }

    uint32_t Colour(std::string_view key, uint32_t defaultValue) {
        const std::string text = ini_.ReadString(key, "&H00" + HexText(defaultValue));
        const std::optional<double> number = WholeText(text, HexForm::Unsigned);
        const std::optional<uint32_t> value = number ? ColourBits(*number) : std::nullopt;
        if (value) return *value;
        Report(key, text, number ? OutOfRange : NotANumber, ColourText(defaultValue));
        return defaultValue;
    }

  private:
    void Report(std::string_view key, std::string_view text, std::string_view fault,
                const std::string& defaultText) {
        std::string message(key);
        message.append(": \"").append(text).append("\" ").append(fault);
        message.append("; the default ").append(defaultText).append(" is used.");
        problems_.push_back(std::move(message));
    }

    cINIHandler& ini_;
    std::vector<std::string>& problems_;
};

// Writes one key after another into the current section, each in its key's form.
class KeyWriter {
  public:
    explicit KeyWriter(cINIHandler& ini) : ini_(ini) {}

    void Bool(std::string_view key, bool value) { ini_.WriteBool(key, value); }
    void String(std::string_view key, std::string_view value) {
        ini_.WriteString(key, StoredText(value));
    }
    void Number(std::string_view key, int32_t value) { ini_.WriteString(key, NumberText(value)); }
    void Number(std::string_view key, float value) { ini_.WriteString(key, NumberText(value)); }
    void Colour(std::string_view key, uint32_t value) { ini_.WriteString(key, ColourText(value)); }

  private:
    cINIHandler& ini_;
};

// "MRU", the entry number without leading zeros, and "F1" or "F2".
std::string MRUKey(size_t entry, size_t side) {
    return "MRU" + std::to_string(entry + 1) + (side == 0 ? "F1" : "F2");
}

}  // namespace

std::vector<std::string> GetEveryKey(cINIHandler& ini, Settings& s,
                                     std::string_view defaultFolder) {
    std::vector<std::string> problems;
    KeyReader read(ini, problems);
    const Settings d;
    CompareOptions& c = s.Compare;
    SwitchSettings& w = s.Switches;

    ini.SetSection("Compare");
    c.ExpandTabs = read.Bool("ExpandTabs", d.Compare.ExpandTabs);
    c.IgnoreBlankLines = read.Bool("IgnoreBlankLines", d.Compare.IgnoreBlankLines);
    c.IgnoreCase = read.Bool("IgnoreCase", d.Compare.IgnoreCase);
    c.IgnoreComments = read.Bool("IgnoreComments", d.Compare.IgnoreComments);
    c.IgnoreEmbeddedBlanks = read.Bool("IgnoreEmbeddedBlanks", d.Compare.IgnoreEmbeddedBlanks);
    c.IgnoreLeadingBlanks = read.Bool("IgnoreLeadingBlanks", d.Compare.IgnoreLeadingBlanks);
    c.IgnoreLineNumbers = read.Bool("IgnoreLineNumbers", d.Compare.IgnoreLineNumbers);
    c.IgnoreTrailingBlanks = read.Bool("IgnoreTrailingBlanks", d.Compare.IgnoreTrailingBlanks);
    c.LineByLine = read.Bool("LineByLine", d.Compare.LineByLine);
    // A missing key, 0, a negative value and text without a number all give 2.
    c.SyncNumber =
        CompareOptions::CorrectSyncNumber(read.Whole16("SyncNumber", d.Compare.SyncNumber));
    c.TabWidth = CompareOptions::CorrectTabWidth(read.Whole16("TabWidth", d.Compare.TabWidth));

    ini.SetSection("Debug");
    w.DontFixDataErrors = read.Bool("DontFixDataErrors", d.Switches.DontFixDataErrors);
    w.DontTrapErrors = read.Bool("DontTrapErrors", d.Switches.DontTrapErrors);
    w.LogApp = read.Bool("LogApp", d.Switches.LogApp);
    w.LogBasicLan = read.Bool("LogBasicLan", d.Switches.LogBasicLan);
    w.LogClasses = read.Bool("LogClasses", d.Switches.LogClasses);
    w.LogDebug = read.Bool("LogDebug", d.Switches.LogDebug);
    w.LogEvents = read.Bool("LogEvents", d.Switches.LogEvents);
    w.LogMouseEvents = read.Bool("LogMouseEvents", d.Switches.LogMouseEvents);
    w.LogFileName = read.String("LOGFILE", d.Switches.LogFileName);

    ini.SetSection("Display");
    s.BackColorAdded = read.Colour("BackColorAdded", d.BackColorAdded);
    s.BackColorChanged = read.Colour("BackColorChanged", d.BackColorChanged);
    s.BackColorDeleted = read.Colour("BackColorDeleted", d.BackColorDeleted);
    s.BackColorEqual = read.Colour("BackColorEqual", d.BackColorEqual);
    s.BackColorHiLite = read.Colour("BackColorHiLite", d.BackColorHiLite);
    s.BackColorIgnored = read.Colour("BackColorIgnored", d.BackColorIgnored);
    s.LineNumbers = read.Bool("LineNumbers", d.LineNumbers);
    s.FontBold = read.Bool("FontBold", d.FontBold);
    s.FontItalic = read.Bool("FontItalic", d.FontItalic);
    s.FontName = read.String("FontName", d.FontName);
    s.FontSize = read.Single("FontSize", d.FontSize);
    s.ForeColorAdded = read.Colour("ForeColorAdded", d.ForeColorAdded);
    s.ForeColorChanged = read.Colour("ForeColorChanged", d.ForeColorChanged);
    s.ForeColorDeleted = read.Colour("ForeColorDeleted", d.ForeColorDeleted);
    s.ForeColorEqual = read.Colour("ForeColorEqual", d.ForeColorEqual);
    s.ForeColorHiLite = read.Colour("ForeColorHiLite", d.ForeColorHiLite);
    s.ForeColorIgnored = read.Colour("ForeColorIgnored", d.ForeColorIgnored);
    s.LineNumberByProc = read.Bool("LineNumberByProc", d.LineNumberByProc);
    s.SyncHScroll = read.Bool("SyncHScroll", d.SyncHScroll);
    s.SyncVScroll = read.Bool("SyncVScroll", d.SyncVScroll);
    s.ViewLegend = read.Bool("ViewLegend", d.ViewLegend);
    s.ViewMode = read.String("ViewMode", d.ViewMode);
    s.Viewstatusbar = read.Bool("Viewstatusbar", d.Viewstatusbar);
    w.ToolTips = read.Bool("ViewToolTips", d.Switches.ToolTips);
    c.DifferencesAfter = read.StrictWhole16("DifferencesAfter", d.Compare.DifferencesAfter);
    c.DifferencesBefore = read.StrictWhole16("DifferencesBefore", d.Compare.DifferencesBefore);
    c.DifferencesOnly = read.Bool("DifferencesOnly", d.Compare.DifferencesOnly);
    s.Symbols = read.Bool("Symbols", d.Symbols);
    s.ViewToolBar = read.Bool("ViewToolBar", d.ViewToolBar);
    s.MainWindowHeight = read.StrictWholeSingle("MainWindowHeight", d.MainWindowHeight);
    s.MainWindowLeft = read.StrictWholeSingle("MainWindowLeft", d.MainWindowLeft);
    s.MainWindowState = read.Whole16("MainWindowState", d.MainWindowState);
    s.MainWindowTop = read.StrictWholeSingle("MainWindowTop", d.MainWindowTop);
    s.MainWindowWidth = read.StrictWholeSingle("MainWindowWidth", d.MainWindowWidth);

    ini.SetSection("General");
    w.DebugMenu = read.Bool("DebugMenu", d.Switches.DebugMenu);
    s.Version = read.String("Version", d.Version);

    ini.SetSection("Files");
    s.SyncFilePaths = read.Whole32("SyncFilePaths", d.SyncFilePaths);
    s.SyncFileNames = read.Bool("SyncFileNames", d.SyncFileNames);
    s.SyncFileExtensions = read.Bool("SyncFileExtensions", d.SyncFileExtensions);
    s.SourceFilterIndex = read.Whole16("SourceFilterIndex", d.SourceFilterIndex);
    s.SourcePath = read.String("SourcePath", defaultFolder);
    s.TargetFilterIndex = read.Whole16("TargetFilterIndex", d.TargetFilterIndex);
    s.TargetPath = read.String("TargetPath", defaultFolder);
    s.ShowFileOpen = read.Bool("ShowFileOpen", d.ShowFileOpen);

    ini.SetSection("MRU");
    for (size_t entry = 0; entry < MRUSize; ++entry) {
        for (size_t side = 0; side < 2; ++side) {
            s.MRU[entry][side] = read.String(MRUKey(entry, side), "");
        }
    }
    return problems;
}

void PutEveryKey(cINIHandler& ini, const Settings& s, std::string_view versionText,
                 bool debugExists) {
    KeyWriter write(ini);
    const CompareOptions& c = s.Compare;
    const SwitchSettings& w = s.Switches;

    ini.SetSection("Compare");
    write.Bool("ExpandTabs", c.ExpandTabs);
    write.Bool("IgnoreBlankLines", c.IgnoreBlankLines);
    write.Bool("IgnoreCase", c.IgnoreCase);
    write.Bool("IgnoreComments", c.IgnoreComments);
    write.Bool("IgnoreEmbeddedBlanks", c.IgnoreEmbeddedBlanks);
    write.Bool("IgnoreLeadingBlanks", c.IgnoreLeadingBlanks);
    write.Bool("IgnoreLineNumbers", c.IgnoreLineNumbers);
    write.Bool("IgnoreTrailingBlanks", c.IgnoreTrailingBlanks);
    write.Bool("LineByLine", c.LineByLine);
    write.Number("SyncNumber", c.SyncNumber);
    write.Number("TabWidth", c.TabWidth);

    if (debugExists) {
        ini.SetSection("Debug");
        write.Bool("DontFixDataErrors", w.DontFixDataErrors);
        write.Bool("DontTrapErrors", w.DontTrapErrors);
        write.Bool("LogApp", w.LogApp);
        write.Bool("LogBasicLan", w.LogBasicLan);
        write.Bool("LogClasses", w.LogClasses);
        write.Bool("LogDebug", w.LogDebug);
        write.Bool("LogEvents", w.LogEvents);
        write.Bool("LogMouseEvents", w.LogMouseEvents);
        write.String("LOGFILE", w.LogFileName);
    }

    ini.SetSection("Display");
    write.Colour("BackColorAdded", s.BackColorAdded);
    write.Colour("BackColorChanged", s.BackColorChanged);
    write.Colour("BackColorDeleted", s.BackColorDeleted);
    write.Colour("BackColorEqual", s.BackColorEqual);
    write.Colour("BackColorHiLite", s.BackColorHiLite);
    write.Colour("BackColorIgnored", s.BackColorIgnored);
    write.Bool("LineNumbers", s.LineNumbers);
    write.Bool("FontBold", s.FontBold);
    write.Bool("FontItalic", s.FontItalic);
    write.String("FontName", s.FontName);
    write.Number("FontSize", s.FontSize);
    write.Colour("ForeColorAdded", s.ForeColorAdded);
    write.Colour("ForeColorChanged", s.ForeColorChanged);
    write.Colour("ForeColorDeleted", s.ForeColorDeleted);
    write.Colour("ForeColorEqual", s.ForeColorEqual);
    write.Colour("ForeColorHiLite", s.ForeColorHiLite);
    write.Colour("ForeColorIgnored", s.ForeColorIgnored);
    write.Bool("LineNumberByProc", s.LineNumberByProc);
    write.Bool("SyncHScroll", s.SyncHScroll);
    write.Bool("SyncVScroll", s.SyncVScroll);
    write.Bool("ViewLegend", s.ViewLegend);
    write.String("ViewMode", s.ViewMode);
    write.Bool("Viewstatusbar", s.Viewstatusbar);
    write.Bool("ViewToolTips", w.ToolTips);
    write.Number("DifferencesAfter", c.DifferencesAfter);
    write.Number("DifferencesBefore", c.DifferencesBefore);
    write.Bool("DifferencesOnly", c.DifferencesOnly);
    write.Bool("Symbols", s.Symbols);
    write.Bool("ViewToolBar", s.ViewToolBar);
    write.Number("MainWindowState", s.MainWindowState);
    if (s.MainWindowState == 0) {
        write.Number("MainWindowHeight", s.MainWindowHeight);
        write.Number("MainWindowLeft", s.MainWindowLeft);
        write.Number("MainWindowTop", s.MainWindowTop);
        write.Number("MainWindowWidth", s.MainWindowWidth);
    }

    ini.SetSection("General");
    write.Bool("DebugMenu", w.DebugMenu);
    write.String("Version", versionText);

    ini.SetSection("Files");
    write.Number("SyncFilePaths", s.SyncFilePaths);
    write.Bool("SyncFileNames", s.SyncFileNames);
    write.Bool("SyncFileExtensions", s.SyncFileExtensions);
    write.Number("SourceFilterIndex", s.SourceFilterIndex);
    write.String("SourcePath", s.SourcePath);
    write.Number("TargetFilterIndex", s.TargetFilterIndex);
    write.String("TargetPath", s.TargetPath);
    write.Bool("ShowFileOpen", s.ShowFileOpen);

    ini.SetSection("MRU");
    for (size_t entry = 0; entry < MRUSize; ++entry) {
        for (size_t side = 0; side < 2; ++side) {
            write.String(MRUKey(entry, side), s.MRU[entry][side]);
        }
    }
}

std::vector<std::string> INIGetInfo(cINIHandler& ini, Settings& s, std::string_view defaultFolder) {
    const std::string problem = ini.Hold();
    std::vector<std::string> problems = GetEveryKey(ini, s, defaultFolder);
    ini.Release();
    if (!problem.empty()) {
        problems.insert(problems.begin(), "Unable to read the settings file\n" +
                                              ResolveProfilePath(ini.INIFileName()).string() +
                                              "\n" + problem + "\nThe defaults are used.");
    }
    return problems;
}

SaveResult INIPutInfo(cINIHandler& ini, const Settings& s, std::string_view versionText,
                      bool debugExists) {
    ini.Hold();
    PutEveryKey(ini, s, versionText, debugExists);
    SaveResult result = ini.Save();
    ini.Release();
    return result;
}

}  // namespace dualis
