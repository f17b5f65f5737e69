// The host of a comparison run from the command line: messages go to standard error with their
// control characters shown visibly; there is no pointer to change and no event loop to yield to;
// tracing goes to the trace log.
#pragma once

#include <cstdio>
#include <string_view>

#include "Debug.h"
#include "Host.h"
#include "Log.h"
#include "TerminalText.h"

namespace dualis {

class ConsoleHost : public IHost {
  public:
    ConsoleHost(const cDebug& debug, cLog& log) : debug_(debug), log_(log) {}

    void ShowMessage(std::string_view text) override { PrintLines(stderr, text); }
    void BeginBusy() override {}
    void EndBusy() override {}
    void DoEvents() override {}
    bool TraceApp() const override { return debug_.LogApp; }
    bool TraceTakesLines() const override { return log_.TakesLines(); }
    void TraceEnter(std::string_view procText) override { log_.LogTraceEnter(procText); }
    void TraceExit(std::string_view procText) override { log_.LogTraceExit(procText); }
    void LogData(std::string_view text) override { log_.LogData(text); }

  private:
    const cDebug& debug_;
    cLog& log_;
};

}  // namespace dualis
