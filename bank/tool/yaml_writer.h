#pragma once

// Writes YAML by hand so that every string comes back exactly as it was: multi-line texts as
// literal blocks with the chomping that keeps their line ends, the rest quoted where needed.

#include <QString>
#include <QVariant>

namespace bank {

class YamlWriter {
public:
    // "- " list item start; the item's keys follow at the next indentation level.
    void beginItem();
    void beginMap(const QString& key); // a nested mapping under key
    void endMap();
    void scalar(const QString& key, const QString& value);
    void integer(const QString& key, int value);
    void boolean(const QString& key, bool value);
    void null(const QString& key);
    void letters(const QString& key, const QStringList& letters); // [a, c]
    void comment(const QString& text);
    void value(const QString& key, const QVariant& value); // by the variant's type
    void blankLine();

    const QString& text() const { return out_; }

private:
    void keyPrefix(const QString& key);

    QString out_;
    int depth_ = 0;            // indentation level of the current mapping's keys
    bool itemPending_ = false; // the next key goes on the "- " line
};

// A single-line YAML scalar for value (plain when that reads back the same, quoted otherwise).
QString yamlScalar(const QString& value);

} // namespace bank
