#pragma once

#include "data/exam_tables.h"
#include "exam/exam_state.h"
#include "settings/options.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class TddgRunButton;

// The exam window: exam selection, question view, timer and grading entry points. It owns the
// tables, the exam state and the settings as the program holds them.
class TTestForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TTestForm(QWidget* parent = nullptr);
    ~TTestForm() override;

    // The session (its password registered as it is created) and the three tables.
    data::ExamTables Tables;
    store::Table& dtQSet = Tables.dtQSet;
    store::Table& dtCurrentSet = Tables.dtCurrentSet;
    store::Table& dtUserSet = Tables.dtUserSet;
    store::DataSource& dsQSet = Tables.dsQSet;
    store::DataSource& dsCurrentSet = Tables.dsCurrentSet;
    store::DataSource& dsUserSet = Tables.dsUserSet;

    // State.
    std::int32_t ExamMode = palvexa::IdleMode;
    QString WindowsDir;
    settings::Options Options;

    // Menu bar.
    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* N21 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* About1 = nullptr;

    // The exam kinds, each shared by a welcome button and an Exams menu item.
    QAction* Action1 = nullptr;
    QAction* Action2 = nullptr;
    QAction* Action3 = nullptr;
    QAction* Action4 = nullptr;
    QAction* Action5 = nullptr;
    QAction* Action6 = nullptr;
    QAction* Action7 = nullptr;
    QAction* AllQAct = nullptr;
    QAction* RandAct = nullptr;
    QAction* UserAct = nullptr;
    QList<QAction*> examActions() const;

    // Containers of the window; their contents are laid out by the question view.
    QFrame* Panel1 = nullptr;          // top bar
    QFrame* Panel3 = nullptr;          // between the bars
    QScrollArea* ScrollBox1 = nullptr; // question area
    QFrame* QPanel = nullptr;
    QLabel* QText = nullptr;
    QLabel* ExpText = nullptr;
    TddgRunButton* CalcButton = nullptr;
    QFrame* Panel2 = nullptr; // bottom bar
    QPushButton* LearnButton = nullptr;
    QFrame* Panel4 = nullptr; // welcome panel

    // Handlers.
    void Exit1Click();
    void About1Click();
    void Options1Click();
    // Applies the three fonts of the options to the question, answers and explanation.
    void ApplyFonts();

    // Settings: File > Options, and the calculator button's check at creation.
    void Preferences1Click();
    void CheckCalcButton();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void GetWindowsDir();
    void LoadOptions();
    void FormCloseQuery(bool& CanClose);
    void FormClose();
    void buildMenus();
    void buildContainers();
};
