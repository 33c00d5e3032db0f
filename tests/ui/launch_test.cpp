// Choosing and launching an exam through the real exam window, name dialog and progress window.

#include "exam/answer_sheet.h"
#include "exam/exam_state.h"
#include "exam/name_form.h"
#include "exam/progress_form.h"
#include "support/exam_fixture.h"
#include "support/scripted_dialogs.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/outlined_label.h"
#include "widgets/shape_button.h"
#include "widgets/time_counter.h"

#include <QAction>
#include <QDate>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSpinBox>
#include <QTest>

using testsupport::ExamFixture;
using testsupport::ScriptedDialogs;

namespace {

constexpr int N = ExamFixture::DefaultExamQuestions;

// What the name dialog showed when the launch opened it.
struct Seen {
    QString caption;
    bool countEnabled = false;
    int countMax = 0;
    int countValue = 0;
    int minutes = 0;
    QString name;
    QString date;
};

// Records the dialog as shown, optionally works it, then confirms with OK (or cancels).
ScriptedDialogs::DialogDriver nameDialog(Seen* seen, std::function<void(TNameForm*)> work = {},
                                         bool ok = true) {
    return [=](QDialog*) {
        TNameForm* d = NameForm;
        if (seen)
            *seen = {d->windowTitle(),      d->SpinEdit2->isEnabled(), d->SpinEdit2->maximum(),
                     d->SpinEdit2->value(), d->SpinEdit1->value(),     d->NameEdit->text(),
                     d->Label1->text()};
        if (work)
            work(d);
        QTest::mouseClick(ok ? d->BitBtn1 : d->BitBtn2, Qt::LeftButton);
    };
}

QList<QVariantMap> userRecords(int count) {
    QList<QVariantMap> records;
    for (int i = 1; i <= count; ++i)
        records << QVariantMap{{data::Q_SECT, 1 + i % 7},
                               {data::Q_TYPE, false},
                               {data::Q_TEXT, QStringLiteral("Mine %1").arg(i)},
                               {data::Q1, QStringLiteral("yes")},
                               {data::Q2, QStringLiteral("no")},
                               {data::A1, true}};
    return records;
}

// Q_OR_NUMBER of every exam-set record, in item order; the exam set is left on item 1.
QList<int> itemIds(store::Table& t) {
    QList<int> ids;
    for (t.first(); !t.eof(); t.next())
        ids << t.asInteger(data::Q_OR_NUMBER);
    t.first();
    return ids;
}

} // namespace

class LaunchTest : public QObject {
    Q_OBJECT

    ExamFixture fx_;

    // The launch's data-change events of the exam set: the mode, the welcome panel and the
    // progress window as each event found them.
    struct Event {
        int mode;
        bool welcome;
        bool progress;
        int position;
    };
    QList<Event> events_;
    QMetaObject::Connection watch_;

    void watch() {
        events_.clear();
        watch_ = connect(&TestForm->dsCurrentSet, &store::DataSource::dataChange, this, [this] {
            events_ << Event{TestForm->ExamMode, TestForm->Panel4->isVisible(),
                             ProgressForm->isVisible(), ProgressForm->ProgressBar1->value()};
        });
    }

    static void verifyIdle() {
        TTestForm& f = *TestForm;
        QCOMPARE(f.ExamMode, int(palvexa::IdleMode));
        QVERIFY(f.Panel4->isVisible());
        QVERIFY(!f.ScrollBox1->isVisible());
        QVERIFY(f.N21->menuAction()->isEnabled());
        QVERIFY(!ProgressForm->isVisible());
    }

private Q_SLOTS:
    void init() {
        QVERIFY2(fx_.setUp(), qPrintable(fx_.error()));
        TestForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(TestForm));
    }
    void cleanup() {
        disconnect(watch_);
        fx_.tearDown();
    }

    void welcomePanelAndMenu() {
        TTestForm& f = *TestForm;
        QCOMPARE(f.fcLabel5->text(), QStringLiteral("Welcome to Palvexa"));
        QCOMPARE(
            f.fcLabel3->text(),
            QStringLiteral("Palvexa is designed to prepare you to pass the (70-073) exam.\n"
                           "Implementing and Supporting Microsoft Windows NT Workstation 4.0"));
        QCOMPARE(f.fcLabel4->text(),
                 QStringLiteral("Please select the practice exam you want to begin."));
        QCOMPARE(f.fcLabel5->textColor(), QColor(0, 255, 255));
        QCOMPARE(f.fcLabel4->textColor(), QColor(0, 255, 0));
        for (widgets::OutlinedLabel* l : {f.fcLabel5, f.fcLabel4}) {
            QCOMPARE(l->font().pixelSize(), 16);
            QVERIFY(l->font().bold() && l->font().italic());
            QCOMPARE(l->shadowDepth(), 2);
        }
        QCOMPARE(f.fcLabel3->font().pixelSize(), 13);
        QVERIFY(f.fcLabel3->wordWrap());

        // Button, its action and caption, the action's own caption, the menu item's caption.
        const struct {
            widgets::ShapeButton* button;
            QAction* action;
            const char* caption;
            const char* actionCaption;
            const char* menuCaption;
        } kinds[] = {
            {f.fcShapeBtn1, f.Action1, "&A", "A", "Practice Exam &A"},
            {f.fcShapeBtn2, f.Action2, "&B", "B", "Practice Exam &B"},
            {f.fcShapeBtn3, f.Action3, "&C", "C", "Practice Exam &C"},
            {f.fcShapeBtn4, f.Action4, "&D", "D", "Practice Exam &D"},
            {f.fcShapeBtn5, f.Action5, "&E", "E", "Practice Exam &E"},
            {f.fcShapeBtn6, f.Action6, "&F", "F", "Practice Exam &F"},
            {f.fcShapeBtn7, f.Action7, "G", "G", "Practice Exam &G"},
            {f.AllQBtn, f.AllQAct, "All &Questions", "All &Questions", "&Take All &Questions"},
            {f.RandomBtn, f.RandAct, "&Random Exam", "&Random Exam", "&Random Exam"},
            {f.UserBtn, f.UserAct, "&User Exam", "&User Exam", "&User Exam"},
        };
        const QList<QAction*> items = f.N21->actions();
        QCOMPARE(items.size(), 11);
        QVERIFY(items[7]->isSeparator());
        int i = 0;
        for (const auto& k : kinds) {
            const bool practice = i < 7;
            QCOMPARE(k.button->text(), QString::fromLatin1(k.caption));
            QCOMPARE(k.button->action(), k.action);
            QCOMPARE(k.action->text(), QString::fromLatin1(k.actionCaption));
            QCOMPARE(items[i < 7 ? i : i + 1]->text(), QString::fromLatin1(k.menuCaption));
            QCOMPARE(k.button->size(), practice ? QSize(30, 30) : QSize(109, 30));
            QCOMPARE(k.button->color(), practice ? QColor(128, 0, 128) : QColor(0, 0, 128));
            QCOMPARE(k.button->textColor(), QColor(Qt::white));
            QCOMPARE(k.button->font().pixelSize(), 13);
            ++i;
        }
    }

    // Both rows centred on the window's outer width, halves to the even neighbour.
    void centring_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("examLeft");
        QTest::addColumn<int>("kindLeft");
        QTest::newRow("even") << 1024 << 389 << 342;      // 778/2; 685/2 = 342.5 -> 342
        QTest::newRow("odd") << 1025 << 390 << 343;       // 779/2 = 389.5 -> 390; 686/2
        QTest::newRow("odd, down") << 1027 << 390 << 344; // 781/2 = 390.5 -> 390; 688/2
    }
    void centring() {
        QFETCH(int, width);
        QFETCH(int, examLeft);
        QFETCH(int, kindLeft);
        TTestForm& f = *TestForm;
        f.showNormal();
        f.resize(width, 600);
        // The outer width counts the frame.
        QTRY_VERIFY(f.frameGeometry().width() > 0);
        f.resize(width - (f.frameGeometry().width() - f.width()), 600);
        QTRY_COMPARE(f.frameGeometry().width(), width);
        QCOMPARE(f.fcShapeBtn1->x(), examLeft);
        QCOMPARE(f.fcShapeBtn2->x(), examLeft + 36);
        QCOMPARE(f.fcShapeBtn7->x(), examLeft + 6 * 36);
        QCOMPARE(f.AllQBtn->x(), kindLeft);
        QCOMPARE(f.RandomBtn->x(), kindLeft + 115);
        QCOMPARE(f.UserBtn->x(), kindLeft + 230);
    }

    void kinds_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("examN"); // every item's Q_EXAM_N; -1: any but 0
        QTest::addColumn<int>("count");
        const char* letters = "ABCDEFG";
        for (int k = 1; k <= 7; ++k) {
            const QString l(QChar(letters[k - 1]));
            QTest::addRow("Practice Exam %c", letters[k - 1])
                << QStringLiteral("fcShapeBtn%1").arg(k) << "Begin Practice Exam " + l
                << "Practice Exam " + l << "Practice Exam " + l
                << QStringLiteral("Q_EXAM_N=%1").arg(k) << k << ExamFixture::defaultCount(k);
        }
        QTest::newRow("All Questions") << "AllQBtn"
                                       << "Take All Questions"
                                       << "All Questions"
                                       << "All Questions"
                                       << "Q_EXAM_N<>0" << -1 << N;
        QTest::newRow("Random Exam") << "RandomBtn"
                                     << "Random Exam"
                                     << "Random Exam"
                                     << "Random Exam"
                                     << "Q_EXAM_N<>0" << -1 << N;
        // Four user questions, two deleted: Q_ID 1, 4 and 5 remain.
        QTest::newRow("User Exam") << "UserBtn"
                                   << "User Exam"
                                   << "User Exam"
                                   << "Palvexa, User Exam" << QString() << 0 << 3;
    }
    void kinds() {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, header);
        QFETCH(QString, filter);
        QFETCH(int, examN);
        QFETCH(int, count);
        const bool user = examN == 0;
        const bool random = caption == QLatin1String("Random Exam");
        if (user)
            fx_.writeUserSet(userRecords(5), {2, 3});
        TTestForm& f = *TestForm;

        Seen seen;
        ScriptedDialogs script;
        script.expectModal("TNameForm", nameDialog(&seen));
        watch();
        f.findChild<widgets::ShapeButton*>(button)->click();
        QVERIFY2(script.done(), qPrintable(script.report()));

        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.countEnabled, random);
        // The count offers every question of the seven exams, whichever kind asks.
        QCOMPARE(seen.countMax, N);
        QCOMPARE(seen.countValue, N);
        QCOMPARE(seen.minutes, 90);
        QCOMPARE(seen.date,
                 "Date: " + QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));

        QCOMPARE(f.ExamMode, int(palvexa::TestingMode));
        QCOMPARE(f.ExamTitle, title);
        QCOMPARE(f.CandidateName, QStringLiteral("Your Name"));
        QCOMPARE(f.TimeLimit, 90 / 1440.0);
        QCOMPARE(f.Label3->text(), header);
        if (!user)
            QCOMPARE(f.dtQSet.filter(), filter);
        QCOMPARE(f.ItemCount, count);
        QCOMPARE(f.FirstItemNumber, 1);
        QCOMPARE(int(palvexa::answerSheet().size()), count);
        const QList<int> ids = itemIds(f.dtCurrentSet);
        QCOMPARE(ids.size(), count);
        QCOMPARE(QSet<int>(ids.begin(), ids.end()).size(), count);
        if (user)
            QCOMPARE(QSet<int>(ids.begin(), ids.end()), (QSet<int>{1, 4, 5}));
        for (f.dtCurrentSet.first(); !f.dtCurrentSet.eof(); f.dtCurrentSet.next()) {
            const int n = f.dtCurrentSet.asInteger(data::Q_EXAM_N);
            QVERIFY2(examN < 0 ? n != 0 : n == examN, qPrintable(QString::number(n)));
        }
        f.dtCurrentSet.first();
        QCOMPARE(f.dtCurrentSet.recNo(), 1);

        // The exam look.
        QVERIFY(!f.Panel4->isVisible());
        QVERIFY(f.ScrollBox1->isVisible() && f.ScrollBox1->isEnabled());
        QVERIFY(f.Panel2->isVisible());
        QVERIFY(!f.N21->menuAction()->isEnabled());
        QVERIFY(f.Print1->isEnabled());
        QVERIFY(f.LearnButton->isEnabled());
        QCOMPARE(f.GradeButton->text(), QStringLiteral("Grade Now"));
        QCOMPARE(f.NoteButton->isVisible(), !user);
        QVERIFY(f.Timer1->isEnabled());

        // The build ran in idle mode behind the welcome panel with the progress window counting
        // the records already copied; only then item 1 was shown in testing mode.
        int highest = -1;
        bool testing = false;
        for (const Event& e : events_) {
            testing = testing || e.mode == palvexa::TestingMode;
            if (testing) {
                QCOMPARE(e.mode, int(palvexa::TestingMode));
                QVERIFY(!e.welcome && !e.progress);
            } else {
                QCOMPARE(e.mode, int(palvexa::IdleMode));
                if (e.progress)
                    highest = std::max(highest, e.position);
            }
        }
        QVERIFY(testing);
        QCOMPARE(highest, count - 1);
        QCOMPARE(ProgressForm->ProgressBar1->maximum(), count);
        QVERIFY(!ProgressForm->isVisible());
    }

    // The count reaching the builder is the typed one, brought into 1..N, also when Enter
    // confirms while the field still holds the typed text.
    void randomCount_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("count");
        QTest::newRow("M = 1") << "1" << 1;
        QTest::newRow("M = N") << QString::number(N) << N;
        QTest::newRow("some") << "5" << 5;
        QTest::newRow("zero") << "0" << 1;
        QTest::newRow("nothing") << "" << 1;
        QTest::newRow("too many") << "99" << 9; // the field takes no second 9 beyond N
    }
    void randomCount() {
        QFETCH(QString, typed);
        QFETCH(int, count);
        ScriptedDialogs script;
        script.expectModal("TNameForm", [&](QDialog*) {
            QSpinBox* spin = NameForm->SpinEdit2;
            spin->setFocus();
            spin->selectAll();
            QTest::keyClick(spin, Qt::Key_Backspace);
            QTest::keyClicks(spin, typed);
            QTest::keyClick(spin, Qt::Key_Return);
        });
        TestForm->RandAct->trigger();
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(TestForm->ExamMode, int(palvexa::TestingMode));
        QCOMPARE(TestForm->ItemCount, count);
        QCOMPARE(TestForm->dtCurrentSet.recordCount(), count);
        QCOMPARE(NameForm->SpinEdit2->value(), count);
    }

    void nameDialogKeepsWhatWasTyped() {
        TTestForm& f = *TestForm;
        f.Options.DefaultTime = 30;
        Seen seen;
        ScriptedDialogs script;
        script.expectModal("TNameForm", nameDialog(&seen, [](TNameForm* d) {
                               d->NameEdit->setText(QStringLiteral("Alice"));
                               d->SpinEdit1->selectAll();
                               QTest::keyClicks(d->SpinEdit1, QStringLiteral("45"));
                           }));
        f.Action3->trigger();
        QCOMPARE(seen.minutes, 30);
        QVERIFY(!seen.countEnabled);
        QCOMPARE(f.CandidateName, QStringLiteral("Alice"));
        QCOMPARE(f.TimeLimit, 45 / 1440.0);
        f.CloseCurrentExam();

        // The Random Exam keeps the time field as it was left; the name stays too.
        script.expectModal("TNameForm", nameDialog(&seen, {}, false));
        f.RandAct->trigger();
        QCOMPARE(seen.minutes, 45);
        QCOMPARE(seen.name, QStringLiteral("Alice"));
        QVERIFY(seen.countEnabled);
        QVERIFY2(script.done(), qPrintable(script.report()));
    }

    void cancelBuildsNothing() {
        TTestForm& f = *TestForm;
        ScriptedDialogs script;
        script.expectModal(
            "TNameForm",
            nameDialog(
                nullptr, [](TNameForm* d) { d->NameEdit->setText(QStringLiteral("Bob")); }, false));
        watch();
        f.AllQAct->trigger();
        QVERIFY2(script.done(), qPrintable(script.report()));
        verifyIdle();
        QVERIFY(events_.isEmpty());
        QVERIFY(!f.dtCurrentSet.isOpen());
        QVERIFY(f.CandidateName.isEmpty());
        QCOMPARE(f.TimeLimit, 0.0);
        QCOMPARE(f.ExamTitle, QStringLiteral("All Questions"));
    }

    void emptyUserSet() {
        ScriptedDialogs script;
        script.expectQuestion(app::MsgKind::Information,
                              QStringLiteral("User defined question set is empty!"),
                              QMessageBox::Ok);
        TestForm->UserAct->trigger();
        QVERIFY2(script.done(), qPrintable(script.report()));
        verifyIdle();
        QVERIFY(!TestForm->dtUserSet.isOpen());
    }

    void emptyPracticeExamIsRefused() {
        // A bank with exam A only.
        QVERIFY2(fx_.setUp(ExamFixture::questionYaml(1, "A") + ExamFixture::questionYaml(2, "A")),
                 qPrintable(fx_.error()));
        TestForm->show();
        ScriptedDialogs script;
        script.expectModal("TNameForm", nameDialog(nullptr))
            .expectQuestion(app::MsgKind::Information,
                            QStringLiteral("There are no questions in this exam."),
                            QMessageBox::Ok);
        TestForm->Action2->trigger();
        QVERIFY2(script.done(), qPrintable(script.report()));
        verifyIdle();
        QVERIFY(!TestForm->dtQSet.isOpen());
        QVERIFY(TestForm->dtQSet.filter().isEmpty());
        QVERIFY(!TestForm->dtCurrentSet.isOpen());
    }

    // A store error ends the launch in the error box; the window stays idle with its tables
    // closed, before the name dialog or after it.
    void storeErrorLeavesIdle_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("user");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<QString>("error");
        QTest::newRow("no bank") << "velmora.DAT" << false << false
                                 << "The table file \"velmora.DAT\" does not exist.";
        QTest::newRow("no bank, user exam")
            << "velmora.DAT" << true << false << "The table file \"velmora.DAT\" does not exist.";
        QTest::newRow("damaged exam set")
            << "ces.DAT" << false << true
            << "The table file \"ces.DAT\" is damaged, or it is encrypted with a password this "
               "program does not have.";
    }
    void storeErrorLeavesIdle() {
        QFETCH(QString, file);
        QFETCH(bool, user);
        QFETCH(bool, dialog);
        if (user)
            fx_.writeUserSet(userRecords(1));
        QFETCH(QString, error);
        QFile f(fx_.path(file));
        QVERIFY(f.remove() || !f.exists());
        if (file == QLatin1String("ces.DAT")) {
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
            f.close();
        }
        ScriptedDialogs script;
        if (dialog)
            script.expectModal("TNameForm", nameDialog(nullptr));
        script.expectError(error);
        (user ? TestForm->UserAct : TestForm->Action1)->trigger();
        QVERIFY2(script.done(), qPrintable(script.report()));
        verifyIdle();
        QVERIFY(!TestForm->dtQSet.isOpen());
        QVERIFY(!TestForm->dtCurrentSet.isOpen());
        QVERIFY(!TestForm->dtUserSet.isOpen());
    }

    void dialogsAsCreated() {
        TNameForm* d = NameForm;
        QCOMPARE(d->NameEdit->text(), QStringLiteral("Your Name"));
        QCOMPARE(d->SpinEdit1->minimum(), 1);
        QCOMPARE(d->SpinEdit1->maximum(), 600);
        QCOMPARE(d->SpinEdit1->value(), 90);
        QCOMPARE(d->SpinEdit2->minimum(), 1);
        QVERIFY(!d->SpinEdit2->isEnabled() && !d->Label4->isEnabled());
        QCOMPARE(d->SpinEdit2->palette().color(QPalette::Disabled, QPalette::Base),
                 QColor(192, 192, 192));
        QCOMPARE(d->SpinEdit2->palette().color(QPalette::Disabled, QPalette::Text),
                 QColor(128, 128, 128));
        QVERIFY(d->BitBtn1->isDefault());
        // A value set by the program is brought into the range.
        d->SpinEdit1->setValue(1000);
        QCOMPARE(d->SpinEdit1->value(), 600);

        TProgressForm* p = ProgressForm;
        QCOMPARE(p->windowTitle(), QStringLiteral("Randomizing queastion set..."));
        p->show(3);
        QVERIFY(p->isVisible());
        QCOMPARE(p->size(), QSize(231, 15));
        QCOMPARE(p->ProgressBar1->size(), QSize(231, 15));
        QCOMPARE(p->ProgressBar1->maximum(), 3);
        p->close();
        QVERIFY(!p->isVisible());
        QCOMPARE(p->ProgressBar1->minimum(), 0);
        QVERIFY(p->windowFlags() & Qt::Tool);
        QVERIFY(!(p->windowFlags() & Qt::WindowCloseButtonHint));
    }
};

QTEST_MAIN(LaunchTest)
#include "launch_test.moc"
