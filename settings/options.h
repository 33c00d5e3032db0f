#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace settings {

class SettingsStore;

// The face the three fonts have until a stored name replaces it.
inline const QString kDesignFontFace = QStringLiteral("MS Sans Serif");

// The candidate's settings, as the exam window holds them. Field names are the value names in
// the store; the order is the order in which they are read.
struct Options {
    QString QFontName;  // empty: keep the face as designed
    int QFontColor = 0; // Windows colour 0x00BBGGRR
    int QFontSize = 10; // points
    bool QFontBold = false;
    bool QFontItalic = false;
    QString AFontName;
    int AFontColor = 0;
    int AFontSize = 10;
    bool AFontBold = false;
    bool AFontItalic = false;
    QString EXPFontName;
    int EXPFontColor = 8388608; // navy
    int EXPFontSize = 10;
    bool EXPFontBold = false;
    bool EXPFontItalic = false;
    bool ShowLearnBtn = false;
    bool ShowCalcBtn = true;
    bool TimerOn = true;
    int DefaultTime = 90; // minutes
    QString CalcPath;     // default: defaultCalcPath(windowsDir)

    friend bool operator==(const Options&, const Options&) = default;
};

// The five stored attributes of one font.
struct FontSetting {
    QString name;
    int color = 0; // Windows colour
    int size = 10; // points
    bool bold = false;
    bool italic = false;

    friend bool operator==(const FontSetting&, const FontSetting&) = default;
};

FontSetting questionFont(const Options& options);
FontSetting answersFont(const Options& options);
FontSetting explanationFont(const Options& options);
void setQuestionFont(Options& options, const FontSetting& font);
void setAnswersFont(Options& options, const FontSetting& font);
void setExplanationFont(Options& options, const FontSetting& font);

// The calculator the program proposes: the system's program folder and its calculator.
QString defaultCalcPath(const QString& windowsDir);

// Reads the twenty settings; what is missing or unreadable takes its default.
Options loadOptions(SettingsStore& store, const QString& windowsDir);

// Writes all twenty settings and flushes them; throws palvexa::Error when they cannot be saved.
void saveOptions(SettingsStore& store, const Options& options);

// A font as the exam window's labels start with it: the design face, no style.
QFont designFont();

// Applies a stored font: an empty name keeps the face, styles are only added (never removed),
// a size that is not positive keeps the size.
void applyFontSetting(QFont& font, QColor& color, const FontSetting& setting);

// The stored attributes of a font as it now is.
FontSetting fontSettingFrom(const QFont& font, const QColor& color);

// Windows colours are 0x00BBGGRR; the high byte is ignored when reading.
QColor colorFromWindows(int value);
int windowsFromColor(const QColor& color);

} // namespace settings
