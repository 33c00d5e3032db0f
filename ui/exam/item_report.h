#pragma once

// The item page `ItemReport`: the current item's question, choices and explanation on one A4
// page under a header with the exam title and the item number. Filled anew for every print;
// only the printer setup is kept for the rest of the run.

#include "report/page.h"

#include <QString>
#include <QStringList>
#include <array>
#include <memory>

class QPrinter;
class QWidget;

class ItemReportTemplate {
public:
    ItemReportTemplate();
    ~ItemReportTemplate();

    QString ppMemo1;  // the question
    QString ppLabel4; // edition and exam title
    QString ppLabel1; // item number
    QString ppMemo2;  // choices and explanation
    QString ppLabel5; // edition

    // The choice lines, "a.  " to "f.  ", each followed by an empty line, a second empty line,
    // then the explanation. a and b always appear; c to f only with a text; the empty lines
    // always do.
    static QStringList choiceLines(const std::array<QString, 6>& choices,
                                   const QString& explanation);

    report::Page page() const;
    void render(QPrinter* printer) const;
    // The print dialog over the kept printer, then the page; nothing when it is cancelled.
    void print(QWidget* parent);
    QPrinter* printer() { return printer_.get(); }

private:
    std::unique_ptr<QPrinter> printer_;
};
