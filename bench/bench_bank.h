#pragma once

// The benchmarks' question bank: realistic text lengths, the same questions on every run.

#include "store/table.h"

#include <QString>

namespace bench {

// Replaces `file` with a bank of `count` questions (Q_ID 1..count), encrypted with the session
// password or plain, written through the store in one transaction.
void writeBenchBank(store::Session& session, const QString& file, int count, bool encrypted);

} // namespace bench
