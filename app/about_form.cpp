#include "app/about_form.h"

#include "app/banner.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* noticeLine(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    return label;
}

} // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Orvenda"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(13);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(4);

    Image1 = new app::Banner(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addSpacing(10);

    Label1 = noticeLine(this, QStringLiteral("Label1"),
                        QStringLiteral("Palvexa 1.0 \u2014 practice exams for 70-073"));
    QFont bold = f;
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = noticeLine(this, QStringLiteral("Label2"),
                        QStringLiteral("Copyright \u00a9 Orvenda. All rights reserved."));
    Label3 = noticeLine(this, QStringLiteral("Label3"),
                        QStringLiteral("Windows NT is a trademark of Microsoft Corporation."));
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addSpacing(6);

    // Our own static markup; the address is fixed, nothing from outside reaches this label.
    LinkLabel1 = new QLabel(this);
    LinkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
    LinkLabel1->setTextFormat(Qt::RichText);
    LinkLabel1->setText(QStringLiteral("<a href=\"https://www.orvenda.example/\" "
                                       "style=\"color:#0000ff\">www.orvenda.example</a>"));
    LinkLabel1->setOpenExternalLinks(true);
    LinkLabel1->setTextInteractionFlags(Qt::TextBrowserInteraction);
    LinkLabel1->setAlignment(Qt::AlignHCenter);
    LinkLabel1->setAccessibleName(QStringLiteral("www.orvenda.example"));
    layout->addWidget(LinkLabel1);
    layout->addSpacing(10);

    bkOK = new QPushButton(QStringLiteral("OK"), this);
    bkOK->setObjectName(QStringLiteral("bkOK"));
    bkOK->setDefault(true);
    bkOK->setFixedSize(75, 25);
    connect(bkOK, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(bkOK, 0, Qt::AlignHCenter);

    layout->setSizeConstraint(QLayout::SetFixedSize);
}
