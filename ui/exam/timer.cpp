// The exam timer: the remaining time in the top bar, counted down from the time limit by the
// wall clock, and the question asked when it is used up.

#include "app/dialogs.h"
#include "exam/exam_state.h"
#include "ui/exam/test_form.h"
#include "widgets/time_counter.h"

#include <QLabel>
#include <QtMath>

namespace {

// The limit is whole minutes, stored in days.
qint64 daysToSeconds(double days) {
    return qRound64(days * 86400.0);
}

} // namespace

void TTestForm::buildTimer() {
    Timer1 = new widgets::TimeCounter(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &widgets::TimeCounter::tick, this,
            [this] { app::guard([this] { Timer1Timer(); }); });
}

void TTestForm::StartExamTimer() {
    const bool counting = Options.TimerOn && ExamMode == palvexa::TestingMode;
    if (TimeLabel) {
        TimeLabel->setVisible(counting);
        TimeLabel->setText(palvexa::formatHms(daysToSeconds(TimeLimit)));
    }
    Timer1->setEnabled(counting);
    Timer1->reset();
}

void TTestForm::Timer1Timer() {
    const qint64 elapsed = Timer1->elapsedSeconds();
    ElapsedTime = elapsed / 86400.0;
    const qint64 limit = daysToSeconds(TimeLimit);
    if (TimeLabel)
        TimeLabel->setText(palvexa::formatHms(limit - elapsed));
    // Reached or passed: a late tick ends the count just the same.
    if (elapsed >= limit) {
        Timer1->reset();
        Timer1->stop();
        TimeExpired();
    }
}

void TTestForm::TimeExpired() {
    const auto answer =
        app::ask(app::MsgKind::Information,
                 QStringLiteral("Your time has expired.\rDo you want continue the exam anyway?"),
                 QMessageBox::Ok | QMessageBox::No);
    if (answer == QMessageBox::No) {
        GradeButtonClick();
        return;
    }
    // Going on without a limit; the count stays stopped.
    if (TimeLabel)
        TimeLabel->hide();
}
