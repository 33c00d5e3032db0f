#include "app/dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QPointer>

namespace app {

namespace {

RealDialogs& realDialogs() {
    static RealDialogs real;
    return real;
}

Dialogs* current = nullptr;

QWidget* boxParent() {
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

// Ends a local event loop when its window is hidden (minimising keeps it visible) or destroyed.
class HideWatcher : public QObject {
public:
    HideWatcher(QWidget* window, QEventLoop* loop) : window_(window), loop_(loop) {
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, loop, &QEventLoop::quit);
    }
    ~HideWatcher() override {
        if (window_)
            window_->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Hide && !window_->isVisible())
            loop_->quit();
        return false;
    }

private:
    QPointer<QWidget> window_;
    QEventLoop* loop_;
};

} // namespace

Dialogs& dialogs() {
    return current ? *current : realDialogs();
}

void setDialogs(Dialogs* d) {
    current = d;
}

QString captionFor(MsgKind kind) {
    switch (kind) {
    case MsgKind::Confirm:
        return QStringLiteral("Confirm");
    case MsgKind::Warning:
        return QStringLiteral("Warning");
    case MsgKind::Information:
        return QStringLiteral("Information");
    case MsgKind::Error:
        return QStringLiteral("Error");
    }
    return {};
}

QString errorText(const QString& text) {
    if (text.isEmpty() || text.endsWith(QLatin1Char('.')))
        return text;
    return text + QLatin1Char('.');
}

QString boxText(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

void showCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const palvexa::Error& e) {
            showError(e.text());
        } catch (const std::exception& e) {
            showError(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            showError(QStringLiteral("Unexpected error"));
        }
    } catch (...) {
        // Showing the box itself failed: nothing more can be done for the user here.
    }
}

QMessageBox::StandardButton RealDialogs::ask(MsgKind kind, const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton) {
    QMessageBox::Icon icon = QMessageBox::Question;
    switch (kind) {
    case MsgKind::Confirm:
        icon = QMessageBox::Question;
        break;
    case MsgKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MsgKind::Information:
        icon = QMessageBox::Information;
        break;
    case MsgKind::Error:
        icon = QMessageBox::Critical;
        break;
    }
    QMessageBox box(icon, captionFor(kind), boxText(text), buttons, boxParent());
    box.setTextFormat(Qt::PlainText);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int r = box.exec();
    // exec() answers a standard button's value; anything else means the box was dismissed.
    if (QAbstractButton* clicked = box.clickedButton())
        return box.standardButton(clicked);
    return r >= QMessageBox::FirstButton ? QMessageBox::StandardButton(r) : QMessageBox::NoButton;
}

void RealDialogs::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Palvexa"), boxText(text),
                    QMessageBox::Ok, boxParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

int RealDialogs::execModal(QDialog* dialog) {
    return dialog->exec();
}

void RealDialogs::showModal(QWidget* window) {
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(window, &loop);
    QPointer<QWidget> guard(window);
    window->show();
    window->raise();
    window->activateWindow();
    if (window->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard)
        guard->setWindowModality(Qt::NonModal);
}

} // namespace app
