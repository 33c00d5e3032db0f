// Learn Now shows the key of the item on screen and records nothing.

#include "exam/answer_sheet.h"
#include "support/exam_fixture.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QLabel>
#include <QTest>

using testsupport::ExamFixture;

class LearnNowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QVERIFY2(fx_.setUp(ExamFixture::examYaml(QStringLiteral("A"), 5)), qPrintable(fx_.error()));
        QVERIFY(ExamFixture::showExamWindow());
    }
    void cleanup() { fx_.tearDown(); }

    void showsKeyAndRecordsNothing() {
        QVERIFY(ExamFixture::startExam(testsupport::ExamKind::A));
        const palvexa::AnswerSheet before = palvexa::answerSheet();
        TestForm->LearnButtonClick();
        QVERIFY(TestForm->ExpText->isVisibleTo(TestForm));
        // Every question of the fixture has choice a correct, the others not.
        QCOMPARE(TestForm->ALabel1->palette().color(QPalette::Window), QColor(0, 255, 255));
        for (QLabel* l : {TestForm->ALabel2, TestForm->ALabel3, TestForm->ALabel6})
            QCOMPARE(l->palette().color(QPalette::Window), QColor(255, 255, 255));
        QVERIFY(TestForm->ALabel1->autoFillBackground());
        const palvexa::AnswerSheet after = palvexa::answerSheet();
        QCOMPARE(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i) {
            QVERIFY(after[i].choice == before[i].choice);
            QCOMPARE(after[i].correct, before[i].correct);
        }
    }

private:
    ExamFixture fx_;
};

QTEST_MAIN(LearnNowTest)
#include "learn_now_test.moc"
