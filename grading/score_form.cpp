#include "grading/score_form.h"

TScoreForm::TScoreForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ScoreForm"));
    setWindowTitle(QStringLiteral("Score Report"));
}
