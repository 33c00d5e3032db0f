#include "exam/name_form.h"

TNameForm::TNameForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NameForm"));
    setWindowTitle(QStringLiteral("Orvenda"));
}
