#include "grading/grading.h"

#include "exam/exam_state.h"

namespace palvexa {

const QStringList& SectionNames() {
    static const QStringList names = {
        QStringLiteral("Planning"),
        QStringLiteral("Installation and Configuration"),
        QStringLiteral("Managing Resources"),
        QStringLiteral("Connectivity"),
        QStringLiteral("Monitoring and Optimization"),
        QStringLiteral("Troubleshooting"),
        QStringLiteral("Running Applications"),
    };
    return names;
}

QString sectionName(int section) {
    if (section < 1 || section > SectionCount)
        return QString();
    return SectionNames().at(section - 1);
}

TotalScore totalScore(const AnswerSheet& sheet) {
    TotalScore t;
    t.items = int(sheet.size());
    for (const AnswerEntry& e : sheet)
        t.correct += e.correct ? 1 : 0;
    if (t.items == 0)
        return t;
    const std::int64_t scaled = std::int64_t(ScoreScale) * t.correct;
    t.score = double(scaled) / t.items;
    t.shownScore = int(roundHalfEven(scaled, t.items));
    // Decided on the exact quotient, not on the shown score.
    t.passed = scaled >= std::int64_t(PassingScore) * t.items;
    return t;
}

std::array<SectionTally, SectionCount> sectionTallies(const AnswerSheet& sheet) {
    std::array<SectionTally, SectionCount> tallies{};
    for (const AnswerEntry& e : sheet) {
        if (e.section < 1 || e.section > SectionCount)
            continue;
        SectionTally& t = tallies[std::size_t(e.section - 1)];
        ++t.items;
        t.correct += e.correct ? 1 : 0;
    }
    for (SectionTally& t : tallies)
        t.percentage =
            (t.items == 0 || t.correct == 0) ? 0 : int(roundHalfEven(100LL * t.correct, t.items));
    return tallies;
}

QString gradeText(bool passed) {
    return passed ? QStringLiteral("Pass") : QStringLiteral("Fail");
}

QString titleLine(const QString& candidateName, const QString& examTitle) {
    return candidateName + QStringLiteral(",  ") + QStringLiteral("Palvexa") +
           QStringLiteral(",  ") + examTitle;
}

QString scoreLine(const TotalScore& total) {
    return QStringLiteral("Passing Score: ") + QString::number(PassingScore) +
           QStringLiteral("   Your Score: ") + QString::number(total.shownScore) +
           QStringLiteral("   Grade: ") + gradeText(total.passed);
}

QString sectionBarLabel(int section, const SectionTally& tally) {
    return sectionName(section) + QStringLiteral(" (") + QString::number(tally.correct) +
           QStringLiteral("/") + QString::number(tally.items) + QStringLiteral(") ");
}

} // namespace palvexa
