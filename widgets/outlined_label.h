#pragma once

#include <QColor>
#include <QLabel>

namespace widgets {

// A label that draws its letters as outlines filled with a colour, over a shadow cast a few
// pixels down and right. It stays a QLabel, so its text reaches assistive technology and
// tests as any label's does; the text is always plain.
class OutlinedLabel : public QLabel {
    Q_OBJECT
public:
    explicit OutlinedLabel(QWidget* parent = nullptr);
    explicit OutlinedLabel(const QString& text, QWidget* parent = nullptr);

    void setTextColor(const QColor& color);
    QColor textColor() const { return textColor_; }
    // An invalid colour draws no outline.
    void setOutlineColor(const QColor& color);
    QColor outlineColor() const { return outlineColor_; }
    void setShadowColor(const QColor& color);
    QColor shadowColor() const { return shadowColor_; }
    // Shadow offset in pixels; 0 draws none.
    void setShadowDepth(int pixels);
    int shadowDepth() const { return shadowDepth_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return wordWrap(); }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList layoutLines(int width) const;
    int pad() const;
    int extra() const;

    QColor textColor_{Qt::white};
    QColor outlineColor_{Qt::black};
    QColor shadowColor_{Qt::black};
    int shadowDepth_ = 2;
};

} // namespace widgets
