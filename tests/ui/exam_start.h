#pragma once

// The program's windows over a small bank in a temporary program folder, and an exam started
// in the exam window the way the launch leaves it: exam set built, answer sheet initialised,
// testing mode, first item current, question area shown, count started.

#include "app/startup.h"
#include "data/bank_writer.h"
#include "data/fields.h"
#include "exam/answer_sheet.h"
#include "exam/builders.h"
#include "settings/settings_store.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace testsupport {

class ExamWindow {
public:
    // Five questions of practice exam A.
    bool setUp() {
        forms_.reset();
        QStandardPaths::setTestModeEnabled(true);
        if (!dir_.isValid())
            return false;
        before_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        QList<QVariantMap> records;
        for (int id = 1; id <= 5; ++id) {
            QVariantMap r;
            r[data::Q_EXAM_N] = 1;
            r[data::Q_SECT] = 1 + id % 7;
            r[data::Q_TYPE] = 1;
            r[data::Q_TEXT] = QStringLiteral("Question %1").arg(id);
            r[data::Q1] = QStringLiteral("yes");
            r[data::Q2] = QStringLiteral("no");
            r[data::A1] = true;
            r[data::Q_EXPL] = QStringLiteral("Because.");
            records << r;
        }
        data::writeQuestionBank(data::QuestionBankFile, records);
        QFile::remove(settings::SettingsStore::defaultFilePath());
        forms_ = app::createForms();
        // The start window makes the program's folder current; the test's folder is ours.
        QDir::setCurrent(dir_.path());
        return TestForm != nullptr;
    }

    void tearDown() {
        forms_.reset();
        QFile::remove(settings::SettingsStore::defaultFilePath());
        QDir::setCurrent(before_);
    }

    void startExam(int minutes, bool timerOn = true) {
        TTestForm& f = *TestForm;
        f.Options.TimerOn = timerOn;
        f.ExamMode = palvexa::IdleMode;
        f.ExamTitle = QStringLiteral("Practice Exam A");
        f.TimeLimit = palvexa::minutesToDays(minutes);
        f.dtQSet.setFilter(QStringLiteral("Q_EXAM_N=1"));
        f.dtQSet.setFiltered(true);
        f.dtQSet.open();
        palvexa::BuildShuffledSet(f.Tables, f.State);
        palvexa::InitAnswerSheet(f.dtCurrentSet);
        f.ExamMode = palvexa::TestingMode;
        f.Panel4->hide();
        f.ScrollBox1->show();
        f.Panel2->show();
        f.N21->menuAction()->setEnabled(false);
        f.Print1->setEnabled(true);
        for (QWidget* w : {static_cast<QWidget*>(f.Label1), static_cast<QWidget*>(f.Label3),
                           static_cast<QWidget*>(f.MarkBox)})
            if (w)
                w->show();
        f.dtCurrentSet.first();
        f.StartExamTimer();
    }

private:
    QTemporaryDir dir_;
    QString before_;
    std::unique_ptr<app::Forms> forms_;
};

} // namespace testsupport
