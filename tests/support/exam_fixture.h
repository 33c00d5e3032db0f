#pragma once

// A program folder for GUI tests: a small YAML bank compiled by the bank tool into a temporary
// folder beside an empty exam set and user question set, the folder made current, the settings
// file removed, and the program's windows created.
//
//     ExamFixture fx;
//     QVERIFY2(fx.setUp(), qPrintable(fx.error()));   // the default bank
//     ... TestForm, NameForm ... are the real windows ...
//     fx.tearDown();
//
// The exam helpers drive the real welcome panel, name dialog and choice labels; the exam
// window must be shown (showExamWindow) for the clicks to land.

#include "support/scripted_dialogs.h"

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

namespace app {
class Forms;
}

class QWidget;

namespace testsupport {

// The exam kinds of the welcome panel, in its order.
enum class ExamKind { A, B, C, D, E, F, G, AllQuestions, Random, User };

// What the name dialog is given: the name and minutes are typed over what it shows; a count
// above 0 is typed into the question count (Random Exam only).
struct NameEntry {
    QString name = QStringLiteral("Your Name");
    int minutes = 90;
    int count = 0;
    bool ok = true;
};

class ExamFixture {
public:
    ExamFixture();
    ~ExamFixture();

    // One question of the bank's YAML source: exam "A".."G" or "none", two choices (a correct)
    // and text "Question <id>".
    static QByteArray questionYaml(int id, const QString& exam, int section = 1);
    // The default bank: exam A..G with 2, 3, 1, 2, 3, 1, 2 questions (ids 1..14, in exam order),
    // then one question in no exam (id 15).
    static QByteArray defaultBankYaml();
    static int defaultCount(int examN);             // questions of exam 1..7 in the default bank
    static constexpr int DefaultExamQuestions = 14; // Q_EXAM_N <> 0
    static constexpr int DefaultBankSize = 15;
    // `count` questions of one exam, ids first .. first + count - 1, sections 1 + id % 7.
    static QByteArray examYaml(const QString& exam, int count, int first = 1);

    // Compiles `yaml` and creates the forms; false with error() on failure. May be called again
    // to start over with a fresh folder.
    bool setUp(const QByteArray& yaml = defaultBankYaml());
    // Destroys the forms, removes the settings file and returns to the previous folder.
    void tearDown();

    // Destroys and creates the forms again over the same folder, as a restart of the program.
    void restart();

    QString error() const { return error_; }
    QString folder() const;
    QString path(const QString& name) const;

    // Replaces the user question set's records (each maps field names to values) through the
    // exam window's table settings; Q_ID is numbered by the table. Then deletes the records
    // whose Q_ID is in `removeIds`, leaving gaps. The forms must not hold the table open.
    void writeUserSet(const QList<QVariantMap>& records, const QList<int>& removeIds = {});

    // The exam window shown (not maximized, at `size` when given) and exposed.
    static bool showExamWindow(QSize size = QSize());
    static QWidget* welcomeButton(ExamKind kind);
    // Works the name dialog: types the entry and presses OK or Cancel.
    static ScriptedDialogs::DialogDriver nameDialog(const NameEntry& entry);
    // Queues the name dialog on `script` and clicks the kind's welcome button. Whatever else the
    // launch asks must be queued by the caller after this.
    static void launch(ScriptedDialogs& script, ExamKind kind, const NameEntry& entry = {});
    // launch() under a script of its own; true when the exam is in testing mode on item 1.
    static bool startExam(ExamKind kind, const NameEntry& entry = {});
    // Clicks the current item's choice labels, one per letter ("ac"), as the candidate does.
    static void answer(const QString& letters);
    // Clicks Next Item.
    static void next();
    // Moves the exam set to the item copied from question `id`; false when it was not drawn.
    static bool goToQuestion(int id);

private:
    bool fail(const QString& message);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<app::Forms> forms_;
    QString before_;
    QString error_;
};

} // namespace testsupport
