// The question view: the top bar's status labels, the question area laid out by hand for the
// current item, the bottom bar's command buttons, and the refresh that redraws them from the
// exam set, the answer sheet and the exam mode.

#include "app/dialogs.h"
#include "data/fields.h"
#include "exam/answer_sheet.h"
#include "settings/run_button.h"
#include "ui/exam/note_form.h"
#include "ui/exam/question_controls.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/outlined_label.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

namespace {

// Fixed places of the question area.
constexpr int QPanelBorder = 8;
constexpr int ExhibitGap = 2; // below QPanel
constexpr int ChoiceGap = 15; // between the exhibit row and the labels, and between labels
constexpr int LabelLeft = 80;
constexpr int ButtonLeft = 40;
constexpr int ExpTextLeft = 8;
constexpr int ExpTextGap = 40;   // below the last label reached
constexpr int RightMargin = 30;  // room for the scroll bar and a little air
constexpr int Bevel2Height = 17; // bottom margin of the area

// The window's client width at design size: controls anchored right keep their distance from
// the right edge as it stood there.
constexpr int DesignClientWidth = 724;

const QColor KeyColor(0, 255, 255);
const QColor ChoiceColor(255, 255, 255);

QFont verdana(bool bold) {
    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(13);
    f.setBold(bold);
    return f;
}

void setTextColor(QWidget* w, const QColor& color) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    pal.setColor(QPalette::Text, color);
    w->setPalette(pal);
}

// A label with white letters over a one-pixel shadow.
widgets::OutlinedLabel* shadowLabel(QWidget* parent, const QString& name, const QColor& color) {
    auto* label = new widgets::OutlinedLabel(parent);
    label->setObjectName(name);
    label->setFont(verdana(true));
    label->setTextColor(color);
    label->setOutlineColor(QColor());
    label->setShadowDepth(1);
    return label;
}

void setBackground(QLabel* label, const QColor& color) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, color);
    label->setPalette(pal);
}

// Places what follows an edge of its container, and routes the label clicks: the window's own
// resize, the top bar's and the viewport's widths, the explanation shown or hidden.
class ViewEvents : public QObject {
public:
    explicit ViewEvents(TTestForm* form) : QObject(form), f(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Resize:
            if (watched == f)
                app::guard([this] { f->FormResize(); });
            else if (watched == f->Panel1)
                placeTopBar();
            else if (watched == f->Panel2)
                placeBottomBar();
            else if (watched == f->ScrollBox1->viewport())
                examview::fitQuestionArea(*f);
            break;
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
            if (watched == f->ExpText)
                examview::fitQuestionArea(*f);
            break;
        case QEvent::MouseButtonRelease: {
            const auto* me = static_cast<QMouseEvent*>(event);
            const auto* label = qobject_cast<QLabel*>(watched);
            if (label && me->button() == Qt::LeftButton &&
                label->rect().contains(me->position().toPoint())) {
                const int n = examview::choiceOf(*f, label);
                if (n > 0)
                    app::guard([this, n] { f->ALabelClick(n); });
            }
            break;
        }
        default:
            break;
        }
        return false;
    }

    void placeTopBar() {
        const int w = f->Panel1->width();
        f->fcLabel1->setGeometry(f->Panel1->rect());
        f->Label3->setGeometry(w - 305, 4, 300, 18);
        f->TimeLabel->setGeometry(w - (DesignClientWidth - 619), 24, 100, 18);
        f->ReviewLabel->setGeometry(w - 205, 24, 200, 18);
    }

    void placeBottomBar() {
        const int w = f->Panel2->width();
        f->GradeButton->move(w - (DesignClientWidth - 533), 8);
        f->Button3->move(w - (DesignClientWidth - 629), 8);
    }

private:
    TTestForm* f;
};

// The one filter of the window, made by the first build function that needs it.
ViewEvents* viewEvents(TTestForm* f) {
    const QString name = QStringLiteral("QuestionViewEvents");
    if (auto* events =
            dynamic_cast<ViewEvents*>(f->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)))
        return events;
    auto* events = new ViewEvents(f);
    events->setObjectName(name);
    return events;
}

template <class F> void onClick(QAbstractButton* button, TTestForm* f, F handler) {
    QObject::connect(button, &QAbstractButton::clicked, f,
                     [f, handler] { app::guard([f, handler] { (f->*handler)(); }); });
}

} // namespace

namespace examview {

QLabel* choiceLabel(const TTestForm& f, int n) {
    QLabel* const labels[] = {f.ALabel1, f.ALabel2, f.ALabel3, f.ALabel4, f.ALabel5, f.ALabel6};
    return labels[n - 1];
}

QRadioButton* choiceRadio(const TTestForm& f, int n) {
    QRadioButton* const radios[] = {f.RadioButton1, f.RadioButton2, f.RadioButton3,
                                    f.RadioButton4, f.RadioButton5, f.RadioButton6};
    return radios[n - 1];
}

QCheckBox* choiceCheck(const TTestForm& f, int n) {
    QCheckBox* const checks[] = {f.CheckBox1, f.CheckBox2, f.CheckBox3,
                                 f.CheckBox4, f.CheckBox5, f.CheckBox6};
    return checks[n - 1];
}

int choiceOf(const TTestForm& f, const QLabel* label) {
    for (int n = 1; n <= 6; ++n)
        if (choiceLabel(f, n) == label)
            return n;
    return 0;
}

palvexa::AnswerEntry* currentEntry(const TTestForm& f) {
    palvexa::AnswerSheet& sheet = palvexa::answerSheet();
    const int recNo = f.dtCurrentSet.isOpen() ? f.dtCurrentSet.recNo() : 0;
    if (recNo < 1 || std::size_t(recNo) > sheet.size())
        return nullptr;
    return &sheet[std::size_t(recNo - 1)];
}

void setRadios(const TTestForm& f, const palvexa::AnswerEntry& entry) {
    // The checked button of an exclusive group refuses to be unchecked; the group lets go of
    // it for that moment. Only buttons whose state differs are touched, so a handler that
    // puts the recorded answer back comes to rest at once.
    QButtonGroup* group = f.RadioButton1->group();
    for (int n = 1; n <= 6; ++n) {
        QRadioButton* radio = choiceRadio(f, n);
        if (!entry.choice[std::size_t(n - 1)] && radio->isChecked()) {
            group->setExclusive(false);
            radio->setChecked(false);
            group->setExclusive(true);
        }
    }
    for (int n = 1; n <= 6; ++n)
        if (entry.choice[std::size_t(n - 1)])
            choiceRadio(f, n)->setChecked(true);
}

int questionAreaWidth(const TTestForm& f) {
    // The width the question area has, or takes once shown: it fills Panel3 inside the panel's
    // frame and margins. Read from Panel3, whose size is always current, since the area itself
    // may have been hidden when the window last changed size.
    QRect r = f.Panel3->contentsRect();
    if (const QLayout* l = f.Panel3->layout())
        r = r.marginsRemoved(l->contentsMargins());
    return r.width();
}

void fitQuestionArea(TTestForm& f) {
    QWidget* area = f.QuestionArea;
    int bottom = 0;
    for (QWidget* w : area->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (!w->isHidden())
            bottom = qMax(bottom, w->geometry().bottom() + 1);
    const int width = f.ScrollBox1->viewport()->width();
    area->resize(width, bottom + Bevel2Height);
    f.Shape1->setGeometry(0, f.QPanel->height(), width, 1);
    f.CalcButton->move(width - f.CalcButton->width() - 1, f.ExhBtnA->y());
}

} // namespace examview

using namespace examview;

void TTestForm::buildTopBar() {
    Label1 = shadowLabel(Panel1, QStringLiteral("Label1"), Qt::white);
    Label1->setGeometry(4, 4, 118, 18);

    Label2 = new QLabel(Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setFont(verdana(false));
    setTextColor(Label2, Qt::black);
    Label2->setGeometry(124, 4, 200, 18);

    Label3 = new QLabel(Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setTextFormat(Qt::PlainText);
    Label3->setFont(verdana(true));
    setTextColor(Label3, QColor(128, 128, 128)); // the system gray, darker than Qt::gray
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);

    MarkBox = new QCheckBox(QStringLiteral("&Mark this item"), Panel1);
    MarkBox->setObjectName(QStringLiteral("MarkBox"));
    MarkBox->setFont(verdana(true));
    setTextColor(MarkBox, Qt::black);
    MarkBox->setGeometry(4, 24, 161, 17);
    connect(MarkBox, &QCheckBox::toggled, this, [this] { app::guard([this] { MarkBoxClick(); }); });

    CorrectLabel = shadowLabel(Panel1, QStringLiteral("CorrectLabel"), Qt::blue);
    CorrectLabel->setGeometry(4, 24, 160, 18);

    TimeLabel = shadowLabel(Panel1, QStringLiteral("TimeLabel"), Qt::white);
    TimeLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);

    ReviewLabel = new QLabel(QStringLiteral("Review items"), Panel1);
    ReviewLabel->setObjectName(QStringLiteral("ReviewLabel"));
    ReviewLabel->setFont(verdana(true));
    setTextColor(ReviewLabel, QColor(0, 0, 128));
    ReviewLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);

    fcLabel1 = new widgets::OutlinedLabel(QStringLiteral("Windows NT Workstation 4.0"), Panel1);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    QFont title(QStringLiteral("Arial"));
    title.setPixelSize(19);
    title.setBold(true);
    title.setItalic(true);
    fcLabel1->setFont(title);
    fcLabel1->setTextColor(Qt::white);
    fcLabel1->setOutlineColor(Qt::black);
    fcLabel1->setShadowDepth(2);
    fcLabel1->setAlignment(Qt::AlignCenter);
    fcLabel1->lower(); // under the status labels, which an exam shows in its place

    // No exam yet: only the subject title.
    for (QWidget* w : std::initializer_list<QWidget*>{Label1, Label2, Label3, MarkBox, CorrectLabel,
                                                      TimeLabel, ReviewLabel})
        w->hide();

    ViewEvents* events = viewEvents(this);
    Panel1->installEventFilter(events);
    events->placeTopBar();
}

void TTestForm::buildQuestionArea() {
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QuestionArea = new QWidget;
    QuestionArea->setObjectName(QStringLiteral("ScrollBox1Contents"));
    QPalette white = QuestionArea->palette();
    white.setColor(QPalette::Window, Qt::white);
    QuestionArea->setPalette(white);
    QuestionArea->setAutoFillBackground(true);

    QPanel = new QFrame(QuestionArea);
    QPanel->setObjectName(QStringLiteral("QPanel"));
    QText = new QLabel(QPanel);
    QText->setObjectName(QStringLiteral("QText"));
    QText->setTextFormat(Qt::PlainText);
    QText->setWordWrap(true);
    QText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Shape1 = new QFrame(QuestionArea);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    QPalette blue = Shape1->palette();
    blue.setColor(QPalette::Window, Qt::blue);
    Shape1->setPalette(blue);
    Shape1->setAutoFillBackground(true);

    ExhBtnA = new QPushButton(QStringLiteral("Exhibit &1"), QuestionArea);
    ExhBtnA->setObjectName(QStringLiteral("ExhBtnA"));
    ExhBtnA->setGeometry(1, 0, 93, 25);
    onClick(ExhBtnA, this, &TTestForm::ExhBtnAClick);

    CalcButton = new TddgRunButton(QuestionArea);
    CalcButton->setObjectName(QStringLiteral("CalcButton"));
    CalcButton->setFixedSize(37, 29);
    CalcButton->setIconSize(QSize(24, 24));
    CalcButton->setAccessibleName(QStringLiteral("Calculator"));

    ViewEvents* events = viewEvents(this);
    auto* radios = new QButtonGroup(this);
    radios->setObjectName(QStringLiteral("RadioGroup"));
    QLabel** labels[] = {&ALabel1, &ALabel2, &ALabel3, &ALabel4, &ALabel5, &ALabel6};
    QRadioButton** radioSlots[] = {&RadioButton1, &RadioButton2, &RadioButton3,
                                   &RadioButton4, &RadioButton5, &RadioButton6};
    QCheckBox** checkSlots[] = {&CheckBox1, &CheckBox2, &CheckBox3,
                                &CheckBox4, &CheckBox5, &CheckBox6};
    for (int n = 1; n <= 6; ++n) {
        const QString letter = QStringLiteral("&%1.").arg(QChar(u'a' + n - 1));

        auto* radio = new QRadioButton(letter, QuestionArea);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(n));
        radio->setGeometry(ButtonLeft, 0, 38, 17);
        radio->hide();
        radios->addButton(radio, n);
        // Checked by the candidate or by the restore: both store the choice, as a click does.
        connect(radio, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                app::guard([this] { RadioButton1Click(); });
        });
        *radioSlots[n - 1] = radio;

        auto* check = new QCheckBox(letter, QuestionArea);
        check->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        check->setGeometry(ButtonLeft, 0, 38, 17);
        check->hide();
        connect(check, &QCheckBox::toggled, this,
                [this, n] { app::guard([this, n] { CheckBoxClick(n); }); });
        *checkSlots[n - 1] = check;

        auto* label = new QLabel(QuestionArea);
        label->setObjectName(QStringLiteral("ALabel%1").arg(n));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true);
        setBackground(label, ChoiceColor);
        label->move(LabelLeft, 0);
        label->hide();
        label->installEventFilter(events);
        // Names the choice for assistive technology: the letter with the text.
        label->setBuddy(radio);
        *labels[n - 1] = label;
    }

    ExpText = new QLabel(QuestionArea);
    ExpText->setObjectName(QStringLiteral("ExpText"));
    ExpText->setTextFormat(Qt::PlainText);
    ExpText->setWordWrap(true);
    ExpText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ExpText->hide();
    ExpText->installEventFilter(events);

    ScrollBox1->setWidget(QuestionArea);
    ScrollBox1->viewport()->installEventFilter(events);
    ScrollBox1->hide();

    installEventFilter(events);
    connect(&dsCurrentSet, &store::DataSource::dataChange, this,
            [this] { app::guard([this] { dsCurrentSetDataChange(); }); });
}

void TTestForm::buildBottomBar() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    Panel2->setFont(font);

    const auto button = [this](const QString& caption, const QString& name, int left, int width) {
        auto* b = new QPushButton(caption, Panel2);
        b->setObjectName(name);
        b->setGeometry(left, 8, width, 29);
        return b;
    };
    PrevButton = button(QStringLiteral("&< Previous Item"), QStringLiteral("PrevButton"), 4, 109);
    NextButton = button(QStringLiteral("Next Item &>"), QStringLiteral("NextButton"), 116, 109);
    LearnButton->setGeometry(236, 8, 93, 29);
    Button1 = button(QStringLiteral("Items &Review"), QStringLiteral("Button1"), 332, 93);
    NoteButton = button(QStringLiteral("&Note"), QStringLiteral("NoteButton"), 428, 93);
    GradeButton = button(QStringLiteral("&Grade Now"), QStringLiteral("GradeButton"), 533, 93);
    Button3 = button(QStringLiteral("E&xit Exam"), QStringLiteral("Button3"), 629, 93);

    onClick(PrevButton, this, &TTestForm::PrevButtonClick);
    onClick(NextButton, this, &TTestForm::NextButtonClick);
    onClick(LearnButton, this, &TTestForm::LearnButtonClick);
    onClick(Button1, this, &TTestForm::Button1Click);
    onClick(NoteButton, this, &TTestForm::NoteButtonClick);
    onClick(GradeButton, this, &TTestForm::GradeButtonClick);
    onClick(Button3, this, &TTestForm::Button3Click);

    // Left to right, whatever was created first.
    QWidget* const order[] = {PrevButton, NextButton,  LearnButton, Button1,
                              NoteButton, GradeButton, Button3};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Top to bottom: the mark box of the top bar comes before the question area it heads.
    setTabOrder(MarkBox, ScrollBox1);
    ScrollBox1->setAccessibleName(QStringLiteral("Question"));

    ViewEvents* events = viewEvents(this);
    Panel2->installEventFilter(events);
    events->placeBottomBar();
}

void TTestForm::dsCurrentSetDataChange() {
    if (ExamMode == palvexa::IdleMode || (NoteForm && NoteForm->isVisible()))
        return;
    const int recNo = dtCurrentSet.recNo();
    PrevButton->setEnabled(recNo != FirstItemNumber);
    NextButton->setEnabled(recNo != ItemCount);
    Label1->setText(QStringLiteral("Item %1 of %2").arg(recNo).arg(ItemCount));
    Label2->setText(QStringLiteral("Item ID: %1").arg(dtCurrentSet.asInteger(data::Q_OR_NUMBER)));
    ShowCurrentItem();
    UpdateAnswerKey();
}

void TTestForm::ShowCurrentItem() {
    ScrollBox1->hide();
    ScrollBox1->verticalScrollBar()->setValue(0);

    const int areaWidth = questionAreaWidth(*this);
    const bool multiple = dtCurrentSet.asBoolean(data::Q_TYPE);

    // The question panel keeps the scroll bar's room, so that its text wraps the same whether
    // or not the item needs the bar.
    const int scrollBar = ScrollBox1->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int panelWidth = qMax(2 * QPanelBorder + 1, areaWidth - scrollBar);
    QText->setText(dtCurrentSet.asText(data::Q_TEXT));
    const int textWidth = panelWidth - 2 * QPanelBorder;
    const int textHeight = QText->heightForWidth(textWidth);
    QText->setGeometry(QPanelBorder, QPanelBorder, textWidth, textHeight);
    QPanel->setGeometry(0, 0, panelWidth, textHeight + 2 * QPanelBorder);

    bool present[6];
    for (int n = 1; n <= 6; ++n) {
        const QString text = dtCurrentSet.asText(data::choiceField(n - 1));
        present[n - 1] = !text.isEmpty();
        QLabel* label = choiceLabel(*this, n);
        if (present[n - 1])
            label->setText(text);
        label->setVisible(present[n - 1]);
        choiceRadio(*this, n)->setVisible(present[n - 1] && !multiple);
        choiceCheck(*this, n)->setVisible(present[n - 1] && multiple);
    }

    ExhBtnA->setVisible(!dtCurrentSet.asText(data::PICT1).isEmpty());
    ExhBtnA->move(ExhBtnA->x(), QPanel->height() + ExhibitGap);
    CalcButton->move(CalcButton->x(), ExhBtnA->y());

    const int labelWidth = qMax(1, areaWidth - LabelLeft - RightMargin);
    // A hidden label is not refilled, so its slot keeps one line of the answers font whatever
    // it showed before: the same item always lays out the same.
    int top = ExhBtnA->y() + ExhBtnA->height() + ChoiceGap;
    for (int n = 1; n <= 6; ++n) {
        QLabel* label = choiceLabel(*this, n);
        const int height =
            present[n - 1] ? label->heightForWidth(labelWidth) : label->fontMetrics().height();
        label->setGeometry(LabelLeft, top, labelWidth, height);
        top += height + ChoiceGap;
    }

    for (int n = 1; n <= 6; ++n) {
        QAbstractButton* b =
            multiple ? static_cast<QAbstractButton*>(choiceCheck(*this, n)) : choiceRadio(*this, n);
        b->move(ButtonLeft, choiceLabel(*this, n)->y());
    }

    // Below the last label of the unbroken chain from a: an item's labels end at its first gap
    // from c on.
    QLabel* last = ALabel6;
    for (int n = 3; n <= 6; ++n)
        if (choiceLabel(*this, n)->isHidden()) {
            last = choiceLabel(*this, n - 1);
            break;
        }
    ExpText->setText(dtCurrentSet.asText(data::Q_EXPL));
    const int expWidth = qMax(1, areaWidth - ExpTextLeft - RightMargin);
    ExpText->setGeometry(ExpTextLeft, last->geometry().bottom() + 1 + ExpTextGap, expWidth,
                         ExpText->heightForWidth(expWidth));

    // Restoring the answers runs the click handlers, which write back what they read.
    palvexa::AnswerEntry* entry = currentEntry(*this);
    if (entry) {
        const palvexa::AnswerEntry restored = *entry;
        if (!multiple) {
            setRadios(*this, restored);
        } else {
            for (int n = 1; n <= 6; ++n)
                choiceCheck(*this, n)->setChecked(restored.choice[std::size_t(n - 1)]);
        }
        MarkBox->setChecked(restored.mark);
    }

    fitQuestionArea(*this);
    ScrollBox1->show();
    ScrollBox1->verticalScrollBar()->setValue(0);
}

void TTestForm::UpdateAnswerKey() {
    const bool review = ExamMode == palvexa::ReviewMode;
    if (ExamMode == palvexa::ReviewMode || ExamMode == palvexa::TestingMode) {
        ExpText->setVisible(review);
        for (int n = 1; n <= 6; ++n) {
            const bool key = review && dtCurrentSet.asBoolean(data::answerField(n - 1));
            setBackground(choiceLabel(*this, n), key ? KeyColor : ChoiceColor);
        }
    }
    const palvexa::AnswerEntry* entry = currentEntry(*this);
    auto* verdict = static_cast<widgets::OutlinedLabel*>(CorrectLabel);
    if (entry && entry->correct) {
        verdict->setText(QStringLiteral("Correct"));
        verdict->setTextColor(QColor(0, 0, 255));
    } else {
        verdict->setText(QStringLiteral("Incorrect"));
        verdict->setTextColor(QColor(255, 0, 0));
    }
}

void TTestForm::FormResize() {
    // A question area that is hidden (the welcome panel, or the graded exam before review)
    // stays hidden; the next move lays it out anew.
    if (dtCurrentSet.isOpen() && !ScrollBox1->isHidden() && ExamMode != palvexa::IdleMode)
        ShowCurrentItem();
    if (Panel4 && !Panel4->isHidden())
        CenterExamButtons();
}
