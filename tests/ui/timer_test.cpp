// The exam timer in the exam window, with a clock the test moves.

#include "platform/clock.h"
#include "support/exam_fixture.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/time_counter.h"

#include <QLabel>
#include <QTest>

using testsupport::ExamFixture;
using testsupport::ExamKind;
using testsupport::ScriptedDialogs;

namespace {

const QString expired =
    QStringLiteral("Your time has expired.\rDo you want continue the exam anyway?");
const QString gradeQuestion =
    QStringLiteral("This will end your practice exam.\rAre you sure to end this exam?");

} // namespace

class TimerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        platform::setClock(&clock_);
        QVERIFY2(fx_.setUp(ExamFixture::examYaml(QStringLiteral("A"), 5)), qPrintable(fx_.error()));
        QVERIFY(ExamFixture::showExamWindow());
    }
    void cleanup() {
        fx_.tearDown();
        platform::setClock(nullptr);
    }

    void countsDownFromTheLimit();
    void switchedOffShowsNothing();
    void expiryAnsweredOk_data();
    void expiryAnsweredOk();
    void expiryNoThenCancel();

private:
    void tick() { Q_EMIT TestForm->Timer1->tick(); }
    // Practice Exam A through the welcome panel and the name dialog.
    static void startExam(int minutes, bool timerOn = true) {
        TestForm->Options.TimerOn = timerOn;
        QVERIFY(ExamFixture::startExam(ExamKind::A, {.minutes = minutes}));
    }

    platform::ManualClock clock_;
    ExamFixture fx_;
};

void TimerTest::countsDownFromTheLimit() {
    QVERIFY(!TestForm->Timer1->isEnabled()); // off until an exam starts
    startExam(90);
    QLabel* label = TestForm->TimeLabel;
    QVERIFY(label->isVisibleTo(TestForm));
    QCOMPARE(label->text(), QStringLiteral("1:30:00"));
    QVERIFY(TestForm->Timer1->isEnabled());

    clock_.advanceMs(1000);
    tick();
    QCOMPARE(label->text(), QStringLiteral("1:29:59"));
    QCOMPARE(qRound64(TestForm->ElapsedTime * 86400), 1);

    // Ticks add nothing up: the clock decides, so a late tick catches up.
    clock_.advanceSeconds(3600);
    tick();
    QCOMPARE(label->text(), QStringLiteral("0:29:59"));
}

void TimerTest::switchedOffShowsNothing() {
    ScriptedDialogs script; // any question but the name dialog fails the test
    TestForm->Options.TimerOn = false;
    ExamFixture::launch(script, ExamKind::A, {.minutes = 1});
    QVERIFY(!TestForm->TimeLabel->isVisibleTo(TestForm));
    QVERIFY(!TestForm->Timer1->isEnabled());
    QVERIFY2(script.done(), qPrintable(script.report()));
}

void TimerTest::expiryAnsweredOk_data() {
    QTest::addColumn<int>("seconds");
    QTest::addRow("on time") << 60;
    QTest::addRow("tick late") << 65;
}

void TimerTest::expiryAnsweredOk() {
    QFETCH(int, seconds);
    startExam(1);
    clock_.advanceSeconds(59);
    tick();
    QCOMPARE(TestForm->TimeLabel->text(), QStringLiteral("0:00:01"));

    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Information, expired, QMessageBox::Ok);
    clock_.advanceSeconds(seconds - 59);
    tick();
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(!TestForm->TimeLabel->isVisibleTo(TestForm));
    QVERIFY(!TestForm->Timer1->isEnabled());
    QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::TestingMode));
    // The count was reset and stays stopped: no second expiry.
    QCOMPARE(TestForm->Timer1->elapsedSeconds(), 0);
}

void TimerTest::expiryNoThenCancel() {
    startExam(1);
    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Information, expired, QMessageBox::No)
        .expectQuestion(app::MsgKind::Confirm, gradeQuestion, QMessageBox::Cancel);
    clock_.advanceSeconds(61);
    tick();
    QVERIFY2(script.done(), qPrintable(script.report()));
    QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::TestingMode));
    QVERIFY(!TestForm->Timer1->isEnabled());
    QVERIFY(TestForm->TimeLabel->isVisibleTo(TestForm));
    QCOMPARE(TestForm->TimeLabel->text(), QStringLiteral("0:00:00"));
}

QTEST_MAIN(TimerTest)
#include "timer_test.moc"
