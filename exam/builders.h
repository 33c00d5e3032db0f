#pragma once

// The exam-set builders: empty the exam set and refill it with the exam's questions in a random
// presentation order, item k + 1 being the question picked in pass k.

#include "exam/exam_state.h"
#include "exam/rng.h"

#include <cstdint>
#include <vector>

namespace store {
class Table;
}
namespace data {
class ExamTables;
}

namespace palvexa {

// What the progress window shows while a build copies records.
class BuildProgress {
public:
    virtual ~BuildProgress() = default;
    virtual void show(int max) = 0;
    virtual void position(int k) = 0; // records already copied
    virtual void close() = 0;
};

// Picks `count` distinct candidates in presentation order: draw an index below the number of
// candidates, redraw while that candidate was already picked. Candidates must be distinct and
// non-zero, and count within 0..candidates.size(); otherwise throws (the draw could never end).
std::vector<std::int32_t> drawChosen(const std::vector<std::int32_t>& candidates, int count,
                                     Rng& rng);

// Every question that passes the bank's filter. The bank is open with its filter on.
void BuildShuffledSet(store::Table& bank, store::Table& examSet, ExamState& state,
                      BuildProgress* progress = nullptr);

// `count` distinct questions of the filtered bank; count outside 1..N is refused.
void BuildRandomSet(store::Table& bank, store::Table& examSet, int count, ExamState& state,
                    BuildProgress* progress = nullptr);

// Every question of the user question set, which is open and not empty. Q_EXAM_N, Q_SIM, PICT1
// and PICT2 stay empty in the exam set.
void BuildUserSet(store::Table& userSet, store::Table& examSet, ExamState& state,
                  BuildProgress* progress = nullptr);

// The same over the exam window's tables: the bank (dtQSet) or the user question set
// (dtUserSet) into the exam set (dtCurrentSet).
void BuildShuffledSet(data::ExamTables& tables, ExamState& state,
                      BuildProgress* progress = nullptr);
void BuildRandomSet(data::ExamTables& tables, int count, ExamState& state,
                    BuildProgress* progress = nullptr);
void BuildUserSet(data::ExamTables& tables, ExamState& state, BuildProgress* progress = nullptr);

} // namespace palvexa
