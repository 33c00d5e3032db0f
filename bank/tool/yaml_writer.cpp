#include "bank/tool/yaml_writer.h"

#include <algorithm>
#include <yaml-cpp/yaml.h>

namespace bank {

namespace {

// Characters YAML reads as line breaks or drops, which only a quoted scalar keeps.
bool isSpecial(QChar c) {
    return (c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7f || c == u'\u0085' ||
           c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == u'\ufeff' ||
           c.category() == QChar::Other_Format;
}

// True when a literal block can carry text unchanged.
bool fitsLiteralBlock(const QString& text) {
    if (!text.contains(u'\n'))
        return false;
    for (const QChar c : text) {
        if (c != u'\n' && isSpecial(c))
            return false;
    }
    // Lines of white space only before the first content would confuse indentation detection,
    // and a text of line breaks alone has no content line to carry them.
    for (const QString& line : text.split(u'\n')) {
        if (line.trimmed().isEmpty()) {
            if (!line.isEmpty())
                return false;
            continue;
        }
        return true;
    }
    return false;
}

QString doubleQuoted(const QString& value) {
    YAML::Emitter q;
    q << YAML::DoubleQuoted << value.toStdString();
    return QString::fromStdString(q.c_str());
}

} // namespace

QString yamlScalar(const QString& value) {
    // Words other YAML readers take for booleans or null stay strings for them too.
    static const QStringList kReadAsOther = {"y",    "n",     "yes",  "no", "on", "off",
                                             "true", "false", "null", "~",  ""};
    if (kReadAsOther.contains(value.toLower()) ||
        std::any_of(value.begin(), value.end(), isSpecial))
        return doubleQuoted(value);
    YAML::Emitter e;
    e << value.toStdString();
    QString plain = QString::fromStdString(e.c_str());
    // Make sure the emitted form reads back as the same string.
    try {
        const YAML::Node back = YAML::Load(plain.toStdString());
        if (back.IsScalar() && QString::fromStdString(back.Scalar()) == value)
            return plain;
    } catch (const YAML::Exception&) {
    }
    return doubleQuoted(value);
}

void YamlWriter::keyPrefix(const QString& key) {
    if (itemPending_) {
        out_ += QString((depth_ - 1) * 2, u' ') + "- ";
        itemPending_ = false;
    } else {
        out_ += QString(depth_ * 2, u' ');
    }
    out_ += key + ':';
}

void YamlWriter::beginItem() {
    depth_ = 1;
    itemPending_ = true;
}

void YamlWriter::beginMap(const QString& key) {
    keyPrefix(key);
    out_ += u'\n';
    ++depth_;
}

void YamlWriter::endMap() {
    --depth_;
}

void YamlWriter::scalar(const QString& key, const QString& value) {
    keyPrefix(key);
    if (!fitsLiteralBlock(value)) {
        out_ += u' ' + yamlScalar(value) + u'\n';
        return;
    }
    int trailing = 0;
    while (trailing < value.size() && value[value.size() - 1 - trailing] == u'\n')
        ++trailing;
    const QString chomp = trailing == 0 ? "-" : trailing == 1 ? "" : "+";
    const QString indent((depth_ + 1) * 2, u' ');
    // An explicit indentation when the first content line starts with a blank.
    QString indicator;
    for (const QString& line : value.split(u'\n')) {
        if (line.isEmpty())
            continue;
        if (line.startsWith(u' ') || line.startsWith(u'\t'))
            indicator = QString::number(indent.size() - depth_ * 2);
        break;
    }
    out_ += " |" + indicator + chomp + u'\n';
    QStringList lines = value.split(u'\n');
    if (trailing > 0)
        lines.removeLast(); // the final line end closes the last line
    for (const QString& line : lines)
        out_ += (line.isEmpty() ? QString() : indent + line) + u'\n';
}

void YamlWriter::integer(const QString& key, int value) {
    keyPrefix(key);
    out_ += u' ' + QString::number(value) + u'\n';
}

void YamlWriter::boolean(const QString& key, bool value) {
    keyPrefix(key);
    out_ += value ? " true\n" : " false\n";
}

void YamlWriter::null(const QString& key) {
    keyPrefix(key);
    out_ += " ~\n";
}

void YamlWriter::letters(const QString& key, const QStringList& letters) {
    keyPrefix(key);
    out_ += " [" + letters.join(", ") + "]\n";
}

void YamlWriter::comment(const QString& text) {
    out_ += "# " + text + u'\n';
}

void YamlWriter::blankLine() {
    out_ += u'\n';
}

void YamlWriter::value(const QString& key, const QVariant& v) {
    if (v.isNull()) {
        null(key);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
        boolean(key, v.toBool());
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        integer(key, v.toInt());
        break;
    default:
        scalar(key, v.toString());
    }
}

} // namespace bank
