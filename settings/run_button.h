#pragma once

#include <QToolButton>

// A flat picture button that starts a program: it holds the program's path in CommandLine,
// shows the program's icon and starts it as a new process when clicked.
class TddgRunButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(QString CommandLine READ CommandLine WRITE setCommandLine)
public:
    explicit TddgRunButton(QWidget* parent = nullptr);

    QString CommandLine() const { return commandLine_; }
    // Accepts the path of an executable file that exists and takes its icon as the picture.
    // Otherwise throws palvexa::Error and leaves the program and the picture as they were.
    void setCommandLine(const QString& path);

    // Starts the program; throws palvexa::Error with the system's code when it cannot start.
    void Click();

    // The picture until a program is set.
    static QPixmap designPicture();

    QSize sizeHint() const override { return QSize(45, 45); }

private:
    QString commandLine_;
};
