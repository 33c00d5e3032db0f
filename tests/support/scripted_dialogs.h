#pragma once

// A script for the modal seam: each question, error box and modal window the program is
// expected to show, in order, with the answer to give. An unexpected one fails the test and
// is answered with "no" (NoButton, a rejected dialog), so the program does not act on it.
//
//     ScriptedDialogs script;
//     script.expectQuestion(app::MsgKind::Confirm, "Are you sure?", QMessageBox::Yes)
//           .expectModal("TAboutForm", [](QDialog* d) { QTest::mouseClick(okOf(d), ...); });
//     ... drive the program ...
//     QVERIFY2(script.done(), qPrintable(script.report()));

#include "app/dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>

class QDialog;
class QWidget;

namespace testsupport {

class ScriptedDialogs : public app::Dialogs {
public:
    // Installs itself; the destructor puts back what answered before (an outer script, or the
    // real dialogs).
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    using DialogDriver = std::function<void(QDialog*)>;
    using WindowDriver = std::function<void(QWidget*)>;

    ScriptedDialogs& expectQuestion(app::MsgKind kind, const QString& text,
                                    QMessageBox::StandardButton answer);
    ScriptedDialogs& expectError(const QString& text);
    // The dialog (by class name) is shown; the driver clicks its controls, which must end it.
    ScriptedDialogs& expectModal(const QString& className, DialogDriver driver);
    // The window is shown modally; the driver works it and must leave it hidden.
    ScriptedDialogs& expectWindow(const QString& className, WindowDriver driver);

    // Everything expected was shown and nothing else.
    bool done() const;
    QString report() const;
    // Texts of the error boxes shown, in order (expected or not).
    const QStringList& errorsShown() const { return errors_; }

    QMessageBox::StandardButton ask(app::MsgKind kind, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;
    void showError(const QString& text) override;
    int execModal(QDialog* dialog) override;
    void showModal(QWidget* window) override;

private:
    enum class Kind { Question, Error, Modal, Window };
    struct Step {
        Kind kind = Kind::Question;
        app::MsgKind msgKind = app::MsgKind::Confirm;
        QString text; // question or error text, or the class name
        QMessageBox::StandardButton answer = QMessageBox::NoButton;
        DialogDriver dialogDriver;
        WindowDriver windowDriver;
    };

    // The next step if it is of the given kind; records a failure otherwise.
    bool take(Kind kind, const QString& what, Step& step);
    void fail(const QString& message);

    ScriptedDialogs* previous_ = nullptr;
    std::deque<Step> steps_;
    QStringList failures_;
    QStringList errors_;
};

} // namespace testsupport
