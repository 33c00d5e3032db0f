#include "exam/progress_form.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 231;
constexpr int ClientHeight = 15;

} // namespace

TProgressForm::TProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("ProgressForm"));
    setWindowTitle(QStringLiteral("Randomizing queastion set..."));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setMinimum(0);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    layout->addWidget(ProgressBar1);
    setFixedSize(ClientWidth, ClientHeight);
}

void TProgressForm::show(int max) {
    ProgressBar1->setMaximum(max);
    ProgressBar1->setValue(0);
    QRect r(QPoint(), size());
    if (const QScreen* s = QGuiApplication::primaryScreen())
        r.moveCenter(s->geometry().center());
    move(r.topLeft());
    QDialog::show();
    repaint();
}

void TProgressForm::position(int k) {
    ProgressBar1->setValue(k);
    ProgressBar1->repaint();
}

void TProgressForm::close() {
    hide();
}
