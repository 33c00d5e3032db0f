#include "settings/settings_store.h"

#include "platform/error.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <limits>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace settings {

namespace {

const QString kStoreName = QStringLiteral("Palvexa");
const QString kSection = QStringLiteral("Options");

QString keyOf(const QString& name) {
    return kSection + QLatin1Char('/') + name;
}

// The INI file is read and written here rather than by QSettings' own INI format, which turns
// values with commas into lists and values starting with '@' into typed variants. Here a value
// is the text after '=' as it stands; only a value that would not survive that (surrounding
// blanks, control characters, a leading quote) is written quoted with backslash escapes.

bool needsQuotes(const QString& value) {
    if (value.isEmpty())
        return false;
    if (value.front().isSpace() || value.back().isSpace() || value.front() == QLatin1Char('"'))
        return true;
    for (const QChar ch : value) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
            return true;
    }
    return false;
}

QString quoted(const QString& value) {
    QString out;
    out.reserve(value.size() + 2);
    out += QLatin1Char('"');
    for (const QChar ch : value) {
        switch (ch.unicode()) {
        case '\\':
            out += QLatin1String("\\\\");
            break;
        case '"':
            out += QLatin1String("\\\"");
            break;
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        default:
            if (ch.unicode() < 0x20 || ch.unicode() == 0x7f)
                out += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += ch;
        }
    }
    out += QLatin1Char('"');
    return out;
}

QString unquoted(const QString& text) {
    // text is "..." with its quotes.
    QString out;
    out.reserve(text.size());
    const qsizetype end = text.size() - 1;
    for (qsizetype i = 1; i < end; ++i) {
        const QChar ch = text.at(i);
        if (ch != QLatin1Char('\\') || i + 1 >= end) {
            out += ch;
            continue;
        }
        const QChar next = text.at(++i);
        switch (next.unicode()) {
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'x': {
            bool ok = false;
            const uint code = text.mid(i + 1, 2).toUInt(&ok, 16);
            if (ok && i + 2 < end) {
                out += QChar(static_cast<char16_t>(code));
                i += 2;
            } else {
                out += QLatin1String("\\x");
            }
            break;
        }
        default: // \\ and \" and anything unknown: the character itself
            out += next;
        }
    }
    return out;
}

bool readIni(QIODevice& device, QSettings::SettingsMap& map) {
    QString text = QString::fromUtf8(device.readAll());
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    QString section;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) ||
            trimmed.startsWith(QLatin1Char('#')))
            continue;
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'))) {
            section = trimmed.mid(1, trimmed.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = trimmed.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString name = trimmed.left(eq).trimmed();
        QString value = trimmed.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.front() == QLatin1Char('"') &&
            value.back() == QLatin1Char('"'))
            value = unquoted(value);
        map.insert(section.isEmpty() ? name : section + QLatin1Char('/') + name, value);
    }
    return true;
}

bool writeIni(QIODevice& device, const QSettings::SettingsMap& map) {
    const auto line = [](const QString& name, const QVariant& variant) {
        const QString value = variant.toString();
        return name + QLatin1Char('=') + (needsQuotes(value) ? quoted(value) : value) +
               QLatin1Char('\n');
    };
    QString out;
    // Values outside any section go first, or the next read would put them in one.
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (!it.key().contains(QLatin1Char('/')))
            out += line(it.key(), it.value());
    }
    // Keys arrive sorted, so each section's values are together.
    QString current;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            continue;
        const QString section = it.key().left(slash);
        if (section != current) {
            if (!out.isEmpty())
                out += QLatin1Char('\n');
            out += QLatin1Char('[') + section + QLatin1String("]\n");
            current = section;
        }
        out += line(it.key().mid(slash + 1), it.value());
    }
    const QByteArray bytes = out.toUtf8();
    return device.write(bytes) == bytes.size();
}

QSettings::Format iniFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readIni, writeIni);
    return format;
}

} // namespace

bool parseInteger(const QString& text, int& value) {
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && text.at(i) == QLatin1Char('-')) {
        negative = true;
        ++i;
    }
    if (i == text.size())
        return false;
    qint64 magnitude = 0;
    const qint64 limit = negative ? -qint64(std::numeric_limits<int>::min())
                                  : qint64(std::numeric_limits<int>::max());
    for (; i < text.size(); ++i) {
        const char16_t ch = text.at(i).unicode();
        if (ch < u'0' || ch > u'9')
            return false;
        magnitude = magnitude * 10 + (ch - u'0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<int>(negative ? -magnitude : magnitude);
    return true;
}

SettingsStore::SettingsStore() {
#ifdef Q_OS_WIN
    // Opening the store creates the key; the subkey comes with the first write.
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, reinterpret_cast<const wchar_t*>(kStoreName.utf16()), 0,
                        nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
    settings_ = std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\") + kStoreName,
                                            QSettings::NativeFormat);
#else
    const QString path = defaultFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    settings_ = std::make_unique<QSettings>(path, iniFormat());
#endif
}

SettingsStore::SettingsStore(const QString& iniFilePath) {
    QDir().mkpath(QFileInfo(iniFilePath).absolutePath());
    settings_ = std::make_unique<QSettings>(iniFilePath, iniFormat());
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + kStoreName + QLatin1String(".ini");
}

QString SettingsStore::location() const {
    return settings_->fileName();
}

QString SettingsStore::readString(const QString& name, const QString& defaultValue) const {
    const QVariant value = settings_->value(keyOf(name));
    if (!value.isValid())
        return defaultValue;
    return value.toString();
}

int SettingsStore::readInteger(const QString& name, int defaultValue) const {
    const QVariant value = settings_->value(keyOf(name));
    if (!value.isValid())
        return defaultValue;
    int parsed = 0;
    return parseInteger(value.toString(), parsed) ? parsed : defaultValue;
}

bool SettingsStore::readBool(const QString& name, bool defaultValue) const {
    return readInteger(name, defaultValue ? 1 : 0) != 0;
}

void SettingsStore::writeString(const QString& name, const QString& value) {
    settings_->setValue(keyOf(name), value);
    if (observer_)
        observer_(name, value);
}

void SettingsStore::writeInteger(const QString& name, int value) {
    writeString(name, QString::number(value));
}

void SettingsStore::writeBool(const QString& name, bool value) {
    writeString(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::sync() {
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        throw palvexa::Error(QStringLiteral("The settings could not be saved to ") + location());
}

void SettingsStore::setWriteObserver(WriteObserver observer) {
    observer_ = std::move(observer);
}

} // namespace settings
