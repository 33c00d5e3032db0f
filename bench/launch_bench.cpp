// Measures the launch of All Questions on the delivered bank: from the name dialog's OK to item 1
// laid out in the exam window, offscreen. Prints each run and the median.

#include "app/dialogs.h"
#include "app/startup.h"
#include "data/fields.h"
#include "exam/name_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Confirms the name dialog at once and starts the clock at OK.
class Confirming : public app::Dialogs {
public:
    QElapsedTimer clock;
    int errors = 0;

    QMessageBox::StandardButton ask(app::MsgKind, const QString& text, QMessageBox::StandardButtons,
                                    QMessageBox::StandardButton) override {
        std::fprintf(stderr, "unexpected question: %s\n", qPrintable(text));
        ++errors;
        return QMessageBox::NoButton;
    }
    void showError(const QString& text) override {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
        ++errors;
    }
    int execModal(QDialog* dialog) override {
        dialog->setResult(0);
        dialog->show();
        QCoreApplication::processEvents();
        clock.start();
        NameForm->BitBtn1->click();
        return dialog->result();
    }
    void showModal(QWidget*) override {}
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    int runs = 9;
    for (int i = 1; i < argc; ++i)
        if (qstrncmp(argv[i], "--runs=", 7) == 0)
            runs = std::max(1, atoi(argv[i] + 7));

    // A copy of the delivered bank, so the notes of the real one stay untouched.
    QTemporaryDir dir;
    const QString bank = QStringLiteral(PALVEXA_BIN_DIR "/") + data::QuestionBankFile;
    if (!dir.isValid() || !QFile::copy(bank, dir.filePath(data::QuestionBankFile))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(bank));
        return 1;
    }

    Confirming dialogs;
    app::setDialogs(&dialogs);
    auto forms = app::createForms();
    // Start-up made the executable's folder current; work on the copy instead.
    QDir::setCurrent(dir.path());
    TestForm->show();
    QCoreApplication::processEvents();

    std::vector<double> ms;
    for (int r = 0; r < runs; ++r) {
        TestForm->AllQAct->trigger();
        // Whatever the launch left for the event loop to lay out belongs to item 1.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        const double t = dialogs.clock.nsecsElapsed() / 1e6;
        if (dialogs.errors || TestForm->ExamMode != 1) {
            std::fprintf(stderr, "the launch failed\n");
            return 1;
        }
        ms.push_back(t);
        std::printf("run %d: %.1f ms (%d items)\n", r + 1, t, TestForm->ItemCount);
        TestForm->CloseCurrentExam();
        QCoreApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("All Questions, OK to item 1 laid out: median %.1f ms over %d runs (target < 50)\n",
                ms[ms.size() / 2], runs);
    forms.reset();
    app::setDialogs(nullptr);
    return 0;
}
