#pragma once

#include <QDialog>

class TNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget* parent = nullptr);
};
