#include "settings/options.h"

#include "platform/filesystem.h"
#include "settings/settings_store.h"

#include <QtMath>

namespace settings {

FontSetting questionFont(const Options& o) {
    return {o.QFontName, o.QFontColor, o.QFontSize, o.QFontBold, o.QFontItalic};
}

FontSetting answersFont(const Options& o) {
    return {o.AFontName, o.AFontColor, o.AFontSize, o.AFontBold, o.AFontItalic};
}

FontSetting explanationFont(const Options& o) {
    return {o.EXPFontName, o.EXPFontColor, o.EXPFontSize, o.EXPFontBold, o.EXPFontItalic};
}

void setQuestionFont(Options& o, const FontSetting& f) {
    o.QFontName = f.name;
    o.QFontColor = f.color;
    o.QFontSize = f.size;
    o.QFontBold = f.bold;
    o.QFontItalic = f.italic;
}

void setAnswersFont(Options& o, const FontSetting& f) {
    o.AFontName = f.name;
    o.AFontColor = f.color;
    o.AFontSize = f.size;
    o.AFontBold = f.bold;
    o.AFontItalic = f.italic;
}

void setExplanationFont(Options& o, const FontSetting& f) {
    o.EXPFontName = f.name;
    o.EXPFontColor = f.color;
    o.EXPFontSize = f.size;
    o.EXPFontBold = f.bold;
    o.EXPFontItalic = f.italic;
}

QString defaultCalcPath(const QString& windowsDir) {
    return windowsDir + platform::defaultCalculatorName();
}

Options loadOptions(SettingsStore& s, const QString& windowsDir) {
    const Options d;
    Options o;
    o.QFontName = s.readString(QStringLiteral("QFontName"), d.QFontName);
    o.QFontColor = s.readInteger(QStringLiteral("QFontColor"), d.QFontColor);
    o.QFontSize = s.readInteger(QStringLiteral("QFontSize"), d.QFontSize);
    o.QFontBold = s.readBool(QStringLiteral("QFontBold"), d.QFontBold);
    o.QFontItalic = s.readBool(QStringLiteral("QFontItalic"), d.QFontItalic);
    o.AFontName = s.readString(QStringLiteral("AFontName"), d.AFontName);
    o.AFontColor = s.readInteger(QStringLiteral("AFontColor"), d.AFontColor);
    o.AFontSize = s.readInteger(QStringLiteral("AFontSize"), d.AFontSize);
    o.AFontBold = s.readBool(QStringLiteral("AFontBold"), d.AFontBold);
    o.AFontItalic = s.readBool(QStringLiteral("AFontItalic"), d.AFontItalic);
    o.EXPFontName = s.readString(QStringLiteral("EXPFontName"), d.EXPFontName);
    o.EXPFontColor = s.readInteger(QStringLiteral("EXPFontColor"), d.EXPFontColor);
    o.EXPFontSize = s.readInteger(QStringLiteral("EXPFontSize"), d.EXPFontSize);
    o.EXPFontBold = s.readBool(QStringLiteral("EXPFontBold"), d.EXPFontBold);
    o.EXPFontItalic = s.readBool(QStringLiteral("EXPFontItalic"), d.EXPFontItalic);
    o.ShowLearnBtn = s.readBool(QStringLiteral("ShowLearnBtn"), d.ShowLearnBtn);
    o.ShowCalcBtn = s.readBool(QStringLiteral("ShowCalcBtn"), d.ShowCalcBtn);
    o.TimerOn = s.readBool(QStringLiteral("TimerOn"), d.TimerOn);
    o.DefaultTime = s.readInteger(QStringLiteral("DefaultTime"), d.DefaultTime);
    o.CalcPath = s.readString(QStringLiteral("CalcPath"), defaultCalcPath(windowsDir));
    return o;
}

void saveOptions(SettingsStore& s, const Options& o) {
    // DefaultTime goes out right after the question font's size: the order the store has
    // always been written in.
    s.writeString(QStringLiteral("QFontName"), o.QFontName);
    s.writeInteger(QStringLiteral("QFontColor"), o.QFontColor);
    s.writeInteger(QStringLiteral("QFontSize"), o.QFontSize);
    s.writeInteger(QStringLiteral("DefaultTime"), o.DefaultTime);
    s.writeBool(QStringLiteral("QFontBold"), o.QFontBold);
    s.writeBool(QStringLiteral("QFontItalic"), o.QFontItalic);
    s.writeString(QStringLiteral("AFontName"), o.AFontName);
    s.writeInteger(QStringLiteral("AFontColor"), o.AFontColor);
    s.writeInteger(QStringLiteral("AFontSize"), o.AFontSize);
    s.writeBool(QStringLiteral("AFontBold"), o.AFontBold);
    s.writeBool(QStringLiteral("AFontItalic"), o.AFontItalic);
    s.writeString(QStringLiteral("EXPFontName"), o.EXPFontName);
    s.writeInteger(QStringLiteral("EXPFontColor"), o.EXPFontColor);
    s.writeInteger(QStringLiteral("EXPFontSize"), o.EXPFontSize);
    s.writeBool(QStringLiteral("EXPFontBold"), o.EXPFontBold);
    s.writeBool(QStringLiteral("EXPFontItalic"), o.EXPFontItalic);
    s.writeBool(QStringLiteral("ShowLearnBtn"), o.ShowLearnBtn);
    s.writeBool(QStringLiteral("TimerOn"), o.TimerOn);
    s.writeBool(QStringLiteral("ShowCalcBtn"), o.ShowCalcBtn);
    s.writeString(QStringLiteral("CalcPath"), o.CalcPath);
    s.sync();
}

QFont designFont() {
    QFont font(kDesignFontFace);
    font.setPointSize(10);
    font.setBold(false);
    font.setItalic(false);
    return font;
}

void applyFontSetting(QFont& font, QColor& color, const FontSetting& setting) {
    if (!setting.name.isEmpty())
        font.setFamily(setting.name);
    color = colorFromWindows(setting.color);
    // Qt refuses a size that is not positive with a warning; keep the current one instead.
    if (setting.size > 0)
        font.setPointSize(setting.size);
    if (setting.bold)
        font.setBold(true);
    if (setting.italic)
        font.setItalic(true);
}

FontSetting fontSettingFrom(const QFont& font, const QColor& color) {
    FontSetting setting;
    setting.name = font.family();
    if (font.pointSize() > 0)
        setting.size = font.pointSize();
    else if (font.pointSizeF() > 0)
        setting.size = qRound(font.pointSizeF());
    else if (font.pixelSize() > 0)
        setting.size = qMax(1, qRound(font.pixelSize() * 72.0 / 96.0)); // at 96 dpi
    setting.color = windowsFromColor(color);
    setting.bold = font.bold();
    setting.italic = font.italic();
    return setting;
}

QColor colorFromWindows(int value) {
    const auto v = static_cast<quint32>(value);
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

int windowsFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

} // namespace settings
