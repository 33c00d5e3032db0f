// Learn Now shows the key of the item on screen and records nothing.

#include "support/scripted_dialogs.h"
#include "ui/exam_start.h"

class LearnNowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() {
        QVERIFY(exam_.setUp());
        // Until the question view provides them, stand-in choice labels.
        QLabel** labels[] = {&TestForm->ALabel1, &TestForm->ALabel2, &TestForm->ALabel3,
                             &TestForm->ALabel4, &TestForm->ALabel5, &TestForm->ALabel6};
        for (QLabel** l : labels)
            if (!*l)
                *l = new QLabel(QStringLiteral("choice"), TestForm->ScrollBox1->widget());
    }
    void cleanup() { exam_.tearDown(); }

    void showsKeyAndRecordsNothing() {
        exam_.startExam(90);
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
    testsupport::ExamWindow exam_;
};

QTEST_MAIN(LearnNowTest)
#include "learn_now_test.moc"
