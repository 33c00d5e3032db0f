#include "settings/options_form.h"

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
}
