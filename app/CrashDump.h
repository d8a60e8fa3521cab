// Writes a dump file when the process dies of a fatal signal: the signal, the
// faulting address and a backtrace of the faulting thread. The signal then
// continues to its default action.
#pragma once

#include <string>

namespace app {

// The folder of the dump files: "Korvan/Event Recorder/Dumps/" below the shared
// data folder, with a trailing slash.
std::string CrashDumpFolder();

// Installs the handler for SIGSEGV, SIGBUS, SIGFPE, SIGILL and SIGABRT. The
// folder and the program's base name are fixed here, at start-up, because the
// handler may not allocate.
void InstallCrashDumpWriter(const std::string& folder, const std::string& programName);

}  // namespace app
