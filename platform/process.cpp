#include "platform/process.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QFile>
#include <QProcess>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#endif

namespace platform {

namespace {

ProcessStarter* installed = nullptr;

#ifndef Q_OS_WIN
// QProcess reports a failed start as text ("execve: " + the system's message). The cause is
// read back from the file itself where it shows, otherwise from the message.
int startErrorCode(const QString& program, const QString& errorString) {
    const QByteArray path = QFile::encodeName(program);
    if (::access(path.constData(), X_OK) != 0)
        return errno;
    for (int code = 1; code < 256; ++code) {
        const QString message = QString::fromLocal8Bit(std::strerror(code));
        if (!message.isEmpty() && errorString.endsWith(message))
            return code;
    }
    return ENOEXEC;
}
#endif

} // namespace

int SystemProcessStarter::start(const QString& program) {
#ifdef Q_OS_WIN
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info = {};
    std::wstring name = program.toStdWString();
    if (!CreateProcessW(name.c_str(), nullptr, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                        nullptr, nullptr, &startup, &info))
        return static_cast<int>(GetLastError() & 0xffff);
    // The program counts as started once it takes input; it then runs on its own.
    WaitForInputIdle(info.hProcess, INFINITE);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 0;
#else
    if (program.isEmpty())
        return ENOENT;
    QProcess process;
    process.setProgram(program);
    process.setArguments({});
    if (process.startDetached())
        return 0;
    return startErrorCode(program, process.errorString()) & 0xffff;
#endif
}

ProcessStarter& processStarter() {
    static SystemProcessStarter system;
    return installed ? *installed : system;
}

void setProcessStarter(ProcessStarter* starter) {
    installed = starter;
}

} // namespace platform
