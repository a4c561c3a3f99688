#pragma once

namespace somnara::testing {

// Processor time (user and system) a process has used so far, in seconds, read from /proc;
// -1 when the process is gone or the file cannot be read.
double ProcessCpuSeconds(int pid);

}  // namespace somnara::testing
