#include "OptionText.h"

#include <utility>

#include "CodePage.h"
#include "TextCodec.h"
#include "ValueForms.h"

namespace dualis {
std::string ApplyOptionText(CompareOptions& o, std::string_view assignment) {
    const size_t eq = assignment.find('=');
    if (eq == std::string_view::npos)
        return "expected KEY=VALUE, got \"" + std::string(assignment) + "\"";
    const std::string_view key = assignment.substr(0, eq);
    const std::string_view value = assignment.substr(eq + 1);

    const std::pair<std::string_view, bool*> flags[] = {
        {"ExpandTabs", &o.ExpandTabs},
        {"IgnoreBlankLines", &o.IgnoreBlankLines},
        {"IgnoreCase", &o.IgnoreCase},
        {"IgnoreComments", &o.IgnoreComments},
        {"IgnoreEmbeddedBlanks", &o.IgnoreEmbeddedBlanks},
        {"IgnoreLeadingBlanks", &o.IgnoreLeadingBlanks},
        {"IgnoreLineNumbers", &o.IgnoreLineNumbers},
        {"IgnoreTrailingBlanks", &o.IgnoreTrailingBlanks},
        {"LineByLine", &o.LineByLine},
        {"DifferencesOnly", &o.DifferencesOnly}};
    for (const auto& [name, target] : flags) {
        if (!EqualsIgnoringAsciiCase(key, name)) continue;
        const auto b = BoolFromText(value);
        if (!b)
            return std::string(name) + " takes Yes, No, True, False, -1 or 0, not \"" +
                   std::string(value) + "\"";
        *target = *b;
        return "";
    }

    const std::pair<std::string_view, int16_t*> numbers[] = {
        {"SyncNumber", &o.SyncNumber},
        {"TabWidth", &o.TabWidth},
        {"DifferencesBefore", &o.DifferencesBefore},
        {"DifferencesAfter", &o.DifferencesAfter}};
    for (const auto& [name, target] : numbers) {
        if (!EqualsIgnoringAsciiCase(key, name)) continue;
        // Read leniently as the settings file reads it ("12abc" is 12), but a value with no
        // number in front is a mistake, not 0.
        const auto number = FindLeadingNumber(value);
        if (!number) {
            return std::string(name) + " takes a number, not \"" + std::string(value) + "\"";
        }
        const auto n = WholeNumber16(*number);
        if (!n)
            return std::string(name) + " must lie between -32768 and 32767, not \"" +
                   std::string(value) + "\"";
        *target = *n;
        o.SyncNumber = CompareOptions::CorrectSyncNumber(o.SyncNumber);
        o.TabWidth = CompareOptions::CorrectTabWidth(o.TabWidth);
        return "";
    }
    return "unknown option key \"" + std::string(key) + "\"";
}

std::string ApplyOptionText(project::ProjectOptions& options, std::string_view assignment) {
    const size_t eq = assignment.find('=');
    if (eq != std::string_view::npos &&
        EqualsIgnoringAsciiCase(assignment.substr(0, eq), "IgnoreSaveNoise")) {
        const std::string_view value = assignment.substr(eq + 1);
        const auto b = BoolFromText(value);
        if (!b) {
            return "IgnoreSaveNoise takes Yes, No, True, False, -1 or 0, not \"" +
                   std::string(value) + "\"";
        }
        options.IgnoreSaveNoise = *b;
        return "";
    }
    if (eq != std::string_view::npos &&
        EqualsIgnoringAsciiCase(assignment.substr(0, eq), "CodePage")) {
        const std::string_view value = assignment.substr(eq + 1);
        const auto number = FindLeadingNumber(value);
        if (!number || *number < 0 || *number > 65535 || *number != static_cast<int>(*number)) {
            return "CodePage takes the number of a code page, or 0, not \"" + std::string(value) +
                   "\"";
        }
        const auto n = static_cast<uint32_t>(*number);
        if (n != 0 && !CodePageKnown(n))
            return "code page " + std::to_string(n) + " is not known here";
        options.CodePage = n;
        return "";
    }
    return ApplyOptionText(options.Compare, assignment);
}

std::string OptionsInEffect(const project::ProjectOptions& options) {
    std::string text = OptionsInEffect(options.Compare);
    if (!options.IgnoreSaveNoise)
        text += text.empty() ? "save noise compared" : ", save noise compared";
    if (options.CodePage != 0) {
        text += (text.empty() ? "code page " : ", code page ") + std::to_string(options.CodePage);
    }
    return text;
}

std::string OptionsInEffect(const CompareOptions& o) {
    const CompareOptions d;
    std::string text;
    auto name = [&text](bool differs, const std::string& words) {
        if (!differs) return;
        if (!text.empty()) text += ", ";
        text += words;
    };
    name(o.IgnoreCase != d.IgnoreCase, "ignore case");
    name(o.IgnoreLeadingBlanks != d.IgnoreLeadingBlanks, "ignore leading blanks");
    name(o.IgnoreTrailingBlanks != d.IgnoreTrailingBlanks, "ignore trailing blanks");
    name(o.IgnoreEmbeddedBlanks != d.IgnoreEmbeddedBlanks, "ignore embedded blanks");
    name(o.IgnoreBlankLines != d.IgnoreBlankLines, "ignore blank lines");
    name(o.IgnoreComments != d.IgnoreComments, "ignore comments");
    name(o.IgnoreLineNumbers != d.IgnoreLineNumbers, "ignore line numbers");
    name(o.ExpandTabs != d.ExpandTabs, "expand tabs (" + std::to_string(o.TabWidth) + ")");
    name(o.LineByLine != d.LineByLine, "line by line");
    name(!o.LineByLine && o.SyncNumber != d.SyncNumber,
         "sync (" + std::to_string(o.SyncNumber) + ")");
    name(o.DifferencesOnly != d.DifferencesOnly, "differences only (" +
                                                     std::to_string(o.DifferencesBefore) + "," +
                                                     std::to_string(o.DifferencesAfter) + ")");
    return text;
}

}  // namespace dualis
