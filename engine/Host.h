// What the engine needs from whoever runs it: a message box, the busy pointer, yielding to
// pending events, and the trace log. The window, the command line and the tests implement it.
#pragma once

#include <exception>
#include <string_view>

namespace dualis {

class IHost {
  public:
    virtual ~IHost() = default;

    // A message for the user, shown with the exclamation icon and the application's title.
    virtual void ShowMessage(std::string_view text) = 0;
    // The hourglass pointer: Begin remembers the pointer shown and sets the hourglass,
    // End restores what Begin remembered. Calls nest.
    virtual void BeginBusy() = 0;
    virtual void EndBusy() = 0;
    // Let the window system process pending events.
    virtual void DoEvents() = 0;
    // True when ordinary procedures trace themselves (the LogApp switch).
    virtual bool TraceApp() const = 0;
    // False once the trace log takes no more lines (it has reached its limit): tracing that
    // would only add lines is then skipped, text and all.
    virtual bool TraceTakesLines() const = 0;
    virtual void TraceEnter(std::string_view procText) = 0;
    virtual void TraceExit(std::string_view procText) = 0;
    // One data line for the trace log.
    virtual void LogData(std::string_view text) = 0;
};

// A host that shows nothing, has no pointer and no events, and traces nothing.
class QuietHost : public IHost {
  public:
    void ShowMessage(std::string_view) override {}
    void BeginBusy() override {}
    void EndBusy() override {}
    void DoEvents() override {}
    bool TraceApp() const override { return false; }
    bool TraceTakesLines() const override { return false; }
    void TraceEnter(std::string_view) override {}
    void TraceExit(std::string_view) override {}
    void LogData(std::string_view) override {}
};

// Writes the entry line on construction and the exit line only on a normal return, so that a
// procedure left by an exception stays on the call chain of the error report.
class TraceScope {
  public:
    // A procedure's scope: it keeps writing entry and exit lines after the log is full, so
    // that the log's call chain, which the error report shows, stays whole.
    TraceScope(IHost& host, std::string_view procText)
        : TraceScope(&host, procText, host.TraceApp()) {}
    // The helpers that run once per line take the host only while tracing (see Tracer); a null
    // host traces nothing, and neither does a host whose log takes no more lines.
    TraceScope(IHost* host, std::string_view procText)
        : TraceScope(host, procText, host && host->TraceApp() && host->TraceTakesLines()) {}
    ~TraceScope() {
        if (on_ && std::uncaught_exceptions() == exceptions_) host_->TraceExit(text_);
    }
    // Writes the exit line now, for a procedure that hands a failure on to a caller that deals
    // with it (a refused input file) rather than to the error handler.
    void Leave() {
        if (on_) host_->TraceExit(text_);
        on_ = false;
    }
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

  private:
    TraceScope(IHost* host, std::string_view procText, bool on)
        : host_(host), text_(procText), on_(on), exceptions_(on ? std::uncaught_exceptions() : 0) {
        if (on_) host_->TraceEnter(text_);
    }

    IHost* host_;
    std::string_view text_;
    bool on_;
    int exceptions_;
};

// The host for the helpers that run once per line: the host while it traces and its log takes
// lines, else null, so that those helpers cost nothing extra while nothing is traced. A long
// loop asks again as it goes, as the log may fill meanwhile.
inline IHost* Tracer(IHost& host) {
    return host.TraceApp() && host.TraceTakesLines() ? &host : nullptr;
}

class BusyScope {
  public:
    explicit BusyScope(IHost& host) : host_(host) { host_.BeginBusy(); }
    ~BusyScope() { host_.EndBusy(); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    IHost& host_;
};

}  // namespace dualis
