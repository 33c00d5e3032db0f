// The exam window's side of the items review: which variant to list, and opening it.

#include "app/dialogs.h"
#include "exam/answer_sheet.h"
#include "grading/review_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QPushButton>

void TTestForm::Button1Click() {
    if (ExamMode == palvexa::TestingMode)
        ListItemStates();
    else if (ExamMode == palvexa::ReviewMode)
        ListItemResults();
    ReviewForm->BitBtn2->setEnabled(false);
    ReviewForm->ExamSet = &dtCurrentSet;
    app::execModal(ReviewForm);
}

void TTestForm::ListItemStates() {
    ReviewForm->fillList(palvexa::answerSheet(), TReviewForm::Variant::States);
}

void TTestForm::ListItemResults() {
    ReviewForm->fillList(palvexa::answerSheet(), TReviewForm::Variant::Results);
}
