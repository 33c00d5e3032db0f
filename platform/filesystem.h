#pragma once

#include <QString>

// What the program asks of the system about folders and files.
namespace platform {

// The system's own program folder: the Windows directory on Windows (as the system reports it,
// normally without a trailing backslash), the system's program folder ("/usr/bin") elsewhere.
QString windowsDirectory();

// The calculator's file name, with its leading separator, so that the default calculator path
// is windowsDirectory() + defaultCalculatorName(). On Windows "\Calc.exe"; elsewhere the first
// desktop calculator present in the program folder.
QString defaultCalculatorName();

// The same search over a given folder (the Windows answer does not depend on it).
QString defaultCalculatorName(const QString& programDir);

// True when path names an existing file (a folder is not a file).
bool fileExists(const QString& path);

} // namespace platform
