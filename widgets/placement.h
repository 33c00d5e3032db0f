#pragma once

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace widgets {

// A rectangle of `size` centred in the primary screen's free area (at the origin without one).
inline QRect centredOnScreen(const QSize& size) {
    QRect r(QPoint(), size);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        r.moveCenter(s->availableGeometry().center());
    return r;
}

// Moves a window so that it stands centred on the screen at its current size.
inline void centreOnScreen(QWidget* window) {
    window->move(centredOnScreen(window->size()).topLeft());
}

} // namespace widgets
