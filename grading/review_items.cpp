#include "grading/review_items.h"

#include <algorithm>

namespace palvexa {

QString chosenLetters(const AnswerEntry& entry) {
    QString letters;
    for (int i = 0; i < int(entry.choice.size()); ++i) {
        if (entry.choice[i])
            letters += QChar(u'A' + i);
    }
    return letters;
}

QString reviewCaption(int itemNumber, const AnswerEntry& entry) {
    return QString::number(itemNumber) + QStringLiteral("  ") + chosenLetters(entry);
}

int stateImage(const AnswerEntry& entry) {
    if (entry.mark)
        return MarkedImage;
    const bool answered =
        std::any_of(entry.choice.begin(), entry.choice.end(), [](bool chosen) { return chosen; });
    return answered ? CompleteImage : IncompleteImage;
}

int resultImage(const AnswerEntry& entry) {
    return entry.correct ? CorrectImage : IncorrectImage;
}

} // namespace palvexa
