#pragma once

// The state of the exam in progress, apart from the exam set and the answer sheet.

#include <QString>
#include <cstdint>

namespace palvexa {

// Exam mode codes; no other value is ever stored.
enum ExamMode : std::int32_t {
    IdleMode = 0,    // no exam, or an exam set being built
    TestingMode = 1, // clicks are recorded
    ReviewMode = 3   // graded; nothing can be changed
};

struct ExamState {
    std::int32_t examMode = IdleMode;
    QString examTitle;
    QString candidateName;
    std::int32_t itemCount = 0;
    std::int32_t firstItemNumber = 0;
    double timeLimit = 0.0;   // in days
    double elapsedTime = 0.0; // in days
};

// The time limit as stored: minutes / 1440.
inline double minutesToDays(int minutes) {
    return minutes / 1440.0;
}

// num / den rounded to the nearest integer, halves to the even neighbour. den must be > 0.
std::int64_t roundHalfEven(std::int64_t num, std::int64_t den);

// Remaining time as "H:MM:SS" (no leading zero on hours, any locale); negative reads 0:00:00.
QString formatHms(std::int64_t seconds);

// Left edge of the first of `count` buttons of width `buttonWidth`, 6 pixels apart, centred in
// `windowWidth`: (windowWidth - count * buttonWidth - (count - 1) * 6) / 2, halves to even.
int centeredButtonsLeft(int windowWidth, int buttonWidth, int count);

} // namespace palvexa
