#include "ui/forms.h"

TMainForm* MainForm = nullptr;
TTestForm* TestForm = nullptr;
TProgressForm* ProgressForm = nullptr;
TScoreForm* ScoreForm = nullptr;
TNameForm* NameForm = nullptr;
TReviewForm* ReviewForm = nullptr;
TNoteForm* NoteForm = nullptr;
TOptionsForm* OptionsForm = nullptr;
TDM* DM = nullptr;
TAboutForm* AboutForm = nullptr;
TSamplerForm* SamplerForm = nullptr;
TPict1Form* Pict1Form = nullptr;
