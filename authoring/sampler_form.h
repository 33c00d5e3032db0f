#pragma once

#include <QMainWindow>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QToolBar;
class QToolButton;
namespace widgets {
class DBCheckBox;
class DBEdit;
class DBMemo;
class DBNavigator;
class DBTreeView;
class OutlinedLabel;
} // namespace widgets

// The Test Sampler: writes the user question set, item by item, through the data module's
// table (TDM). The data module's handlers keep its header, status bar and buttons in step.
class TSamplerForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TSamplerForm(QWidget* parent = nullptr);

    // Hides the start window, opens the user question set and shows the Sampler modally;
    // returns when it is closed.
    void OpenSampler();
    // The item actions, the item tree and the navigator, all together.
    void EnableActions(bool enabled);

    // Status panel `index` (0..3).
    void setPanelText(int index, const QString& text);
    QString panelText(int index) const;

    // Actions and menus.
    QAction* AddAct = nullptr;
    QAction* EditAct = nullptr;
    QAction* DelAct = nullptr;
    QMenu* File1 = nullptr;
    QAction* Exit1 = nullptr;
    QMenu* Items1 = nullptr;
    QAction* Emptyquestionset1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* About1 = nullptr;
    QMenu* PopupMenu1 = nullptr;

    QToolBar* ToolBar1 = nullptr;
    QToolButton* ToolButton1 = nullptr;
    QToolButton* ToolButton2 = nullptr;
    QToolButton* ToolButton3 = nullptr;

    QSplitter* Splitter1 = nullptr;
    widgets::DBTreeView* fcDBTreeView1 = nullptr;
    QFrame* Panel1 = nullptr; // header strip
    widgets::OutlinedLabel* fcLabel4 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QLabel* Label1 = nullptr;
    widgets::DBMemo* DBMemo1 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QLabel* Label4 = nullptr;
    QScrollArea* ScrollBox2 = nullptr;
    widgets::DBCheckBox* DBCheckBox[6] = {}; // DBCheckBox1 .. DBCheckBox6, flags A1 .. A6
    widgets::DBEdit* DBEdit[6] = {};         // DBEdit2 .. DBEdit7, choices Q1 .. Q6
    QLabel* Label5 = nullptr;
    widgets::DBMemo* DBMemo2 = nullptr;
    QFrame* Panel2 = nullptr; // bottom row
    widgets::DBNavigator* DBNavigator1 = nullptr;
    QPushButton* BitBtn1 = nullptr; // Save
    QPushButton* BitBtn2 = nullptr; // Cancel
    QLabel* StatusPanels[4] = {};

    // Handlers.
    void AddActExecute();
    void EditActExecute();
    void DelActExecute();
    void BitBtn1Click();
    void BitBtn2Click();
    void ComboBox1Change();
    void ListBox1Click();
    void TabSheet2Enter();
    void PageControl1Resize();
    void Emptyquestionset1Click();
    void Exit1Click();
    void About1Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void FormCloseQuery(bool& CanClose);
    void FormClose();
    void buildActions();
    void buildMenus();
    void buildToolBar();
    QWidget* buildPages();
    void buildStatusBar();
};
