// The command line's comparison of two projects or folders: the summary with the reports it is
// asked for, or the JSON; and the one module pair that a dump is asked for.
#pragma once

#include <cstdio>
#include <string>

#include "CommandLine.h"
#include "ComparisonState.h"
#include "Host.h"
#include "ProjectCompare.h"

namespace dualis {

// Compares the two sources the command line names and writes, to `out`, the summary (followed
// by the reports that --modules or --module ask for) or the JSON. Whatever keeps them from
// being compared or written is told to the host. Returns the exit status.
int ReportProjects(const CommandLine& cmd, const project::ProjectOptions& options, IHost& host,
                   std::FILE* out, bool colour);

// Compares, into `state`, the one module pair of the two sources that cmd.Module names, for the
// dump. Returns false after telling the host why it cannot.
bool CompareNamedModule(const CommandLine& cmd, const project::ProjectOptions& options, IHost& host,
                        ComparisonState& state);

}  // namespace dualis
