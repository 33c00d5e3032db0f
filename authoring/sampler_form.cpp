#include "authoring/sampler_form.h"

#include "app/about_form.h"
#include "app/dialogs.h"
#include "app/main_form.h"
#include "authoring/dm.h"
#include "data/fields.h"
#include "grading/grading.h"
#include "ui/forms.h"
#include "widgets/db_controls.h"
#include "widgets/outlined_label.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using store::State;

namespace {

constexpr int ChoiceTop = 8;
constexpr int ChoiceStep = 36; // rows of the "Responce choices" page
constexpr int ChoiceEditLeft = 44;
constexpr int ChoiceRightGap = 10;
const int PanelWidths[4] = {70, 80, 100, 100};

enum class Glyph { Add, Edit, Delete, Save, Cancel };

// The little pictures of the tool bar and the two buttons, drawn so they stay crisp at any scale.
QIcon glyph(Glyph g) {
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        switch (g) {
        case Glyph::Add:
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 1.5, 9, 12));
            p.setPen(QPen(QColor(0, 128, 0), 2.4, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(11.5, 7.5), QPointF(11.5, 15));
            p.drawLine(QPointF(7.75, 11.25), QPointF(15.25, 11.25));
            break;
        case Glyph::Edit: {
            p.setPen(QPen(QColor(90, 90, 90), 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(1.5, 1.5, 9, 12));
            QPainterPath pencil;
            pencil.moveTo(13.5, 3);
            pencil.lineTo(15.5, 5);
            pencil.lineTo(8, 12.5);
            pencil.lineTo(5.2, 13.3);
            pencil.lineTo(6, 10.5);
            pencil.closeSubpath();
            p.setPen(QPen(QColor(60, 40, 0), 0.8));
            p.setBrush(QColor(240, 190, 40));
            p.drawPath(pencil);
            break;
        }
        case Glyph::Delete:
        case Glyph::Cancel:
            p.setPen(QPen(QColor(200, 0, 0), 2.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
            p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
            break;
        case Glyph::Save: {
            QPainterPath tick;
            tick.moveTo(2.5, 8.5);
            tick.lineTo(6.3, 12.3);
            tick.lineTo(13.5, 3.8);
            p.setPen(QPen(QColor(0, 140, 0), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(tick);
            break;
        }
        }
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QLabel* pageLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* page(const QString& name) {
    auto* w = new QWidget;
    w->setObjectName(name);
    return w;
}

} // namespace

TSamplerForm::TSamplerForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("SamplerForm"));
    setWindowTitle(QStringLiteral("Orvenda Test Sampler"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(12);
    setFont(f);

    buildActions();
    buildMenus();
    buildToolBar();

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);

    fcDBTreeView1 = new widgets::DBTreeView(Splitter1);
    fcDBTreeView1->setObjectName(QStringLiteral("fcDBTreeView1"));
    fcDBTreeView1->setMinimumWidth(40);
    fcDBTreeView1->setAccessibleName(QStringLiteral("Items"));
    fcDBTreeView1->setContextMenuPolicy(Qt::ActionsContextMenu);
    fcDBTreeView1->addActions({AddAct, EditAct, DelAct});

    Splitter1->addWidget(fcDBTreeView1);
    Splitter1->addWidget(buildPages());
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({125, 521});
    layout->addWidget(Splitter1);
    setCentralWidget(central);

    buildStatusBar();

    // The data-aware controls show the data module's table.
    if (DM) {
        store::DataSource* ds = &DM->dsUserSet;
        fcDBTreeView1->setListField(data::Q_ID);
        fcDBTreeView1->setDataSource(ds);
        DBMemo1->setDataField(data::Q_TEXT);
        DBMemo1->setDataSource(ds);
        DBMemo2->setDataField(data::Q_EXPL);
        DBMemo2->setDataSource(ds);
        for (int i = 0; i < 6; ++i) {
            DBCheckBox[i]->setDataField(data::answerField(i));
            DBCheckBox[i]->setDataSource(ds);
            DBEdit[i]->setDataField(data::choiceField(i));
            DBEdit[i]->setDataSource(ds);
        }
        DBNavigator1->setDataSource(ds);
    }

    setMinimumSize(646, 462);
    resize(646, 481);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const auto inside = [this](QWidget* w) { return w && TabSheet2->isAncestorOf(w); };
        if (inside(now) && !inside(old) && now != ListBox1)
            app::guard([this] { TabSheet2Enter(); });
    });

    app::guard([this] { FormCreate(); });
}

void TSamplerForm::buildActions() {
    const auto make = [this](const QString& name, const QString& text, Glyph g,
                             void (TSamplerForm::*handler)()) {
        auto* a = new QAction(glyph(g), text, this);
        a->setObjectName(name);
        a->setIconText(QString(text).remove(QLatin1Char('&')));
        connect(a, &QAction::triggered, this,
                [this, handler] { app::guard([&] { (this->*handler)(); }); });
        return a;
    };
    AddAct = make(QStringLiteral("AddAct"), QStringLiteral("&Add new item"), Glyph::Add,
                  &TSamplerForm::AddActExecute);
    EditAct = make(QStringLiteral("EditAct"), QStringLiteral("&Edit item"), Glyph::Edit,
                   &TSamplerForm::EditActExecute);
    DelAct = make(QStringLiteral("DelAct"), QStringLiteral("&Delete Item"), Glyph::Delete,
                  &TSamplerForm::DelActExecute);
}

void TSamplerForm::buildMenus() {
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    Exit1 = File1->addAction(QStringLiteral("E&xit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    connect(Exit1, &QAction::triggered, this, [this] { app::guard([this] { Exit1Click(); }); });

    Items1 = menuBar()->addMenu(QStringLiteral("&Items"));
    Items1->setObjectName(QStringLiteral("Items1"));
    Items1->addActions({AddAct, EditAct, DelAct});
    Items1->addSeparator();
    Emptyquestionset1 = Items1->addAction(QStringLiteral("E&mpty question set"));
    Emptyquestionset1->setObjectName(QStringLiteral("Emptyquestionset1"));
    connect(Emptyquestionset1, &QAction::triggered, this,
            [this] { app::guard([this] { Emptyquestionset1Click(); }); });

    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    About1 = Help1->addAction(QStringLiteral("A&bout"));
    About1->setObjectName(QStringLiteral("About1"));
    connect(About1, &QAction::triggered, this, [this] { app::guard([this] { About1Click(); }); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({AddAct, EditAct, DelAct});
}

void TSamplerForm::buildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(16, 16));
    QToolButton** buttons[] = {&ToolButton1, &ToolButton2, &ToolButton3};
    const QList<QAction*> actions{AddAct, EditAct, DelAct};
    for (int i = 0; i < 3; ++i) {
        ToolBar1->addAction(actions[i]);
        auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(actions[i]));
        b->setObjectName(QStringLiteral("ToolButton%1").arg(i + 1));
        b->setFixedSize(96, 39);
        *buttons[i] = b;
    }
}

QWidget* TSamplerForm::buildPages() {
    auto* right = new QWidget;
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // Header strip.
    Panel1 = new QFrame(right);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAutoFillBackground(true);
    QPalette grey = Panel1->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    Panel1->setPalette(grey);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    auto* strip = new QHBoxLayout(Panel1);
    strip->setContentsMargins(8, 3, 8, 3);
    fcLabel4 = new widgets::OutlinedLabel(Panel1);
    fcLabel4->setObjectName(QStringLiteral("fcLabel4"));
    QFont headerFont(QStringLiteral("Verdana"));
    headerFont.setPixelSize(16);
    headerFont.setBold(true);
    fcLabel4->setFont(headerFont);
    fcLabel4->setTextColor(QColor(0, 255, 255));
    fcLabel4->setOutlineColor(QColor());
    fcLabel4->setShadowColor(Qt::black);
    fcLabel4->setShadowDepth(2);
    strip->addWidget(fcLabel4);
    strip->addStretch();
    column->addWidget(Panel1);

    PageControl1 = new QTabWidget(right);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->installEventFilter(this);

    // "Test question".
    TabSheet1 = page(QStringLiteral("TabSheet1"));
    {
        auto* l = new QVBoxLayout(TabSheet1);
        l->setContentsMargins(6, 6, 6, 6);
        Label1 = pageLabel(QStringLiteral("Label1"),
                           QStringLiteral("Enter the question text in the box bellow."), TabSheet1);
        DBMemo1 = new widgets::DBMemo(TabSheet1);
        DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
        DBMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        Label1->setBuddy(DBMemo1);
        l->addWidget(Label1);
        l->addWidget(DBMemo1, 1);
    }
    PageControl1->addTab(TabSheet1, QStringLiteral("Test question"));

    // "Type, Section".
    TabSheet2 = page(QStringLiteral("TabSheet2"));
    {
        auto* l = new QVBoxLayout(TabSheet2);
        l->setContentsMargins(6, 6, 6, 6);
        Label2 =
            pageLabel(QStringLiteral("Label2"), QStringLiteral("Select item type:"), TabSheet2);
        ComboBox1 = new QComboBox(TabSheet2);
        ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
        ComboBox1->setEditable(true);
        ComboBox1->setInsertPolicy(QComboBox::NoInsert);
        ComboBox1->addItems(
            {QStringLiteral("Single responce"), QStringLiteral("Multiple responces")});
        ComboBox1->setMinimumWidth(200);
        ComboBox1->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        Label3 =
            pageLabel(QStringLiteral("Label3"), QStringLiteral("Select item section:"), TabSheet2);
        ListBox1 = new QListWidget(TabSheet2);
        ListBox1->setObjectName(QStringLiteral("ListBox1"));
        ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
        Label2->setBuddy(ComboBox1);
        Label3->setBuddy(ListBox1);
        l->addWidget(Label2);
        l->addWidget(ComboBox1);
        l->addSpacing(6);
        l->addWidget(Label3);
        l->addWidget(ListBox1, 1);
        connect(ComboBox1, &QComboBox::activated, this,
                [this] { app::guard([this] { ComboBox1Change(); }); });
        connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this,
                [this] { app::guard([this] { ComboBox1Change(); }); });
        connect(ListBox1, &QListWidget::itemSelectionChanged, this,
                [this] { app::guard([this] { ListBox1Click(); }); });
        connect(ListBox1, &QListWidget::itemClicked, this,
                [this] { app::guard([this] { ListBox1Click(); }); });
    }
    PageControl1->addTab(TabSheet2, QStringLiteral("Type, Section"));

    // "Responce choices".
    TabSheet3 = page(QStringLiteral("TabSheet3"));
    {
        auto* l = new QVBoxLayout(TabSheet3);
        l->setContentsMargins(6, 6, 6, 6);
        Label4 = pageLabel(QStringLiteral("Label4"),
                           QStringLiteral("Enter the responce choices and mark the correct "
                                          "choice(s)."),
                           TabSheet3);
        ScrollBox2 = new QScrollArea(TabSheet3);
        ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
        ScrollBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        ScrollBox2->setWidgetResizable(true);
        // Tab goes from row to row; the box scrolls to the focused one by itself.
        ScrollBox2->setFocusPolicy(Qt::NoFocus);
        auto* rows = new QWidget;
        rows->setObjectName(QStringLiteral("ScrollBox2Rows"));
        static const char* const letters[] = {"a.", "b.", "c.", "d.", "e.", "f."};
        QWidget* previous = nullptr;
        for (int i = 0; i < 6; ++i) {
            const int top = ChoiceTop + i * ChoiceStep;
            auto* box = new widgets::DBCheckBox(QLatin1String(letters[i]), rows);
            box->setObjectName(QStringLiteral("DBCheckBox%1").arg(i + 1));
            box->setGeometry(8, top + 2, ChoiceEditLeft - 12, 20);
            auto* edit = new widgets::DBEdit(rows);
            edit->setObjectName(QStringLiteral("DBEdit%1").arg(i + 2));
            edit->setGeometry(ChoiceEditLeft, top, 300, 24);
            edit->setAccessibleName(QStringLiteral("Choice %1").arg(QLatin1String(letters[i])));
            DBCheckBox[i] = box;
            DBEdit[i] = edit;
            if (previous)
                setTabOrder(previous, box);
            setTabOrder(box, edit);
            previous = edit;
        }
        rows->setMinimumHeight(ChoiceTop + 5 * ChoiceStep + 24 + ChoiceTop);
        ScrollBox2->setWidget(rows);
        ScrollBox2->installEventFilter(this);
        l->addWidget(Label4);
        l->addWidget(ScrollBox2, 1);
    }
    PageControl1->addTab(TabSheet3, QStringLiteral("Responce choices"));

    // "Explanation".
    TabSheet4 = page(QStringLiteral("TabSheet4"));
    {
        auto* l = new QVBoxLayout(TabSheet4);
        l->setContentsMargins(6, 6, 6, 6);
        Label5 = pageLabel(QStringLiteral("Label5"), QStringLiteral("Enter the explanation text."),
                           TabSheet4);
        DBMemo2 = new widgets::DBMemo(TabSheet4);
        DBMemo2->setObjectName(QStringLiteral("DBMemo2"));
        DBMemo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        Label5->setBuddy(DBMemo2);
        l->addWidget(Label5);
        l->addWidget(DBMemo2, 1);
    }
    PageControl1->addTab(TabSheet4, QStringLiteral("Explanation"));
    column->addWidget(PageControl1, 1);

    // Bottom row: the navigator on the left, Save and Cancel on the right.
    Panel2 = new QFrame(right);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto* row = new QHBoxLayout(Panel2);
    row->setContentsMargins(6, 5, 6, 5);
    DBNavigator1 = new widgets::DBNavigator(Panel2);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    BitBtn1 = new QPushButton(glyph(Glyph::Save), QStringLiteral("Save"), Panel2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(glyph(Glyph::Cancel), QStringLiteral("Cancel"), Panel2);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* b : {BitBtn1, BitBtn2})
        b->setMinimumSize(82, 27);
    BitBtn1->setEnabled(false);
    BitBtn2->setEnabled(false);
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn2Click(); }); });
    row->addWidget(DBNavigator1);
    row->addStretch();
    row->addWidget(BitBtn1);
    row->addWidget(BitBtn2);
    column->addWidget(Panel2);
    return right;
}

void TSamplerForm::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panel->setTextFormat(Qt::PlainText);
        panel->setFixedWidth(PanelWidths[i]);
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        bar->addWidget(panel);
        StatusPanels[i] = panel;
    }
}

void TSamplerForm::setPanelText(int index, const QString& text) {
    StatusPanels[index]->setText(text);
}

QString TSamplerForm::panelText(int index) const {
    return StatusPanels[index]->text();
}

void TSamplerForm::FormCreate() {
    ComboBox1->setCurrentIndex(0); // "Single responce"
}

void TSamplerForm::OpenSampler() {
    if (MainForm)
        MainForm->hide();
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(palvexa::SectionNames());
    }
    // Whatever an earlier opening left disabled is usable again.
    EnableActions(true);
    try {
        DM->dtUserSet.open();
    } catch (...) {
        // Nothing to show: back to the start window with the error.
        if (MainForm)
            MainForm->show();
        throw;
    }
    PageControl1->setCurrentWidget(TabSheet1);
    app::showModal(this);
}

void TSamplerForm::EnableActions(bool enabled) {
    AddAct->setEnabled(enabled);
    EditAct->setEnabled(enabled);
    DelAct->setEnabled(enabled);
    fcDBTreeView1->setEnabled(enabled);
    DBNavigator1->setEnabled(enabled);
}

void TSamplerForm::AddActExecute() {
    PageControl1->setCurrentWidget(TabSheet1);
    DBMemo1->setFocus();
    EnableActions(false);
    try {
        store::Table& t = DM->dtUserSet;
        widgets::checkBrowseMode(t);
        t.insert();
    } catch (...) {
        EnableActions(true);
        throw;
    }
}

void TSamplerForm::EditActExecute() {
    EnableActions(false);
    try {
        store::Table& t = DM->dtUserSet;
        if (t.state() == State::Browse)
            t.edit();
    } catch (...) {
        EnableActions(true);
        throw;
    }
}

void TSamplerForm::DelActExecute() {
    if (app::ask(app::MsgKind::Confirm, QStringLiteral("Are you sure to delete this item?"),
                 QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    store::Table& t = DM->dtUserSet;
    // A record being edited is given up first; a new one is simply dropped.
    const bool wasNew = t.state() == State::Insert;
    t.cancel();
    if (!wasNew)
        t.remove();
}

void TSamplerForm::BitBtn1Click() {
    store::Table& t = DM->dtUserSet;
    if (t.state() != State::Edit && t.state() != State::Insert)
        return;
    const QVariant oldType = t.value(data::Q_TYPE);
    const QVariant oldSect = t.value(data::Q_SECT);
    // An entry is selected while the box shows its text; text typed over it selects none.
    const int typeIndex = ComboBox1->findText(ComboBox1->currentText(), Qt::MatchExactly);
    QListWidgetItem* sectItem = ListBox1->currentItem();
    const int sect = sectItem && sectItem->isSelected() ? ListBox1->row(sectItem) + 1 : 0;
    try {
        if (typeIndex == 0 || typeIndex == 1)
            t.setBoolean(data::Q_TYPE, typeIndex == 1);
        t.setInteger(data::Q_SECT, sect);
        t.post(); // one committed write: the item is on disk when Save returns
    } catch (...) {
        // The item stays in editing with what was typed; type and section are as stored.
        if (t.state() == State::Edit || t.state() == State::Insert) {
            app::guard([&] {
                t.setValue(data::Q_TYPE, oldType);
                t.setValue(data::Q_SECT, oldSect);
            });
        }
        throw;
    }
    setPanelText(3, QStringLiteral(" Saved"));
    EnableActions(true);
}

void TSamplerForm::BitBtn2Click() {
    EnableActions(true);
    DM->dtUserSet.cancel();
    setPanelText(3, QString());
}

void TSamplerForm::ComboBox1Change() {
    store::Table& t = DM->dtUserSet;
    if (t.isOpen() && t.state() == State::Browse)
        widgets::beginEditing(t);
}

void TSamplerForm::ListBox1Click() {
    store::Table& t = DM->dtUserSet;
    if (t.isOpen() && t.state() == State::Browse)
        widgets::beginEditing(t);
}

void TSamplerForm::TabSheet2Enter() {
    ListBox1->setFocus();
}

void TSamplerForm::PageControl1Resize() {
    for (widgets::DBEdit* edit : DBEdit)
        edit->resize(std::max(20, ScrollBox2->width() - edit->x() - ChoiceRightGap),
                     edit->height());
}

void TSamplerForm::Emptyquestionset1Click() {
    if (app::ask(app::MsgKind::Warning,
                 QStringLiteral("This action will erase all items in this question set!\rAre "
                                "you sure?"),
                 QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    // Whatever the Add or Edit action disabled is usable again on the emptied set.
    EnableActions(true);
    store::Table& t = DM->dtUserSet;
    t.close();
    t.setExclusive(true);
    t.open();
    t.emptyTable();
}

void TSamplerForm::Exit1Click() {
    close();
}

void TSamplerForm::About1Click() {
    if (AboutForm)
        app::execModal(AboutForm);
}

void TSamplerForm::FormCloseQuery(bool& CanClose) {
    CanClose = app::ask(app::MsgKind::Confirm, QStringLiteral("Are you sure to exit?"),
                        QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void TSamplerForm::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    app::guard([&] { FormCloseQuery(canClose); });
    if (!canClose) {
        event->ignore();
        return;
    }
    event->accept();
    app::guard([this] { FormClose(); });
}

void TSamplerForm::FormClose() {
    if (MainForm)
        MainForm->show();
    // Drops an item that was not saved.
    DM->dtUserSet.close();
}

void TSamplerForm::keyPressEvent(QKeyEvent* event) {
    // Enter outside the memos is Save; Esc is Cancel (the memos keep Enter for new lines).
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (BitBtn1->isEnabled() && BitBtn1->isVisible()) {
            BitBtn1->click();
            return;
        }
        break;
    case Qt::Key_Escape:
        if (BitBtn2->isEnabled() && BitBtn2->isVisible()) {
            BitBtn2->click();
            return;
        }
        break;
    default:
        break;
    }
    QMainWindow::keyPressEvent(event);
}

bool TSamplerForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == ScrollBox2 || watched == PageControl1))
        app::guard([this] { PageControl1Resize(); });
    return QMainWindow::eventFilter(watched, event);
}
