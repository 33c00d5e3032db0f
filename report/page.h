#pragma once

// A one-page printed layout in millimetres: bands stacked from the top of the printable area, a
// footer band at its bottom, and in each band labels, memos that grow with their text, rules,
// rectangles and bar charts. The page is described first and painted in one go, so that grown
// bands push the ones below them; whatever falls outside the page (or, above the footer, into
// it) is cut.

#include <QColor>
#include <QRectF>
#include <QString>
#include <deque>
#include <vector>

class QPainter;
class QPrinter;

namespace report {

// Weight of every rule and frame, in points.
constexpr double LineWeightPt = 0.75;

struct TextStyle {
    QString family = QStringLiteral("Arial");
    double points = 10.0;
    bool bold = false;
    bool italic = false;
    QColor color = Qt::black;
    Qt::Alignment alignment = Qt::AlignLeft;
    // A label that is not transparent paints its box white under the text.
    bool transparent = true;
};

// Point size of a font given in screen pixels (96 per inch).
constexpr double pixelsToPoints(double pixels) {
    return pixels * 72.0 / 96.0;
}

struct Bar {
    QString label;
    double value = 0.0;
    QColor color;
};

struct BarChartStyle {
    double minimum = 0.0;
    double maximum = 100.0;
    double step = 10.0;     // one value label and grid line per step
    double thickness = 0.8; // share of its slot a bar fills
    TextStyle valueAxis;    // labels under the value axis
    TextStyle categoryAxis; // bar labels on the left
};

class Band {
public:
    // Positions are millimetres within the band.
    void label(const QRectF& box, const QString& text, const TextStyle& style);
    // Wraps at word boundaries; line breaks in the text stay. Grows downwards with its text
    // and the band grows with it.
    void memo(const QRectF& box, const QString& text, const TextStyle& style);
    // A horizontal rule at the given height.
    void line(double left, double top, double width);
    void rectangle(const QRectF& box);
    // Horizontal bars, the first at the bottom; each label on one line beside its bar.
    void barChart(const QRectF& box, const std::vector<Bar>& bars, const BarChartStyle& style);

    double designHeight() const { return height_; }

    // What the band holds, in the order added.
    enum class Kind { Label, Memo, Line, Rectangle, Chart };
    struct Element {
        Kind kind = Kind::Label;
        QRectF box;
        QString text;
        TextStyle style;
        std::vector<Bar> bars;
        BarChartStyle chart;
    };
    const std::vector<Element>& elements() const { return elements_; }

private:
    friend class Page;
    explicit Band(double height) : height_(height) {}

    double height_;
    std::vector<Element> elements_;
};

class Page {
public:
    // Next band under the ones added before.
    Band& band(double height);
    // The band at the bottom of the page (one per page; a second call returns the same band).
    Band& footer(double height);

    // Paints on a painter whose origin is the printable area's top-left corner; `size` is that
    // area in millimetres.
    void paint(QPainter& painter, const QSizeF& size) const;
    // Paints the page on the printer as its only page.
    void print(QPrinter* printer) const;

private:
    std::deque<Band> bands_; // deque: handed-out references stay valid
    std::deque<Band> footer_;
};

} // namespace report
