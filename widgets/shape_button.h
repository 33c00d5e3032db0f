#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPointer>

class QAction;

namespace widgets {

// A rounded, shaded push button drawn by us: vertical gradient lighter at the top, a soft
// highlight band, a darker edge, white text. Being a QAbstractButton it takes focus, answers its
// &-accelerator and Space, and shows its caption (without '&') to assistive technology.
class ShapeButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit ShapeButton(QWidget* parent = nullptr);
    ShapeButton(const QString& text, const QColor& color, QWidget* parent = nullptr);

    void setColor(const QColor& color);
    QColor color() const { return color_; }
    void setTextColor(const QColor& color);
    QColor textColor() const { return textColor_; }
    // Corner rounding in percent of the shorter side.
    void setCornerBias(int percent);
    int cornerBias() const { return cornerBias_; }

    // Takes the enabled and visible state (and, with followText, the text) from the action and
    // triggers it when clicked, so a button and a menu item can share one command.
    void setAction(QAction* action, bool followText = true);
    QAction* action() const { return action_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void syncFromAction();

    QColor color_{0, 0, 128};
    QColor textColor_{Qt::white};
    int cornerBias_ = 15;
    bool hovered_ = false;
    bool followText_ = true;
    QPointer<QAction> action_;
};

} // namespace widgets
