#include "report/page.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <memory>

namespace report {

namespace {

constexpr double MmPerInch = 25.4;
// Room between a chart's labels and its plot, in millimetres.
constexpr double ChartGapMm = 1.5;
constexpr double TickMm = 1.0;

// Converts millimetres to the painter's device units.
class Scale {
public:
    explicit Scale(const QPainter& painter)
        : x_(painter.device()->logicalDpiX() / MmPerInch),
          y_(painter.device()->logicalDpiY() / MmPerInch) {}
    double x(double mm) const { return mm * x_; }
    double y(double mm) const { return mm * y_; }
    double toMmY(double units) const { return units / y_; }
    QRectF rect(const QRectF& mm, double bandTop) const {
        return QRectF(x(mm.left()), y(bandTop + mm.top()), x(mm.width()), y(mm.height()));
    }
    QPen pen(const QColor& color) const {
        QPen p(color);
        p.setWidthF(x(LineWeightPt * MmPerInch / 72.0));
        p.setCapStyle(Qt::FlatCap);
        return p;
    }

private:
    double x_;
    double y_;
};

QFont fontOf(const TextStyle& style) {
    QFont font(style.family);
    font.setPointSizeF(style.points);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

int horizontalFlags(const TextStyle& style) {
    return int(style.alignment & Qt::AlignHorizontal_Mask);
}

// The memo's lines laid out at its box's width, paragraph by paragraph, from y = 0 down.
std::vector<std::unique_ptr<QTextLayout>> layOutMemo(QPainter& painter, const Scale& s,
                                                     const Band::Element& e, double& height) {
    const QFont font = fontOf(e.style);
    QTextOption option(e.style.alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const double width = s.x(e.box.width());
    std::vector<std::unique_ptr<QTextLayout>> paragraphs;
    height = 0;
    for (const QString& text : e.text.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(text, font, painter.device());
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, height));
            height += line.height();
        }
        layout->endLayout();
        paragraphs.push_back(std::move(layout));
    }
    return paragraphs;
}

// Height in millimetres the memo's text needs at its box's width.
double memoHeight(QPainter& painter, const Scale& s, const Band::Element& e) {
    double height = 0;
    layOutMemo(painter, s, e, height);
    return s.toMmY(height);
}

// Paints the memo's lines that fit whole above `limit` (device units); a line cut in half
// would read as garbage, so it is left out with everything after it.
void paintMemo(QPainter& painter, const Scale& s, const Band::Element& e, double top,
               double limit) {
    const QRectF box = s.rect(e.box, top);
    double height = 0;
    const auto paragraphs = layOutMemo(painter, s, e, height);
    if (!e.style.transparent)
        painter.fillRect(QRectF(box.topLeft(), QSizeF(box.width(), std::max(box.height(), height))),
                         Qt::white);
    painter.setPen(e.style.color);
    for (const auto& layout : paragraphs)
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            if (box.top() + line.y() + line.height() > limit)
                return;
            line.draw(&painter, box.topLeft());
        }
}

void paintLabel(QPainter& painter, const QRectF& box, const QString& text, const TextStyle& style) {
    painter.setFont(fontOf(style));
    const int flags = horizontalFlags(style) | Qt::AlignTop | Qt::TextDontClip;
    if (!style.transparent)
        painter.fillRect(box.united(painter.boundingRect(box, flags, text)), Qt::white);
    painter.setPen(style.color);
    painter.drawText(box, flags, text);
}

void paintChart(QPainter& painter, const Scale& s, const QRectF& box, const std::vector<Bar>& bars,
                const BarChartStyle& style) {
    const double span = style.maximum - style.minimum;
    if (span <= 0)
        return;
    const QFont categoryFont = fontOf(style.categoryAxis);
    const QFont valueFont = fontOf(style.valueAxis);
    const QFontMetricsF categoryMetrics(categoryFont, painter.device());
    const QFontMetricsF valueMetrics(valueFont, painter.device());

    double labelWidth = 0;
    for (const Bar& b : bars)
        labelWidth = std::max(labelWidth, categoryMetrics.horizontalAdvance(b.label));
    const int steps = int(std::floor(span / style.step + 1e-9));
    const auto valueText = [&](int i) {
        return QString::number(style.minimum + i * style.step, 'g', 10);
    };
    const double lastValueWidth = valueMetrics.horizontalAdvance(valueText(steps));

    QRectF plot = box;
    plot.setLeft(box.left() + labelWidth + s.x(ChartGapMm));
    plot.setRight(box.right() - lastValueWidth / 2 - s.x(ChartGapMm));
    plot.setTop(box.top() + s.y(ChartGapMm));
    plot.setBottom(box.bottom() - valueMetrics.height() - s.y(TickMm) - s.y(ChartGapMm / 2));
    if (plot.width() <= 0 || plot.height() <= 0)
        return;
    const auto xOf = [&](double value) {
        const double v = std::clamp(value, style.minimum, style.maximum);
        return plot.left() + (v - style.minimum) / span * plot.width();
    };

    // Grid and value labels.
    painter.setFont(valueFont);
    for (int i = 0; i <= steps; ++i) {
        const double x = xOf(style.minimum + i * style.step);
        painter.setPen(s.pen(QColor(192, 192, 192)));
        if (i > 0)
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(s.pen(Qt::black));
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + s.y(TickMm)));
        painter.setPen(style.valueAxis.color);
        const QRectF cell(x - s.x(20), plot.bottom() + s.y(TickMm), s.x(40), valueMetrics.height());
        painter.drawText(cell, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, valueText(i));
    }

    // Bars from the bottom up, each label beside its bar.
    if (!bars.empty()) {
        const double slot = plot.height() / double(bars.size());
        const double thickness = slot * std::clamp(style.thickness, 0.05, 1.0);
        painter.setFont(categoryFont);
        for (std::size_t i = 0; i < bars.size(); ++i) {
            const Bar& b = bars[i];
            const double centre = plot.bottom() - (double(i) + 0.5) * slot;
            const double x0 = xOf(style.minimum);
            const QRectF bar(x0, centre - thickness / 2, xOf(b.value) - x0, thickness);
            if (bar.width() > 0) {
                painter.fillRect(bar, b.color);
                painter.setPen(s.pen(Qt::black));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(bar);
            }
            painter.setPen(style.categoryAxis.color);
            const QRectF cell(box.left(), centre - slot / 2, labelWidth, slot);
            painter.drawText(
                cell, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip | Qt::TextSingleLine,
                b.label);
        }
    }

    painter.setPen(s.pen(Qt::black));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}

// Paints the band with its top at `top` (millimetres), nothing below `limit` (device units), and
// returns its height there.
double paintBand(QPainter& painter, const Scale& s, const Band& band, double top, double limit) {
    const std::vector<Band::Element>& elements = band.elements();
    double growth = 0;
    for (const Band::Element& e : elements)
        if (e.kind == Band::Kind::Memo)
            growth = std::max(growth, memoHeight(painter, s, e) - e.box.height());

    for (const Band::Element& e : elements) {
        switch (e.kind) {
        case Band::Kind::Label:
            paintLabel(painter, s.rect(e.box, top), e.text, e.style);
            break;
        case Band::Kind::Memo:
            paintMemo(painter, s, e, top, limit);
            break;
        case Band::Kind::Line: {
            const double y = s.y(top + e.box.top());
            painter.setPen(s.pen(Qt::black));
            painter.drawLine(QPointF(s.x(e.box.left()), y), QPointF(s.x(e.box.right()), y));
            break;
        }
        case Band::Kind::Rectangle:
            painter.setPen(s.pen(Qt::black));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(s.rect(e.box, top));
            break;
        case Band::Kind::Chart:
            painter.save();
            painter.setClipRect(s.rect(e.box, top), Qt::IntersectClip);
            painter.fillRect(s.rect(e.box, top), Qt::white);
            paintChart(painter, s, s.rect(e.box, top), e.bars, e.chart);
            painter.restore();
            break;
        }
    }
    return band.designHeight() + growth;
}

} // namespace

void Band::label(const QRectF& box, const QString& text, const TextStyle& style) {
    elements_.push_back({Kind::Label, box, text, style, {}, {}});
}

void Band::memo(const QRectF& box, const QString& text, const TextStyle& style) {
    // Texts from the tables break lines with CR LF or CR as often as with LF.
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    elements_.push_back({Kind::Memo, box, lines, style, {}, {}});
}

void Band::line(double left, double top, double width) {
    elements_.push_back({Kind::Line, QRectF(left, top, width, 0), {}, {}, {}, {}});
}

void Band::rectangle(const QRectF& box) {
    elements_.push_back({Kind::Rectangle, box, {}, {}, {}, {}});
}

void Band::barChart(const QRectF& box, const std::vector<Bar>& bars, const BarChartStyle& style) {
    elements_.push_back({Kind::Chart, box, {}, {}, bars, style});
}

Band& Page::band(double height) {
    return bands_.emplace_back(Band(height));
}

Band& Page::footer(double height) {
    if (footer_.empty())
        footer_.emplace_back(Band(height));
    return footer_.front();
}

void Page::paint(QPainter& painter, const QSizeF& size) const {
    const Scale s(painter);
    const double footerHeight = footer_.empty() ? 0.0 : footer_.front().height_;
    const double footerTop = std::max(0.0, size.height() - footerHeight);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The bands above the footer end where it begins: what does not fit there is cut.
    painter.setClipRect(QRectF(0, 0, s.x(size.width()), s.y(footerTop)));
    double top = 0;
    for (const Band& b : bands_) {
        if (top >= footerTop)
            break;
        top += paintBand(painter, s, b, top, s.y(footerTop));
    }
    if (!footer_.empty()) {
        painter.setClipRect(
            QRectF(0, s.y(footerTop), s.x(size.width()), s.y(size.height() - footerTop)));
        paintBand(painter, s, footer_.front(), footerTop, s.y(size.height()));
    }
    painter.restore();
}

void Page::print(QPrinter* printer) const {
    QPainter painter;
    if (!painter.begin(printer))
        return;
    paint(painter, printer->pageLayout().paintRect(QPageLayout::Millimeter).size());
    painter.end();
}

} // namespace report
