// The debug switches' group operations and what they write to the trace log.
#include "Debug.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "Log.h"
#include "TestSupport.h"

namespace dualis {
namespace {

TEST(DebugTest, LogAllSetsAndClearsOnlyTheFiveTraceSwitches) {
    test::TempDir dir;
    cLog log({"Dualis", "1.0.0", dir.Path() / "dualis"});
    const std::string file = (dir.Path() / "trace.log").string();
    log.LogOpen(file, LogModeNew);

    cDebug debug;
    debug.DontTrapErrors = true;
    debug.SetLogAll(log);
    EXPECT_TRUE(debug.LogApp && debug.LogBasicLan && debug.LogDebug && debug.LogEvents &&
                debug.LogMouseEvents);
    EXPECT_FALSE(debug.LogClasses || debug.DontFixDataErrors);
    EXPECT_TRUE(debug.DontTrapErrors);

    debug.LogClasses = true;
    debug.UnsetLogAll(log);
    EXPECT_FALSE(debug.LogApp || debug.LogBasicLan || debug.LogDebug || debug.LogEvents ||
                 debug.LogMouseEvents);
    EXPECT_TRUE(debug.LogClasses && debug.DontTrapErrors);

    log.LogClose();
    const std::string text = test::Lines({" Logging enabled", " Logging disabled"});
    const std::string written = [&] {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_TRUE(written.ends_with(text)) << written;
}

}  // namespace
}  // namespace dualis
