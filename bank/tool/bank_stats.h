#pragma once

#include "bank/tool/question.h"

namespace bank {

// A readable summary of a bank: counts by exam, section and type, the spread of the correct
// letters, the share of multiple-response items and the exhibits used.
QString bankStats(const QList<Question>& questions);

} // namespace bank
