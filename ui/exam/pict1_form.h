#pragma once

#include <QDialog>

class TPict1Form : public QDialog {
    Q_OBJECT
public:
    explicit TPict1Form(QWidget* parent = nullptr);
};
