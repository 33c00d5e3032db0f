#include "store/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <iostream>
#include <sqlite3.h>

using store::FieldDef;
using store::FieldType;
using store::Schema;
using store::Session;
using store::State;
using store::Table;

namespace {

const QString kPassword = QStringLiteral("tide-and-anchor");

Schema keyedSchema() {
    Schema s;
    s.fields << FieldDef{"ID", FieldType::Integer} << FieldDef{"EXAM", FieldType::Integer}
             << FieldDef{"NAME", FieldType::Text} << FieldDef{"NOTE", FieldType::Memo}
             << FieldDef{"FLAG", FieldType::Boolean};
    s.keyField = "ID";
    return s;
}

// Ten records, ID 1..10, EXAM = ID % 3, NAME "n<ID>".
void fill(Table& t, int count = 10) {
    t.open();
    t.beginTransaction();
    for (int id = 1; id <= count; ++id) {
        t.append();
        t.setInteger("ID", id);
        t.setInteger("EXAM", id % 3);
        t.setText("NAME", QStringLiteral("n%1").arg(id));
        t.setText("NOTE", QStringLiteral("note %1").arg(id));
        t.setBoolean("FLAG", id % 2 == 0);
        t.post();
    }
    t.commit();
    t.close();
}

QList<int> walkRecNos(Table& t) {
    QList<int> out;
    for (t.first(); !t.eof(); t.next())
        out << t.recNo();
    return out;
}

// Runs in the child process: holds `file` exclusively until `ms` have passed.
int holdFile(const QString& file, int ms) {
    Session session("child");
    session.addPassword(kPassword);
    Table t(session);
    t.setFileName(file);
    t.setExclusive(true);
    try {
        t.open();
    } catch (const palvexa::Error& e) {
        std::cout << "failed " << e.what() << std::endl;
        return 1;
    }
    std::cout << "ready" << std::endl;
    QThread::msleep(ms);
    t.close();
    return 0;
}

} // namespace

class TstStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    Session session_{"test"};

    // A keyed, encrypted table of ten records in a fresh file.
    std::unique_ptr<Table> makeTable(const QString& name, int count = 10) {
        auto t = std::make_unique<Table>(session_);
        t->setFileName(name);
        t->setSchema(keyedSchema());
        t->setEncryptWith(kPassword);
        t->setIndexField("ID");
        fill(*t, count);
        return t;
    }

    std::unique_ptr<QProcess> startHolder(const QString& file, int ms) {
        auto p = std::make_unique<QProcess>();
        p->start(QCoreApplication::applicationFilePath(),
                 {"--hold", QDir::current().absoluteFilePath(file), QString::number(ms)});
        if (!p->waitForStarted() || !p->waitForReadyRead(10000))
            return nullptr;
        const QByteArray line = p->readLine().trimmed();
        if (line != "ready") {
            qWarning() << "holder:" << line;
            return nullptr;
        }
        return p;
    }

private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(dir_.isValid());
        QDir::setCurrent(dir_.path());
        session_.addPassword("some other password");
        session_.addPassword(kPassword);
    }

    void recordNumbersUnderFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("setWhileOpen");
        QTest::addColumn<QList<int>>("recNos");
        QTest::addRow("one exam") << "EXAM=1" << false << QList<int>{1, 4, 7, 10};
        QTest::addRow("one exam, set while open") << "EXAM=1" << true << QList<int>{1, 4, 7, 10};
        QTest::addRow("not equal, lower-case field")
            << "exam<>0" << false << QList<int>{1, 2, 4, 5, 7, 8, 10};
        QTest::addRow("and") << "EXAM=1 AND ID>4" << false << QList<int>{7, 10};
        QTest::addRow("or") << "EXAM=1 or ID=2" << true << QList<int>{1, 2, 4, 7, 10};
        QTest::addRow("not, parentheses")
            << "NOT (EXAM=1)" << false << QList<int>{2, 3, 5, 6, 8, 9};
        QTest::addRow("precedence")
            << "(EXAM=0 OR EXAM=2) AND NOT ID<5" << false << QList<int>{5, 6, 8, 9};
        QTest::addRow("single-quoted text") << "NAME='n3'" << false << QList<int>{3};
        QTest::addRow("double-quoted text")
            << "NAME=\"n3\" OR NAME = 'n10'" << true << QList<int>{3, 10};
        QTest::addRow("boolean") << "FLAG=TRUE AND ID<=6 AND ID>=4" << false << QList<int>{4, 6};
        QTest::addRow("nothing passes") << "EXAM=9" << true << QList<int>{};
        QTest::addRow("empty text") << "" << false << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    }

    // A filter hides records but keeps every record's number: number = ID in a keyed table.
    void recordNumbersUnderFilter() {
        QFETCH(QString, filter);
        QFETCH(bool, setWhileOpen);
        QFETCH(QList<int>, recNos);
        auto t = makeTable("filter.DAT");
        if (setWhileOpen) {
            t->setFiltered(true);
            t->open();
            t->setFilter(filter);
        } else {
            t->setFilter(filter);
            t->setFiltered(true);
            t->open();
        }
        QCOMPARE(walkRecNos(*t), recNos);
        QCOMPARE(t->recordCount(), recNos.size());
        QCOMPARE(t->isEmpty(), recNos.isEmpty());
        for (int n : recNos) {
            t->setRecNo(n);
            QCOMPARE(t->recNo(), n);
            QCOMPARE(t->asInteger("id"), n);
        }
        // Filtering off shows the whole table again.
        t->setFiltered(false);
        QCOMPARE(t->recordCount(), 10);
        t->close();
        QFile::remove("filter.DAT");
    }

    void filterErrors_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("complaint");
        QTest::addRow("unknown field") << "Q_FOO=1"
                                       << "unknown field Q_FOO";
        QTest::addRow("missing value") << "EXAM="
                                       << "expected a field name or a value";
        QTest::addRow("dangling and") << "EXAM=1 AND"
                                      << "expected a field name or a value";
        QTest::addRow("unclosed parenthesis") << "(EXAM=1"
                                              << "expected \")\"";
        QTest::addRow("unclosed quote") << "NAME='abc"
                                        << "no closing quote";
        QTest::addRow("no comparison") << "EXAM"
                                       << "expected a comparison";
        QTest::addRow("pasted sql") << "EXAM=1; DELETE FROM records"
                                    << "unexpected \";\"";
        QTest::addRow("sql inside a literal") << "NAME='x'' OR 1=1 --' AND EXAM=1 OR"
                                              << "expected a field name or a value";
    }

    void filterErrors() {
        QFETCH(QString, filter);
        QFETCH(QString, complaint);
        auto t = makeTable("ferr.DAT");
        t->setFilter(filter);
        t->setFiltered(true);
        try {
            t->open();
            QFAIL("open accepted a bad filter");
        } catch (const palvexa::Error& e) {
            QVERIFY2(e.text().contains(QStringLiteral("\"%1\"").arg(filter)), qPrintable(e.text()));
            QVERIFY2(e.text().contains(complaint), qPrintable(e.text()));
        }
        QVERIFY(!t->isOpen());
        // Set on an open table: refused, the old filter stays in force.
        t->setFilter("EXAM=1");
        t->open();
        QVERIFY_THROWS_EXCEPTION(palvexa::Error, t->setFilter(filter));
        QCOMPARE(t->filter(), QString("EXAM=1"));
        QCOMPARE(t->recordCount(), 4);
        t->setFiltered(false);
        QCOMPARE(t->recordCount(), 10);
        t->close();
        QFile::remove("ferr.DAT");
    }

    // A literal that looks like SQL is just a value.
    void literalsAreBound() {
        auto t = makeTable("bound.DAT");
        t->setFilter("NAME='n1'' OR ''1''=''1' OR NAME=\"n2\"\"\"");
        t->setFiltered(true);
        t->open();
        QCOMPARE(t->recordCount(), 0);
        t->close();
        t->setFiltered(false);
        t->open();
        QCOMPARE(t->recordCount(), 10);
        t->close();
        QFile::remove("bound.DAT");
    }

    void editing() {
        auto t = makeTable("edit.DAT");
        t->open();
        QCOMPARE(t->state(), State::Browse);

        // Edit, cancel: the stored values come back.
        t->setRecNo(3);
        t->edit();
        t->setText("Name", "changed");
        QCOMPARE(t->asText("NAME"), QString("changed"));
        t->cancel();
        QCOMPARE(t->state(), State::Browse);
        QCOMPARE(t->asText("NAME"), QString("n3"));

        // Edit, post: kept across a reopen; a memo reads and writes as text.
        t->edit();
        t->setText("NOTE", QString(5000, u'm'));
        t->setText("NAME", "");
        t->post();
        t->close();
        t->open();
        t->setRecNo(3);
        QCOMPARE(t->asText("note"), QString(5000, u'm'));
        QVERIFY(t->isNull("NAME"));
        QCOMPARE(t->asText("NAME"), QString());

        // Append in a keyed table: the key decides the place; the record becomes current.
        t->last();
        t->append();
        t->setInteger("ID", 11);
        t->setInteger("EXAM", 2);
        t->post();
        QCOMPARE(t->recNo(), 11);
        QCOMPARE(t->recordCount(), 11);
        t->insert();
        QCOMPARE(t->state(), State::Insert);
        QVERIFY(t->isNull("ID"));
        t->setInteger("ID", 0);
        t->post();
        QCOMPARE(t->recNo(), 1);
        QCOMPARE(t->asInteger("ID"), 0);
        t->next();
        QCOMPARE(t->asInteger("ID"), 1);
        QCOMPARE(t->recNo(), 2);

        // Remove: the following record becomes current and records renumber.
        t->setRecNo(1);
        t->remove();
        QCOMPARE(t->asInteger("ID"), 1);
        QCOMPARE(t->recNo(), 1);
        t->last();
        t->remove();
        QCOMPARE(t->asInteger("ID"), 10);
        QCOMPARE(t->recordCount(), 10);

        // Under a filter, a posted record that fails it leaves the cursor on a visible one.
        t->setFilter("EXAM=1");
        t->setFiltered(true);
        t->append();
        t->setInteger("ID", 20);
        t->setInteger("EXAM", 2);
        t->post();
        QCOMPARE(t->recordCount(), 4);
        QCOMPARE(t->asInteger("EXAM"), 1);
        t->append();
        t->setInteger("ID", 21);
        t->setInteger("EXAM", 1);
        t->post();
        QCOMPARE(t->recordCount(), 5);
        QCOMPARE(t->recNo(), 12);
        QCOMPARE(t->asInteger("ID"), 21);

        QVERIFY_THROWS_EXCEPTION(palvexa::Error, t->value("NOPE"));
        QVERIFY_THROWS_EXCEPTION(palvexa::Error, t->setInteger("EXAM", 1)); // browse state
        t->close();
        QFile::remove("edit.DAT");
    }

    // The exam set's shape: no key, records in append order.
    void unkeyedAppendOrder() {
        Schema s;
        s.fields << FieldDef{"N", FieldType::Integer};
        Table t(session_);
        t.setFileName("plain.DAT");
        t.setSchema(s);
        t.open();
        for (int n : {30, 10, 20}) {
            t.append();
            t.setInteger("N", n);
            t.post();
            QCOMPARE(t.recNo(), t.recordCount());
        }
        QList<int> seen;
        for (t.first(); !t.eof(); t.next())
            seen << t.asInteger("N");
        QCOMPARE(seen, (QList<int>{30, 10, 20}));
        QVERIFY(!t.hasField("Q_ID"));
        QCOMPARE(t.keyField(), QString());
        t.close();
        // Not encrypted: a plain SQLite file.
        QFile f("plain.DAT");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(16).startsWith("SQLite format 3"));
    }

    void findKey() {
        auto t = makeTable("find.DAT");
        t->setFilter("EXAM=1");
        t->setFiltered(true);
        t->open();
        QVERIFY(t->findKey(7));
        QCOMPARE(t->recNo(), 7);
        QVERIFY(!t->findKey(8)); // hidden by the filter
        QCOMPARE(t->recNo(), 7);
        QVERIFY(!t->findKey(99));
        t->close();
        QFile::remove("find.DAT");
    }

    void emptyTable_data() {
        QTest::addColumn<bool>("whileOpen");
        QTest::addRow("open") << true;
        QTest::addRow("closed") << false;
    }

    void emptyTable() {
        QFETCH(bool, whileOpen);
        auto t = makeTable("empty.DAT");
        if (whileOpen)
            t->open();
        t->emptyTable();
        QCOMPARE(t->isOpen(), whileOpen);
        t->open();
        QVERIFY(t->isEmpty());
        QVERIFY(t->eof());
        QVERIFY(t->bof());
        QCOMPARE(t->recNo(), 0);
        QCOMPARE(t->fieldNames(), (QStringList{"ID", "EXAM", "NAME", "NOTE", "FLAG"}));
        t->close();
        QFile::remove("empty.DAT");
    }

    void eventsDuringWalkAndEdit() {
        auto t = makeTable("events.DAT", 4);
        store::DataSource ds(t.get());
        QSignalSpy data(&ds, &store::DataSource::dataChange);
        QSignalSpy states(&ds, &store::DataSource::stateChange);
        t->open();
        QCOMPARE(states.count(), 1);
        QCOMPARE(data.count(), 1);
        data.clear();
        int moves = 0;
        for (t->first(); !t->eof(); t->next())
            ++moves;
        QCOMPARE(moves, 4);
        QCOMPARE(data.count(), 5); // first, three moves, and the step onto the end
        QVERIFY(std::all_of(data.begin(), data.end(),
                            [](const QList<QVariant>& a) { return a[0].toString().isEmpty(); }));
        QCOMPARE(t->recNo(), 4); // end of table stays on the last record

        data.clear();
        states.clear();
        t->edit();
        t->setText("name", "x");
        t->setText("name", "x"); // unchanged: no event
        t->post();
        QCOMPARE(states.count(), 2);
        QCOMPARE(data.count(), 2);
        QCOMPARE(data[0][0].toString(), QString("NAME"));
        QCOMPARE(data[1][0].toString(), QString());
        t->close();
        QCOMPARE(states.count(), 3);
        QCOMPARE(t->state(), State::Inactive);
        QFile::remove("events.DAT");
    }

    void transactions() {
        auto t = makeTable("tx.DAT", 3);
        t->open();
        t->beginTransaction();
        t->append();
        t->setInteger("ID", 4);
        t->post();
        t->rollback();
        QCOMPARE(t->recordCount(), 3);
        QVERIFY(!t->findKey(4));
        t->beginTransaction();
        t->append();
        t->setInteger("ID", 4);
        t->post();
        t->commit();
        t->close();
        t->open();
        QCOMPARE(t->recordCount(), 4);
        t->close();
        QFile::remove("tx.DAT");
    }

    // A failed post keeps the record in edit state with its typed values; nothing stored changes.
    void failedPostKeepsEdit() {
        auto t = makeTable("fail.DAT", 3);
        t->open();
        t->append();
        t->setInteger("ID", 2); // taken
        t->setText("NAME", "typed");
        QSignalSpy states(t.get(), &Table::stateChanged);
        try {
            t->post();
            QFAIL("duplicate key posted");
        } catch (const palvexa::Error& e) {
            QVERIFY2(e.text().contains("fail.DAT"), qPrintable(e.text()));
        }
        QCOMPARE(t->state(), State::Insert);
        QCOMPARE(states.count(), 0);
        QCOMPARE(t->asText("NAME"), QString("typed"));
        t->setInteger("ID", 4);
        t->post();
        QCOMPARE(t->recordCount(), 4);
        t->findKey(2);
        QCOMPARE(t->asText("NAME"), QString("n2"));

        t->edit();
        t->setInteger("ID", 3); // taken
        QVERIFY_THROWS_EXCEPTION(palvexa::Error, t->post());
        QCOMPARE(t->state(), State::Edit);
        QCOMPARE(t->asInteger("ID"), 3);
        t->cancel();
        QCOMPARE(t->asInteger("ID"), 2);

        // The record removed by another program while it was edited: the post says so, and
        // what was typed is still there.
        t->edit();
        t->setText("NAME", "typed");
        {
            Table other(session_);
            other.setFileName("fail.DAT");
            other.open();
            QVERIFY(other.findKey(2));
            other.remove();
        }
        try {
            t->post();
            QFAIL("a post to a removed record was reported as done");
        } catch (const palvexa::Error& e) {
            QVERIFY2(e.text().contains("fail.DAT"), qPrintable(e.text()));
        }
        QCOMPARE(t->state(), State::Edit);
        QCOMPARE(t->asText("NAME"), QString("typed"));

        t->close();

        // A write the file refuses: the edit stays, the stored record is unchanged.
        {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open("refuse.DAT", &db), SQLITE_OK);
            sqlite3_exec(db,
                         "CREATE TABLE records (ID INTEGER PRIMARY KEY, NAME TEXT);"
                         "INSERT INTO records VALUES (1, 'stored');"
                         "CREATE TRIGGER refuse BEFORE UPDATE ON records "
                         "BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                         nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        Table r(session_);
        r.setFileName("refuse.DAT");
        r.open();
        r.edit();
        r.setText("NAME", "typed again");
        try {
            r.post();
            QFAIL("a refused write was reported as posted");
        } catch (const palvexa::Error& e) {
            QVERIFY2(e.text().contains("refuse.DAT"), qPrintable(e.text()));
        }
        QCOMPARE(r.state(), State::Edit);
        QCOMPARE(r.asText("NAME"), QString("typed again"));
        r.cancel();
        r.close();
        r.open();
        QCOMPARE(r.asText("NAME"), QString("stored"));
        r.close();
        QFile::remove("fail.DAT");
    }

    // New encrypted files use 4 KiB pages; files written with the cipher's old 1 KiB pages stay
    // readable, whatever their size in pages.
    void pageSizes_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("whole4k"); // grown until its size is a multiple of 4 KiB
        QTest::addRow("legacy, whole 4 KiB multiple") << 1 << true;
        QTest::addRow("legacy, odd 1 KiB pages") << 1 << false;
        QTest::addRow("legacy, larger") << 300 << false;
    }
    void pageSizes() {
        QFETCH(int, records);
        QFETCH(bool, whole4k);
        {
            auto t = makeTable("paged.DAT", 3);
            QCOMPARE(QFile("paged.DAT").size() % 4096, 0);
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open("paged.DAT", &db), SQLITE_OK);
            const QString key = session_.rawKeyFor(kPassword);
            sqlite3_exec(db, qPrintable(QStringLiteral("PRAGMA key = \"%1\"").arg(key)), nullptr,
                         nullptr, nullptr);
            sqlite3_exec(db, "PRAGMA cipher_page_size = 4096", nullptr, nullptr, nullptr);
            QCOMPARE(sqlite3_exec(db, "SELECT count(*) FROM records", nullptr, nullptr, nullptr),
                     SQLITE_OK);
            sqlite3_close(db);
            QFile::remove("paged.DAT");
        }
        // A file as the cipher writes it by default.
        const QString name = "legacy.DAT";
        QFile::remove(name);
        sqlite3* db = nullptr;
        QCOMPARE(sqlite3_open(name.toUtf8().constData(), &db), SQLITE_OK);
        QString sql = QStringLiteral("PRAGMA key = \"%1\"; PRAGMA cipher_page_size = 1024;"
                                     "CREATE TABLE records (ID INTEGER PRIMARY KEY, NAME TEXT);"
                                     "BEGIN;")
                          .arg(session_.rawKeyFor(kPassword));
        for (int i = 1; i <= records; ++i)
            sql += QStringLiteral("INSERT INTO records VALUES (%1, '%2');")
                       .arg(i)
                       .arg(QString(200, QChar(u'a' + i % 26)));
        sql += "COMMIT;";
        QCOMPARE(sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
        while (whole4k && QFile(name).size() % 4096 != 0 && records < 100) {
            ++records;
            const QString more = QStringLiteral("INSERT INTO records VALUES (%1, '%2');")
                                     .arg(records)
                                     .arg(QString(200, u'z'));
            QCOMPARE(sqlite3_exec(db, more.toUtf8().constData(), nullptr, nullptr, nullptr),
                     SQLITE_OK);
        }
        sqlite3_close(db);
        const qint64 size = QFile(name).size();
        QCOMPARE(size % 1024, 0);
        QCOMPARE(size % 4096 == 0, whole4k);
        Table t(session_);
        t.setFileName(name);
        t.open();
        QCOMPARE(t.recordCount(), records);
        if (records > 0) {
            t.last();
            QCOMPARE(t.asInteger("ID"), records);
            t.edit();
            t.setText("NAME", "changed");
            t.post();
            t.close();
            t.open();
            t.last();
            QCOMPARE(t.asText("NAME"), QString("changed"));
        }
        t.close();
        QFile::remove(name);
    }

    // A read scope sees the records, refuses a nested transaction and ends with close.
    void readScope() {
        auto t = makeTable("read.DAT", 5);
        t->open();
        t->beginRead();
        QVERIFY_THROWS_EXCEPTION(palvexa::Error, t->beginTransaction());
        QVERIFY_THROWS_EXCEPTION(palvexa::Error, t->beginRead());
        QCOMPARE(walkRecNos(*t), (QList<int>{1, 2, 3, 4, 5}));
        QVERIFY(t->findKey(4));
        QCOMPARE(t->asText("NAME"), QString("n4"));
        t->endRead();
        t->endRead();          // no scope open: nothing to do
        t->beginTransaction(); // the read is over: writing works again
        t->edit();
        t->setText("NAME", "w");
        t->post();
        t->commit();
        t->beginRead();
        t->close(); // ends the scope
        t->open();
        QVERIFY(t->findKey(4));
        QCOMPARE(t->asText("NAME"), QString("w"));
        t->beginTransaction();
        t->rollback();
        t->close();
        QFile::remove("read.DAT");
    }

    void openErrors_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("complaint");
        QTest::addRow("missing") << "missing"
                                 << "does not exist";
        QTest::addRow("garbage bytes") << "garbage"
                                       << "damaged";
        QTest::addRow("garbage of whole pages") << "garbage pages"
                                                << "damaged";
        QTest::addRow("truncated mid-page") << "truncate odd"
                                            << "damaged";
        QTest::addRow("truncated at a page") << "truncate page"
                                             << "damaged";
        QTest::addRow("unknown password") << "password"
                                          << "password";
        QTest::addRow("plain file, no records") << "no records"
                                                << "not a table file";
        QTest::addRow("empty file") << "zero"
                                    << "damaged";
    }

    // Every failure names the file and leaves the table closed; nothing is thrown but our error.
    void openErrors() {
        QFETCH(QString, damage);
        QFETCH(QString, complaint);
        const QString name = "broken.DAT";
        QFile::remove(name);
        if (damage != "missing")
            makeTable(name, 300);
        QFile f(name);
        if (damage == "garbage" || damage == "garbage pages" || damage == "zero") {
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            const int size = damage == "garbage" ? 3000 : damage == "zero" ? 0 : 8192;
            QByteArray bytes(size, '\0');
            for (int i = 0; i < size; ++i)
                bytes[i] = char((i * 7919) % 251);
            f.write(bytes);
            f.close();
        } else if (damage.startsWith("truncate")) {
            const qint64 size = f.size();
            QVERIFY(f.resize(damage == "truncate odd" ? size / 2 + 17 : (size / 2048) * 1024));
        } else if (damage == "password") {
            QFile::remove(name);
            Session other("other");
            Table t(other);
            t.setFileName(name);
            t.setSchema(keyedSchema());
            t.setEncryptWith("not registered");
            fill(t, 3);
        } else if (damage == "no records") {
            QFile::remove(name);
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(name.toUtf8().constData(), &db), SQLITE_OK);
            sqlite3_exec(db, "CREATE TABLE other (x INTEGER)", nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        Table t(session_);
        t.setFileName(name);
        try {
            t.open();
            for (t.first(); !t.eof(); t.next())
                t.asText("NOTE");
            QFAIL("a broken file opened and read without an error");
        } catch (const palvexa::Error& e) {
            QVERIFY2(e.text().contains(name), qPrintable(e.text()));
            QVERIFY2(e.text().contains(complaint), qPrintable(e.text()));
        }
        t.close();
        QFile::remove(name);
    }

    void lockedByAnotherProgram_data() {
        QTest::addColumn<int>("holdMs");
        QTest::addColumn<bool>("opens");
        QTest::addRow("released within the retries") << 400 << true;
        QTest::addRow("held past the retries") << 4000 << false;
    }

    // The other process holds the file exclusively; this one retries, then opens or gives up.
    void lockedByAnotherProgram() {
        QFETCH(int, holdMs);
        QFETCH(bool, opens);
        auto t = makeTable("locked.DAT", 3);
        auto holder = startHolder("locked.DAT", holdMs);
        QVERIFY(holder);
        t->setLockRetry(8, 100);
        QElapsedTimer clock;
        clock.start();
        try {
            t->open();
            QVERIFY(opens);
            QCOMPARE(t->recordCount(), 3);
        } catch (const palvexa::Error& e) {
            QVERIFY2(!opens, qPrintable(e.text()));
            QVERIFY2(e.text().contains("\"locked.DAT\" is locked by another program"),
                     qPrintable(e.text()));
            QVERIFY(clock.elapsed() >= 700);
            QVERIFY(!t->isOpen());
        }
        t->close();
        holder->waitForFinished(10000);
        QFile::remove("locked.DAT");
    }

    // This process holds the file: another cannot have it.
    void exclusiveKeepsOthersOut() {
        auto t = makeTable("excl.DAT", 3);
        t->setExclusive(true);
        t->open();
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(),
                {"--hold", QDir::current().absoluteFilePath("excl.DAT"), "0"});
        QVERIFY(p.waitForFinished(20000));
        QVERIFY2(p.readAll().contains("locked by another program"), "second process opened it");
        t->close();
        QFile::remove("excl.DAT");
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "--hold") == 0)
        return holdFile(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    TstStore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_store.moc"
