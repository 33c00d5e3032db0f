#include "bank/tool/bank_source.h"
#include "bank/tool/bank_stats.h"
#include "bank/tool/bank_tables.h"
#include "bank/tool/cli.h"
#include "bank/tool/yaml_writer.h"
#include "data/fields.h"
#include "store/table.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <yaml-cpp/yaml.h>

namespace {

QString fixture(const QString& path) {
    return qEnvironmentVariable("PALVEXA_TEST_DATA") + "/banks/" + path;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Run {
    int code;
    QString out;
    QString err;
};

Run tool(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = bank::runBankTool(args, o, e);
    o.flush();
    e.flush();
    return {code, out, err};
}

// Opens a table file the way the program does, for checking and for writing what users write.
struct OpenTable {
    store::Session session{data::SessionName};
    store::Table table{session};
    explicit OpenTable(const QString& file, const QString& index = QString()) {
        session.addPassword(data::SessionPassword);
        table.setFileName(file);
        table.setIndexField(index);
        table.open();
    }
    ~OpenTable() { table.close(); }
};

// A valid question; the validation rows each break one line of it.
const QByteArray kValidQuestion = "- id: 1\n"
                                  "  exam: A\n"
                                  "  section: 2\n"
                                  "  type: single\n"
                                  "  text: Which one?\n"
                                  "  choices:\n"
                                  "    a: One\n"
                                  "    b: Two\n"
                                  "  answer: a\n"
                                  "  explanation: Because.\n";

} // namespace

class TestBankTool : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return dir_.filePath(name); }
    Run compileFixture(const QString& out) {
        return tool({"compile", fixture("small/questions"), "-o", out, "--exhibits-out",
                     QFileInfo(out).path()});
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void roundTripIsLossless() {
        const Run first = compileFixture(path("rt/first.DAT"));
        QCOMPARE(first.code, 0);
        QCOMPARE(tool({"export", path("rt/first.DAT"), "-o", path("rt/first.yaml")}).code, 0);
        QCOMPARE(tool({"compile", path("rt/first.yaml"), "-o", path("rt/second.DAT"), "--exhibits",
                       fixture("small/exhibits")})
                     .code,
                 0);
        QCOMPARE(tool({"export", path("rt/second.DAT"), "-o", path("rt/second.yaml")}).code, 0);
        QCOMPARE(readFile(path("rt/second.yaml")), readFile(path("rt/first.yaml")));

        // The source's values arrive in the table as the program reads them.
        OpenTable bank(path("rt/second.DAT"), data::Q_ID);
        store::Table& t = bank.table;
        QCOMPARE(t.recordCount(), 3);
        QVERIFY(t.findKey(1));
        QCOMPARE(t.recNo(), 1);
        QCOMPARE(t.asText("Q_TEXT"),
                 "You are installing Windows NT Workstation 4.0 on a computer with two disks.\n\n"
                 "Which two file systems can the boot partition use? Choose two.");
        QVERIFY(t.asText("Q3").isEmpty()); // the gap at c
        QCOMPARE(t.asText("Q4"), "HPFS: read only");
        QVERIFY(t.asBoolean("A1") && t.asBoolean("A2") && !t.asBoolean("A4"));
        QVERIFY(t.asBoolean("Q_TYPE"));
        QCOMPARE(t.asText("PICT1"), "layout.bmp");
        QVERIFY(t.findKey(2));
        QCOMPARE(t.asInteger("Q_EXAM_N"), 0); // exam none
        QCOMPARE(t.asText("U_MEMO"), "Look this up again.\n  Indented second line.");
        QCOMPARE(t.asText("Q_SIM"), "sim-2");
        QCOMPARE(t.asText("PICT2"), "second.wmf");
        QCOMPARE(t.asText("Q1"), "yes");
        QVERIFY(t.findKey(3));
        QCOMPARE(t.asInteger("Q_EXAM_N"), 7);
        QCOMPARE(t.asText("Q_TEXT"), "  Leading blanks stay; so does a tab\tinside.");
        QCOMPARE(t.asText("Q_EXPL"), "  Starts with blanks.\nThen not.");

        // The exhibit is drawn at the drawing's own size on white.
        const QImage exhibit(path("rt/layout.bmp"));
        QCOMPARE(exhibit.size(), QSize(160, 90));
        QCOMPARE(exhibit.pixelColor(2, 2), QColor(Qt::white));
        QCOMPARE(exhibit.pixelColor(80, 25), QColor(0xc0, 0xc0, 0xc0));
    }

    void validationReportsFileAndLine_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");

        QTest::newRow("yaml syntax")
            << QByteArray("  text: Which one?\n") << QByteArray("  text: [Which one?\n") << 5
            << "YAML syntax error";
        QTest::newRow("unknown key")
            << QByteArray("  section: 2\n") << QByteArray("  section: 2\n  sectoin: 3\n") << 4
            << "question 1: unknown key 'sectoin'";
        QTest::newRow("missing key") << QByteArray("  explanation: Because.\n") << QByteArray() << 1
                                     << "question 1: missing key 'explanation'";
        QTest::newRow("id gap") << QByteArray("- id: 1\n") << QByteArray("- id: 3\n") << 1
                                << "question 3: ids must run 1..N without gaps (missing 1..2)";
        QTest::newRow("id not a number") << QByteArray("- id: 1\n") << QByteArray("- id: one\n")
                                         << 1 << "entry 1: id must be a whole number (is 'one')";
        QTest::newRow("exam out of range") << QByteArray("  exam: A\n") << QByteArray("  exam: H\n")
                                           << 2 << "question 1: exam must be A..G or none (is 'H')";
        QTest::newRow("section out of range")
            << QByteArray("  section: 2\n") << QByteArray("  section: 8\n") << 3
            << "question 1: section must be 1..7 (is 8)";
        QTest::newRow("unknown type")
            << QByteArray("  type: single\n") << QByteArray("  type: Single\n") << 4
            << "question 1: type must be single or multiple (is 'Single')";
        QTest::newRow("single with two answers")
            << QByteArray("  answer: a\n") << QByteArray("  answer: [a, b]\n") << 9
            << "question 1: single-response item needs exactly one correct choice (has 2)";
        QTest::newRow("multiple with none")
            << QByteArray("  type: single\n  text: Which one?\n  choices:\n    a: One\n    b: Two\n"
                          "  answer: a\n")
            << QByteArray("  type: multiple\n  text: Which one?\n  choices:\n    a: One\n"
                          "    b: Two\n  answer: []\n")
            << 9 << "question 1: multiple-response item needs at least one correct choice";
        QTest::newRow("answer names an empty choice")
            << QByteArray("  answer: a\n") << QByteArray("  answer: c\n") << 9
            << "question 1: answer c names an empty choice";
        QTest::newRow("answer not a letter")
            << QByteArray("  answer: a\n") << QByteArray("  answer: g\n") << 9
            << "question 1: answer 'g' is not a choice letter a..f";
        QTest::newRow("no choice at all")
            << QByteArray("    a: One\n    b: Two\n") << QByteArray("    a: \"\"\n") << 7
            << "question 1: item has no choice at all";
        QTest::newRow("choices out of order")
            << QByteArray("    a: One\n    b: Two\n") << QByteArray("    b: Two\n    a: One\n") << 8
            << "question 1: choice a comes after b; choices go a..f in order";
        QTest::newRow("exhibit without source")
            << QByteArray("  explanation: Because.\n")
            << QByteArray("  explanation: Because.\n  exhibit: missing.bmp\n") << 11
            << "question 1: exhibit 'missing.bmp' has no source";
        QTest::newRow("exhibit of another kind")
            << QByteArray("  explanation: Because.\n")
            << QByteArray("  explanation: Because.\n  exhibit: layout.gif\n") << 11
            << "question 1: exhibit 'layout.gif' must end in .bmp, .ico, .wmf or .emf";
        QTest::newRow("exhibit outside the folder")
            << QByteArray("  explanation: Because.\n")
            << QByteArray("  explanation: Because.\n  exhibit: ../layout.bmp\n") << 11
            << "question 1: exhibit '../layout.bmp' must be a bare file name";
    }

    void validationReportsFileAndLine() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(int, line);
        QFETCH(QString, message);

        QByteArray yaml = kValidQuestion;
        QVERIFY(yaml.contains(from));
        yaml.replace(from, to);
        const QString questions =
            path(QStringLiteral("v/%1/questions").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(questions));
        writeFile(questions + "/x.yaml", yaml);

        const Run run = tool({"validate", questions, "--exhibits", fixture("small/exhibits")});
        QCOMPARE(run.code, 1);
        const QString expected =
            QStringLiteral("%1/x.yaml:%2: %3").arg(questions).arg(line).arg(message);
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
    }

    void validationChecksIdsOverAllFiles() {
        const QString questions = path("ids/questions");
        QVERIFY(QDir().mkpath(questions));
        writeFile(questions + "/a.yaml", kValidQuestion);
        writeFile(questions + "/b.yaml", "# second file\n" + kValidQuestion);
        const Run run = tool({"validate", questions, "--exhibits", fixture("small/exhibits")});
        QCOMPARE(run.code, 1);
        QVERIFY2(run.err.contains(questions + "/b.yaml:2: question 1: id 1 is already used at " +
                                  questions + "/a.yaml:1"),
                 qPrintable(run.err));

        QByteArray second = kValidQuestion;
        writeFile(questions + "/b.yaml", second.replace("- id: 1", "- id: 2"));
        const Run fixed = tool({"validate", questions, "--exhibits", fixture("small/exhibits")});
        QCOMPARE(fixed.code, 0);
        QVERIFY(fixed.err.isEmpty());
    }

    void compileKeepsUsersNotes() {
        const QString out = path("notes/velmora.DAT");
        QCOMPARE(compileFixture(out).code, 0);
        {
            OpenTable bank(out, data::Q_ID);
            QVERIFY(bank.table.findKey(3));
            bank.table.edit();
            bank.table.setText("U_MEMO", "Disk Administrator, not Server Manager.");
            bank.table.post();
        }
        QCOMPARE(compileFixture(out).code, 0);

        OpenTable bank(out, data::Q_ID);
        QVERIFY(bank.table.findKey(3));
        QCOMPARE(bank.table.asText("U_MEMO"), "Disk Administrator, not Server Manager.");
        QVERIFY(bank.table.findKey(2)); // the source's own note is still there
        QCOMPARE(bank.table.asText("U_MEMO"), "Look this up again.\n  Indented second line.");
        QVERIFY(bank.table.findKey(1));
        QVERIFY(bank.table.isNull("U_MEMO") || bank.table.asText("U_MEMO").isEmpty());
    }

    void failedCompileLeavesOldBank_data() {
        QTest::addColumn<QByteArray>("yaml");
        QTest::addColumn<QByteArray>("svg");
        // Stopped by validation, and stopped after the new table was written.
        QTest::newRow("invalid source")
            << QByteArray(kValidQuestion).replace("  section: 2\n", "  section: 9\n")
            << QByteArray();
        QTest::newRow("exhibit cannot be drawn") << kValidQuestion + "  exhibit: broken.bmp\n"
                                                 << QByteArray("<svg this is not");
    }

    void failedCompileLeavesOldBank() {
        QFETCH(QByteArray, yaml);
        QFETCH(QByteArray, svg);
        const QString root = path(QStringLiteral("fail/%1").arg(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(root + "/questions") && QDir().mkpath(root + "/exhibits") &&
                QDir().mkpath(root + "/out"));
        const QString out = root + "/out/velmora.DAT";
        QCOMPARE(tool({"compile", fixture("small/questions"), "-o", out}).code, 0);
        const QByteArray before = readFile(out);

        writeFile(root + "/questions/q.yaml", yaml);
        if (!svg.isEmpty())
            writeFile(root + "/exhibits/broken.svg", svg);
        const Run run =
            tool({"compile", root + "/questions", "-o", out, "--exhibits-out", root + "/out"});
        QCOMPARE(run.code, 1);
        QVERIFY(!run.err.isEmpty());
        QCOMPARE(readFile(out), before);
        // Nothing half-made is left beside it.
        QCOMPARE(QDir(root + "/out").entryList(QDir::Files | QDir::Hidden), {"velmora.DAT"});
    }

    void exportRawUsesTheTablesFieldNames_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("fields");
        const QStringList body = {"Q_SECT", "Q_TEXT", "Q_EXPL", "Q_TYPE", "Q1", "Q2", "Q3", "Q4",
                                  "Q5",     "Q6",     "A1",     "A2",     "A3", "A4", "A5", "A6"};
        QTest::newRow("bank") << "bank"
                              << QStringList{"Q_ID", "Q_EXAM_N"} + body +
                                     QStringList{"Q_SIM", "PICT1", "PICT2", "U_MEMO"};
        QTest::newRow("exam set") << "exam-set"
                                  << QStringList{"Q_EXAM_N"} + body +
                                         QStringList{"Q_SIM", "PICT1", "PICT2", "Q_OR_NUMBER",
                                                     "U_MEMO"};
        QTest::newRow("user set") << "user-set"
                                  << QStringList{"Q_ID"} + body + QStringList{"U_MEMO"};
    }

    void exportRawUsesTheTablesFieldNames() {
        QFETCH(QString, kind);
        QFETCH(QStringList, fields);
        const QString file = path("raw/" + kind + ".DAT");
        if (kind == "bank") {
            QCOMPARE(tool({"compile", fixture("small/questions"), "-o", file}).code, 0);
        } else {
            QCOMPARE(tool({"create-empty", kind, file}).code, 0);
            OpenTable t(file);
            t.table.append();
            t.table.setInteger("Q_SECT", 4);
            t.table.setText("Q_TEXT", "Which protocol?");
            t.table.post();
        }
        const Run run = tool({"export", "--raw", file});
        QCOMPARE(run.code, 0);
        const YAML::Node records = YAML::Load(run.out.toStdString());
        QVERIFY(records.IsSequence() && records.size() >= 1);
        QStringList keys;
        for (const auto& entry : records[0])
            keys << QString::fromStdString(entry.first.Scalar());
        QCOMPARE(keys, fields);
        QCOMPARE(records[0]["Q_SECT"].as<int>(), kind == "bank" ? 2 : 4);
    }

    void exportOfExamAndUserSets() {
        const QString examSet = path("sets/ces.DAT");
        const QString userSet = path("sets/velmorausr.DAT");
        QCOMPARE(tool({"create-empty", "exam-set", examSet}).code, 0);
        QCOMPARE(tool({"create-empty", "user-set", userSet}).code, 0);
        for (const QString& file : {examSet, userSet}) {
            OpenTable t(file);
            t.table.append();
            if (file == examSet)
                t.table.setInteger("Q_OR_NUMBER", 17);
            t.table.setInteger("Q_SECT", 3);
            t.table.setText("Q_TEXT", "Share which folder?");
            t.table.setText("Q2", "Public");
            t.table.setBoolean("A2", true);
            t.table.post();
        }
        const YAML::Node items = YAML::Load(tool({"export", examSet}).out.toStdString());
        QCOMPARE(items[0]["item"].as<int>(), 1);
        QCOMPARE(items[0]["source_id"].as<int>(), 17);
        QVERIFY(!items[0]["exam"]); // a User Exam item carries no exam
        QCOMPARE(items[0]["answer"].as<std::string>(), "b");
        QCOMPARE(items[0]["choices"]["b"].as<std::string>(), "Public");
        QVERIFY(!items[0]["choices"]["a"]);

        const YAML::Node own = YAML::Load(tool({"export", userSet}).out.toStdString());
        QCOMPARE(own[0]["id"].as<int>(), 1);
        QCOMPARE(own[0]["section"].as<int>(), 3);
        QVERIFY(!own[0]["exam"]);
    }

    void createEmptyNeverTouchesAnExistingFile() {
        const QString userSet = path("empty/velmorausr.DAT");
        QCOMPARE(tool({"create-empty", "user-set", userSet}).code, 0);
        {
            OpenTable t(userSet);
            QVERIFY(t.table.isEmpty());
            t.table.append();
            t.table.setText("Q_TEXT", "Mine");
            t.table.post();
        }
        const QByteArray written = readFile(userSet);
        QCOMPARE(tool({"create-empty", "user-set", userSet}).code, 0);
        QCOMPARE(readFile(userSet), written);

        // Not even a file that is no table at all.
        const QString other = path("empty/ces.DAT");
        writeFile(other, "not a table");
        QCOMPARE(tool({"create-empty", "exam-set", other}).code, 0);
        QCOMPARE(readFile(other), QByteArray("not a table"));
    }

    void exportedTextsReadBackExactly_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("windows line ends") << "first\r\nsecond";
        QTest::newRow("line breaks only") << "\n\n";
        QTest::newRow("closing line breaks") << "note\n\n";
        QTest::newRow("indented after a blank line") << "\n  indented\nnot";
        QTest::newRow("blank-only first line") << "  \ntext";
        QTest::newRow("looks like a list") << "- item";
        QTest::newRow("looks like a mapping") << "key: value # not a comment";
        QTest::newRow("a word other readers take as false") << "No";
        QTest::newRow("surrounding blanks") << " padded ";
        QTest::newRow("document marker line") << "a\n---\nb";
    }

    void exportedTextsReadBackExactly() {
        QFETCH(QString, text);
        bank::YamlWriter w;
        w.beginItem();
        w.scalar("text", text);
        w.beginMap("choices");
        w.scalar("a", text);
        w.endMap();
        const YAML::Node back = YAML::Load(w.text().toStdString());
        QCOMPARE(QString::fromStdString(back[0]["text"].Scalar()), text);
        QCOMPARE(QString::fromStdString(back[0]["choices"]["a"].Scalar()), text);
        if (text.compare("no", Qt::CaseInsensitive) == 0)
            QVERIFY(w.text().contains('"')); // quoted for readers that follow YAML 1.1
    }

    void statsCountTheBank() {
        const bank::SourceBank source =
            bank::loadBank({fixture("small/questions")}, fixture("small/exhibits"));
        QVERIFY(source.problems.isEmpty());
        const QString stats = bank::bankStats(source.questions);
        QVERIFY2(stats.contains("Questions: 3; multiple response: 1 (33.3 %)"), qPrintable(stats));
        QVERIFY2(
            stats.contains(QRegularExpression(R"(A\s+multiple\s+0\s+1\s+0\s+0\s+0\s+0\s+0\s+1\n)")),
            qPrintable(stats));
        QVERIFY2(stats.contains(QRegularExpression(R"(\n  f\s+1\s+25.0 %)")), qPrintable(stats));
        QVERIFY2(stats.contains("layout.bmp: question 1"), qPrintable(stats));
    }
};

QTEST_MAIN(TestBankTool)
#include "tst_bank_tool.moc"
