// The host of a comparison run from the command line: messages go to standard error; there is
// no pointer to change and no event loop to yield to; trace lines are dropped for now.
#pragma once

#include <cstdio>
#include <string_view>

#include "Host.h"

namespace dualis {

class ConsoleHost : public IHost {
public:
    void ShowMessage(std::string_view text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        messages_++;
    }
    void BeginBusy() override {}
    void EndBusy() override {}
    void DoEvents() override {}
    bool TraceApp() const override { return false; }
    void TraceEnter(std::string_view) override {}
    void TraceExit(std::string_view) override {}
    void LogData(std::string_view) override {}

    int Messages() const { return messages_; }

private:
    int messages_ = 0;
};

}  // namespace dualis
