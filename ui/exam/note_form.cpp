#include "ui/exam/note_form.h"

TNoteForm::TNoteForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NoteForm"));
    setWindowTitle(QStringLiteral("Orvenda"));
}
