// The whole shell: start-up, the start window's buttons and the windows they open.

#include "app/about_form.h"
#include "app/main_form.h"
#include "app/startup.h"
#include "authoring/sampler_form.h"
#include "settings/run_button.h"
#include "settings/settings_store.h"
#include "support/scripted_dialogs.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/shape_button.h"

#include <QDir>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using testsupport::ScriptedDialogs;

class TestShell : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void startWindowLooks();
    void startTestingAndBack_data();
    void startTestingAndBack();
    void samplerAndBack();
    void aboutFromHelpMenu();
    void exitEndsProgram();
    void startsInProgramFolder();
    void startupButtons_data();
    void startupButtons();

private:
    void showStartWindow();
    std::unique_ptr<app::Forms> forms_;
};

void TestShell::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
}

void TestShell::init() {
    QFile::remove(settings::SettingsStore::defaultFilePath());
    forms_ = app::createForms();
}

void TestShell::cleanup() {
    forms_.reset();
    QFile::remove(settings::SettingsStore::defaultFilePath());
}

void TestShell::showStartWindow() {
    MainForm->show();
    MainForm->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(MainForm));
}

void TestShell::startWindowLooks() {
    QCOMPARE(MainForm->windowTitle(), QStringLiteral("Palvexa"));
    QCOMPARE(MainForm->width(), 232);
    QCOMPARE(MainForm->minimumSize(), MainForm->maximumSize());
    const struct {
        const char* name;
        const char* text;
    } buttons[] = {{"StartTestBtn", "Start &Testing"},
                   {"SamplerBtn", "Test &Sampler"},
                   {"fcShapeBtn3", "E&xit"}};
    int lastTop = -1;
    for (const auto& b : buttons) {
        auto* button = MainForm->findChild<widgets::ShapeButton*>(QLatin1String(b.name));
        QVERIFY2(button, b.name);
        QCOMPARE(button->text(), QString::fromLatin1(b.text));
        QCOMPARE(button->size(), QSize(138, 34));
        // Stacked top to bottom, all inside the window.
        const QRect r(button->mapTo(MainForm, QPoint()), button->size());
        QVERIFY(r.top() > lastTop);
        QVERIFY(MainForm->rect().contains(r));
        lastTop = r.bottom();
    }
    QCOMPARE(TestForm->windowTitle(), QStringLiteral("Palvexa"));
    QCOMPARE(TestForm->ExamMode, int(palvexa::IdleMode));
    QCOMPARE(TestForm->minimumSize(), QSize(732, 502));
    QCOMPARE(AboutForm->windowTitle(), QStringLiteral("About Orvenda"));
}

void TestShell::startTestingAndBack_data() {
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<bool>("byCloseBox");
    QTest::addRow("button, File Exit") << false << false;
    QTest::addRow("button, close box") << false << true;
    QTest::addRow("Alt+T, File Exit") << true << false;
}

void TestShell::startTestingAndBack() {
    QFETCH(bool, byKeyboard);
    QFETCH(bool, byCloseBox);
    showStartWindow();
    bool seen = false;
    ScriptedDialogs script;
    script.expectWindow(QStringLiteral("TTestForm"), [&](QWidget* w) {
        seen = true;
        QCOMPARE(w, static_cast<QWidget*>(TestForm));
        QVERIFY(TestForm->isVisible());
        QVERIFY(TestForm->isMaximized());
        QVERIFY(!MainForm->isVisible());
        QVERIFY(TestForm->Panel4->isVisibleTo(TestForm));
        QVERIFY(!TestForm->ScrollBox1->isVisibleTo(TestForm));
        QVERIFY(!TestForm->Panel2->isVisibleTo(TestForm));
        for (QAction* a : TestForm->examActions())
            QVERIFY(a->isEnabled());
        if (byCloseBox)
            TestForm->close();
        else
            TestForm->Exit1->trigger();
    });
    if (byKeyboard)
        QTest::keyClick(MainForm, Qt::Key_T, Qt::AltModifier);
    else
        QTest::mouseClick(MainForm->StartTestBtn, Qt::LeftButton);
    QVERIFY(seen);
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(!TestForm->isVisible());
    QVERIFY(MainForm->isVisible());
    // Hidden, not destroyed: the same window opens again.
    QPointer<TTestForm> same(TestForm);
    script.expectWindow(QStringLiteral("TTestForm"), [](QWidget* w) { w->close(); });
    QTest::mouseClick(MainForm->StartTestBtn, Qt::LeftButton);
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(same);
    QVERIFY(MainForm->isVisible());
}

void TestShell::samplerAndBack() {
    showStartWindow();
    ScriptedDialogs script;
    script.expectWindow(QStringLiteral("TSamplerForm"), [](QWidget* w) {
        QVERIFY(!MainForm->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("Orvenda Test Sampler"));
        w->close();
    });
    script.expectQuestion(app::MsgKind::Confirm, QStringLiteral("Are you sure to exit?"),
                          QMessageBox::Ok);
    QTest::mouseClick(MainForm->SamplerBtn, Qt::LeftButton);
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(MainForm->isVisible());
    QVERIFY(!SamplerForm->isVisible());
}

void TestShell::aboutFromHelpMenu() {
    showStartWindow();
    int result = -1;
    ScriptedDialogs script;
    script.expectWindow(QStringLiteral("TTestForm"), [&](QWidget*) {
        TestForm->About1->trigger();
        QVERIFY(TestForm->isVisible()); // the About box comes and goes over the exam window
        TestForm->close();
    });
    script.expectModal(QStringLiteral("TAboutForm"), [&](QDialog* d) {
        auto* ok = d->findChild<QPushButton*>(QStringLiteral("bkOK"));
        QVERIFY(ok);
        QVERIFY(d->isVisible());
        QTest::mouseClick(ok, Qt::LeftButton);
        result = d->result();
    });
    QTest::mouseClick(MainForm->StartTestBtn, Qt::LeftButton);
    QVERIFY2(script.done(), qPrintable(script.report()));
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY(!AboutForm->isVisible());
}

void TestShell::exitEndsProgram() {
    showStartWindow();
    QSignalSpy closed(MainForm, &TMainForm::closed);
    ScriptedDialogs script; // asks nothing
    QTest::mouseClick(MainForm->fcShapeBtn3, Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!MainForm->isVisible());
    QVERIFY2(script.done(), qPrintable(script.report()));
}

void TestShell::startsInProgramFolder() {
    // Started from elsewhere, the program still works in its own folder, where the tables are.
    forms_.reset();
    QTemporaryDir elsewhere;
    QVERIFY(QDir::setCurrent(elsewhere.path()));
    forms_ = app::createForms();
    const QDir programDir(QCoreApplication::applicationDirPath());
    QCOMPARE(QDir::current().canonicalPath(), programDir.canonicalPath());
    // A table named without a folder is the one beside the program.
    const QString examSet = programDir.filePath(QStringLiteral("ces.DAT"));
    QFile::remove(examSet);
    TestForm->dtCurrentSet.open();
    TestForm->dtCurrentSet.close();
    QVERIFY(QFile::exists(examSet));
    QVERIFY(!QFile::exists(QDir(elsewhere.path()).filePath(QStringLiteral("ces.DAT"))));
    QFile::remove(examSet);
}

void TestShell::startupButtons_data() {
    QTest::addColumn<bool>("showLearn");
    QTest::addColumn<int>("calc"); // 0 missing, 1 a program, 2 a file that is no program
    QTest::addColumn<bool>("showCalc");
    QTest::addColumn<bool>("calcVisible");
    QTest::addColumn<bool>("showCalcAfter");
    QTest::addRow("calculator there, shown") << true << 1 << true << true << true;
    QTest::addRow("calculator there, switched off") << false << 1 << false << false << false;
    QTest::addRow("calculator gone") << false << 0 << true << false << false;
    QTest::addRow("not a program") << false << 2 << true << false << false;
}

void TestShell::startupButtons() {
    QFETCH(bool, showLearn);
    QFETCH(int, calc);
    QFETCH(bool, showCalc);
    QFETCH(bool, calcVisible);
    QFETCH(bool, showCalcAfter);
    forms_.reset();
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("calc"));
    if (calc == 2)
        path += QStringLiteral(".txt");
    if (calc != 0) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        if (calc == 1)
            QVERIFY(f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser));
    }
    {
        settings::SettingsStore store;
        store.writeBool(QStringLiteral("ShowLearnBtn"), showLearn);
        store.writeBool(QStringLiteral("ShowCalcBtn"), showCalc);
        store.writeString(QStringLiteral("CalcPath"), path);
        store.sync();
    }
    ScriptedDialogs script; // start-up asks nothing, whatever the path
    forms_ = app::createForms();
    QVERIFY2(script.done(), qPrintable(script.report()));
    QCOMPARE(!TestForm->LearnButton->isHidden(), showLearn);
    QCOMPARE(!TestForm->CalcButton->isHidden(), calcVisible);
    QCOMPARE(TestForm->Options.ShowCalcBtn, showCalcAfter);
    if (calc == 1)
        QCOMPARE(TestForm->CalcButton->CommandLine(), path);
    // Only the program's copy forgets the switch; the stored setting stays.
    settings::SettingsStore store;
    QCOMPARE(store.readBool(QStringLiteral("ShowCalcBtn"), !showCalc), showCalc);
}

QTEST_MAIN(TestShell)
#include "test_shell.moc"
