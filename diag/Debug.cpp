// The debug switches' group operations.
#include "Debug.h"

#include "Log.h"

namespace dualis {
namespace {

void SetTraceSwitches(cDebug& debug, bool on) {
    debug.LogApp = on;
    debug.LogBasicLan = on;
    debug.LogDebug = on;
    debug.LogEvents = on;
    debug.LogMouseEvents = on;
}

}  // namespace

void cDebug::SetLogAll(cLog& log) {
    SetTraceSwitches(*this, true);
    log.LogData("Logging enabled");
}

void cDebug::UnsetLogAll(cLog& log) {
    SetTraceSwitches(*this, false);
    log.LogData("Logging disabled");
}

}  // namespace dualis
