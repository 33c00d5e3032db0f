#include "grading/score_report.h"

#include "report/printer.h"

#include <QLocale>
#include <QPrinter>

namespace {

constexpr double HeaderHeight = 154.517;
constexpr double DetailHeight = 16.140;
constexpr double FooterHeight = 25.665;

const QColor Navy(0, 0, 128);

// The report's labels are opaque: where a rule runs under one, the label's box hides it.
report::TextStyle arial(double points, bool bold = false, Qt::Alignment alignment = Qt::AlignLeft) {
    report::TextStyle s;
    s.transparent = false;
    s.points = points;
    s.bold = bold;
    s.alignment = alignment;
    return s;
}

} // namespace

void setUpScoreReportPrinter(QPrinter& printer) {
    report::setUpPrinter(printer, QStringLiteral("Score Report"));
}

report::Page scoreReportPage(const ScoreReportData& data) {
    report::Page page;
    report::Band& header = page.band(HeaderHeight);

    header.rectangle(QRectF(14.552, 7.144, 29.104, 9.790)); // ppShape2
    report::TextStyle family = arial(16, true);
    family.italic = true;
    family.color = Navy;
    header.label(QRectF(15.346, 8.996, 27.517, 6.350), QStringLiteral(" Orvenda "), family);
    header.label(QRectF(114.300, 7.673, 67.998, 4.763), data.ppLabel1,
                 arial(11, true, Qt::AlignRight));
    header.line(27.252, 13.229, 155.046); // ppLine1
    const QDate date = data.date.isValid() ? data.date : QDate::currentDate();
    header.label(QRectF(163.195, 13.970, 19.473, 4.022),
                 QLocale().toString(date, QLocale::ShortFormat), arial(10, false, Qt::AlignRight));
    header.label(QRectF(76.465, 22.225, 48.948, 4.763), QStringLiteral("Examination Score Report"),
                 arial(11, true, Qt::AlignHCenter));

    header.rectangle(QRectF(15.081, 33.338, 167.482, 32.544)); // ppShape1
    report::BarChartStyle total;
    total.minimum = 0;
    total.maximum = 1000;
    total.step = 100;
    total.thickness = 0.9;
    total.valueAxis = arial(report::pixelsToPoints(13), true);
    total.categoryAxis = arial(report::pixelsToPoints(15), true);
    header.barChart(QRectF(16.404, 34.925, 165.365, 29.369), data.ppTeeChart1, total);

    header.label(QRectF(51.329, 68.527, 96.309, 4.763), data.ppLabel4,
                 arial(11, true, Qt::AlignHCenter));
    // The rule runs behind the caption, so it is drawn first and the caption's box hides it.
    header.line(15.081, 90.223, 167.482); // ppLine2
    header.label(QRectF(16.933, 88.106, 16.404, 4.233), QStringLiteral(" Sections "),
                 arial(10, true, Qt::AlignRight));
    report::BarChartStyle sections;
    sections.minimum = 0;
    sections.maximum = 100;
    sections.step = 10;
    sections.thickness = 0.8;
    sections.valueAxis = arial(report::pixelsToPoints(12));
    sections.categoryAxis = arial(report::pixelsToPoints(12));
    header.barChart(QRectF(10.054, 92.604, 177.800, 49.213), data.ppTeeChart2, sections);

    page.band(DetailHeight); // empty detail band

    report::Band& footer = page.footer(FooterHeight);
    footer.line(10.054, 1.852, 172.509); // ppLine3
    footer.label(QRectF(10.054, 2.381, 14.288, 3.969), data.ppLabel2, arial(9));
    footer.label(QRectF(128.059, 2.381, 54.504, 3.969),
                 QStringLiteral("\u00a9 Orvenda. All rights reserved."),
                 arial(9, false, Qt::AlignRight));
    return page;
}

void renderScoreReport(QPrinter* printer, const ScoreReportData& data) {
    scoreReportPage(data).print(printer);
}
