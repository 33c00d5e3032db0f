#pragma once

#include "exam/answer_sheet.h"

#include <QDialog>
#include <QIcon>

class QFrame;
class QLabel;
class QListWidget;
class QPainter;
class QPushButton;
class QRectF;

namespace store {
class Table;
}

// The items review: every item of the exam with its chosen letters and a state icon, and a
// jump to any of them. Its list is rebuilt from the answer sheet each time it opens.
class TReviewForm : public QDialog {
    Q_OBJECT
public:
    // Item data role holding an entry's image index.
    static constexpr int ImageRole = Qt::UserRole;
    enum class Variant { States, Results };

    explicit TReviewForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr; // legend area
    QFrame* Panel5 = nullptr; // legend while testing
    QWidget* Image5 = nullptr;
    QLabel* Label6 = nullptr;
    QWidget* Image6 = nullptr;
    QLabel* Label7 = nullptr;
    QWidget* Image4 = nullptr;
    QLabel* Label5 = nullptr;
    QFrame* Panel4 = nullptr; // legend after grading
    QWidget* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    QWidget* Image3 = nullptr;
    QLabel* Label4 = nullptr;
    QFrame* Panel3 = nullptr;
    QListWidget* ListView1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* BitBtn2 = nullptr; // go to the selected question
    QPushButton* BitBtn1 = nullptr; // return

    // The table whose current record is the current item; the go button moves it.
    store::Table* ExamSet = nullptr;

    // The four images, drawn at whatever size and pixel ratio they are asked for.
    static QIcon ImageList1(int index);
    static void drawImage(QPainter& painter, const QRectF& rect, int index);

    // Rebuilds the list from the sheet and shows the matching legend.
    void fillList(const palvexa::AnswerSheet& sheet, Variant variant);
    void addItem(const QString& caption, int image);

    void ListView1SelectItem();
    void BitBtn2Click();
    void ListView1DblClick();
    void BitBtn1Click();
    void FormClose();

    void done(int result) override;

private:
    void goToSelected();
};
