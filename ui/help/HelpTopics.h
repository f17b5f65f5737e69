// Which place of the user manual a help request opens: the help commands and context numbers
// the windows pass, and the anchors of the manual's sections.
#pragma once

#include <string>
#include <string_view>

#include "Window.h"  // the help commands: HelpContext, HelpContents, HelpFinder

namespace dualis {

// Context numbers of the options dialog's two pages.
inline constexpr int CompareOptionsContext = 3000;
inline constexpr int DisplayOptionsContext = 3100;

// Anchors of the manual's sections on those pages; they follow from the section headings
// "Compare options" and "Display options", which must therefore keep their wording.
inline constexpr std::string_view CompareOptionsAnchor = "compare-options";
inline constexpr std::string_view DisplayOptionsAnchor = "display-options";

// The anchor to show for a help request; empty for the manual's start, which the contents
// commands and every context without a section of its own open.
std::string HelpAnchor(int helpCommand, int contextId);

// The anchor of a section heading, formed as the common Markdown renderers form it: letters in
// lower case, blanks as hyphens, other punctuation dropped ("Files & folders" gives
// "files--folders"). Characters outside ASCII are kept as they are.
std::string HeadingAnchor(std::string_view heading);

}  // namespace dualis
