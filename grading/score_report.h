#pragma once

// The printable score report `ppReport1`: one A4 page with the title line, copies of the total
// and section charts, the score line and the date. Preview, print and PDF all render through
// renderScoreReport.

#include "report/page.h"

#include <QDate>
#include <QString>
#include <vector>

class QPrinter;

struct ScoreReportData {
    QString ppLabel1;                             // title line
    QString ppLabel4;                             // score line
    QString ppLabel2 = QStringLiteral("Palvexa"); // edition, in the footer
    std::vector<report::Bar> ppTeeChart1;         // total bars, the first at the bottom
    std::vector<report::Bar> ppTeeChart2;         // section bars, the first at the bottom
    QDate date;                                   // printed date; today when not set
};

// The report's document name, paper and margins.
void setUpScoreReportPrinter(QPrinter& printer);

report::Page scoreReportPage(const ScoreReportData& data);
void renderScoreReport(QPrinter* printer, const ScoreReportData& data);
