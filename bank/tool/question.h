#pragma once

// A question as the bank's source describes it, with where it was read from.

#include <QList>
#include <QString>
#include <array>

namespace bank {

inline constexpr int kChoiceCount = 6;
inline constexpr int kExamCount = 7;
inline constexpr int kSectionCount = 7;

struct Question {
    int id = 0;
    int examN = 0; // 0 = in no practice exam, 1..7 = A..G
    int section = 0;
    bool multiple = false;
    QString text;
    std::array<QString, kChoiceCount> choices;
    std::array<bool, kChoiceCount> answers{};
    QString explanation;
    QString exhibit;  // PICT1
    QString exhibit2; // PICT2
    QString sim;
    QString note; // U_MEMO

    // Source position, for messages.
    QString file;
    int line = 0;        // 1-based line of the question's first key
    int exhibitLine = 0; // line of the exhibit key
};

// One thing wrong with the source, located by file and line.
struct Problem {
    QString file;
    int line = 0;
    QString text;

    QString toString() const;
};

QChar choiceLetter(int index); // 0 -> 'a'
QString examLetter(int examN); // 0 -> "none", 1 -> "A"

} // namespace bank
