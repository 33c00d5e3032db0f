#pragma once

#include <QDialog>

class TScoreForm : public QDialog {
    Q_OBJECT
public:
    explicit TScoreForm(QWidget* parent = nullptr);
};
