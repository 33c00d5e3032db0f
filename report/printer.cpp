#include "report/printer.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace report {

void setUpPrinter(QPrinter& printer, const QString& documentName) {
    printer.setDocName(documentName);
    printer.setFullPage(false);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(MarginMm, MarginMm, MarginMm, MarginMm),
                                      QPageLayout::Millimeter));
}

} // namespace report
