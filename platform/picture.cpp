#include "platform/picture.h"

#include "platform/error.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

namespace platform {

namespace {

// Metafiles say their own size; beyond this a header is taken for garbage rather than
// allocating an image of gigabytes.
constexpr int MaxSide = 8192;
constexpr double ScreenDpi = 96.0;

[[noreturn]] void damaged(const QString& fileName, const QString& kind) {
    throw palvexa::Error(QStringLiteral("The picture file %1 is damaged or is not a %2 picture")
                             .arg(fileName, kind.toUpper()));
}

quint16 u16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
qint16 s16(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<qint16>(b.constData() + at);
}
quint32 u32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
qint32 s32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<qint32>(b.constData() + at);
}

bool sizeOk(const QSize& size) {
    return size.width() > 0 && size.height() > 0 && size.width() <= MaxSide &&
           size.height() <= MaxSide;
}

QImage renderSvg(const QByteArray& svg, const QSize& size, const QString& fileName,
                 const QString& kind) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid() || !sizeOk(size))
        damaged(fileName, kind);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

QImage readRaster(const QByteArray& bytes, const QString& fileName, const QString& kind) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // The extension decides the kind: a file of another kind under this name is not read.
    QImageReader reader(&buffer, kind.toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage image = reader.read();
    if (image.isNull())
        damaged(fileName, kind);
    return image;
}

// Enhanced metafile: a header record with the " EMF" signature, then records up to EMR_EOF,
// each inside the file. Checked here so that the converter never reads past the data.
QImage readEmf(QByteArray bytes, const QString& fileName, const QString& kind) {
    constexpr qsizetype HeaderSize = 88;
    constexpr quint32 EmrHeader = 1, EmrEof = 14, Signature = 0x464D4520;
    const qsizetype length = bytes.size();
    if (length < HeaderSize || u32(bytes, 0) != EmrHeader || u32(bytes, 40) != Signature)
        damaged(fileName, kind);
    bool sawEof = false;
    for (qsizetype at = 0; at + 8 <= length;) {
        const quint32 size = u32(bytes, at + 4);
        if (size < 8 || size % 4 != 0 || size > quint64(length - at))
            damaged(fileName, kind);
        if (u32(bytes, at) == EmrEof) {
            sawEof = true;
            break;
        }
        at += size;
    }
    if (!sawEof)
        damaged(fileName, kind);

    // The frame (hundredths of a millimetre) gives the picture's size on screen; a file
    // without one falls back to its bounds in device pixels.
    auto side = [](qint64 v) { return int(std::clamp<qint64>(v, 0, MaxSide + 1)); };
    const qint64 frameW = qint64(s32(bytes, 32)) - s32(bytes, 24);
    const qint64 frameH = qint64(s32(bytes, 36)) - s32(bytes, 28);
    QSize size(side(std::llround(frameW * ScreenDpi / 2540.0)),
               side(std::llround(frameH * ScreenDpi / 2540.0)));
    if (frameW <= 0 || frameH <= 0)
        size = QSize(side(qint64(s32(bytes, 16)) - s32(bytes, 8) + 1),
                     side(qint64(s32(bytes, 20)) - s32(bytes, 12) + 1));
    if (!sizeOk(size))
        damaged(fileName, kind);

    generatorOptions options{};
    char nameSpace[] = "";
    options.nameSpace = nameSpace;
    options.svgDelimiter = true;
    char* out = nullptr;
    size_t outLength = 0;
    const int ok = emf2svg(bytes.data(), size_t(length), &out, &outLength, &options);
    const QByteArray svg = out ? QByteArray(out, qsizetype(outLength)) : QByteArray();
    std::free(out);
    if (!ok || svg.isEmpty())
        damaged(fileName, kind);
    return renderSvg(svg, size, fileName, kind);
}

// Windows metafile, with or without the placeable header in front of the standard one.
QImage readWmf(QByteArray bytes, const QString& fileName, const QString& kind) {
    constexpr quint32 PlaceableKey = 0x9AC6CDD7;
    constexpr qsizetype PlaceableSize = 22, HeaderSize = 18;
    const qsizetype length = bytes.size();
    const bool placeable = length >= 4 && u32(bytes, 0) == PlaceableKey;
    const qsizetype header = placeable ? PlaceableSize : 0;
    if (length < header + HeaderSize)
        damaged(fileName, kind);
    const quint16 type = u16(bytes, header), headerWords = u16(bytes, header + 2),
                  version = u16(bytes, header + 4);
    if ((type != 1 && type != 2) || headerWords != 9 || (version != 0x100 && version != 0x300))
        damaged(fileName, kind);
    for (qsizetype at = header + HeaderSize; at + 6 <= length;) {
        const quint32 words = u32(bytes, at);
        if (words < 3 || quint64(words) * 2 > quint64(length - at))
            damaged(fileName, kind);
        if (u16(bytes, at + 4) == 0) // end of the records
            break;
        at += qsizetype(words) * 2;
    }

    double widthPt = 0, heightPt = 0;
    QSize size;
    if (placeable) {
        const int inch = u16(bytes, 14);
        const int w = s16(bytes, 10) - s16(bytes, 6), h = s16(bytes, 12) - s16(bytes, 8);
        if (inch <= 0 || w <= 0 || h <= 0)
            damaged(fileName, kind);
        widthPt = w * 72.0 / inch;
        heightPt = h * 72.0 / inch;
        size =
            QSize(int(std::lround(w * ScreenDpi / inch)), int(std::lround(h * ScreenDpi / inch)));
        if (!sizeOk(size))
            damaged(fileName, kind);
    }

    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags =
        WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        damaged(fileName, kind);
    }
    // Every buffer the library hands out belongs to the handle and goes with it.
    struct Release {
        wmfAPI* api;
        ~Release() { wmf_api_destroy(api); }
    } release{api};

    wmfD_Rect box{};
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(bytes.data()), long(length)) !=
            wmf_E_None ||
        wmf_scan(api, 0, &box) != wmf_E_None)
        damaged(fileName, kind);
    if (placeable) {
        // The whole frame, in points from its top left corner, not just the drawn part.
        box.TL = {0, 0};
        box.BR = {float(widthPt), float(heightPt)};
    } else {
        size = QSize(int(std::ceil((box.BR.x - box.TL.x) * ScreenDpi / 72.0)),
                     int(std::ceil((box.BR.y - box.TL.y) * ScreenDpi / 72.0)));
        if (!sizeOk(size))
            damaged(fileName, kind);
    }
    wmf_svg_t* device = WMF_SVG_GetData(api);
    char description[] = "exhibit";
    device->out = wmf_stream_create(api, nullptr);
    device->Description = description;
    device->bbox = box;
    device->width = unsigned(size.width());
    device->height = unsigned(size.height());
    const wmf_error_t played = wmf_play(api, 0, &box);
    char* out = nullptr;
    unsigned long outLength = 0;
    wmf_stream_destroy(api, device->out, &out, &outLength);
    if (played != wmf_E_None || !out)
        damaged(fileName, kind);
    return renderSvg(QByteArray(out, qsizetype(outLength)), size, fileName, kind);
}

} // namespace

QImage loadPicture(const QString& fileName) {
    const QString kind = QFileInfo(fileName).suffix().toLower();
    if (kind != u"bmp" && kind != u"ico" && kind != u"wmf" && kind != u"emf")
        throw palvexa::Error(QStringLiteral("Unknown picture file extension (.%1)")
                                 .arg(QFileInfo(fileName).suffix()));

    QFile file(fileName);
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        throw palvexa::Error(QStringLiteral("Cannot open file %1").arg(fileName));
    const QByteArray bytes = file.readAll();
    file.close();

    if (kind == u"emf")
        return readEmf(bytes, fileName, kind);
    if (kind == u"wmf")
        return readWmf(bytes, fileName, kind);
    return readRaster(bytes, fileName, kind);
}

} // namespace platform
