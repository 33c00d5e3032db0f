#include "pdf_text.h"

#include <QDebug>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace testsupport {

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString unescape(QString s) {
    s.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    s.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    s.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    s.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return s;
}

} // namespace

QString pdfLayoutText(const QString& pdfPath) {
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
}

QList<PdfWord> pdfWords(const QString& pdfPath) {
    const QString html =
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), pdfPath, QStringLiteral("-")});
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    constexpr double mmPerPt = 25.4 / 72.0;
    QList<PdfWord> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({unescape(m.captured(5)), QRectF(topLeft * mmPerPt, bottomRight * mmPerPt)});
    }
    return words;
}

PdfWord findWord(const QList<PdfWord>& words, const QString& text) {
    for (const PdfWord& w : words)
        if (w.text == text)
            return w;
    return {};
}

int pdfPageCount(const QString& pdfPath) {
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto m = pages.match(run(QStringLiteral("pdfinfo"), {pdfPath}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

void keepForLooking(QTemporaryDir& dir, const QString& path) {
    if (!qEnvironmentVariableIsSet("PALVEXA_KEEP_OUTPUT"))
        return;
    dir.setAutoRemove(false);
    qInfo().noquote() << "kept" << path;
}

} // namespace testsupport
