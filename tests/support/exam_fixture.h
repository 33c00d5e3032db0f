#pragma once

// A program folder for GUI tests: a small YAML bank compiled by the bank tool into a temporary
// folder beside an empty exam set and user question set, the folder made current, the settings
// file removed, and the program's windows created.
//
//     ExamFixture fx;
//     QVERIFY2(fx.setUp(), qPrintable(fx.error()));   // the default bank
//     ... TestForm, NameForm ... are the real windows ...
//     fx.tearDown();

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QVariantMap>
#include <memory>

namespace app {
class Forms;
}

namespace testsupport {

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

    // Compiles `yaml` and creates the forms; false with error() on failure. May be called again
    // to start over with a fresh folder.
    bool setUp(const QByteArray& yaml = defaultBankYaml());
    // Destroys the forms, removes the settings file and returns to the previous folder.
    void tearDown();

    QString error() const { return error_; }
    QString folder() const;
    QString path(const QString& name) const;

    // Replaces the user question set's records (each maps field names to values) through the
    // exam window's table settings; Q_ID is numbered by the table. Then deletes the records
    // whose Q_ID is in `removeIds`, leaving gaps. The forms must not hold the table open.
    void writeUserSet(const QList<QVariantMap>& records, const QList<int>& removeIds = {});

private:
    bool fail(const QString& message);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<app::Forms> forms_;
    QString before_;
    QString error_;
};

} // namespace testsupport
