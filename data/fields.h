#pragma once

// Field names of the three question tables, their schemas, files and the session's password.

#include "store/table.h"

#include <QString>

namespace data {

inline const QString Q_ID = QStringLiteral("Q_ID");
inline const QString Q_EXAM_N = QStringLiteral("Q_EXAM_N");
inline const QString Q_SECT = QStringLiteral("Q_SECT");
inline const QString Q_TEXT = QStringLiteral("Q_TEXT");
inline const QString Q_EXPL = QStringLiteral("Q_EXPL");
inline const QString Q_TYPE = QStringLiteral("Q_TYPE");
inline const QString Q1 = QStringLiteral("Q1");
inline const QString Q2 = QStringLiteral("Q2");
inline const QString Q3 = QStringLiteral("Q3");
inline const QString Q4 = QStringLiteral("Q4");
inline const QString Q5 = QStringLiteral("Q5");
inline const QString Q6 = QStringLiteral("Q6");
inline const QString A1 = QStringLiteral("A1");
inline const QString A2 = QStringLiteral("A2");
inline const QString A3 = QStringLiteral("A3");
inline const QString A4 = QStringLiteral("A4");
inline const QString A5 = QStringLiteral("A5");
inline const QString A6 = QStringLiteral("A6");
inline const QString Q_SIM = QStringLiteral("Q_SIM");
inline const QString PICT1 = QStringLiteral("PICT1");
inline const QString PICT2 = QStringLiteral("PICT2");
inline const QString Q_OR_NUMBER = QStringLiteral("Q_OR_NUMBER");
inline const QString U_MEMO = QStringLiteral("U_MEMO");

// Choice texts a..f and their correct flags, by choice index 0..5.
QString choiceField(int index); // Q1..Q6
QString answerField(int index); // A1..A6

inline const QString QuestionBankFile = QStringLiteral("velmora.DAT");
inline const QString ExamSetFile = QStringLiteral("ces.DAT");
inline const QString UserSetFile = QStringLiteral("velmorausr.DAT");

inline const QString SessionName = QStringLiteral("Orvenda");
inline const QString SessionPassword = QStringLiteral("Harborlight7261");

inline constexpr int LockRetryCount = 15;
inline constexpr int LockRetryWaitMs = 100;

// Question bank: keyed on Q_ID (1..N), every field but Q_OR_NUMBER.
store::Schema questionBankSchema();
// Exam set: no key, records in the order they were appended; Q_OR_NUMBER instead of Q_ID.
store::Schema examSetSchema();
// User question set: AutoInc Q_ID; no Q_EXAM_N, Q_SIM, PICT1, PICT2.
store::Schema userSetSchema();

} // namespace data
