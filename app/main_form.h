#pragma once

#include <QWidget>

class QFrame;
namespace widgets {
class ShapeButton;
}
namespace app {
class Banner;
}

// The start window: the banner and three buttons. It is the application's main window:
// closing it ends the program.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    app::Banner* Image1 = nullptr;
    QFrame* Panel2 = nullptr;
    QFrame* Shape1 = nullptr;
    widgets::ShapeButton* StartTestBtn = nullptr;
    widgets::ShapeButton* SamplerBtn = nullptr;
    widgets::ShapeButton* fcShapeBtn3 = nullptr;

    void StartTestBtnClick();
    void SamplerBtnClick();
    void fcShapeBtn3Click();

Q_SIGNALS:
    // The start window has closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    bool centred_ = false;
};
