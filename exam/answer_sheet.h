#pragma once

// The answer sheet: one entry per exam-set record, entry k - 1 for item k.

#include <array>
#include <cstdint>
#include <vector>

namespace store {
class Table;
}

namespace palvexa {

struct AnswerEntry {
    std::array<bool, 6> choice{}; // a..f selected by the candidate
    bool mark = false;
    bool correct = false;     // choice flags equal A1..A6; maintained by UpdateCorrectFlag
    std::int32_t section = 0; // Q_SECT of the item
};
static_assert(sizeof(AnswerEntry) == 12, "six choice flags, mark, correct, then a 32-bit section");

using AnswerSheet = std::vector<AnswerEntry>;

// The one process-wide answer sheet; empty until the first exam starts.
AnswerSheet& answerSheet();

// Resizes the sheet to the exam set's record count and resets every entry, taking each item's
// section from Q_SECT. Leaves the exam set after its last record.
void InitAnswerSheet(store::Table& examSet);

// Correct exactly when each of the six choice flags equals its correct-answer flag.
void UpdateCorrectFlag(AnswerEntry& entry, const bool correct[6]);
// The same against A1..A6 of the exam set's current record.
void UpdateCorrectFlag(AnswerEntry& entry, const store::Table& examSet);

} // namespace palvexa
