#pragma once

// The score window: the result of a grading as a total chart, a score line and a section
// chart, filled by the exam window's grading and kept until the next one. Its report
// `ppReport1` holds the same content for the printed page.

#include "grading/score_report.h"

#include <QDialog>

class QChart;
class QChartView;
class QFrame;
class QHorizontalStackedBarSeries;
class QLabel;
class QPushButton;
class QScrollArea;

namespace widgets {
class OutlinedLabel;
}

class TScoreForm : public QDialog {
    Q_OBJECT
public:
    explicit TScoreForm(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    widgets::OutlinedLabel* fcLabel1 = nullptr;
    QFrame* Panel4 = nullptr;
    QChartView* TotalChart = nullptr;
    QHorizontalStackedBarSeries* Series1 = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* TotalLabel = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    QChartView* Chart1 = nullptr;
    QLabel* Chart1Title = nullptr; // " Sections ", left-aligned over the chart
    QHorizontalStackedBarSeries* HorizBarSeries1 = nullptr;
    QFrame* Panel14 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

    ScoreReportData ppReport1;

    // Replaces the bars of a chart of this window; the first stands at the bottom.
    void setTotalBars(const std::vector<report::Bar>& bars);
    void setTotalTitle(const QString& title);
    QString totalTitle() const; // as the chart shows it
    void setSectionBars(const std::vector<report::Bar>& bars);

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();

    // There is no way out but the buttons: Escape and the window's close do nothing.
    void reject() override;

private:
    void buildTop();
    void buildTotal();
    void buildSections();
    void buildButtons();
};
