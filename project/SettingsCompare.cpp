#include "SettingsCompare.h"

#include <algorithm>
#include <deque>
#include <map>
#include <tuple>

#include "Kinds.h"
#include "PathResolve.h"
#include "References.h"
#include "TextCodec.h"

namespace dualis::project {
namespace {

using Files = std::array<const ProjectFile*, 2>;
using Differences = std::vector<SettingDifference>;

bool IsGroupMemberKey(std::string_view key) {
    return EqualsIgnoringAsciiCase(key, "Project") ||
           EqualsIgnoringAsciiCase(key, "StartupProject");
}

// Members of one kind pair with each other: a group's Project= and StartupProject= are one kind.
int KindOrder(const Member& m) {
    const auto kind = ModuleKindOfKey(m.Key);
    return kind ? static_cast<int>(*kind) : 100;
}

// The keys of a document's PROJECT stream that name its modules.
bool IsDocumentMemberKey(std::string_view key) {
    for (std::string_view k : {"Document", "Module", "Class", "BaseClass"}) {
        if (EqualsIgnoringAsciiCase(k, key)) return true;
    }
    return false;
}

// A document's keys that are new on every save: the project's identity, and its protection
// state, password and visibility, each encrypted afresh (the protection they hold is compared
// as the Protection key).
bool IsDocumentNoiseKey(const ProjectFile& file, const Setting& s) {
    if (file.Kind != ProjectFileKind::Document || !s.Section.empty()) return false;
    for (std::string_view k : {"ID", "CMG", "DPB", "GC"}) {
        if (EqualsIgnoringAsciiCase(k, s.Key)) return true;
    }
    return false;
}

// Keys that CompareMembers and CompareLibraries compare; the rest is compared key by key.
bool IsListedKey(const ProjectFile& file, const Setting& s) {
    if (!s.Section.empty() || file.Kind == ProjectFileKind::Workspace) return false;
    if (EqualsIgnoringAsciiCase(s.Key, "Reference") || EqualsIgnoringAsciiCase(s.Key, "Object")) {
        return true;
    }
    if (file.Kind == ProjectFileKind::Document) return IsDocumentMemberKey(s.Key);
    return file.Kind == ProjectFileKind::Group ? IsGroupMemberKey(s.Key)
                                               : ModuleKindOfKey(s.Key).has_value();
}

bool IsPathKey(std::string_view key) {
    for (std::string_view k : {"ExeName32", "Path32", "ResFile32", "CompatibleEXE32", "HelpFile"}) {
        if (EqualsIgnoringAsciiCase(k, key)) return true;
    }
    return false;
}

// A first-in, first-out list of the File 2 entries of each key not yet paired.
template <class Key>
class Waiting {
  public:
    void Add(const Key& key, size_t j) { waiting_[key].push_back(j); }
    // The first waiting entry of the key that is still free, taken; -1 when none.
    int Take(const Key& key, std::vector<int>& partner) {
        const auto found = waiting_.find(key);
        if (found == waiting_.end()) return -1;
        while (!found->second.empty()) {
            const size_t j = found->second.front();
            found->second.pop_front();
            if (partner[j] < 0) return static_cast<int>(j);
        }
        return -1;
    }

  private:
    std::map<Key, std::deque<size_t>> waiting_;
};

void CompareMembers(const Files& f, bool noise, Differences& out) {
    const std::vector<Member>& m0 = f[0]->Members;
    const std::vector<Member>& m1 = f[1]->Members;
    std::vector<int> partner0(m0.size(), -1), partner1(m1.size(), -1);
    std::vector<bool> byPath(m0.size(), false);
    Waiting<std::pair<int, std::string>> byName, atPath;
    for (size_t j = 0; j < m1.size(); ++j) {
        byName.Add({KindOrder(m1[j]), FoldName(m1[j].Name)}, j);
        atPath.Add({KindOrder(m1[j]), FoldPath(m1[j].Path)}, j);
    }
    for (size_t i = 0; i < m0.size(); ++i) {
        const int j = byName.Take({KindOrder(m0[i]), FoldName(m0[i].Name)}, partner1);
        if (j >= 0) partner0[i] = j, partner1[static_cast<size_t>(j)] = static_cast<int>(i);
    }
    for (size_t i = 0; i < m0.size(); ++i) {
        if (partner0[i] >= 0) continue;
        const int j = atPath.Take({KindOrder(m0[i]), FoldPath(m0[i].Path)}, partner1);
        if (j >= 0) {
            partner0[i] = j, partner1[static_cast<size_t>(j)] = static_cast<int>(i);
            byPath[i] = true;
        }
    }
    const auto samePath = [noise](const Member& a, const Member& b) {
        return noise ? FoldPath(a.Path) == FoldPath(b.Path) : a.Path == b.Path;
    };
    std::vector<std::pair<std::tuple<int, std::string, size_t>, SettingDifference>> found;
    const auto add = [&](const Member& shown, size_t order, SettingChange change, const Member* a,
                         const Member* b) {
        SettingDifference d{change,
                            "",
                            shown.Key,
                            shown.Name,
                            {a ? a->Value : std::string(), b ? b->Value : std::string()}};
        found.push_back({{KindOrder(shown), FoldName(shown.Name), order}, std::move(d)});
    };
    for (size_t i = 0; i < m0.size(); ++i) {
        if (partner0[i] < 0) {
            add(m0[i], i, SettingChange::Removed, &m0[i], nullptr);
            continue;
        }
        const Member& b = m1[static_cast<size_t>(partner0[i])];
        if (byPath[i]) {
            add(b, i, SettingChange::Renamed, &m0[i], &b);
        } else if (!samePath(m0[i], b)) {
            add(b, i, SettingChange::Moved, &m0[i], &b);
        } else if (!noise && m0[i].Value != b.Value) {
            add(b, i, SettingChange::Changed, &m0[i], &b);
        }
    }
    for (size_t j = 0; j < m1.size(); ++j) {
        if (partner1[j] < 0) add(m1[j], m0.size() + j, SettingChange::Added, nullptr, &m1[j]);
    }
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& d : found) out.push_back(std::move(d.second));

    if (noise) return;
    // The paired members in File 1's order must come in File 2's order too.
    std::array<std::string, 2> order;
    bool reordered = false;
    int last = -1;
    for (size_t i = 0; i < m0.size(); ++i) {
        if (partner0[i] < 0) continue;
        reordered = reordered || partner0[i] < last;
        last = partner0[i];
        order[0] += (order[0].empty() ? "" : ", ") + m0[i].Name;
    }
    for (size_t j = 0; j < m1.size(); ++j) {
        if (partner1[j] >= 0) order[1] += (order[1].empty() ? "" : ", ") + m1[j].Name;
    }
    if (reordered) out.push_back({SettingChange::Reordered, "", "Members", "", order});
}

// The startup project is compared by the project's name, so that a moved project is not also a
// changed startup.
void CompareStartup(const Files& f, Differences& out) {
    std::array<std::string, 2> value, name;
    for (int k = 0; k < 2; ++k) {
        for (const Member& m : f[k]->Members) {
            if (EqualsIgnoringAsciiCase(m.Key, "StartupProject")) {
                value[k] = m.Value;
                name[k] = FoldName(m.Name);
                break;
            }
        }
    }
    if (name[0] != name[1]) {
        out.push_back({SettingChange::Changed, "", "StartupProject", "", value});
    }
}

void CompareLibraries(const Files& f, std::string_view key,
                      LibraryReference (*parse)(std::string_view), Differences& out) {
    std::array<std::vector<std::pair<LibraryReference, const Setting*>>, 2> list;
    for (int k = 0; k < 2; ++k) {
        for (const Setting& s : f[k]->Settings) {
            if (s.Section.empty() && EqualsIgnoringAsciiCase(s.Key, key)) {
                list[k].emplace_back(parse(s.Value), &s);
            }
        }
    }
    std::vector<int> partner1(list[1].size(), -1);
    Waiting<std::string> waiting;
    for (size_t j = 0; j < list[1].size(); ++j) waiting.Add(list[1][j].first.Identity, j);
    for (const auto& [a, setting] : list[0]) {
        const int j = waiting.Take(a.Identity, partner1);
        if (j < 0) {
            out.push_back(
                {SettingChange::Removed, "", setting->Key, a.Identity, {setting->Value, ""}});
            continue;
        }
        partner1[static_cast<size_t>(j)] = 0;
        const auto& [b, other] = list[1][static_cast<size_t>(j)];
        if (a.Version != b.Version || !SameLibraryPath(a.Path, b.Path)) {
            out.push_back({SettingChange::Changed,
                           "",
                           other->Key,
                           a.Identity,
                           {setting->Value, other->Value}});
        }
    }
    for (size_t j = 0; j < list[1].size(); ++j) {
        if (partner1[j] >= 0) continue;
        const auto& [b, setting] = list[1][j];
        out.push_back({SettingChange::Added, "", setting->Key, b.Identity, {"", setting->Value}});
    }
}

bool AutoIncrements(const ProjectFile& file) {
    const Setting* s = FindSetting(file, "AutoIncrementVer");
    return s && Unquote(s->Value) == "1";
}

void CompareOtherKeys(const Files& f, bool noise, Differences& out) {
    struct KeyValues {
        std::string Section, Key;
        std::array<std::vector<std::string>, 2> Values;
    };
    std::vector<KeyValues> keys;
    std::map<std::pair<std::string, std::string>, size_t> index;
    const bool skipRevision = noise && AutoIncrements(*f[0]) && AutoIncrements(*f[1]);
    for (int k = 0; k < 2; ++k) {
        for (const Setting& s : f[k]->Settings) {
            if (IsListedKey(*f[k], s)) continue;
            const bool kept = s.Section.empty() || EqualsIgnoringAsciiCase(s.Section, "VBCompiler");
            if (noise && (!kept || IsDocumentNoiseKey(*f[k], s))) continue;
            if (skipRevision && s.Section.empty() &&
                EqualsIgnoringAsciiCase(s.Key, "RevisionVer")) {
                continue;
            }
            const auto at =
                index.emplace(std::make_pair(FoldName(s.Section), FoldName(s.Key)), keys.size());
            if (at.second) keys.push_back({s.Section, s.Key, {}});
            KeyValues& entry = keys[at.first->second];
            if (k == 1) entry.Key = s.Key;
            entry.Values[k].push_back(s.Value);
        }
    }
    for (const KeyValues& entry : keys) {
        const bool path = noise && entry.Section.empty() && IsPathKey(entry.Key);
        const auto same = [path](const std::string& a, const std::string& b) {
            return path ? FoldPath(Unquote(a)) == FoldPath(Unquote(b)) : a == b;
        };
        const size_t count = std::max(entry.Values[0].size(), entry.Values[1].size());
        for (size_t n = 0; n < count; ++n) {
            const bool in0 = n < entry.Values[0].size(), in1 = n < entry.Values[1].size();
            const std::string a = in0 ? entry.Values[0][n] : "", b = in1 ? entry.Values[1][n] : "";
            if (in0 && in1 && same(a, b)) continue;
            const SettingChange change = !in0   ? SettingChange::Added
                                         : !in1 ? SettingChange::Removed
                                                : SettingChange::Changed;
            out.push_back({change, entry.Section, entry.Key, "", {a, b}});
        }
    }
}

}  // namespace

std::vector<SettingDifference> CompareProjectFiles(const ProjectFile& file1,
                                                   const ProjectFile& file2, bool ignoreSaveNoise) {
    const Files f{&file1, &file2};
    Differences out;
    if (file1.Header != file2.Header) {
        out.push_back({SettingChange::Changed, "", "VBGROUP", "", {file1.Header, file2.Header}});
    }
    CompareMembers(f, ignoreSaveNoise, out);
    if (file1.Kind == ProjectFileKind::Group || file2.Kind == ProjectFileKind::Group) {
        CompareStartup(f, out);
    }
    if (file1.Kind != ProjectFileKind::Workspace) {
        CompareLibraries(f, "Reference", ParseReference, out);
        CompareLibraries(f, "Object", ParseObject, out);
    }
    CompareOtherKeys(f, ignoreSaveNoise, out);
    return out;
}

}  // namespace dualis::project
