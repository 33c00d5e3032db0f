#include "platform/filesystem.h"

#include <QFileInfo>
#include <QStringList>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace platform {

QString windowsDirectory() {
#ifdef Q_OS_WIN
    wchar_t buffer[261] = {};
    const UINT length = GetWindowsDirectoryW(buffer, 261);
    if (length == 0 || length >= 261)
        return QString();
    // The answer ends at the first NUL.
    return QString::fromWCharArray(buffer, static_cast<qsizetype>(wcsnlen(buffer, 261)));
#else
    return QStringLiteral("/usr/bin");
#endif
}

QString defaultCalculatorName(const QString& programDir) {
#ifdef Q_OS_WIN
    Q_UNUSED(programDir);
    return QStringLiteral("\\Calc.exe");
#else
    static const QStringList candidates = {
        QStringLiteral("/gnome-calculator"),
        QStringLiteral("/kcalc"),
        QStringLiteral("/galculator"),
        QStringLiteral("/xcalc"),
    };
    for (const QString& name : candidates) {
        if (fileExists(programDir + name))
            return name;
    }
    return candidates.first();
#endif
}

QString defaultCalculatorName() {
    return defaultCalculatorName(windowsDirectory());
}

bool fileExists(const QString& path) {
    if (path.isEmpty())
        return false;
    return QFileInfo(path).isFile();
}

} // namespace platform
