#pragma once

#include <QPixmap>
#include <QString>

// What counts as a program the calculator button may start, and the picture it shows for it.
namespace platform {

// The Windows rule: the file name's extension (from its last ".", dot included), cut to four
// characters and upper-cased, is ".EXE". So "CALC.EXE" and "calc.exex" pass, "calc.ex" fails.
bool hasExeExtension(const QString& path);

// The executable test of this system, made before the file is looked for: on Windows the
// extension rule; elsewhere the execute permission of a file that is there (a path that names
// nothing passes here and is caught by the existence test that follows).
bool passesExecutableTest(const QString& path);

// The program's own icon as a picture of its natural size (32 x 32 for a standard icon): on
// Windows the file's first icon; elsewhere the icon of the program's desktop entry, the
// theme's calculator, or a drawn calculator.
QPixmap programIcon(const QString& path);

// A drawn calculator, size x size logical pixels, crisp at the screen's scale.
QPixmap calculatorPicture(int size = 32);

} // namespace platform
