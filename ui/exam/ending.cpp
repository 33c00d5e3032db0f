// The ways out of an exam: Exit Exam, closing the window, and the one operation that returns
// the window to its welcome state.

#include "app/dialogs.h"
#include "app/main_form.h"
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

namespace {

void hideIfThere(QWidget* w) {
    if (w)
        w->hide();
}

} // namespace

void TTestForm::Button3Click() {
    if (app::ask(app::MsgKind::Confirm, QStringLiteral("Are you sure you wish to end this exam?"),
                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        CloseCurrentExam();
}

void TTestForm::Exit1Click() {
    close();
}

void TTestForm::FormCloseQuery(bool& CanClose) {
    CanClose = true;
    if (ExamMode == palvexa::TestingMode)
        CanClose = app::ask(app::MsgKind::Warning,
                            QStringLiteral("This exam is not completed.\rAre you shure ?"),
                            QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TTestForm::FormClose() {
    // The window is already going: whatever ending the exam runs into, the start window must
    // come back, or the program is left with no window at all.
    app::guard([this] { CloseCurrentExam(); });
    MainForm->show();
}

void TTestForm::CloseCurrentExam() {
    ExamMode = palvexa::IdleMode;
    dtQSet.setFilter(QString());
    dtQSet.setFiltered(false);
    dtQSet.close();
    dtCurrentSet.close();
    dtUserSet.close();
    Panel2->hide();
    if (fcLabel1)
        fcLabel1->show();
    N21->setEnabled(true);
    N21->menuAction()->setEnabled(true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label1, Label2, CorrectLabel, MarkBox, Label3, TimeLabel})
        hideIfThere(w);
    Timer1->stop();
    hideIfThere(ReviewLabel);
    Print1->setEnabled(false);
    ScrollBox1->hide();
    Panel4->show();
    if (NoteButton)
        NoteButton->show();
}
