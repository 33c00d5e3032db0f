#include "ui/exam/item_report.h"

#include "app/dialogs.h"
#include "data/fields.h"
#include "report/printer.h"
#include "ui/exam/test_form.h"

#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>

namespace {

constexpr double TitleHeight = 35.719;
constexpr double HeaderHeight = 32.015;
constexpr double DetailHeight = 7.144;
constexpr double FooterHeight = 32.015;

report::TextStyle arial(double points, bool bold = false, Qt::Alignment alignment = Qt::AlignLeft) {
    report::TextStyle s;
    s.points = points;
    s.bold = bold;
    s.alignment = alignment;
    return s;
}

} // namespace

ItemReportTemplate::ItemReportTemplate()
    : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    report::setUpPrinter(*printer_, QStringLiteral("Report"));
}

ItemReportTemplate::~ItemReportTemplate() = default;

QStringList ItemReportTemplate::choiceLines(const std::array<QString, 6>& choices,
                                            const QString& explanation) {
    static const char* const prefixes[] = {"a.  ", "b.  ", "c.  ", "d.  ", "e.  ", "f.  "};
    QStringList lines;
    for (int i = 0; i < 6; ++i) {
        if (i < 2 || !choices[std::size_t(i)].isEmpty())
            lines << QString::fromLatin1(prefixes[i]) + choices[std::size_t(i)];
        lines << QString();
    }
    lines << QString() << explanation;
    return lines;
}

report::Page ItemReportTemplate::page() const {
    report::Page page;

    report::Band& title = page.band(TitleHeight);
    title.rectangle(QRectF(10.054, 12.965, 30.692, 8.731)); // ppShape1
    report::TextStyle family = arial(16, true);
    family.italic = true;
    family.color = QColor(0, 0, 128);
    title.label(QRectF(11.906, 14.023, 27.517, 6.350), QStringLiteral(" Orvenda "), family);
    title.label(QRectF(135.467, 14.023, 45.508, 5.027), ppLabel4, arial(12, true, Qt::AlignRight));
    title.line(28.046, 19.315, 152.929); // ppLine1
    title.label(QRectF(150.548, 19.844, 30.427, 4.233), ppLabel1, arial(10, true, Qt::AlignRight));
    title.memo(QRectF(12.700, 29.104, 168.275, 5.027), ppMemo1, arial(10));

    report::Band& header = page.band(HeaderHeight);
    header.line(12.700, 1.323, 168.275); // ppLine2
    header.memo(QRectF(12.700, 4.233, 168.275, 23.548), ppMemo2, arial(10));

    page.band(DetailHeight);

    report::Band& footer = page.footer(FooterHeight);
    footer.line(10.054, 1.323, 169.863); // ppLine4
    footer.label(QRectF(10.054, 1.852, 15.875, 4.233), ppLabel5, arial(10));
    footer.label(QRectF(123.031, 1.852, 57.150, 4.233),
                 QStringLiteral("For personal exam practice only."), arial(10));
    return page;
}

void ItemReportTemplate::render(QPrinter* printer) const {
    page().print(printer);
}

void ItemReportTemplate::print(QWidget* parent) {
    QPrintDialog dialog(printer_.get(), parent);
    if (app::execModal(&dialog) != QDialog::Accepted)
        return;
    render(printer_.get());
}

void TTestForm::Print1Click() {
    ItemReport.ppMemo1 = QText->text();
    ItemReport.ppLabel4 = QStringLiteral("Palvexa, ") + ExamTitle;
    // The item's position in the exam, as the screen counts it, not its identifier.
    ItemReport.ppLabel1 = QStringLiteral("Item Number: ") + QString::number(dtCurrentSet.recNo());
    std::array<QString, 6> choices;
    for (int i = 0; i < 6; ++i)
        choices[std::size_t(i)] = dtCurrentSet.asText(data::choiceField(i));
    ItemReport.ppMemo2 = ItemReportTemplate::choiceLines(choices, dtCurrentSet.asText(data::Q_EXPL))
                             .join(QLatin1Char('\n'));
    ItemReport.ppLabel5 = QStringLiteral("Palvexa");
    ItemReport.print(this);
}
