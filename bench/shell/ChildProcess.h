// Runs a whole program as a child process and reports its wall time and peak memory, so a
// benchmark can set one process beside another (the program's piece against its anchor).

#pragma once

#include <string>
#include <vector>

namespace bench {

struct ChildRun {
    bool ok = false;     // started, and ended by itself with exit status 0
    double seconds = 0;  // from the spawn to the end of the process
    long peakRssKb = 0;  // the child's largest resident set, in kilobytes, as it reported
                         // it with ReportPeakMemory (0 when it did not)
};

// Writes "peak_kB N" to standard output: the calling process's own largest resident set
// (VmHWM). The kernel's figure for a reaped child also counts the parent's memory shared
// before the exec, so children report their own. With BW_SMAPS_TO set, the process's memory
// map (/proc/self/smaps) is also copied to that file, to see where the memory went.
void ReportPeakMemory();

// Starts argv[0] (looked up on PATH when it has no slash) with its standard output sent to
// /dev/null (or to `stdoutPath` when given), waits for its end, and measures it.
ChildRun RunChild(const std::vector<std::string>& argv, const std::string& stdoutPath = {});

// The folder that holds the running benchmark, to find its sibling executables.
std::string OwnFolder();

}  // namespace bench
