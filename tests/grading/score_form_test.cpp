// Grading from the exam window: the question, the graded look, the score window's charts and
// labels, its report content, and its ways out.

#include "data/fields.h"
#include "exam/answer_sheet.h"
#include "grading/grading.h"
#include "grading/score_form.h"
#include "support/exam_fixture.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/outlined_label.h"
#include "widgets/time_counter.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QValueAxis>

using testsupport::ExamFixture;
using testsupport::ScriptedDialogs;

namespace {

const QString GradeQuestion =
    QStringLiteral("This will end your practice exam.\rAre you sure to end this exam?");

struct ShownBar {
    QString label;
    double value;
    QColor color;
};

// The bars of a chart of the score window, the first at the bottom.
QList<ShownBar> barsOf(QChartView* view, QHorizontalStackedBarSeries* series) {
    const auto axes = view->chart()->axes(Qt::Vertical, series);
    const QStringList labels = qobject_cast<QBarCategoryAxis*>(axes.at(0))->categories();
    QList<ShownBar> bars;
    const auto sets = series->barSets();
    for (int i = 0; i < sets.size(); ++i)
        bars.append({labels.value(i), sets[i]->at(i), sets[i]->color()});
    return bars;
}

QValueAxis* valueAxisOf(QChartView* view, QHorizontalStackedBarSeries* series) {
    return qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Horizontal, series).value(0));
}

} // namespace

class ScoreFormTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void windowLooks();
    void titleKeepsTheNamePlain();
    void gradesAfterOk_data();
    void gradesAfterOk();
    void cancelChangesNothing();
    void reviewReopensWithoutQuestion();
    void printReportPreviewsTheReport();
    void exitExamAsksFirst();

private:
    // An exam of `sections.size()` items in testing mode; item i in section sections[i], correct
    // when correct[i].
    void startExam(const QList<int>& sections, const QList<bool>& correct);
    void startExam(int items, int correct, int section = 1);

    ExamFixture fx_;
};

void ScoreFormTest::init() {
    QVERIFY2(fx_.setUp(), qPrintable(fx_.error()));
}

void ScoreFormTest::cleanup() {
    fx_.tearDown();
}

void ScoreFormTest::startExam(const QList<int>& sections, const QList<bool>& correct) {
    // Question i + 1 of practice exam A in sections[i].
    QByteArray yaml;
    for (int i = 0; i < sections.size(); ++i)
        yaml += ExamFixture::questionYaml(i + 1, QStringLiteral("A"), sections[i]);
    QVERIFY2(fx_.setUp(yaml), qPrintable(fx_.error()));
    QVERIFY(ExamFixture::showExamWindow());
    QVERIFY(ExamFixture::startExam(testsupport::ExamKind::A));
    // The verdicts by question, wherever the shuffle put it.
    store::Table& set = TestForm->dtCurrentSet;
    std::size_t k = 0;
    for (set.first(); !set.eof(); set.next())
        palvexa::answerSheet()[k++].correct =
            correct.value(set.asInteger(data::Q_OR_NUMBER) - 1, false);
    set.first();
    QCOMPARE(TestForm->ItemCount, int(sections.size()));
}

void ScoreFormTest::startExam(int items, int correct, int section) {
    QList<bool> flags;
    for (int i = 0; i < items; ++i)
        flags << (i < correct);
    startExam(QList<int>(items, section), flags);
}

void ScoreFormTest::windowLooks() {
    TScoreForm* f = ScoreForm;
    QCOMPARE(f->size(), QSize(582, 444));
    QCOMPARE(f->minimumSize(), f->maximumSize());
    QCOMPARE(f->windowTitle(), QStringLiteral("Orvenda"));
    QVERIFY(f->windowFlags() & Qt::CustomizeWindowHint);
    QVERIFY(!(f->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(f->fcLabel1->text(), QStringLiteral("Examination Score Report"));
    QCOMPARE(f->fcLabel1->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(f->BitBtn1->text(), QStringLiteral("&View Answers"));
    QCOMPARE(f->BitBtn2->text(), QStringLiteral("&Print Report"));
    QCOMPARE(f->BitBtn3->text(), QStringLiteral("E&xit Exam"));
    QVERIFY(f->BitBtn1->isDefault());
    QCOMPARE(f->BitBtn3->geometry(), QRect(474, 5, 104, 30));
    QCOMPARE(f->Chart1Title->text(), QStringLiteral(" Sections "));

    // Neither Escape nor a close request ends it.
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f));
    QTest::keyClick(f, Qt::Key_Escape);
    QVERIFY(f->isVisible());
    f->close();
    QVERIFY(f->isVisible());
    f->done(QDialog::Accepted);
    QVERIFY(!f->isVisible());
}

// The chart title is markup; a name that looks like markup must read as typed.
void ScoreFormTest::titleKeepsTheNamePlain() {
    const QString title = QStringLiteral("<b>Ann</b> & Co,  Palvexa,  Practice Exam A");
    ScoreForm->setTotalTitle(title);
    QCOMPARE(ScoreForm->totalTitle(), title);
}

void ScoreFormTest::gradesAfterOk_data() {
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("correct");
    QTest::addColumn<double>("score");
    QTest::addColumn<QString>("line");
    QTest::addRow("exactly the pass mark")
        << 60 << 51 << 850.0 << "Passing Score: 850   Your Score: 850   Grade: Pass";
    QTest::addRow("just short of it")
        << 113 << 96 << 96000.0 / 113 << "Passing Score: 850   Your Score: 850   Grade: Fail";
    QTest::addRow("nothing right")
        << 5 << 0 << 0.0 << "Passing Score: 850   Your Score: 0   Grade: Fail";
}

void ScoreFormTest::gradesAfterOk() {
    QFETCH(int, items);
    QFETCH(int, correct);
    QFETCH(double, score);
    QFETCH(QString, line);
    // Sections 1..6 in turn; section 7 gets no item.
    QList<int> sections;
    QList<bool> flags;
    for (int i = 0; i < items; ++i) {
        sections << 1 + i % 6;
        flags << (i < correct);
    }
    startExam(sections, flags);
    std::array<int, 7> n{}, c{};
    for (int i = 0; i < items; ++i) {
        ++n[std::size_t(i % 6)];
        c[std::size_t(i % 6)] += flags[i] ? 1 : 0;
    }

    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Confirm, GradeQuestion, QMessageBox::Ok)
        .expectModal("TScoreForm", [&](QDialog*) {
            TScoreForm* f = ScoreForm;
            // Graded look behind the window.
            QVERIFY(!TestForm->ScrollBox1->isVisible());
            QCOMPARE(TestForm->GradeButton->text(), QStringLiteral("Score Report"));
            QVERIFY(TestForm->TimeLabel->isHidden());
            QVERIFY(!TestForm->Timer1->isEnabled());

            const QList<ShownBar> total = barsOf(f->TotalChart, f->Series1);
            QCOMPARE(total.size(), 2);
            QCOMPARE(total[0].label, QStringLiteral("Your score"));
            QCOMPARE(total[0].value, score);
            QCOMPARE(total[0].color, QColor(0, 128, 0));
            QCOMPARE(total[1].label, QStringLiteral("Required score"));
            QCOMPARE(total[1].value, 850.0);
            QCOMPARE(total[1].color, QColor(0, 0, 255));
            QValueAxis* totalAxis = valueAxisOf(f->TotalChart, f->Series1);
            QCOMPARE(totalAxis->min(), 0.0);
            QCOMPARE(totalAxis->max(), 1000.0);
            QCOMPARE(totalAxis->tickCount(), 11);
            QVERIFY(!f->TotalChart->chart()->legend()->isVisible());
            QCOMPARE(f->totalTitle(), QStringLiteral("Your Name,  Palvexa,  Practice Exam A"));
            QCOMPARE(f->TotalLabel->text(), line);

            const QList<ShownBar> sectionBars = barsOf(f->Chart1, f->HorizBarSeries1);
            QCOMPARE(sectionBars.size(), 7);
            for (int k = 7; k >= 1; --k) {
                const ShownBar& b = sectionBars[7 - k]; // section 7 at the bottom
                const int items_k = n[std::size_t(k - 1)];
                const int correct_k = c[std::size_t(k - 1)];
                QCOMPARE(b.label, palvexa::SectionNames()[k - 1] +
                                      QStringLiteral(" (%1/%2) ").arg(correct_k).arg(items_k));
                QCOMPARE(b.value, items_k == 0
                                      ? 0.0
                                      : double(palvexa::roundHalfEven(100 * correct_k, items_k)));
                QCOMPARE(b.color, QColor(255, 0, 0));
            }
            QValueAxis* sectionAxis = valueAxisOf(f->Chart1, f->HorizBarSeries1);
            QCOMPARE(sectionAxis->max(), 100.0);
            QCOMPARE(sectionAxis->tickCount(), 11);

            // The report holds the same content.
            QCOMPARE(f->ppReport1.ppLabel1, f->totalTitle());
            QCOMPARE(f->ppReport1.ppLabel4, line);
            QCOMPARE(f->ppReport1.ppTeeChart1.size(), std::size_t(2));
            QCOMPARE(f->ppReport1.ppTeeChart1[0].value, score);
            QCOMPARE(f->ppReport1.ppTeeChart2.size(), std::size_t(7));
            QCOMPARE(f->ppReport1.ppTeeChart2[6].label, sectionBars[6].label);

            // PALVEXA_KEEP_OUTPUT names a folder for a picture of the window, to look at.
            if (const QString out = qEnvironmentVariable("PALVEXA_KEEP_OUTPUT"); !out.isEmpty())
                f->grab().save(out + QStringLiteral("/score_window_%1.png").arg(items));
            QTest::mouseClick(f->BitBtn1, Qt::LeftButton); // View Answers
        });
    TestForm->GradeButtonClick();
    QVERIFY2(script.done(), qPrintable(script.report()));

    QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::ReviewMode));
    QVERIFY(TestForm->MarkBox->isHidden());
    QVERIFY(TestForm->TimeLabel->isHidden());
    QVERIFY(!TestForm->LearnButton->isEnabled());
    QVERIFY(!TestForm->CorrectLabel->isHidden());
    QVERIFY(!TestForm->ReviewLabel->isHidden());
    QCOMPARE(TestForm->dtCurrentSet.recNo(), 1);
}

void ScoreFormTest::cancelChangesNothing() {
    startExam(4, 2);
    const QString caption = TestForm->GradeButton->text();
    const bool areaShown = !TestForm->ScrollBox1->isHidden();
    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Confirm, GradeQuestion, QMessageBox::Cancel);
    TestForm->GradeButtonClick();
    QVERIFY2(script.done(), qPrintable(script.report()));
    QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::TestingMode));
    QCOMPARE(TestForm->GradeButton->text(), caption);
    QCOMPARE(!TestForm->ScrollBox1->isHidden(), areaShown);
    QVERIFY(ScoreForm->TotalLabel->text().isEmpty());
    QVERIFY(TestForm->Timer1->isEnabled());
}

void ScoreFormTest::reviewReopensWithoutQuestion() {
    startExam(7, 6);
    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Confirm, GradeQuestion, QMessageBox::Ok)
        .expectModal("TScoreForm",
                     [](QDialog*) { QTest::mouseClick(ScoreForm->BitBtn1, Qt::LeftButton); });
    TestForm->GradeButtonClick();
    QVERIFY2(script.done(), qPrintable(script.report()));
    const QString line = ScoreForm->TotalLabel->text();
    QCOMPARE(line, QStringLiteral("Passing Score: 850   Your Score: 857   Grade: Pass"));

    // Nothing is graded again in review mode, even if the sheet were to change.
    for (auto& e : palvexa::answerSheet())
        e.correct = false;
    ScriptedDialogs again;
    again.expectModal("TScoreForm", [&](QDialog*) {
        QCOMPARE(ScoreForm->TotalLabel->text(), line);
        QCOMPARE(barsOf(ScoreForm->TotalChart, ScoreForm->Series1)[0].value, 6000.0 / 7);
        QTest::mouseClick(ScoreForm->BitBtn1, Qt::LeftButton);
    });
    TestForm->GradeButtonClick();
    QVERIFY2(again.done(), qPrintable(again.report()));
    QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::ReviewMode));
}

void ScoreFormTest::printReportPreviewsTheReport() {
    startExam(3, 3);
    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Confirm, GradeQuestion, QMessageBox::Ok)
        .expectModal("TScoreForm",
                     [&](QDialog*) {
                         QTest::mouseClick(ScoreForm->BitBtn2, Qt::LeftButton);
                         QVERIFY(ScoreForm->isVisible()); // the preview leaves it open
                         QTest::mouseClick(ScoreForm->BitBtn1, Qt::LeftButton);
                     })
        .expectModal("QPrintPreviewDialog", [](QDialog* d) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(d);
            QVERIFY(preview);
            QCOMPARE(preview->printer()->docName(), QStringLiteral("Score Report"));
            QCOMPARE(preview->printer()->pageLayout().pageSize().id(), QPageSize::A4);
            QCOMPARE(preview->printer()->pageLayout().margins(QPageLayout::Millimeter),
                     QMarginsF(6.35, 6.35, 6.35, 6.35));
            d->reject();
        });
    TestForm->GradeButtonClick();
    QVERIFY2(script.done(), qPrintable(script.report()));
}

void ScoreFormTest::exitExamAsksFirst() {
    startExam(2, 1);
    const QString exitQuestion = QStringLiteral("Are you sure you wish to end this exam?");
    ScriptedDialogs script;
    script.expectQuestion(app::MsgKind::Confirm, GradeQuestion, QMessageBox::Ok)
        .expectModal("TScoreForm",
                     [](QDialog*) {
                         QTest::mouseClick(ScoreForm->BitBtn3, Qt::LeftButton);
                         QVERIFY(ScoreForm->isVisible()); // No changes nothing
                         QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::TestingMode));
                         QTest::mouseClick(ScoreForm->BitBtn3, Qt::LeftButton);
                     })
        .expectQuestion(app::MsgKind::Confirm, exitQuestion, QMessageBox::No)
        .expectQuestion(app::MsgKind::Confirm, exitQuestion, QMessageBox::Yes);
    TestForm->GradeButtonClick();
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(!ScoreForm->isVisible());
    QCOMPARE(TestForm->ExamMode, std::int32_t(palvexa::IdleMode));
}

QTEST_MAIN(ScoreFormTest)
#include "score_form_test.moc"
