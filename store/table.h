#pragma once

// A small cursor-style table store over SQLCipher. A table file is one SQLite database holding
// one table named "records"; the declared column types carry the field types.

#include "platform/error.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>

namespace store {

enum class FieldType {
    Integer, // 32-bit signed
    Boolean, // stored 0/1
    Text,    // single-line string
    Memo,    // long text
    AutoInc  // integer key assigned by the store when a new record is posted
};

struct FieldDef {
    QString name;
    FieldType type;
};

// Fields of a table, used to create its file when it is missing.
struct Schema {
    QList<FieldDef> fields;
    QString keyField; // integer primary key (empty: records in the order they were appended)
};

// Holds the registered passwords; derives each one's raw key once, so opening an encrypted
// table costs no key derivation.
class Session {
public:
    explicit Session(QString name);
    ~Session();
    const QString& name() const;

    void addPassword(const QString& password);
    // Raw keys of the registered passwords, in registration order ("x'...'" literals).
    QStringList rawKeys() const;
    // Raw key of one password (derived on first use and cached).
    QString rawKeyFor(const QString& password) const;
    QStringList passwords() const; // registered passwords, in registration order

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

enum class State { Inactive, Browse, Edit, Insert };

class Table : public QObject {
    Q_OBJECT
public:
    explicit Table(Session& session, QObject* parent = nullptr);
    ~Table() override;

    // Settings, all settable while closed.
    void setFileName(const QString& fileName); // bare name: resolved against the current dir
    QString fileName() const;
    void setSchema(const Schema& schema);         // when set, a missing file is created empty
    void setEncryptWith(const QString& password); // password for a file this table creates
    void setIndexField(const QString& field);     // active index; empty = insertion order
    QString indexField() const;
    void setExclusive(bool exclusive); // next open holds the file for this process
    bool exclusive() const;
    void setForceFlush(bool on); // every write synced to disk
    bool forceFlush() const;
    void setLockRetry(int count, int waitMs); // default 15 × 100 ms
    int lockRetryCount() const;
    int lockRetryWaitMs() const;

    // Filter in the store's expression syntax; takes effect on open or at once when open.
    void setFilter(const QString& filter);
    QString filter() const;
    void setFiltered(bool on);
    bool filtered() const;

    void open();
    void close();
    bool isOpen() const;
    State state() const;

    // Navigation over the records that pass the filter, in the active index order.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const; // true after next on the last record (or when empty)
    bool bof() const;

    // Record number: the current record's 1-based position in the active index order over the
    // whole table (a filter hides records but does not renumber them); 0 when there is none.
    int recNo() const;
    void setRecNo(int recNo);
    int recordCount() const; // counts the records that pass the filter
    bool isEmpty() const;    // no visible record

    // Key lookup on the key field; true when found (the record becomes current).
    bool findKey(const QVariant& key);

    // Editing.
    void append(); // new record, goes to the end on post
    void insert(); // new record at the current position (for a keyed table the key decides)
    void edit();
    void post(); // a failed post throws and leaves the record in edit state, data unchanged
    void cancel();
    void remove();     // delete the current record
    void emptyTable(); // removes every record; works open or closed

    // Transactions: writes between begin and commit become durable together.
    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const;

    // Reads between beginRead and endRead see one state of the file and skip the locking each
    // read does on its own. Other programs can still read the file but cannot finish a write
    // until endRead (they wait, as for any lock). Not within a transaction; close ends it.
    void beginRead();
    void endRead();

    // Fields, by name without regard to case.
    QStringList fieldNames() const;
    FieldType fieldType(const QString& name) const;
    bool hasField(const QString& name) const;
    QString keyField() const; // the integer key field of the open table; empty when none
    QVariant value(const QString& name) const;                 // null QVariant for an empty field
    void setValue(const QString& name, const QVariant& value); // needs Edit or Insert state
    int asInteger(const QString& name) const;                  // empty reads 0
    bool asBoolean(const QString& name) const;                 // empty reads false
    QString asText(const QString& name) const;                 // serves Text and Memo
    bool isNull(const QString& name) const;
    void setInteger(const QString& name, int v) { setValue(name, v); }
    void setBoolean(const QString& name, bool v) { setValue(name, v); }
    void setText(const QString& name, const QString& v) { setValue(name, v); }

Q_SIGNALS:
    // Current record changed (move, open, post, cancel, delete, empty) or, with a field name,
    // one field of the edit buffer changed.
    void dataChanged(const QString& field);
    void stateChanged();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Re-emits its table's events for the controls bound to it.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(Table* table = nullptr, QObject* parent = nullptr);
    void setTable(Table* table);
    Table* table() const;

Q_SIGNALS:
    void dataChange(const QString& field);
    void stateChange();

private:
    Table* table_ = nullptr;
};

} // namespace store
