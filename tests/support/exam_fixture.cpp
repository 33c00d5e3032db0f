#include "support/exam_fixture.h"

#include "app/startup.h"
#include "bank/tool/bank_tables.h"
#include "bank/tool/cli.h"
#include "data/exam_tables.h"
#include "data/fields.h"
#include "settings/settings_store.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
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
