// The item page: its choice lines, the page read back from a PDF, and the print dialog.

#include "pdf_text.h"
#include "support/scripted_dialogs.h"
#include "ui/exam/item_report.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;
using Choices = std::array<QString, 6>;

Q_DECLARE_METATYPE(Choices)

namespace {

void fill(ItemReportTemplate& r, const Choices& choices) {
    r.ppMemo1 = QStringLiteral("Which tool shows the paging file size?");
    r.ppLabel4 = QStringLiteral("Palvexa, Practice Exam A");
    r.ppLabel1 = QStringLiteral("Item Number: 3");
    r.ppMemo2 =
        ItemReportTemplate::choiceLines(choices, QStringLiteral("Use System.\r\nSee Performance."))
            .join(QLatin1Char('\n'));
    r.ppLabel5 = QStringLiteral("Palvexa");
}

void toPdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

} // namespace

class ItemReportTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choiceLines_data() {
        QTest::addColumn<Choices>("choices");
        QTest::addColumn<QStringList>("lines");
        const QString e;
        QTest::addRow("four choices")
            << Choices{"A1", "B1", "C1", "D1", "", ""}
            << QStringList{"a.  A1", e, "b.  B1", e, "c.  C1", e, "d.  D1", e, e, e, e, "Why."};
        QTest::addRow("empty b still printed")
            << Choices{"A1", "", "", "", "", ""}
            << QStringList{"a.  A1", e, "b.  ", e, e, e, e, e, e, "Why."};
        QTest::addRow("six choices")
            << Choices{"1", "2", "3", "4", "5", "6"}
            << QStringList{"a.  1", e,       "b.  2", e,       "c.  3", e, "d.  4",
                           e,       "e.  5", e,       "f.  6", e,       e, "Why."};
        QTest::addRow("gap in the middle")
            << Choices{"1", "2", "", "4", "", ""}
            << QStringList{"a.  1", e, "b.  2", e, e, "d.  4", e, e, e, e, "Why."};
    }
    void choiceLines() {
        QFETCH(Choices, choices);
        QFETCH(QStringList, lines);
        const QStringList got = ItemReportTemplate::choiceLines(choices, QStringLiteral("Why."));
        QCOMPARE(got, lines);
        QCOMPARE(got.count(QString()), 7);
    }

    void printsThePage() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("item.pdf"));
        keepForLooking(dir, path);
        ItemReportTemplate r;
        fill(r, {"Control Panel", "", "Task Manager", "Regedit", "", ""});
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, path);
        r.render(&printer);

        QCOMPARE(pdfPageCount(path), 1);
        // The text tool writes runs of spaces as one.
        const QString text = pdfLayoutText(path);
        const QStringList inOrder = {
            "Orvenda",          "Palvexa, Practice Exam A",
            "Item Number: 3",   "Which tool shows the paging file size?",
            "a. Control Panel", "b.",
            "c. Task Manager",  "d. Regedit",
            "Use System.",      "See Performance.",
            "Palvexa",
        };
        qsizetype at = 0;
        for (const QString& s : inOrder) {
            const qsizetype found = text.indexOf(s, at);
            QVERIFY2(found >= 0,
                     qPrintable(s + QStringLiteral(" missing or out of order in:\n") + text));
            at = found + s.size();
        }
        QVERIFY(!text.contains(QStringLiteral("e. ")));
    }

    void cutsALongItemAtThePageEnd() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("long.pdf"));
        ItemReportTemplate r;
        fill(r, {"a", "b", "", "", "", ""});
        QStringList many;
        for (int i = 1; i <= 120; ++i)
            many << QStringLiteral("Paragraph%1").arg(i);
        r.ppMemo2 = many.join(QLatin1Char('\n'));
        QPrinter printer(QPrinter::HighResolution);
        toPdf(printer, path);
        r.render(&printer);
        QCOMPARE(pdfPageCount(path), 1);
        const auto words = pdfWords(path);
        QVERIFY(!findWord(words, "Paragraph1").text.isEmpty());
        QVERIFY(findWord(words, "Paragraph120").text.isEmpty());
        QVERIFY(!findWord(words, "Palvexa").text.isEmpty()); // the footer stays
    }

    // The print dialog goes through the modal seam over the one kept printer; Cancel prints
    // nothing.
    void printDialogKeepsThePrinter() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("dialog.pdf"));
        ItemReportTemplate r;
        fill(r, {"x", "y", "", "", "", ""});
        QPrinter* kept = r.printer();
        QCOMPARE(kept->docName(), QStringLiteral("Report"));
        {
            ScriptedDialogs script;
            script.expectModal("QPrintDialog", [&](QDialog* d) {
                auto* dialog = qobject_cast<QPrintDialog*>(d);
                QVERIFY(dialog && dialog->printer() == kept);
                toPdf(*dialog->printer(), path);
                dialog->done(QDialog::Accepted);
            });
            r.print(nullptr);
            QVERIFY2(script.done(), qPrintable(script.report()));
        }
        QVERIFY(QFile::exists(path));
        QVERIFY(QFile::remove(path));
        {
            ScriptedDialogs script;
            script.expectModal("QPrintDialog", [&](QDialog* d) {
                QCOMPARE(qobject_cast<QPrintDialog*>(d)->printer(), kept);
                d->done(QDialog::Rejected);
            });
            r.print(nullptr);
            QVERIFY2(script.done(), qPrintable(script.report()));
        }
        QCOMPARE(r.printer(), kept);
        QCOMPARE(kept->outputFileName(), path); // the setup chosen before is still there
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(ItemReportTest)
#include "item_report_test.moc"
