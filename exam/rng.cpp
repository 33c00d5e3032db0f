#include "exam/rng.h"

#include <QDateTime>
#include <QTime>

namespace palvexa {

namespace {
Rng::TimeOfDay& timeSource() {
    static Rng::TimeOfDay source;
    return source;
}
} // namespace

void Rng::setTimeOfDaySource(TimeOfDay source) {
    timeSource() = std::move(source);
}

std::uint32_t Rng::timeOfDay() {
    if (timeSource())
        return timeSource()();
    return std::uint32_t(QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay());
}

Rng& sharedRng() {
    static Rng rng;
    return rng;
}

} // namespace palvexa
