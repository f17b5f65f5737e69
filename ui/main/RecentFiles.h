// The list of recently compared file pairs behind the File menu: how a comparison moves a pair to
// the top, the menu captions, and what choosing an entry does before it compares.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ComparisonState.h"
#include "Settings.h"

namespace dualis {

// Entry n of the list is element n - 1; [0] is the full name of File 1, [1] that of File 2.
using MRUEntry = std::array<std::string, 2>;
using MRUList = std::array<MRUEntry, MRUSize>;

// The captions at start-up join the two names with a plain colon; once a comparison has
// rewritten the menu, with a colon between blanks. Both stay, because users see both.
inline constexpr std::string_view StartMRUSeparator = ":";
inline constexpr std::string_view ComparedMRUSeparator = " : ";

// True when both names of the entry are non-empty.
bool InUse(const MRUEntry& entry);

// Number of entries in use from entry 1 up to the first entry not in use.
int MRUInUse(const MRUList& mru);

// The caption of the menu item of entry `number` (from 1): "&", the number, a blank, the name
// of File 1, the separator and the name of File 2. The "&" makes the number the accelerator.
// Characters that change the text direction stand in the names as "<U+202E>" and the like.
std::string MRUCaption(int number, const MRUEntry& entry, std::string_view separator);

// The captions of menu items 0, 1, ... in order: one per entry up to the first entry not in use.
// The window makes exactly these items exist and be visible.
std::vector<std::string> MRUCaptions(const MRUList& mru, std::string_view separator);

// Puts the pair (file1, file2) at the top of the list. A stored pair with the same two names,
// regardless of letter case and in the same order, moves up and takes the case of the new names;
// otherwise every entry moves down one place and entry 10 is dropped. Returns the captions of the
// rewritten menu, which use ComparedMRUSeparator.
std::vector<std::string> UpdateMRUList(MRUList& mru, const std::string& file1,
                                       const std::string& file2);

// The same for the pair the window shows, the module each entry remembers
// (Settings::MRUModule) moving with its pair: the pair put at the top remembers `module`, the
// module on screen of a pair of projects or folders (empty for a file pair).
std::vector<std::string> UpdateMRUList(Settings& settings, const std::string& file1,
                                       const std::string& file2, const std::string& module);

// Before an entry is compared: the message to show (exclamation icon, the application's title)
// when one of its files cannot be compared, with the reason, File 1 checked first; nothing when
// both can. A pair naming a folder, a project or a group is checked as projects are
// (WhyNotComparable). Such a pair changes nothing, so the entry stays where it is.
std::optional<std::string> MRUMissingFile(const MRUEntry& entry);

// Makes the entry's pair the files to compare, and the folders where the next file selection
// dialog starts.
void SelectMRUEntry(const MRUEntry& entry, ComparisonState& state, Settings& settings);

}  // namespace dualis
