#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The name dialog: candidate name, time limit and, for a random exam, the number of questions.
// Created once, so what the user typed stays from one exam to the next.
class TNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TNameForm(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // "Date: " and today's date
    QLabel* Label3 = nullptr;
    QLineEdit* NameEdit = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* SpinEdit1 = nullptr; // minutes
    QLabel* Label4 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;  // number of questions
    QPushButton* BitBtn1 = nullptr; // OK
    QPushButton* BitBtn2 = nullptr; // Cancel

    // Enables or disables the question count with its label and colours.
    void setCountEnabled(bool enabled);
    // The field's typed text as its value: not a number reads as the minimum, and the result
    // is brought into the field's range (and put back into the field).
    static int readSpin(QSpinBox* spin);

    void BitBtn1Click();

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void FormActivate();
};
