// The widget-free exam logic: the generator and the draw, the correct-flag rule, and the small
// formatting and layout helpers of the exam window.

#include "exam/answer_sheet.h"
#include "exam/builders.h"
#include "exam/exam_state.h"
#include "exam/rng.h"
#include "platform/error.h"

#include <QTest>
#include <numeric>

using namespace palvexa;

namespace {

// The repeat check written out as the plain rule: compare with every slot of chosen, filled or
// not, from slot 0 up.
std::vector<std::int32_t> drawLinear(const std::vector<std::int32_t>& candidates, int count,
                                     Rng& rng) {
    const std::int32_t n = std::int32_t(candidates.size());
    std::vector<std::int32_t> chosen(std::size_t(count), 0);
    for (int k = 0; k < count; ++k) {
        for (;;) {
            const std::int32_t c = candidates[std::size_t(rng.below(n))];
            bool repeat = false;
            for (int j = 0; j < count; ++j)
                if (chosen[std::size_t(j)] == c)
                    repeat = true;
            if (!repeat) {
                chosen[std::size_t(k)] = c;
                break;
            }
        }
    }
    return chosen;
}

std::vector<std::int32_t> iota(int n, int from = 1) {
    std::vector<std::int32_t> v(static_cast<std::size_t>(n));
    std::iota(v.begin(), v.end(), from);
    return v;
}

} // namespace

class ExamLogicTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { Rng::setTimeOfDaySource({}); }

    void generatorFromStateZero() {
        Rng rng;
        rng.setState(0);
        QList<int> draws;
        for (int i = 0; i < 4; ++i)
            draws << rng.below(10);
        QCOMPARE(draws, (QList<int>{0, 0, 8, 2}));
        QCOMPARE(rng.state(), 870078620u);

        // The second 0 picks the first candidate again and is rejected.
        rng.setState(0);
        const std::vector<std::int32_t> chosen = drawChosen(iota(10, 101), 3, rng);
        QCOMPARE(chosen, (std::vector<std::int32_t>{101, 109, 103}));
    }

    void seedIsMillisecondsOfTheDay() {
        Rng::setTimeOfDaySource([] { return 45296789u; }); // 12:34:56.789
        Rng a, b;
        a.seed();
        b.seed();
        QCOMPARE(a.state(), 45296789u);
        QCOMPARE(drawChosen(iota(50), 50, a), drawChosen(iota(50), 50, b));

        Rng::setTimeOfDaySource({});
        QVERIFY(Rng::timeOfDay() < 86400000u);
    }

    void fastRepeatCheckMatchesLinearScan_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("count");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("idFrom");
        QTest::addRow("one") << 1 << 1 << 7u << 1;
        QTest::addRow("all of 40") << 40 << 40 << 0u << 1;
        QTest::addRow("all of 500") << 500 << 500 << 86399999u << 1;
        QTest::addRow("5 of 300") << 300 << 5 << 123456u << 1;
        QTest::addRow("1 of 60") << 60 << 1 << 4000000000u << 1;
        QTest::addRow("ids with offset") << 77 << 77 << 99u << 1000;
    }
    void fastRepeatCheckMatchesLinearScan() {
        QFETCH(int, n);
        QFETCH(int, count);
        QFETCH(quint32, seed);
        QFETCH(int, idFrom);
        const std::vector<std::int32_t> candidates = iota(n, idFrom);
        Rng fast, linear;
        fast.setState(seed);
        linear.setState(seed);
        const std::vector<std::int32_t> got = drawChosen(candidates, count, fast);
        QCOMPARE(got, drawLinear(candidates, count, linear));
        QCOMPARE(fast.state(), linear.state()); // same number of draws
        std::vector<std::int32_t> sorted = got;
        std::sort(sorted.begin(), sorted.end());
        QVERIFY(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
    }

    // Each of these would make the draw loop for ever.
    void drawRefusesWhatCannotEnd_data() {
        QTest::addColumn<QList<int>>("candidates");
        QTest::addColumn<int>("count");
        QTest::addRow("more than there are") << QList<int>{1, 2, 3} << 4;
        QTest::addRow("zero identifier") << QList<int>{1, 0, 3} << 3;
        QTest::addRow("repeated identifier") << QList<int>{4, 5, 4} << 2;
    }
    void drawRefusesWhatCannotEnd() {
        QFETCH(QList<int>, candidates);
        QFETCH(int, count);
        Rng rng;
        QVERIFY_THROWS_EXCEPTION(Error,
                                 drawChosen({candidates.begin(), candidates.end()}, count, rng));
    }

    void correctFlag_data() {
        QTest::addColumn<QList<bool>>("chosen");
        QTest::addColumn<QList<bool>>("key");
        QTest::addColumn<bool>("correct");
        const bool T = true, F = false;
        QTest::addRow("single, right")
            << QList<bool>{F, T, F, F, F, F} << QList<bool>{F, T, F, F, F, F} << T;
        QTest::addRow("single, wrong")
            << QList<bool>{T, F, F, F, F, F} << QList<bool>{F, T, F, F, F, F} << F;
        QTest::addRow("unanswered")
            << QList<bool>{F, F, F, F, F, F} << QList<bool>{F, F, T, F, F, F} << F;
        QTest::addRow("subset") << QList<bool>{T, F, T, F, F, F} << QList<bool>{T, F, T, T, F, F}
                                << F;
        QTest::addRow("superset") << QList<bool>{T, T, T, T, F, F} << QList<bool>{T, F, T, T, F, F}
                                  << F;
        QTest::addRow("exact multiple")
            << QList<bool>{T, F, T, T, F, F} << QList<bool>{T, F, T, T, F, F} << T;
        QTest::addRow("sixth choice")
            << QList<bool>{F, F, F, F, F, T} << QList<bool>{F, F, F, F, F, F} << F;
    }
    void correctFlag() {
        QFETCH(QList<bool>, chosen);
        QFETCH(QList<bool>, key);
        QFETCH(bool, correct);
        AnswerEntry entry;
        entry.correct = !correct; // the rule overwrites whatever was there
        bool a[6];
        for (int i = 0; i < 6; ++i) {
            entry.choice[std::size_t(i)] = chosen[i];
            a[i] = key[i];
        }
        UpdateCorrectFlag(entry, a);
        QCOMPARE(entry.correct, correct);
    }

    void formatHms_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::addRow("90 minutes") << qint64(5400) << "1:30:00";
        QTest::addRow("last second") << qint64(59) << "0:00:59";
        QTest::addRow("600 minutes") << qint64(36000) << "10:00:00";
        QTest::addRow("past the limit") << qint64(-3) << "0:00:00";
    }
    void formatHms() {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt)); // digits stay ASCII
        QCOMPARE(palvexa::formatHms(seconds), text);
        QLocale::setDefault(QLocale::c());
    }

    void centeredButtons_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("buttonWidth");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("left");
        QTest::addRow("even") << 800 << 100 << 7 << 32;      // 64 / 2
        QTest::addRow("half down") << 801 << 100 << 7 << 32; // 32.5
        QTest::addRow("half up") << 803 << 100 << 7 << 34;   // 33.5
        QTest::addRow("narrow") << 700 << 100 << 7 << -18;
        QTest::addRow("negative half") << 699 << 100 << 7 << -18; // -18.5
        QTest::addRow("three") << 500 << 120 << 3 << 64;          // (500 - 360 - 12) / 2
    }
    void centeredButtons() {
        QFETCH(int, width);
        QFETCH(int, buttonWidth);
        QFETCH(int, count);
        QFETCH(int, left);
        QCOMPARE(centeredButtonsLeft(width, buttonWidth, count), left);
    }
};

QTEST_GUILESS_MAIN(ExamLogicTest)
#include "tst_exam_logic.moc"
