#include "bank/tool/exhibits.h"

#include "platform/error.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace bank {

void makeExhibit(const QString& source, const QString& picture) {
    QSaveFile out(picture);
    if (!out.open(QIODevice::WriteOnly))
        throw palvexa::Error(QStringLiteral("Cannot write %1: %2").arg(picture, out.errorString()));

    if (QFileInfo(source).suffix().compare("svg", Qt::CaseInsensitive) != 0) {
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly))
            throw palvexa::Error(
                QStringLiteral("Cannot read %1: %2").arg(source, in.errorString()));
        out.write(in.readAll());
    } else {
        QSvgRenderer renderer(source);
        if (!renderer.isValid())
            throw palvexa::Error(
                QStringLiteral("%1 is not a drawing that can be rendered").arg(source));
        QSize size = renderer.defaultSize();
        if (size.isEmpty())
            throw palvexa::Error(QStringLiteral("%1 has no size").arg(source));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
        }
        const QByteArray format = QFileInfo(picture).suffix().toLower().toLatin1();
        if (!image.save(&out, format.constData()))
            throw palvexa::Error(QStringLiteral("Cannot encode %1 as %2").arg(picture, format));
    }
    if (!out.commit())
        throw palvexa::Error(QStringLiteral("Cannot write %1: %2").arg(picture, out.errorString()));
}

} // namespace bank
