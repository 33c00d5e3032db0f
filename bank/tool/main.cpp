#include "bank/tool/cli.h"

#include <QGuiApplication>
#include <QTextStream>
#include <memory>

int main(int argc, char** argv) {
    // Only drawing exhibits needs the GUI side, and it never shows a window.
    bool draws = false;
    for (int i = 1; i < argc; ++i)
        draws = draws || qstrcmp(argv[i], "--exhibits-out") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return bank::runBankTool(args, out, err);
}
