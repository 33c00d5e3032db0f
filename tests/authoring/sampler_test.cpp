// The Test Sampler driven through its real controls: writing, editing, deleting and emptying the
// user question set, its status texts and enabling, a write the store refuses, its layout; and
// the questions written taken back as a User Exam.

#include "app/main_form.h"
#include "app/startup.h"
#include "authoring/dm.h"
#include "authoring/sampler_form.h"
#include "data/exam_tables.h"
#include "data/fields.h"
#include "exam/exam_state.h"
#include "grading/grading.h"
#include "support/exam_fixture.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/db_controls.h"
#include "widgets/outlined_label.h"
#include "widgets/shape_button.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <QTextStream>
#include <QToolButton>
#include <iostream>

using app::MsgKind;
using store::State;
using testsupport::ScriptedDialogs;

namespace {

struct Item {
    int id = 0;
    QString text;
    bool multiple = false;
    int section = 0;
    QStringList choices; // up to six
    QList<bool> correct; // as many as choices
    QString explanation;
};

// Writes the user question set as a fixture would, with the given Q_IDs.
void writeUserSet(const QList<Item>& items) {
    store::Session session(data::SessionName);
    store::Table t(session);
    data::configureUserSet(t);
    t.open();
    for (const Item& it : items) {
        t.append();
        t.setInteger(data::Q_ID, it.id);
        t.setText(data::Q_TEXT, it.text);
        t.setBoolean(data::Q_TYPE, it.multiple);
        t.setInteger(data::Q_SECT, it.section);
        for (int i = 0; i < it.choices.size(); ++i) {
            t.setText(data::choiceField(i), it.choices[i]);
            t.setBoolean(data::answerField(i), it.correct[i]);
        }
        t.setText(data::Q_EXPL, it.explanation);
        t.post();
    }
    t.close();
}

QList<Item> readUserSet() {
    store::Session session(data::SessionName);
    store::Table t(session);
    data::configureUserSet(t);
    t.open();
    QList<Item> out;
    for (t.first(); !t.eof(); t.next()) {
        Item it;
        it.id = t.asInteger(data::Q_ID);
        it.text = t.asText(data::Q_TEXT);
        it.multiple = t.asBoolean(data::Q_TYPE);
        it.section = t.asInteger(data::Q_SECT);
        for (int i = 0; i < 6; ++i) {
            it.choices << t.asText(data::choiceField(i));
            it.correct << t.asBoolean(data::answerField(i));
        }
        it.explanation = t.asText(data::Q_EXPL);
        out << it;
    }
    return out;
}

// The child process of saveRefusedByStore: holds a write lock on the user question set until
// its standard input closes.
int holdLock(const QString& dir) {
    QDir::setCurrent(dir);
    store::Session session(data::SessionName);
    store::Table t(session);
    data::configureUserSet(t);
    t.open();
    t.beginTransaction();
    std::cout << "locked" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    t.rollback();
    return 0;
}

} // namespace

class SamplerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void writeEditDeleteThenTakeUserExam();
    void emptySetTextsAndEnabling();
    void firstItemShownAndSectionChoiceNotSavedElsewhere();
    void emptyQuestionSet_data();
    void emptyQuestionSet();
    void saveRefusedByStore();
    void layoutFollowsWindowSize();

private:
    // Opens the Sampler from the start window, runs `body` in it and closes it with OK.
    void runSampler(ScriptedDialogs& script, const std::function<void()>& body);
    static void type(QWidget* w, const QString& text);
    static void chooseSection(int section);
    static void chooseType(bool multiple);
    static void selectItem(int id);
    // Adds an item through the Add action and saves it.
    static void addItem(const Item& item);
    static QString panel(int i) { return SamplerForm->panelText(i); }
    static QString header() { return SamplerForm->fcLabel4->text(); }

    testsupport::ExamFixture fx_;
};

void SamplerTest::init() {
    QVERIFY2(fx_.setUp(), qPrintable(fx_.error()));
    MainForm->show();
}

void SamplerTest::cleanup() {
    fx_.tearDown();
}

void SamplerTest::runSampler(ScriptedDialogs& script, const std::function<void()>& body) {
    script.expectWindow(QStringLiteral("TSamplerForm"), [&](QWidget* w) {
        QVERIFY(!MainForm->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(w));
        body();
        script.expectQuestion(MsgKind::Confirm, QStringLiteral("Are you sure to exit?"),
                              QMessageBox::Ok);
        SamplerForm->Exit1->trigger();
    });
    QTest::mouseClick(MainForm->SamplerBtn, Qt::LeftButton);
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(MainForm->isVisible());
    QVERIFY(!SamplerForm->isVisible());
    QVERIFY(!DM->dtUserSet.isOpen());
}

void SamplerTest::type(QWidget* w, const QString& text) {
    w->setFocus();
    QTest::keyClicks(w, text);
}

void SamplerTest::chooseSection(int section) {
    SamplerForm->PageControl1->setCurrentWidget(SamplerForm->TabSheet2);
    QListWidget* list = SamplerForm->ListBox1;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(section - 1)).center());
}

void SamplerTest::chooseType(bool multiple) {
    SamplerForm->PageControl1->setCurrentWidget(SamplerForm->TabSheet2);
    QComboBox* box = SamplerForm->ComboBox1;
    box->setFocus();
    if (box->currentIndex() != int(multiple))
        QTest::keyClick(box, multiple ? Qt::Key_Down : Qt::Key_Up);
}

void SamplerTest::selectItem(int id) {
    widgets::DBTreeView* tree = SamplerForm->fcDBTreeView1;
    const int row = tree->labels().indexOf(QString::number(id));
    QVERIFY(row >= 0);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      tree->visualItemRect(tree->topLevelItem(row)).center());
}

void SamplerTest::addItem(const Item& item) {
    TSamplerForm* f = SamplerForm;
    f->AddAct->trigger();
    QCOMPARE(f->PageControl1->currentWidget(), f->TabSheet1);
    QCOMPARE(DM->dtUserSet.state(), State::Insert);
    type(f->DBMemo1, item.text);
    chooseType(item.multiple);
    if (item.section)
        chooseSection(item.section);
    f->PageControl1->setCurrentWidget(f->TabSheet3);
    for (int i = 0; i < item.choices.size(); ++i) {
        type(f->DBEdit[i], item.choices[i]);
        if (item.correct[i])
            QTest::mouseClick(f->DBCheckBox[i], Qt::LeftButton, {},
                              QPoint(8, f->DBCheckBox[i]->height() / 2));
    }
    f->PageControl1->setCurrentWidget(f->TabSheet4);
    type(f->DBMemo2, item.explanation);
    QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    QCOMPARE(DM->dtUserSet.state(), State::Browse);
    QCOMPARE(panel(3), QStringLiteral(" Saved"));
}

void SamplerTest::writeEditDeleteThenTakeUserExam() {
    const Item one{0,
                   QStringLiteral("Which file starts NT?"),
                   false,
                   2,
                   {QStringLiteral("NTLDR"), QStringLiteral("IO.SYS")},
                   {true, false},
                   QStringLiteral("NTLDR loads the kernel.")};
    const Item two{0,
                   QStringLiteral("Pick the NT file systems."),
                   true,
                   5,
                   {QStringLiteral("NTFS"), QStringLiteral("FAT"), QStringLiteral("HPFS 386")},
                   {true, true, false},
                   QStringLiteral("NT 4.0 reads NTFS and FAT.")};
    const Item three{0,
                     QStringLiteral("Where are user profiles kept?"),
                     false,
                     7,
                     {QStringLiteral("%SystemRoot%\\Profiles"), QStringLiteral("C:\\Users")},
                     {true, false},
                     QString()};
    ScriptedDialogs script;
    runSampler(script, [&] {
        TSamplerForm* f = SamplerForm;
        addItem(one);
        QCOMPARE(header(), QStringLiteral("Item ID: 1"));
        QCOMPARE(panel(0), QStringLiteral(" Item ID: 1"));
        QCOMPARE(panel(1), QStringLiteral(" Items: 1"));
        QCOMPARE(panel(2), QStringLiteral("  Browsing"));
        QVERIFY(f->EditAct->isEnabled() && f->DelAct->isEnabled() && f->AddAct->isEnabled());
        addItem(two);
        addItem(three);
        QCOMPARE(f->fcDBTreeView1->labels(), (QStringList{"1", "2", "3"}));
        QCOMPARE(f->fcDBTreeView1->currentItem()->text(0), QStringLiteral("3"));

        // Edit item 2: its stored type and section are shown, and Save keeps them.
        selectItem(2);
        QCOMPARE(header(), QStringLiteral("Item ID: 2"));
        QCOMPARE(f->ComboBox1->currentText(), QStringLiteral("Multiple responces"));
        QCOMPARE(f->ListBox1->currentRow(), 4);
        f->EditAct->trigger();
        QCOMPARE(header(), QStringLiteral("Edit Item"));
        QCOMPARE(panel(2), QStringLiteral(" Edit Item"));
        QCOMPARE(panel(3), QStringLiteral(" Modified"));
        QVERIFY(!f->AddAct->isEnabled() && !f->fcDBTreeView1->isEnabled() &&
                !f->DBNavigator1->isEnabled());
        f->PageControl1->setCurrentWidget(f->TabSheet3);
        f->DBEdit[2]->selectAll();
        type(f->DBEdit[2], QStringLiteral("CDFS"));
        f->PageControl1->setCurrentWidget(f->TabSheet1);
        f->DBMemo1->moveCursor(QTextCursor::End);
        type(f->DBMemo1, QStringLiteral(" (two)"));
        QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
        QVERIFY(f->AddAct->isEnabled() && f->fcDBTreeView1->isEnabled());

        // Delete item 1: Cancel keeps it, OK deletes it.
        selectItem(1);
        script.expectQuestion(MsgKind::Confirm, QStringLiteral("Are you sure to delete this item?"),
                              QMessageBox::Cancel);
        f->DelAct->trigger();
        QCOMPARE(DM->dtUserSet.recordCount(), 3);
        script.expectQuestion(MsgKind::Confirm, QStringLiteral("Are you sure to delete this item?"),
                              QMessageBox::Ok);
        f->DelAct->trigger();
        QCOMPARE(f->fcDBTreeView1->labels(), (QStringList{"2", "3"}));
        QCOMPARE(panel(1), QStringLiteral(" Items: 2"));
    });

    const QList<Item> stored = readUserSet();
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored[0].id, 2);
    QCOMPARE(stored[0].text, QStringLiteral("Pick the NT file systems. (two)"));
    QCOMPARE(stored[0].multiple, true);
    QCOMPARE(stored[0].section, 5);
    QCOMPARE(stored[0].choices.mid(0, 4), (QStringList{"NTFS", "FAT", "CDFS", ""}));
    QCOMPARE(stored[0].correct, (QList<bool>{true, true, false, false, false, false}));
    QCOMPARE(stored[1].id, 3);
    QCOMPARE(stored[1].multiple, false);
    QCOMPARE(stored[1].section, 7);
    QCOMPARE(stored[1].choices[0], QStringLiteral("%SystemRoot%\\Profiles"));

    // Taken as the User Exam from the start window: the remaining items, their texts and
    // correct flags.
    script.expectWindow(QStringLiteral("TTestForm"), [&](QWidget*) {
        TTestForm& tf = *TestForm;
        testsupport::ExamFixture::launch(script, testsupport::ExamKind::User);
        QCOMPARE(tf.ExamMode, std::int32_t(palvexa::TestingMode));
        store::Table& exam = tf.dtCurrentSet;
        QCOMPARE(exam.recordCount(), 2);
        QMap<int, QString> texts;
        for (exam.first(); !exam.eof(); exam.next()) {
            const int id = exam.asInteger(data::Q_OR_NUMBER);
            texts[id] = exam.asText(data::Q_TEXT);
            const Item& want = stored[id == 2 ? 0 : 1];
            for (int i = 0; i < 6; ++i)
                QCOMPARE(exam.asBoolean(data::answerField(i)), want.correct[i]);
            QCOMPARE(exam.asBoolean(data::Q_TYPE), want.multiple);
            QCOMPARE(exam.asInteger(data::Q_SECT), want.section);
            QVERIFY(exam.isNull(data::Q_EXAM_N));
        }
        QCOMPARE(texts.value(2), stored[0].text);
        QCOMPARE(texts.value(3), three.text);
        script.expectQuestion(MsgKind::Warning,
                              QStringLiteral("This exam is not completed.\rAre you shure ?"),
                              QMessageBox::Ok);
        tf.Exit1->trigger();
    });
    QTest::mouseClick(MainForm->StartTestBtn, Qt::LeftButton);
    QVERIFY2(script.done(), qPrintable(script.report()));
    QVERIFY(MainForm->isVisible());
    // The Sampler opens the user question set again after the exam.
    QVERIFY(!TestForm->dtUserSet.isOpen());
}

void SamplerTest::emptySetTextsAndEnabling() {
    ScriptedDialogs script;
    runSampler(script, [&] {
        TSamplerForm* f = SamplerForm;
        const auto showsEmptySet = [&] {
            QCOMPARE(header(), QStringLiteral("The question set is empty"));
            QCOMPARE(panel(0), QStringLiteral(" Empty"));
            QCOMPARE(panel(1), QStringLiteral(" Items: 0"));
            QCOMPARE(panel(2), QStringLiteral("  Browsing"));
            QVERIFY(f->AddAct->isEnabled());
            QVERIFY(!f->EditAct->isEnabled());
            QVERIFY(!f->DelAct->isEnabled());
            QVERIFY(!f->BitBtn1->isEnabled() && !f->BitBtn2->isEnabled());
            QCOMPARE(f->ComboBox1->currentText(), QStringLiteral("Single responce"));
            QVERIFY(f->ListBox1->selectedItems().isEmpty());
        };
        showsEmptySet();
        QCOMPARE(f->ListBox1->count(), 7);
        QCOMPARE(f->ListBox1->item(0)->text(), palvexa::SectionNames().at(0));
        QCOMPARE(f->PageControl1->currentWidget(), f->TabSheet1);

        // Add, then Cancel by Esc: still empty, the actions back, Edit and Delete off again.
        f->AddAct->trigger();
        QCOMPARE(header(), QStringLiteral("Add new item"));
        QCOMPARE(panel(2), QStringLiteral(" Add new item"));
        QCOMPARE(panel(3), QStringLiteral(" Modified"));
        QVERIFY(f->BitBtn1->isEnabled() && f->BitBtn2->isEnabled());
        type(f->DBMemo1, QStringLiteral("dropped"));
        QCOMPARE(header(), QStringLiteral("Add new item"));
        QTest::keyClick(f->DBMemo1, Qt::Key_Escape);
        showsEmptySet();
        QCOMPARE(panel(3), QString());
        QVERIFY(f->fcDBTreeView1->isEnabled() && f->DBNavigator1->isEnabled());

        // Typing on the empty set begins a new item by itself; the actions stay enabled.
        f->PageControl1->setCurrentWidget(f->TabSheet3);
        type(f->DBEdit[0], QStringLiteral("only choice"));
        QCOMPARE(DM->dtUserSet.state(), State::Insert);
        QCOMPARE(header(), QStringLiteral("Add new item"));
        QVERIFY(f->AddAct->isEnabled());
        // Saved by Enter, without a section chosen: section 0.
        QTest::keyClick(f->DBEdit[0], Qt::Key_Return);
        QCOMPARE(DM->dtUserSet.state(), State::Browse);
        QCOMPARE(header(), QStringLiteral("Item ID: 1"));
    });
    const QList<Item> stored = readUserSet();
    QCOMPARE(stored.size(), 1);
    QCOMPARE(stored[0].section, 0);
    QCOMPARE(stored[0].multiple, false);
    QCOMPARE(stored[0].choices[0], QStringLiteral("only choice"));
    QCOMPARE(stored[0].text, QString());
}

void SamplerTest::firstItemShownAndSectionChoiceNotSavedElsewhere() {
    writeUserSet({{5, QStringLiteral("five"), true, 2, {}, {}, {}},
                  {9, QStringLiteral("nine"), false, 6, {}, {}, {}}});
    ScriptedDialogs script;
    runSampler(script, [&] {
        TSamplerForm* f = SamplerForm;
        QCOMPARE(header(), QStringLiteral("Item ID: 5"));
        QCOMPARE(panel(0), QStringLiteral(" Item ID: 5"));
        QCOMPARE(panel(1), QStringLiteral(" Items: 2"));
        QCOMPARE(f->ListBox1->currentRow(), 1);
        QCOMPARE(f->ComboBox1->currentText(), QStringLiteral("Multiple responces"));
        QCOMPARE(f->DBMemo1->toPlainText(), QStringLiteral("five"));
        QCOMPARE(DM->dtUserSet.state(), State::Browse); // showing it began no edit

        // Another section, then another item: the choice is not stored.
        chooseSection(4);
        QCOMPARE(DM->dtUserSet.state(), State::Edit);
        QCOMPARE(panel(3), QStringLiteral(" Modified"));
        chooseType(false);
        selectItem(9);
        QCOMPARE(DM->dtUserSet.state(), State::Browse);
        QCOMPARE(header(), QStringLiteral("Item ID: 9"));
        QCOMPARE(f->ListBox1->currentRow(), 5);
        QCOMPARE(f->ComboBox1->currentText(), QStringLiteral("Single responce"));

        // The navigator moves back; Edit then Save on an unchanged item keeps its section.
        QTest::mouseClick(f->DBNavigator1->button(widgets::DBNavigator::First), Qt::LeftButton);
        QCOMPARE(header(), QStringLiteral("Item ID: 5"));
        QCOMPARE(f->ListBox1->currentRow(), 1);
        f->EditAct->trigger();
        QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
    });
    const QList<Item> stored = readUserSet();
    QCOMPARE(stored[0].section, 2);
    QCOMPARE(stored[0].multiple, true);
    QCOMPARE(stored[1].section, 6);
}

void SamplerTest::emptyQuestionSet_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("left");
    QTest::addRow("Cancel") << int(QMessageBox::Cancel) << 2;
    QTest::addRow("OK") << int(QMessageBox::Ok) << 0;
}

void SamplerTest::emptyQuestionSet() {
    QFETCH(int, answer);
    QFETCH(int, left);
    writeUserSet({{1, QStringLiteral("one"), false, 1, {}, {}, {}},
                  {2, QStringLiteral("two"), false, 1, {}, {}, {}}});
    ScriptedDialogs script;
    runSampler(script, [&] {
        TSamplerForm* f = SamplerForm;
        f->EditAct->trigger(); // leaves the actions disabled: emptying brings them back
        script.expectQuestion(
            MsgKind::Warning,
            QStringLiteral("This action will erase all items in this question set!\rAre you sure?"),
            QMessageBox::StandardButton(answer));
        f->Emptyquestionset1->trigger();
        QCOMPARE(DM->dtUserSet.recordCount(), left);
        if (left) {
            QCOMPARE(DM->dtUserSet.state(), State::Edit);
            QVERIFY(!DM->dtUserSet.exclusive());
            QTest::mouseClick(f->BitBtn2, Qt::LeftButton);
            return;
        }
        QVERIFY(DM->dtUserSet.exclusive());
        QCOMPARE(header(), QStringLiteral("The question set is empty"));
        QCOMPARE(panel(0), QStringLiteral(" Empty"));
        QCOMPARE(panel(1), QStringLiteral(" Items: 0"));
        QVERIFY(f->AddAct->isEnabled() && !f->EditAct->isEnabled());
        QCOMPARE(f->fcDBTreeView1->topLevelItemCount(), 0);
        // Held for this process alone: another connection cannot read it.
        store::Session other(data::SessionName);
        store::Table peer(other);
        data::configureUserSet(peer);
        peer.setLockRetry(0, 0);
        QVERIFY_THROWS_EXCEPTION(palvexa::Error, peer.open());
    });
    QCOMPARE(readUserSet().size(), left);
}

void SamplerTest::saveRefusedByStore() {
    writeUserSet({{1, QStringLiteral("one"), false, 3, {}, {}, {}}});
    ScriptedDialogs script;
    runSampler(script, [&] {
        TSamplerForm* f = SamplerForm;
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--hold-lock"), QDir::currentPath()});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

        f->EditAct->trigger();
        f->DBMemo1->moveCursor(QTextCursor::End);
        type(f->DBMemo1, QStringLiteral(" typed"));
        chooseSection(6);
        script.expectError(
            QStringLiteral("The table file \"velmorausr.DAT\" is locked by another program."));
        QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
        // Still editing, with what was typed; no " Saved"; the actions as they were.
        QCOMPARE(DM->dtUserSet.state(), State::Edit);
        QCOMPARE(DM->dtUserSet.asText(data::Q_TEXT), QStringLiteral("one typed"));
        QCOMPARE(DM->dtUserSet.asInteger(data::Q_SECT), 3);
        QCOMPARE(panel(3), QStringLiteral(" Modified"));
        QVERIFY(!f->AddAct->isEnabled());
        QVERIFY(f->BitBtn1->isEnabled());

        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
        QTest::mouseClick(f->BitBtn1, Qt::LeftButton);
        QCOMPARE(DM->dtUserSet.state(), State::Browse);
        QCOMPARE(panel(3), QStringLiteral(" Saved"));
        QVERIFY(f->AddAct->isEnabled());
    });
    const QList<Item> stored = readUserSet();
    QCOMPARE(stored[0].text, QStringLiteral("one typed"));
    QCOMPARE(stored[0].section, 6);
}

void SamplerTest::layoutFollowsWindowSize() {
    writeUserSet({{1,
                   QStringLiteral("A question text that runs on for a while."),
                   true,
                   4,
                   {QStringLiteral("First choice"), QStringLiteral("Second choice")},
                   {true, false},
                   QStringLiteral("Because.")}});
    const QString shots = qEnvironmentVariable("PALVEXA_SHOT_DIR");
    ScriptedDialogs script;
    runSampler(script, [&] {
        TSamplerForm* f = SamplerForm;
        QCOMPARE(f->size(), QSize(646, 481));
        QCOMPARE(f->minimumSize(), QSize(646, 462));
        QCOMPARE(f->ToolButton1->size(), QSize(96, 39));
        QCOMPARE(f->ToolButton1->text(), QStringLiteral("Add new item"));
        const int widths[] = {70, 80, 100, 100};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(f->StatusPanels[i]->width(), widths[i]);
        QCOMPARE(f->fcDBTreeView1->width(), 125);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(f->DBEdit[i]->y() - f->DBEdit[0]->y(), 36 * i);
        for (const QSize size : {QSize(646, 462), QSize(1100, 800)}) {
            f->resize(size);
            QTest::qWait(0);
            const QList<QWidget*> pages{f->TabSheet1, f->TabSheet2, f->TabSheet3, f->TabSheet4};
            for (int p = 0; p < pages.size(); ++p) {
                f->PageControl1->setCurrentWidget(pages[p]);
                QCoreApplication::processEvents();
                if (!shots.isEmpty())
                    f->grab().save(QStringLiteral("%1/sampler-%2x%3-page%4.png")
                                       .arg(shots)
                                       .arg(size.width())
                                       .arg(size.height())
                                       .arg(p + 1));
            }
            for (widgets::DBEdit* e : f->DBEdit)
                QCOMPARE(e->x() + e->width(), f->ScrollBox2->width() - 10);
        }
    });
}

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--hold-lock") {
        QCoreApplication core(argc, argv);
        return holdLock(QString::fromLocal8Bit(argv[2]));
    }
    QApplication app(argc, argv);
    SamplerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "sampler_test.moc"
