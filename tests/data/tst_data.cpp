#include "data/bank_writer.h"
#include "data/exam_tables.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace data;

namespace {
bool isPlainSqlite(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) && f.read(16).startsWith("SQLite format 3");
}
} // namespace

class TstData : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }

    void init() {
        QDir::setCurrent(dir_.path());
        for (const QString& f : {QuestionBankFile, ExamSetFile, UserSetFile})
            QFile::remove(f);
    }

    void missingTablesAreCreatedEmpty_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("encrypted");
        QTest::addRow("exam set") << ExamSetFile
                                  << QStringList{"Q_EXAM_N",    "Q_SECT", "Q_TEXT", "Q_EXPL",
                                                 "Q_TYPE",      "Q1",     "Q2",     "Q3",
                                                 "Q4",          "Q5",     "Q6",     "A1",
                                                 "A2",          "A3",     "A4",     "A5",
                                                 "A6",          "Q_SIM",  "PICT1",  "PICT2",
                                                 "Q_OR_NUMBER", "U_MEMO"}
                                  << true;
        QTest::addRow("user set") << UserSetFile
                                  << QStringList{"Q_ID", "Q_SECT", "Q_TEXT", "Q_EXPL", "Q_TYPE",
                                                 "Q1",   "Q2",     "Q3",     "Q4",     "Q5",
                                                 "Q6",   "A1",     "A2",     "A3",     "A4",
                                                 "A5",   "A6",     "U_MEMO"}
                                  << false;
    }

    void missingTablesAreCreatedEmpty() {
        QFETCH(QString, which);
        QFETCH(QStringList, fields);
        QFETCH(bool, encrypted);
        ExamTables tables;
        store::Table& t = which == ExamSetFile ? tables.dtCurrentSet : tables.dtUserSet;
        t.open();
        QVERIFY(t.isEmpty());
        QCOMPARE(t.fieldNames(), fields);
        t.close();
        QVERIFY(QFile::exists(which));
        QCOMPARE(!isPlainSqlite(which), encrypted);
        // Reopened by a session that only knows the program's password.
        ExamTables again;
        store::Table& u = which == ExamSetFile ? again.dtCurrentSet : again.dtUserSet;
        u.open();
        QCOMPARE(u.fieldNames(), fields);
    }

    void missingBankIsAnError() {
        ExamTables tables;
        try {
            tables.dtQSet.open();
            QFAIL("a missing bank opened");
        } catch (const palvexa::Error& e) {
            QVERIFY2(e.text().contains("velmora.DAT"), qPrintable(e.text()));
        }
    }

    void userSetAssignsIds() {
        ExamTables tables;
        store::Table& t = tables.dtUserSet;
        t.open();
        for (const char* text : {"first", "second", "third"}) {
            t.append();
            t.setText("Q_Text", text);
            t.setInteger(Q_SECT, 2);
            t.post();
            QCOMPARE(t.asInteger(Q_ID), t.recordCount());
        }
        t.setRecNo(2);
        t.remove();
        t.append();
        t.setText(Q_TEXT, "fourth");
        t.post();
        QCOMPARE(t.asInteger(Q_ID), 4); // ids are not reused
        QCOMPARE(t.recNo(), 3);
        t.first();
        QCOMPARE(t.asText("q_text"), QString("first"));
    }

    // The bank's record numbers are its Q_IDs, also under a practice-exam filter.
    void bankNumbersUnderExamFilter() {
        QList<QVariantMap> records;
        for (int i = 0; i < 12; ++i)
            records << QVariantMap{{Q_EXAM_N, i % 4}, {Q_TEXT, QStringLiteral("q%1").arg(i + 1)}};
        writeQuestionBank(QuestionBankFile, records);
        QVERIFY(!isPlainSqlite(QuestionBankFile));
        ExamTables tables;
        tables.dtQSet.setFilter("Q_EXAM_N=3");
        tables.dtQSet.setFiltered(true);
        tables.dtQSet.open();
        QList<int> ids;
        for (tables.dtQSet.first(); !tables.dtQSet.eof(); tables.dtQSet.next()) {
            QCOMPARE(tables.dtQSet.recNo(), tables.dtQSet.asInteger(Q_ID));
            ids << tables.dtQSet.recNo();
        }
        QCOMPARE(ids, (QList<int>{4, 8, 12}));
        tables.dtQSet.setFilter("Q_EXAM_N<>0");
        QCOMPARE(tables.dtQSet.recordCount(), 9);
        // A note saved by record number lands on that question.
        tables.dtQSet.setRecNo(8);
        tables.dtQSet.edit();
        tables.dtQSet.setText(U_MEMO, "remember");
        tables.dtQSet.post();
        tables.dtQSet.close();
        tables.dtQSet.setFiltered(false);
        tables.dtQSet.open();
        QVERIFY(tables.dtQSet.findKey(8));
        QCOMPARE(tables.dtQSet.asText(U_MEMO), QString("remember"));
    }
};

QTEST_GUILESS_MAIN(TstData)
#include "tst_data.moc"
