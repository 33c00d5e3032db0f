#include "ui/exam/pict1_form.h"

TPict1Form::TPict1Form(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Pict1Form"));
    setWindowTitle(QStringLiteral("Exhibit 1"));
}
