#pragma once

#include <QDialog>
#include <QGroupBox>
#include <functional>

class QButtonGroup;
class QComboBox;
class QFileDialog;
class QFontDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class TddgRunButton;

namespace settings {
struct Options;
class SettingsStore;
} // namespace settings

// A titled group of radio buttons, one selected; Click follows every change of the selection,
// made by the user or by the program.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);
    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const;
Q_SIGNALS:
    void Click();

private:
    QButtonGroup* buttons_;
};

// The Options dialog: the three fonts of the exam window, the Learn Now and calculator
// buttons, the calculator's path, the timer switch and the default exam time.
class TOptionsForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptionsForm(QWidget* parent = nullptr);

    QGroupBox* GroupBox1 = nullptr; // "Fonts"
    QListWidget* ListBox1 = nullptr;
    QLabel* Panel1 = nullptr; // the example
    QPushButton* BitBtn3 = nullptr;
    QFontDialog* FDialog = nullptr;
    QComboBox* FontColor = nullptr; // the colour, inside the font dialog
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    RadioGroup* LearnBtnGroup = nullptr;
    RadioGroup* CalcBtnGroup = nullptr;
    QLabel* Label1 = nullptr; // "Calculator path:"
    QLineEdit* Edit1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;
    RadioGroup* TimerGroup = nullptr;
    QLabel* Label2 = nullptr; // "Deafault Time (min):"
    QSpinBox* SpinEdit1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // OK

    // The exam window's three fonts, reached through the widgets that carry them (not copies:
    // a change shows in the exam window at once).
    QWidget* QuestionFont = nullptr;
    QWidget* AnswersFont = nullptr;
    QWidget* ExplanationFont = nullptr;

    // What OK applies the working values to: the exam window's settings and the controls
    // they drive.
    settings::Options* ExamOptions = nullptr;
    QWidget* LearnButton = nullptr;
    TddgRunButton* CalcButton = nullptr;
    std::function<void()> StartExamTimer;

    // Working copies.
    bool ShowLearnBtn = false;
    bool ShowCalcBtn = true;
    bool TimerOn = true;
    int DefaultTime = 90;
    QString CalcPath;

    // Handlers.
    void FormActivate();
    void ListBox1Click();
    void BitBtn3Click();
    void LearnBtnGroupClick();
    void TimerGroupClick();
    void CalcBtnGroupClick();
    void SpeedButton1Click();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* selectedFontOwner() const;
    void buildFontsGroup();
    void buildPages();
    void addColorToFontDialog();
};

namespace settings {

// A font of the exam window: the font of a widget and its text colour.
void setWidgetFont(QWidget* widget, const QFont& font, const QColor& color);
QColor widgetFontColor(const QWidget* widget);

// What the Options dialog works on in the exam window.
struct ExamWindowLink {
    QWidget* questionFont = nullptr;
    QWidget* answersFont = nullptr;
    QWidget* explanationFont = nullptr;
    Options* options = nullptr;
    QWidget* learnButton = nullptr;
    TddgRunButton* calcButton = nullptr;
    std::function<void()> startExamTimer;
};

// Shows the Options dialog over the exam window's live values and, when it closes with OK,
// writes all twenty settings to the store (nothing otherwise). Returns whether OK closed it.
bool editOptions(TOptionsForm& form, const ExamWindowLink& link, SettingsStore& store);

} // namespace settings
