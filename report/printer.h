#pragma once

class QPrinter;
class QString;

namespace report {

// Margins of every printed report, in millimetres.
constexpr double MarginMm = 6.35;

// A4 portrait with the reports' margins, positions in millimetres, under the given job name.
void setUpPrinter(QPrinter& printer, const QString& documentName);

} // namespace report
