#include "platform/process.h"
#include "settings/options.h"
#include "settings/options_form.h"
#include "settings/run_button.h"
#include "settings/settings_store.h"
#include "support/scripted_dialogs.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using testsupport::ScriptedDialogs;

namespace {

const QStringList kWriteOrder = {
    "QFontName",     "QFontColor",   "QFontSize",    "DefaultTime", "QFontBold",
    "QFontItalic",   "AFontName",    "AFontColor",   "AFontSize",   "AFontBold",
    "AFontItalic",   "EXPFontName",  "EXPFontColor", "EXPFontSize", "EXPFontBold",
    "EXPFontItalic", "ShowLearnBtn", "TimerOn",      "ShowCalcBtn", "CalcPath",
};

QString makeProgram(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/false\n");
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The exam window as the dialog sees it: three font carriers, its settings, the two buttons
// and the timer restart; the store is an INI file of its own whose writes are recorded.
struct ExamWindow {
    explicit ExamWindow(const QString& iniPath) : store(iniPath) {
        store.setWriteObserver([this](const QString& name, const QString& value) {
            writes << name;
            written.insert(name, value);
        });
        for (QLabel* label : {&question, &answers, &explanation}) {
            label->setParent(&window);
            label->setFont(settings::designFont());
        }
        settings::setWidgetFont(&explanation, settings::designFont(),
                                settings::colorFromWindows(8388608));
        learn.setParent(&window);
        calc.setParent(&window);
        window.show();
        learn.hide();
    }
    settings::ExamWindowLink link() {
        return {
            &question, &answers, &explanation, &options, &learn, &calc, [this] { ++timerStarts; }};
    }
    bool edit(TOptionsForm& form) { return settings::editOptions(form, link(), store); }

    QWidget window;
    QLabel question, answers, explanation;
    QPushButton learn;
    TddgRunButton calc;
    settings::Options options;
    int timerStarts = 0;
    settings::SettingsStore store;
    QStringList writes;
    QHash<QString, QString> written;
};

void clickOk(QDialog* d) {
    QTest::mouseClick(static_cast<TOptionsForm*>(d)->BitBtn1, Qt::LeftButton);
}

} // namespace

class OptionsFormTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    int files_ = 0;
    QString calc_;
    std::unique_ptr<ExamWindow> exam_;
    std::unique_ptr<TOptionsForm> form_;

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
        calc_ = makeProgram(dir_, QStringLiteral("calc.exe"));
    }
    void init() {
        exam_ =
            std::make_unique<ExamWindow>(dir_.filePath(QStringLiteral("o%1.ini").arg(++files_)));
        exam_->options.CalcPath = calc_;
        exam_->calc.setCommandLine(calc_);
        form_ = std::make_unique<TOptionsForm>();
    }
    void cleanup() {
        form_.reset();
        exam_.reset();
    }

    void dialogShowsTheLiveValues() {
        exam_->options.ShowLearnBtn = true;
        exam_->options.TimerOn = false;
        exam_->options.DefaultTime = 45;
        form_->PageControl1->setCurrentWidget(form_->TabSheet3);
        ScriptedDialogs script;
        script.expectModal("TOptionsForm", [&](QDialog* d) {
            auto* f = static_cast<TOptionsForm*>(d);
            QCOMPARE(f->windowTitle(), QStringLiteral("Options"));
            QCOMPARE(f->PageControl1->currentWidget(), f->TabSheet1);
            QCOMPARE(f->ListBox1->currentRow(), 0);
            QCOMPARE(f->Panel1->text(), QStringLiteral("Question"));
            QCOMPARE(f->LearnBtnGroup->ItemIndex(), 0);
            QCOMPARE(f->TimerGroup->ItemIndex(), 1);
            QCOMPARE(f->CalcBtnGroup->ItemIndex(), 0);
            QCOMPARE(f->SpinEdit1->value(), 45);
            QCOMPARE(f->Edit1->text(), calc_);
            QVERIFY(f->ShowLearnBtn && !f->TimerOn && f->ShowCalcBtn);
            // Fixed size.
            QCOMPARE(f->minimumSize(), f->maximumSize());
            f->close();
        });
        QVERIFY(!exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
    }

    void okWritesTheTwentyValuesInOrder() {
        ScriptedDialogs script;
        script.expectModal("TOptionsForm", clickOk);
        QVERIFY(exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(exam_->writes, kWriteOrder);
        QCOMPARE(exam_->written.value("QFontName"), settings::kDesignFontFace);
        QCOMPARE(exam_->written.value("EXPFontColor"), QStringLiteral("8388608"));
        QCOMPARE(exam_->written.value("CalcPath"), calc_);
        // And they are in the file: a fresh read gives the state back.
        settings::SettingsStore reread(exam_->store.location());
        QCOMPARE(settings::loadOptions(reread, QString()), exam_->options);
        QCOMPARE(exam_->timerStarts, 0);
    }

    void closeButtonWritesNothingAndDiscards() {
        ScriptedDialogs script;
        script.expectModal("TOptionsForm", [](QDialog* d) {
            auto* f = static_cast<TOptionsForm*>(d);
            f->LearnBtnGroup->item(0)->click();
            f->TimerGroup->item(1)->click();
            f->CalcBtnGroup->item(1)->click();
            f->SpinEdit1->setValue(30);
            f->Edit1->setText(QStringLiteral("/elsewhere"));
            f->close();
        });
        const settings::Options before = exam_->options;
        QVERIFY(!exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
        QVERIFY(exam_->writes.isEmpty());
        QVERIFY(QFile::exists(exam_->store.location()) == false);
        QCOMPARE(exam_->options, before);
        QVERIFY(!exam_->learn.isVisible());
        QVERIFY(exam_->calc.isVisible());
        QCOMPARE(exam_->timerStarts, 0);

        // The next opening starts again from the live values.
        script.expectModal("TOptionsForm", [](QDialog* d) {
            auto* f = static_cast<TOptionsForm*>(d);
            QCOMPARE(f->LearnBtnGroup->ItemIndex(), 1);
            QCOMPARE(f->TimerGroup->ItemIndex(), 0);
            QCOMPARE(f->CalcBtnGroup->ItemIndex(), 0);
            QCOMPARE(f->SpinEdit1->value(), 90);
            f->close();
        });
        QVERIFY(!exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
    }

    // Each switch changed on the dialog reaches the exam window on OK, and only then.
    void okAppliesChangedValues() {
        ScriptedDialogs script;
        script.expectModal("TOptionsForm", [](QDialog* d) {
            auto* f = static_cast<TOptionsForm*>(d);
            f->LearnBtnGroup->item(0)->click();
            f->TimerGroup->item(1)->click();
            f->CalcBtnGroup->item(1)->click();
            f->SpinEdit1->setValue(9000);
            clickOk(d);
        });
        QVERIFY(exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
        QVERIFY(exam_->learn.isVisible());
        QVERIFY(!exam_->calc.isVisible());
        QCOMPARE(exam_->timerStarts, 1);
        QVERIFY(exam_->options.ShowLearnBtn);
        QVERIFY(!exam_->options.TimerOn);
        QVERIFY(!exam_->options.ShowCalcBtn);
        QCOMPARE(exam_->options.DefaultTime, 9000);
        QCOMPARE(exam_->written.value("ShowLearnBtn"), QStringLiteral("1"));
        QCOMPARE(exam_->written.value("TimerOn"), QStringLiteral("0"));
        QCOMPARE(exam_->written.value("ShowCalcBtn"), QStringLiteral("0"));
        QCOMPARE(exam_->written.value("DefaultTime"), QStringLiteral("9000"));
    }

    // A new path is kept and written even when the button refuses it; the button keeps its
    // program, and the dialog still closes with OK.
    void calculatorPathOnOk_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("another program") << "other.exe" << true;
        QTest::newRow("missing") << "gone.exe" << false;
        // The same file in other letters is a change; here it names no file.
        QTest::newRow("other letter case") << "CALC.EXE" << false;
    }
    void calculatorPathOnOk() {
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        const QString path = accepted ? makeProgram(dir_, name) : dir_.filePath(name);
        ScriptedDialogs script;
        script.expectModal("TOptionsForm", [&](QDialog* d) {
            static_cast<TOptionsForm*>(d)->Edit1->setText(path);
            clickOk(d);
        });
        if (!accepted)
            script.expectError(QStringLiteral("The file: ") + path +
                               QStringLiteral(" cannot be found."));
        QVERIFY(exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(exam_->options.CalcPath, path);
        QCOMPARE(exam_->written.value("CalcPath"), path);
        QCOMPARE(exam_->calc.CommandLine(), accepted ? path : calc_);
    }

    void fontChangeShowsAtOnceAndIsStoredOnlyByOk() {
        ScriptedDialogs script;
        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSize(14);
        chosen.setBold(true);
        chosen.setUnderline(true);
        script.expectModal("TOptionsForm", [&](QDialog* d) {
            auto* f = static_cast<TOptionsForm*>(d);
            f->ListBox1->setCurrentRow(1);
            QCOMPARE(f->Panel1->text(), QStringLiteral("Answers"));
            QTest::mouseClick(f->BitBtn3, Qt::LeftButton);
            // In effect before the dialog closes, and the example follows.
            QCOMPARE(exam_->answers.font().pointSize(), 14);
            QCOMPARE(f->Panel1->font().family(), chosen.family());
            QCOMPARE(settings::widgetFontColor(f->Panel1), QColor(Qt::red));
            f->close();
        });
        script.expectModal("QFontDialog", [&](QDialog* d) {
            auto* fd = static_cast<QFontDialog*>(d);
            // Opens on the example's font (the face as the font database resolves it).
            QCOMPARE(fd->currentFont().pointSize(), 10);
            QVERIFY(!fd->currentFont().bold());
            fd->setCurrentFont(chosen);
            auto* color = fd->findChild<QComboBox*>(QStringLiteral("FontColor"));
            QVERIFY(color && color->isVisibleTo(fd));
            color->setCurrentIndex(color->findText(QStringLiteral("Red")));
            fd->accept();
        });
        QVERIFY(!exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
        QVERIFY(exam_->writes.isEmpty());
        // Stays for the run, underline included; the other two fonts are untouched.
        QCOMPARE(exam_->answers.font().family(), chosen.family());
        QVERIFY(exam_->answers.font().bold());
        QVERIFY(exam_->answers.font().underline());
        QCOMPARE(settings::widgetFontColor(&exam_->answers), QColor(Qt::red));
        QCOMPARE(exam_->question.font().pointSize(), 10);
        QCOMPARE(exam_->explanation.font().family(), settings::kDesignFontFace);

        // A cancelled font dialog changes nothing; OK then writes the font as it now is.
        script.expectModal("TOptionsForm", [](QDialog* d) {
            auto* f = static_cast<TOptionsForm*>(d);
            f->ListBox1->setCurrentRow(1);
            QTest::mouseClick(f->BitBtn3, Qt::LeftButton);
            clickOk(d);
        });
        script.expectModal("QFontDialog", [](QDialog* d) {
            static_cast<QFontDialog*>(d)->setCurrentFont(QFont(QStringLiteral("Courier")));
            d->reject();
        });
        QVERIFY(exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(exam_->written.value("AFontName"), chosen.family());
        QCOMPARE(exam_->written.value("AFontSize"), QStringLiteral("14"));
        QCOMPARE(exam_->written.value("AFontBold"), QStringLiteral("1"));
        QCOMPARE(exam_->written.value("AFontColor"), QStringLiteral("255"));
        QCOMPARE(exam_->written.value("QFontSize"), QStringLiteral("10"));
    }

    void browseReplacesThePath() {
        ScriptedDialogs script;
        const QString other = makeProgram(dir_, QStringLiteral("browsed"));
        script.expectModal("TOptionsForm", [](QDialog* d) {
            auto* f = static_cast<TOptionsForm*>(d);
            f->PageControl1->setCurrentWidget(f->TabSheet2);
            QTest::mouseClick(f->SpeedButton1, Qt::LeftButton); // accepted
            QTest::mouseClick(f->SpeedButton1, Qt::LeftButton); // cancelled
            clickOk(d);
        });
        script.expectModal("QFileDialog", [&](QDialog* d) {
            auto* fd = static_cast<QFileDialog*>(d);
            fd->selectFile(other);
            static_cast<QDialog*>(fd)->accept();
        });
        script.expectModal("QFileDialog", [](QDialog* d) { d->reject(); });
        QVERIFY(exam_->edit(*form_));
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(exam_->calc.CommandLine(), other);
        QCOMPARE(exam_->written.value("CalcPath"), other);
    }
};

// The exam window's side: the calculator check at its creation and File > Options.
class ExamWindowOptionsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    static void storeSettings(const QString& calcPath, bool showCalcBtn) {
        QFile::remove(settings::SettingsStore::defaultFilePath());
        settings::SettingsStore store;
        store.writeString(QStringLiteral("CalcPath"), calcPath);
        store.writeBool(QStringLiteral("ShowCalcBtn"), showCalcBtn);
        store.sync();
    }
    static QByteArray storedText() {
        QFile file(settings::SettingsStore::defaultFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
    }
    void cleanupTestCase() { QFile::remove(settings::SettingsStore::defaultFilePath()); }

    // Only a calculator that is there and may be started is offered; the store is not touched.
    void startupCheck_data() {
        QTest::addColumn<int>("kind"); // 0 program, 1 file that is no program, 2 nothing
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("shown");
        QTest::newRow("program, shown") << 0 << true << true;
        QTest::newRow("program, switched off") << 0 << false << false;
        QTest::newRow("missing") << 2 << true << false;
#ifndef Q_OS_WIN
        QTest::newRow("not executable") << 1 << true << false;
#endif
    }
    void startupCheck() {
        QFETCH(int, kind);
        QFETCH(bool, stored);
        QFETCH(bool, shown);
        QString path = dir_.filePath(QStringLiteral("startup%1.exe").arg(kind));
        if (kind == 0)
            path = makeProgram(dir_, QStringLiteral("startup.exe"));
        if (kind == 1) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        storeSettings(path, stored);
        const QByteArray before = storedText();

        ScriptedDialogs script; // nothing is said at start-up
        TTestForm window;
        QVERIFY2(script.done(), qPrintable(script.report()));
        QCOMPARE(!window.CalcButton->isHidden(), shown);
        QCOMPARE(window.CalcButton->CommandLine(), kind == 0 ? path : QString());
        QCOMPARE(window.Options.ShowCalcBtn, kind == 0 && stored);
        QCOMPARE(storedText(), before);
    }

    // A calculator lost at start-up: the dialog offers the button switched off, and OK writes
    // that, with every other value, to the user's store.
    void optionsAfterAMissingCalculator() {
        storeSettings(dir_.filePath(QStringLiteral("lost.exe")), true);
        TTestForm window;
        TOptionsForm form;
        OptionsForm = &form;
        ScriptedDialogs script;
        script.expectModal("TOptionsForm", [](QDialog* d) {
            QCOMPARE(static_cast<TOptionsForm*>(d)->CalcBtnGroup->ItemIndex(), 1);
            clickOk(d);
        });
        window.Preferences1Click();
        OptionsForm = nullptr;
        QVERIFY2(script.done(), qPrintable(script.report()));
        settings::SettingsStore reread;
        QCOMPARE(settings::loadOptions(reread, window.WindowsDir), window.Options);
        QVERIFY(!window.Options.ShowCalcBtn);
        QVERIFY(storedText().contains("ShowCalcBtn=0"));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    OptionsFormTest options;
    ExamWindowOptionsTest window;
    return QTest::qExec(&options, argc, argv) | QTest::qExec(&window, argc, argv);
}
#include "options_form_test.moc"
