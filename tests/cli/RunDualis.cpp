#include "RunDualis.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "TestSupport.h"

extern char** environ;

namespace dualis::test {
namespace {

std::vector<std::string> Environment(const Invocation& run, const std::string& config) {
    std::vector<std::pair<std::string, std::string>> set = run.Env;
    set.emplace_back("XDG_CONFIG_HOME", config);
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        const bool replaced =
            std::any_of(set.begin(), set.end(), [&](const auto& v) { return v.first == name; }) ||
            std::find(run.Unset.begin(), run.Unset.end(), name) != run.Unset.end();
        if (!replaced) env.push_back(entry);
    }
    for (const auto& [name, value] : set) env.push_back(name + "=" + value);
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& t : texts) pointers.push_back(t.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

Outcome RunDualis(const Invocation& run) {
    TempDir dir;
    const std::string config = (dir.Path() / "config").string();
    const std::string out = run.StdoutFile.empty() ? (dir.Path() / "out").string() : run.StdoutFile;
    const std::string err = (dir.Path() / "err").string();
    std::vector<std::string> args = run.Args;
    args.insert(args.begin(), run.Program.empty() ? DUALIS_EXE : run.Program);
    std::vector<std::string> env = Environment(run, config);
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(env);

    const pid_t child = ::fork();
    if (child == 0) {
        const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int inFd = ::open("/dev/null", O_RDONLY);
        if (outFd < 0 || errFd < 0 || inFd < 0) ::_exit(120);
        ::dup2(inFd, 0);
        ::dup2(outFd, 1);
        ::dup2(errFd, 2);
        for (const int fd : run.Closed) ::close(fd);
        if (!run.WorkDir.empty() && ::chdir(run.WorkDir.c_str()) != 0) ::_exit(121);
        if (run.AddressSpaceBytes != 0) {
            const rlimit limit{static_cast<rlim_t>(run.AddressSpaceBytes),
                               static_cast<rlim_t>(run.AddressSpaceBytes)};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(122);
    }
    Outcome outcome;
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child) return outcome;
    outcome.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (run.StdoutFile.empty()) outcome.Out = ReadFile(out);
    outcome.Err = ReadFile(err);
    return outcome;
}

Outcome RunDualis(std::vector<std::string> args) {
    Invocation run;
    run.Args = std::move(args);
    return RunDualis(run);
}

}  // namespace dualis::test
