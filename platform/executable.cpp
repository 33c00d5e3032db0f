#include "platform/executable.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#ifdef Q_OS_WIN
#include <QImage>
#include <shellapi.h>
#include <windows.h>
#else
#include <QDir>
#include <QDirIterator>
#include <QIcon>
#include <QSettings>
#include <QStandardPaths>
#endif

namespace platform {

namespace {

constexpr int kIconSize = 32;

qreal screenScale() {
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

#ifndef Q_OS_WIN
// The Icon= of the desktop entry whose Exec= starts `program` (by full path or by file name).
QString desktopEntryIcon(const QString& program) {
    const QString fileName = QFileInfo(program).fileName();
    const QStringList dirs =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                  QStringLiteral("applications"), QStandardPaths::LocateDirectory);
    for (const QString& dir : dirs) {
        QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QSettings entry(it.next(), QSettings::IniFormat);
            entry.beginGroup(QStringLiteral("Desktop Entry"));
            // Exec may carry arguments and field codes after the program.
            const QString exec = entry.value(QStringLiteral("Exec")).toString();
            const QString command = exec.section(QLatin1Char(' '), 0, 0);
            if (command.isEmpty())
                continue;
            if (command == program || command == fileName)
                return entry.value(QStringLiteral("Icon")).toString();
        }
    }
    return {};
}

QPixmap themeIcon(const QString& name) {
    if (name.isEmpty())
        return {};
    const QIcon icon = QFileInfo(name).isAbsolute() ? QIcon(name) : QIcon::fromTheme(name);
    if (icon.isNull())
        return {};
    return icon.pixmap(QSize(kIconSize, kIconSize), screenScale());
}
#endif

} // namespace

bool hasExeExtension(const QString& path) {
    // The file name is what follows the last folder or drive separator.
    const qsizetype nameStart =
        qMax(qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))),
             path.lastIndexOf(QLatin1Char(':'))) +
        1;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < nameStart)
        return false;
    return path.mid(dot, 4).toUpper() == QLatin1String(".EXE");
}

bool passesExecutableTest(const QString& path) {
#ifdef Q_OS_WIN
    return hasExeExtension(path);
#else
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return true;
    return info.isFile() && info.isExecutable();
#endif
}

QPixmap programIcon(const QString& path) {
#ifdef Q_OS_WIN
    HICON icon = nullptr;
    const std::wstring name = QFileInfo(path).absoluteFilePath().replace('/', '\\').toStdWString();
    if (ExtractIconExW(name.c_str(), 0, &icon, nullptr, 1) > 0 && icon) {
        const QImage image = QImage::fromHICON(icon);
        DestroyIcon(icon);
        if (!image.isNull()) {
            // The picture is cleared and exactly as large as the icon, the icon at its corner.
            QPixmap picture(image.size());
            picture.fill(Qt::transparent);
            QPainter(&picture).drawImage(0, 0, image);
            return picture;
        }
    }
    return calculatorPicture(kIconSize);
#else
    QPixmap picture = themeIcon(desktopEntryIcon(path));
    if (picture.isNull())
        picture = themeIcon(QFileInfo(path).completeBaseName());
    if (picture.isNull())
        picture = themeIcon(QStringLiteral("accessories-calculator"));
    if (picture.isNull())
        picture = calculatorPicture(kIconSize);
    return picture;
#endif
}

QPixmap calculatorPicture(int size) {
    const qreal scale = screenScale();
    QPixmap picture(QSize(size, size) * scale);
    picture.setDevicePixelRatio(scale);
    picture.fill(Qt::transparent);

    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal u = size / 32.0; // drawn on a 32-unit grid
    const QRectF body(5 * u, 2 * u, 22 * u, 28 * u);
    p.setPen(QPen(QColor(60, 60, 70), 1.2 * u));
    p.setBrush(QColor(200, 204, 212));
    p.drawRoundedRect(body, 3 * u, 3 * u);

    // Display.
    p.setPen(QPen(QColor(40, 60, 40), 0.8 * u));
    p.setBrush(QColor(190, 220, 170));
    p.drawRect(QRectF(8 * u, 5 * u, 16 * u, 6 * u));

    // Keys: 4 x 4, the last column coloured as operators.
    const qreal key = 3.2 * u;
    const qreal gap = 1.07 * u;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const QRectF r(8 * u + col * (key + gap), 13.5 * u + row * (key + gap), key, key);
            p.setPen(Qt::NoPen);
            p.setBrush(col == 3 ? QColor(220, 120, 40) : QColor(80, 84, 96));
            p.drawRoundedRect(r, 0.6 * u, 0.6 * u);
        }
    }
    return picture;
}

} // namespace platform
