#pragma once

#include <QDialog>

class TNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TNameForm(QWidget* parent = nullptr);
};
