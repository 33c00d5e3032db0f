// The exam-set builders and the answer sheet over real table files.

#include "data/exam_tables.h"
#include "exam/answer_sheet.h"
#include "exam/builders.h"
#include "platform/error.h"
#include "store/table.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace palvexa;

namespace {

const char* const letters = "abcdef";

// Every field of question `id` says which question it is, so a copy of the wrong record shows.
void writeQuestion(store::Table& t, int id, bool withPictures) {
    t.setInteger("Q_SECT", id % 7 + 1);
    t.setText("Q_TEXT", QStringLiteral("Question %1").arg(id));
    t.setText("Q_EXPL", QStringLiteral("Because %1").arg(id));
    t.setBoolean("Q_TYPE", id % 2 == 1);
    for (int i = 0; i < 6; ++i) {
        const bool present = i < 3 + id % 4;
        t.setText(QStringLiteral("Q%1").arg(i + 1),
                  present ? QStringLiteral("%1%2").arg(id).arg(letters[i]) : QString());
        t.setBoolean(QStringLiteral("A%1").arg(i + 1), i == id % 3 || (id % 2 == 1 && i == 2));
    }
    t.setText("U_MEMO", QStringLiteral("note %1").arg(id));
    if (withPictures) {
        t.setText("Q_SIM", QStringLiteral("sim%1").arg(id));
        t.setText("PICT1", QStringLiteral("pict%1.bmp").arg(id));
        t.setText("PICT2", QStringLiteral("second%1.bmp").arg(id));
    }
}

// The exam-set record holds question `id` of its source.
void verifyItem(const store::Table& e, int id, int examNumber, bool fromUserSet) {
    QCOMPARE(e.asInteger("Q_OR_NUMBER"), id);
    QCOMPARE(e.asInteger("Q_SECT"), id % 7 + 1);
    QCOMPARE(e.asText("Q_Text"), QStringLiteral("Question %1").arg(id));
    QCOMPARE(e.asText("Q_EXPL"), QStringLiteral("Because %1").arg(id));
    QCOMPARE(e.asBoolean("Q_TYPE"), id % 2 == 1);
    for (int i = 0; i < 6; ++i) {
        const bool present = i < 3 + id % 4;
        QCOMPARE(e.asText(QStringLiteral("Q%1").arg(i + 1)),
                 present ? QStringLiteral("%1%2").arg(id).arg(letters[i]) : QString());
        QCOMPARE(e.asBoolean(QStringLiteral("A%1").arg(i + 1)),
                 i == id % 3 || (id % 2 == 1 && i == 2));
    }
    QCOMPARE(e.asText("U_MEMO"), QStringLiteral("note %1").arg(id));
    if (fromUserSet) {
        for (const char* f : {"Q_EXAM_N", "Q_SIM", "PICT1", "PICT2"})
            QVERIFY2(e.isNull(f), f);
    } else {
        QCOMPARE(e.asInteger("Q_EXAM_N"), examNumber);
        QCOMPARE(e.asText("Q_SIM"), QStringLiteral("sim%1").arg(id));
        QCOMPARE(e.asText("PICT1"), QStringLiteral("pict%1.bmp").arg(id));
        QCOMPARE(e.asText("PICT2"), QStringLiteral("second%1.bmp").arg(id));
    }
}

struct Recorder : BuildProgress {
    QStringList calls;
    void show(int max) override { calls << QStringLiteral("show %1").arg(max); }
    void position(int k) override { calls << QStringLiteral("position %1").arg(k); }
    void close() override { calls << QStringLiteral("close"); }
};

QStringList progressOf(int count) {
    QStringList calls{QStringLiteral("show %1").arg(count)};
    for (int k = 0; k < count; ++k)
        calls << QStringLiteral("position %1").arg(k);
    return calls << QStringLiteral("close");
}

// Question k + 1 of the bank belongs to practice exam bankExams[k]; 0 = in none.
const QList<int> bankExams = {1, 2, 0, 1, 3, 0, 2, 1, 1, 4, 0, 7};
constexpr quint32 seedMs = 45296789;

QList<int> orderOf(const QList<int>& ids, int count) {
    Rng rng;
    rng.setState(seedMs);
    const std::vector<std::int32_t> chosen =
        drawChosen(std::vector<std::int32_t>(ids.begin(), ids.end()), count, rng);
    return QList<int>(chosen.begin(), chosen.end());
}

QList<int> itemIds(store::Table& examSet) {
    QList<int> ids;
    for (examSet.first(); !examSet.eof(); examSet.next())
        ids << examSet.asInteger("Q_OR_NUMBER");
    return ids;
}

} // namespace

class ExamBuildersTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<data::ExamTables> tables;
    store::Table* bank = nullptr;
    store::Table* examSet = nullptr;
    store::Table* userSet = nullptr;

    // A bank numbered 1..n by Q_ID (or by the ids given), and an exam set left over from an
    // earlier exam.
    void makeBank(const QList<int>& ids = {}) {
        bank->setSchema(data::questionBankSchema()); // delivered with the program otherwise
        bank->open();
        bank->beginTransaction();
        for (int k = 0; k < bankExams.size(); ++k) {
            const int id = ids.isEmpty() ? k + 1 : ids.value(k, 0);
            if (id == 0)
                break;
            bank->append();
            bank->setInteger("Q_ID", id);
            bank->setInteger("Q_EXAM_N", bankExams[k]);
            writeQuestion(*bank, id, true);
            bank->post();
        }
        bank->commit();
        bank->close();
    }

    int examNumberOf(int id) const { return bankExams[id - 1]; }

private Q_SLOTS:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        QVERIFY(QDir::setCurrent(dir->path()));
        tables = std::make_unique<data::ExamTables>();
        bank = &tables->dtQSet;
        examSet = &tables->dtCurrentSet;
        userSet = &tables->dtUserSet;
        examSet->open();
        for (int i = 0; i < 2; ++i) {
            examSet->append();
            writeQuestion(*examSet, 99, true);
            examSet->setInteger("Q_OR_NUMBER", 99);
            examSet->post();
        }
        examSet->close();
        Rng::setTimeOfDaySource([] { return seedMs; });
    }
    void cleanup() {
        Rng::setTimeOfDaySource({});
        tables.reset();
        QDir::setCurrent(QDir::tempPath());
        dir.reset();
    }

    // count -1: BuildShuffledSet, otherwise BuildRandomSet(count).
    void bankBuild_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("ids"); // the questions that pass the filter
        const QList<int> inSomeExam = {1, 2, 4, 5, 7, 8, 9, 10, 12};
        QTest::addRow("no question") << "Q_EXAM_N=5" << -1 << QList<int>{};
        QTest::addRow("one question") << "Q_EXAM_N=3" << -1 << QList<int>{5};
        QTest::addRow("practice exam A") << "Q_EXAM_N=1" << -1 << QList<int>{1, 4, 8, 9};
        QTest::addRow("all questions") << "Q_EXAM_N<>0" << -1 << inSomeExam;
        QTest::addRow("random, M = N") << "Q_EXAM_N<>0" << 9 << inSomeExam;
        QTest::addRow("random, M = 1") << "Q_EXAM_N<>0" << 1 << inSomeExam;
        QTest::addRow("random, M = 4") << "Q_EXAM_N<>0" << 4 << inSomeExam;
    }
    void bankBuild() {
        QFETCH(QString, filter);
        QFETCH(int, count);
        QFETCH(QList<int>, ids);
        makeBank();
        bank->setFilter(filter);
        bank->setFiltered(true);
        bank->open();
        ExamState state;
        Recorder progress;
        if (count < 0)
            BuildShuffledSet(*tables, state, &progress);
        else
            BuildRandomSet(*tables, count, state, &progress);
        const int items = count < 0 ? ids.size() : count;

        QVERIFY(examSet->isOpen());
        QVERIFY(examSet->exclusive());
        QCOMPARE(state.itemCount, items);
        QCOMPARE(state.firstItemNumber, items > 0 ? 1 : 0);
        QCOMPARE(examSet->recNo(), state.firstItemNumber);
        QCOMPARE(progress.calls, progressOf(items));
        // Item k + 1 is pass k of the draw over the filtered record numbers (= Q_ID).
        const QList<int> got = itemIds(*examSet);
        QCOMPARE(got, orderOf(ids, items));
        int k = 0;
        for (examSet->first(); !examSet->eof(); examSet->next(), ++k)
            verifyItem(*examSet, got[k], examNumberOf(got[k]), false);
    }

    void userBuildWithGaps() {
        userSet->open();
        for (int i = 0; i < 6; ++i) {
            userSet->append();
            writeQuestion(*userSet, i + 1, false);
            userSet->post();
        }
        for (int id : {2, 5}) { // deleted in the Sampler
            QVERIFY(userSet->findKey(id));
            userSet->remove();
        }
        QList<int> ids;
        for (userSet->first(); !userSet->eof(); userSet->next())
            ids << userSet->asInteger("Q_ID");
        QCOMPARE(ids, (QList<int>{1, 3, 4, 6}));

        ExamState state;
        Recorder progress;
        BuildUserSet(*tables, state, &progress);
        QCOMPARE(state.itemCount, 4);
        QCOMPARE(state.firstItemNumber, 1);
        QCOMPARE(progress.calls, progressOf(4));
        const QList<int> got = itemIds(*examSet);
        QCOMPARE(got, orderOf(ids, 4));
        int k = 0;
        for (examSet->first(); !examSet->eof(); examSet->next(), ++k)
            verifyItem(*examSet, got[k], 0, true);
    }

    void randomCountRefused_data() {
        QTest::addColumn<int>("count");
        QTest::addRow("zero") << 0;
        QTest::addRow("negative") << -1;
        QTest::addRow("more than the bank") << 10;
    }
    void randomCountRefused() {
        QFETCH(int, count);
        makeBank();
        bank->setFilter("Q_EXAM_N<>0");
        bank->setFiltered(true);
        bank->open();
        ExamState state;
        Recorder progress;
        QVERIFY_THROWS_EXCEPTION(Error, BuildRandomSet(*bank, *examSet, count, state, &progress));
        QVERIFY(progress.calls.isEmpty());
        examSet->open(); // the last exam's set is left as it was
        QCOMPARE(examSet->recordCount(), 2);
    }

    // A bank that breaks its numbering (Q_ID 4 missing, so record 4 holds Q_ID 5) must not
    // produce a half-built or wrong exam set.
    void failedCopyLeavesNothing() {
        makeBank({1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13});
        bank->open();
        ExamState state;
        state.itemCount = 77;
        Recorder progress;
        QVERIFY_THROWS_EXCEPTION(Error, BuildShuffledSet(*bank, *examSet, state, &progress));
        QCOMPARE(progress.calls.last(), QString("close"));
        QVERIFY(!examSet->inTransaction());
        if (!examSet->isOpen())
            examSet->open();
        QCOMPARE(examSet->recordCount(), 0);
        QCOMPARE(state.itemCount, 77);
    }

    void answerSheetInit() {
        examSet->setExclusive(true);
        examSet->emptyTable();
        examSet->open();
        for (int i = 0; i < 40; ++i) {
            examSet->append();
            writeQuestion(*examSet, i + 1, true);
            examSet->post();
        }
        // Whatever the last exam left, including a longer sheet.
        AnswerEntry dirty;
        dirty.choice.fill(true);
        dirty.mark = dirty.correct = true;
        dirty.section = 9;
        answerSheet().assign(50, dirty);

        InitAnswerSheet(*examSet);
        QVERIFY(examSet->eof());
        QCOMPARE(answerSheet().size(), std::size_t(40));
        for (int k = 1; k <= 40; ++k) {
            const AnswerEntry& e = answerSheet()[std::size_t(k - 1)];
            QCOMPARE(e.section, k % 7 + 1); // entry k - 1 is item k
            QVERIFY(!e.mark && !e.correct);
            QCOMPARE(e.choice, (std::array<bool, 6>{}));
        }

        // The correct flag against the item's own A1..A6: question 4 has only choice b right.
        examSet->setRecNo(4);
        AnswerEntry& e = answerSheet()[3];
        UpdateCorrectFlag(e, *examSet);
        QVERIFY(!e.correct);
        e.choice[1] = true;
        UpdateCorrectFlag(e, *examSet);
        QVERIFY(e.correct);
    }
};

QTEST_GUILESS_MAIN(ExamBuildersTest)
#include "tst_exam_builders.moc"
