// Arbitrary bytes through the whole comparison, in memory: the first bytes choose the options,
// the rest is split at the first 0xFF byte into File 1 and File 2. Any crash, sanitizer report
// or failed consistency check is a finding. File 2 may start with either UTF-16 byte-order mark
// and File 1 with the big-endian one; the top flag gives File 1 the little-endian one, which
// its bytes cannot start with.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Pipeline.h"
#include "RunTimeError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const uint16_t flags = static_cast<uint16_t>(data[0] | (data[1] << 8));
    dualis::CompareOptions o;
    o.IgnoreCase = flags & 1;
    o.IgnoreLeadingBlanks = flags & 2;
    o.IgnoreTrailingBlanks = flags & 4;
    o.IgnoreEmbeddedBlanks = flags & 8;
    o.IgnoreBlankLines = flags & 16;
    o.IgnoreComments = flags & 32;
    o.IgnoreLineNumbers = flags & 64;
    o.ExpandTabs = flags & 128;
    o.LineByLine = flags & 256;
    o.DifferencesOnly = flags & 512;
    o.TabWidth = static_cast<int16_t>(data[2] & 7);
    o.SyncNumber = static_cast<int16_t>(1 + ((data[2] >> 3) & 3));
    o.DifferencesBefore = static_cast<int16_t>((flags >> 10) & 3);
    o.DifferencesAfter = static_cast<int16_t>((flags >> 12) & 3);
    const auto search =
        (flags & 0x4000) ? dualis::CandidateSearch::Indexed : dualis::CandidateSearch::Auto;
    const std::string rest(reinterpret_cast<const char*>(data) + 3, size - 3);
    const size_t split = std::min(rest.find('\xFF'), rest.size());
    const std::string mark1 = (flags & 0x8000) ? "\xFF\xFE" : "";

    dualis::QuietHost host;
    dualis::ComparisonState state;
    dualis::SetFileNames(state, "/fuzz/one.bas", "/fuzz/two.bas");
    try {
        dualis::CompareContents(
            state, o, host,
            {mark1 + rest.substr(0, split), rest.substr(std::min(split + 1, rest.size()))}, search);
    } catch (const dualis::RunTimeError& e) {
        std::fprintf(stderr, "run-time error %d in %s\n", e.Number, e.Place.c_str());
        std::abort();
    }
    return 0;
}
