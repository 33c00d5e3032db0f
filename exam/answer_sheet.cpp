#include "exam/answer_sheet.h"

#include "data/fields.h"
#include "platform/error.h"
#include "store/table.h"

namespace palvexa {

AnswerSheet& answerSheet() {
    static AnswerSheet sheet;
    return sheet;
}

void InitAnswerSheet(store::Table& examSet) {
    AnswerSheet& sheet = answerSheet();
    examSet.first();
    sheet.assign(std::size_t(examSet.recordCount()), AnswerEntry{});
    while (!examSet.eof()) {
        const int recNo = examSet.recNo();
        // The exam set is unfiltered, so its record numbers run 1..count; anything else would
        // write outside the sheet.
        if (recNo < 1 || std::size_t(recNo) > sheet.size())
            throw Error(QStringLiteral("Item %1 lies outside the answer sheet of %2 items.")
                            .arg(recNo)
                            .arg(sheet.size()));
        AnswerEntry& entry = sheet[std::size_t(recNo - 1)];
        entry = AnswerEntry{};
        entry.section = examSet.asInteger(data::Q_SECT);
        examSet.next();
    }
}

void UpdateCorrectFlag(AnswerEntry& entry, const bool correct[6]) {
    bool all = true;
    for (int i = 0; i < 6; ++i)
        all = all && entry.choice[std::size_t(i)] == correct[i];
    entry.correct = all;
}

void UpdateCorrectFlag(AnswerEntry& entry, const store::Table& examSet) {
    bool correct[6];
    for (int i = 0; i < 6; ++i)
        correct[i] = examSet.asBoolean(data::answerField(i));
    UpdateCorrectFlag(entry, correct);
}

} // namespace palvexa
