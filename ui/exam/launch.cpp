// Launching an exam: the name dialog's preparation, the ten exam kinds' launchers and the
// switch of the exam window from its welcome look to its exam look.

#include "app/dialogs.h"
#include "exam/answer_sheet.h"
#include "exam/builders.h"
#include "exam/exam_state.h"
#include "exam/name_form.h"
#include "exam/progress_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/outlined_label.h"
#include "widgets/shape_button.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <functional>

namespace {

const QString AllExamsFilter = QStringLiteral("Q_EXAM_N<>0");
const QString NoQuestions = QStringLiteral("There are no questions in this exam.");

void setShown(QWidget* w, bool shown) {
    if (w)
        w->setVisible(shown);
}

// Steps 4 to the end of a launch, once the name dialog is confirmed: build the exam set in idle
// mode, then testing mode, the exam look, item 1 and the count. A failure before testing mode
// leaves the window idle with its tables closed, as after a closed exam.
void runExam(TTestForm& f, store::Table& source, const std::function<void()>& build, bool noNotes) {
    try {
        f.ExamMode = palvexa::IdleMode;
        if (!source.isOpen())
            source.open();
        // An exam without a question could only show an empty item; refuse it.
        if (source.isEmpty()) {
            source.close();
            if (&source == &f.dtQSet) {
                f.dtQSet.setFilter(QString());
                f.dtQSet.setFiltered(false);
            }
            app::ask(app::MsgKind::Information, NoQuestions, QMessageBox::Ok);
            return;
        }
        build();
        palvexa::InitAnswerSheet(f.dtCurrentSet);
    } catch (...) {
        f.ExamMode = palvexa::IdleMode;
        f.dtQSet.close();
        f.dtCurrentSet.close();
        f.dtUserSet.close();
        throw;
    }
    f.ExamMode = palvexa::TestingMode;
    f.ExamControls();
    if (noNotes)
        setShown(f.NoteButton, false);
    f.dtCurrentSet.first();
    f.StartExamTimer();
}

} // namespace

void TTestForm::PrepareNameDialog(bool countEnabled) {
    dtQSet.open();
    dtQSet.setFilter(AllExamsFilter);
    dtQSet.setFiltered(true);
    const int n = dtQSet.recordCount();
    // The minimum stays 1; a bank without exam questions is refused at the launch.
    NameForm->SpinEdit2->setRange(1, std::max(1, n));
    NameForm->SpinEdit2->setValue(n);
    dtQSet.close();
    NameForm->setCountEnabled(countEnabled);
}

namespace {

// The dialog caption, exam title and bank filter of one bank exam kind; the rest of the launch
// is the same for all of them.
void launchBankExam(TTestForm& f, const QString& caption, const QString& title,
                    const QString& filter) {
    f.PrepareNameDialog(false);
    NameForm->setWindowTitle(caption);
    f.ExamTitle = title;
    f.dtQSet.setFilter(filter);
    f.StartPracticeExam();
}

void launchPracticeExam(TTestForm& f, int exam) {
    const QChar letter(u'A' + exam - 1);
    launchBankExam(f, QStringLiteral("Begin Practice Exam %1").arg(letter),
                   QStringLiteral("Practice Exam %1").arg(letter),
                   QStringLiteral("Q_EXAM_N=%1").arg(exam));
}

} // namespace

void TTestForm::Action1Execute() {
    launchPracticeExam(*this, 1);
}

void TTestForm::Action2Execute() {
    launchPracticeExam(*this, 2);
}

void TTestForm::Action3Execute() {
    launchPracticeExam(*this, 3);
}

void TTestForm::Action4Execute() {
    launchPracticeExam(*this, 4);
}

void TTestForm::Action5Execute() {
    launchPracticeExam(*this, 5);
}

void TTestForm::Action6Execute() {
    launchPracticeExam(*this, 6);
}

void TTestForm::Action7Execute() {
    launchPracticeExam(*this, 7);
}

void TTestForm::AllQActExecute() {
    launchBankExam(*this, QStringLiteral("Take All Questions"), QStringLiteral("All Questions"),
                   AllExamsFilter);
}

namespace {

// The name dialog, then the build from the filtered bank: the part every bank exam shares.
template <class Build> void confirmAndRunBankExam(TTestForm& f, Build build) {
    if (app::execModal(NameForm) != QDialog::Accepted)
        return;
    if (f.Label3)
        f.Label3->setText(f.ExamTitle);
    f.dtQSet.setFiltered(true);
    runExam(f, f.dtQSet, build, false);
}

} // namespace

void TTestForm::StartPracticeExam() {
    NameForm->SpinEdit1->setValue(Options.DefaultTime);
    confirmAndRunBankExam(*this,
                          [this] { palvexa::BuildShuffledSet(Tables, State, ProgressForm); });
}

void TTestForm::RandActExecute() {
    NameForm->setWindowTitle(QStringLiteral("Random Exam"));
    PrepareNameDialog(true);
    ExamTitle = QStringLiteral("Random Exam");
    dtQSet.setFilter(AllExamsFilter);
    // The time field keeps what it holds.
    confirmAndRunBankExam(*this, [this] {
        // OK has already brought the typed count into 1..N.
        const int count = NameForm->SpinEdit2->value();
        palvexa::BuildRandomSet(Tables, count, State, ProgressForm);
    });
}

void TTestForm::UserActExecute() {
    dtUserSet.open();
    if (dtUserSet.isEmpty()) {
        dtUserSet.close();
        app::ask(app::MsgKind::Information, QStringLiteral("User defined question set is empty!"),
                 QMessageBox::Ok);
        return;
    }
    try {
        PrepareNameDialog(false);
    } catch (...) {
        // Not left open behind an error box: the Test Sampler opens the same file.
        dtUserSet.close();
        throw;
    }
    NameForm->setWindowTitle(QStringLiteral("User Exam"));
    ExamTitle = QStringLiteral("User Exam");
    StartUserExam();
}

void TTestForm::StartUserExam() {
    NameForm->SpinEdit1->setValue(Options.DefaultTime);
    // On Cancel the user question set stays open until the next exam is closed.
    if (app::execModal(NameForm) != QDialog::Accepted)
        return;
    if (Label3)
        Label3->setText(QStringLiteral("Palvexa, ") + ExamTitle);
    // User questions take no notes.
    runExam(
        *this, dtUserSet, [this] { palvexa::BuildUserSet(Tables, State, ProgressForm); }, true);
}

void TTestForm::ExamControls() {
    setShown(Panel4, false);
    if (ScrollBox1) {
        ScrollBox1->setVisible(true);
        ScrollBox1->setEnabled(true);
    }
    setShown(Panel2, true);
    setShown(fcLabel1, false);
    setShown(Label1, true);
    setShown(Label2, true);
    setShown(MarkBox, true);
    setShown(Label3, true);
    setShown(TimeLabel, true);
    setShown(ReviewLabel, false);
    setShown(CorrectLabel, false);
    if (GradeButton)
        GradeButton->setText(QStringLiteral("Grade Now"));
    N21->setEnabled(false);
    N21->menuAction()->setEnabled(false);
    Print1->setEnabled(true);
    if (LearnButton)
        LearnButton->setEnabled(true);
}

void TTestForm::CenterExamButtons() {
    const int width = frameGeometry().width();
    const auto place = [width](std::initializer_list<widgets::ShapeButton*> row) {
        widgets::ShapeButton* first = *row.begin();
        if (!first)
            return;
        int left = palvexa::centeredButtonsLeft(width, first->width(), int(row.size()));
        for (widgets::ShapeButton* b : row) {
            b->move(left, 0);
            left += b->width() + 6;
        }
    };
    place({fcShapeBtn1, fcShapeBtn2, fcShapeBtn3, fcShapeBtn4, fcShapeBtn5, fcShapeBtn6,
           fcShapeBtn7});
    place({AllQBtn, RandomBtn, UserBtn});
}
