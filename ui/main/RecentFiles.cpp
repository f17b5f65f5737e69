// The recent-files list: moving pairs within it, its menu captions and choosing one of its entries.
#include "RecentFiles.h"

#include "DirectionControls.h"
#include "ProjectOpen.h"
#include "RawLoader.h"
#include "TextCodec.h"

namespace dualis {

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return LowerCase(a) == LowerCase(b);
}

// The entry a pair moves up from: the stored pair with the same two names, else the last entry,
// the one dropped. Every one of the ten entries is searched, even past an entry not in use, so
// a settings file with a gap keeps the entries behind it.
size_t EntryToShift(const MRUList& mru, const std::string& file1, const std::string& file2) {
    for (size_t i = 0; i < mru.size(); ++i) {
        if (SameName(mru[i][0], file1) && SameName(mru[i][1], file2)) return i;
    }
    return mru.size() - 1;
}

}  // namespace

bool InUse(const MRUEntry& entry) {
    return !entry[0].empty() && !entry[1].empty();
}

int MRUInUse(const MRUList& mru) {
    int count = 0;
    while (count < static_cast<int>(mru.size()) && InUse(mru[count])) ++count;
    return count;
}

std::string MRUCaption(int number, const MRUEntry& entry, std::string_view separator) {
    std::string caption = "&";
    caption += std::to_string(number);
    caption += ' ';
    caption += NameDirectionControls(entry[0]);
    caption += separator;
    caption += NameDirectionControls(entry[1]);
    return caption;
}

std::vector<std::string> MRUCaptions(const MRUList& mru, std::string_view separator) {
    std::vector<std::string> captions;
    for (int i = 0; i < MRUInUse(mru); ++i)
        captions.push_back(MRUCaption(i + 1, mru[i], separator));
    return captions;
}

std::vector<std::string> UpdateMRUList(MRUList& mru, const std::string& file1,
                                       const std::string& file2) {
    const size_t found = EntryToShift(mru, file1, file2);
    for (size_t j = found; j >= 1; --j) mru[j] = std::move(mru[j - 1]);
    mru[0] = {file1, file2};
    return MRUCaptions(mru, ComparedMRUSeparator);
}

std::vector<std::string> UpdateMRUList(Settings& settings, const std::string& file1,
                                       const std::string& file2, const std::string& module) {
    const size_t found = EntryToShift(settings.MRU, file1, file2);
    auto& modules = settings.MRUModule;
    for (size_t j = found; j >= 1; --j) modules[j] = std::move(modules[j - 1]);
    modules[0] = module;
    return UpdateMRUList(settings.MRU, file1, file2);
}

std::optional<std::string> MRUMissingFile(const MRUEntry& entry) {
    if (project::NamesProjects(entry)) {
        std::string problem = project::WhyNotComparable(entry[0], entry[1]);
        if (problem.empty()) return std::nullopt;
        for (size_t at = problem.find('\n'); at != std::string::npos;
             at = problem.find('\n', at + 2)) {
            problem.replace(at, 1, "\r\n");
        }
        return problem;
    }
    for (int f = 0; f < 2; ++f) {
        std::string message = UnableToOpenMessage(f, entry[f], "\r\n");
        if (!message.empty()) return message;
    }
    return std::nullopt;
}

void SelectMRUEntry(const MRUEntry& entry, ComparisonState& state, Settings& settings) {
    state.FileName = entry;
    std::array<std::string*, 2> folder{&settings.SourcePath, &settings.TargetPath};
    for (int f = 0; f < 2; ++f) {
        SplitFileName(state.FileName[f], *folder[f], state.BaseName[f], state.Extension[f]);
    }
}

}  // namespace dualis
