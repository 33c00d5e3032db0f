#include "ui/exam/note_form.h"

#include "app/dialogs.h"
#include "data/exam_tables.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/db_controls.h"
#include "widgets/outlined_label.h"
#include "widgets/placement.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int InnerWidth = 286;
constexpr int InnerHeight = 222;
constexpr int BandHeight = 41;
constexpr int PanelBorder = 3;
constexpr int TitleHeight = 17;
constexpr int ButtonHeight = 29;

QFont sansSerif13() {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(13);
    return f;
}

QFrame* band(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    return panel;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& text, int left,
                    int width) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setGeometry(left, (BandHeight - ButtonHeight) / 2, width, ButtonHeight);
    return b;
}

} // namespace

QString noteItemLine(const QString& examTitle, int orNumber) {
    return examTitle + QStringLiteral(",  Item ID: ") + QString::number(orNumber);
}

TNoteForm::TNoteForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NoteForm"));
    setWindowTitle(QStringLiteral("Orvenda"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(sansSerif13());
    setFixedSize(InnerWidth, InnerHeight);
    widgets::centreOnScreen(this);

    Panel1 = band(this, QStringLiteral("Panel1"));
    // A classic button-face grey: the white title and the black item line both read on it.
    QPalette face = Panel1->palette();
    face.setColor(QPalette::Window, QColor(192, 192, 192));
    Panel1->setPalette(face);
    fcLabel1 = new widgets::OutlinedLabel(QStringLiteral("User Note"), Panel1);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    QFont title(QStringLiteral("Verdana"));
    title.setPixelSize(13);
    title.setBold(true);
    fcLabel1->setFont(title);
    fcLabel1->setTextColor(Qt::white);
    fcLabel1->setOutlineColor(QColor());
    fcLabel1->setShadowColor(Qt::black);
    fcLabel1->setShadowDepth(1);
    fcLabel1->setAlignment(Qt::AlignCenter);
    Label2 = new QLabel(Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setTextFormat(Qt::PlainText);
    Label2->setAlignment(Qt::AlignCenter);
    QPalette black = Label2->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label2->setPalette(black);

    DBMemo1 = new widgets::DBMemo(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setAccessibleName(QStringLiteral("User Note"));
    DBMemo1->setTabChangesFocus(true);

    Panel2 = band(this, QStringLiteral("Panel2"));
    Button1 = button(Panel2, QStringLiteral("Button1"), QStringLiteral("Save Note"), 4, 85);
    Button2 = button(Panel2, QStringLiteral("Button2"), QStringLiteral("Cancel"), 92, 84);
    Button3 = button(Panel2, QStringLiteral("Button3"), QStringLiteral("Exit"), 200, 83);
    setEditButtons(false);
    layoutBands();

    connect(DBMemo1, &QPlainTextEdit::textChanged, this,
            [this] { app::guard([this] { DBMemo1Change(); }); });
    connect(Button1, &QPushButton::clicked, this,
            [this] { app::guard([this] { Button1Click(); }); });
    connect(Button2, &QPushButton::clicked, this,
            [this] { app::guard([this] { Button2Click(); }); });
    connect(Button3, &QPushButton::clicked, this,
            [this] { app::guard([this] { Button3Click(); }); });
    // Exit, the close box and Escape all end the dialog here.
    connect(this, &QDialog::finished, this, [this] { app::guard([this] { FormClose(); }); });

    setTables(TestForm ? &TestForm->Tables : nullptr);
}

void TNoteForm::setTables(data::ExamTables* tables) {
    tables_ = tables;
    DBMemo1->setDataSource(tables ? &tables->dsCurrentSet : nullptr);
    DBMemo1->setDataField(data::U_MEMO);
}

void TNoteForm::showFor(const QString& examTitle) {
    Label2->setText(
        noteItemLine(examTitle, tables_ ? tables_->dtCurrentSet.asInteger(data::Q_OR_NUMBER) : 0));
    app::execModal(this);
}

void TNoteForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    layoutBands();
}

void TNoteForm::layoutBands() {
    const int w = width(), h = height();
    Panel1->setGeometry(0, 0, w, BandHeight);
    fcLabel1->setGeometry(PanelBorder, PanelBorder, w - 2 * PanelBorder, TitleHeight);
    Label2->setGeometry(PanelBorder, PanelBorder + TitleHeight, w - 2 * PanelBorder,
                        BandHeight - 2 * PanelBorder - TitleHeight);
    DBMemo1->setGeometry(0, BandHeight, w, h - 2 * BandHeight);
    Panel2->setGeometry(0, h - BandHeight, w, BandHeight);
    // Exit keeps its distance from the right edge.
    Button3->move(w - (InnerWidth - 200), Button3->y());
}

void TNoteForm::setEditButtons(bool enabled) {
    Button1->setEnabled(enabled);
    Button2->setEnabled(enabled);
}

void TNoteForm::DBMemo1Change() {
    // Only what changes while the window is open counts: the memo also follows the exam set's
    // moves while the window is hidden, and those must not open the window with a pending save.
    if (isVisible())
        setEditButtons(true);
}

void TNoteForm::Button1Click() {
    if (!tables_)
        return;
    store::Table& examSet = tables_->dtCurrentSet;
    store::Table& bank = tables_->dtQSet;
    const int orNumber = examSet.asInteger(data::Q_OR_NUMBER);
    const QString note = examSet.asText(data::U_MEMO);

    // The bank first: when the store refuses the write, the item keeps the typed text pending
    // (Save Note and Cancel stay available) and the bank its old note.
    bank.setRecNo(orNumber);
    if (bank.recNo() != orNumber)
        throw palvexa::Error(
            QStringLiteral("Question %1 is not in the question bank").arg(orNumber));
    bank.edit();
    try {
        bank.setText(data::U_MEMO, note);
        bank.post();
    } catch (...) {
        // Leave the bank browsing on its old note; the refusal is what the user is told.
        try {
            bank.cancel();
        } catch (...) {
        }
        throw;
    }
    examSet.post();
    setEditButtons(false);
}

void TNoteForm::cancelPendingEdit() {
    if (tables_ && tables_->dtCurrentSet.isOpen())
        tables_->dtCurrentSet.cancel();
}

void TNoteForm::Button2Click() {
    cancelPendingEdit();
    setEditButtons(false);
}

void TNoteForm::Button3Click() {
    close();
}

void TNoteForm::FormClose() {
    cancelPendingEdit();
    setEditButtons(false);
}
