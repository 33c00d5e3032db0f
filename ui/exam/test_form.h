#pragma once

#include "data/exam_tables.h"
#include "exam/exam_state.h"
#include "settings/options.h"
#include "ui/exam/item_report.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class TddgRunButton;
namespace widgets {
class OutlinedLabel;
class ShapeButton;
class TimeCounter;
} // namespace widgets
class QCheckBox;
class QRadioButton;
class QWidget;

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

    // State: the exam state values live in one place; the names below are views of it.
    palvexa::ExamState State;
    std::int32_t& ExamMode = State.examMode;
    QString& ExamTitle = State.examTitle;
    QString& CandidateName = State.candidateName;
    std::int32_t& ItemCount = State.itemCount;
    std::int32_t& FirstItemNumber = State.firstItemNumber;
    double& TimeLimit = State.timeLimit;     // days
    double& ElapsedTime = State.elapsedTime; // days
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

    // Notes and exhibits (notes_exhibits.cpp): the note window for the item on screen, and its
    // exhibit picture.
    void NoteButtonClick();
    void ExhBtnAClick();

    // ---- Welcome panel and launch (welcome.cpp, launch.cpp).
    widgets::OutlinedLabel* fcLabel5 = nullptr; // "Welcome to Palvexa"
    QLabel* fcLabel3 = nullptr;                 // the two subject lines
    QFrame* Panel5 = nullptr;                   // frame of the practice exam row
    widgets::OutlinedLabel* fcLabel4 =
        nullptr; // "Please select the practice exam you want to begin."
    widgets::ShapeButton* fcShapeBtn1 = nullptr;
    widgets::ShapeButton* fcShapeBtn2 = nullptr;
    widgets::ShapeButton* fcShapeBtn3 = nullptr;
    widgets::ShapeButton* fcShapeBtn4 = nullptr;
    widgets::ShapeButton* fcShapeBtn5 = nullptr;
    widgets::ShapeButton* fcShapeBtn6 = nullptr;
    widgets::ShapeButton* fcShapeBtn7 = nullptr;
    widgets::ShapeButton* AllQBtn = nullptr;
    widgets::ShapeButton* RandomBtn = nullptr;
    widgets::ShapeButton* UserBtn = nullptr;
    void buildWelcomePanel();
    void PrepareNameDialog(bool countEnabled);
    void Action1Execute();
    void Action2Execute();
    void Action3Execute();
    void Action4Execute();
    void Action5Execute();
    void Action6Execute();
    void Action7Execute();
    void AllQActExecute();
    void RandActExecute();
    void UserActExecute();
    void StartPracticeExam();
    void StartUserExam();
    void ExamControls();
    void CenterExamButtons();

    // ---- Top bar, question area, bottom bar (question_view.cpp, answering.cpp).
    QLabel* Label1 = nullptr; // item position
    QLabel* Label2 = nullptr; // item identifier
    QLabel* Label3 = nullptr; // exam title
    QCheckBox* MarkBox = nullptr;
    QLabel* CorrectLabel = nullptr;
    QLabel* TimeLabel = nullptr;
    QLabel* ReviewLabel = nullptr;
    widgets::OutlinedLabel* fcLabel1 = nullptr; // subject title
    QWidget* QuestionArea = nullptr;            // the widget inside ScrollBox1, laid out by hand
    QFrame* Shape1 = nullptr;
    QPushButton* ExhBtnA = nullptr;
    QLabel* ALabel1 = nullptr;
    QLabel* ALabel2 = nullptr;
    QLabel* ALabel3 = nullptr;
    QLabel* ALabel4 = nullptr;
    QLabel* ALabel5 = nullptr;
    QLabel* ALabel6 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QPushButton* PrevButton = nullptr;
    QPushButton* NextButton = nullptr;
    QPushButton* Button1 = nullptr; // "Items &Review"
    QPushButton* NoteButton = nullptr;
    QPushButton* GradeButton = nullptr;
    QPushButton* Button3 = nullptr; // "E&xit Exam"
    void buildTopBar();
    void buildQuestionArea();
    void buildBottomBar();
    void dsCurrentSetDataChange();
    void ShowCurrentItem();
    void UpdateAnswerKey();
    void FormResize();
    void PrevButtonClick();
    void NextButtonClick();
    void ALabelClick(int n); // ALabel1Click .. ALabel6Click
    void RadioButton1Click();
    void StoreRadioChoices();
    void CheckBoxClick(int n); // CheckBox1Click .. CheckBox6Click
    void MarkBoxClick();
    void UpdateCorrectFlag();

    // ---- Grading and the score window (grading_handlers.cpp), item print (item_report.cpp).
    void GradeButtonClick();
    void ShowScoreReport();
    void ShowTotalScore();
    void ShowSectionScores();
    void ReviewControls();
    void Print1Click();
    ItemReportTemplate ItemReport; // the item page; keeps its printer setup for the run

    // ---- Items review, ending, timer, Learn Now (review_handlers.cpp, ending.cpp, timer.cpp,
    // learn_now.cpp).
    widgets::TimeCounter* Timer1 = nullptr;
    void buildTimer();
    void Button1Click();
    void ListItemStates();
    void ListItemResults();
    void Button3Click();
    void CloseCurrentExam();
    void StartExamTimer();
    void Timer1Timer();
    void TimeExpired();
    void LearnButtonClick();

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
