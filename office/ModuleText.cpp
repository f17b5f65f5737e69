#include "ModuleText.h"

namespace dualis::office {
namespace {

bool EndsLine(const std::string& text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

}  // namespace

std::string ModuleText(const VbaModule& module, TextEncoding encoding) {
    const bool native = encoding == TextEncoding::Native;
    std::string text = native ? module.DesignerBytes : module.Designer;
    if (!text.empty() && !EndsLine(text)) text += "\r\n";
    text += native ? module.CodeBytes : module.Code;
    return text;
}

int DesignerLineCount(const VbaModule& module) {
    // Cut as the engine cuts lines: CR LF, CR and LF each end one.
    const std::string& text = module.Designer;
    int count = 0;
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\n' || (text[k] == '\r' && (k + 1 == text.size() || text[k + 1] != '\n'))) {
            ++count;
        }
    }
    return EndsLine(text) || text.empty() ? count : count + 1;
}

std::string ExportFileName(const VbaModule& module) {
    switch (module.Kind) {
        case DeclaredKind::Standard:
            return module.Name + ".bas";
        case DeclaredKind::Form:
            return module.Name + ".frm";
        default:
            return module.Name + ".cls";
    }
}

}  // namespace dualis::office
