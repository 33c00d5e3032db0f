#include "widgets/time_counter.h"

#include "platform/clock.h"

#include <QTimer>

namespace widgets {

TimeCounter::TimeCounter(QObject* parent)
    : QObject(parent), timer_(new QTimer(this)), start_(platform::nowUtc()) {
    timer_->setObjectName(QStringLiteral("TimeCounterTimer"));
    timer_->setInterval(IntervalMs);
    timer_->setTimerType(Qt::CoarseTimer);
    connect(timer_, &QTimer::timeout, this, &TimeCounter::tick);
}

void TimeCounter::setEnabled(bool enabled) {
    if (enabled == timer_->isActive())
        return;
    if (enabled)
        timer_->start();
    else
        timer_->stop();
}

bool TimeCounter::isEnabled() const {
    return timer_->isActive();
}

void TimeCounter::reset() {
    start_ = platform::nowUtc();
}

qint64 TimeCounter::elapsedSeconds() const {
    const qint64 ms = start_.msecsTo(platform::nowUtc());
    return ms > 0 ? ms / 1000 : 0;
}

} // namespace widgets
