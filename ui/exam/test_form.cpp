#include "ui/exam/test_form.h"

#include "app/about_form.h"
#include "app/dialogs.h"
#include "app/main_form.h"
#include "platform/filesystem.h"
#include "settings/options_form.h"
#include "settings/run_button.h"
#include "settings/settings_store.h"
#include "ui/forms.h"
#include "widgets/placement.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int DesignWidth = 732;
constexpr int DesignHeight = 505;
constexpr int MinimumHeight = 502;

QFrame* makePanel(QWidget* parent, const QString& name, const QColor& background) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, background);
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
    return panel;
}

// Runs a handler body guarded, for use as a slot.
template <class F> auto guarded(F body) {
    return [body] { app::guard(body); };
}

} // namespace

TTestForm::TTestForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TestForm"));
    setWindowTitle(QStringLiteral("Orvenda"));
    setMinimumSize(DesignWidth, MinimumHeight);
    // The normal (restored) position is the screen centre.
    setGeometry(widgets::centredOnScreen(QSize(DesignWidth, DesignHeight)));

    buildMenus();
    buildContainers();
    buildTopBar();
    buildQuestionArea();
    buildBottomBar();
    buildWelcomePanel();
    buildTimer();

    app::guard([this] { FormCreate(); });
}

TTestForm::~TTestForm() = default;

QList<QAction*> TTestForm::examActions() const {
    return {Action1, Action2, Action3, Action4, Action5,
            Action6, Action7, AllQAct, RandAct, UserAct};
}

void TTestForm::buildMenus() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    Options1 = File1->addAction(QStringLiteral("&Options..."));
    Options1->setObjectName(QStringLiteral("Options1"));
    Print1 = File1->addAction(QStringLiteral("&Print this item"));
    Print1->setObjectName(QStringLiteral("Print1"));
    Print1->setEnabled(false);
    File1->addSeparator();
    Exit1 = File1->addAction(QStringLiteral("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Options1, &QAction::triggered, this, guarded([this] { Options1Click(); }));
    connect(Exit1, &QAction::triggered, this, guarded([this] { Exit1Click(); }));
    connect(Print1, &QAction::triggered, this, guarded([this] { Print1Click(); }));

    // The action list: captions of the actions themselves.
    const struct {
        QAction** slot;
        const char* name;
        const char* caption;
        const char* menuCaption;
    } kinds[] = {
        {&Action1, "Action1", "A", "Practice Exam &A"},
        {&Action2, "Action2", "B", "Practice Exam &B"},
        {&Action3, "Action3", "C", "Practice Exam &C"},
        {&Action4, "Action4", "D", "Practice Exam &D"},
        {&Action5, "Action5", "E", "Practice Exam &E"},
        {&Action6, "Action6", "F", "Practice Exam &F"},
        {&Action7, "Action7", "G", "Practice Exam &G"},
        {&AllQAct, "AllQAct", "All &Questions", "&Take All &Questions"},
        {&RandAct, "RandAct", "&Random Exam", "&Random Exam"},
        {&UserAct, "UserAct", "&User Exam", "&User Exam"},
    };

    N21 = MainMenu1->addMenu(QStringLiteral("Exa&ms"));
    N21->setObjectName(QStringLiteral("N21"));
    for (const auto& k : kinds) {
        auto* action = new QAction(QString::fromLatin1(k.caption), this);
        action->setObjectName(QString::fromLatin1(k.name));
        *k.slot = action;
        // The menu item carries its own caption and follows the action's enabled state.
        QAction* item = N21->addAction(QString::fromLatin1(k.menuCaption));
        item->setObjectName(QString::fromLatin1(k.name) + QStringLiteral("Item"));
        connect(item, &QAction::triggered, action, &QAction::trigger);
        connect(action, &QAction::changed, item, [item, action] {
            item->setEnabled(action->isEnabled());
            item->setVisible(action->isVisible());
        });
        if (action == Action7)
            N21->addSeparator();
    }

    Help1 = MainMenu1->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    About1 = Help1->addAction(QStringLiteral("Ab&out"));
    About1->setObjectName(QStringLiteral("About1"));
    connect(About1, &QAction::triggered, this, guarded([this] { About1Click(); }));
}

void TTestForm::buildContainers() {
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("TestFormClient"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Light, so that its white shadowed, black, gray and navy status texts all read.
    Panel1 = makePanel(central, QStringLiteral("Panel1"), QColor(192, 192, 192));
    Panel1->setFixedHeight(45);
    layout->addWidget(Panel1);

    Panel3 = makePanel(central, QStringLiteral("Panel3"), Qt::white);
    Panel3->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* inner = new QVBoxLayout(Panel3);
    inner->setContentsMargins(1, 1, 1, 1);
    inner->setSpacing(0);
    layout->addWidget(Panel3, 1);

    ScrollBox1 = new QScrollArea(Panel3);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Its contents are the question view's (buildQuestionArea).
    inner->addWidget(ScrollBox1, 1);

    Panel4 = makePanel(Panel3, QStringLiteral("Panel4"), Qt::white);
    inner->addWidget(Panel4, 1);

    Panel2 = makePanel(central, QStringLiteral("Panel2"), palette().color(QPalette::Button));
    Panel2->setFixedHeight(41);
    LearnButton = new QPushButton(QStringLiteral("&Learn Now"), Panel2);
    LearnButton->setObjectName(QStringLiteral("LearnButton"));
    LearnButton->setGeometry(236, 8, 93, 29);
    Panel2->hide();
    layout->addWidget(Panel2);

    setCentralWidget(central);
}

void TTestForm::FormCreate() {
    // The session password was registered when Tables was constructed, before any table opens.
    setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(QStringLiteral("Palvexa"));
    ExamMode = palvexa::IdleMode;
    GetWindowsDir();
    LoadOptions();
    LearnButton->setVisible(Options.ShowLearnBtn);
    CheckCalcButton();
}

void TTestForm::GetWindowsDir() {
    WindowsDir = platform::windowsDirectory();
}

void TTestForm::LoadOptions() {
    settings::SettingsStore store;
    Options = settings::loadOptions(store, WindowsDir);
    ApplyFonts();
}

void TTestForm::ApplyFonts() {
    const auto apply = [](QWidget* w, const settings::FontSetting& setting) {
        QFont font = settings::designFont();
        QColor color = Qt::black;
        settings::applyFontSetting(font, color, setting);
        settings::setWidgetFont(w, font, color);
    };
    apply(ScrollBox1, settings::answersFont(Options));
    apply(QText, settings::questionFont(Options));
    apply(ExpText, settings::explanationFont(Options));
}

void TTestForm::About1Click() {
    app::execModal(AboutForm);
}

void TTestForm::Options1Click() {
    Preferences1Click();
}

void TTestForm::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    app::guard([&] { FormCloseQuery(canClose); });
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    app::guard([this] { FormClose(); });
}
