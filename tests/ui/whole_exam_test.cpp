// Whole exams through the program's real windows: from the start window through the welcome
// panel, the name dialog, answering, the items review, grading, review and back; the timer
// running out; the Test Sampler's questions taken as the User Exam; a note carried into a later
// exam; options changed in the middle of an exam.

#include "app/main_form.h"
#include "authoring/sampler_form.h"
#include "data/fields.h"
#include "exam/answer_sheet.h"
#include "grading/review_form.h"
#include "grading/review_items.h"
#include "grading/score_form.h"
#include "platform/clock.h"
#include "settings/options_form.h"
#include "support/exam_fixture.h"
#include "ui/exam/note_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/db_controls.h"
#include "widgets/shape_button.h"
#include "widgets/time_counter.h"

#include <QAction>
#include <QCheckBox>
#include <QFontDialog>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <functional>

using app::MsgKind;
using testsupport::ExamFixture;
using testsupport::ExamKind;
using testsupport::ScriptedDialogs;

namespace {

const QString GradeQuestion =
    QStringLiteral("This will end your practice exam.\rAre you sure to end this exam?");
const QString ExitQuestion = QStringLiteral("Are you sure you wish to end this exam?");
const QString CloseQuestion = QStringLiteral("This exam is not completed.\rAre you shure ?");
const QString Expired =
    QStringLiteral("Your time has expired.\rDo you want continue the exam anyway?");

// Practice exam A has four questions (1..4), exam B one (5); choice a is always the right one.
QByteArray bank() {
    return ExamFixture::examYaml(QStringLiteral("A"), 4) +
           ExamFixture::examYaml(QStringLiteral("B"), 1, 5);
}

void clickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

QList<int> images(const QListWidget* list) {
    QList<int> out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->data(TReviewForm::ImageRole).toInt();
    return out;
}

QStringList captions(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

QColor background(const QLabel* label) {
    return label->palette().color(QPalette::Window);
}

} // namespace

class WholeExamTest : public QObject {
    Q_OBJECT
    ExamFixture fx_;
    platform::ManualClock clock_;

    // Opens the exam window from the start window and runs `body` in it; body must leave it
    // closed.
    static void inExamWindow(ScriptedDialogs& script, const std::function<void()>& body) {
        script.expectWindow(QStringLiteral("TTestForm"), [&](QWidget* w) {
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY(!MainForm->isVisible());
            QVERIFY(TestForm->Panel4->isVisible());
            body();
        });
        QTest::mouseClick(MainForm->StartTestBtn, Qt::LeftButton);
        QVERIFY2(script.done(), qPrintable(script.report()));
        QVERIFY(!TestForm->isVisible());
        QVERIFY(MainForm->isVisible());
    }

private Q_SLOTS:
    void init() {
        platform::setClock(&clock_);
        QVERIFY2(fx_.setUp(bank()), qPrintable(fx_.error()));
        MainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(MainForm));
    }
    void cleanup() {
        fx_.tearDown();
        platform::setClock(nullptr);
    }

    void practiceExamFromStartToFinish();
    void timeRunsOutAndIsGraded();
    void samplerQuestionsTakenAsUserExam();
    void noteComesBackInAllQuestions();
    void optionsChangedDuringAnExam();
};

void WholeExamTest::practiceExamFromStartToFinish() {
    ScriptedDialogs script;
    inExamWindow(script, [&] {
        TTestForm& f = *TestForm;
        ExamFixture::launch(script, ExamKind::A, {.name = QStringLiteral("Ann Lee"), .minutes = 1});
        QCOMPARE(f.ExamMode, int(palvexa::TestingMode));
        QCOMPARE(f.ItemCount, 4);
        QCOMPARE(f.Label1->text(), QStringLiteral("Item 1 of 4"));
        QCOMPARE(f.TimeLabel->text(), QStringLiteral("0:01:00"));

        // Right, wrong, right and marked, right.
        ExamFixture::answer(QStringLiteral("a"));
        ExamFixture::next();
        ExamFixture::answer(QStringLiteral("b"));
        ExamFixture::next();
        ExamFixture::answer(QStringLiteral("a"));
        QTest::mouseClick(f.MarkBox, Qt::LeftButton);
        ExamFixture::next();
        ExamFixture::answer(QStringLiteral("a"));
        QCOMPARE(f.Label1->text(), QStringLiteral("Item 4 of 4"));
        QVERIFY(!f.NextButton->isEnabled());

        script.expectModal(QStringLiteral("TReviewForm"), [](QDialog*) {
            TReviewForm* r = ReviewForm;
            QVERIFY(r->Panel5->isVisible() && !r->Panel4->isVisible());
            QCOMPARE(captions(r->ListView1), (QStringList{"1  A", "2  B", "3  A", "4  A"}));
            QCOMPARE(images(r->ListView1),
                     (QList<int>{palvexa::CompleteImage, palvexa::CompleteImage,
                                 palvexa::MarkedImage, palvexa::CompleteImage}));
            QVERIFY(!r->BitBtn2->isEnabled());
            clickRow(r->ListView1, 1);
            QTest::mouseClick(r->BitBtn2, Qt::LeftButton);
        });
        QTest::mouseClick(f.Button1, Qt::LeftButton);
        QCOMPARE(f.dtCurrentSet.recNo(), 2);
        QCOMPARE(f.Label1->text(), QStringLiteral("Item 2 of 4"));
        QVERIFY(f.RadioButton2->isChecked());

        const QString line = QStringLiteral("Passing Score: 850   Your Score: 750   Grade: Fail");
        script.expectQuestion(MsgKind::Confirm, GradeQuestion, QMessageBox::Ok)
            .expectModal(QStringLiteral("TScoreForm"), [&](QDialog*) {
                QCOMPARE(ScoreForm->TotalLabel->text(), line);
                QCOMPARE(ScoreForm->totalTitle(),
                         QStringLiteral("Ann Lee,  Palvexa,  Practice Exam A"));
                QVERIFY(!f.ScrollBox1->isVisible());
                QTest::mouseClick(ScoreForm->BitBtn1, Qt::LeftButton); // View Answers
            });
        QTest::mouseClick(f.GradeButton, Qt::LeftButton);

        // Review mode on item 1: the key and the verdict.
        QCOMPARE(f.ExamMode, int(palvexa::ReviewMode));
        QCOMPARE(f.dtCurrentSet.recNo(), 1);
        QVERIFY(f.ScrollBox1->isVisible());
        QVERIFY(f.ExpText->isVisible());
        QCOMPARE(background(f.ALabel1), QColor(0, 255, 255));
        QCOMPARE(background(f.ALabel2), QColor(255, 255, 255));
        QVERIFY(f.CorrectLabel->isVisible());
        QCOMPARE(f.CorrectLabel->text(), QStringLiteral("Correct"));
        QVERIFY(!f.MarkBox->isVisible() && !f.TimeLabel->isVisible());
        QCOMPARE(f.GradeButton->text(), QStringLiteral("Score Report"));
        ExamFixture::next();
        QCOMPARE(f.CorrectLabel->text(), QStringLiteral("Incorrect"));

        script.expectModal(QStringLiteral("TReviewForm"), [](QDialog*) {
            TReviewForm* r = ReviewForm;
            QVERIFY(r->Panel4->isVisible() && !r->Panel5->isVisible());
            QCOMPARE(images(r->ListView1),
                     (QList<int>{palvexa::CorrectImage, palvexa::IncorrectImage,
                                 palvexa::CorrectImage, palvexa::CorrectImage}));
            QTest::mouseClick(r->BitBtn1, Qt::LeftButton); // Return
        });
        QTest::mouseClick(f.Button1, Qt::LeftButton);
        QCOMPARE(f.dtCurrentSet.recNo(), 2);

        // The same result again, nothing asked; the score window's Exit Exam ends the exam.
        script
            .expectModal(QStringLiteral("TScoreForm"),
                         [&](QDialog*) {
                             QCOMPARE(ScoreForm->TotalLabel->text(), line);
                             QTest::mouseClick(ScoreForm->BitBtn3, Qt::LeftButton);
                         })
            .expectQuestion(MsgKind::Confirm, ExitQuestion, QMessageBox::Yes);
        QTest::mouseClick(f.GradeButton, Qt::LeftButton);
        QVERIFY(!ScoreForm->isVisible());
        QCOMPARE(f.ExamMode, int(palvexa::IdleMode));
        QVERIFY(f.Panel4->isVisible());
        QVERIFY(!f.ScrollBox1->isVisible() && !f.Panel2->isVisible());
        QVERIFY(f.N21->menuAction()->isEnabled());
        QVERIFY(!f.Print1->isEnabled());

        f.Exit1->trigger(); // no exam: nothing asked
    });
}

void WholeExamTest::timeRunsOutAndIsGraded() {
    ScriptedDialogs script;
    inExamWindow(script, [&] {
        TTestForm& f = *TestForm;
        ExamFixture::launch(script, ExamKind::A, {.minutes = 1});
        ExamFixture::answer(QStringLiteral("a"));

        // The clock jumps past the limit; the next tick finds the time used up.
        clock_.advanceSeconds(75);
        script.expectQuestion(MsgKind::Information, Expired, QMessageBox::No)
            .expectQuestion(MsgKind::Confirm, GradeQuestion, QMessageBox::Ok)
            .expectModal(QStringLiteral("TScoreForm"), [](QDialog*) {
                QCOMPARE(ScoreForm->TotalLabel->text(),
                         QStringLiteral("Passing Score: 850   Your Score: 250   Grade: Fail"));
                QTest::mouseClick(ScoreForm->BitBtn1, Qt::LeftButton);
            });
        Q_EMIT f.Timer1->tick();
        QCOMPARE(f.ExamMode, int(palvexa::ReviewMode));
        QVERIFY(!f.Timer1->isEnabled());
        QVERIFY(!f.TimeLabel->isVisible());

        // A graded exam closes without a question.
        f.close();
    });
}

void WholeExamTest::samplerQuestionsTakenAsUserExam() {
    const QStringList texts = {QStringLiteral("Which file starts NT?"),
                               QStringLiteral("Where are profiles kept?")};
    ScriptedDialogs script;
    script.expectWindow(QStringLiteral("TSamplerForm"), [&](QWidget*) {
        TSamplerForm* s = SamplerForm;
        for (const QString& text : texts) {
            const auto type = [](QWidget* w, const QString& typed) {
                w->setFocus();
                QTest::keyClicks(w, typed);
            };
            s->AddAct->trigger();
            type(s->DBMemo1, text);
            s->PageControl1->setCurrentWidget(s->TabSheet3);
            type(s->DBEdit[0], QStringLiteral("Right"));
            type(s->DBEdit[1], QStringLiteral("Wrong"));
            QTest::mouseClick(s->DBCheckBox[0], Qt::LeftButton, {},
                              QPoint(8, s->DBCheckBox[0]->height() / 2));
            QTest::mouseClick(s->BitBtn1, Qt::LeftButton);
        }
        script.expectQuestion(MsgKind::Confirm, QStringLiteral("Are you sure to exit?"),
                              QMessageBox::Ok);
        s->Exit1->trigger();
    });
    QTest::mouseClick(MainForm->SamplerBtn, Qt::LeftButton);
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(MainForm->isVisible());

    inExamWindow(script, [&] {
        TTestForm& f = *TestForm;
        ExamFixture::launch(script, ExamKind::User);
        QCOMPARE(f.ExamMode, int(palvexa::TestingMode));
        QCOMPARE(f.Label3->text(), QStringLiteral("Palvexa, User Exam"));
        QVERIFY(!f.NoteButton->isVisible());
        QStringList shown;
        for (int i = 0; i < f.ItemCount; ++i) {
            shown << f.QText->text();
            QCOMPARE(f.ALabel1->text(), QStringLiteral("Right"));
            ExamFixture::answer(QStringLiteral("a"));
            QVERIFY(palvexa::answerSheet()[std::size_t(i)].correct);
            if (i + 1 < f.ItemCount)
                ExamFixture::next();
        }
        shown.sort();
        QStringList want = texts;
        want.sort();
        QCOMPARE(shown, want);

        script.expectQuestion(MsgKind::Warning, CloseQuestion, QMessageBox::Ok);
        f.Exit1->trigger();
        QVERIFY(!f.NoteButton->isHidden()); // back for the next exam
    });
}

void WholeExamTest::noteComesBackInAllQuestions() {
    ScriptedDialogs script;
    inExamWindow(script, [&] {
        TTestForm& f = *TestForm;
        ExamFixture::launch(script, ExamKind::A);
        ExamFixture::next();
        const int id = f.dtCurrentSet.asInteger(data::Q_OR_NUMBER);
        script.expectModal(QStringLiteral("TNoteForm"), [](QDialog*) {
            NoteForm->DBMemo1->setFocus();
            QTest::keyClicks(NoteForm->DBMemo1, QStringLiteral("Check the boot.ini"));
            QTest::mouseClick(NoteForm->Button1, Qt::LeftButton); // Save Note
            QTest::mouseClick(NoteForm->Button3, Qt::LeftButton); // Exit
        });
        QTest::mouseClick(f.NoteButton, Qt::LeftButton);
        script.expectQuestion(MsgKind::Confirm, ExitQuestion, QMessageBox::Yes);
        QTest::mouseClick(f.Button3, Qt::LeftButton);

        ExamFixture::launch(script, ExamKind::AllQuestions);
        QCOMPARE(f.ItemCount, 5);
        QVERIFY(ExamFixture::goToQuestion(id));
        QString note;
        script.expectModal(QStringLiteral("TNoteForm"), [&](QDialog*) {
            note = NoteForm->DBMemo1->toPlainText();
            QTest::mouseClick(NoteForm->Button3, Qt::LeftButton);
        });
        QTest::mouseClick(f.NoteButton, Qt::LeftButton);
        QCOMPARE(note, QStringLiteral("Check the boot.ini"));

        script.expectQuestion(MsgKind::Warning, CloseQuestion, QMessageBox::Ok);
        f.close();
    });
}

void WholeExamTest::optionsChangedDuringAnExam() {
    ScriptedDialogs script;
    inExamWindow(script, [&] {
        TTestForm& f = *TestForm;
        ExamFixture::launch(script, ExamKind::A);
        ExamFixture::answer(QStringLiteral("b"));
        QVERIFY(f.TimeLabel->isVisible());

        // The timer switched off: the time goes at once.
        script.expectModal(QStringLiteral("TOptionsForm"), [](QDialog*) {
            TOptionsForm* o = OptionsForm;
            o->PageControl1->setCurrentWidget(o->TabSheet3);
            QRadioButton* off = o->TimerGroup->item(1);
            QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(8, off->height() / 2));
            QTest::mouseClick(o->BitBtn1, Qt::LeftButton);
        });
        f.Options1->trigger();
        QVERIFY(!f.TimeLabel->isVisible());
        QVERIFY(!f.Timer1->isEnabled());

        // A larger question font: the item on screen is laid out again around it.
        const int textHeight = f.QText->height();
        const int choiceTop = f.ALabel1->y();
        QFont big = f.QText->font();
        big.setPointSize(28);
        script
            .expectModal(QStringLiteral("TOptionsForm"),
                         [](QDialog*) {
                             TOptionsForm* o = OptionsForm;
                             QCOMPARE(o->ListBox1->currentRow(), 0); // Question
                             QTest::mouseClick(o->BitBtn3, Qt::LeftButton);
                             QTest::mouseClick(o->BitBtn1, Qt::LeftButton);
                         })
            .expectModal(QStringLiteral("QFontDialog"), [&](QDialog* d) {
                static_cast<QFontDialog*>(d)->setCurrentFont(big);
                d->accept();
            });
        f.Options1->trigger();
        QCOMPARE(f.QText->font().pointSize(), big.pointSize());
        QVERIFY2(f.QText->height() > textHeight, qPrintable(QString::number(f.QText->height())));
        QCOMPARE(f.QPanel->height(), f.QText->height() + 16);
        QVERIFY(f.ALabel1->y() > choiceTop);
        QCOMPARE(f.RadioButton1->y(), f.ALabel1->y());
        // The answer given survives the new layout.
        QVERIFY(f.RadioButton2->isChecked());
        QVERIFY(palvexa::answerSheet()[0].choice[1]);

        script.expectQuestion(MsgKind::Warning, CloseQuestion, QMessageBox::Ok);
        f.close();
    });
}

QTEST_MAIN(WholeExamTest)
#include "whole_exam_test.moc"
