#include "widgets/shape_button.h"

#include <QAction>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QShortcutEvent>

namespace widgets {

ShapeButton::ShapeButton(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(13);
    setFont(f);
}

ShapeButton::ShapeButton(const QString& text, const QColor& color, QWidget* parent)
    : ShapeButton(parent) {
    setText(text);
    setColor(color);
}

void ShapeButton::setColor(const QColor& color) {
    color_ = color;
    update();
}

void ShapeButton::setTextColor(const QColor& color) {
    textColor_ = color;
    update();
}

void ShapeButton::setCornerBias(int percent) {
    cornerBias_ = qBound(0, percent, 50);
    update();
}

void ShapeButton::setAction(QAction* action, bool followText) {
    followText_ = followText;
    if (action_ == action)
        return;
    if (action_) {
        disconnect(action_, nullptr, this, nullptr);
        disconnect(this, &QAbstractButton::clicked, action_, nullptr);
    }
    action_ = action;
    if (!action)
        return;
    syncFromAction();
    connect(action, &QAction::changed, this, &ShapeButton::syncFromAction);
    connect(this, &QAbstractButton::clicked, action, &QAction::trigger);
}

void ShapeButton::syncFromAction() {
    if (!action_)
        return;
    if (followText_)
        setText(action_->text());
    setEnabled(action_->isEnabled());
    setVisible(action_->isVisible());
}

QSize ShapeButton::sizeHint() const {
    const QFontMetrics fm(font());
    const QSize t = fm.size(Qt::TextShowMnemonic, text().isEmpty() ? QStringLiteral("X") : text());
    return {t.width() + 24, t.height() + 14};
}

QSize ShapeButton::minimumSizeHint() const {
    return sizeHint();
}

bool ShapeButton::event(QEvent* event) {
    // The accelerator clicks at once (the default waits for a short press animation), so the
    // command runs within the key press like a menu item's.
    if (event->type() == QEvent::Shortcut) {
        auto* se = static_cast<QShortcutEvent*>(event);
        if (!se->isAmbiguous()) {
            if (isEnabled())
                click();
            return true;
        }
    }
    return QAbstractButton::event(event);
}

void ShapeButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void ShapeButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void ShapeButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = qMin(r.width(), r.height()) * cornerBias_ / 100.0 * 1.6;
    QPainterPath shape;
    shape.addRoundedRect(r, radius, radius);

    QColor base = color_;
    if (!isEnabled()) {
        const int gray = qGray(base.rgb());
        base = QColor(gray, gray, gray).lighter(140);
    } else if (isDown()) {
        base = base.darker(125);
    } else if (hovered_) {
        base = base.lighter(125);
    }

    // Body: light at the top, the colour in the middle, deeper at the bottom; inverted look
    // while pressed.
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    if (isDown()) {
        body.setColorAt(0.0, base.darker(130));
        body.setColorAt(1.0, base.lighter(150));
    } else {
        body.setColorAt(0.0, base.lighter(190));
        body.setColorAt(0.45, base);
        body.setColorAt(1.0, base.darker(140));
    }
    p.fillPath(shape, body);

    // Soft highlight band across the upper part.
    if (!isDown()) {
        const QRectF band = r.adjusted(2, 1.5, -2, -r.height() * 0.52);
        QPainterPath hl;
        const qreal br = qMax<qreal>(0, radius - 1.5);
        hl.addRoundedRect(band, br, br);
        QLinearGradient shine(band.topLeft(), band.bottomLeft());
        shine.setColorAt(0.0, QColor(255, 255, 255, 150));
        shine.setColorAt(1.0, QColor(255, 255, 255, 20));
        p.fillPath(hl, shine);
    }

    // Darker edge.
    p.setPen(QPen(base.darker(200), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);

    // Caption, mnemonic underlined; shifted by a pixel while pressed.
    QRectF textRect = r;
    if (isDown())
        textRect.translate(1, 1);
    QColor fg = isEnabled() ? textColor_ : QColor(235, 235, 235);
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(QColor(0, 0, 0, 90));
        p.drawText(textRect.translated(0.8, 0.8), Qt::AlignCenter | Qt::TextShowMnemonic, text());
    }
    p.setPen(fg);
    p.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());

    // Focus ring: a dotted line inside the edge.
    if (hasFocus()) {
        const qreal inset = 3.5;
        QPen ring(QColor(255, 255, 255, 220), 1.0, Qt::DotLine);
        p.setPen(ring);
        const qreal fr = qMax<qreal>(0, radius - inset);
        p.drawRoundedRect(r.adjusted(inset, inset, -inset, -inset), fr, fr);
    }
}

} // namespace widgets
