#include "app/banner.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace app {

Banner::Banner(QWidget* parent) : QWidget(parent) {
    setFixedSize(Width, Height);
    setAccessibleName(QStringLiteral("Palvexa"));
}

void Banner::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, Width, Height);

    QLinearGradient band(r.topLeft(), r.topRight());
    band.setColorAt(0.0, QColor(0, 0, 96));
    band.setColorAt(0.65, QColor(0, 48, 176));
    band.setColorAt(1.0, QColor(0, 128, 128));
    p.fillRect(r, band);

    // A thin lighter rule along the bottom edge.
    p.fillRect(QRectF(0, Height - 3, Width, 1), QColor(255, 255, 255, 90));

    // Wordmark: outlined italic letters with a soft shadow.
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(27);
    f.setBold(true);
    f.setItalic(true);
    QPainterPath word;
    word.addText(QPointF(10, 31), f, QStringLiteral("Palvexa"));
    p.fillPath(word.translated(2, 2), QColor(0, 0, 0, 140));
    p.fillPath(word, Qt::white);
    p.strokePath(word, QPen(QColor(0, 0, 64), 0.8));

    // The exam's number, small, at the right.
    QFont small(QStringLiteral("Verdana"));
    small.setPixelSize(10);
    small.setBold(true);
    p.setFont(small);
    p.setPen(QColor(0, 255, 255));
    p.drawText(QRectF(0, 6, Width - 8, 14), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("70-073"));
    QFont tag(QStringLiteral("Verdana"));
    tag.setPixelSize(9);
    p.setFont(tag);
    p.setPen(QColor(220, 230, 255));
    p.drawText(QRectF(0, Height - 17, Width - 8, 12), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Exam Simulator"));
}

} // namespace app
