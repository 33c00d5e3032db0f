#include "bank/tool/bank_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <yaml-cpp/yaml.h>

namespace bank {

QString Problem::toString() const {
    return QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(text);
}

QChar choiceLetter(int index) {
    return QChar(u'a' + index);
}

QString examLetter(int examN) {
    return examN == 0 ? QStringLiteral("none") : QString(QChar(u'A' + examN - 1));
}

namespace {

const QStringList kKnownKeys = {"id",     "exam",        "section", "type",     "text", "choices",
                                "answer", "explanation", "exhibit", "exhibit2", "sim",  "note"};
const QStringList kRequiredKeys = {"id",   "exam",    "section", "type",
                                   "text", "choices", "answer",  "explanation"};

int lineOf(const YAML::Node& node) {
    return node.Mark().line + 1;
}

QString scalarText(const YAML::Node& node) {
    return QString::fromStdString(node.Scalar());
}

// Collects the problems of one question; prefixes each with the question's name.
class QuestionCheck {
public:
    QuestionCheck(SourceBank& bank, QString file, QString name)
        : bank_(bank), file_(std::move(file)), name_(std::move(name)) {}

    void report(int line, const QString& text) {
        bank_.problems.append({file_, line, QStringLiteral("%1: %2").arg(name_, text)});
        failed_ = true;
    }
    void setName(const QString& name) { name_ = name; }
    bool failed() const { return failed_; }

private:
    SourceBank& bank_;
    QString file_;
    QString name_;
    bool failed_ = false;
};

// A string field: a scalar, or nothing (empty). Returns false when it is not text.
bool readText(const YAML::Node& node, const char* key, QString& out, QuestionCheck& check) {
    if (node.IsNull()) {
        out.clear();
        return true;
    }
    if (!node.IsScalar()) {
        check.report(lineOf(node), QStringLiteral("%1 must be text").arg(key));
        return false;
    }
    out = scalarText(node);
    return true;
}

bool readInt(const YAML::Node& node, const char* key, int& out, QuestionCheck& check) {
    bool ok = false;
    if (node.IsScalar())
        out = scalarText(node).trimmed().toInt(&ok);
    if (!ok)
        check.report(lineOf(node), QStringLiteral("%1 must be a whole number (is '%2')")
                                       .arg(key, node.IsScalar() ? scalarText(node) : "not text"));
    return ok;
}

int letterIndex(const QString& letter) {
    if (letter.size() != 1 || letter[0] < u'a' || letter[0] > u'f')
        return -1;
    return letter[0].unicode() - u'a';
}

void readChoices(const YAML::Node& node, Question& q, QuestionCheck& check) {
    if (!node.IsMap()) {
        check.report(lineOf(node), "choices must be a mapping of the letters a..f");
        return;
    }
    int previous = -1;
    for (const auto& entry : node) {
        const QString key = entry.first.IsScalar() ? scalarText(entry.first) : QString();
        const int index = letterIndex(key);
        if (index < 0) {
            check.report(lineOf(entry.first),
                         QStringLiteral("choice key '%1' is not a letter a..f").arg(key));
            continue;
        }
        if (index == previous) {
            check.report(lineOf(entry.first), QStringLiteral("choice %1 given twice").arg(key));
            continue;
        }
        if (index < previous) {
            check.report(lineOf(entry.first),
                         QStringLiteral("choice %1 comes after %2; choices go a..f in order")
                             .arg(key, choiceLetter(previous)));
            continue;
        }
        previous = index;
        readText(entry.second, "a choice", q.choices[index], check);
    }
}

void readAnswer(const YAML::Node& node, Question& q, QuestionCheck& check) {
    QList<YAML::Node> letters;
    if (node.IsSequence()) {
        for (const auto& item : node)
            letters.append(item);
    } else if (node.IsScalar()) {
        letters.append(node);
    } else {
        check.report(lineOf(node), "answer must be a letter or a list of letters");
        return;
    }
    for (const auto& item : letters) {
        const QString letter = item.IsScalar() ? scalarText(item) : QString();
        const int index = letterIndex(letter);
        if (index < 0) {
            check.report(lineOf(item),
                         QStringLiteral("answer '%1' is not a choice letter a..f").arg(letter));
        } else if (q.answers[index]) {
            check.report(lineOf(item), QStringLiteral("answer %1 given twice").arg(letter));
        } else {
            q.answers[index] = true;
        }
    }
}

void parseQuestion(const YAML::Node& node, int position, const QString& file, SourceBank& bank) {
    QuestionCheck check(bank, file, QStringLiteral("entry %1").arg(position));
    const int line = lineOf(node);
    if (!node.IsMap()) {
        check.report(line, "a question must be a mapping of keys");
        return;
    }
    Question q;
    q.file = file;
    q.line = line;

    // Name the question by its id as early as possible, so every message points at it.
    if (const YAML::Node id = node["id"]; id && id.IsScalar()) {
        bool ok = false;
        const int value = scalarText(id).trimmed().toInt(&ok);
        if (ok)
            check.setName(QStringLiteral("question %1").arg(value));
    }

    QSet<QString> seen;
    QMap<QString, YAML::Node> values;
    for (const auto& entry : node) {
        const QString key = entry.first.IsScalar() ? scalarText(entry.first) : QString();
        if (!kKnownKeys.contains(key)) {
            check.report(lineOf(entry.first), QStringLiteral("unknown key '%1'").arg(key));
            continue;
        }
        if (seen.contains(key)) {
            check.report(lineOf(entry.first), QStringLiteral("key '%1' given twice").arg(key));
            continue;
        }
        seen.insert(key);
        values.insert(key, entry.second);
    }
    for (const QString& key : kRequiredKeys) {
        if (!values.contains(key))
            check.report(line, QStringLiteral("missing key '%1'").arg(key));
    }

    if (values.contains("id") && readInt(values["id"], "id", q.id, check) && q.id < 1)
        check.report(lineOf(values["id"]),
                     QStringLiteral("id must be 1 or more (is %1)").arg(q.id));

    if (values.contains("exam")) {
        const YAML::Node n = values["exam"];
        const QString exam = n.IsScalar() ? scalarText(n) : QString();
        if (exam == "none")
            q.examN = 0;
        else if (exam.size() == 1 && exam[0] >= u'A' && exam[0] <= u'G')
            q.examN = exam[0].unicode() - u'A' + 1;
        else
            check.report(lineOf(n),
                         QStringLiteral("exam must be A..G or none (is '%1')").arg(exam));
    }

    if (values.contains("section") && readInt(values["section"], "section", q.section, check) &&
        (q.section < 1 || q.section > kSectionCount))
        check.report(lineOf(values["section"]),
                     QStringLiteral("section must be 1..7 (is %1)").arg(q.section));

    bool typeKnown = false;
    if (values.contains("type")) {
        const YAML::Node n = values["type"];
        const QString type = n.IsScalar() ? scalarText(n) : QString();
        typeKnown = type == "single" || type == "multiple";
        q.multiple = type == "multiple";
        if (!typeKnown)
            check.report(lineOf(n),
                         QStringLiteral("type must be single or multiple (is '%1')").arg(type));
    }

    // A block's closing line break is not part of a text the program lays out.
    const auto chompLineBreaks = [](QString& text) {
        while (text.endsWith(u'\n'))
            text.chop(1);
    };
    if (values.contains("text") && readText(values["text"], "text", q.text, check))
        chompLineBreaks(q.text);
    if (values.contains("explanation") &&
        readText(values["explanation"], "explanation", q.explanation, check))
        chompLineBreaks(q.explanation);
    if (values.contains("exhibit")) {
        readText(values["exhibit"], "exhibit", q.exhibit, check);
        q.exhibitLine = lineOf(values["exhibit"]);
    }
    if (values.contains("exhibit2"))
        readText(values["exhibit2"], "exhibit2", q.exhibit2, check);
    if (values.contains("sim"))
        readText(values["sim"], "sim", q.sim, check);
    if (values.contains("note"))
        readText(values["note"], "note", q.note, check);

    bool choicesRead = false;
    if (values.contains("choices")) {
        readChoices(values["choices"], q, check);
        choicesRead = true;
        if (std::all_of(q.choices.begin(), q.choices.end(),
                        [](const QString& c) { return c.isEmpty(); }))
            check.report(lineOf(values["choices"]), "item has no choice at all");
    }

    if (values.contains("answer")) {
        const YAML::Node n = values["answer"];
        readAnswer(n, q, check);
        if (choicesRead) {
            for (int i = 0; i < kChoiceCount; ++i) {
                if (q.answers[i] && q.choices[i].isEmpty())
                    check.report(
                        lineOf(n),
                        QStringLiteral("answer %1 names an empty choice").arg(choiceLetter(i)));
            }
        }
        const auto correct = std::count(q.answers.begin(), q.answers.end(), true);
        if (typeKnown && !q.multiple && correct != 1)
            check.report(lineOf(n),
                         QStringLiteral("single-response item needs exactly one correct choice "
                                        "(has %1)")
                             .arg(correct));
        if (typeKnown && q.multiple && correct == 0)
            check.report(lineOf(n), "multiple-response item needs at least one correct choice");
    }

    if (!check.failed())
        bank.questions.append(q);
    else if (q.id > 0)
        bank.questions.append(q); // keeps its id in the numbering check
}

QString lowerSuffix(const QString& name) {
    return QFileInfo(name).suffix().toLower();
}

} // namespace

QStringList expandInputs(const QStringList& inputs, QList<Problem>* problems) {
    QStringList files;
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        if (info.isDir()) {
            const QStringList names =
                QDir(input).entryList({"*.yaml", "*.yml"}, QDir::Files, QDir::Name);
            if (names.isEmpty() && problems)
                problems->append({input, 0, "no question files (*.yaml) in this folder"});
            for (const QString& name : names)
                files.append(QDir(input).filePath(name));
        } else if (info.isFile()) {
            files.append(input);
        } else if (problems) {
            problems->append({input, 0, "no such file or folder"});
        }
    }
    return files;
}

QString defaultExhibitsDir(const QStringList& inputs) {
    if (inputs.isEmpty())
        return QStringLiteral("exhibits");
    const QFileInfo info(inputs.first());
    const QString questionsDir = info.isDir() ? info.filePath() : info.path();
    return QDir::cleanPath(questionsDir + QStringLiteral("/../exhibits"));
}

bool isPictureName(const QString& picture) {
    static const QStringList kinds = {"bmp", "ico", "wmf", "emf"};
    return kinds.contains(lowerSuffix(picture));
}

QString exhibitSource(const QString& exhibitsDir, const QString& picture) {
    const QDir dir(exhibitsDir);
    const QString suffix = lowerSuffix(picture);
    // Qt renders a drawing only into the raster kinds; metafiles are taken as they are.
    if (suffix == "bmp" || suffix == "ico") {
        const QString svg = dir.filePath(QFileInfo(picture).completeBaseName() + ".svg");
        if (QFileInfo(svg).isFile())
            return svg;
    }
    const QString itself = dir.filePath(picture);
    return QFileInfo(itself).isFile() ? itself : QString();
}

void parseBankText(const QByteArray& text, const QString& file, SourceBank& into) {
    YAML::Node root;
    try {
        root = YAML::Load(text.toStdString());
    } catch (const YAML::Exception& e) {
        into.problems.append(
            {file, e.mark.line + 1,
             QStringLiteral("YAML syntax error: %1").arg(QString::fromStdString(e.msg))});
        return;
    }
    if (root.IsNull())
        return; // an empty file holds no questions
    if (!root.IsSequence()) {
        into.problems.append({file, lineOf(root), "a question file must be a list of questions"});
        return;
    }
    int position = 0;
    for (const auto& node : root)
        parseQuestion(node, ++position, file, into);
}

SourceBank loadBank(const QStringList& inputs, const QString& exhibitsDir) {
    SourceBank bank;
    bank.files = expandInputs(inputs, &bank.problems);
    for (const QString& file : bank.files) {
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly)) {
            bank.problems.append({file, 0, QStringLiteral("cannot read: %1").arg(f.errorString())});
            continue;
        }
        parseBankText(f.readAll(), file, bank);
    }

    // Ids over all files together: 1..N, each once.
    std::stable_sort(bank.questions.begin(), bank.questions.end(),
                     [](const Question& a, const Question& b) { return a.id < b.id; });
    int expected = 1;
    for (int i = 0; i < bank.questions.size(); ++i) {
        const Question& q = bank.questions[i];
        const QString name = QStringLiteral("question %1").arg(q.id);
        if (i > 0 && bank.questions[i - 1].id == q.id) {
            const Question& first = bank.questions[i - 1];
            bank.problems.append({q.file, q.line,
                                  QStringLiteral("%1: id %2 is already used at %3:%4")
                                      .arg(name)
                                      .arg(q.id)
                                      .arg(first.file)
                                      .arg(first.line)});
            continue;
        }
        if (q.id > expected) {
            const QString missing = q.id == expected + 1
                                        ? QString::number(expected)
                                        : QStringLiteral("%1..%2").arg(expected).arg(q.id - 1);
            bank.problems.append({q.file, q.line,
                                  QStringLiteral("%1: ids must run 1..N without gaps (missing %2)")
                                      .arg(name, missing)});
        }
        expected = q.id + 1;
    }

    for (const Question& q : bank.questions) {
        if (q.exhibit.isEmpty())
            continue;
        const QString where = QStringLiteral("question %1: exhibit '%2'").arg(q.id).arg(q.exhibit);
        if (QFileInfo(q.exhibit).fileName() != q.exhibit || q.exhibit.startsWith('.')) {
            bank.problems.append({q.file, q.exhibitLine, where + " must be a bare file name"});
        } else if (!isPictureName(q.exhibit)) {
            bank.problems.append(
                {q.file, q.exhibitLine, where + " must end in .bmp, .ico, .wmf or .emf"});
        } else if (exhibitSource(exhibitsDir, q.exhibit).isEmpty()) {
            const QString stem = QFileInfo(q.exhibit).completeBaseName();
            const QString suffix = lowerSuffix(q.exhibit);
            const QString wanted =
                suffix == "bmp" || suffix == "ico"
                    ? QStringLiteral("%1/%2.svg or %1/%3").arg(exhibitsDir, stem, q.exhibit)
                    : QStringLiteral("%1/%2").arg(exhibitsDir, q.exhibit);
            bank.problems.append(
                {q.file, q.exhibitLine, where + " has no source (" + wanted + ")"});
        }
    }

    std::stable_sort(bank.problems.begin(), bank.problems.end(),
                     [](const Problem& a, const Problem& b) {
                         return a.file != b.file ? a.file < b.file : a.line < b.line;
                     });
    return bank;
}

} // namespace bank
