// The question view: the hand layout of an item, the refresh on every move, the status labels,
// Previous/Next enabling and the answer key of review mode.

#include "settings/run_button.h"
#include "ui/exam/question_controls.h"
#include "view_exam.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using testsupport::item;

namespace {

const QStringList Four = {QStringLiteral("First choice"), QStringLiteral("Second choice"),
                          QStringLiteral("Third choice"), QStringLiteral("Fourth choice")};

QString longText(int words) {
    QStringList w;
    for (int i = 0; i < words; ++i)
        w << QStringLiteral("word%1").arg(i);
    return w.join(QLatin1Char(' '));
}

int bottomOf(const QWidget* w) {
    return w->y() + w->height();
}

} // namespace

class QuestionViewTest : public QObject {
    Q_OBJECT
    testsupport::ExamFixture fx;
    TTestForm* f = nullptr;

private Q_SLOTS:
    void init() {
        QVERIFY2(fx.setUp(), qPrintable(fx.error()));
        f = TestForm;
    }
    void cleanup() { fx.tearDown(); }

    void layout_data() {
        QTest::addColumn<QVariantMap>("record");
        QTest::addColumn<QString>("present"); // letters of the labels shown
        QTest::addColumn<int>("lastReached"); // label the explanation is placed below
        QTest::addColumn<bool>("scrolls");

        QTest::newRow("four choices, exhibit")
            << item(QStringLiteral("Which one?"), Four, QStringLiteral("b"), false,
                    QStringLiteral("exhibit.bmp"))
            << "abcd" << 4 << false;
        QTest::newRow("gap at c, multiple") << item(QStringLiteral("Which two?"),
                                                    {QStringLiteral("One"), QStringLiteral("Two"),
                                                     QString(), QStringLiteral("Four")},
                                                    QStringLiteral("ad"), true)
                                            << "abd" << 2 << false;
        QTest::newRow("single choice")
            << item(QStringLiteral("Only one"), {QStringLiteral("The only")}, QStringLiteral("a"))
            << "a" << 2 << false;
        QTest::newRow("six choices, no exhibit, long choice")
            << item(QStringLiteral("Six"),
                    {longText(60), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                     QStringLiteral("e"), QStringLiteral("f")},
                    QStringLiteral("f"))
            << "abcdef" << 6 << false;
        QTest::newRow("long question scrolls")
            << item(longText(900), Four, QStringLiteral("a"), true) << "abcd" << 4 << true;
    }

    void layout() {
        QFETCH(QVariantMap, record);
        QFETCH(QString, present);
        QFETCH(int, lastReached);
        QFETCH(bool, scrolls);
        // A previous item that showed all six choices: hidden slots must not keep its heights.
        const QVariantMap six = item(
            QStringLiteral("Before"),
            {longText(80), longText(80), longText(80), longText(80), longText(80), longText(80)},
            QStringLiteral("a"));
        testsupport::startExamWith({six, record});
        QTest::mouseClick(f->NextButton, Qt::LeftButton);
        QCOMPARE(f->dtCurrentSet.recNo(), 2);

        const bool multiple = record[data::Q_TYPE].toBool();
        const int areaWidth = f->ScrollBox1->width();
        QCOMPARE(examview::questionAreaWidth(*f), areaWidth);

        QCOMPARE(f->QPanel->y(), 0);
        QCOMPARE(f->QPanel->height(), f->QText->height() + 16);
        QCOMPARE(f->QText->text(), record[data::Q_TEXT].toString());
        QCOMPARE(f->Shape1->y(), f->QPanel->height());
        QCOMPARE(f->ExhBtnA->isVisible(), !record[data::PICT1].toString().isEmpty());
        QCOMPARE(f->ExhBtnA->geometry(), QRect(1, f->QPanel->height() + 2, 93, 25));
        QCOMPARE(f->CalcButton->y(), f->ExhBtnA->y());

        int top = f->QPanel->height() + 2 + 25 + 15;
        for (int n = 1; n <= 6; ++n) {
            QLabel* label = examview::choiceLabel(*f, n);
            const bool shown = present.contains(QChar(u'a' + n - 1));
            QCOMPARE(label->isVisible(), shown);
            QCOMPARE(label->x(), 80);
            QCOMPARE(label->width(), areaWidth - 80 - 30);
            QCOMPARE(label->y(), top);
            if (shown)
                QCOMPARE(label->text(), record[data::choiceField(n - 1)].toString());
            else
                QCOMPARE(label->height(), label->fontMetrics().height());
            QAbstractButton* mine =
                multiple ? static_cast<QAbstractButton*>(examview::choiceCheck(*f, n))
                         : examview::choiceRadio(*f, n);
            QAbstractButton* other =
                multiple ? static_cast<QAbstractButton*>(examview::choiceRadio(*f, n))
                         : examview::choiceCheck(*f, n);
            QCOMPARE(mine->isVisible(), shown);
            QVERIFY(!other->isVisible());
            QCOMPARE(mine->geometry(), QRect(40, top, 38, 17));
            top += label->height() + 15;
        }
        // A long choice wraps to more than one line.
        if (present.size() == 6)
            QVERIFY(f->ALabel1->height() > 2 * f->ALabel1->fontMetrics().height());

        QLabel* last = examview::choiceLabel(*f, lastReached);
        QCOMPARE(f->ExpText->geometry().topLeft(), QPoint(8, bottomOf(last) + 40));
        QCOMPARE(f->ExpText->width(), areaWidth - 8 - 30);
        QVERIFY(!f->ExpText->isVisible());

        // The area ends 17 below its lowest control shown, and never scrolls sideways.
        int lowest = 0;
        for (QWidget* w :
             f->QuestionArea->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (w->isVisible())
                lowest = qMax(lowest, bottomOf(w));
        QCOMPARE(f->QuestionArea->height(), lowest + 17);
        QCOMPARE(f->QuestionArea->width(), f->ScrollBox1->viewport()->width());
        QVERIFY(!f->ScrollBox1->horizontalScrollBar()->isVisible());
        QScrollBar* bar = f->ScrollBox1->verticalScrollBar();
        QCOMPARE(bar->maximum() > 0, scrolls);
        QCOMPARE(bar->value(), 0);
        if (scrolls)
            QVERIFY(f->QPanel->height() > f->ScrollBox1->viewport()->height());

        // Scrolled down, the next refresh and a resize go back to the top.
        if (scrolls) {
            bar->setValue(bar->maximum());
            QTest::mouseClick(f->PrevButton, Qt::LeftButton);
            QTest::mouseClick(f->NextButton, Qt::LeftButton);
            QCOMPARE(bar->value(), 0);
            bar->setValue(bar->maximum());
            f->resize(f->width() + 100, f->height());
            QCoreApplication::processEvents();
            QCOMPARE(bar->value(), 0);
        }
    }

    void resizeRewraps() {
        testsupport::startExamWith(
            {item(QStringLiteral("Q"), {longText(40), QStringLiteral("b")}, QStringLiteral("a"))});
        const int narrowHeight = f->ALabel1->height();
        f->resize(1600, 1000);
        QCoreApplication::processEvents();
        QCOMPARE(f->ALabel1->width(), f->ScrollBox1->width() - 110);
        QVERIFY(f->ALabel1->height() < narrowHeight);
        QCOMPARE(f->ALabel2->y(), f->ALabel1->y() + f->ALabel1->height() + 15);
        QCOMPARE(f->ExpText->width(), f->ScrollBox1->width() - 38);
        QCOMPARE(f->GradeButton->x(), f->Panel2->width() - 191);
        QCOMPARE(f->Button3->x(), f->Panel2->width() - 95);
        QCOMPARE(f->TimeLabel->x(), f->Panel1->width() - 105);
    }

    void statusAndMoves_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("one item") << 1;
        QTest::newRow("three items") << 3;
    }

    void statusAndMoves() {
        QFETCH(int, count);
        QList<QVariantMap> items;
        for (int k = 1; k <= count; ++k)
            items << item(QStringLiteral("Question %1").arg(k), Four, QStringLiteral("a"), false,
                          QString(), QStringLiteral("Because."), 100 + k);
        testsupport::startExamWith(items);
        for (int k = 1;; ++k) {
            QCOMPARE(f->Label1->text(), QStringLiteral("Item %1 of %2").arg(k).arg(count));
            QCOMPARE(f->Label2->text(), QStringLiteral("Item ID: %1").arg(100 + k));
            QCOMPARE(f->QText->text(), QStringLiteral("Question %1").arg(k));
            QCOMPARE(f->PrevButton->isEnabled(), k != 1);
            QCOMPARE(f->NextButton->isEnabled(), k != count);
            if (k == count)
                break;
            QTest::mouseClick(f->NextButton, Qt::LeftButton);
        }
        // In idle mode a move redraws nothing.
        f->ExamMode = palvexa::IdleMode;
        f->dtCurrentSet.first();
        QCOMPARE(f->Label1->text(), QStringLiteral("Item %1 of %1").arg(count));
    }

    void answerKey() {
        testsupport::startExamWith({item(QStringLiteral("Q1"), Four, QStringLiteral("bd"), true),
                                    item(QStringLiteral("Q2"), Four, QStringLiteral("c"), false)});
        const auto keyed = [this] {
            QString letters;
            for (int n = 1; n <= 6; ++n) {
                const QColor c = examview::choiceLabel(*f, n)->palette().color(QPalette::Window);
                if (c == QColor(0, 255, 255))
                    letters += QChar(u'a' + n - 1);
                else if (c != QColor(255, 255, 255))
                    return QStringLiteral("?");
            }
            return letters;
        };
        QCOMPARE(keyed(), QString());
        QVERIFY(!f->ExpText->isVisible());
        QCOMPARE(f->CorrectLabel->text(), QStringLiteral("Incorrect"));

        // Answer item 2 correctly, then review.
        QTest::mouseClick(f->NextButton, Qt::LeftButton);
        QTest::mouseClick(f->ALabel3, Qt::LeftButton);
        f->ExamMode = palvexa::ReviewMode;
        f->ReviewControls();
        f->dtCurrentSet.first();
        QCOMPARE(keyed(), QStringLiteral("bd"));
        QVERIFY(f->ExpText->isVisible());
        QCOMPARE(f->CorrectLabel->text(), QStringLiteral("Incorrect"));
        QTest::mouseClick(f->NextButton, Qt::LeftButton);
        QCOMPARE(keyed(), QStringLiteral("c"));
        QCOMPARE(f->CorrectLabel->text(), QStringLiteral("Correct"));
        // The explanation shown is inside the scroll range.
        QVERIFY(f->QuestionArea->height() >= bottomOf(f->ExpText) + 17);

        // A resize keeps the key; back in testing mode a move takes it away.
        f->resize(f->width() + 50, f->height() + 20);
        QCoreApplication::processEvents();
        QCOMPARE(keyed(), QStringLiteral("c"));
        QVERIFY(f->ExpText->isVisible());
        f->ExamMode = palvexa::TestingMode;
        QTest::mouseClick(f->PrevButton, Qt::LeftButton);
        QCOMPARE(keyed(), QString());
        QVERIFY(!f->ExpText->isVisible());
    }

    // Pictures of the window for a look by eye: PALVEXA_SHOTS names the folder they go to.
    void screenshots() {
        const QString out = qEnvironmentVariable("PALVEXA_SHOTS");
        if (out.isEmpty())
            QSKIP("PALVEXA_SHOTS not set");
        const QList<QVariantMap> items = {
            item(QStringLiteral("You share a folder on an NTFS partition. Which permission "
                                "applies to a user who connects over the network?"),
                 Four, QStringLiteral("b"), false),
            item(longText(400),
                 {longText(30), longText(12), QStringLiteral("Short"), longText(50),
                  QStringLiteral("e"), QStringLiteral("f")},
                 QStringLiteral("ad"), true, QString(), longText(120)),
            item(QStringLiteral("Look at the exhibit. Which two changes fix it?"), Four,
                 QStringLiteral("ac"), true, QStringLiteral("boot-ini-1.svg"), longText(60))};
        for (const QSize size : {QSize(1024, 768), QSize(1600, 1000)}) {
            testsupport::startExamWith(items, size);
            f->MarkBox->click();
            for (int k = 1; k <= 3; ++k) {
                QTest::mouseClick(f->ALabel1, Qt::LeftButton);
                f->grab().save(
                    QStringLiteral("%1/testing-%2-%3.png").arg(out).arg(size.width()).arg(k));
                QTest::mouseClick(f->NextButton, Qt::LeftButton);
            }
            f->ExamMode = palvexa::ReviewMode;
            f->ReviewControls();
            f->dtCurrentSet.first();
            for (int k = 1; k <= 3; ++k) {
                f->grab().save(
                    QStringLiteral("%1/review-%2-%3.png").arg(out).arg(size.width()).arg(k));
                QTest::mouseClick(f->NextButton, Qt::LeftButton);
            }
            fx.setUp();
            f = TestForm;
        }
        f->resize(1024, 768);
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        f->grab().save(QStringLiteral("%1/idle.png").arg(out));
    }

    void plainText() {
        testsupport::startExamWith(
            {item(QStringLiteral("<b>bold</b>"), {QStringLiteral("<i>x</i>")}, QStringLiteral("a"),
                  false, QString(), QStringLiteral("<u>u</u>"))});
        for (QLabel* l : {f->QText, f->ALabel1, f->ExpText})
            QCOMPARE(l->textFormat(), Qt::PlainText);
        QCOMPARE(f->ALabel1->text(), QStringLiteral("<i>x</i>"));
    }
};

QTEST_MAIN(QuestionViewTest)
#include "question_view_test.moc"
