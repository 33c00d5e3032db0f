#pragma once

#include <QDateTime>
#include <QObject>

class QTimer;

namespace widgets {

// The exam's time counter: ticks once a second while enabled and measures the wall-clock time
// since its start instant, read from the program's clock (platform/clock.h). Elapsed time comes
// from the clock rather than from counting ticks, so late ticks and time spent in modal windows
// are counted all the same. Created disabled.
class TimeCounter : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 1000;

    explicit TimeCounter(QObject* parent = nullptr);

    // Ticks on or off; the start instant is left alone.
    void setEnabled(bool enabled);
    bool isEnabled() const;
    // Stops the ticks (the count is over: closed, expired or graded).
    void stop() { setEnabled(false); }

    // The start instant becomes now, so the elapsed time starts again from zero.
    void reset();
    QDateTime startInstant() const { return start_; }

    // Whole seconds from the start instant to now; never negative (a clock set back reads 0).
    qint64 elapsedSeconds() const;

    // The underlying timer, for tests that fire a tick without waiting.
    QTimer* timer() const { return timer_; }

Q_SIGNALS:
    void tick();

private:
    QTimer* timer_;
    QDateTime start_;
};

} // namespace widgets
