// The note window over real tables, and the exhibit window's fitting.

#include "app/dialogs.h"
#include "data/exam_tables.h"
#include "data/fields.h"
#include "support/exam_fixture.h"
#include "ui/exam/note_form.h"
#include "ui/exam/pict1_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/db_controls.h"
#include "widgets/outlined_label.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <memory>

using namespace data;
using testsupport::ExamFixture;
using testsupport::ExamKind;

namespace {

const QString locked =
    QStringLiteral("The table file \"velmora.DAT\" is locked by another program.");

// Three questions: 1 and 2 in practice exam A, 3 in exam B; question 2 carries a note.
QByteArray bank() {
    QByteArray two = ExamFixture::questionYaml(2, QStringLiteral("A"));
    two.chop(1);
    return ExamFixture::questionYaml(1, QStringLiteral("A")) + two + "  note: old note\n\n" +
           ExamFixture::questionYaml(3, QStringLiteral("B"));
}

} // namespace

class NotesTest : public QObject {
    Q_OBJECT

    ExamFixture fx_;
    TNoteForm* form_ = nullptr;

    // A fresh exam through the welcome panel (practice exam A, or all questions), on the item
    // of question `id`.
    void startExam(ExamKind kind, int id) {
        if (TestForm->ExamMode != palvexa::IdleMode)
            TestForm->CloseCurrentExam();
        QVERIFY(ExamFixture::startExam(kind));
        if (!ExamFixture::goToQuestion(id))
            QFAIL("question not drawn");
    }
    // As after a restart: the program's windows and tables made anew over the same files.
    void restart() {
        fx_.restart();
        form_ = NoteForm;
        QVERIFY(ExamFixture::showExamWindow());
    }
    static data::ExamTables& tables() { return TestForm->Tables; }
    QString bankNote(int id) {
        store::Table bank(tables().session);
        bank.setFileName(QuestionBankFile);
        bank.setIndexField(Q_ID);
        bank.open();
        bank.setRecNo(id);
        return bank.asText(U_MEMO);
    }
    void type(const QString& text) {
        form_->DBMemo1->setFocus();
        form_->DBMemo1->moveCursor(QTextCursor::End);
        QTest::keyClicks(form_->DBMemo1, text);
    }
    bool editButtons() const { return form_->Button1->isEnabled() && form_->Button2->isEnabled(); }
    bool noEditButtons() const {
        return !form_->Button1->isEnabled() && !form_->Button2->isEnabled();
    }

private Q_SLOTS:
    void init() {
        QVERIFY2(fx_.setUp(bank()), qPrintable(fx_.error()));
        form_ = NoteForm;
        QVERIFY(ExamFixture::showExamWindow());
    }
    void cleanup() {
        form_ = nullptr;
        fx_.tearDown();
    }

    void itemLine_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("expected");
        QTest::newRow("practice exam")
            << "Practice Exam B" << 112 << "Practice Exam B,  Item ID: 112";
        QTest::newRow("random exam") << "Random Exam" << 7 << "Random Exam,  Item ID: 7";
    }
    void itemLine() {
        QFETCH(QString, title);
        QFETCH(int, id);
        QFETCH(QString, expected);
        QCOMPARE(noteItemLine(title, id), expected);
    }

    void openingFillsTheItemLine() {
        startExam(ExamKind::A, 2);
        testsupport::ScriptedDialogs script;
        QString line;
        script.expectModal(QStringLiteral("TNoteForm"), [&](QDialog* d) {
            line = form_->Label2->text();
            QTest::mouseClick(form_->Button3, Qt::LeftButton);
        });
        QTest::mouseClick(TestForm->NoteButton, Qt::LeftButton);
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(line, QStringLiteral("Practice Exam A,  Item ID: 2"));
    }

    void design() {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Orvenda"));
        QCOMPARE(form_->size(), QSize(286, 222));
        QCOMPARE(form_->fcLabel1->text(), QStringLiteral("User Note"));
        QCOMPARE(form_->Panel1->height(), 41);
        QCOMPARE(form_->DBMemo1->geometry(), QRect(0, 41, 286, 140));
        QCOMPARE(form_->Button1->text(), QStringLiteral("Save Note"));
        QCOMPARE(form_->Button3->geometry(), QRect(200, 6, 83, 29));
        QVERIFY(noEditButtons());
    }

    void savedNoteComesBackInLaterExams() {
        startExam(ExamKind::A, 2);
        form_->show();
        QCOMPARE(form_->DBMemo1->toPlainText(), QStringLiteral("old note"));
        QVERIFY(noEditButtons());
        type(QStringLiteral(", and more"));
        QCOMPARE(form_->DBMemo1->toPlainText(), QStringLiteral("old note, and more"));
        QCOMPARE(tables().dtCurrentSet.state(), store::State::Edit);
        QVERIFY(editButtons());

        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QVERIFY(noEditButtons());
        QCOMPARE(tables().dtCurrentSet.state(), store::State::Browse);
        QCOMPARE(tables().dtCurrentSet.asText(U_MEMO), QStringLiteral("old note, and more"));
        QCOMPARE(bankNote(2), QStringLiteral("old note, and more"));
        QCOMPARE(bankNote(1), QString());
        // The window stays open after saving; Exit keeps what was saved.
        QVERIFY(form_->isVisible());
        QTest::mouseClick(form_->Button3, Qt::LeftButton);
        QVERIFY(!form_->isVisible());

        // A later exam of another kind draws the same question with its note.
        startExam(ExamKind::AllQuestions, 2);
        QCOMPARE(form_->DBMemo1->toPlainText(), QStringLiteral("old note, and more"));
        restart();
        startExam(ExamKind::A, 2);
        QCOMPARE(form_->DBMemo1->toPlainText(), QStringLiteral("old note, and more"));
    }

    void closingDropsWhatWasNotSaved_data() {
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("Exit") << false;
        QTest::newRow("close box") << true;
    }
    void closingDropsWhatWasNotSaved() {
        QFETCH(bool, byCloseBox);
        startExam(ExamKind::A, 2);
        form_->show();
        type(QStringLiteral(" typed"));
        if (byCloseBox)
            form_->close();
        else
            QTest::mouseClick(form_->Button3, Qt::LeftButton);
        QVERIFY(!form_->isVisible());
        QVERIFY(noEditButtons());
        QCOMPARE(tables().dtCurrentSet.state(), store::State::Browse);
        QCOMPARE(tables().dtCurrentSet.asText(U_MEMO), QStringLiteral("old note"));
        QCOMPARE(bankNote(2), QStringLiteral("old note"));
        form_->show();
        QCOMPARE(form_->DBMemo1->toPlainText(), QStringLiteral("old note"));
        QVERIFY(noEditButtons());
    }

    void cancelThenTypingAgain() {
        startExam(ExamKind::A, 1);
        form_->show();
        type(QStringLiteral("first"));
        QVERIFY(editButtons());
        QTest::mouseClick(form_->Button2, Qt::LeftButton);
        QVERIFY(noEditButtons());
        QCOMPARE(form_->DBMemo1->toPlainText(), QString());
        QCOMPARE(tables().dtCurrentSet.state(), store::State::Browse);
        type(QStringLiteral("x"));
        QVERIFY(editButtons());
        QCOMPARE(form_->DBMemo1->toPlainText(), QStringLiteral("x"));
    }

    void movesWhileHiddenLeaveTheButtonsOff() {
        startExam(ExamKind::A, 1);
        startExam(ExamKind::A, 2); // the memo reloads "old note" unseen
        form_->show();
        QVERIFY(noEditButtons());
    }

    void refusedSaveKeepsBothTexts() {
        tables().dtQSet.setLockRetry(2, 10);
        startExam(ExamKind::A, 2);
        form_->show();
        type(QStringLiteral(" kept"));

        // Another holder of the bank's write lock.
        store::Table blocker(tables().session);
        blocker.setFileName(QuestionBankFile);
        blocker.setIndexField(Q_ID);
        blocker.open();
        blocker.beginTransaction();
        blocker.setRecNo(1);
        blocker.edit();
        blocker.setText(Q_TEXT, QStringLiteral("held"));
        blocker.post();

        {
            testsupport::ScriptedDialogs script;
            script.expectError(locked);
            QTest::mouseClick(form_->Button1, Qt::LeftButton);
            QVERIFY2(script.done(), qPrintable(script.report()));
        }
        QVERIFY(form_->isVisible());
        QVERIFY(editButtons());
        QCOMPARE(form_->DBMemo1->toPlainText(), QStringLiteral("old note kept"));
        QCOMPARE(tables().dtCurrentSet.state(), store::State::Edit);
        QCOMPARE(tables().dtQSet.state(), store::State::Browse);
        blocker.rollback();
        blocker.close();
        QCOMPARE(bankNote(2), QStringLiteral("old note"));

        // Once the lock is gone the same text saves.
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QVERIFY(noEditButtons());
        QCOMPARE(bankNote(2), QStringLiteral("old note kept"));
    }

    void refusedSaveThenClosing() {
        tables().dtQSet.setLockRetry(1, 10);
        startExam(ExamKind::A, 2);
        form_->show();
        type(QStringLiteral(" lost"));
        store::Table blocker(tables().session);
        blocker.setFileName(QuestionBankFile);
        blocker.setIndexField(Q_ID);
        blocker.open();
        blocker.beginTransaction();
        blocker.edit();
        blocker.setText(Q_TEXT, QStringLiteral("held"));
        blocker.post();
        {
            testsupport::ScriptedDialogs script;
            script.expectError(locked);
            QTest::mouseClick(form_->Button1, Qt::LeftButton);
            QVERIFY2(script.done(), qPrintable(script.report()));
        }
        form_->close();
        blocker.rollback();
        // The item and the bank agree on the old note.
        QCOMPARE(tables().dtCurrentSet.asText(U_MEMO), QStringLiteral("old note"));
        QCOMPARE(bankNote(2), QStringLiteral("old note"));
    }

    void noteNeverLandsOnAnotherQuestion() {
        // The item's question hidden by the bank's filter: setting the record number would
        // land on a neighbour.
        startExam(ExamKind::AllQuestions, 1);
        tables().dtQSet.setFilter(QStringLiteral("Q_EXAM_N=2"));
        form_->show();
        type(QStringLiteral("for one"));
        testsupport::ScriptedDialogs script;
        script.expectError(QStringLiteral("Question 1 is not in the question bank."));
        QTest::mouseClick(form_->Button1, Qt::LeftButton);
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(bankNote(3), QString());
        QCOMPARE(bankNote(1), QString());
    }

    void exhibitWindowFitsThePicture_data() {
        QTest::addColumn<QSize>("picture");
        QTest::newRow("640 x 480") << QSize(640, 480);
        QTest::newRow("small") << QSize(120, 40);
    }
    void exhibitWindowFitsThePicture() {
        QFETCH(QSize, picture);
        TPict1Form pict;
        QCOMPARE(pict.windowTitle(), QStringLiteral("Exhibit 1"));
        QImage image(picture, QImage::Format_RGB32);
        image.fill(Qt::green);
        pict.setPicture(image);
        pict.show();
        QCOMPARE(pict.size(), picture);
        QCOMPARE(pict.Image1->size(), picture);
        QCOMPARE(pict.ScrollBox1->horizontalScrollBar()->maximum(), 0);
        const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY(qAbs(pict.frameGeometry().center().x() - screenCentre.x()) <= 10);
        QVERIFY(qAbs(pict.frameGeometry().center().y() - screenCentre.y()) <= 30);

        // The next exhibit resizes the window again.
        pict.hide();
        pict.setPicture(QImage(QSize(50, 60), QImage::Format_RGB32));
        pict.show();
        QCOMPARE(pict.size(), QSize(50, 60));
    }

    void exhibitReloadedOnEveryShow() {
        TPict1Form pict;
        const QString file = fx_.path(QStringLiteral("exhibit.bmp"));
        QSize shown;
        testsupport::ScriptedDialogs script;
        auto look = [&](QDialog* d) {
            shown = d->size();
            d->close();
        };
        QVERIFY(QImage(QSize(64, 32), QImage::Format_RGB32).save(file));
        script.expectModal(QStringLiteral("TPict1Form"), look);
        pict.showExhibit(file);
        QCOMPARE(shown, QSize(64, 32));
        QVERIFY(QImage(QSize(90, 70), QImage::Format_RGB32).save(file));
        script.expectModal(QStringLiteral("TPict1Form"), look);
        pict.showExhibit(file);
        QCOMPARE(shown, QSize(90, 70));

        // A missing file: the loader's message, and the window is not shown.
        const QString missing = fx_.path(QStringLiteral("gone.wmf"));
        script.expectError(QStringLiteral("Cannot open file %1.").arg(missing));
        app::guard([&] { pict.showExhibit(missing); });
        QVERIFY2(script.done(), qPrintable(script.report()));
        QVERIFY(!pict.isVisible());
    }

    void exhibitLargerThanTheScreenScrolls() {
        TPict1Form pict;
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QImage image(area.size() * 2, QImage::Format_RGB32);
        image.fill(Qt::blue);
        pict.setPicture(image);
        pict.show();
        QVERIFY(pict.width() <= area.width() && pict.height() <= area.height());
        QVERIFY(pict.frameGeometry().top() >= area.top());
        QVERIFY(pict.ScrollBox1->horizontalScrollBar()->maximum() > 0);
        QVERIFY(pict.ScrollBox1->verticalScrollBar()->maximum() > 0);
        QCOMPARE(pict.Image1->size(), image.size());
    }
};

QTEST_MAIN(NotesTest)
#include "notes_test.moc"
