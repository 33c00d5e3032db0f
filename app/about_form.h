#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
namespace app {
class Banner;
}

// The About box: picture, notice lines, the maker's web address, OK.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    app::Banner* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* LinkLabel1 = nullptr;
    QPushButton* bkOK = nullptr;
};
