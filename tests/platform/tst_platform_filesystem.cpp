#include "platform/filesystem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestPlatformFilesystem : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fileExists() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString file = dir.filePath(QStringLiteral("calc"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();

        QVERIFY(platform::fileExists(file));
        QVERIFY(!platform::fileExists(dir.path()));
        QVERIFY(!platform::fileExists(dir.filePath(QStringLiteral("missing"))));
        QVERIFY(!platform::fileExists(QString()));
    }

    void calculatorSearch_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("expected");

        QTest::newRow("none: first candidate")
            << QStringList{} << QStringList{} << QStringLiteral("/gnome-calculator");
        QTest::newRow("only the last")
            << QStringList{"xcalc"} << QStringList{} << QStringLiteral("/xcalc");
        QTest::newRow("first present wins") << QStringList{"xcalc", "galculator", "kcalc"}
                                            << QStringList{} << QStringLiteral("/kcalc");
        QTest::newRow("all") << QStringList{"xcalc", "galculator", "kcalc", "gnome-calculator"}
                             << QStringList{} << QStringLiteral("/gnome-calculator");
        QTest::newRow("a folder is no calculator")
            << QStringList{"xcalc"} << QStringList{"kcalc"} << QStringLiteral("/xcalc");
    }

    void calculatorSearch() {
#ifdef Q_OS_WIN
        QSKIP("Windows names its own calculator");
#endif
        QFETCH(QStringList, files);
        QFETCH(QStringList, folders);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString& name : files) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        for (const QString& name : folders)
            QVERIFY(QDir(dir.path()).mkdir(name));

        QCOMPARE(platform::defaultCalculatorName(dir.path()), expected);
    }

    void systemFolder() {
        const QString folder = platform::windowsDirectory();
#ifdef Q_OS_WIN
        QVERIFY(!folder.isEmpty());
        QVERIFY(!folder.endsWith(QLatin1Char('\\')));
        QCOMPARE(platform::defaultCalculatorName(), QStringLiteral("\\Calc.exe"));
#else
        QCOMPARE(folder, QStringLiteral("/usr/bin"));
        QCOMPARE(platform::defaultCalculatorName(), platform::defaultCalculatorName(folder));
#endif
    }
};

QTEST_GUILESS_MAIN(TestPlatformFilesystem)
#include "tst_platform_filesystem.moc"
