#pragma once

// Writes a question bank file from records, each mapping field names to values: the bank tool's
// compile step, the test fixtures and the benchmarks all write their banks through it.

#include <QList>
#include <QString>
#include <QVariantMap>

namespace data {

// Replaces `fileName` with a bank encrypted with the session password holding `records` in
// order; a record without Q_ID gets its position (1-based), keeping the ids 1..N.
void writeQuestionBank(const QString& fileName, const QList<QVariantMap>& records);

} // namespace data
