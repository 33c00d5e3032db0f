#include "support/exam_fixture.h"

#include "app/startup.h"
#include "bank/tool/bank_tables.h"
#include "bank/tool/cli.h"
#include "data/exam_tables.h"
#include "data/fields.h"
#include "exam/name_form.h"
#include "settings/settings_store.h"
#include "store/table.h"
#include "ui/exam/question_controls.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"
#include "widgets/shape_button.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTextStream>

namespace testsupport {

namespace {

constexpr int kPerExam[7] = {2, 3, 1, 2, 3, 1, 2};

} // namespace

ExamFixture::ExamFixture() = default;

ExamFixture::~ExamFixture() {
    tearDown();
}

QByteArray ExamFixture::questionYaml(int id, const QString& exam, int section) {
    return QStringLiteral("- id: %1\n"
                          "  exam: %2\n"
                          "  section: %3\n"
                          "  type: single\n"
                          "  text: Question %1\n"
                          "  choices:\n"
                          "    a: Right %1\n"
                          "    b: Wrong %1\n"
                          "  answer: a\n"
                          "  explanation: Because %1.\n\n")
        .arg(id)
        .arg(exam)
        .arg(section)
        .toUtf8();
}

QByteArray ExamFixture::defaultBankYaml() {
    QByteArray yaml;
    int id = 0;
    for (int exam = 0; exam < 7; ++exam)
        for (int i = 0; i < kPerExam[exam]; ++i) {
            ++id;
            yaml += questionYaml(id, QString(QChar(u'A' + exam)), 1 + id % 7);
        }
    yaml += questionYaml(++id, QStringLiteral("none"), 1);
    return yaml;
}

QByteArray ExamFixture::examYaml(const QString& exam, int count, int first) {
    QByteArray yaml;
    for (int id = first; id < first + count; ++id)
        yaml += questionYaml(id, exam, 1 + id % 7);
    return yaml;
}

int ExamFixture::defaultCount(int examN) {
    return examN >= 1 && examN <= 7 ? kPerExam[examN - 1] : 0;
}

QString ExamFixture::folder() const {
    return dir_ ? dir_->path() : QString();
}

QString ExamFixture::path(const QString& name) const {
    return dir_ ? dir_->filePath(name) : QString();
}

bool ExamFixture::fail(const QString& message) {
    error_ = message;
    return false;
}

bool ExamFixture::setUp(const QByteArray& yaml) {
    tearDown();
    error_.clear();
    QStandardPaths::setTestModeEnabled(true);
    dir_ = std::make_unique<QTemporaryDir>();
    if (!dir_->isValid())
        return fail(QStringLiteral("no temporary folder"));

    const QString source = path(QStringLiteral("bank.yaml"));
    QFile f(source);
    if (!f.open(QIODevice::WriteOnly) || f.write(yaml) != yaml.size())
        return fail(QStringLiteral("cannot write ") + source);
    f.close();

    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = bank::runBankTool(
        {QStringLiteral("compile"), source, QStringLiteral("-o"), path(data::QuestionBankFile)}, o,
        e);
    e.flush();
    if (code != 0)
        return fail(QStringLiteral("bank tool: ") + err);
    bank::createEmptyTable(bank::TableKind::ExamSet, path(data::ExamSetFile));
    bank::createEmptyTable(bank::TableKind::UserSet, path(data::UserSetFile));

    before_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    QFile::remove(settings::SettingsStore::defaultFilePath());
    forms_ = app::createForms();
    // Start-up makes the executable's folder current; the fixture's folder stands in for it.
    QDir::setCurrent(dir_->path());
    return true;
}

void ExamFixture::tearDown() {
    if (!forms_ && before_.isEmpty())
        return;
    forms_.reset();
    QFile::remove(settings::SettingsStore::defaultFilePath());
    if (!before_.isEmpty())
        QDir::setCurrent(before_);
    before_.clear();
}

void ExamFixture::restart() {
    if (!forms_)
        return;
    forms_.reset();
    forms_ = app::createForms();
    QDir::setCurrent(dir_->path());
}

bool ExamFixture::showExamWindow(QSize size) {
    TTestForm& f = *TestForm;
    if (size.isValid()) {
        f.setWindowState(Qt::WindowNoState);
        f.resize(size);
    }
    f.show();
    return QTest::qWaitForWindowExposed(&f);
}

QWidget* ExamFixture::welcomeButton(ExamKind kind) {
    TTestForm& f = *TestForm;
    widgets::ShapeButton* const buttons[] = {
        f.fcShapeBtn1, f.fcShapeBtn2, f.fcShapeBtn3, f.fcShapeBtn4, f.fcShapeBtn5,
        f.fcShapeBtn6, f.fcShapeBtn7, f.AllQBtn,     f.RandomBtn,   f.UserBtn};
    return buttons[int(kind)];
}

ScriptedDialogs::DialogDriver ExamFixture::nameDialog(const NameEntry& entry) {
    return [entry](QDialog*) {
        TNameForm* d = NameForm;
        const auto retype = [](QWidget* w, const QString& text) {
            w->setFocus();
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->selectAll();
            else if (auto* spin = qobject_cast<QSpinBox*>(w))
                spin->selectAll();
            QTest::keyClick(w, Qt::Key_Backspace);
            QTest::keyClicks(w, text);
        };
        retype(d->NameEdit, entry.name);
        retype(d->SpinEdit1, QString::number(entry.minutes));
        if (entry.count > 0)
            retype(d->SpinEdit2, QString::number(entry.count));
        QTest::mouseClick(entry.ok ? d->BitBtn1 : d->BitBtn2, Qt::LeftButton);
    };
}

void ExamFixture::launch(ScriptedDialogs& script, ExamKind kind, const NameEntry& entry) {
    script.expectModal(QStringLiteral("TNameForm"), nameDialog(entry));
    QWidget* button = welcomeButton(kind);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

bool ExamFixture::startExam(ExamKind kind, const NameEntry& entry) {
    ScriptedDialogs script;
    launch(script, kind, entry);
    if (!script.done())
        qWarning("%s", qPrintable(script.report()));
    return script.done() && TestForm->ExamMode == palvexa::TestingMode &&
           TestForm->dtCurrentSet.recNo() == 1;
}

void ExamFixture::answer(const QString& letters) {
    for (QChar c : letters)
        QTest::mouseClick(examview::choiceLabel(*TestForm, c.unicode() - u'a' + 1), Qt::LeftButton);
}

void ExamFixture::next() {
    QTest::mouseClick(TestForm->NextButton, Qt::LeftButton);
}

bool ExamFixture::goToQuestion(int id) {
    store::Table& t = TestForm->dtCurrentSet;
    for (t.first(); !t.eof(); t.next())
        if (t.asInteger(data::Q_OR_NUMBER) == id)
            return true;
    return false;
}

void ExamFixture::writeUserSet(const QList<QVariantMap>& records, const QList<int>& removeIds) {
    store::Session session(data::SessionName + QStringLiteral("Fixture"));
    session.addPassword(data::SessionPassword);
    store::Table table(session);
    data::configureUserSet(table);
    table.setFileName(path(data::UserSetFile));
    table.emptyTable();
    table.open();
    for (const QVariantMap& r : records) {
        table.append();
        for (auto it = r.begin(); it != r.end(); ++it)
            table.setValue(it.key(), it.value());
        table.post();
    }
    for (int id : removeIds)
        if (table.findKey(id))
            table.remove();
    table.close();
}

} // namespace testsupport
