#include "platform/error.h"
#include "settings/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using settings::SettingsStore;

namespace {

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class TestSettingsStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int fileNumber_ = 0;
    QString iniPath() const {
        return dir_.filePath(QStringLiteral("Palvexa%1.ini").arg(fileNumber_));
    }

    // A file holding one value as it would be typed into it, or no file at all.
    void prepare(const QByteArray& line) {
        if (!line.isNull())
            writeFile(iniPath(), "[Options]\n" + line + "\n");
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }
    // A new file for every case: QSettings caches what it read of a path, and a file rewritten
    // behind its back with the same size and time would read as the old one.
    void init() { ++fileNumber_; }

    void readInteger_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("expected");

        QTest::newRow("missing file") << QByteArray() << 10;
        QTest::newRow("missing key") << QByteArray("Other=5") << 10;
        QTest::newRow("plain") << QByteArray("QFontSize=12") << 12;
        QTest::newRow("negative") << QByteArray("QFontSize=-5") << -5;
        QTest::newRow("blanks round the value") << QByteArray("QFontSize = 14 ") << 14;
        QTest::newRow("letters") << QByteArray("QFontSize=abc") << 10;
        QTest::newRow("empty") << QByteArray("QFontSize=") << 10;
        QTest::newRow("trailing letters") << QByteArray("QFontSize=12x") << 10;
        QTest::newRow("sign only") << QByteArray("QFontSize=-") << 10;
        QTest::newRow("decimal point") << QByteArray("QFontSize=1.5") << 10;
        QTest::newRow("largest") << QByteArray("QFontSize=2147483647") << 2147483647;
        QTest::newRow("smallest") << QByteArray("QFontSize=-2147483648") << int(-2147483648LL);
        QTest::newRow("above range") << QByteArray("QFontSize=2147483648") << 10;
        QTest::newRow("below range") << QByteArray("QFontSize=-2147483649") << 10;
        QTest::newRow("far above range") << QByteArray("QFontSize=99999999999999999999") << 10;
    }

    void readInteger() {
        QFETCH(QByteArray, line);
        QFETCH(int, expected);
        prepare(line);
        const SettingsStore store(iniPath());
        QCOMPARE(store.readInteger(QStringLiteral("QFontSize"), 10), expected);
    }

    void valueOfAnotherSectionIsNotRead() {
        writeFile(iniPath(), "[Other]\nQFontSize=12\n");
        const SettingsStore store(iniPath());
        QCOMPARE(store.readInteger(QStringLiteral("QFontSize"), 10), 10);
    }

    void readBool_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("defaultValue");
        QTest::addColumn<bool>("expected");

        QTest::newRow("missing, default true") << QByteArray() << true << true;
        QTest::newRow("missing, default false") << QByteArray() << false << false;
        QTest::newRow("one") << QByteArray("ShowCalcBtn=1") << false << true;
        QTest::newRow("zero") << QByteArray("ShowCalcBtn=0") << true << false;
        QTest::newRow("two is true") << QByteArray("ShowCalcBtn=2") << false << true;
        QTest::newRow("negative is true") << QByteArray("ShowCalcBtn=-1") << false << true;
        QTest::newRow("abc keeps default true") << QByteArray("ShowCalcBtn=abc") << true << true;
        QTest::newRow("abc keeps default false") << QByteArray("ShowCalcBtn=abc") << false << false;
        QTest::newRow("words are not booleans") << QByteArray("ShowCalcBtn=true") << false << false;
    }

    void readBool() {
        QFETCH(QByteArray, line);
        QFETCH(bool, defaultValue);
        QFETCH(bool, expected);
        prepare(line);
        const SettingsStore store(iniPath());
        QCOMPARE(store.readBool(QStringLiteral("ShowCalcBtn"), defaultValue), expected);
    }

    // Text typed into the file by hand comes back as it stands: no lists, no typed values.
    void readStringVerbatim_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");

        QTest::newRow("comma") << QByteArray("CalcPath=/opt/calc, sci/calc")
                               << QStringLiteral("/opt/calc, sci/calc");
        QTest::newRow("at sign") << QByteArray("CalcPath=@/opt/calc")
                                 << QStringLiteral("@/opt/calc");
        QTest::newRow("variant look-alike")
            << QByteArray("CalcPath=@Variant(AAAAAQ==)") << QStringLiteral("@Variant(AAAAAQ==)");
        QTest::newRow("invalid look-alike")
            << QByteArray("CalcPath=@Invalid()") << QStringLiteral("@Invalid()");
        QTest::newRow("backslashes")
            << QByteArray("CalcPath=C:\\WINNT\\Calc.exe") << QStringLiteral("C:\\WINNT\\Calc.exe");
        QTest::newRow("semicolon") << QByteArray("CalcPath=/a;b") << QStringLiteral("/a;b");
        QTest::newRow("empty is a value") << QByteArray("CalcPath=") << QString();
        QTest::newRow("utf-8") << QByteArray("CalcPath=/opt/r\xc3\xa9kl\xc3\xa1m")
                               << QStringLiteral("/opt/r\u00e9kl\u00e1m");
        QTest::newRow("missing") << QByteArray() << QStringLiteral("default");
    }

    void readStringVerbatim() {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        prepare(line);
        const SettingsStore store(iniPath());
        QCOMPARE(store.readString(QStringLiteral("CalcPath"), QStringLiteral("default")), expected);
    }

    // What is written comes back unchanged from a fresh store; the plain ones also stand
    // unchanged in the file.
    void writeRoundTrip_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("plainInFile");

        QTest::newRow("comma") << QStringLiteral("/opt/calc,sci/calc") << true;
        QTest::newRow("comma and blank") << QStringLiteral("/opt/calc, sci/calc") << true;
        QTest::newRow("at sign") << QStringLiteral("@/opt/calc") << true;
        QTest::newRow("variant look-alike") << QStringLiteral("@Variant(AAAAAQ==)") << true;
        QTest::newRow("backslashes") << QStringLiteral("C:\\WINNT\\Calc.exe") << true;
        QTest::newRow("ini punctuation") << QStringLiteral("a;b#c=d[e]") << true;
        QTest::newRow("utf-8") << QStringLiteral("/opt/r\u00e9kl\u00e1m") << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("leading blank") << QStringLiteral("  /opt/calc") << false;
        QTest::newRow("trailing blank") << QStringLiteral("/opt/calc ") << false;
        QTest::newRow("quotes") << QStringLiteral("\"/opt/calc\"") << false;
        QTest::newRow("lone quote") << QStringLiteral("\"") << false;
        QTest::newRow("line break") << QStringLiteral("a\nb\r\nc") << false;
        QTest::newRow("tab and escapes") << QStringLiteral("\ta\\\"b\x01") << false;
    }

    void writeRoundTrip() {
        QFETCH(QString, value);
        QFETCH(bool, plainInFile);
        {
            SettingsStore store(iniPath());
            store.writeString(QStringLiteral("CalcPath"), value);
            store.sync();
        }
        const SettingsStore reread(iniPath());
        QCOMPARE(reread.readString(QStringLiteral("CalcPath"), QStringLiteral("default")), value);
        if (plainInFile)
            QVERIFY(readFile(iniPath()).contains("\nCalcPath=" + value.toUtf8() + "\n"));
    }

    void integersAndBooleansAreText() {
        {
            SettingsStore store(iniPath());
            store.writeInteger(QStringLiteral("QFontColor"), -5);
            store.writeInteger(QStringLiteral("QFontSize"), 12);
            store.writeBool(QStringLiteral("QFontBold"), true);
            store.writeBool(QStringLiteral("QFontItalic"), false);
            store.sync();
        }
        const QByteArray text = readFile(iniPath());
        QVERIFY(text.startsWith("[Options]\n"));
        for (const char* line :
             {"QFontColor=-5\n", "QFontSize=12\n", "QFontBold=1\n", "QFontItalic=0\n"})
            QVERIFY2(text.contains(line), line);
    }

    void writingKeepsEverythingElse() {
        writeFile(iniPath(), "Zeta=1\n[Other]\nName=x, y\n[Options]\nTimerOn=0\n");
        {
            SettingsStore store(iniPath());
            store.writeString(QStringLiteral("QFontName"), QStringLiteral("Arial"));
            store.sync();
        }
        const SettingsStore reread(iniPath());
        QCOMPARE(reread.readString(QStringLiteral("QFontName"), {}), QStringLiteral("Arial"));
        QCOMPARE(reread.readBool(QStringLiteral("TimerOn"), true), false);
        const QByteArray text = readFile(iniPath());
        QVERIFY(text.startsWith("Zeta=1\n"));
        QVERIFY(text.contains("[Other]\nName=x, y\n"));
    }

    void userStoreStaysInTestFolder() {
        const QString path = SettingsStore::defaultFilePath();
        QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("Palvexa.ini"));
        QCOMPARE(QFileInfo(path).absolutePath(),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
        QVERIFY(path.contains(QStringLiteral("qttest")));
        QFile::remove(path);
        QDir(QFileInfo(path).absolutePath()).removeRecursively();

        {
            const SettingsStore store;
            QCOMPARE(store.location(), path);
            // Opening makes the folder and writes nothing.
            QVERIFY(QFileInfo(path).absoluteDir().exists());
            QVERIFY(!QFile::exists(path));
        }
        QVERIFY(!QFile::exists(path));
        QFile::remove(path);
    }

    void failedSaveIsReported() {
        // The folder cannot exist: a file stands in its place.
        const QString blocker = dir_.filePath(QStringLiteral("blocker"));
        writeFile(blocker, "x");
        SettingsStore store(blocker + QStringLiteral("/Palvexa.ini"));
        store.writeBool(QStringLiteral("TimerOn"), false);
        QVERIFY_THROWS_EXCEPTION(palvexa::Error, store.sync());
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settings_store.moc"
