#pragma once

// Reads the bank's YAML source and checks it.

#include "bank/tool/question.h"

#include <QStringList>

namespace bank {

struct SourceBank {
    QList<Question> questions; // in Q_ID order when there are no problems
    QList<Problem> problems;
    QStringList files; // the YAML files read, in reading order
};

// Directories stand for their *.yaml files, sorted by name; files are taken as given.
QStringList expandInputs(const QStringList& inputs, QList<Problem>* problems);

// Where the exhibit sources are when none is named: "exhibits" beside the questions folder.
QString defaultExhibitsDir(const QStringList& inputs);

// Reads and validates every input; the exhibit sources are looked up in exhibitsDir.
SourceBank loadBank(const QStringList& inputs, const QString& exhibitsDir);

// Reads one YAML text; file names the source in messages. Id numbering and exhibit sources
// are checked by loadBank over all files together.
void parseBankText(const QByteArray& text, const QString& file, SourceBank& into);

// The source file an exhibit picture is made from: <stem>.svg, or the picture itself;
// empty when there is none.
QString exhibitSource(const QString& exhibitsDir, const QString& picture);
bool isPictureName(const QString& picture);

} // namespace bank
