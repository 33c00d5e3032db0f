// The page layer: positions in millimetres, grown bands, the footer, the one-page cut and bars.

#include "pdf_text.h"
#include "report/page.h"
#include "report/printer.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

namespace {

// Paper position of a printable-area position, in millimetres.
constexpr double onPaper(double mm) {
    return report::MarginMm + mm;
}

QString printToPdf(const report::Page& page, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    report::setUpPrinter(printer, QStringLiteral("Report"));
    page.print(&printer);
    return path;
}

QString numbered(const QString& stem, int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << stem + QString::number(i);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class ReportPageTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void placesElementsAndGrowsBands() {
        report::Page page;
        report::Band& title = page.band(10);
        title.memo(QRectF(10, 2, 100, 5), numbered(QStringLiteral("Line"), 6), {});
        report::Band& next = page.band(12);
        next.label(QRectF(50, 1, 30, 5), QStringLiteral("LeftMark"), {});
        report::TextStyle right;
        right.alignment = Qt::AlignRight;
        next.label(QRectF(100, 1, 50, 5), QStringLiteral("RightMark"), right);
        page.footer(20).label(QRectF(10, 2, 30, 5), QStringLiteral("FootMark"), {});

        const auto words = pdfWords(printToPdf(page, dir_.filePath("place.pdf")));
        const PdfWord line1 = findWord(words, "Line1");
        const PdfWord line6 = findWord(words, "Line6");
        const PdfWord left = findWord(words, "LeftMark");
        const PdfWord rightMark = findWord(words, "RightMark");
        const PdfWord foot = findWord(words, "FootMark");
        QVERIFY(!line6.text.isEmpty() && !left.text.isEmpty() && !foot.text.isEmpty());

        QVERIFY(qAbs(line1.box.left() - onPaper(10)) < 1.0);
        QVERIFY(qAbs(left.box.left() - onPaper(50)) < 1.0);
        QVERIFY(qAbs(rightMark.box.right() - onPaper(150)) < 1.0);
        // The six lines do not fit the 5 mm memo: the band grows and the next one moves down.
        QVERIFY2(left.box.top() > line6.box.bottom(), "next band overlaps the grown memo");
        // The footer sits at the bottom of the printable area.
        const double footerTop = 297.0 - report::MarginMm - 20.0;
        QVERIFY(qAbs(foot.box.top() - (footerTop + 2)) < 1.5);
    }

    void cutsAtTheFooterOnOnePage() {
        report::Page page;
        page.band(10).memo(QRectF(10, 0, 100, 5), numbered(QStringLiteral("Row"), 300), {});
        page.footer(20).label(QRectF(10, 2, 30, 5), QStringLiteral("FootMark"), {});
        const QString path = printToPdf(page, dir_.filePath("cut.pdf"));

        QCOMPARE(pdfPageCount(path), 1);
        const auto words = pdfWords(path);
        QVERIFY(!findWord(words, "Row1").text.isEmpty());
        QVERIFY(findWord(words, "Row300").text.isEmpty());
        QVERIFY(!findWord(words, "FootMark").text.isEmpty());
        const double footerTop = 297.0 - report::MarginMm - 20.0;
        for (const PdfWord& w : words)
            if (w.text.startsWith(QLatin1String("Row")))
                QVERIFY2(w.box.bottom() <= footerTop + 0.5, qPrintable(w.text));
    }

    void barsStandFromTheBottomUp() {
        report::Page page;
        report::BarChartStyle style;
        style.maximum = 1000;
        style.step = 100;
        page.band(60).barChart(
            QRectF(10, 0, 150, 40),
            {{QStringLiteral("Lower"), 400, Qt::green}, {QStringLiteral("Upper"), 850, Qt::blue}},
            style);
        const auto words = pdfWords(printToPdf(page, dir_.filePath("bars.pdf")));
        const PdfWord lower = findWord(words, "Lower");
        const PdfWord upper = findWord(words, "Upper");
        const PdfWord zero = findWord(words, "0");
        const PdfWord top = findWord(words, "1000");
        QVERIFY(!lower.text.isEmpty() && !upper.text.isEmpty());
        QVERIFY(!zero.text.isEmpty() && !top.text.isEmpty());
        QVERIFY(!findWord(words, "500").text.isEmpty());
        QVERIFY(lower.box.top() > upper.box.top());
        // Value labels run left to right under the bars, inside the chart's box.
        QVERIFY(zero.box.left() < top.box.left());
        QVERIFY(zero.box.top() > lower.box.bottom());
        QVERIFY(top.box.right() <= onPaper(160) + 0.5);
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(ReportPageTest)
#include "report_page_test.moc"
