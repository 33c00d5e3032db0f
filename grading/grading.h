#pragma once

// Grading: the overall score and the section tallies, computed from the answer sheet alone.

#include "exam/answer_sheet.h"

#include <QString>
#include <QStringList>
#include <array>

namespace palvexa {

constexpr int PassingScore = 850;
constexpr int ScoreScale = 1000;
constexpr int SectionCount = 7;

// The seven section titles; section k (1..7) is element k - 1.
const QStringList& SectionNames();
// The title of section k, or an empty text outside 1..7.
QString sectionName(int section);

struct TotalScore {
    int items = 0;      // N
    int correct = 0;    // C
    double score = 0.0; // S = 1000 * C / N, unrounded (0 when N is 0)
    int shownScore = 0; // S rounded, halves to even
    bool passed = false;
};

// With no items the score is 0 and the grade "Fail"; nothing is divided.
TotalScore totalScore(const AnswerSheet& sheet);

struct SectionTally {
    int items = 0;
    int correct = 0;
    int percentage = 0; // 100 * correct / items, halves to even; 0 when either count is 0
};

// Element k - 1 is section k. Entries outside 1..7 count in no section.
std::array<SectionTally, SectionCount> sectionTallies(const AnswerSheet& sheet);

QString gradeText(bool passed); // "Pass" / "Fail"

// candidate + ",  Palvexa,  " + exam title
QString titleLine(const QString& candidateName, const QString& examTitle);
// "Passing Score: 850   Your Score: 933   Grade: Pass"
QString scoreLine(const TotalScore& total);
// "Connectivity (4/6) ", closing space included
QString sectionBarLabel(int section, const SectionTally& tally);

} // namespace palvexa
