// The uniform error handler: the error report, written to the trace log and shown, after which
// the program ends without writing its settings.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace dualis {

class cLog;
class cDebug;

// One run-time error or failed consistency check, as the handler receives it.
struct ErrorFacts {
    int32_t Number = 0;
    std::string Description;
    std::string Source;
    std::string ProcText;  // the failing procedure's trace text, maybe with check details
};

// What the report says about the program, the system and the comparison under way.
struct ErrorContext {
    std::string ProductName;
    std::string VersionText;
    std::string SystemVersion;  // cWindow::WinVersion
    std::string RecordedAt;     // "mm/dd/yyyy hh:nn:ss"
    std::array<std::string, 2> FileName;
};

// The report's text (lines end with CR LF). Writes to the log what the handler writes there
// while building it, and takes the call chain from it.
std::string BuildErrorReport(const ErrorFacts& error, const ErrorContext& context, cLog& log,
                             const cDebug& debug);

// The end of the program. Tests replace it to observe the end; by default it flushes the
// standard streams and exits at once with the status.
void SetTerminateHandler(std::function<void(int)> handler);
[[noreturn]] void TerminateProgram(int status);

inline constexpr int ErrorExitStatus = 2;

// Builds the report, logs it, shows it (the window, or standard error), and once it has been
// shown, logs it whole, closes the log and ends the program.
[[noreturn]] void ERHandler(const ErrorFacts& error, const ErrorContext& context, cLog& log,
                            const cDebug& debug,
                            const std::function<void(const std::string&)>& showReport);

// The vendor's addresses used by the report and its window.
inline constexpr const char* SupportAddress = "dualis-support@users.noreply.example.org";
inline constexpr const char* SupportName = "the Dualis developers";

}  // namespace dualis
