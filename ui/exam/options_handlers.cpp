// The exam window's side of the settings: the Options dialog and the calculator button's
// start-up check.

#include "ui/exam/test_form.h"

#include "platform/executable.h"
#include "platform/filesystem.h"
#include "settings/options_form.h"
#include "settings/run_button.h"
#include "settings/settings_store.h"
#include "ui/forms.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

void TTestForm::Preferences1Click() {
    settings::SettingsStore store;
    settings::ExamWindowLink link;
    link.questionFont = QText;
    link.answersFont = ScrollBox1;
    link.explanationFont = ExpText;
    link.options = &Options;
    link.learnButton = LearnButton;
    link.calcButton = CalcButton;
    // The timer's own restart, once the exam window has one.
    link.startExamTimer = [this] {
        [](auto& window) {
            if constexpr (requires { window.StartExamTimer(); })
                window.StartExamTimer();
        }(*this);
    };
    settings::editOptions(*OptionsForm, link, store);
    // A font chosen in the dialog is on the item's controls already, OK or not; the item on
    // screen is laid out again so that its texts and choices follow their new sizes.
    if (ExamMode != palvexa::IdleMode && dtCurrentSet.isOpen() && !ScrollBox1->isHidden())
        ShowCurrentItem();
}

void TTestForm::CheckCalcButton() {
    // Only a calculator that is there and that the button accepts is offered; otherwise the
    // button stays hidden for this run and the stored setting is left as it is. Nothing is
    // said at start-up: the Options dialog shows the button switched off.
    const QString& path = Options.CalcPath;
    if (platform::fileExists(path) && platform::passesExecutableTest(path)) {
        CalcButton->setCommandLine(path);
        CalcButton->setVisible(Options.ShowCalcBtn);
    } else {
        CalcButton->setVisible(false);
        Options.ShowCalcBtn = false;
    }
}
