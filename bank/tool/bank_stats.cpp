#include "bank/tool/bank_stats.h"

#include <QMap>
#include <QTextStream>

namespace bank {

namespace {

QString percent(int part, int whole) {
    return whole == 0 ? QStringLiteral("0.0 %")
                      : QStringLiteral("%1 %").arg(100.0 * part / whole, 0, 'f', 1);
}

} // namespace

QString bankStats(const QList<Question>& questions) {
    // counts[exam][type][section]; section 0 and exam kExamCount+1 hold the totals.
    int counts[kExamCount + 2][2][kSectionCount + 1] = {};
    int letters[kChoiceCount] = {};
    int multiple = 0;
    QMap<QString, QList<int>> exhibits;
    for (const Question& q : questions) {
        const int exam = q.examN >= 1 && q.examN <= kExamCount ? q.examN : 0;
        const int section = q.section >= 1 && q.section <= kSectionCount ? q.section : 0;
        const int type = q.multiple ? 1 : 0;
        for (const int e : {exam, kExamCount + 1}) {
            counts[e][type][0]++;
            if (section > 0)
                counts[e][type][section]++;
        }
        multiple += type;
        for (int i = 0; i < kChoiceCount; ++i)
            letters[i] += q.answers[i] ? 1 : 0;
        if (!q.exhibit.isEmpty())
            exhibits[q.exhibit].append(q.id);
    }

    QString text;
    QTextStream out(&text);
    const int total = int(questions.size());
    out << "Questions: " << total << "; multiple response: " << multiple << " ("
        << percent(multiple, total) << ")\n\n";

    out << QStringLiteral("%1 %2").arg("exam", -5).arg("type", -9);
    for (int s = 1; s <= kSectionCount; ++s)
        out << QStringLiteral("%1").arg(QStringLiteral("S%1").arg(s), 5);
    out << QStringLiteral("%1").arg("total", 7) << '\n';
    // Exams A..G, then the questions in no exam, then the whole bank.
    const int order[] = {1, 2, 3, 4, 5, 6, 7, 0, kExamCount + 1};
    for (const int e : order) {
        if (e <= kExamCount && counts[e][0][0] + counts[e][1][0] == 0)
            continue;
        const QString name = e == kExamCount + 1 ? QStringLiteral("all") : examLetter(e);
        for (int type = 0; type < 2; ++type) {
            out << QStringLiteral("%1 %2").arg(name, -5).arg(type ? "multiple" : "single", -9);
            for (int s = 1; s <= kSectionCount; ++s)
                out << QStringLiteral("%1").arg(counts[e][type][s], 5);
            out << QStringLiteral("%1").arg(counts[e][type][0], 7) << '\n';
        }
    }

    int correct = 0;
    for (const int n : letters)
        correct += n;
    out << "\nCorrect letters (" << correct << "):\n";
    for (int i = 0; i < kChoiceCount; ++i)
        out << "  " << choiceLetter(i) << QStringLiteral("%1").arg(letters[i], 6) << "  "
            << percent(letters[i], correct) << '\n';

    out << "\nExhibits (" << exhibits.size() << "):\n";
    for (auto it = exhibits.cbegin(); it != exhibits.cend(); ++it) {
        QStringList ids;
        for (const int id : it.value())
            ids << QString::number(id);
        out << "  " << it.key() << ": question " << ids.join(", ") << '\n';
    }
    if (exhibits.isEmpty())
        out << "  none\n";
    return text;
}

} // namespace bank
