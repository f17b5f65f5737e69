// The program's one place that looks at descriptors 0 to 2 as the system handed them over.
#include "StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include "OsFiles.h"

namespace dualis {

ClosedStreams OpenClosedStandardStreams() {
    bool closed[3] = {};
    for (int fd = 0; fd <= 2; ++fd) closed[fd] = os::IsClosed(fd);
    for (int fd = 0; fd <= 2; ++fd) {
        if (!closed[fd]) continue;
        // In this order every lower descriptor is open, so the lowest free one is fd itself.
        const int opened = ::open(os::NullDevice(), fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
    return {closed[0], closed[1], closed[2]};
}

bool NamesStandardOutput(const std::string& fileName) {
    return fileName == "/dev/stdout" || fileName == "/dev/fd/1" || fileName == "/proc/self/fd/1";
}

}  // namespace dualis
