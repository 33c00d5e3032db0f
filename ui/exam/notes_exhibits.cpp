// The exam window's note and exhibit buttons.

#include "app/dialogs.h"
#include "ui/exam/note_form.h"
#include "ui/exam/pict1_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

void TTestForm::NoteButtonClick() {
    app::guard([this] {
        if (NoteForm)
            NoteForm->showFor(ExamTitle);
    });
}

void TTestForm::ExhBtnAClick() {
    app::guard([this] {
        if (Pict1Form)
            Pict1Form->showExhibit(dtCurrentSet.asText(data::PICT1));
    });
}
