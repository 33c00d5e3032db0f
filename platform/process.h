#pragma once

#include <QString>

// Starting another program. Everything that starts one goes through the installed starter, so
// tests substitute a fake and never start a real program.
namespace platform {

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts `program` (a full path, no arguments) as a new process that runs on its own.
    // Returns 0 when it started, or the system's error code (ENOENT = 2 for a missing file).
    virtual int start(const QString& program) = 0;
};

// Starts programs for real: on Windows a new process with the start-up feedback cursor, waited
// for until it is ready for input; elsewhere a detached process.
class SystemProcessStarter : public ProcessStarter {
public:
    int start(const QString& program) override;
};

// The starter in use; the system's unless a test installed its own.
ProcessStarter& processStarter();
// Installs `starter` (not owned); nullptr goes back to the system's.
void setProcessStarter(ProcessStarter* starter);

// Starts `program` with the starter in use; returns 0 or the system's error code.
inline int startProgram(const QString& program) {
    return processStarter().start(program);
}

} // namespace platform
