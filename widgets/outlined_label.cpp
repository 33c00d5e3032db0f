#include "widgets/outlined_label.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace widgets {

OutlinedLabel::OutlinedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

OutlinedLabel::OutlinedLabel(const QString& text, QWidget* parent) : OutlinedLabel(parent) {
    setText(text);
}

void OutlinedLabel::setTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void OutlinedLabel::setOutlineColor(const QColor& color) {
    outlineColor_ = color;
    update();
}

void OutlinedLabel::setShadowColor(const QColor& color) {
    shadowColor_ = color;
    update();
}

void OutlinedLabel::setShadowDepth(int pixels) {
    shadowDepth_ = qMax(0, pixels);
    updateGeometry();
    update();
}

// Room beyond the letters: a pixel each side for the outline pen, the shadow, and a pixel for
// antialiased edges.
int OutlinedLabel::pad() const {
    return outlineColor_.isValid() ? 1 : 0;
}
int OutlinedLabel::extra() const {
    return 2 * pad() + shadowDepth_ + 1;
}

// Width of a line's letters: italic and bold glyphs may reach past the advance.
static int letterWidth(const QFontMetricsF& fm, const QString& line) {
    return qCeil(qMax(fm.horizontalAdvance(line), fm.boundingRect(line).right()));
}

QStringList OutlinedLabel::layoutLines(int width) const {
    QString t = text();
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList paragraphs = t.split(QLatin1Char('\n'));
    if (!wordWrap() || width <= 0)
        return paragraphs;
    const QFontMetricsF fm(font());
    QStringList lines;
    for (const QString& para : paragraphs) {
        QString line;
        for (const QString& word : para.split(QLatin1Char(' '))) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && fm.horizontalAdvance(candidate) > width) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

QSize OutlinedLabel::sizeHint() const {
    const QFontMetricsF fm(font());
    const QStringList lines = layoutLines(wordWrap() ? width() - extra() : 0);
    int w = 0;
    for (const QString& line : lines)
        w = qMax(w, letterWidth(fm, line));
    const QMargins m = contentsMargins();
    return {w + extra() + m.left() + m.right(),
            qCeil(lines.size() * fm.lineSpacing()) + extra() + m.top() + m.bottom()};
}

QSize OutlinedLabel::minimumSizeHint() const {
    if (wordWrap())
        return {0, QFontMetrics(font()).lineSpacing() + extra()};
    return sizeHint();
}

int OutlinedLabel::heightForWidth(int width) const {
    const QFontMetrics fm(font());
    const QMargins m = contentsMargins();
    const QStringList lines = layoutLines(width - extra() - m.left() - m.right());
    return int(lines.size()) * fm.lineSpacing() + extra() + m.top() + m.bottom();
}

void OutlinedLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const int p0 = pad();
    const int p1 = pad() + shadowDepth_ + 1;
    const QRect area = contentsRect().adjusted(p0, p0, -p1, -p1);
    const QFontMetricsF fm(font());
    const QStringList lines = layoutLines(area.width());
    const qreal blockHeight = lines.size() * fm.lineSpacing();

    qreal y = area.top();
    const Qt::Alignment a = alignment();
    if (a & Qt::AlignVCenter)
        y += (area.height() - blockHeight) / 2;
    else if (a & Qt::AlignBottom)
        y += area.height() - blockHeight;

    QPainterPath path;
    for (const QString& line : lines) {
        const qreal w = letterWidth(fm, line);
        qreal x = area.left();
        if (a & Qt::AlignHCenter)
            x += (area.width() - w) / 2;
        else if (a & Qt::AlignRight)
            x += area.width() - w;
        path.addText(QPointF(x, y + fm.ascent()), font(), line);
        y += fm.lineSpacing();
    }

    if (shadowDepth_ > 0) {
        p.fillPath(path.translated(shadowDepth_, shadowDepth_), shadowColor_);
    }
    p.fillPath(path, textColor_);
    if (outlineColor_.isValid()) {
        p.strokePath(path, QPen(outlineColor_, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
}

} // namespace widgets
