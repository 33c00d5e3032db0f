#pragma once

// The bank tool's side of the three table files: compile a bank into its table, read any of
// the three back, create the empty ones.

#include "bank/tool/question.h"

#include <QStringList>
#include <QVariant>
#include <functional>

namespace bank {

enum class TableKind { Bank, ExamSet, UserSet, Other };

struct TableContents {
    TableKind kind = TableKind::Other;
    QStringList fields;          // as the table names them, in the table's order
    QList<QVariantList> records; // in record order (Q_ID order where the table has Q_ID)
    QVariant value(int record, const QString& field) const; // case-insensitive; null if absent
};

// Writes questions (in Q_ID order) into a new encrypted bank at outFile, keeping the notes of
// an existing outFile. The new bank is built under a temporary name and only then replaces
// outFile, after beforeReplace (which may throw) has run; on any error outFile is untouched.
// Returns the ids whose notes had no question left to go to. Throws palvexa::Error.
QList<int> compileBank(const QList<Question>& questions, const QString& outFile,
                       const std::function<void()>& beforeReplace = {});

TableContents readTable(const QString& file); // throws palvexa::Error
// Bank records as questions (source position left empty).
QList<Question> questionsOf(const TableContents& table);

// Creates the empty table when file does not exist; true when it did so.
bool createEmptyTable(TableKind kind, const QString& file);

// YAML of a table: question keys for the three question tables (compile reads the bank's back),
// or with raw, one mapping per record keyed by the table's own field names.
QString exportYaml(const TableContents& table);
QString exportRawYaml(const TableContents& table);

} // namespace bank
