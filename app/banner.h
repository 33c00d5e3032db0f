#pragma once

#include <QWidget>

namespace app {

// The program's banner, 221 x 48: a deep blue band with the "Palvexa" wordmark. Painted, not
// a bitmap, so it stays sharp at any scale.
class Banner : public QWidget {
    Q_OBJECT
public:
    explicit Banner(QWidget* parent = nullptr);
    static constexpr int Width = 221;
    static constexpr int Height = 48;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace app
