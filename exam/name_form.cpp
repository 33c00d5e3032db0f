#include "exam/name_form.h"

#include "exam/exam_state.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/placement.h"

#include <QDate>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>

namespace {

const QColor Silver(192, 192, 192);
const QColor Gray(128, 128, 128);

// A number field whose unfinished text, when left, reads as the nearest value in range, and
// anything that is not a number as the minimum.
class SpinEdit : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

    void fixup(QString& input) const override {
        bool ok = false;
        int v = input.trimmed().toInt(&ok);
        input = textFromValue(ok ? qBound(minimum(), v, maximum()) : minimum());
    }
};

QSpinBox* makeSpin(QWidget* parent, const QString& name, int min, int max, int value) {
    auto* spin = new SpinEdit(parent);
    spin->setObjectName(name);
    spin->setRange(min, max);
    spin->setValue(value);
    spin->setSingleStep(1);
    spin->setAccelerated(false);
    return spin;
}

} // namespace

TNameForm::TNameForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("NameForm"));
    setWindowTitle(QStringLiteral("Orvenda"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label3 = new QLabel(QStringLiteral("Your Name: "), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    NameEdit = new QLineEdit(QStringLiteral("Your Name"), this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setMinimumWidth(170);
    Label3->setBuddy(NameEdit);

    Label2 = new QLabel(QStringLiteral("Time (min):"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    SpinEdit1 = makeSpin(this, QStringLiteral("SpinEdit1"), 1, 600, 90);
    Label2->setBuddy(SpinEdit1);

    Label4 = new QLabel(QStringLiteral("Number of questions:"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    SpinEdit2 = makeSpin(this, QStringLiteral("SpinEdit2"), 1, 100, 0);
    Label4->setBuddy(SpinEdit2);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    // Esc rejects the dialog as well.
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 10, 16, 14);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(NameEdit, 1, 1);
    grid->addWidget(Label2, 2, 0);
    grid->addWidget(SpinEdit1, 2, 1, Qt::AlignLeft);
    grid->addWidget(Label4, 3, 0);
    grid->addWidget(SpinEdit2, 3, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    grid->addItem(new QSpacerItem(0, 6), 4, 0);
    grid->addLayout(buttons, 5, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    for (QSpinBox* s : {SpinEdit1, SpinEdit2})
        s->setMinimumWidth(80);

    setCountEnabled(false);
}

void TNameForm::setCountEnabled(bool enabled) {
    Label4->setEnabled(enabled);
    SpinEdit2->setEnabled(enabled);
    QPalette pal = SpinEdit2->palette();
    const QColor base = enabled ? palette().color(QPalette::Active, QPalette::Base) : Silver;
    const QColor text = enabled ? palette().color(QPalette::Active, QPalette::Text) : Gray;
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Base, base);
        pal.setColor(group, QPalette::Text, text);
    }
    SpinEdit2->setPalette(pal);
}

int TNameForm::readSpin(QSpinBox* spin) {
    bool ok = false;
    int v = spin->cleanText().trimmed().toInt(&ok);
    if (!ok)
        v = spin->minimum();
    v = qBound(spin->minimum(), v, spin->maximum());
    spin->setValue(v);
    return v;
}

void TNameForm::BitBtn1Click() {
    // Read what is typed now: a confirmation by Enter comes before the field is left.
    const int minutes = readSpin(SpinEdit1);
    readSpin(SpinEdit2);
    TestForm->CandidateName = NameEdit->text();
    TestForm->TimeLimit = palvexa::minutesToDays(minutes);
    accept();
}

bool TNameForm::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TNameForm::showEvent(QShowEvent* e) {
    FormActivate();
    widgets::centreOnScreen(this);
    QDialog::showEvent(e);
}

void TNameForm::FormActivate() {
    Label1->setText(QStringLiteral("Date: ") +
                    QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}
