#include "HelpTopics.h"

namespace dualis {

std::string HelpAnchor(int helpCommand, int contextId) {
    if (helpCommand == HelpFinder || helpCommand == HelpContents) return "";
    switch (contextId) {
        case CompareOptionsContext:
            return std::string(CompareOptionsAnchor);
        case DisplayOptionsContext:
            return std::string(DisplayOptionsAnchor);
        default:
            return "";
    }
}

std::string HeadingAnchor(std::string_view heading) {
    std::string anchor;
    for (const char c : heading) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            anchor.push_back(c);
        } else if (c >= 'A' && c <= 'Z') {
            anchor.push_back(static_cast<char>(c - 'A' + 'a'));
        } else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            anchor.push_back(c);
        } else if (c == ' ') {
            anchor.push_back('-');
        }
    }
    return anchor;
}

}  // namespace dualis
