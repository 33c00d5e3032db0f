// Ending an exam: Exit Exam, closing the exam window, and the welcome state left behind.

#include "app/main_form.h"
#include "exam/answer_sheet.h"
#include "platform/clock.h"
#include "support/exam_fixture.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/outlined_label.h"
#include "widgets/time_counter.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

using testsupport::ExamFixture;
using testsupport::ExamKind;
using testsupport::ScriptedDialogs;

namespace {

const QString exitQuestion = QStringLiteral("Are you sure you wish to end this exam?");
const QString closeQuestion = QStringLiteral("This exam is not completed.\rAre you shure ?");

} // namespace

class EndingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        platform::setClock(&clock_);
        QVERIFY2(fx_.setUp(ExamFixture::examYaml(QStringLiteral("A"), 5)), qPrintable(fx_.error()));
        MainForm->hide();
        QVERIFY(ExamFixture::showExamWindow());
    }
    void cleanup() {
        fx_.tearDown();
        platform::setClock(nullptr);
    }

    void exitExam_data();
    void exitExam();
    void closeWindow_data();
    void closeWindow();
    void nextExamStartsAfresh();

private:
    // The exam goes on as it was.
    void verifyGoingOn(int recNo);
    // The welcome state, with no table open and the bank unfiltered.
    void verifyEnded();
    // Practice Exam A through the welcome panel and the name dialog.
    static void startExam(int minutes) {
        QVERIFY(ExamFixture::startExam(ExamKind::A, {.minutes = minutes}));
    }

    platform::ManualClock clock_;
    ExamFixture fx_;
};

void EndingTest::verifyGoingOn(int recNo) {
    QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::TestingMode));
    QCOMPARE(TestForm->dtCurrentSet.recNo(), recNo);
    QVERIFY(TestForm->Timer1->isEnabled());
    QCOMPARE(TestForm->Timer1->elapsedSeconds(), 30);
    QVERIFY(TestForm->ScrollBox1->isVisibleTo(TestForm));
    QVERIFY(TestForm->Panel2->isVisibleTo(TestForm));
}

void EndingTest::verifyEnded() {
    TTestForm& f = *TestForm;
    QCOMPARE(f.ExamMode, std::int32_t(palvexa::IdleMode));
    QVERIFY(!f.dtQSet.isOpen());
    QVERIFY(f.dtQSet.filter().isEmpty());
    QVERIFY(!f.dtQSet.filtered());
    QVERIFY(!f.dtCurrentSet.isOpen());
    QVERIFY(!f.dtUserSet.isOpen());
    QVERIFY(!f.Panel2->isVisibleTo(&f));
    QVERIFY(!f.ScrollBox1->isVisibleTo(&f));
    QVERIFY(f.Panel4->isVisibleTo(&f));
    QVERIFY(f.N21->menuAction()->isEnabled());
    QVERIFY(!f.Print1->isEnabled());
    QVERIFY(!f.Timer1->isEnabled());
    QVERIFY(f.fcLabel1->isVisibleTo(&f));
    for (QWidget* w : {static_cast<QWidget*>(f.Label1), static_cast<QWidget*>(f.Label2),
                       static_cast<QWidget*>(f.Label3), static_cast<QWidget*>(f.MarkBox),
                       static_cast<QWidget*>(f.CorrectLabel), static_cast<QWidget*>(f.TimeLabel),
                       static_cast<QWidget*>(f.ReviewLabel)})
        QVERIFY2(!w->isVisibleTo(&f), qPrintable(w->objectName()));
}

void EndingTest::exitExam_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("answer");
    QTest::addRow("testing, yes") << int(palvexa::TestingMode) << int(QMessageBox::Yes);
    QTest::addRow("testing, no") << int(palvexa::TestingMode) << int(QMessageBox::No);
    QTest::addRow("review, yes") << int(palvexa::ReviewMode) << int(QMessageBox::Yes);
}

void EndingTest::exitExam() {
    QFETCH(int, mode);
    QFETCH(int, answer);
    startExam(90);
    TestForm->dtCurrentSet.setRecNo(3);
    TestForm->ExamMode = mode;
    clock_.advanceSeconds(30);

    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Confirm, exitQuestion, QMessageBox::StandardButton(answer));
    TestForm->Button3Click();
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(TestForm->isVisible()); // the exam window stays open either way
    if (answer == QMessageBox::Yes)
        verifyEnded();
    else
        verifyGoingOn(3);
}

void EndingTest::closeWindow_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("byMenu");
    QTest::addColumn<int>("answer"); // NoButton: no question expected
    QTest::addColumn<bool>("closes");
    const int testing = palvexa::TestingMode;
    QTest::addRow("testing, ok") << testing << false << int(QMessageBox::Ok) << true;
    QTest::addRow("testing, cancel") << testing << false << int(QMessageBox::Cancel) << false;
    QTest::addRow("menu exit, ok") << testing << true << int(QMessageBox::Ok) << true;
    QTest::addRow("menu exit, cancel") << testing << true << int(QMessageBox::Cancel) << false;
    QTest::addRow("review") << int(palvexa::ReviewMode) << false << int(QMessageBox::NoButton)
                            << true;
    QTest::addRow("idle") << int(palvexa::IdleMode) << true << int(QMessageBox::NoButton) << true;
}

void EndingTest::closeWindow() {
    QFETCH(int, mode);
    QFETCH(bool, byMenu);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    if (mode != palvexa::IdleMode) {
        startExam(90);
        TestForm->dtCurrentSet.setRecNo(2);
        TestForm->ExamMode = mode;
        clock_.advanceSeconds(30);
    }

    ScriptedDialogs script;
    if (mode == palvexa::TestingMode)
        script.expectQuestion(app::MsgKind::Warning, closeQuestion,
                              QMessageBox::StandardButton(answer));
    if (byMenu)
        TestForm->Exit1->trigger();
    else
        TestForm->close();
    QVERIFY2(script.done(), qPrintable(script.report()));

    QCOMPARE(TestForm->isVisible(), !closes);
    QCOMPARE(MainForm->isVisible(), closes);
    if (closes)
        verifyEnded();
    else
        verifyGoingOn(2);
}

void EndingTest::nextExamStartsAfresh() {
    startExam(90);
    palvexa::answerSheet()[0].choice[1] = true;
    TestForm->NoteButton->hide(); // as a user exam leaves it
    clock_.advanceSeconds(600);
    {
        ScriptedDialogs script;
        script.expectQuestion(app::MsgKind::Confirm, exitQuestion, QMessageBox::Yes);
        TestForm->Button3Click();
        QVERIFY2(script.done(), qPrintable(script.report()));
    }
    // Nothing of the ended exam ticks any more.
    QVERIFY(!TestForm->Timer1->isEnabled());
    QVERIFY(!TestForm->NoteButton->isHidden());

    clock_.advanceSeconds(5);
    startExam(45);
    QVERIFY(TestForm->Timer1->isEnabled());
    QCOMPARE(TestForm->Timer1->elapsedSeconds(), 0);
    QCOMPARE(TestForm->TimeLabel->text(), QStringLiteral("0:45:00"));
    QVERIFY(!palvexa::answerSheet()[0].choice[1]);
    QVERIFY(TestForm->NoteButton->isVisibleTo(TestForm));
}

QTEST_MAIN(EndingTest)
#include "ending_test.moc"
