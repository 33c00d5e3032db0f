// Next Item on a typical item, from the click to the question view laid out and painted once:
// median and spread over many moves, offscreen.

#include "app/startup.h"
#include "data/bank_writer.h"
#include "data/fields.h"
#include "exam/answer_sheet.h"
#include "settings/settings_store.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QApplication>
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

QString sentence(int words, int seed) {
    static const char* const pool[] = {"share",  "permission", "NTFS",   "folder", "user",
                                       "group",  "printer",    "domain", "boot",   "partition",
                                       "driver", "profile",    "Setup",  "network"};
    QStringList w;
    for (int i = 0; i < words; ++i)
        w << QString::fromLatin1(pool[(seed * 7 + i * 3) % 14]);
    return w.join(QLatin1Char(' '));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const int moves = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    constexpr int Items = 60;

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QFile::remove(settings::SettingsStore::defaultFilePath());
    data::writeQuestionBank(data::QuestionBankFile, {});
    auto forms = app::createForms();
    TTestForm& f = *TestForm;
    f.setWindowState(Qt::WindowNoState);
    f.resize(1024, 768);
    f.show();
    QCoreApplication::processEvents();

    f.dtCurrentSet.open();
    for (int k = 0; k < Items; ++k) {
        f.dtCurrentSet.append();
        f.dtCurrentSet.setText(data::Q_TEXT, sentence(60, k));
        f.dtCurrentSet.setBoolean(data::Q_TYPE, k % 3 == 0);
        for (int i = 0; i < 4 + k % 3; ++i)
            f.dtCurrentSet.setText(data::choiceField(i), sentence(8 + i * 3, k + i));
        f.dtCurrentSet.setBoolean(data::A1, true);
        f.dtCurrentSet.setText(data::Q_EXPL, sentence(70, k + 1));
        f.dtCurrentSet.setInteger(data::Q_SECT, 1 + k % 7);
        f.dtCurrentSet.setInteger(data::Q_OR_NUMBER, k + 1);
        f.dtCurrentSet.post();
    }
    f.ItemCount = Items;
    f.FirstItemNumber = 1;
    palvexa::InitAnswerSheet(f.dtCurrentSet);
    f.ExamMode = palvexa::TestingMode;
    f.ExamControls();
    f.dtCurrentSet.first();
    QCoreApplication::processEvents();

    std::vector<double> ms;
    ms.reserve(std::size_t(moves));
    QElapsedTimer t;
    for (int i = 0; i < moves; ++i) {
        if (!f.NextButton->isEnabled()) {
            f.dtCurrentSet.first();
            QCoreApplication::processEvents();
        }
        t.start();
        f.NextButton->click();
        QCoreApplication::processEvents(); // the posted layout and the one repaint
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms[std::size_t(q * double(ms.size() - 1))]; };
    std::printf("next item to view laid out, %d moves: median %.3f ms, p10 %.3f, p90 %.3f, "
                "max %.3f (target < 8 ms)\n",
                moves, at(0.5), at(0.1), at(0.9), ms.back());
    forms.reset();
    return 0;
}
