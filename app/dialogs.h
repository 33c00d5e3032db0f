#pragma once

// The one seam through which every message box, the error box and every modal window goes.
// The program uses the real boxes; tests install a script that answers each question in turn
// and drives modal windows through their real controls.

#include "platform/error.h"

#include <QMessageBox>
#include <exception>

class QDialog;
class QWidget;

namespace app {

enum class MsgKind { Confirm, Warning, Information, Error };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A question or notice; returns the button chosen (NoButton when the box was closed
    // without one).
    virtual QMessageBox::StandardButton ask(MsgKind kind, const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) = 0;
    // The error box; the text is final (see app::errorText).
    virtual void showError(const QString& text) = 0;
    // Runs a dialog modally and returns its result.
    virtual int execModal(QDialog* dialog) = 0;
    // Shows a window application-modally and returns once it is hidden again.
    virtual void showModal(QWidget* window) = 0;
};

// The dialogs in use; the real ones unless a test installed its own.
Dialogs& dialogs();
// Installs `d` (not owned); nullptr restores the real dialogs.
void setDialogs(Dialogs* d);

// The dialogs that show real boxes and windows.
class RealDialogs : public Dialogs {
public:
    QMessageBox::StandardButton ask(MsgKind kind, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    void showError(const QString& text) override;
    int execModal(QDialog* dialog) override;
    void showModal(QWidget* window) override;
};

// Caption of a message box of the given kind.
QString captionFor(MsgKind kind);
// Text as the error box shows it: a full stop added when it lacks one.
QString errorText(const QString& text);
// Message texts break lines with "\r"; the boxes break them with "\n".
QString boxText(const QString& text);

inline QMessageBox::StandardButton
ask(MsgKind kind, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
    return dialogs().ask(kind, text, buttons, defaultButton);
}
inline void showError(const QString& text) {
    dialogs().showError(errorText(text));
}
inline int execModal(QDialog* dialog) {
    return dialogs().execModal(dialog);
}
inline void showModal(QWidget* window) {
    dialogs().showModal(window);
}

// Shows the error box for the exception in flight; call from a catch block.
void showCurrentException() noexcept;

// Runs a handler body; an error ends it and is shown in the error box, and the program carries
// on. Returns whether the body ran to its end.
template <class F> bool guard(F&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        showCurrentException();
    }
    return false;
}

} // namespace app
