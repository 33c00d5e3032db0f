#pragma once

#include <QString>
#include <functional>
#include <memory>

class QSettings;

namespace settings {

// The per-user settings store seen as an INI file: one section, "Options", of named string
// values. On Windows it is the registry key HKEY_CURRENT_USER\Palvexa with the subkey Options;
// elsewhere the file Palvexa.ini in the user's configuration folder, section [Options].
//
// Every value is kept as a string: integers as decimal text, booleans as "1" or "0". A missing
// value, or an integer that does not parse, reads as the caller's default.
class SettingsStore {
public:
    // Opens the user's store, making sure its key (the file's folder) exists. Writes nothing.
    SettingsStore();
    // Opens an INI file at an explicit path (tests).
    explicit SettingsStore(const QString& iniFilePath);
    ~SettingsStore();

    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    QString readString(const QString& name, const QString& defaultValue) const;
    int readInteger(const QString& name, int defaultValue) const;
    bool readBool(const QString& name, bool defaultValue) const;

    void writeString(const QString& name, const QString& value);
    void writeInteger(const QString& name, int value);
    void writeBool(const QString& name, bool value);

    // Flushes the writes; throws palvexa::Error when the store cannot be written.
    void sync();

    // Where the values live: the INI file's path, or the registry key.
    QString location() const;

    // Sees every write, in the order made (name, stored text).
    using WriteObserver = std::function<void(const QString& name, const QString& value)>;
    void setWriteObserver(WriteObserver observer);

    // The user's INI file (systems without a registry).
    static QString defaultFilePath();

private:
    std::unique_ptr<QSettings> settings_;
    WriteObserver observer_;
};

// Decimal text with an optional leading '-', within the 32-bit range; nothing else.
bool parseInteger(const QString& text, int& value);

} // namespace settings
