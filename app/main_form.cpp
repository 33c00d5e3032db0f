#include "app/main_form.h"

#include "app/banner.h"
#include "app/dialogs.h"
#include "authoring/sampler_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/placement.h"
#include "widgets/shape_button.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFrame>

namespace {

constexpr int ClientWidth = 232;
constexpr int BorderWidth = 2;
constexpr int PanelBorder = 4;
constexpr int ButtonWidth = 138;
constexpr int ButtonHeight = 34;

QFrame* makePanel(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::NoFrame);
    panel->setAutoFillBackground(true);
    return panel;
}

widgets::ShapeButton* makeButton(QWidget* parent, const QString& name, const QString& text,
                                 const QColor& color, int top) {
    auto* b = new widgets::ShapeButton(text, color, parent);
    b->setObjectName(name);
    b->setFixedSize(ButtonWidth, ButtonHeight);
    b->move((parent->width() - ButtonWidth) / 2, top);
    return b;
}

} // namespace

TMainForm::TMainForm(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Orvenda"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    const int inner = ClientWidth - 2 * BorderWidth;

    // Banner panel, sized to its picture.
    Panel1 = makePanel(this, QStringLiteral("Panel1"));
    Image1 = new app::Banner(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Panel1->setGeometry(BorderWidth, BorderWidth, inner, app::Banner::Height + 4);
    Image1->move((inner - app::Banner::Width) / 2, 2);

    // Button panel: a blue-outlined rectangle inside a 4-pixel border, three buttons stacked.
    Panel2 = makePanel(this, QStringLiteral("Panel2"));
    const int panelHeight = 162;
    Panel2->setGeometry(BorderWidth, Panel1->geometry().bottom() + 1, inner, panelHeight);
    Shape1 = new QFrame(Panel2);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    Shape1->setLineWidth(1);
    Shape1->setStyleSheet(QStringLiteral("QFrame#Shape1 { border: 1px solid #0000ff; }"));
    Shape1->setGeometry(PanelBorder, PanelBorder, inner - 2 * PanelBorder,
                        panelHeight - 2 * PanelBorder);

    StartTestBtn = makeButton(Panel2, QStringLiteral("StartTestBtn"),
                              QStringLiteral("Start &Testing"), QColor(0, 0, 128), 18);
    SamplerBtn = makeButton(Panel2, QStringLiteral("SamplerBtn"), QStringLiteral("Test &Sampler"),
                            QColor(128, 0, 128), 18 + ButtonHeight + 10);
    fcShapeBtn3 = makeButton(Panel2, QStringLiteral("fcShapeBtn3"), QStringLiteral("E&xit"),
                             QColor(0, 128, 128), 18 + 2 * (ButtonHeight + 10) + 8);

    connect(StartTestBtn, &QAbstractButton::clicked, this,
            [this] { app::guard([this] { StartTestBtnClick(); }); });
    connect(SamplerBtn, &QAbstractButton::clicked, this,
            [this] { app::guard([this] { SamplerBtnClick(); }); });
    connect(fcShapeBtn3, &QAbstractButton::clicked, this,
            [this] { app::guard([this] { fcShapeBtn3Click(); }); });

    // Automatic sizing: the window takes the height of its two panels.
    setFixedSize(ClientWidth, Panel2->geometry().bottom() + 1 + BorderWidth);

    app::guard([this] { FormCreate(); });
}

void TMainForm::FormCreate() {
    // The table files live beside the executable; a failure leaves the current directory as is.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    setWindowTitle(QStringLiteral("Palvexa"));
}

void TMainForm::StartTestBtnClick() {
    hide();
    TestForm->setWindowState(TestForm->windowState() | Qt::WindowMaximized);
    app::showModal(TestForm);
}

void TMainForm::SamplerBtnClick() {
    SamplerForm->OpenSampler();
}

void TMainForm::fcShapeBtn3Click() {
    close();
}

void TMainForm::showEvent(QShowEvent* event) {
    if (!centred_) {
        centred_ = true;
        widgets::centreOnScreen(this);
    }
    QWidget::showEvent(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closed();
}
