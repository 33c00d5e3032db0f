#include "app/startup.h"

#include "app/about_form.h"
#include "app/main_form.h"
#include "authoring/dm.h"
#include "authoring/sampler_form.h"
#include "exam/name_form.h"
#include "exam/progress_form.h"
#include "grading/review_form.h"
#include "grading/score_form.h"
#include "settings/options_form.h"
#include "ui/exam/note_form.h"
#include "ui/exam/pict1_form.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

namespace app {

namespace {

template <class T> T* create(std::vector<std::unique_ptr<QObject>>& owned, T*& instance) {
    auto object = std::make_unique<T>();
    instance = object.get();
    owned.push_back(std::move(object));
    return instance;
}

} // namespace

Forms::Forms() {
    create(owned_, MainForm);
    create(owned_, TestForm);
    create(owned_, ProgressForm);
    create(owned_, ScoreForm);
    create(owned_, NameForm);
    create(owned_, ReviewForm);
    create(owned_, NoteForm);
    create(owned_, OptionsForm);
    create(owned_, DM);
    create(owned_, AboutForm);
    create(owned_, SamplerForm);
    create(owned_, Pict1Form);
}

Forms::~Forms() {
    while (!owned_.empty())
        owned_.pop_back();
    MainForm = nullptr;
    TestForm = nullptr;
    ProgressForm = nullptr;
    ScoreForm = nullptr;
    NameForm = nullptr;
    ReviewForm = nullptr;
    NoteForm = nullptr;
    OptionsForm = nullptr;
    DM = nullptr;
    AboutForm = nullptr;
    SamplerForm = nullptr;
    Pict1Form = nullptr;
}

std::unique_ptr<Forms> createForms() {
    return std::make_unique<Forms>();
}

} // namespace app
