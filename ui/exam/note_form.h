#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace data {
class ExamTables;
}
namespace widgets {
class DBMemo;
class OutlinedLabel;
} // namespace widgets

// The item line of the note window: exam title, a comma and two spaces, the question's id.
QString noteItemLine(const QString& examTitle, int orNumber);

// The note window: edits U_MEMO of the exam set's current record and writes a saved note back
// into the question bank, so that it comes back whenever the question is drawn again.
class TNoteForm : public QDialog {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget* parent = nullptr);

    // The tables the window works on; the exam window's, when it exists at creation.
    void setTables(data::ExamTables* tables);
    // Fills the item line for the exam set's current item and shows the window modally.
    void showFor(const QString& examTitle);

    QFrame* Panel1 = nullptr;
    widgets::OutlinedLabel* fcLabel1 = nullptr;
    QLabel* Label2 = nullptr;
    widgets::DBMemo* DBMemo1 = nullptr;
    QFrame* Panel2 = nullptr;
    QPushButton* Button1 = nullptr; // Save Note
    QPushButton* Button2 = nullptr; // Cancel
    QPushButton* Button3 = nullptr; // Exit

    void DBMemo1Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void FormClose();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutBands();
    void setEditButtons(bool enabled);
    void cancelPendingEdit();

    data::ExamTables* tables_ = nullptr;
};
