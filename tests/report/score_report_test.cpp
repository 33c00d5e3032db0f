// The printed score report, read back from a PDF.

#include "grading/grading.h"
#include "grading/score_report.h"
#include "pdf_text.h"

#include <QLocale>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

class ScoreReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsTheResultOnOnePage() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        palvexa::AnswerSheet sheet(60);
        for (int i = 0; i < 60; ++i) {
            sheet[std::size_t(i)].section = 1 + i % 6; // section 7 stays empty
            sheet[std::size_t(i)].correct = i < 51;
        }
        const palvexa::TotalScore total = palvexa::totalScore(sheet);
        const auto tallies = palvexa::sectionTallies(sheet);

        ScoreReportData data;
        data.ppLabel1 =
            palvexa::titleLine(QStringLiteral("Your Name"), QStringLiteral("Practice Exam A"));
        data.ppLabel4 = palvexa::scoreLine(total);
        data.ppTeeChart1 = {{QStringLiteral("Your score"), total.score, QColor(0, 128, 0)},
                            {QStringLiteral("Required score"), 850, QColor(0, 0, 255)}};
        for (int k = palvexa::SectionCount; k >= 1; --k)
            data.ppTeeChart2.push_back({palvexa::sectionBarLabel(k, tallies[std::size_t(k - 1)]),
                                        double(tallies[std::size_t(k - 1)].percentage),
                                        QColor(255, 0, 0)});
        data.date = QDate(2024, 3, 9);

        const QString path = dir.filePath(QStringLiteral("score.pdf"));
        keepForLooking(dir, path);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        setUpScoreReportPrinter(printer);
        QCOMPARE(printer.docName(), QStringLiteral("Score Report"));
        renderScoreReport(&printer, data);

        QCOMPARE(pdfPageCount(path), 1);
        const QString text = pdfLayoutText(path).simplified();
        const QStringList expected = {
            QStringLiteral("Orvenda"),
            QStringLiteral("Your Name, Palvexa, Practice Exam A"),
            QStringLiteral("Examination Score Report"),
            QStringLiteral("Passing Score: 850 Your Score: 850 Grade: Pass"),
            QStringLiteral("Sections"),
            QStringLiteral("Planning (9/10)"),
            QStringLiteral("Installation and Configuration (9/10)"),
            QStringLiteral("Running Applications (0/0)"),
            QStringLiteral("Your score"),
            QStringLiteral("Required score"),
            QLocale().toString(data.date, QLocale::ShortFormat),
            QStringLiteral("Palvexa"),
        };
        for (const QString& s : expected)
            QVERIFY2(text.contains(s), qPrintable(s + QStringLiteral(" missing in: ") + text));

        // Bars stand in the order added, the first at the bottom; the total chart is above the
        // section chart.
        const auto words = pdfWords(path);
        const auto top = [&](const QString& w) { return findWord(words, w).box.top(); };
        double yourBar = 0; // the bar label, not the title's or the score line's "Your"
        for (const PdfWord& w : words)
            if (w.text == QLatin1String("Your") && w.box.top() > 6.35 + 33.338 &&
                w.box.bottom() < 6.35 + 33.338 + 32.544)
                yourBar = w.box.top();
        QVERIFY(top("Required") < yourBar);
        QVERIFY(yourBar < top("Planning"));
        QVERIFY(top("Planning") < top("Installation"));
        QVERIFY(top("Troubleshooting") < top("Running"));
        // The title line ends at the right edge of its box.
        QVERIFY(qAbs(findWord(words, "A").box.right() - (6.35 + 114.300 + 67.998)) < 1.0);
    }
};

QTEST_MAIN(ScoreReportTest)
#include "score_report_test.moc"
