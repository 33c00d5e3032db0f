#include "settings/options_form.h"

#include "app/dialogs.h"
#include "settings/options.h"
#include "settings/run_button.h"
#include "settings/settings_store.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The colours a font may take in the font dialog, as the system's own font dialog offers them.
const struct {
    const char* name;
    QRgb rgb;
} kFontColors[] = {
    {"Black", 0x000000},  {"Maroon", 0x800000},  {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080},  {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xc0c0c0}, {"Red", 0xff0000},     {"Lime", 0x00ff00},  {"Yellow", 0xffff00},
    {"Blue", 0x0000ff},   {"Fuchsia", 0xff00ff}, {"Aqua", 0x00ffff},  {"White", 0xffffff},
};

QPixmap swatch(const QColor& color) {
    QPixmap pixmap(24, 12);
    pixmap.fill(color);
    return pixmap;
}

void selectColor(QComboBox* box, const QColor& color) {
    // A colour outside the list shows as "Custom", kept in the last entry.
    const int found = box->findData(color.rgb());
    if (found >= 0) {
        box->setCurrentIndex(found);
        return;
    }
    const int custom = box->count() - 1;
    if (box->itemText(custom) != QLatin1String("Custom")) {
        box->addItem(QStringLiteral("Custom"));
    }
    const int last = box->count() - 1;
    box->setItemData(last, color.rgb());
    box->setItemIcon(last, swatch(color));
    box->setCurrentIndex(last);
}

} // namespace

// ---- RadioGroup ------------------------------------------------------------------------------

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items.at(i), this);
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            Q_EMIT Click();
    });
}

int RadioGroup::ItemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}

QRadioButton* RadioGroup::item(int index) const {
    return qobject_cast<QRadioButton*>(buttons_->button(index));
}

// ---- TOptionsForm ----------------------------------------------------------------------------

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buildFontsGroup();
    layout->addWidget(GroupBox1);
    buildPages();
    layout->addWidget(PageControl1);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setMinimumWidth(75);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BitBtn1);
    layout->addLayout(bottom);

    connect(ListBox1, &QListWidget::currentRowChanged, this,
            [this] { app::guard([this] { ListBox1Click(); }); });
    connect(BitBtn3, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn3Click(); }); });
    connect(LearnBtnGroup, &RadioGroup::Click, this, [this] { LearnBtnGroupClick(); });
    connect(TimerGroup, &RadioGroup::Click, this, [this] { TimerGroupClick(); });
    connect(CalcBtnGroup, &RadioGroup::Click, this, [this] { CalcBtnGroupClick(); });
    connect(SpeedButton1, &QToolButton::clicked, this,
            [this] { app::guard([this] { SpeedButton1Click(); }); });
    // OK closes the dialog with OK even when applying the values reported an error.
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        app::guard([this] { BitBtn1Click(); });
        accept();
    });
}

void TOptionsForm::buildFontsGroup() {
    GroupBox1 = new QGroupBox(QStringLiteral("Fonts"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(GroupBox1);

    ListBox1 = new QListWidget(GroupBox1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->addItems(
        {QStringLiteral("Question"), QStringLiteral("Answers"), QStringLiteral("Explanation")});
    ListBox1->setFixedSize(110, 64);
    ListBox1->setAccessibleName(QStringLiteral("Fonts"));
    grid->addWidget(ListBox1, 0, 0, 2, 1, Qt::AlignTop);

    Panel1 = new QLabel(QStringLiteral("Example"), GroupBox1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setTextFormat(Qt::PlainText);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    QPalette pal = Panel1->palette();
    pal.setColor(QPalette::Window, Qt::white);
    Panel1->setPalette(pal);
    Panel1->setMinimumSize(180, 64);
    Panel1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    grid->addWidget(Panel1, 0, 1);
    grid->setColumnStretch(1, 1);

    BitBtn3 = new QPushButton(QStringLiteral("Change Font"), GroupBox1);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    grid->addWidget(BitBtn3, 1, 1, Qt::AlignRight);

    FDialog = new QFontDialog(this);
    FDialog->setObjectName(QStringLiteral("FDialog"));
    // Our own dialog, so that it can carry the colour like the system's font dialog does.
    FDialog->setOption(QFontDialog::DontUseNativeDialog);
    addColorToFontDialog();
}

void TOptionsForm::addColorToFontDialog() {
    FontColor = new QComboBox;
    FontColor->setObjectName(QStringLiteral("FontColor"));
    for (const auto& c : kFontColors)
        FontColor->addItem(swatch(QColor(c.rgb)), QString::fromLatin1(c.name), QColor(c.rgb).rgb());
    auto* label = new QLabel(QStringLiteral("&Color:"));
    label->setBuddy(FontColor);

    // The colour sits with the effects (the group holding the underline box), as it does in the
    // system's font dialog; at the foot of the dialog if that group is not found.
    for (QGroupBox* group : FDialog->findChildren<QGroupBox*>()) {
        if (!group->findChild<QCheckBox*>() || !group->layout())
            continue;
        if (auto* box = qobject_cast<QBoxLayout*>(group->layout())) {
            box->addWidget(label);
            box->addWidget(FontColor);
            return;
        }
    }
    if (auto* grid = qobject_cast<QGridLayout*>(FDialog->layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(FontColor, row, 1, 1, -1);
    }
}

void TOptionsForm::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    const auto page = [this](const QString& name, const QString& caption) {
        auto* sheet = new QWidget;
        sheet->setObjectName(name);
        PageControl1->addTab(sheet, caption);
        return sheet;
    };

    TabSheet1 = page(QStringLiteral("TabSheet1"), QStringLiteral("'Lear Now' button"));
    LearnBtnGroup = new RadioGroup(QStringLiteral("Learn Now Button"),
                                   {QStringLiteral("Show 'Learn Now' button (not recomended)"),
                                    QStringLiteral("Do not show 'Learn Now' button")},
                                   TabSheet1);
    LearnBtnGroup->setObjectName(QStringLiteral("LearnBtnGroup"));
    auto* l1 = new QVBoxLayout(TabSheet1);
    l1->addWidget(LearnBtnGroup);
    l1->addStretch(1);

    TabSheet2 = page(QStringLiteral("TabSheet2"), QStringLiteral("Calculator"));
    CalcBtnGroup = new RadioGroup(
        QStringLiteral("Calculator Button"),
        {QStringLiteral("Show calculator button"), QStringLiteral("Do not show calculator button")},
        TabSheet2);
    CalcBtnGroup->setObjectName(QStringLiteral("CalcBtnGroup"));
    Label1 = new QLabel(QStringLiteral("Calculator path:"), TabSheet2);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(TabSheet2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Label1->setBuddy(Edit1);
    SpeedButton1 = new QToolButton(TabSheet2);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("..."));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    SpeedButton1->setToolTip(QStringLiteral("Browse"));
    SpeedButton1->setAccessibleName(QStringLiteral("Browse"));
    auto* l2 = new QVBoxLayout(TabSheet2);
    l2->addWidget(CalcBtnGroup);
    l2->addWidget(Label1);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(Edit1, 1);
    pathRow->addWidget(SpeedButton1);
    l2->addLayout(pathRow);
    l2->addStretch(1);

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName(QStringLiteral("OpenDialog1"));
    OpenDialog1->setFileMode(QFileDialog::ExistingFile);
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
#ifdef Q_OS_WIN
    OpenDialog1->setNameFilter(QStringLiteral("Executable file (*.exe)"));
#else
    // Programs here carry no extension: any file the user may execute.
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    OpenDialog1->setNameFilter(QStringLiteral("Executable file (*)"));
    OpenDialog1->setFilter(QDir::AllDirs | QDir::Files | QDir::Executable | QDir::NoDotAndDotDot);
#endif

    TabSheet3 = page(QStringLiteral("TabSheet3"), QStringLiteral("Timer"));
    TimerGroup =
        new RadioGroup(QStringLiteral("Timer"),
                       {QStringLiteral("Timer On"), QStringLiteral("Timer Off")}, TabSheet3);
    TimerGroup->setObjectName(QStringLiteral("TimerGroup"));
    Label2 = new QLabel(QStringLiteral("Deafault Time (min):"), TabSheet3);
    Label2->setObjectName(QStringLiteral("Label2"));
    SpinEdit1 = new QSpinBox(TabSheet3);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 9000);
    SpinEdit1->setValue(90);
    SpinEdit1->setMinimumWidth(70);
    Label2->setBuddy(SpinEdit1);
    auto* l3 = new QVBoxLayout(TabSheet3);
    l3->addWidget(TimerGroup);
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(Label2);
    timeRow->addWidget(SpinEdit1);
    timeRow->addStretch(1);
    l3->addLayout(timeRow);
    l3->addStretch(1);

    // The working copies follow the selections from the start.
    LearnBtnGroup->setItemIndex(ShowLearnBtn ? 0 : 1);
    CalcBtnGroup->setItemIndex(ShowCalcBtn ? 0 : 1);
    TimerGroup->setItemIndex(TimerOn ? 0 : 1);
}

void TOptionsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    app::guard([this] { FormActivate(); });
}

void TOptionsForm::FormActivate() {
    ListBox1->setCurrentRow(0);
    ListBox1Click();
}

QWidget* TOptionsForm::selectedFontOwner() const {
    switch (ListBox1->currentRow()) {
    case 0:
        return QuestionFont;
    case 1:
        return AnswersFont;
    case 2:
        return ExplanationFont;
    }
    return nullptr;
}

void TOptionsForm::ListBox1Click() {
    const QListWidgetItem* item = ListBox1->currentItem();
    QWidget* owner = selectedFontOwner();
    if (!item || !owner)
        return;
    Panel1->setText(item->text());
    settings::setWidgetFont(Panel1, owner->font(), settings::widgetFontColor(owner));
}

void TOptionsForm::BitBtn3Click() {
    FDialog->setCurrentFont(Panel1->font());
    selectColor(FontColor, settings::widgetFontColor(Panel1));
    if (app::execModal(FDialog) == QDialog::Accepted) {
        if (QWidget* owner = selectedFontOwner())
            settings::setWidgetFont(owner, FDialog->selectedFont(),
                                    QColor::fromRgb(FontColor->currentData().toUInt()));
    }
    ListBox1Click();
}

void TOptionsForm::LearnBtnGroupClick() {
    ShowLearnBtn = LearnBtnGroup->ItemIndex() == 0;
}

void TOptionsForm::TimerGroupClick() {
    TimerOn = TimerGroup->ItemIndex() == 0;
}

void TOptionsForm::CalcBtnGroupClick() {
    ShowCalcBtn = CalcBtnGroup->ItemIndex() == 0;
}

void TOptionsForm::SpeedButton1Click() {
    const QFileInfo current(Edit1->text());
    if (current.dir().exists())
        OpenDialog1->setDirectory(current.dir());
    if (app::execModal(OpenDialog1) != QDialog::Accepted)
        return;
    const QStringList files = OpenDialog1->selectedFiles();
    if (!files.isEmpty())
        Edit1->setText(QDir::toNativeSeparators(QFileInfo(files.first()).absoluteFilePath()));
}

void TOptionsForm::BitBtn1Click() {
    DefaultTime = SpinEdit1->value();
    CalcPath = Edit1->text();
    if (!ExamOptions)
        return;
    settings::Options& live = *ExamOptions;
    if (live.ShowLearnBtn != ShowLearnBtn) {
        live.ShowLearnBtn = ShowLearnBtn;
        if (LearnButton)
            LearnButton->setVisible(ShowLearnBtn);
    }
    if (live.TimerOn != TimerOn) {
        live.TimerOn = TimerOn;
        if (StartExamTimer)
            StartExamTimer();
    }
    if (live.ShowCalcBtn != ShowCalcBtn) {
        live.ShowCalcBtn = ShowCalcBtn;
        if (CalcButton)
            CalcButton->setVisible(ShowCalcBtn);
    }
    if (live.DefaultTime != DefaultTime)
        live.DefaultTime = DefaultTime;
    if (live.CalcPath != CalcPath) {
        // The path is kept even when the button refuses it.
        live.CalcPath = CalcPath;
        if (CalcButton)
            CalcButton->setCommandLine(CalcPath);
    }
}

namespace settings {

void setWidgetFont(QWidget* widget, const QFont& font, const QColor& color) {
    widget->setFont(font);
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::Text, color);
    pal.setColor(QPalette::ButtonText, color);
    widget->setPalette(pal);
}

QColor widgetFontColor(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

bool editOptions(TOptionsForm& form, const ExamWindowLink& link, SettingsStore& store) {
    Options& live = *link.options;
    form.PageControl1->setCurrentWidget(form.TabSheet1);
    form.QuestionFont = link.questionFont;
    form.AnswersFont = link.answersFont;
    form.ExplanationFont = link.explanationFont;
    form.ExamOptions = link.options;
    form.LearnButton = link.learnButton;
    form.CalcButton = link.calcButton;
    form.StartExamTimer = link.startExamTimer;
    form.SpinEdit1->setValue(live.DefaultTime);
    form.Edit1->setText(live.CalcPath);
    // The selections are set so that the working copies follow, even when unchanged.
    form.LearnBtnGroup->setItemIndex(live.ShowLearnBtn ? 0 : 1);
    form.TimerGroup->setItemIndex(live.TimerOn ? 0 : 1);
    form.CalcBtnGroup->setItemIndex(live.ShowCalcBtn ? 0 : 1);
    form.LearnBtnGroupClick();
    form.TimerGroupClick();
    form.CalcBtnGroupClick();

    if (app::execModal(&form) != QDialog::Accepted)
        return false;

    // The fonts as the exam window now shows them.
    const auto current = [](const QWidget* w) {
        return fontSettingFrom(w->font(), widgetFontColor(w));
    };
    setQuestionFont(live, current(link.questionFont));
    setAnswersFont(live, current(link.answersFont));
    setExplanationFont(live, current(link.explanationFont));
    saveOptions(store, live);
    return true;
}

} // namespace settings
