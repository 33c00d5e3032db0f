#include "exam/builders.h"

#include "data/exam_tables.h"
#include "data/fields.h"
#include "platform/error.h"
#include "store/table.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

namespace palvexa {

namespace {

enum class Kind { Integer, Boolean, Text };

struct FieldCopy {
    const QString* target;
    const QString* source;
    Kind kind;
};

// The bank's fields, in the order they are written into a new exam-set record.
const FieldCopy bankCopy[] = {
    {&data::Q_EXAM_N, &data::Q_EXAM_N, Kind::Integer},
    {&data::Q_SECT, &data::Q_SECT, Kind::Integer},
    {&data::Q_TEXT, &data::Q_TEXT, Kind::Text},
    {&data::Q_EXPL, &data::Q_EXPL, Kind::Text},
    {&data::Q_TYPE, &data::Q_TYPE, Kind::Boolean},
    {&data::Q1, &data::Q1, Kind::Text},
    {&data::Q2, &data::Q2, Kind::Text},
    {&data::Q3, &data::Q3, Kind::Text},
    {&data::Q4, &data::Q4, Kind::Text},
    {&data::Q5, &data::Q5, Kind::Text},
    {&data::Q6, &data::Q6, Kind::Text},
    {&data::Q_SIM, &data::Q_SIM, Kind::Text},
    {&data::A1, &data::A1, Kind::Boolean},
    {&data::A2, &data::A2, Kind::Boolean},
    {&data::A3, &data::A3, Kind::Boolean},
    {&data::A4, &data::A4, Kind::Boolean},
    {&data::A5, &data::A5, Kind::Boolean},
    {&data::A6, &data::A6, Kind::Boolean},
    {&data::PICT1, &data::PICT1, Kind::Text},
    {&data::PICT2, &data::PICT2, Kind::Text},
    {&data::Q_OR_NUMBER, &data::Q_ID, Kind::Integer},
    {&data::U_MEMO, &data::U_MEMO, Kind::Text},
};

// User questions carry no exam number, simulation or exhibits.
const FieldCopy userCopy[] = {
    {&data::Q_SECT, &data::Q_SECT, Kind::Integer},
    {&data::Q_TEXT, &data::Q_TEXT, Kind::Text},
    {&data::Q_EXPL, &data::Q_EXPL, Kind::Text},
    {&data::Q_TYPE, &data::Q_TYPE, Kind::Boolean},
    {&data::Q1, &data::Q1, Kind::Text},
    {&data::Q2, &data::Q2, Kind::Text},
    {&data::Q3, &data::Q3, Kind::Text},
    {&data::Q4, &data::Q4, Kind::Text},
    {&data::Q5, &data::Q5, Kind::Text},
    {&data::Q6, &data::Q6, Kind::Text},
    {&data::A1, &data::A1, Kind::Boolean},
    {&data::A2, &data::A2, Kind::Boolean},
    {&data::A3, &data::A3, Kind::Boolean},
    {&data::A4, &data::A4, Kind::Boolean},
    {&data::A5, &data::A5, Kind::Boolean},
    {&data::A6, &data::A6, Kind::Boolean},
    {&data::Q_OR_NUMBER, &data::Q_ID, Kind::Integer},
    {&data::U_MEMO, &data::U_MEMO, Kind::Text},
};

template <std::size_t n>
void copyFields(const FieldCopy (&fields)[n], const store::Table& from, store::Table& to) {
    for (const FieldCopy& f : fields) {
        const QString& target = *f.target;
        const QString& source = *f.source;
        switch (f.kind) {
        case Kind::Integer:
            to.setInteger(target, from.asInteger(source));
            break;
        case Kind::Boolean:
            to.setBoolean(target, from.asBoolean(source));
            break;
        case Kind::Text:
            to.setText(target, from.asText(source));
            break;
        }
    }
}

// Closes the progress window however the build ends, so a failed build leaves none behind.
class ProgressScope {
public:
    ProgressScope(BuildProgress* progress, int max) : progress_(progress) {
        if (progress_)
            progress_->show(max);
    }
    ~ProgressScope() {
        if (progress_)
            progress_->close();
    }
    void position(int k) {
        if (progress_)
            progress_->position(k);
    }

private:
    BuildProgress* progress_;
};

// Holds one read of the source table across the build, so each record read costs no lock round
// trip of its own; ends however the build ends.
class ReadScope {
public:
    explicit ReadScope(store::Table& table) : table_(table) { table_.beginRead(); }
    ~ReadScope() {
        try {
            table_.endRead();
        } catch (...) {
        }
    }

private:
    store::Table& table_;
};

enum class Source { Bank, User };

// Without a count: every candidate.
void build(Source kind, store::Table& source, store::Table& examSet, std::optional<int> wanted,
           ExamState& state, BuildProgress* progress) {
    // Bank candidates are record numbers (equal to Q_ID there); user candidates are Q_ID values,
    // which may have gaps.
    ReadScope reading(source);
    std::vector<std::int32_t> candidates;
    candidates.reserve(std::size_t(std::max(0, source.recordCount())));
    source.first();
    while (!source.eof()) {
        candidates.push_back(kind == Source::Bank ? source.recNo() : source.asInteger(data::Q_ID));
        source.next();
    }
    const int n = int(candidates.size());
    const int count = wanted.value_or(n);
    if (wanted && (count < 1 || count > n))
        throw Error(QStringLiteral("The number of questions must be between 1 and %1.").arg(n));

    ProgressScope scope(progress, count);
    Rng& rng = sharedRng();
    rng.seed();
    const std::vector<std::int32_t> chosen = drawChosen(candidates, count, rng);

    examSet.setExclusive(true);
    examSet.emptyTable();
    if (!examSet.isOpen())
        examSet.open();

    examSet.beginTransaction();
    try {
        for (int k = 0; k < count; ++k) {
            // A miss would copy whatever record is current: a wrong item, so refuse it.
            if (!source.findKey(chosen[std::size_t(k)]))
                throw Error(QStringLiteral("Question %1 was not found in the question set.")
                                .arg(chosen[std::size_t(k)]));
            scope.position(k);
            examSet.append();
            if (kind == Source::Bank)
                copyFields(bankCopy, source, examSet);
            else
                copyFields(userCopy, source, examSet);
            examSet.post();
        }
        examSet.commit();
    } catch (...) {
        // Keep the original error; undo what can be undone.
        try {
            if (examSet.state() == store::State::Insert || examSet.state() == store::State::Edit)
                examSet.cancel();
        } catch (...) {
        }
        try {
            examSet.rollback();
        } catch (...) {
        }
        throw;
    }

    examSet.first();
    state.firstItemNumber = examSet.recNo();
    state.itemCount = examSet.recordCount();
}

} // namespace

std::vector<std::int32_t> drawChosen(const std::vector<std::int32_t>& candidates, int count,
                                     Rng& rng) {
    const std::int32_t n = std::int32_t(candidates.size());
    if (count < 0 || count > n)
        throw Error(QStringLiteral("Cannot pick %1 of %2 questions.").arg(count).arg(n));
    // A zero would match an unfilled slot and a repeated value could never be placed twice: with
    // either, drawing would never end.
    {
        std::unordered_set<std::int32_t> seen;
        seen.reserve(candidates.size());
        for (std::int32_t c : candidates)
            if (c == 0 || !seen.insert(c).second)
                throw Error(QStringLiteral("The question set holds an invalid or repeated "
                                           "question number (%1).")
                                .arg(c));
    }
    // Candidates are distinct, so "already chosen" is a flag per candidate index: the same
    // verdict as comparing with every slot of chosen, without the scan.
    std::vector<bool> taken(candidates.size(), false);
    std::vector<std::int32_t> chosen(std::size_t(count), 0);
    for (int k = 0; k < count; ++k) {
        std::int32_t r;
        do
            r = rng.below(n);
        while (taken[std::size_t(r)]);
        taken[std::size_t(r)] = true;
        chosen[std::size_t(k)] = candidates[std::size_t(r)];
    }
    return chosen;
}

void BuildShuffledSet(store::Table& bank, store::Table& examSet, ExamState& state,
                      BuildProgress* progress) {
    build(Source::Bank, bank, examSet, std::nullopt, state, progress);
}

void BuildRandomSet(store::Table& bank, store::Table& examSet, int count, ExamState& state,
                    BuildProgress* progress) {
    build(Source::Bank, bank, examSet, count, state, progress);
}

void BuildUserSet(store::Table& userSet, store::Table& examSet, ExamState& state,
                  BuildProgress* progress) {
    build(Source::User, userSet, examSet, std::nullopt, state, progress);
}

void BuildShuffledSet(data::ExamTables& tables, ExamState& state, BuildProgress* progress) {
    BuildShuffledSet(tables.dtQSet, tables.dtCurrentSet, state, progress);
}

void BuildRandomSet(data::ExamTables& tables, int count, ExamState& state,
                    BuildProgress* progress) {
    BuildRandomSet(tables.dtQSet, tables.dtCurrentSet, count, state, progress);
}

void BuildUserSet(data::ExamTables& tables, ExamState& state, BuildProgress* progress) {
    BuildUserSet(tables.dtUserSet, tables.dtCurrentSet, state, progress);
}

} // namespace palvexa
