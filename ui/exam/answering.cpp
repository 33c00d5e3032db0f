// Answering, marking and moving between items. The answer sheet is the only place answers
// live: in testing mode a click writes it, in review mode a click is undone from it at once.
// The handlers never redraw the view; a move raises the exam set's refresh.

#include "exam/answer_sheet.h"
#include "ui/exam/question_controls.h"
#include "ui/exam/test_form.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace examview;

void TTestForm::PrevButtonClick() {
    dtCurrentSet.prior();
}

void TTestForm::NextButtonClick() {
    dtCurrentSet.next();
}

void TTestForm::ALabelClick(int n) {
    // As if the button itself were clicked; the button's handler looks at the mode.
    if (QRadioButton* radio = choiceRadio(*this, n); !radio->isHidden())
        radio->setChecked(true);
    else
        choiceCheck(*this, n)->toggle();
}

void TTestForm::RadioButton1Click() {
    StoreRadioChoices();
}

void TTestForm::StoreRadioChoices() {
    palvexa::AnswerEntry* entry = currentEntry(*this);
    if (!entry)
        return;
    if (ExamMode == palvexa::TestingMode) {
        for (int n = 1; n <= 6; ++n)
            entry->choice[std::size_t(n - 1)] = choiceRadio(*this, n)->isChecked();
        UpdateCorrectFlag();
    } else if (ExamMode == palvexa::ReviewMode) {
        setRadios(*this, *entry);
    }
}

void TTestForm::CheckBoxClick(int n) {
    palvexa::AnswerEntry* entry = currentEntry(*this);
    if (!entry)
        return;
    QCheckBox* check = choiceCheck(*this, n);
    bool& flag = entry->choice[std::size_t(n - 1)];
    if (ExamMode == palvexa::TestingMode) {
        flag = check->isChecked();
        UpdateCorrectFlag();
    } else if (ExamMode == palvexa::ReviewMode) {
        check->setChecked(flag);
    }
}

void TTestForm::MarkBoxClick() {
    if (palvexa::AnswerEntry* entry = currentEntry(*this))
        entry->mark = MarkBox->isChecked();
}

void TTestForm::UpdateCorrectFlag() {
    if (palvexa::AnswerEntry* entry = currentEntry(*this))
        palvexa::UpdateCorrectFlag(*entry, dtCurrentSet);
}
