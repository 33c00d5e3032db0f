#pragma once

// The exam window's choice controls by choice number, and the small steps the question view and
// the answering handlers share.

#include "exam/answer_sheet.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class TTestForm;

namespace examview {

// Choice n, 1..6 (a..f).
QLabel* choiceLabel(const TTestForm& f, int n);
QRadioButton* choiceRadio(const TTestForm& f, int n);
QCheckBox* choiceCheck(const TTestForm& f, int n);
int choiceOf(const TTestForm& f, const QLabel* label); // 0 for no choice label

// The answer sheet entry of the exam set's current record; nullptr when the sheet has none.
palvexa::AnswerEntry* currentEntry(const TTestForm& f);

// Sets the six radio buttons from the entry's choice flags. Checking one runs its click handler
// as a candidate's click does; unchecking runs none.
void setRadios(const TTestForm& f, const palvexa::AnswerEntry& entry);

// Width of the question area, also while it is hidden.
int questionAreaWidth(const TTestForm& f);
// Sizes the area's widget to the viewport's width and to the lowest control shown, and keeps
// the controls that span or follow its width in place.
void fitQuestionArea(TTestForm& f);

} // namespace examview
