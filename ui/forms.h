#pragma once

// The single instances of the program's windows, created once at start-up (app/startup.h) and
// reached by the other windows.

class TMainForm;
class TTestForm;
class TProgressForm;
class TScoreForm;
class TNameForm;
class TReviewForm;
class TNoteForm;
class TOptionsForm;
class TDM;
class TAboutForm;
class TSamplerForm;
class TPict1Form;

extern TMainForm* MainForm;
extern TTestForm* TestForm;
extern TProgressForm* ProgressForm;
extern TScoreForm* ScoreForm;
extern TNameForm* NameForm;
extern TReviewForm* ReviewForm;
extern TNoteForm* NoteForm;
extern TOptionsForm* OptionsForm;
extern TDM* DM;
extern TAboutForm* AboutForm;
extern TSamplerForm* SamplerForm;
extern TPict1Form* Pict1Form;
