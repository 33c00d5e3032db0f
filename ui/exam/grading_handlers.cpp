// Grading in the exam window: the Grade Now question, the graded look, filling the score
// window and its report, and the top bar of review mode.

#include "app/dialogs.h"
#include "exam/answer_sheet.h"
#include "grading/grading.h"
#include "grading/score_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/time_counter.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace {

const QColor YourScoreColor(0, 128, 0);
const QColor RequiredScoreColor(0, 0, 255);
const QColor SectionColor(255, 0, 0);

} // namespace

void TTestForm::GradeButtonClick() {
    // Review first: reopening the result asks nothing; testing then asks before grading.
    if (ExamMode == palvexa::ReviewMode)
        ShowScoreReport();
    if (ExamMode == palvexa::TestingMode &&
        app::ask(
            app::MsgKind::Confirm,
            QStringLiteral("This will end your practice exam.\rAre you sure to end this exam?"),
            QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok)
        ShowScoreReport();
}

void TTestForm::ShowScoreReport() {
    if (ExamMode == palvexa::TestingMode) {
        // An exam without items has no score; the launch never starts one.
        if (palvexa::answerSheet().empty())
            return;
        // Grading ends the count, so an expiry cannot grade a second time over the result.
        if (Timer1)
            Timer1->stop();
        ShowTotalScore();
        ShowSectionScores();
        ScrollBox1->hide();
        if (GradeButton)
            GradeButton->setText(QStringLiteral("Score Report"));
        if (TimeLabel)
            TimeLabel->hide();
    }
    app::execModal(ScoreForm);
}

void TTestForm::ShowTotalScore() {
    const palvexa::TotalScore total = palvexa::totalScore(palvexa::answerSheet());
    const std::vector<report::Bar> bars = {
        {QStringLiteral("Your score"), total.score, YourScoreColor},
        {QStringLiteral("Required score"), double(palvexa::PassingScore), RequiredScoreColor},
    };
    const QString title = palvexa::titleLine(State.candidateName, State.examTitle);
    const QString line = palvexa::scoreLine(total);

    ScoreForm->setTotalBars(bars);
    ScoreForm->setTotalTitle(title);
    ScoreForm->ppReport1.ppTeeChart1 = bars;
    ScoreForm->ppReport1.ppLabel1 = title;
    ScoreForm->ppReport1.ppLabel2 = QStringLiteral("Palvexa");
    ScoreForm->TotalLabel->setText(line);
    ScoreForm->ppReport1.ppLabel4 = line;
}

void TTestForm::ShowSectionScores() {
    const auto tallies = palvexa::sectionTallies(palvexa::answerSheet());
    // Section 7 first, so that it stands at the bottom and section 1 at the top.
    std::vector<report::Bar> bars;
    for (int k = palvexa::SectionCount; k >= 1; --k) {
        const palvexa::SectionTally& t = tallies[std::size_t(k - 1)];
        bars.push_back({palvexa::sectionBarLabel(k, t), double(t.percentage), SectionColor});
    }
    ScoreForm->setSectionBars(bars);
    ScoreForm->ppReport1.ppTeeChart2 = bars;
}

void TTestForm::ReviewControls() {
    if (MarkBox)
        MarkBox->hide();
    if (TimeLabel)
        TimeLabel->hide();
    LearnButton->setEnabled(false);
    if (CorrectLabel)
        CorrectLabel->show();
    if (ReviewLabel)
        ReviewLabel->show();
}
