#pragma once

#include <QApplication>

namespace app {

// The application object. Handlers guard themselves; notify() is only the backstop that keeps
// an error that slipped through from unwinding into the event loop.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
