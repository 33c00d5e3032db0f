#include "support/scripted_dialogs.h"

#include <QDialog>
#include <QTest>

namespace testsupport {

namespace {

QString describe(app::MsgKind kind) {
    return app::captionFor(kind);
}

} // namespace

namespace {

// The script in charge; a nested one answers until it ends, then the outer one again.
ScriptedDialogs* installed = nullptr;

} // namespace

ScriptedDialogs::ScriptedDialogs() : previous_(installed) {
    installed = this;
    app::setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs() {
    installed = previous_;
    app::setDialogs(previous_);
}

ScriptedDialogs& ScriptedDialogs::expectQuestion(app::MsgKind kind, const QString& text,
                                                 QMessageBox::StandardButton answer) {
    Step s;
    s.kind = Kind::Question;
    s.msgKind = kind;
    s.text = text;
    s.answer = answer;
    steps_.push_back(std::move(s));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectError(const QString& text) {
    Step s;
    s.kind = Kind::Error;
    s.text = text;
    steps_.push_back(std::move(s));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectModal(const QString& className, DialogDriver driver) {
    Step s;
    s.kind = Kind::Modal;
    s.text = className;
    s.dialogDriver = std::move(driver);
    steps_.push_back(std::move(s));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectWindow(const QString& className, WindowDriver driver) {
    Step s;
    s.kind = Kind::Window;
    s.text = className;
    s.windowDriver = std::move(driver);
    steps_.push_back(std::move(s));
    return *this;
}

bool ScriptedDialogs::done() const {
    return steps_.empty() && failures_.isEmpty();
}

QString ScriptedDialogs::report() const {
    QStringList lines = failures_;
    for (const Step& s : steps_)
        lines << QStringLiteral("never shown: ") + s.text;
    return lines.join(QLatin1Char('\n'));
}

void ScriptedDialogs::fail(const QString& message) {
    failures_ << message;
    // Marks the running test failed even when the call is deep inside the program.
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
}

bool ScriptedDialogs::take(Kind kind, const QString& what, Step& step) {
    if (steps_.empty()) {
        fail(QStringLiteral("unexpected ") + what);
        return false;
    }
    if (steps_.front().kind != kind) {
        fail(QStringLiteral("unexpected ") + what + QStringLiteral(" (expected: ") +
             steps_.front().text + QLatin1Char(')'));
        return false;
    }
    step = std::move(steps_.front());
    steps_.pop_front();
    return true;
}

QMessageBox::StandardButton ScriptedDialogs::ask(app::MsgKind kind, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton) {
    const QString what = describe(kind) + QStringLiteral(" box \"") + text + QLatin1Char('"');
    Step s;
    if (!take(Kind::Question, what, s))
        return QMessageBox::NoButton;
    if (s.msgKind != kind || s.text != text) {
        fail(QStringLiteral("expected %1 box \"%2\", got %3")
                 .arg(describe(s.msgKind), s.text, what));
        return QMessageBox::NoButton;
    }
    if (!(buttons & s.answer)) {
        fail(QStringLiteral("the answer is not among the buttons of ") + what);
        return QMessageBox::NoButton;
    }
    return s.answer;
}

void ScriptedDialogs::showError(const QString& text) {
    errors_ << text;
    const QString what = QStringLiteral("error box \"") + text + QLatin1Char('"');
    Step s;
    if (!take(Kind::Error, what, s))
        return;
    if (s.text != text)
        fail(QStringLiteral("expected error box \"%1\", got %2").arg(s.text, what));
}

int ScriptedDialogs::execModal(QDialog* dialog) {
    const QString cls = QString::fromLatin1(dialog->metaObject()->className());
    Step s;
    if (!take(Kind::Modal, QStringLiteral("modal dialog ") + cls, s))
        return QDialog::Rejected;
    if (s.text != cls) {
        fail(QStringLiteral("expected modal dialog %1, got %2").arg(s.text, cls));
        return QDialog::Rejected;
    }
    // As exec() does: a fresh result, the dialog shown application-modal.
    dialog->setResult(0);
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    if (s.dialogDriver)
        s.dialogDriver(dialog);
    if (dialog->isVisible()) {
        fail(QStringLiteral("the driver left %1 open").arg(cls));
        dialog->reject();
    }
    dialog->setWindowModality(Qt::NonModal);
    return dialog->result();
}

void ScriptedDialogs::showModal(QWidget* window) {
    const QString cls = QString::fromLatin1(window->metaObject()->className());
    Step s;
    if (!take(Kind::Window, QStringLiteral("modal window ") + cls, s))
        return;
    if (s.text != cls) {
        fail(QStringLiteral("expected modal window %1, got %2").arg(s.text, cls));
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    if (s.windowDriver)
        s.windowDriver(window);
    if (window->isVisible()) {
        fail(QStringLiteral("the driver left %1 open").arg(cls));
        window->hide();
    }
    window->setWindowModality(Qt::NonModal);
}

} // namespace testsupport
