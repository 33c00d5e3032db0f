#include "bank/tool/bank_tables.h"

#include "bank/tool/yaml_writer.h"
#include "data/bank_writer.h"
#include "data/exam_tables.h"
#include "data/fields.h"
#include "platform/error.h"
#include "store/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>
#include <filesystem>

namespace bank {

namespace {

store::Session& session() {
    static store::Session s(data::SessionName);
    static const bool registered = (s.addPassword(data::SessionPassword), true);
    Q_UNUSED(registered);
    return s;
}

using data::answerField;
using data::choiceField;

void removeDatabaseFiles(const QString& file) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(file + suffix);
}

// A free name beside target for building the new file.
QString temporaryNameBeside(const QString& target) {
    const QFileInfo info(target);
    QTemporaryFile reserve(info.absolutePath() + "/." + info.fileName() + ".XXXXXX");
    if (!reserve.open())
        throw palvexa::Error(QStringLiteral("Cannot create a file in %1: %2")
                                 .arg(info.absolutePath(), reserve.errorString()));
    return reserve.fileName(); // removed again when reserve goes; the store creates it anew
}

QHash<int, QString> notesOf(const QString& file) {
    QHash<int, QString> notes;
    const TableContents old = readTable(file);
    if (old.kind != TableKind::Bank)
        throw palvexa::Error(
            QStringLiteral("%1 is not a question bank; not replacing it").arg(file));
    for (int r = 0; r < old.records.size(); ++r) {
        const QString note = old.value(r, data::U_MEMO).toString();
        if (!note.isEmpty())
            notes.insert(old.value(r, data::Q_ID).toInt(), note);
    }
    return notes;
}

} // namespace

QVariant TableContents::value(int record, const QString& field) const {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].compare(field, Qt::CaseInsensitive) == 0)
            return records[record].value(i);
    }
    return {};
}

QList<int> compileBank(const QList<Question>& questions, const QString& outFile,
                       const std::function<void()>& beforeReplace) {
    QHash<int, QString> notes;
    if (QFileInfo::exists(outFile))
        notes = notesOf(outFile);

    QDir().mkpath(QFileInfo(outFile).absolutePath());
    const QString temp = temporaryNameBeside(outFile);
    removeDatabaseFiles(temp);
    try {
        QList<QVariantMap> records;
        records.reserve(questions.size());
        for (const Question& q : questions) {
            QVariantMap r{
                {data::Q_ID, q.id},     {data::Q_EXAM_N, q.examN},     {data::Q_SECT, q.section},
                {data::Q_TEXT, q.text}, {data::Q_EXPL, q.explanation}, {data::Q_TYPE, q.multiple},
                {data::Q_SIM, q.sim},   {data::PICT1, q.exhibit},      {data::PICT2, q.exhibit2}};
            for (int i = 0; i < kChoiceCount; ++i) {
                r.insert(choiceField(i), q.choices[i]);
                r.insert(answerField(i), q.answers[i]);
            }
            // The user's note in the old bank wins over the one in the source.
            const QString kept = notes.take(q.id);
            r.insert(data::U_MEMO, kept.isEmpty() ? q.note : kept);
            records.append(r);
        }
        data::writeQuestionBank(temp, records);
        if (beforeReplace)
            beforeReplace();
        std::error_code error;
        std::filesystem::rename(temp.toStdString(), outFile.toStdString(), error);
        if (error)
            throw palvexa::Error(QStringLiteral("Cannot replace %1: %2")
                                     .arg(outFile, QString::fromStdString(error.message())));
    } catch (...) {
        removeDatabaseFiles(temp);
        throw;
    }
    QList<int> orphans = notes.keys();
    std::sort(orphans.begin(), orphans.end());
    return orphans;
}

TableContents readTable(const QString& file) {
    if (!QFileInfo(file).isFile())
        throw palvexa::Error(QStringLiteral("%1 does not exist").arg(file));
    store::Table table(session());
    table.setFileName(QFileInfo(file).absoluteFilePath());
    table.open();
    TableContents contents;
    contents.fields = table.fieldNames();
    const auto has = [&](const QString& f) { return table.hasField(f); };
    if (has(data::Q_OR_NUMBER))
        contents.kind = TableKind::ExamSet;
    else if (has(data::Q_ID) && has(data::Q_EXAM_N))
        contents.kind = TableKind::Bank;
    else if (has(data::Q_ID) && has(data::Q_TEXT))
        contents.kind = TableKind::UserSet;
    if (has(data::Q_ID)) {
        // The order the program reads these tables in.
        table.close();
        table.setIndexField(data::Q_ID);
        table.open();
    }
    for (table.first(); !table.eof(); table.next()) {
        QVariantList record;
        for (const QString& field : contents.fields)
            record.append(table.value(field));
        contents.records.append(record);
    }
    table.close();
    return contents;
}

QList<Question> questionsOf(const TableContents& table) {
    QList<Question> questions;
    for (int r = 0; r < table.records.size(); ++r) {
        const auto text = [&](const QString& f) { return table.value(r, f).toString(); };
        Question q;
        q.id = table.value(r, data::Q_ID).toInt();
        q.examN = table.value(r, data::Q_EXAM_N).toInt();
        q.section = table.value(r, data::Q_SECT).toInt();
        q.multiple = table.value(r, data::Q_TYPE).toBool();
        q.text = text(data::Q_TEXT);
        q.explanation = text(data::Q_EXPL);
        for (int i = 0; i < kChoiceCount; ++i) {
            q.choices[i] = text(choiceField(i));
            q.answers[i] = table.value(r, answerField(i)).toBool();
        }
        q.exhibit = text(data::PICT1);
        q.exhibit2 = text(data::PICT2);
        q.sim = text(data::Q_SIM);
        q.note = text(data::U_MEMO);
        questions.append(q);
    }
    return questions;
}

bool createEmptyTable(TableKind kind, const QString& file) {
    if (QFileInfo::exists(file))
        return false;
    store::Table table(session());
    // The same settings the program creates these tables with.
    switch (kind) {
    case TableKind::ExamSet:
        table.setSchema(data::examSetSchema());
        table.setEncryptWith(data::SessionPassword);
        break;
    case TableKind::UserSet:
        data::configureUserSet(table);
        break;
    default:
        throw palvexa::Error("Only the exam set and the user question set can be created empty");
    }
    QDir().mkpath(QFileInfo(file).absolutePath());
    table.setFileName(QFileInfo(file).absoluteFilePath());
    table.open();
    table.close();
    return true;
}

namespace {

void writeQuestionBody(YamlWriter& w, const TableContents& table, int r) {
    const auto text = [&](const QString& f) { return table.value(r, f).toString(); };
    w.integer("section", table.value(r, data::Q_SECT).toInt());
    w.scalar("type", table.value(r, data::Q_TYPE).toBool() ? "multiple" : "single");
    w.scalar("text", text(data::Q_TEXT));
    w.beginMap("choices");
    QStringList correct;
    for (int i = 0; i < kChoiceCount; ++i) {
        // An empty choice is left out; its letter stays free.
        if (!text(choiceField(i)).isEmpty())
            w.scalar(choiceLetter(i), text(choiceField(i)));
        if (table.value(r, answerField(i)).toBool())
            correct << choiceLetter(i);
    }
    w.endMap();
    if (correct.size() == 1 && !table.value(r, data::Q_TYPE).toBool())
        w.scalar("answer", correct.first());
    else
        w.letters("answer", correct);
    w.scalar("explanation", text(data::Q_EXPL));
    for (const auto& [key, field] : {std::pair{"exhibit", data::PICT1},
                                     {"exhibit2", data::PICT2},
                                     {"sim", data::Q_SIM},
                                     {"note", data::U_MEMO}}) {
        if (table.value(r, field).isValid() && !text(field).isEmpty())
            w.scalar(key, text(field));
    }
}

} // namespace

QString exportYaml(const TableContents& table) {
    YamlWriter w;
    switch (table.kind) {
    case TableKind::Bank:
        w.comment("Question bank; compiles back with palvexa-bank compile.");
        break;
    case TableKind::ExamSet:
        w.comment("Exam set: the items in presentation order; source_id is the Q_ID the item");
        w.comment("was copied from (Q_OR_NUMBER). A User Exam's items carry no exam.");
        break;
    case TableKind::UserSet:
        w.comment("User question set (the Test Sampler's questions).");
        break;
    case TableKind::Other:
        throw palvexa::Error("This table holds no questions; use export --raw");
    }
    for (int r = 0; r < table.records.size(); ++r) {
        w.blankLine();
        w.beginItem();
        if (table.kind == TableKind::ExamSet) {
            w.integer("item", r + 1);
            w.value("source_id", table.value(r, data::Q_OR_NUMBER));
        } else {
            w.integer("id", table.value(r, data::Q_ID).toInt());
        }
        if (table.kind != TableKind::UserSet) {
            const QVariant exam = table.value(r, data::Q_EXAM_N);
            if (!exam.isNull() || table.kind == TableKind::Bank)
                w.scalar("exam", examLetter(exam.toInt()));
        }
        writeQuestionBody(w, table, r);
    }
    return w.text();
}

QString exportRawYaml(const TableContents& table) {
    YamlWriter w;
    for (const QVariantList& record : table.records) {
        w.beginItem();
        for (int i = 0; i < table.fields.size(); ++i)
            w.value(table.fields[i], record.value(i));
    }
    if (table.records.isEmpty())
        return "[]\n";
    return w.text();
}

} // namespace bank
