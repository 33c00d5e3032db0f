#include "app/application.h"
#include "app/main_form.h"
#include "app/startup.h"
#include "ui/forms.h"

int main(int argc, char** argv) {
    app::Application application(argc, argv);
    // Set before the first window: it is the task-bar text.
    QApplication::setApplicationName(QStringLiteral("Palvexa"));
    // The program ends when the start window closes, not when the last window happens to hide.
    QApplication::setQuitOnLastWindowClosed(false);

    const auto forms = app::createForms();
    QObject::connect(MainForm, &TMainForm::closed, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    MainForm->show();
    return application.exec();
}
