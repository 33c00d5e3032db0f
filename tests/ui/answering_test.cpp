// Answering through real clicks: single and multiple response correctness, marks, the restore
// at each refresh leaving the answer sheet as it was, and review mode undoing every click.

#include "ui/exam/question_controls.h"
#include "view_exam.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using testsupport::item;

namespace {

const QStringList Four = {QStringLiteral("Alpha"), QStringLiteral("Bravo"),
                          QStringLiteral("Charlie"), QStringLiteral("Delta")};

QString chosen(const palvexa::AnswerEntry& e) {
    QString s;
    for (int i = 0; i < 6; ++i)
        if (e.choice[std::size_t(i)])
            s += QChar(u'a' + i);
    return s;
}

bool operator==(const palvexa::AnswerEntry& a, const palvexa::AnswerEntry& b) {
    return a.choice == b.choice && a.mark == b.mark && a.correct == b.correct &&
           a.section == b.section;
}

} // namespace

class AnsweringTest : public QObject {
    Q_OBJECT
    testsupport::ExamFixture fx;
    TTestForm* f = nullptr;

    palvexa::AnswerEntry& entry(int item) { return palvexa::answerSheet()[std::size_t(item - 1)]; }

    // Clicks in the order given: a letter clicks the choice's text, an upper-case letter its
    // button.
    void click(const QString& clicks) {
        for (QChar c : clicks) {
            const int n = c.toLower().unicode() - u'a' + 1;
            QWidget* target = examview::choiceLabel(*f, n);
            if (c.isUpper())
                target = f->dtCurrentSet.asBoolean(data::Q_TYPE)
                             ? static_cast<QWidget*>(examview::choiceCheck(*f, n))
                             : examview::choiceRadio(*f, n);
            QTest::mouseClick(target, Qt::LeftButton);
        }
    }

    QString shown() const {
        QString s;
        const bool multiple = f->dtCurrentSet.asBoolean(data::Q_TYPE);
        for (int n = 1; n <= 6; ++n) {
            const bool on = multiple ? examview::choiceCheck(*f, n)->isChecked()
                                     : examview::choiceRadio(*f, n)->isChecked();
            if (on)
                s += QChar(u'a' + n - 1);
        }
        return s;
    }

private Q_SLOTS:
    void init() {
        QVERIFY2(fx.setUp(), qPrintable(fx.error()));
        f = TestForm;
    }
    void cleanup() { fx.tearDown(); }

    void correctness_data() {
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("correct");

        QTest::newRow("single, right text") << false << "b"
                                            << "b"
                                            << "b" << true;
        QTest::newRow("single, b after a") << false << "a"
                                           << "ab"
                                           << "b" << false;
        QTest::newRow("single, same text twice keeps it") << false << "c"
                                                          << "cc"
                                                          << "c" << true;
        QTest::newRow("single, button then text") << false << "d"
                                                  << "Ad"
                                                  << "d" << true;
        QTest::newRow("single, untouched") << false << "a"
                                           << ""
                                           << "" << false;
        QTest::newRow("multiple, exact") << true << "ac"
                                         << "aC"
                                         << "ac" << true;
        QTest::newRow("multiple, subset") << true << "ac"
                                          << "a"
                                          << "a" << false;
        QTest::newRow("multiple, superset") << true << "ac"
                                            << "abC"
                                            << "abc" << false;
        QTest::newRow("multiple, toggled off again") << true << "ac"
                                                     << "acbB"
                                                     << "ac" << true;
        QTest::newRow("multiple, text twice is nothing") << true << "ac"
                                                         << "aa"
                                                         << "" << false;
    }

    void correctness() {
        QFETCH(bool, multiple);
        QFETCH(QString, answer);
        QFETCH(QString, clicks);
        QFETCH(QString, chosen);
        QFETCH(bool, correct);
        testsupport::startExamWith({item(QStringLiteral("Q"), Four, answer, multiple)});
        click(clicks);
        QCOMPARE(::chosen(entry(1)), chosen);
        QCOMPARE(shown(), chosen);
        QCOMPARE(entry(1).correct, correct);
        QVERIFY(!entry(1).mark);
    }

    void restoreLeavesSheetUnchanged() {
        testsupport::startExamWith({item(QStringLiteral("Q1"), Four, QStringLiteral("d")),
                                    item(QStringLiteral("Q2"), Four, QStringLiteral("ab"), true),
                                    item(QStringLiteral("Q3"), Four, QStringLiteral("a")),
                                    item(QStringLiteral("Q4"), Four, QStringLiteral("c"), true)});
        click(QStringLiteral("bd")); // item 1: d, correct
        QTest::mouseClick(f->NextButton, Qt::LeftButton);
        click(QStringLiteral("ab")); // item 2: a and b, correct
        QTest::mouseClick(f->NextButton, Qt::LeftButton);
        f->MarkBox->click(); // item 3: marked only
        QTest::mouseClick(f->NextButton, Qt::LeftButton);
        click(QStringLiteral("d")); // item 4: d, incorrect
        const palvexa::AnswerSheet before = palvexa::answerSheet();
        QCOMPARE(chosen(before[2]), QString());
        QVERIFY(before[2].mark && !before[1].mark);

        // Page back and forth over every item, and resize on the way.
        for (int round = 0; round < 2; ++round) {
            while (f->PrevButton->isEnabled())
                QTest::mouseClick(f->PrevButton, Qt::LeftButton);
            f->resize(f->width() + 40, f->height());
            QCoreApplication::processEvents();
            while (f->NextButton->isEnabled()) {
                const int k = f->dtCurrentSet.recNo();
                QCOMPARE(shown(), chosen(before[std::size_t(k - 1)]));
                QCOMPARE(f->MarkBox->isChecked(), before[std::size_t(k - 1)].mark);
                QTest::mouseClick(f->NextButton, Qt::LeftButton);
            }
        }
        const palvexa::AnswerSheet& after = palvexa::answerSheet();
        QCOMPARE(after.size(), before.size());
        for (std::size_t i = 0; i < after.size(); ++i)
            QVERIFY2(after[i] == before[i], qPrintable(QStringLiteral("entry %1").arg(i)));
        QVERIFY(after[0].correct && after[1].correct && !after[2].correct && !after[3].correct);
    }

    void marksSurviveMoves() {
        testsupport::startExamWith({item(QStringLiteral("Q1"), Four, QStringLiteral("a")),
                                    item(QStringLiteral("Q2"), Four, QStringLiteral("a"))});
        QTest::mouseClick(f->MarkBox, Qt::LeftButton);
        QVERIFY(entry(1).mark);
        QTest::mouseClick(f->NextButton, Qt::LeftButton);
        QVERIFY(!f->MarkBox->isChecked());
        QTest::mouseClick(f->PrevButton, Qt::LeftButton);
        QVERIFY(f->MarkBox->isChecked());
        QVERIFY(entry(1).mark && !entry(2).mark);
        QCOMPARE(chosen(entry(1)), QString());
    }

    void reviewUndoesClicks_data() {
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<QString>("answered");
        QTest::addColumn<QString>("reviewClicks");
        QTest::newRow("single answered") << false << "b"
                                         << "cCaB";
        QTest::newRow("single unanswered") << false << ""
                                           << "cA";
        QTest::newRow("multiple") << true << "ac"
                                  << "bBaC";
    }

    void reviewUndoesClicks() {
        QFETCH(bool, multiple);
        QFETCH(QString, answered);
        QFETCH(QString, reviewClicks);
        testsupport::startExamWith(
            {item(QStringLiteral("Q"), Four, QStringLiteral("ac"), multiple)});
        click(answered);
        const palvexa::AnswerEntry before = entry(1);
        f->ExamMode = palvexa::ReviewMode;
        f->ReviewControls();
        f->dtCurrentSet.first();
        for (QChar c : reviewClicks) {
            click(QString(c));
            QCOMPARE(shown(), answered);
            QVERIFY(entry(1) == before);
        }
    }
};

QTEST_MAIN(AnsweringTest)
#include "answering_test.moc"
