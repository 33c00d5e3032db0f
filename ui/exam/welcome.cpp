// The welcome panel of the exam window in idle mode: the greeting, the subject and the ten
// exam-choice buttons, each bound to its exam kind's action.

#include "app/dialogs.h"
#include "exam/exam_state.h"
#include "ui/exam/test_form.h"
#include "widgets/outlined_label.h"
#include "widgets/shape_button.h"

#include <QAction>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int ExamButtonSize = 30;   // A .. G, square
constexpr int KindButtonWidth = 109; // All Questions, Random Exam, User Exam
constexpr int KindButtonHeight = 30;
constexpr int ButtonGap = 6;

const QColor Aqua(0, 255, 255);
const QColor Lime(0, 255, 0);
const QColor Purple(128, 0, 128);
const QColor Navy(0, 0, 128);

QFont pixelFont(const QString& family, int pixels, bool boldItalic) {
    QFont f(family);
    f.setPixelSize(pixels);
    f.setBold(boldItalic);
    f.setItalic(boldItalic);
    return f;
}

widgets::OutlinedLabel* makeTitle(QWidget* parent, const QString& name, const QString& text,
                                  const QColor& color) {
    auto* label = new widgets::OutlinedLabel(text, parent);
    label->setObjectName(name);
    label->setFont(pixelFont(QStringLiteral("Arial"), 16, true));
    label->setTextColor(color);
    label->setShadowDepth(2);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

// Re-centres the buttons whenever the panel is shown again or changes size, so they are never
// left where a resize during an exam found them.
class CenterOnShow : public QObject {
public:
    CenterOnShow(TTestForm* form, QObject* parent) : QObject(parent), form_(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::Resize)
            app::guard([this] { form_->CenterExamButtons(); });
        return QObject::eventFilter(watched, event);
    }

private:
    TTestForm* form_;
};

} // namespace

void TTestForm::buildWelcomePanel() {
    auto* layout = new QVBoxLayout(Panel4);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addSpacing(17);

    fcLabel5 =
        makeTitle(Panel4, QStringLiteral("fcLabel5"), QStringLiteral("Welcome to Palvexa"), Aqua);
    layout->addWidget(fcLabel5);

    fcLabel3 = new QLabel(Panel4);
    fcLabel3->setObjectName(QStringLiteral("fcLabel3"));
    fcLabel3->setTextFormat(Qt::PlainText);
    fcLabel3->setText(
        QStringLiteral("Palvexa is designed to prepare you to pass the (70-073) exam.\n"
                       "Implementing and Supporting Microsoft Windows NT Workstation 4.0"));
    fcLabel3->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    fcLabel3->setWordWrap(true);
    fcLabel3->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13, false));
    QPalette black = fcLabel3->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    fcLabel3->setPalette(black);
    layout->addWidget(fcLabel3);
    layout->addSpacing(7);

    // The practice exams, framed with their prompt.
    Panel5 = new QFrame(Panel4);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setAutoFillBackground(true);
    QPalette white = Panel5->palette();
    white.setColor(QPalette::Window, Qt::white);
    Panel5->setPalette(white);
    auto* frame = new QVBoxLayout(Panel5);
    frame->setContentsMargins(5, 5, 5, 5);
    frame->setSpacing(6);
    fcLabel4 =
        makeTitle(Panel5, QStringLiteral("fcLabel4"),
                  QStringLiteral("Please select the practice exam you want to begin."), Lime);
    frame->addWidget(fcLabel4);
    // Buttons are placed by CenterExamButtons, not by a layout.
    auto* examRow = new QWidget(Panel5);
    examRow->setObjectName(QStringLiteral("ExamButtonRow"));
    examRow->setFixedHeight(ExamButtonSize);
    frame->addWidget(examRow);
    layout->addWidget(Panel5);

    auto* kindRow = new QWidget(Panel4);
    kindRow->setObjectName(QStringLiteral("KindButtonRow"));
    kindRow->setFixedHeight(KindButtonHeight);
    layout->addWidget(kindRow);
    layout->addStretch(1);

    const QFont buttonFont = pixelFont(QStringLiteral("MS Sans Serif"), 13, false);
    const auto makeButton = [&](widgets::ShapeButton*& slot, QWidget* parent, const char* name,
                                const QString& caption, const QColor& color, QAction* action,
                                int width, int height) {
        slot = new widgets::ShapeButton(caption, color, parent);
        slot->setObjectName(QString::fromLatin1(name));
        slot->setTextColor(Qt::white);
        slot->setFont(buttonFont);
        slot->setFixedSize(width, height);
        // The button keeps its own caption; it follows the action's enabled state.
        slot->setAction(action, false);
    };
    const struct {
        widgets::ShapeButton** slot;
        const char* name;
        const char* caption;
        QAction* action;
    } practice[] = {
        {&fcShapeBtn1, "fcShapeBtn1", "&A", Action1}, {&fcShapeBtn2, "fcShapeBtn2", "&B", Action2},
        {&fcShapeBtn3, "fcShapeBtn3", "&C", Action3}, {&fcShapeBtn4, "fcShapeBtn4", "&D", Action4},
        {&fcShapeBtn5, "fcShapeBtn5", "&E", Action5}, {&fcShapeBtn6, "fcShapeBtn6", "&F", Action6},
        {&fcShapeBtn7, "fcShapeBtn7", "G", Action7},
    };
    for (const auto& b : practice) {
        makeButton(*b.slot, examRow, b.name, QString::fromLatin1(b.caption), Purple, b.action,
                   ExamButtonSize, ExamButtonSize);
        (*b.slot)->setAccessibleName(QStringLiteral("Practice Exam ") +
                                     QString::fromLatin1(b.caption).remove(QLatin1Char('&')));
    }
    makeButton(AllQBtn, kindRow, "AllQBtn", QStringLiteral("All &Questions"), Navy, AllQAct,
               KindButtonWidth, KindButtonHeight);
    makeButton(RandomBtn, kindRow, "RandomBtn", QStringLiteral("&Random Exam"), Navy, RandAct,
               KindButtonWidth, KindButtonHeight);
    makeButton(UserBtn, kindRow, "UserBtn", QStringLiteral("&User Exam"), Navy, UserAct,
               KindButtonWidth, KindButtonHeight);

    // Each action is the launcher of its kind; an error ends the launch in the error box.
    const struct {
        QAction* action;
        void (TTestForm::*handler)();
    } launchers[] = {
        {Action1, &TTestForm::Action1Execute}, {Action2, &TTestForm::Action2Execute},
        {Action3, &TTestForm::Action3Execute}, {Action4, &TTestForm::Action4Execute},
        {Action5, &TTestForm::Action5Execute}, {Action6, &TTestForm::Action6Execute},
        {Action7, &TTestForm::Action7Execute}, {AllQAct, &TTestForm::AllQActExecute},
        {RandAct, &TTestForm::RandActExecute}, {UserAct, &TTestForm::UserActExecute},
    };
    for (const auto& l : launchers)
        connect(l.action, &QAction::triggered, this,
                [this, h = l.handler] { app::guard([this, h] { (this->*h)(); }); });

    Panel4->installEventFilter(new CenterOnShow(this, Panel4));
    CenterExamButtons();
}
