// Comparison options as text: setting one from a KEY=VALUE text, the way the settings file reads
// that key, and naming the options in effect.
#pragma once

#include <string>
#include <string_view>

#include "Options.h"
#include "ProjectCompare.h"

namespace dualis {

// Applies "KEY=VALUE" (key in any letter case) to the options. Returns an empty text on
// success, else what is wrong with it.
std::string ApplyOptionText(CompareOptions& options, std::string_view assignment);

// The same for the options of a comparison of projects or folders: IgnoreSaveNoise, and every
// key above.
std::string ApplyOptionText(project::ProjectOptions& options, std::string_view assignment);

// The options that differ from their defaults, in the order of the options dialog, for a
// person: "ignore case, expand tabs (4)". A value that has no effect under the other options
// (the tab width without ExpandTabs, SyncNumber under LineByLine, the context lines without
// DifferencesOnly) is not named. Empty when every option that takes effect is at its default.
std::string OptionsInEffect(const CompareOptions& options);
// The same, and "save noise compared" when IgnoreSaveNoise is off.
std::string OptionsInEffect(const project::ProjectOptions& options);

}  // namespace dualis
