// Scoring at its boundaries and the texts the score window shows.

#include "grading/grading.h"

#include <QTest>

using namespace palvexa;

namespace {

struct Section {
    int section;
    int items;
    int correct;
};

AnswerSheet sheetOf(const QList<Section>& parts) {
    AnswerSheet sheet;
    for (const Section& p : parts)
        for (int i = 0; i < p.items; ++i) {
            AnswerEntry e;
            e.section = p.section;
            e.correct = i < p.correct;
            sheet.push_back(e);
        }
    return sheet;
}

} // namespace

Q_DECLARE_METATYPE(QList<Section>)

class GradingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // percentages: the seven sections' percentages, section 1 first.
    void grade_data() {
        QTest::addColumn<QList<Section>>("sheet");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("passed");
        QTest::addColumn<double>("score");
        QTest::addColumn<QList<int>>("percentages");
        QTest::addRow("60/51 exactly 850") << QList<Section>{{2, 60, 51}} << 850 << true << 850.0
                                           << QList<int>{0, 85, 0, 0, 0, 0, 0};
        QTest::addRow("113/96 shown 850 but fails")
            << QList<Section>{{1, 113, 96}} << 850 << false << 96000.0 / 113
            << QList<int>{85, 0, 0, 0, 0, 0, 0};
        QTest::addRow("7/6") << QList<Section>{{7, 7, 6}} << 857 << true << 6000.0 / 7
                             << QList<int>{0, 0, 0, 0, 0, 0, 86};
        QTest::addRow("16/1 half to even down")
            << QList<Section>{{3, 16, 1}} << 62 << false << 62.5 << QList<int>{0, 0, 6, 0, 0, 0, 0};
        QTest::addRow("16/3 half to even up") << QList<Section>{{3, 16, 3}} << 188 << false << 187.5
                                              << QList<int>{0, 0, 19, 0, 0, 0, 0};
        QTest::addRow("none answered") << QList<Section>{{1, 5, 0}, {4, 6, 0}} << 0 << false << 0.0
                                       << QList<int>{0, 0, 0, 0, 0, 0, 0};
        QTest::addRow("all correct") << QList<Section>{{1, 3, 3}, {5, 2, 2}} << 1000 << true
                                     << 1000.0 << QList<int>{100, 0, 0, 0, 100, 0, 0};
        QTest::addRow("sections of 8: 1, 3, 5, 7 correct")
            << QList<Section>{{1, 8, 1}, {2, 8, 3}, {3, 8, 5}, {4, 8, 7}} << 500 << false << 500.0
            << QList<int>{12, 38, 62, 88, 0, 0, 0};
        // Outside 1..7: in the overall score only.
        QTest::addRow("section 0 and 8") << QList<Section>{{0, 2, 2}, {8, 2, 1}, {6, 4, 1}} << 500
                                         << false << 500.0 << QList<int>{0, 0, 0, 0, 0, 25, 0};
        QTest::addRow("no items") << QList<Section>{} << 0 << false << 0.0
                                  << QList<int>{0, 0, 0, 0, 0, 0, 0};
    }
    void grade() {
        QFETCH(QList<Section>, sheet);
        QFETCH(int, shown);
        QFETCH(bool, passed);
        QFETCH(double, score);
        QFETCH(QList<int>, percentages);
        const AnswerSheet s = sheetOf(sheet);

        const TotalScore t = totalScore(s);
        int items = 0, correct = 0;
        for (const Section& p : sheet) {
            items += p.items;
            correct += p.correct;
        }
        QCOMPARE(t.items, items);
        QCOMPARE(t.correct, correct);
        QCOMPARE(t.shownScore, shown);
        QCOMPARE(t.passed, passed);
        QCOMPARE(t.score, score);

        const auto tallies = sectionTallies(s);
        QList<int> got;
        for (const SectionTally& st : tallies)
            got << st.percentage;
        QCOMPARE(got, percentages);
    }

    void texts() {
        QCOMPARE(titleLine("Your Name", "Practice Exam A"),
                 QString("Your Name,  Palvexa,  Practice Exam A"));

        TotalScore t;
        t.shownScore = 933;
        t.passed = true;
        QCOMPARE(scoreLine(t), QString("Passing Score: 850   Your Score: 933   Grade: Pass"));
        t.shownScore = 1000;
        t.passed = false;
        QCOMPARE(scoreLine(t), QString("Passing Score: 850   Your Score: 1000   Grade: Fail"));

        QCOMPARE(sectionBarLabel(4, SectionTally{6, 4, 67}), QString("Connectivity (4/6) "));
        QCOMPARE(sectionBarLabel(2, SectionTally{}),
                 QString("Installation and Configuration (0/0) "));

        QCOMPARE(SectionNames().size(), 7);
        QCOMPARE(sectionName(1), QString("Planning"));
        QCOMPARE(sectionName(7), QString("Running Applications"));
        QVERIFY(sectionName(0).isEmpty());
        QVERIFY(sectionName(8).isEmpty());
    }
};

QTEST_GUILESS_MAIN(GradingTest)
#include "tst_grading.moc"
