#include "store/table.h"

#include "store/filter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace store {

using filter::quoteIdent;

namespace {

// Encrypted files are written with 4 KiB pages: a question record then fits on its page instead
// of spilling into overflow pages, and every page costs one decryption. Files written before
// have 1 KiB pages (the cipher's default) and stay readable.
constexpr int kPageSize = 4096;
constexpr int kLegacyPageSize = 1024;

const char* declaredType(FieldType t) {
    switch (t) {
    case FieldType::Integer:
        return "INTEGER";
    case FieldType::Boolean:
        return "BOOLEAN";
    case FieldType::Text:
        return "TEXT";
    case FieldType::Memo:
        return "MEMO";
    case FieldType::AutoInc:
        return "INTEGER";
    }
    return "TEXT";
}

FieldType typeFromDeclared(const QString& declared) {
    const QString t = declared.toUpper();
    if (t.contains(QLatin1String("BOOL")))
        return FieldType::Boolean;
    if (t.contains(QLatin1String("INT")))
        return FieldType::Integer;
    if (t.contains(QLatin1String("MEMO")) || t.contains(QLatin1String("CLOB")))
        return FieldType::Memo;
    return FieldType::Text;
}

// A prepared statement, finalized with its owner.
class Stmt {
public:
    Stmt() = default;
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    ~Stmt() { reset(); }
    void reset() {
        if (s_)
            sqlite3_finalize(s_);
        s_ = nullptr;
    }
    sqlite3_stmt*& ref() { return s_; }
    sqlite3_stmt* get() const { return s_; }
    explicit operator bool() const { return s_ != nullptr; }

private:
    sqlite3_stmt* s_ = nullptr;
};

// Resets a statement and clears its bindings when a use of it ends, thrown or not.
struct StmtUse {
    sqlite3_stmt* s;
    ~StmtUse() {
        sqlite3_reset(s);
        sqlite3_clear_bindings(s);
    }
};

} // namespace

struct Table::Impl {
    Table* q;
    Session& session;
    QString fileName;
    Schema schema;
    bool hasSchema = false;
    QString encryptWith;
    QString indexField;
    bool exclusive = false;
    bool forceFlush = false;
    int retryCount = 15;
    int retryWaitMs = 100;
    QString filterText;
    bool filtered = false;

    // Open state.
    sqlite3* db = nullptr;
    State state = State::Inactive;
    QList<FieldDef> fields;
    QString keyField; // empty when the table has no integer key
    bool keyIsRowid = false;
    bool sortedByRowid = true; // record order is rowid order
    QString orderBy;
    filter::Sql where;          // active filter condition; empty where = none
    std::vector<qint64> rowids; // whole table in record order
    std::vector<int> visible;   // positions (into rowids) that pass the filter, ascending
    int cur = -1;               // index into visible, -1 when there is no record
    bool atEof = true, atBof = true;
    // Current record, or the edit buffer in Edit/Insert. A move only marks it stale: walks that
    // read no field (counting, collecting record numbers) then cost no record reads.
    mutable QList<QVariant> values;
    mutable bool loaded = true;
    bool inTransaction = false;
    bool reading = false; // a read transaction of beginRead is open
    Stmt selRow, insRow, updRow, delRow, visRow, findRow;

    Impl(Table* t, Session& s) : q(t), session(s) {}

    // A busy file is tried again retryCount times, retryWaitMs apart.
    static int busyRetry(void* arg, int count) {
        auto* d = static_cast<Impl*>(arg);
        if (count >= d->retryCount)
            return 0;
        QThread::msleep(d->retryWaitMs);
        return 1;
    }

    // Applies a changed filter to the open table and goes to its first record.
    void refilter() {
        loadKeys();
        cur = visible.empty() ? -1 : 0;
        atBof = true;
        atEof = visible.empty();
        moved();
    }

    // --- errors ---------------------------------------------------------------------------

    QString bare() const { return QFileInfo(fileName).fileName(); }

    [[noreturn]] void fail(const QString& text) const { throw palvexa::Error(text); }

    [[noreturn]] void failSql(int rc, const QString& doing) const {
        const QString detail =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
        const int primary = rc & 0xff;
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
            fail(QStringLiteral("The table file \"%1\" is locked by another program").arg(bare()));
        if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
            fail(QStringLiteral("The table file \"%1\" is damaged (%2)").arg(bare(), detail));
        if (primary == SQLITE_FULL)
            fail(
                QStringLiteral("Cannot %1 table file \"%2\": the disk is full").arg(doing, bare()));
        if (primary == SQLITE_READONLY || primary == SQLITE_PERM || primary == SQLITE_CANTOPEN)
            fail(QStringLiteral("Cannot %1 table file \"%2\": the file cannot be written (%3)")
                     .arg(doing, bare(), detail));
        fail(QStringLiteral("Cannot %1 table file \"%2\": %3").arg(doing, bare(), detail));
    }

    void requireOpen() const {
        if (!db)
            fail(QStringLiteral("Cannot perform this operation on a closed table (\"%1\")")
                     .arg(bare()));
    }

    void requireBrowse() const {
        requireOpen();
        if (state != State::Browse)
            fail(QStringLiteral("Table \"%1\" is not in browse mode: post or cancel the record "
                                "being edited first")
                     .arg(bare()));
    }

    int fieldIndex(const QString& name) const {
        // Names are almost always spelled as the table spells them: try that first.
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].name == name)
                return i;
        for (int i = 0; i < fields.size(); ++i)
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }

    int requireField(const QString& name) const {
        const int i = fieldIndex(name);
        if (i < 0)
            fail(QStringLiteral("%1: Field '%2' not found").arg(bare(), name));
        return i;
    }

    // --- sql helpers ----------------------------------------------------------------------

    void exec(const QString& sql, const QString& doing) {
        char* err = nullptr;
        const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
        sqlite3_free(err);
        if (rc != SQLITE_OK)
            failSql(rc, doing);
    }

    void prepare(Stmt& s, const QString& sql, const QString& doing) {
        if (s)
            return;
        const QByteArray utf8 = sql.toUtf8();
        const int rc =
            sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &s.ref(), nullptr);
        if (rc != SQLITE_OK) {
            s.reset();
            failSql(rc, doing);
        }
    }

    static void bind(sqlite3_stmt* s, int i, const QVariant& v) {
        if (v.isNull() || !v.isValid()) {
            sqlite3_bind_null(s, i);
            return;
        }
        switch (v.typeId()) {
        case QMetaType::Bool:
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::ULongLong:
            sqlite3_bind_int64(s, i, v.toLongLong());
            break;
        default: {
            const QByteArray utf8 = v.toString().toUtf8();
            sqlite3_bind_text(s, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        }
        }
    }

    QVariant column(sqlite3_stmt* s, int i, FieldType t) const {
        if (sqlite3_column_type(s, i) == SQLITE_NULL)
            return {};
        switch (t) {
        case FieldType::Integer:
        case FieldType::AutoInc:
            return int(sqlite3_column_int64(s, i));
        case FieldType::Boolean:
            return sqlite3_column_int64(s, i) != 0;
        case FieldType::Text:
        case FieldType::Memo:
            break;
        }
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(s, i));
        return QString::fromUtf8(text, sqlite3_column_bytes(s, i));
    }

    // --- opening --------------------------------------------------------------------------

    QString path() const { return QDir::current().absoluteFilePath(fileName); }

    void applyPragmas() {
        exec(QStringLiteral("PRAGMA synchronous=%1").arg(forceFlush ? "FULL" : "NORMAL"),
             QStringLiteral("set up"));
        // Room for the upper levels of a large bank, so walks in random order stay cheap.
        exec(QStringLiteral("PRAGMA cache_size=-65536"), QStringLiteral("set up"));
    }

    // Opens the connection; with `key` empty the file is read as plain SQLite. An encrypted file
    // is read with `pageSize`, which must be the one it was written with.
    int connect(const QString& key, bool create, int pageSize = kPageSize) {
        const int flags =
            SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
        int rc = sqlite3_open_v2(QFile::encodeName(path()).constData(), &db, flags, nullptr);
        if (rc != SQLITE_OK) {
            disconnect();
            return rc;
        }
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_handler(db, &Impl::busyRetry, this);
        if (!key.isEmpty()) {
            const QString pragma = QStringLiteral("PRAGMA key = \"%1\"").arg(key);
            rc = sqlite3_exec(db, pragma.toUtf8().constData(), nullptr, nullptr, nullptr);
            // Always set: the cipher's default page size is process-wide and can be changed.
            if (rc == SQLITE_OK) {
                const QByteArray size = "PRAGMA cipher_page_size = " + QByteArray::number(pageSize);
                rc = sqlite3_exec(db, size.constData(), nullptr, nullptr, nullptr);
            }
            if (rc != SQLITE_OK) {
                disconnect();
                return rc;
            }
        }
        // A read of the schema tells whether the key fits.
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            disconnect();
        return rc;
    }

    void disconnect() {
        selRow.reset();
        insRow.reset();
        updRow.reset();
        delRow.reset();
        visRow.reset();
        findRow.reset();
        if (db)
            sqlite3_close_v2(db);
        db = nullptr;
    }

    void createFile() {
        const QString key = encryptWith.isEmpty() ? QString() : session.rawKeyFor(encryptWith);
        int rc = connect(key, true);
        if (rc != SQLITE_OK)
            failSql(rc, QStringLiteral("create"));
        try {
            QStringList cols;
            for (const FieldDef& f : schema.fields) {
                QString col = quoteIdent(f.name) + u' ' + QLatin1String(declaredType(f.type));
                if (f.type == FieldType::AutoInc)
                    col += QLatin1String(" PRIMARY KEY AUTOINCREMENT");
                else if (f.name.compare(schema.keyField, Qt::CaseInsensitive) == 0)
                    col += QLatin1String(" PRIMARY KEY");
                cols.push_back(col);
            }
            exec(QStringLiteral("CREATE TABLE records (%1)").arg(cols.join(QStringLiteral(", "))),
                 QStringLiteral("create"));
        } catch (...) {
            disconnect();
            QFile::remove(path());
            throw;
        }
    }

    void openFile() {
        const QString p = path();
        QFile file(p);
        if (!file.exists()) {
            if (!hasSchema)
                fail(QStringLiteral("The table file \"%1\" does not exist").arg(bare()));
            createFile();
            return;
        }
        if (!file.open(QIODevice::ReadOnly))
            fail(QStringLiteral("The table file \"%1\" cannot be read: %2")
                     .arg(bare(), file.errorString()));
        const QByteArray head = file.read(100);
        const qint64 size = file.size();
        file.close();

        static const QByteArray plainMagic("SQLite format 3\0", 16);
        const QString damaged =
            QStringLiteral("The table file \"%1\" is damaged or is not a table file").arg(bare());
        if (head.startsWith(plainMagic)) {
            const int rc = connect(QString(), false);
            if ((rc & 0xff) == SQLITE_BUSY)
                failSql(rc, QStringLiteral("open"));
            if (rc != SQLITE_OK)
                fail(damaged);
            return;
        }
        // An encrypted file is a whole number of pages. The page size is not readable without the
        // key, so it is probed: only a whole number of 4 KiB pages can be a file written with
        // them; older files have 1 KiB pages.
        if (size < kLegacyPageSize || size % kLegacyPageSize != 0)
            fail(damaged);
        QList<int> pageSizes;
        if (size % kPageSize == 0)
            pageSizes.push_back(kPageSize);
        pageSizes.push_back(kLegacyPageSize);
        for (const QString& key : session.rawKeys()) {
            for (int pageSize : pageSizes) {
                const int rc = connect(key, false, pageSize);
                if (rc == SQLITE_OK)
                    return;
                if ((rc & 0xff) == SQLITE_BUSY)
                    failSql(rc, QStringLiteral("open"));
            }
        }
        fail(QStringLiteral("The table file \"%1\" is damaged, or it is encrypted with a "
                            "password this program does not have")
                 .arg(bare()));
    }

    void discoverFields() {
        fields.clear();
        keyField.clear();
        keyIsRowid = false;
        bool autoinc = false;
        {
            Stmt s;
            prepare(s,
                    QStringLiteral("SELECT sql FROM sqlite_master WHERE type='table' AND "
                                   "name='records'"),
                    QStringLiteral("open"));
            const int rc = sqlite3_step(s.get());
            if (rc == SQLITE_DONE)
                fail(QStringLiteral("The table file \"%1\" is not a table file (it holds no "
                                    "records table)")
                         .arg(bare()));
            if (rc != SQLITE_ROW)
                failSql(rc, QStringLiteral("open"));
            autoinc =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)))
                    .contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
        }
        Stmt s;
        prepare(s, QStringLiteral("PRAGMA table_info(records)"), QStringLiteral("open"));
        int pkCount = 0;
        int rc;
        while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 1)));
            const QString type =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 2)));
            const int pk = sqlite3_column_int(s.get(), 5);
            FieldDef f{name, typeFromDeclared(type)};
            if (pk > 0) {
                ++pkCount;
                keyField = name;
                keyIsRowid = type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
                if (keyIsRowid && autoinc)
                    f.type = FieldType::AutoInc;
            }
            fields.push_back(f);
        }
        if (rc != SQLITE_DONE)
            failSql(rc, QStringLiteral("open"));
        if (pkCount != 1) {
            keyField.clear();
            keyIsRowid = false;
        }
        if (fields.isEmpty())
            fail(QStringLiteral("The table file \"%1\" holds a table without fields").arg(bare()));
    }

    QStringList fieldNameList() const {
        QStringList out;
        for (const FieldDef& f : fields)
            out.push_back(f.name);
        return out;
    }

    void prepareOrder() {
        sortedByRowid = true;
        orderBy = QStringLiteral("rowid");
        if (!indexField.isEmpty()) {
            const int i = requireField(indexField);
            if (!(keyIsRowid && fields[i].name == keyField)) {
                sortedByRowid = false;
                orderBy = quoteIdent(fields[i].name) + QLatin1String(", rowid");
            }
        }
    }

    filter::Sql compileFilter(const QString& text) const {
        if (!filtered || text.trimmed().isEmpty())
            return {};
        return filter::toSql(*filter::parse(text, fieldNameList()));
    }

    void bindAll(sqlite3_stmt* s, const QList<QVariant>& params, int from = 1) {
        for (int i = 0; i < params.size(); ++i)
            bind(s, from + i, params[i]);
    }

    // Reads the ordered keys of the whole table and which of them pass the filter, in one scan.
    void loadKeys() {
        rowids.clear();
        visible.clear();
        visRow.reset();
        const bool hasFilter = !where.where.isEmpty();
        Stmt s;
        prepare(s,
                QStringLiteral("SELECT rowid, %1 FROM records ORDER BY %2")
                    .arg(hasFilter ? QStringLiteral("coalesce(%1, 0)").arg(where.where)
                                   : QStringLiteral("1"),
                         orderBy),
                QStringLiteral("read"));
        bindAll(s.get(), where.params);
        int rc;
        while ((rc = sqlite3_step(s.get())) == SQLITE_ROW) {
            if (sqlite3_column_int(s.get(), 1) != 0)
                visible.push_back(int(rowids.size()));
            rowids.push_back(sqlite3_column_int64(s.get(), 0));
        }
        if (rc != SQLITE_DONE)
            failSql(rc, QStringLiteral("read"));
    }

    bool passesFilter(qint64 rowid) {
        if (where.where.isEmpty())
            return true;
        if (!visRow)
            prepare(visRow,
                    QStringLiteral("SELECT 1 FROM records WHERE rowid=? AND (%1)").arg(where.where),
                    QStringLiteral("read"));
        StmtUse use{visRow.get()};
        sqlite3_bind_int64(visRow.get(), 1, rowid);
        bindAll(visRow.get(), where.params, 2);
        const int rc = sqlite3_step(visRow.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            failSql(rc, QStringLiteral("read"));
        return rc == SQLITE_ROW;
    }

    QString columnList() const {
        QStringList cols;
        for (const FieldDef& f : fields)
            cols.push_back(quoteIdent(f.name));
        return cols.join(QStringLiteral(", "));
    }

    void ensureLoaded() const {
        if (!loaded)
            const_cast<Impl*>(this)->loadCurrent();
    }

    // Reads the current record; a failed read leaves it stale, so the next access reports again.
    void loadCurrent() {
        loaded = true;
        values.clear();
        if (cur < 0 || cur >= int(visible.size())) {
            for (int i = 0; i < fields.size(); ++i)
                values.push_back(QVariant());
            return;
        }
        loaded = false;
        if (!selRow)
            prepare(selRow,
                    QStringLiteral("SELECT %1 FROM records WHERE rowid=?").arg(columnList()),
                    QStringLiteral("read"));
        StmtUse use{selRow.get()};
        sqlite3_bind_int64(selRow.get(), 1, rowids[visible[cur]]);
        const int rc = sqlite3_step(selRow.get());
        if (rc != SQLITE_ROW) {
            for (int i = 0; i < fields.size(); ++i)
                values.push_back(QVariant());
            if (rc == SQLITE_DONE)
                fail(QStringLiteral("A record of table file \"%1\" was removed by another "
                                    "program")
                         .arg(bare()));
            failSql(rc, QStringLiteral("read"));
        }
        for (int i = 0; i < fields.size(); ++i)
            values.push_back(column(selRow.get(), i, fields[i].type));
        loaded = true;
    }

    qint64 currentRowid() const {
        return cur >= 0 && cur < int(visible.size()) ? rowids[visible[cur]] : -1;
    }

    // Puts the cursor on the visible record with `rowid`, or near where it was.
    void locate(qint64 rowid, int fallback) {
        cur = -1;
        if (rowid >= 0) {
            for (size_t i = 0; i < visible.size(); ++i)
                if (rowids[visible[i]] == rowid) {
                    cur = int(i);
                    break;
                }
        }
        if (cur < 0 && !visible.empty())
            cur = std::clamp(fallback, 0, int(visible.size()) - 1);
        atBof = atEof = visible.empty();
    }

    void setState(State s) {
        if (state == s)
            return;
        state = s;
        Q_EMIT q->stateChanged();
    }

    void moved() {
        loaded = false;
        Q_EMIT q->dataChanged(QString());
    }

    void closeNoThrow() {
        if (db && (inTransaction || reading))
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        inTransaction = false;
        reading = false;
        disconnect();
        rowids.clear();
        visible.clear();
        values.clear();
        loaded = true;
        cur = -1;
        atBof = atEof = true;
    }

    // --- posting --------------------------------------------------------------------------

    QVariant convert(int i, const QVariant& v) const {
        if (!v.isValid() || v.isNull())
            return {};
        switch (fields[i].type) {
        case FieldType::Integer:
        case FieldType::AutoInc: {
            if (v.typeId() == QMetaType::Bool)
                return int(v.toBool());
            bool ok = false;
            const QString asString = v.toString().trimmed();
            if (v.typeId() == QMetaType::QString && asString.isEmpty())
                return {};
            const int n = v.typeId() == QMetaType::QString ? asString.toInt(&ok) : v.toInt(&ok);
            if (!ok)
                fail(QStringLiteral("'%1' is not a valid integer value for field '%2'")
                         .arg(v.toString(), fields[i].name));
            return n;
        }
        case FieldType::Boolean:
            return v.toBool();
        case FieldType::Text:
        case FieldType::Memo: {
            const QString s = v.toString();
            if (s.isEmpty())
                return {};
            return s;
        }
        }
        return v;
    }

    void postInsert() {
        if (!insRow) {
            QStringList cols, marks;
            for (const FieldDef& f : fields) {
                cols.push_back(quoteIdent(f.name));
                marks.push_back(QStringLiteral("?"));
            }
            prepare(insRow,
                    QStringLiteral("INSERT INTO records (%1) VALUES (%2)")
                        .arg(cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                    QStringLiteral("write to"));
        }
        {
            StmtUse use{insRow.get()};
            bindAll(insRow.get(), values);
            const int rc = sqlite3_step(insRow.get());
            if (rc != SQLITE_DONE)
                failSql(rc, QStringLiteral("write to"));
        }
        const qint64 id = sqlite3_last_insert_rowid(db);
        if (keyIsRowid) {
            const int k = fieldIndex(keyField);
            values[k] = int(id);
        }
        if (!sortedByRowid) {
            loadKeys();
            locate(id, cur);
            return;
        }
        const int pos = int(std::lower_bound(rowids.begin(), rowids.end(), id) - rowids.begin());
        rowids.insert(rowids.begin() + pos, id);
        auto vpos = std::lower_bound(visible.begin(), visible.end(), pos);
        for (auto it = vpos; it != visible.end(); ++it)
            ++*it;
        if (passesFilter(id)) {
            const auto at = visible.insert(vpos, pos);
            cur = int(at - visible.begin());
        } else {
            cur = std::min(int(vpos - visible.begin()), int(visible.size()) - 1);
            loadCurrent();
        }
        atBof = atEof = false;
        if (visible.empty())
            atBof = atEof = true;
    }

    void postEdit(const QList<QVariant>& before) {
        const qint64 id = currentRowid();
        if (!updRow) {
            QStringList sets;
            for (const FieldDef& f : fields)
                sets.push_back(quoteIdent(f.name) + QLatin1String("=?"));
            prepare(updRow,
                    QStringLiteral("UPDATE records SET %1 WHERE rowid=?")
                        .arg(sets.join(QStringLiteral(", "))),
                    QStringLiteral("write to"));
        }
        {
            StmtUse use{updRow.get()};
            bindAll(updRow.get(), values);
            sqlite3_bind_int64(updRow.get(), fields.size() + 1, id);
            const int rc = sqlite3_step(updRow.get());
            if (rc != SQLITE_DONE)
                failSql(rc, QStringLiteral("write to"));
        }
        bool reorder = !where.where.isEmpty();
        for (int i = 0; i < fields.size() && !reorder; ++i) {
            const bool ordering = fields[i].name == keyField ||
                                  (!indexField.isEmpty() &&
                                   fields[i].name.compare(indexField, Qt::CaseInsensitive) == 0);
            if (ordering && before[i] != values[i])
                reorder = true;
        }
        if (reorder) {
            const int keyIdx = keyIsRowid ? fieldIndex(keyField) : -1;
            const qint64 newId =
                keyIdx >= 0 && !values[keyIdx].isNull() ? values[keyIdx].toLongLong() : id;
            loadKeys();
            locate(newId, cur);
            loadCurrent();
        }
    }
};

Table::Table(Session& session, QObject* parent)
    : QObject(parent), d(std::make_unique<Impl>(this, session)) {}

Table::~Table() {
    d->closeNoThrow();
}

void Table::setFileName(const QString& fileName) {
    d->fileName = fileName;
}
QString Table::fileName() const {
    return d->fileName;
}
void Table::setSchema(const Schema& schema) {
    d->schema = schema;
    d->hasSchema = !schema.fields.isEmpty();
}
void Table::setEncryptWith(const QString& password) {
    d->encryptWith = password;
}
void Table::setIndexField(const QString& field) {
    if (d->db && field != d->indexField) {
        const QString old = d->indexField;
        d->indexField = field;
        try {
            d->requireBrowse();
            const qint64 id = d->currentRowid();
            d->prepareOrder();
            d->loadKeys();
            d->locate(id, 0);
            d->moved();
        } catch (...) {
            d->indexField = old;
            throw;
        }
        return;
    }
    d->indexField = field;
}
QString Table::indexField() const {
    return d->indexField;
}
void Table::setExclusive(bool exclusive) {
    d->exclusive = exclusive;
}
bool Table::exclusive() const {
    return d->exclusive;
}
void Table::setForceFlush(bool on) {
    d->forceFlush = on;
    if (d->db)
        d->applyPragmas();
}
bool Table::forceFlush() const {
    return d->forceFlush;
}
void Table::setLockRetry(int count, int waitMs) {
    d->retryCount = std::max(0, count);
    d->retryWaitMs = std::max(0, waitMs);
}
int Table::lockRetryCount() const {
    return d->retryCount;
}
int Table::lockRetryWaitMs() const {
    return d->retryWaitMs;
}

void Table::setFilter(const QString& filter) {
    if (d->db && d->filtered && filter != d->filterText) {
        const filter::Sql where = d->compileFilter(filter);
        d->requireBrowse();
        d->filterText = filter;
        d->where = where;
        d->refilter();
        return;
    }
    d->filterText = filter;
}
QString Table::filter() const {
    return d->filterText;
}

void Table::setFiltered(bool on) {
    if (d->db && on != d->filtered) {
        d->requireBrowse();
        d->filtered = on;
        try {
            d->where = d->compileFilter(d->filterText);
        } catch (...) {
            d->filtered = !on;
            throw;
        }
        d->refilter();
        return;
    }
    d->filtered = on;
}
bool Table::filtered() const {
    return d->filtered;
}

void Table::open() {
    if (d->db)
        return;
    try {
        d->openFile();
        if (d->exclusive) {
            d->exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"), QStringLiteral("open"));
            // Taking the write lock now keeps it until close.
            d->exec(QStringLiteral("BEGIN EXCLUSIVE"), QStringLiteral("open"));
            d->exec(QStringLiteral("COMMIT"), QStringLiteral("open"));
        }
        d->applyPragmas();
        d->discoverFields();
        d->prepareOrder();
        d->where = d->compileFilter(d->filterText);
        d->loadKeys();
        d->cur = d->visible.empty() ? -1 : 0;
        d->atBof = true;
        d->atEof = d->visible.empty();
        d->loadCurrent();
    } catch (...) {
        d->closeNoThrow();
        throw;
    }
    d->setState(State::Browse);
    Q_EMIT dataChanged(QString());
}

void Table::close() {
    if (!d->db)
        return;
    d->closeNoThrow();
    d->setState(State::Inactive);
}

bool Table::isOpen() const {
    return d->db != nullptr;
}
State Table::state() const {
    return d->state;
}

void Table::first() {
    d->requireBrowse();
    d->cur = d->visible.empty() ? -1 : 0;
    d->atBof = true;
    d->atEof = d->visible.empty();
    d->moved();
}

void Table::last() {
    d->requireBrowse();
    d->cur = int(d->visible.size()) - 1;
    d->atBof = d->visible.empty();
    d->atEof = d->visible.empty();
    d->moved();
}

void Table::next() {
    d->requireBrowse();
    if (d->cur + 1 < int(d->visible.size())) {
        ++d->cur;
        d->atBof = d->atEof = false;
        d->moved();
    } else {
        d->atEof = true;
        Q_EMIT dataChanged(QString());
    }
}

void Table::prior() {
    d->requireBrowse();
    if (d->cur > 0) {
        --d->cur;
        d->atBof = d->atEof = false;
        d->moved();
    } else {
        d->atBof = true;
        Q_EMIT dataChanged(QString());
    }
}

bool Table::eof() const {
    return !d->db || d->atEof;
}
bool Table::bof() const {
    return !d->db || d->atBof;
}

int Table::recNo() const {
    if (!d->db || d->cur < 0 || d->cur >= int(d->visible.size()))
        return 0;
    return d->visible[d->cur] + 1;
}

void Table::setRecNo(int recNo) {
    d->requireBrowse();
    if (d->visible.empty())
        return;
    // The record with that number, or the next visible one when the filter hides it.
    const auto it = std::lower_bound(d->visible.begin(), d->visible.end(), recNo - 1);
    d->cur = it == d->visible.end() ? int(d->visible.size()) - 1 : int(it - d->visible.begin());
    d->atBof = d->atEof = false;
    d->moved();
}

int Table::recordCount() const {
    return d->db ? int(d->visible.size()) : 0;
}
bool Table::isEmpty() const {
    return !d->db || d->visible.empty();
}

bool Table::findKey(const QVariant& key) {
    d->requireBrowse();
    if (d->keyField.isEmpty())
        d->fail(QStringLiteral("Table \"%1\" has no key field").arg(d->bare()));
    const int k = d->fieldIndex(d->keyField);
    const QVariant v = d->convert(k, key);
    if (v.isNull())
        return false;
    qint64 id = -1;
    if (d->keyIsRowid) {
        id = v.toLongLong();
    } else {
        if (!d->findRow)
            d->prepare(d->findRow,
                       QStringLiteral("SELECT rowid FROM records WHERE %1=? LIMIT 1")
                           .arg(quoteIdent(d->keyField)),
                       QStringLiteral("read"));
        StmtUse use{d->findRow.get()};
        Impl::bind(d->findRow.get(), 1, v);
        const int rc = sqlite3_step(d->findRow.get());
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            d->failSql(rc, QStringLiteral("read"));
        id = sqlite3_column_int64(d->findRow.get(), 0);
    }
    int pos = -1;
    if (d->sortedByRowid) {
        const auto it = std::lower_bound(d->rowids.begin(), d->rowids.end(), id);
        if (it != d->rowids.end() && *it == id)
            pos = int(it - d->rowids.begin());
    } else {
        const auto it = std::find(d->rowids.begin(), d->rowids.end(), id);
        if (it != d->rowids.end())
            pos = int(it - d->rowids.begin());
    }
    if (pos < 0)
        return false;
    const auto vit = std::lower_bound(d->visible.begin(), d->visible.end(), pos);
    if (vit == d->visible.end() || *vit != pos)
        return false;
    d->cur = int(vit - d->visible.begin());
    d->atBof = d->atEof = false;
    d->moved();
    return true;
}

void Table::append() {
    d->requireBrowse();
    d->values.clear();
    for (int i = 0; i < d->fields.size(); ++i)
        d->values.push_back(QVariant());
    d->loaded = true;
    d->setState(State::Insert);
    Q_EMIT dataChanged(QString());
}

void Table::insert() {
    append();
}

void Table::edit() {
    d->requireBrowse();
    if (d->currentRowid() < 0)
        d->fail(QStringLiteral("Table \"%1\" has no record to edit").arg(d->bare()));
    d->ensureLoaded();
    d->setState(State::Edit);
}

void Table::post() {
    d->requireOpen();
    if (d->state == State::Browse)
        return;
    if (d->state == State::Insert) {
        d->postInsert();
    } else {
        // The stored values, to tell whether the record moved in the order. A failed read (the
        // record gone) keeps the edit buffer, as any failed post does.
        const QList<QVariant> edited = d->values;
        QList<QVariant> before;
        try {
            d->loadCurrent();
            before = d->values;
        } catch (...) {
            d->values = edited;
            d->loaded = true;
            throw;
        }
        d->values = edited;
        d->postEdit(before);
    }
    d->setState(State::Browse);
    Q_EMIT dataChanged(QString());
}

void Table::cancel() {
    d->requireOpen();
    if (d->state == State::Browse)
        return;
    d->loadCurrent();
    d->setState(State::Browse);
    Q_EMIT dataChanged(QString());
}

void Table::remove() {
    d->requireBrowse();
    const qint64 id = d->currentRowid();
    if (id < 0)
        d->fail(QStringLiteral("Table \"%1\" has no record to delete").arg(d->bare()));
    d->prepare(d->delRow, QStringLiteral("DELETE FROM records WHERE rowid=?"),
               QStringLiteral("write to"));
    {
        StmtUse use{d->delRow.get()};
        sqlite3_bind_int64(d->delRow.get(), 1, id);
        const int rc = sqlite3_step(d->delRow.get());
        if (rc != SQLITE_DONE)
            d->failSql(rc, QStringLiteral("write to"));
    }
    const int pos = d->visible[d->cur];
    d->rowids.erase(d->rowids.begin() + pos);
    d->visible.erase(d->visible.begin() + d->cur);
    for (size_t i = d->cur; i < d->visible.size(); ++i)
        --d->visible[i];
    if (d->cur >= int(d->visible.size()))
        d->cur = int(d->visible.size()) - 1;
    d->atBof = d->atEof = d->visible.empty();
    d->moved();
}

void Table::emptyTable() {
    if (d->db) {
        d->requireBrowse();
        d->exec(QStringLiteral("DELETE FROM records"), QStringLiteral("empty"));
        d->rowids.clear();
        d->visible.clear();
        d->cur = -1;
        d->atBof = d->atEof = true;
        d->moved();
        return;
    }
    try {
        d->openFile();
        d->discoverFields();
        d->exec(QStringLiteral("DELETE FROM records"), QStringLiteral("empty"));
    } catch (...) {
        d->closeNoThrow();
        throw;
    }
    d->closeNoThrow();
}

void Table::beginTransaction() {
    d->requireOpen();
    if (d->inTransaction || d->reading)
        d->fail(QStringLiteral("Table \"%1\" is already in a transaction").arg(d->bare()));
    d->exec(QStringLiteral("BEGIN IMMEDIATE"), QStringLiteral("write to"));
    d->inTransaction = true;
}

void Table::commit() {
    d->requireOpen();
    if (!d->inTransaction)
        return;
    d->exec(QStringLiteral("COMMIT"), QStringLiteral("write to"));
    d->inTransaction = false;
}

void Table::rollback() {
    d->requireOpen();
    if (!d->inTransaction)
        return;
    d->inTransaction = false;
    d->exec(QStringLiteral("ROLLBACK"), QStringLiteral("write to"));
    if (d->state != State::Browse)
        d->setState(State::Browse);
    const qint64 id = d->currentRowid();
    d->loadKeys();
    d->locate(id, d->cur);
    d->moved();
}

bool Table::inTransaction() const {
    return d->inTransaction;
}

void Table::beginRead() {
    d->requireOpen();
    if (d->inTransaction || d->reading)
        d->fail(QStringLiteral("Table \"%1\" is already in a transaction").arg(d->bare()));
    // A deferred transaction takes its shared lock at the first read and keeps it.
    d->exec(QStringLiteral("BEGIN DEFERRED"), QStringLiteral("read"));
    d->reading = true;
}

void Table::endRead() {
    if (!d->db || !d->reading)
        return;
    d->reading = false;
    d->exec(QStringLiteral("COMMIT"), QStringLiteral("read"));
}

QStringList Table::fieldNames() const {
    return d->fieldNameList();
}

FieldType Table::fieldType(const QString& name) const {
    return d->fields[d->requireField(name)].type;
}

bool Table::hasField(const QString& name) const {
    return d->fieldIndex(name) >= 0;
}

QString Table::keyField() const {
    return d->keyField;
}

QVariant Table::value(const QString& name) const {
    d->requireOpen();
    const int i = d->requireField(name);
    d->ensureLoaded();
    return i < d->values.size() ? d->values[i] : QVariant();
}

void Table::setValue(const QString& name, const QVariant& value) {
    d->requireOpen();
    const int i = d->requireField(name);
    if (d->state != State::Edit && d->state != State::Insert)
        d->fail(QStringLiteral("Table \"%1\" is not in edit or insert mode").arg(d->bare()));
    const QVariant v = d->convert(i, value);
    if (v == d->values[i] && v.isNull() == d->values[i].isNull())
        return;
    d->values[i] = v;
    Q_EMIT dataChanged(d->fields[i].name);
}

int Table::asInteger(const QString& name) const {
    return value(name).toInt();
}
bool Table::asBoolean(const QString& name) const {
    return value(name).toBool();
}
QString Table::asText(const QString& name) const {
    return value(name).toString();
}
bool Table::isNull(const QString& name) const {
    return value(name).isNull();
}

DataSource::DataSource(Table* table, QObject* parent) : QObject(parent) {
    setTable(table);
}

void DataSource::setTable(Table* table) {
    if (table_)
        disconnect(table_, nullptr, this, nullptr);
    table_ = table;
    if (table_) {
        connect(table_, &Table::dataChanged, this, &DataSource::dataChange);
        connect(table_, &Table::stateChanged, this, &DataSource::stateChange);
    }
}

Table* DataSource::table() const {
    return table_;
}

} // namespace store
