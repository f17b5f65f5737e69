// The host of a comparison run from the command line: messages go to standard error; there is
// no pointer to change and no event loop to yield to; trace lines are dropped for now.
#pragma once

#include <cstdio>
#include <string_view>

#include "Host.h"

namespace dualis {

class ConsoleHost : public QuietHost {
  public:
    void ShowMessage(std::string_view text) override {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    }
};

}  // namespace dualis
