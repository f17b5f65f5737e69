// A module of a VBA project as the editor's export holds it: a form's designer text (its
// properties) before its code, in one text, and the file name the export gives it.
#pragma once

#include <string>

#include "VbaProject.h"

namespace dualis::office {

enum class TextEncoding : bool {
    Utf8,    // decoded from the project's code page
    Native,  // the bytes as stored, in the project's code page
};

// The designer text (ended by CR LF when it does not end a line itself), then the code; line
// ends as stored.
std::string ModuleText(const VbaModule& module, TextEncoding encoding = TextEncoding::Utf8);

// The number of lines ModuleText puts before the code: the designer's.
int DesignerLineCount(const VbaModule& module);

// "Name.bas" for a standard module, "Name.frm" for a form, "Name.cls" for a class or a
// document module.
std::string ExportFileName(const VbaModule& module);

}  // namespace dualis::office
