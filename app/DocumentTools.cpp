#include "DocumentTools.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>

#include "Document.h"
#include "FileIO.h"
#include "FormatError.h"
#include "ModuleText.h"
#include "OsFiles.h"
#include "TerminalText.h"
#include "TextCodec.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;
using office::VbaModule;
using office::VbaProject;

constexpr int kExitDone = 0;
constexpr int kExitTrouble = 2;

// The project of the document; false after saying on `err` why it cannot be read.
// `project` stays empty for a document without macros.
bool ReadProject(const std::string& name, std::FILE* err, std::optional<VbaProject>& project) {
    try {
        project = office::ReadDocumentMacros(ReadInputFile(name));
        return true;
    } catch (const InputFileError& e) {
        PrintLines(err, "Unable to read the macros of the document\n" + name + "\n" + e.what());
    } catch (const office::FormatError& e) {
        PrintLines(err, "Unable to read the macros of the document\n" + name + "\n" + e.what());
    }
    return false;
}

std::string Folded(const std::string& name) {
    return LowerCase(name);
}

// The modules by file name, without regard to case, so that the order does not depend on the
// order the project happens to keep them in.
std::vector<const VbaModule*> ByFileName(const VbaProject& project) {
    std::vector<const VbaModule*> modules;
    for (const VbaModule& m : project.Modules) modules.push_back(&m);
    std::stable_sort(modules.begin(), modules.end(), [](const VbaModule* a, const VbaModule* b) {
        return Folded(office::ExportFileName(*a)) < Folded(office::ExportFileName(*b));
    });
    return modules;
}

void TellCompiledOnly(const VbaModule& module, std::FILE* err) {
    if (module.CompiledOnly) {
        PrintLines(err, office::ExportFileName(module) +
                            ": Only compiled code is stored for this module: the source shown may "
                            "not be what runs.");
    }
}

}  // namespace

std::string SafeFileName(const std::string& name) {
    std::string safe = name;
    for (char& c : safe) {
        if (static_cast<unsigned char>(c) < 0x20 || std::strchr("/\\:*?\"<>|", c) != nullptr) {
            c = '_';
        }
    }
    if (safe.empty() || safe[0] == '.') return std::string(1, '_').append(safe);
    return safe;
}

int ExtractModules(const CommandLine& cmd, std::FILE* out, std::FILE* err) {
    std::optional<VbaProject> project;
    if (!ReadProject(cmd.Document, err, project)) return kExitTrouble;
    if (!project) {
        std::fprintf(out, "The document holds no VBA project: nothing was written.\n");
        return kExitDone;
    }
    const fs::path folder = os::PathFromUtf8(cmd.ExtractFolder);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder)) {
        PrintLines(err, "Unable to write the modules\n" + cmd.ExtractFolder + "\n" +
                            (error ? error.message() : "It is not a folder."));
        return kExitTrouble;
    }
    const office::TextEncoding encoding =
        cmd.NativeEncoding ? office::TextEncoding::Native : office::TextEncoding::Utf8;
    std::set<std::string> taken;
    int written = 0;
    for (const VbaModule* module : ByFileName(*project)) {
        const std::string file = office::ExportFileName(*module);
        const size_t dot = file.rfind('.');
        const std::string base = SafeFileName(file.substr(0, dot)), extension = file.substr(dot);
        // Names that differ only in case, or that the safe form made alike, get a number.
        std::string name = base + extension;
        for (int n = 2; !taken.insert(Folded(name)).second; ++n) {
            name = base + "_" + std::to_string(n) + extension;
        }
        const fs::path path = folder / os::PathFromUtf8(name);
        const std::string text = office::ModuleText(*module, encoding);
        std::ofstream stream(path, std::ios::binary | std::ios::trunc);
        stream.write(text.data(), static_cast<std::streamsize>(text.size()));
        stream.close();
        if (!stream) {
            PrintLines(
                err, "Unable to write the modules\n" + path.string() + "\n" + std::strerror(errno));
            return kExitTrouble;
        }
        TellCompiledOnly(*module, err);
        ++written;
    }
    std::fprintf(out, "%d module%s written to %s\n", written, written == 1 ? "" : "s",
                 folder.string().c_str());
    return kExitDone;
}

int PrintModules(const CommandLine& cmd, std::FILE* out, std::FILE* err) {
    std::optional<VbaProject> project;
    if (!ReadProject(cmd.Document, err, project)) return kExitTrouble;
    if (!project) return kExitDone;
    std::string text;
    for (const VbaModule* module : ByFileName(*project)) {
        text += "'=== " + office::ExportFileName(*module) + " ===\n";
        const std::string body = office::ModuleText(*module);
        for (size_t k = 0; k < body.size(); ++k) {
            if (body[k] == '\r') {
                if (k + 1 < body.size() && body[k + 1] == '\n') ++k;
                text += '\n';
            } else {
                text += body[k];
            }
        }
        if (!text.empty() && text.back() != '\n') text += '\n';
        TellCompiledOnly(*module, err);
    }
    if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
        PrintLines(err, "Unable to write the modules\nstandard output\n" +
                            std::string(std::strerror(errno)));
        return kExitTrouble;
    }
    return kExitDone;
}

}  // namespace dualis
