// Drives the real program over a copy of a program folder and saves a picture of every window in
// every state worth looking at, with a text file per picture listing the tab order, controls
// without an accessible name and texts that do not fit their control.
//
//     xvfb-run -a -s "-screen 0 1600x1000x24" build/tests/palvexa_shots build/bin /tmp/shots

#include "app/about_form.h"
#include "app/application.h"
#include "app/dialogs.h"
#include "app/main_form.h"
#include "app/startup.h"
#include "authoring/sampler_form.h"
#include "data/exam_tables.h"
#include "data/fields.h"
#include "exam/name_form.h"
#include "exam/progress_form.h"
#include "grading/review_form.h"
#include "grading/score_form.h"
#include "grading/score_report.h"
#include "settings/options_form.h"
#include "ui/exam/note_form.h"
#include "ui/exam/pict1_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <deque>
#include <functional>
#include <iostream>

namespace {

QString outDir;

void settle(int ms = 150) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

QString describe(QWidget* w) {
    QString text;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        text = b->text();
    else if (auto* l = qobject_cast<QLabel*>(w))
        text = l->text();
    const QPoint p = w->mapTo(w->window(), QPoint(0, 0));
    return QStringLiteral("%1 %2 \"%3\" at %4,%5 %6x%7")
        .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
             text.left(40).replace(QLatin1Char('\n'), QLatin1Char(' ')))
        .arg(p.x())
        .arg(p.y())
        .arg(w->width())
        .arg(w->height());
}

// Tab order, unnamed controls and texts that do not fit, for the window on the picture.
void report(QWidget* window, QTextStream& out) {
    out << "window " << window->metaObject()->className() << " \"" << window->windowTitle() << "\" "
        << window->width() << "x" << window->height() << "\n-- tab order\n";
    QWidget* w = window;
    int guard = 0;
    do {
        w = w->nextInFocusChain();
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            w->window() == window) {
            QString name;
            if (QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w))
                name = iface->text(QAccessible::Name);
            out << "  " << describe(w) << (name.isEmpty() ? "  [NO ACCESSIBLE NAME]" : "") << "\n";
        }
    } while (w != window && ++guard < 500);
    out << "-- does not fit\n";
    for (QWidget* c : window->findChildren<QWidget*>()) {
        if (!c->isVisible())
            continue;
        if (auto* l = qobject_cast<QLabel*>(c)) {
            if (l->text().isEmpty() || l->textFormat() == Qt::RichText)
                continue;
            const QRect r = l->contentsRect();
            if (l->wordWrap()) {
                if (l->heightForWidth(l->width()) > l->height() + 1)
                    out << "  tall " << describe(c) << " needs " << l->heightForWidth(l->width())
                        << "\n";
            } else if (l->fontMetrics().boundingRect(r, 0, l->text()).width() > r.width() + 1) {
                out << "  wide " << describe(c) << " needs "
                    << l->fontMetrics().boundingRect(r, 0, l->text()).width() << "\n";
            }
        } else if (auto* b = qobject_cast<QAbstractButton*>(c)) {
            if (!b->text().isEmpty() && b->sizeHint().width() > b->width() + 2)
                out << "  wide " << describe(c) << " hint " << b->sizeHint().width() << "\n";
        }
    }
}

void shot(QWidget* w, const QString& name) {
    settle();
    w->grab().save(outDir + QLatin1Char('/') + name + QStringLiteral(".png"));
    QFile f(outDir + QLatin1Char('/') + name + QStringLiteral(".txt"));
    if (f.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&f);
        report(w, out);
    }
    std::cout << "shot " << qPrintable(name) << std::endl;
}

void screenShot(const QString& name) {
    settle();
    QGuiApplication::primaryScreen()->grabWindow(0).save(outDir + QStringLiteral("/screen-") +
                                                         name + QStringLiteral(".png"));
}

// Answers every question affirmatively and hands each modal window to the next driver.
class ShotDialogs : public app::Dialogs {
public:
    using Driver = std::function<int(QWidget*)>;
    std::deque<Driver> drivers;

    QMessageBox::StandardButton ask(app::MsgKind, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton) override {
        std::cout << "ask: " << qPrintable(text) << std::endl;
        return buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok;
    }
    void showError(const QString& text) override {
        std::cout << "ERROR: " << qPrintable(text) << std::endl;
    }
    int execModal(QDialog* dialog) override { return run(dialog); }
    void showModal(QWidget* window) override { run(window); }

private:
    int run(QWidget* w) {
        w->show();
        settle();
        if (drivers.empty()) {
            std::cout << "no driver for " << w->metaObject()->className() << std::endl;
            w->hide();
            return QDialog::Rejected;
        }
        Driver d = std::move(drivers.front());
        drivers.pop_front();
        const int r = d(w);
        if (w->isVisible())
            w->hide();
        return r;
    }
};

ShotDialogs* script = nullptr;

void then(ShotDialogs::Driver d) {
    script->drivers.push_back(std::move(d));
}

int grabAndClose(QWidget* w, const QString& name) {
    shot(w, name);
    if (auto* d = qobject_cast<QDialog*>(w)) {
        d->hide();
        return QDialog::Rejected;
    }
    w->hide();
    return 0;
}

// Items of the exam set worth a picture: shortest, longest, one with an exhibit, one with
// several answers.
struct Picks {
    int shortest = 1, longest = 1, exhibit = 0, multiple = 0;
};

Picks pickItems(TTestForm& f) {
    Picks p;
    int shortLen = 1 << 30, longLen = -1;
    store::Table& t = f.dtCurrentSet;
    const int n = t.recordCount();
    for (int k = 1; k <= n; ++k) {
        t.setRecNo(k);
        const int len = t.asText(data::Q_TEXT).size() + t.asText(data::Q1).size() +
                        t.asText(data::Q2).size() + t.asText(data::Q3).size() +
                        t.asText(data::Q4).size();
        if (len < shortLen)
            shortLen = len, p.shortest = k;
        if (len > longLen)
            longLen = len, p.longest = k;
        if (!p.exhibit && !t.asText(data::PICT1).isEmpty())
            p.exhibit = k;
        if (!p.multiple && t.asBoolean(data::Q_TYPE))
            p.multiple = k;
    }
    t.first();
    return p;
}

void itemShots(TTestForm& f, const Picks& p, const QString& mode) {
    const std::pair<const char*, int> items[] = {{"short", p.shortest},
                                                 {"long", p.longest},
                                                 {"exhibit", p.exhibit},
                                                 {"multiple", p.multiple}};
    for (const auto& [what, k] : items) {
        if (!k)
            continue;
        f.dtCurrentSet.setRecNo(k);
        shot(&f, QStringLiteral("item-%1-%2").arg(QString::fromLatin1(what), mode));
    }
}

void examWindow(TTestForm& f) {
    f.showNormal();
    f.resize(1024, 768);
    shot(&f, QStringLiteral("03-welcome-1024x768"));
    f.resize(1600, 1000);
    shot(&f, QStringLiteral("04-welcome-1600x1000"));
    screenShot(QStringLiteral("welcome"));
    f.resize(1024, 768);

    then([](QWidget* w) { return grabAndClose(w, QStringLiteral("02-about")); });
    f.About1Click();

    then([](QWidget* w) {
        auto* o = static_cast<TOptionsForm*>(w);
        for (int i = 0; i < o->PageControl1->count(); ++i) {
            o->PageControl1->setCurrentIndex(i);
            shot(o, QStringLiteral("05-options-page%1").arg(i + 1));
        }
        o->reject();
        return int(QDialog::Rejected);
    });
    f.Options1Click();

    then([](QWidget* w) {
        screenShot(QStringLiteral("name-practice"));
        shot(w, QStringLiteral("06-name-practice"));
        NameForm->BitBtn2->click();
        return NameForm->result();
    });
    f.Action3Execute();

    ProgressForm->show(120);
    ProgressForm->position(45);
    shot(ProgressForm, QStringLiteral("08-progress"));
    ProgressForm->close();

    then([](QWidget* w) {
        NameForm->NameEdit->setText(QStringLiteral("Jane  Candidate"));
        NameForm->SpinEdit2->setValue(50);
        shot(w, QStringLiteral("07-name-random"));
        NameForm->BitBtn1->click();
        return NameForm->result();
    });
    // Learn Now is off by default; the picture wants it.
    f.Options.ShowLearnBtn = true;
    f.LearnButton->setVisible(true);
    f.RandActExecute();
    settle();
    const Picks picks = pickItems(f);
    std::cout << "picks " << picks.shortest << " " << picks.longest << " " << picks.exhibit << " "
              << picks.multiple << std::endl;
    itemShots(f, picks, QStringLiteral("testing"));
    f.resize(1600, 1000);
    f.dtCurrentSet.setRecNo(picks.longest);
    shot(&f, QStringLiteral("item-long-testing-1600x1000"));
    f.resize(1024, 768);

    // Answer about three items in four, the first choice; mark every seventh.
    for (int k = 1; k <= f.dtCurrentSet.recordCount(); ++k) {
        f.dtCurrentSet.setRecNo(k);
        settle(5);
        if (k % 4 != 0) {
            if (f.RadioButton1->isVisible())
                f.RadioButton1->click();
            else if (f.CheckBox1->isVisible())
                f.CheckBox1->click();
        }
        if (k % 7 == 0)
            f.MarkBox->click();
    }

    f.dtCurrentSet.setRecNo(picks.shortest);
    if (f.LearnButton->isVisible()) {
        f.LearnButtonClick();
        shot(&f, QStringLiteral("learn-now"));
    } else {
        std::cout << "Learn Now button hidden" << std::endl;
    }

    if (picks.exhibit) {
        f.dtCurrentSet.setRecNo(picks.exhibit);
        then([](QWidget* w) { return grabAndClose(w, QStringLiteral("exhibit-item")); });
        f.ExhBtnAClick();
    }
    const QStringList exhibits =
        QDir().entryList({QStringLiteral("*.bmp")}, QDir::Files, QDir::Name);
    for (int i = 0; i < exhibits.size(); i += 3) {
        then([i](QWidget* w) { return grabAndClose(w, QStringLiteral("exhibit-%1").arg(i)); });
        app::guard([&] { Pict1Form->showExhibit(exhibits[i]); });
    }

    f.dtCurrentSet.setRecNo(picks.longest);
    then([](QWidget* w) {
        shot(w, QStringLiteral("note-empty"));
        return grabAndClose(w, QStringLiteral("note"));
    });
    f.NoteButtonClick();

    then([](QWidget* w) {
        screenShot(QStringLiteral("review-states"));
        return grabAndClose(w, QStringLiteral("review-states"));
    });
    f.Button1Click();

    f.dtCurrentSet.setRecNo(picks.longest);
    then([](QWidget* w) {
        auto* d = static_cast<QPrintDialog*>(w);
        d->printer()->setOutputFormat(QPrinter::PdfFormat);
        d->printer()->setOutputFileName(outDir + QStringLiteral("/item-print.pdf"));
        d->hide();
        return int(QDialog::Accepted);
    });
    f.Print1Click();

    then([](QWidget* w) {
        shot(w, QStringLiteral("score"));
        screenShot(QStringLiteral("score"));
        QPrinter pdf(QPrinter::HighResolution);
        setUpScoreReportPrinter(pdf);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(outDir + QStringLiteral("/score-report.pdf"));
        renderScoreReport(&pdf, ScoreForm->ppReport1);
        then([](QWidget* p) {
            p->resize(900, 800);
            return grabAndClose(p, QStringLiteral("score-preview"));
        });
        ScoreForm->BitBtn2Click();
        ScoreForm->BitBtn1Click();
        return int(QDialog::Accepted);
    });
    f.GradeButtonClick();

    itemShots(f, picks, QStringLiteral("review"));
    then([](QWidget* w) { return grabAndClose(w, QStringLiteral("review-results")); });
    f.Button1Click();

    f.Button3Click();
    shot(&f, QStringLiteral("welcome-after-exam"));
    f.Exit1Click();
}

void sampler(QWidget* w) {
    w->resize(646, 462);
    shot(w, QStringLiteral("sampler-646x462"));
    auto* s = static_cast<TSamplerForm*>(w);
    for (int i = 0; i < s->PageControl1->count(); ++i) {
        s->PageControl1->setCurrentIndex(i);
        shot(w, QStringLiteral("sampler-646x462-page%1").arg(i + 1));
    }
    s->PageControl1->setCurrentIndex(0);
    w->resize(1200, 900);
    for (int i = 0; i < s->PageControl1->count(); ++i) {
        s->PageControl1->setCurrentIndex(i);
        shot(w, QStringLiteral("sampler-1200x900-page%1").arg(i + 1));
    }
    s->Exit1Click();
}

void writeUserSet() {
    store::Session session(data::SessionName + QStringLiteral("Shots"));
    session.addPassword(data::SessionPassword);
    store::Table table(session);
    data::configureUserSet(table);
    table.setFileName(data::UserSetFile);
    table.emptyTable();
    table.open();
    for (int i = 1; i <= 6; ++i) {
        table.append();
        table.setValue(data::Q_SECT, 1 + i % 7);
        table.setValue(data::Q_TYPE, i % 2 == 0);
        table.setValue(data::Q_TEXT,
                       QStringLiteral("User question %1: which command shows the IP "
                                      "configuration of every adapter of the workstation?")
                           .arg(i));
        table.setValue(data::Q1, QStringLiteral("ipconfig /all"));
        table.setValue(data::Q2, QStringLiteral("ping 127.0.0.1"));
        table.setValue(data::Q3, QStringLiteral("netstat -r"));
        table.setValue(data::A1, true);
        table.setValue(data::Q_EXPL, QStringLiteral("ipconfig /all lists every adapter."));
        table.post();
    }
    table.close();
}

} // namespace

int main(int argc, char** argv) {
    app::Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palvexa"));
    QApplication::setQuitOnLastWindowClosed(false);
    QStandardPaths::setTestModeEnabled(true);
    if (argc < 3) {
        std::cerr << "usage: palvexa_shots <program folder> <picture folder>" << std::endl;
        return 2;
    }
    outDir = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QDir().mkpath(outDir);
    QTemporaryDir folder;
    const QDir from(QString::fromLocal8Bit(argv[1]));
    for (const QString& name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), folder.filePath(name));
    QDir::setCurrent(folder.path());
    writeUserSet();

    ShotDialogs dialogs;
    script = &dialogs;
    app::setDialogs(&dialogs);
    const auto forms = app::createForms();
    QDir::setCurrent(folder.path());

    MainForm->show();
    shot(MainForm, QStringLiteral("01-start"));
    screenShot(QStringLiteral("start"));

    then([](QWidget* w) {
        app::guard([&] { examWindow(*static_cast<TTestForm*>(w)); });
        return 0;
    });
    MainForm->StartTestBtnClick();

    then([](QWidget* w) {
        app::guard([&] { sampler(w); });
        return 0;
    });
    MainForm->SamplerBtnClick();

    app::setDialogs(nullptr);
    return 0;
}
