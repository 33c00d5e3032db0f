#pragma once

#include "exam/builders.h"

#include <QDialog>

class QProgressBar;

// The small window that counts the records copied while an exam set is built. The build runs on
// the GUI thread without taking input, so the bar repaints itself at each step.
class TProgressForm : public QDialog, public palvexa::BuildProgress {
    Q_OBJECT
public:
    explicit TProgressForm(QWidget* parent = nullptr);

    QProgressBar* ProgressBar1 = nullptr;

    // BuildProgress: shown before the build, position k before copying record k, closed after
    // (also when the build fails).
    void show(int max) override;
    using QDialog::show;
    void position(int k) override;
    void close() override;
};
