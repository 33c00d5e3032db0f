#include "exam/progress_form.h"

TProgressForm::TProgressForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QStringLiteral("Randomizing queastion set..."));
}
