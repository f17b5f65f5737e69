// The trace log: line formats, the call chain, the ring of queued lines and the log file.
#include "Log.h"

#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "OsFacts.h"
#include "OsFiles.h"
#include "RunTimeError.h"
#include "WritableFolder.h"

namespace dualis {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view EnterArrow = "->";
constexpr std::string_view ExitArrow = "<-";

class SteadyLogClock final : public LogClock {
  public:
    int64_t TickMs() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    LogDateTime Now() override {
        const std::time_t t =
            std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
        const std::tm local = os::LocalTime(t);
        return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour,        local.tm_min,     local.tm_sec};
    }
};

std::string Padded(int64_t value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*lld", digits, static_cast<long long>(value));
    return text;
}

// The date and the time of day separately, in the same shape as the program's general date.
std::string DateText(const LogDateTime& d) {
    return Padded(d.Year, 4) + "-" + Padded(d.Month, 2) + "-" + Padded(d.Day, 2);
}

std::string TimeText(const LogDateTime& d) {
    return Padded(d.Hour, 2) + ":" + Padded(d.Minute, 2) + ":" + Padded(d.Second, 2);
}

std::string StampText(const LogDateTime& d) {
    return Padded(d.Year, 4) + "/" + Padded(d.Month, 2) + "/" + Padded(d.Day, 2) + " " +
           TimeText(d);
}

bool IsBlankText(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

constexpr size_t FlushBytes = 1 << 16;

OutputFileError OpenError(const std::string& fileName, std::string reason) {
    return OutputFileError(fileName, std::move(reason), "cLog: LogOpen");
}

void WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;  // writing to the log raises no error of its own
        text.remove_prefix(static_cast<size_t>(written));
    }
}

}  // namespace

LogClock& SystemLogClock() {
    static SteadyLogClock clock;
    return clock;
}

std::string DefaultLogName(const ProgramFacts& facts) {
    const fs::path& exe = facts.ExecutablePath;
    return (exe.empty() ? facts.ProductName : exe.stem().string()) + ".LOG";
}

fs::path DefaultLogFileName(const ProgramFacts& facts) {
    return WritableFolder(facts.ExecutablePath.parent_path()) / DefaultLogName(facts);
}

cLog::cLog(ProgramFacts facts, LogClock& clock)
    : facts_(std::move(facts)), clock_(clock), startMs_(clock.TickMs()), callStack_(101) {
    SizeLimit(MaxLogBytes);
    const LogDateTime now = clock_.Now();
    std::string line = "cLog Version 1 Dated 8/27/98";
    line.append(LogLineBreak).append(" Date =").append(DateText(now));
    line.append(" Time =").append(TimeText(now));
    line.append(LogLineBreak).append(" Timer =").append(std::to_string(ElapsedMs()));
    LogData(line);
}

int64_t cLog::ElapsedMs() {
    return clock_.TickMs() - startMs_;
}

void cLog::LogData(std::string_view text) {
    const bool entering = text.starts_with(EnterArrow);
    const bool leaving = text.starts_with(ExitArrow);
    if (entering) {
        depth_ = CheckedNarrow<int16_t>(depth_ + 1, "cLog: LogData");
        if (static_cast<size_t>(depth_) >= callStack_.size()) {
            callStack_.resize(callStack_.size() + CallStackStep);
        }
        callStack_[depth_] = text;
    } else if (leaving && --depth_ < 0) {
        depth_ = 0;
    }
    if (!TakesLines()) return;

    std::string line;
    if (entering || leaving) {
        line = Padded(ElapsedMs(), 7) + ", " + Padded(depth_, 3) + ", ";
    } else {
        line = " ";
    }
    line += text;
    Store(std::move(line));
}

cLog::~cLog() {
    LogClose();
}

void cLog::Store(std::string line) {
    if (fd_ >= 0) {
        WriteLine(line);
    } else if (queueing_) {
        queuePos_ = queuePos_ == QueueSlots ? 1 : queuePos_ + 1;
        queue_[queuePos_] = std::move(line);
    }
}

void cLog::Trace(std::string_view arrow, std::string_view procName, std::string_view moduleName,
                 std::string_view additionalInfo) {
    std::string text;
    if (!(procName.size() > 1 && procName.starts_with(arrow))) text = arrow;
    text += procName;
    if (!moduleName.empty()) text.append(": ").append(moduleName);
    if (!additionalInfo.empty()) text.append(": ").append(additionalInfo);
    LogData(text);
}

void cLog::LogTraceEnter(std::string_view procName, std::string_view moduleName,
                         std::string_view additionalInfo) {
    Trace(EnterArrow, procName, moduleName, additionalInfo);
}

void cLog::LogTraceExit(std::string_view procName, std::string_view moduleName,
                        std::string_view additionalInfo) {
    Trace(ExitArrow, procName, moduleName, additionalInfo);
}

void cLog::SizeLimit(int64_t bytes) {
    sizeLimit_ = bytes;
    cutLine_ = "-----The log is cut here: it has reached its limit of " + std::to_string(bytes) +
               " bytes-----";
}

// Lines are gathered and written in large pieces: a log of every candidate the matching tries
// would otherwise cost a write per line. Room for the last line is always kept.
void cLog::WriteLine(std::string_view line) {
    if (cut_) return;
    const auto size = [](std::string_view text) {
        return static_cast<int64_t>(text.size() + LogLineBreak.size());
    };
    if (fileBytes_ + size(line) + size(cutLine_) > sizeLimit_) {
        cut_ = true;
        line = cutLine_;
    }
    pending_.append(line).append(LogLineBreak);
    fileBytes_ += size(line);
    if (pending_.size() >= FlushBytes || cut_) Flush();
}

void cLog::Flush() {
    if (fd_ >= 0) WriteAll(fd_, pending_);
    pending_.clear();
}

void cLog::LogOpen(std::string_view fileName, int16_t mode) {
    if (!fileName.empty()) {
        logFileName_ = fileName;
    } else if (logFileName_.empty()) {
        logFileName_ = DefaultLogFileName(facts_).string();
    }

    // A second open would otherwise leave the first file open and unreachable. The queue
    // position stays, unlike in LogClose, because the queued lines are yet to be written.
    CloseFile();
    // Asked before the open, which would create a guarded file that is yet to be made.
    const std::string guarded = GuardedFileReason(logFileName_, protected_);
    if (!guarded.empty()) throw OpenError(logFileName_, guarded);
    // Opened without emptying it and without waiting for a reader, so that a file that must
    // not be the log is left as it was.
    const int fd = os::OpenForAppending(logFileName_);
    // A FIFO or device with no reader refuses a writer that does not wait.
    if (fd < 0 && errno == ENXIO) throw OpenError(logFileName_, "It is not a regular file.");
    if (fd < 0) throw OpenError(logFileName_, std::strerror(errno));
    os::FileStatus st;
    std::string refusal;
    if (!os::StatusOfOpen(fd, st)) {
        refusal = std::strerror(errno);
    } else if (!st.Regular) {
        refusal = "It is not a regular file.";
    }
    if (refusal.empty() && mode == LogModeNew && ::ftruncate(fd, 0) != 0) {
        refusal = std::strerror(errno);
    }
    if (!refusal.empty()) {
        ::close(fd);
        throw OpenError(logFileName_, refusal);
    }
    fd_ = fd;
    fileBytes_ = mode == LogModeNew ? 0 : st.Size;
    cut_ = false;

    GenerateLogHeader();
    EmitQueue();
    Flush();
}

void cLog::CloseFile() {
    if (fd_ < 0) return;
    Flush();
    ::close(fd_);
    fd_ = -1;
}

void cLog::EmitQueue() {
    if (queuePos_ < 1) return;
    WriteLine("-----Emitting Queued Messages-----");
    // Before the ring has wrapped, the slot after the position is still empty.
    for (int16_t slot = queuePos_ + 1; slot <= QueueSlots && !IsBlankText(queue_[slot]); ++slot) {
        WriteLine(queue_[slot]);
    }
    for (int16_t slot = 1; slot <= queuePos_; ++slot) WriteLine(queue_[slot]);
    WriteLine("-----End Emitting Queued Messages-----");
    queuePos_ = 0;
}

void cLog::GenerateLogHeader() {
    std::string banner = "=====> ";
    banner.append(LogLineBreak).append(facts_.ProductName).append(" ").append(facts_.VersionText);
    banner.append(LogLineBreak).append(facts_.ExecutablePath.string());
    banner.append(LogLineBreak).append("<=====");
    LogData(banner);
    LogData("Logfile " + logFileName_ + " Created " + StampText(clock_.Now()));
}

void cLog::LogClose() {
    CloseFile();
    queuePos_ = 0;
}

void cLog::LogEnd() {
    const LogDateTime now = clock_.Now();
    LogData("Date=" + DateText(now) + " Time=" + TimeText(now) +
            " Timer=" + std::to_string(ElapsedMs()));
    LogClose();
}

std::string cLog::LogGetProcs() {
    if (depth_ == 0) return {};
    const std::string heading = "Procedure Call-list...";
    LogData(heading);
    std::string chain(LogLineBreak);
    chain += heading;
    for (int16_t level = 1; level <= depth_; ++level) {
        // Stored as a data line: through LogData the entry's "->" would count as a new entry.
        Store(" " + callStack_[level]);
        chain.append(LogLineBreak).append(callStack_[level]);
    }
    return chain;
}

}  // namespace dualis
