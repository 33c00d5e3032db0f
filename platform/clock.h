#pragma once

// The program's clock. Everything that reads the time (the exam time counter, the exam-set
// seed) reads it here, so tests can set and move it instead of waiting.

#include <QDateTime>
#include <QTime>
#include <utility>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime nowUtc() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime nowUtc() const override { return QDateTime::currentDateTimeUtc(); }
};

// A clock that stands still until told to move.
class ManualClock : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2000, 1, 1), QTime(12, 0), Qt::UTC))
        : now_(std::move(start)) {}
    QDateTime nowUtc() const override { return now_; }
    void set(const QDateTime& t) { now_ = t.toUTC(); }
    void advanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }
    void advanceSeconds(qint64 s) { now_ = now_.addSecs(s); }

private:
    QDateTime now_;
};

namespace detail {
inline Clock*& installedClock() {
    static Clock* installed = nullptr;
    return installed;
}
} // namespace detail

inline const Clock& clock() {
    static const SystemClock system;
    const Clock* c = detail::installedClock();
    return c ? *c : system;
}

// Installs `c` (not owned); nullptr goes back to the system clock.
inline void setClock(Clock* c) {
    detail::installedClock() = c;
}

inline QDateTime nowUtc() {
    return clock().nowUtc();
}

// The UTC time of day, with milliseconds.
inline QTime timeOfDayUtc() {
    return clock().nowUtc().time();
}

} // namespace platform
