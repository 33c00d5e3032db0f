#include "platform/filesystem.h"
#include "settings/options.h"
#include "settings/settings_store.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(settings::FontSetting)

using namespace settings;

namespace {

const QString kSystemDir = QStringLiteral("/sysdir");

// Every value away from its default, so that a value saved under the wrong name shows.
Options changedOptions() {
    Options o;
    o.QFontName = QStringLiteral("Verdana");
    o.QFontColor = 255;
    o.QFontSize = 12;
    o.QFontBold = true;
    o.QFontItalic = true;
    o.AFontName = QStringLiteral("Arial");
    o.AFontColor = 65280;
    o.AFontSize = 9;
    o.AFontBold = true;
    o.AFontItalic = false;
    o.EXPFontName = QStringLiteral("Courier New");
    o.EXPFontColor = 16711680;
    o.EXPFontSize = 14;
    o.EXPFontBold = false;
    o.EXPFontItalic = true;
    o.ShowLearnBtn = true;
    o.ShowCalcBtn = false;
    o.TimerOn = false;
    o.DefaultTime = 45;
    o.CalcPath = QStringLiteral("/opt/calc, sci/@calc");
    return o;
}

} // namespace

class TestOptions : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int fileNumber_ = 0;
    QString iniPath() const {
        return dir_.filePath(QStringLiteral("Palvexa%1.ini").arg(fileNumber_));
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }
    // A new file for every case, out of the way of what QSettings cached of the last one.
    void init() { ++fileNumber_; }

    void firstRunDefaults() {
        SettingsStore store(iniPath());
        const Options o = loadOptions(store, kSystemDir);

        Options expected;
        expected.CalcPath = kSystemDir + platform::defaultCalculatorName();
        QCOMPARE(o, expected);
        QVERIFY(!QFile::exists(iniPath())); // reading writes nothing

        // What the exam window shows on a first run.
        const struct {
            FontSetting setting;
            QColor color;
        } fonts[] = {{questionFont(o), QColor(0, 0, 0)},
                     {answersFont(o), QColor(0, 0, 0)},
                     {explanationFont(o), QColor(0, 0, 128)}};
        for (const auto& f : fonts) {
            QFont font = designFont();
            QColor color;
            applyFontSetting(font, color, f.setting);
            QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(font.pointSize(), 10);
            QVERIFY(!font.bold());
            QVERIFY(!font.italic());
            QCOMPARE(color, f.color);
        }
        QVERIFY(!o.ShowLearnBtn);
        QVERIFY(o.TimerOn);
        QCOMPARE(o.DefaultTime, 90);
    }

    void unreadableValuesTakeTheirDefaults() {
        QFile f(iniPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Options]\nQFontSize=abc\nShowCalcBtn=abc\nShowLearnBtn=2\nDefaultTime=12x\n"
                "TimerOn=0\nCalcPath=/usr/bin/xcalc\n");
        f.close();

        SettingsStore store(iniPath());
        const Options o = loadOptions(store, kSystemDir);
        QCOMPARE(o.QFontSize, 10);
        QCOMPARE(o.ShowCalcBtn, true);
        QCOMPARE(o.ShowLearnBtn, true);
        QCOMPARE(o.DefaultTime, 90);
        QCOMPARE(o.TimerOn, false);
        QCOMPARE(o.CalcPath, QStringLiteral("/usr/bin/xcalc"));
    }

    void saveWritesAllTwentyInOrder() {
        const Options saved = changedOptions();
        QStringList written;
        {
            SettingsStore store(iniPath());
            store.setWriteObserver([&](const QString& name, const QString& value) {
                written << name + QLatin1Char('=') + value;
            });
            saveOptions(store, saved);
        }
        const QStringList expected = {
            "QFontName=Verdana",     "QFontColor=255",
            "QFontSize=12",          "DefaultTime=45",
            "QFontBold=1",           "QFontItalic=1",
            "AFontName=Arial",       "AFontColor=65280",
            "AFontSize=9",           "AFontBold=1",
            "AFontItalic=0",         "EXPFontName=Courier New",
            "EXPFontColor=16711680", "EXPFontSize=14",
            "EXPFontBold=0",         "EXPFontItalic=1",
            "ShowLearnBtn=1",        "TimerOn=0",
            "ShowCalcBtn=0",         "CalcPath=/opt/calc, sci/@calc",
        };
        QCOMPARE(written, expected);

        // Saved before the observer's store went away, read back by a new one.
        SettingsStore reread(iniPath());
        QCOMPARE(loadOptions(reread, kSystemDir), saved);
    }

    void calcPathRoundTrip_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("comma") << QStringLiteral("/opt/calc,sci/calc");
        QTest::newRow("leading at sign") << QStringLiteral("@/opt/calc");
        QTest::newRow("windows path") << QStringLiteral("C:\\WINNT\\system32\\CALC.EXE");
        QTest::newRow("empty") << QString();
    }

    void calcPathRoundTrip() {
        QFETCH(QString, path);
        Options saved;
        saved.CalcPath = path;
        {
            SettingsStore store(iniPath());
            saveOptions(store, saved);
        }
        SettingsStore reread(iniPath());
        QCOMPARE(loadOptions(reread, kSystemDir).CalcPath, path);
    }

    void colourConversion_data() {
        QTest::addColumn<int>("windows");
        QTest::addColumn<QColor>("color");
        QTest::newRow("black") << 0 << QColor(0, 0, 0);
        QTest::newRow("navy") << 8388608 << QColor(0, 0, 128);
        QTest::newRow("red") << 255 << QColor(255, 0, 0);
        QTest::newRow("green") << 65280 << QColor(0, 255, 0);
        QTest::newRow("blue") << 16711680 << QColor(0, 0, 255);
        QTest::newRow("white") << 16777215 << QColor(255, 255, 255);
        QTest::newRow("mixed") << 0x00112233 << QColor(0x33, 0x22, 0x11);
    }

    void colourConversion() {
        QFETCH(int, windows);
        QFETCH(QColor, color);
        QCOMPARE(colorFromWindows(windows), color);
        QCOMPARE(windowsFromColor(color), windows);
    }

    void applyFont_data() {
        QTest::addColumn<QFont>("start");
        QTest::addColumn<FontSetting>("setting");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");

        QFont plain = designFont();
        QFont styled = designFont();
        styled.setBold(true);
        styled.setItalic(true);

        QTest::newRow("empty name keeps the face")
            << plain << FontSetting{QString(), 0, 12, false, false} << "MS Sans Serif" << 12
            << false << false;
        QTest::newRow("name replaces the face")
            << plain << FontSetting{"Arial", 0, 10, false, false} << "Arial" << 10 << false
            << false;
        QTest::newRow("styles are added") << plain << FontSetting{QString(), 0, 10, true, true}
                                          << "MS Sans Serif" << 10 << true << true;
        QTest::newRow("styles are never removed")
            << styled << FontSetting{QString(), 0, 10, false, false} << "MS Sans Serif" << 10
            << true << true;
        QTest::newRow("size that is not positive keeps the size")
            << plain << FontSetting{QString(), 0, 0, false, false} << "MS Sans Serif" << 10 << false
            << false;
    }

    void applyFont() {
        QFETCH(QFont, start);
        QFETCH(FontSetting, setting);
        QFETCH(QString, family);
        QFETCH(int, size);
        QFETCH(bool, bold);
        QFETCH(bool, italic);

        QFont font = start;
        QColor color(1, 2, 3);
        applyFontSetting(font, color, setting);
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSize(), size);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.italic(), italic);
        QCOMPARE(color, colorFromWindows(setting.color));
    }

    void fontSettingFollowsTheFont() {
        QFont font(QStringLiteral("Verdana"), 14);
        font.setBold(true);
        font.setUnderline(true); // shown for the run, never stored
        const FontSetting setting = fontSettingFrom(font, QColor(0, 0, 128));
        QCOMPARE(setting, (FontSetting{"Verdana", 8388608, 14, true, false}));

        QFont again = designFont();
        QColor color;
        applyFontSetting(again, color, setting);
        QCOMPARE(fontSettingFrom(again, color), setting);
        QVERIFY(!again.underline());
    }
};

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
