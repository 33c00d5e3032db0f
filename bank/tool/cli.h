#pragma once

#include <QStringList>
#include <QTextStream>

namespace bank {

// Runs one palvexa-bank command (args without the program name); returns the exit code.
// Drawing exhibits needs a QGuiApplication.
int runBankTool(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace bank
