#include "platform/executable.h"
#include "platform/process.h"
#include "settings/run_button.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {

// Records what it was asked to start and answers with a set code; starts nothing.
class FakeStarter : public platform::ProcessStarter {
public:
    FakeStarter() { platform::setProcessStarter(this); }
    ~FakeStarter() override { platform::setProcessStarter(nullptr); }
    int start(const QString& program) override {
        started << program;
        return code;
    }
    QStringList started;
    int code = 0;
};

QString makeFile(const QTemporaryDir& dir, const QString& name, bool executable) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/false\n");
    QFile::Permissions perms = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        perms |= QFile::ExeOwner;
    file.setPermissions(perms);
    return path;
}

} // namespace

class RunButtonTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }

    void exeExtension_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("passes");
        QTest::newRow("lower case") << "C:\\WINNT\\calc.exe" << true;
        QTest::newRow("capitals") << "C:\\WINNT\\CALC.EXE" << true;
        QTest::newRow("longer extension") << "C:\\tools\\calc.exex" << true;
        QTest::newRow("short extension") << "C:\\tools\\calc.ex" << false;
        QTest::newRow("no extension") << "C:\\tools\\calc" << false;
        QTest::newRow("last extension counts") << "C:\\tools\\calc.exe.txt" << false;
        QTest::newRow("dot in the folder only") << "C:\\tools.exe\\calc" << false;
        QTest::newRow("dot in a slash folder") << "/opt/tools.exe/calc" << false;
        QTest::newRow("drive only") << "C:.exe" << true;
        QTest::newRow("empty") << "" << false;
    }
    void exeExtension() {
        QFETCH(QString, path);
        QFETCH(bool, passes);
        QCOMPARE(platform::hasExeExtension(path), passes);
    }

    // CommandLine's tests on this system, in their order: the executable test, then the file.
    void commandLine_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind"); // 0 executable file, 1 plain file, 2 nothing, 3 folder
        QTest::addColumn<QString>("message");
#ifdef Q_OS_WIN
        QTest::newRow("capital EXE") << "CALC.EXE" << 1 << "";
        QTest::newRow("longer extension") << "calc.exe2" << 1 << "";
        QTest::newRow("not an exe") << "calc.txt" << 1 << "%1 is not an executable file.";
        QTest::newRow("missing") << "gone.exe" << 2 << "The file: %1 cannot be found.";
        QTest::newRow("missing, not an exe") << "gone.txt" << 2 << "%1 is not an executable file.";
#else
        QTest::newRow("execute permission") << "calc" << 0 << "";
        QTest::newRow("any extension") << "calc.sh" << 0 << "";
        QTest::newRow("no permission") << "calc.exe" << 1 << "%1 is not an executable file.";
        QTest::newRow("missing") << "gone" << 2 << "The file: %1 cannot be found.";
        QTest::newRow("folder") << "folder" << 3 << "%1 is not an executable file.";
#endif
    }
    void commandLine() {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QFETCH(QString, message);
        QString path = dir_.filePath(name);
        if (kind == 0 || kind == 1)
            path = makeFile(dir_, name, kind == 0);
        if (kind == 3)
            QVERIFY(QDir(dir_.path()).mkpath(name));

        // A refused path leaves the program and the picture as they were.
        const QString previous = makeFile(dir_, QStringLiteral("previous.exe"), true);
        TddgRunButton button;
        button.setCommandLine(previous);
        const qint64 picture = button.icon().cacheKey();

        try {
            button.setCommandLine(path);
            QVERIFY2(message.isEmpty(), "accepted a path it should refuse");
            QCOMPARE(button.CommandLine(), path);
            QVERIFY(button.icon().cacheKey() != picture);
        } catch (const palvexa::Error& e) {
            QCOMPARE(e.text(), message.arg(path));
            QCOMPARE(button.CommandLine(), previous);
            QCOMPARE(button.icon().cacheKey(), picture);
        }
    }

    void pictureIsAProgramIconOfIconSize() {
        TddgRunButton button;
        QVERIFY(!button.icon().isNull()); // the design-time picture
        QCOMPARE(button.size(), QSize(45, 45));
        QCOMPARE(button.focusPolicy(), Qt::NoFocus);
        button.setCommandLine(makeFile(dir_, QStringLiteral("prog.exe"), true));
        const QPixmap picture = button.icon().pixmap(QSize(32, 32));
        QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(32, 32));
    }

    // The click starts CommandLine through the starter; a start error goes to the error box.
    void click_data() {
        QTest::addColumn<bool>("withProgram");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        QTest::newRow("started") << true << 0 << "";
        QTest::newRow("deleted since") << true << 2 << "Error executing program. Error Code:; 2.";
        QTest::newRow("no program set") << false << 2 << "Error executing program. Error Code:; 2.";
        QTest::newRow("code kept to 16 bits")
            << true << 0x10005 << "Error executing program. Error Code:; 5.";
    }
    void click() {
        QFETCH(bool, withProgram);
        QFETCH(int, code);
        QFETCH(QString, error);
        FakeStarter starter;
        starter.code = code;
        testsupport::ScriptedDialogs script;
        if (!error.isEmpty())
            script.expectError(error).expectError(error);

        TddgRunButton button;
        const QString program =
            withProgram ? makeFile(dir_, QStringLiteral("clicked.exe"), true) : QString();
        if (withProgram)
            button.setCommandLine(program);
        button.show();
        QTest::mouseClick(&button, Qt::LeftButton);
        QTest::mouseClick(&button, Qt::LeftButton);

        QCOMPARE(starter.started, QStringList({program, program})); // each click, one more
        QVERIFY2(script.done(), qPrintable(script.report()));
    }

    // The system's starter turns a failed start into the system's code; nothing is started.
    void systemStartErrors_data() {
        QTest::addColumn<int>("kind"); // 1 file without permission, 2 nothing
        QTest::addColumn<int>("code");
#ifndef Q_OS_WIN
        QTest::newRow("missing file") << 2 << ENOENT;
        QTest::newRow("no permission") << 1 << EACCES;
#else
        QTest::newRow("missing file") << 2 << 2;
#endif
    }
    void systemStartErrors() {
        QFETCH(int, kind);
        QFETCH(int, code);
        const QString path = kind == 1 ? makeFile(dir_, QStringLiteral("locked"), false)
                                       : dir_.filePath(QStringLiteral("absent"));
        platform::SystemProcessStarter system;
        QCOMPARE(system.start(path), code);
    }
};

QTEST_MAIN(RunButtonTest)
#include "run_button_test.moc"
