// Arbitrary bytes as two lines and a set of options, in memory: the within-line comparison must
// return ranges inside each line, in increasing order and apart, and none for identical lines.
// Any crash, sanitizer report or broken rule is a finding.
#include <cstdlib>
#include <string>

#include "InlineDiff.h"
#include "TextCodec.h"

namespace {

void Check(const std::vector<dualis::CharRange>& ranges, std::string_view line) {
    const int64_t chars = dualis::CharCount(line);
    int32_t end = -1;
    for (const dualis::CharRange& r : ranges) {
        if (r.Begin <= end || r.Begin >= r.End || r.End > chars) std::abort();
        end = r.End;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    dualis::CompareOptions o;
    o.IgnoreCase = data[0] & 1;
    o.IgnoreLeadingBlanks = data[0] & 2;
    o.IgnoreTrailingBlanks = data[0] & 4;
    o.IgnoreEmbeddedBlanks = data[0] & 8;
    o.IgnoreLineNumbers = data[0] & 16;
    o.ExpandTabs = data[0] & 32;
    o.TabWidth = static_cast<int16_t>(data[1] % 9);
    // Lines are held as UTF-8, repaired when read; the comparison may count on it.
    const std::string text =
        dualis::RepairUtf8(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
    const size_t cut = text.find('\n');
    const std::string_view all(text);
    const std::string_view a = all.substr(0, cut);
    const std::string_view b = cut == std::string::npos ? all : all.substr(cut + 1);
    const dualis::LineChanges c = dualis::CompareWithinLines({a, b}, o);
    Check(c.Ranges[0], a);
    Check(c.Ranges[1], b);
    if (a == b && !(c.Ranges[0].empty() && c.Ranges[1].empty())) std::abort();
    return 0;
}
