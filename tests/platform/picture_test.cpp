#include "platform/error.h"
#include "platform/picture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

void put16(QByteArray& b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void put32(QByteArray& b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

// A placeable metafile of width x height pixels at 96 per inch: window set to the frame, one
// filled black rectangle over its left half, end of records.
QByteArray tinyWmf(int width, int height) {
    QByteArray b;
    put32(b, 0x9AC6CDD7);
    put16(b, 0); // handle
    for (int v : {0, 0, width, height})
        put16(b, quint16(v));
    put16(b, 96); // units per inch
    put32(b, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(b.constData() + 2 * i);
    put16(b, checksum);

    const int header = int(b.size());
    put16(b, 1);     // in memory
    put16(b, 9);     // header words
    put16(b, 0x300); // version
    put32(b, 0);     // file words, set below
    put16(b, 1);     // objects
    put32(b, 7);     // largest record
    put16(b, 0);
    auto record = [&b](quint16 function, std::initializer_list<int> params) {
        put32(b, quint32(3 + params.size()));
        put16(b, function);
        for (int p : params)
            put16(b, quint16(p));
    };
    record(0x020B, {0, 0});                    // window origin (y, x)
    record(0x020C, {height, width});           // window extent (y, x)
    record(0x02FC, {0, 0, 0, 0});              // black solid brush
    record(0x012D, {0});                       // select it
    record(0x041B, {height, width / 2, 0, 0}); // rectangle (bottom, right, top, left)
    record(0x0000, {});                        // end
    const quint32 words = quint32((b.size() - header) / 2);
    qToLittleEndian(words, b.data() + header + 6);
    return b;
}

// An enhanced metafile of width x height pixels: the header record and EMR_EOF.
QByteArray tinyEmf(int width, int height) {
    QByteArray b;
    const quint32 headerSize = 108, eofSize = 20;
    put32(b, 1); // EMR_HEADER
    put32(b, headerSize);
    for (int v : {0, 0, width - 1, height - 1}) // bounds, device pixels, inclusive
        put32(b, quint32(v));
    for (int v : {0, 0, width * 2540 / 96, height * 2540 / 96}) // frame, 0.01 mm
        put32(b, quint32(v));
    put32(b, 0x464D4520); // " EMF"
    put32(b, 0x10000);
    put32(b, headerSize + eofSize);
    put32(b, 2); // records
    put16(b, 1); // handles
    put16(b, 0);
    put32(b, 0); // description
    put32(b, 0);
    put32(b, 0);                        // palette entries
    for (int v : {1024, 768, 271, 203}) // device in pixels and millimetres
        put32(b, quint32(v));
    put32(b, 0); // pixel format
    put32(b, 0);
    put32(b, 0); // not OpenGL
    b.append(QByteArray(int(headerSize) - int(b.size()), '\0'));
    put32(b, 14); // EMR_EOF
    put32(b, eofSize);
    put32(b, 0);
    put32(b, 16);
    put32(b, eofSize);
    return b;
}

QByteArray garbage() {
    QByteArray b;
    for (int i = 0; i < 300; ++i)
        b.append(char((i * 37 + 11) & 0xFF));
    return b;
}

} // namespace

class PictureTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return {};
        f.write(bytes);
        return path;
    }

    static QString errorOf(const QString& fileName) {
        try {
            platform::loadPicture(fileName);
        } catch (const palvexa::Error& e) {
            return e.text();
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void rasterKinds_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("bmp") << "tiny.bmp" << QByteArray("BMP");
        QTest::newRow("ico") << "tiny.ico" << QByteArray("ICO");
        QTest::newRow("upper-case extension") << "TINY.BMP" << QByteArray("BMP");
    }
    void rasterKinds() {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QImage source(24, 16, QImage::Format_ARGB32);
        source.fill(Qt::red);
        source.setPixelColor(0, 0, Qt::blue);
        const QString path = dir_.filePath(name);
        QVERIFY(source.save(path, format.constData()));

        const QImage image = platform::loadPicture(path);
        QCOMPARE(image.size(), QSize(24, 16));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::blue));
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::red));
    }

    void metafileAtItsFrameSize() {
        const QImage image = platform::loadPicture(write("tiny.wmf", tinyWmf(40, 20)));
        QCOMPARE(image.size(), QSize(40, 20));
        // The rectangle covers the left half of the frame, not the whole picture.
        QCOMPARE(qGray(image.pixel(5, 10)), 0);
        QCOMPARE(qAlpha(image.pixel(5, 10)), 255);
        QCOMPARE(qAlpha(image.pixel(35, 10)), 0);
    }

    void enhancedMetafileAtItsFrameSize() {
        const QImage image = platform::loadPicture(write("tiny.emf", tinyEmf(64, 48)));
        QCOMPARE(image.size(), QSize(64, 48));
    }

    void reloadedFromTheFile() {
        const QString path = write("changing.wmf", tinyWmf(40, 20));
        QCOMPARE(platform::loadPicture(path).size(), QSize(40, 20));
        write("changing.wmf", tinyWmf(64, 32));
        QCOMPARE(platform::loadPicture(path).size(), QSize(64, 32));
    }

    void errors_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: no file written
        QTest::addColumn<QString>("expected"); // %1: the path

        QTest::newRow("missing bmp") << "missing.bmp" << QByteArray() << "Cannot open file %1";
        QTest::newRow("missing emf") << "missing.emf" << QByteArray() << "Cannot open file %1";
        QTest::newRow("unknown extension")
            << "exhibit.gif" << QByteArray("GIF89a") << "Unknown picture file extension (.gif)";
        QTest::newRow("extension as written")
            << "exhibit.Jpg" << QByteArray("x") << "Unknown picture file extension (.Jpg)";
        QTest::newRow("no extension")
            << "exhibit" << QByteArray("x") << "Unknown picture file extension (.)";
        // An unknown extension wins over a missing file.
        QTest::newRow("missing, unknown extension")
            << "missing.png" << QByteArray() << "Unknown picture file extension (.png)";
        for (const char* ext : {"bmp", "ico", "wmf", "emf"}) {
            const QString kind = QString::fromLatin1(ext);
            QTest::addRow("garbage %s", ext)
                << "garbage." + kind << garbage()
                << "The picture file %1 is damaged or is not a " + kind.toUpper() + " picture";
            QTest::addRow("empty %s", ext)
                << "empty." + kind << QByteArray("")
                << "The picture file %1 is damaged or is not a " + kind.toUpper() + " picture";
        }
        QTest::newRow("wmf cut short") << "short.wmf" << tinyWmf(40, 20).left(60)
                                       << "The picture file %1 is damaged or is not a WMF picture";
        QTest::newRow("emf without its end record")
            << "short.emf" << tinyEmf(40, 20).left(108)
            << "The picture file %1 is damaged or is not a EMF picture";
        QTest::newRow("bmp holding a png")
            << "png.bmp" << QByteArray("\x89PNG\r\n\x1a\n", 8)
            << "The picture file %1 is damaged or is not a BMP picture";
    }
    void errors() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const QString path = bytes.isNull() ? dir_.filePath(name) : write(name, bytes);
        QVERIFY(!path.isEmpty());
        QCOMPARE(errorOf(path), expected.arg(path));
    }

    void bareNameFromTheCurrentFolder() {
        write("here.wmf", tinyWmf(30, 10));
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_.path()));
        QSize size;
        QString error;
        try {
            size = platform::loadPicture(QStringLiteral("here.wmf")).size();
        } catch (const palvexa::Error& e) {
            error = e.text();
        }
        QDir::setCurrent(before);
        QCOMPARE(error, QString());
        QCOMPARE(size, QSize(30, 10));
    }
};

QTEST_MAIN(PictureTest)
#include "picture_test.moc"
