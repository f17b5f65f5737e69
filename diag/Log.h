// The trace log: timestamped, depth-numbered entry and exit lines and plain data lines, written
// to a file when one is open and kept in a ring of the last 100 lines while none is.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "FileIO.h"

namespace dualis {

// Lines of the log, and the lines inside one multi-line data text, end with CR LF like the dump
// and the error report, so the three read the same on every system.
inline constexpr std::string_view LogLineBreak = "\r\n";

// The largest log file: a log stops there, with a last line that says so.
inline constexpr int64_t MaxLogBytes = int64_t{256} << 20;

// Values of the Mode argument of LogOpen; any value other than LogModeNew appends.
inline constexpr int16_t LogModeNew = 1;
inline constexpr int16_t LogModeAppend = 2;

// A local date and time of day, as the log prints them.
struct LogDateTime {
    int Year = 0;
    int Month = 0;  // 1 to 12
    int Day = 0;    // 1 to 31
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// Where the log takes its times from, so that tests can fix them.
class LogClock {
  public:
    virtual ~LogClock() = default;
    // Milliseconds of a monotonic clock; only differences between two readings mean anything.
    virtual int64_t TickMs() = 0;
    virtual LogDateTime Now() = 0;
};

// The steady clock for ticks and the system's local time for dates.
LogClock& SystemLogClock();

// What the banner says about the program, and where the default log file goes.
struct ProgramFacts {
    std::string ProductName;
    std::string VersionText;
    std::filesystem::path ExecutablePath;  // empty when the system does not tell
};

// The log's own name: the executable's name (the product's while the system does not tell)
// with ".LOG" appended.
std::string DefaultLogName(const ProgramFacts& facts);

// DefaultLogName in the program's writable folder (WritableFolder of the executable's folder),
// which is made when missing.
std::filesystem::path DefaultLogFileName(const ProgramFacts& facts);

class cLog {
  public:
    // Queues the creation line, which a file opened later begins its queued part with.
    explicit cLog(ProgramFacts facts, LogClock& clock = SystemLogClock());
    ~cLog();
    cLog(const cLog&) = delete;
    cLog& operator=(const cLog&) = delete;

    // A text beginning with "->" is an entry line and one beginning with "<-" an exit line:
    // both carry the elapsed milliseconds and the depth. Any other text is a data line.
    void LogData(std::string_view text);
    void LogTraceEnter(std::string_view procName, std::string_view moduleName = "",
                       std::string_view additionalInfo = "");
    void LogTraceExit(std::string_view procName, std::string_view moduleName = "",
                      std::string_view additionalInfo = "");

    // A non-empty fileName becomes LogFileName; with both empty, DefaultLogFileName is used.
    // Then the banner and the queued lines are written. Throws OutputFileError (a RunTimeError
    // 75) with the reason when the file cannot be opened, is not a regular file or is one of
    // the protected files (its reason); nothing is then emptied or waited for.
    void LogOpen(std::string_view fileName, int16_t mode);
    // Writes the lines kept in memory to the file. Lines are kept until this, LogClose, or
    // enough of them have gathered.
    void Flush();
    void LogClose();
    // Writes the closing date, time and elapsed milliseconds, then closes the file.
    void LogEnd();
    void GenerateLogHeader();

    // The chain of entered procedures, each on a line of its own after a heading line; also
    // written to the log. Empty when no procedure is entered.
    std::string LogGetProcs();

    // Empty means no log in use. Changing it leaves an open file open.
    const std::string& LogFileName() const { return logFileName_; }
    void LogFileName(std::string name) { logFileName_ = std::move(name); }
    // While on, lines written with no file open go to the ring; while off, they are dropped.
    void Queueing(bool on) { queueing_ = on; }
    // Files the log must never be (the files being compared, the settings file): LogOpen
    // refuses them, whatever name the log gives them.
    void ProtectFiles(std::vector<GuardedFile> files) { protected_ = std::move(files); }
    // The log file stops growing at this many bytes (MaxLogBytes unless set), with a last line
    // that says so.
    void SizeLimit(int64_t bytes);
    // Whether a line written now would be kept: false once the open file has reached its limit,
    // and while no file is open and nothing is queued. The call chain is kept all the same.
    bool TakesLines() const { return fd_ >= 0 ? !cut_ : queueing_; }

  private:
    static constexpr int16_t QueueSlots = 100;
    static constexpr size_t CallStackStep = 50;

    int64_t ElapsedMs();
    // A formatted line to the open file, else to the ring while queueing, else nowhere.
    void Store(std::string line);
    void WriteLine(std::string_view line);
    void CloseFile();
    void EmitQueue();
    void Trace(std::string_view arrow, std::string_view procName, std::string_view moduleName,
               std::string_view additionalInfo);

    ProgramFacts facts_;
    LogClock& clock_;
    std::string logFileName_;
    int fd_ = -1;  // the open log file; -1 when none is open
    // Lines written to the open file but not yet flushed to it.
    std::string pending_;
    // Bytes in the file, pending_ included; never above sizeLimit_ once the log is cut.
    int64_t fileBytes_ = 0;
    int64_t sizeLimit_ = 0;
    std::string cutLine_;  // the last line of a log at its limit
    bool cut_ = false;     // the last line has been written
    std::vector<GuardedFile> protected_;
    int64_t startMs_;
    // Entry text of each open procedure by depth; index 0 is unused, so its upper bound starts
    // at 100. Entries above depth are stale and never read.
    std::vector<std::string> callStack_;
    // Procedures entered and not yet left; never below 0.
    int16_t depth_ = 0;
    // Slots 1 to QueueSlots (index 0 unused). Slots after queuePos_ hold the older lines once
    // the ring has wrapped, and are empty before that.
    std::array<std::string, QueueSlots + 1> queue_;
    // The slot of the latest queued line; 0 when nothing is queued.
    int16_t queuePos_ = 0;
    bool queueing_ = true;
};

}  // namespace dualis
