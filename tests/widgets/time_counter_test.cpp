#include "platform/clock.h"
#include "widgets/time_counter.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using widgets::TimeCounter;

class TimeCounterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { platform::setClock(&clock_); }
    void cleanup() { platform::setClock(nullptr); }

    void createdDisabledWithOneSecondTicks();
    void elapsedFollowsTheClock_data();
    void elapsedFollowsTheClock();
    void resetStartsFromZero();
    void stopEndsTheTicks();

private:
    platform::ManualClock clock_;
};

void TimeCounterTest::createdDisabledWithOneSecondTicks() {
    TimeCounter counter;
    QVERIFY(!counter.isEnabled());
    QCOMPARE(counter.timer()->interval(), 1000);
    QCOMPARE(counter.startInstant(), clock_.nowUtc());
}

void TimeCounterTest::elapsedFollowsTheClock_data() {
    QTest::addColumn<qint64>("advanceMs");
    QTest::addColumn<qint64>("seconds");
    QTest::addRow("start") << qint64(0) << qint64(0);
    QTest::addRow("just under a second") << qint64(999) << qint64(0);
    QTest::addRow("one second") << qint64(1000) << qint64(1);
    QTest::addRow("ninety minutes and a bit") << qint64(5400 * 1000 + 500) << qint64(5400);
    QTest::addRow("clock set back") << qint64(-5000) << qint64(0);
}

void TimeCounterTest::elapsedFollowsTheClock() {
    QFETCH(qint64, advanceMs);
    QFETCH(qint64, seconds);
    TimeCounter counter;
    counter.reset();
    clock_.advanceMs(advanceMs);
    QCOMPARE(counter.elapsedSeconds(), seconds);
}

void TimeCounterTest::resetStartsFromZero() {
    TimeCounter counter;
    counter.reset();
    clock_.advanceSeconds(42);
    QCOMPARE(counter.elapsedSeconds(), 42);
    counter.reset();
    QCOMPARE(counter.elapsedSeconds(), 0);
    clock_.advanceSeconds(3);
    QCOMPARE(counter.elapsedSeconds(), 3);
}

void TimeCounterTest::stopEndsTheTicks() {
    TimeCounter counter;
    QSignalSpy ticks(&counter, &TimeCounter::tick);
    counter.setEnabled(true);
    QVERIFY(counter.isEnabled());
    QVERIFY(QMetaObject::invokeMethod(counter.timer(), "timeout"));
    QCOMPARE(ticks.count(), 1);
    // Enabling again while running must not restart the interval or double the ticks.
    counter.setEnabled(true);
    QVERIFY(counter.timer()->isActive());
    counter.stop();
    QVERIFY(!counter.isEnabled());
    // Stopping keeps the start instant: the elapsed time still reads the clock.
    clock_.advanceSeconds(10);
    QCOMPARE(counter.elapsedSeconds(), 10);
}

QTEST_GUILESS_MAIN(TimeCounterTest)
#include "time_counter_test.moc"
