#include "exam/exam_state.h"

namespace palvexa {

std::int64_t roundHalfEven(std::int64_t num, std::int64_t den) {
    // Floor division, so that negative numerators round like positive ones.
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q % 2 != 0)))
        ++q;
    return q;
}

QString formatHms(std::int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    const std::int64_t h = seconds / 3600;
    const int m = int(seconds / 60 % 60);
    const int s = int(seconds % 60);
    return QStringLiteral("%1:%2:%3")
        .arg(h)
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'));
}

int centeredButtonsLeft(int windowWidth, int buttonWidth, int count) {
    const std::int64_t free =
        std::int64_t(windowWidth) - std::int64_t(count) * buttonWidth - std::int64_t(count - 1) * 6;
    return int(roundHalfEven(free, 2));
}

} // namespace palvexa
