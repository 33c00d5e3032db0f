#include "settings/run_button.h"

#include "app/dialogs.h"
#include "platform/error.h"
#include "platform/executable.h"
#include "platform/filesystem.h"
#include "platform/process.h"

TddgRunButton::TddgRunButton(QWidget* parent) : QToolButton(parent) {
    setObjectName(QStringLiteral("ddgRunButton"));
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setAutoRaise(true);
    resize(45, 45);
    setIconSize(QSize(32, 32));
    setIcon(designPicture());
    // The click comes from the event loop: an error ends it in the error box.
    connect(this, &QAbstractButton::clicked, this, [this] { app::guard([this] { Click(); }); });
}

QPixmap TddgRunButton::designPicture() {
    return platform::calculatorPicture(32);
}

void TddgRunButton::setCommandLine(const QString& path) {
    if (!platform::passesExecutableTest(path))
        throw palvexa::Error(path + QStringLiteral(" is not an executable file."));
    if (!platform::fileExists(path))
        throw palvexa::Error(QStringLiteral("The file: ") + path +
                             QStringLiteral(" cannot be found."));
    commandLine_ = path;
    setIcon(platform::programIcon(path));
}

void TddgRunButton::Click() {
    const int code = platform::startProgram(commandLine_);
    if (code != 0)
        throw palvexa::Error(QStringLiteral("Error executing program. Error Code:; ") +
                             QString::number(code & 0xffff));
}
