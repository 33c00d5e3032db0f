#pragma once

// Reads printed PDFs back through poppler's command-line tools.

#include <QList>
#include <QRectF>
#include <QString>

class QTemporaryDir;

namespace testsupport {

struct PdfWord {
    QString text;
    QRectF box; // in millimetres from the paper's top-left corner
};

// The page text as `pdftotext -layout` lays it out; empty when the tool fails.
QString pdfLayoutText(const QString& pdfPath);
// Every word of the first page with its box.
QList<PdfWord> pdfWords(const QString& pdfPath);
// The first word with this text, or a word with an empty text.
PdfWord findWord(const QList<PdfWord>& words, const QString& text);
int pdfPageCount(const QString& pdfPath);

// With PALVEXA_KEEP_OUTPUT set, the folder stays and the file's path is logged, to look at.
void keepForLooking(QTemporaryDir& dir, const QString& path);

} // namespace testsupport
