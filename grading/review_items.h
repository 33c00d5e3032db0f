#pragma once

// What the items review shows for an item, from its answer-sheet entry alone.

#include "exam/answer_sheet.h"

#include <QString>

namespace palvexa {

// Images of the items review, by their place in its image list.
enum ReviewImage : int {
    IncompleteImage = 0, // red exclamation mark
    CompleteImage = 1,   // blue check mark
    MarkedImage = 2,     // red M
    IncorrectImage = 3,  // red cross
    CorrectImage = CompleteImage,
    ReviewImageCount = 4
};

// The letters of the chosen choices, A to F in order, upper case, no separators.
QString chosenLetters(const AnswerEntry& entry);
// item number + two spaces + the chosen letters ("3  BD", "5  ").
QString reviewCaption(int itemNumber, const AnswerEntry& entry);
// While testing: incomplete or complete by the choices; a mark outranks both.
int stateImage(const AnswerEntry& entry);
// After grading: correct or incorrect; the mark is not looked at.
int resultImage(const AnswerEntry& entry);

} // namespace palvexa
