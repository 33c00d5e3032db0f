// Measures the table store against bare SQLite: reading a filtered, encrypted bank through the
// session. The shuffled copy into the exam set is measured by builder_bench.

#include "bench/bench_bank.h"
#include "data/fields.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sqlite3.h>
#include <vector>

using namespace data;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Store: open through the session, filter, walk reading every field.
double storeRead(store::Session& session, const QString& file, long& checksum) {
    QElapsedTimer clock;
    clock.start();
    store::Table t(session);
    t.setFileName(file);
    t.setIndexField(Q_ID);
    t.setFilter(QStringLiteral("Q_EXAM_N=3"));
    t.setFiltered(true);
    t.open();
    const QStringList fields = t.fieldNames();
    for (t.first(); !t.eof(); t.next())
        for (const QString& f : fields)
            checksum += t.value(f).isNull() ? 0 : 1;
    t.close();
    return clock.nsecsElapsed() / 1e6;
}

// Bare SQLite over the unencrypted file: the same rows, every column read as a value.
double sqliteRead(const QString& file, long& checksum) {
    QElapsedTimer clock;
    clock.start();
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM records WHERE Q_EXAM_N=? ORDER BY Q_ID", -1, &s, nullptr);
    sqlite3_bind_int(s, 1, 3);
    const int n = sqlite3_column_count(s);
    while (sqlite3_step(s) == SQLITE_ROW)
        for (int i = 0; i < n; ++i) {
            if (sqlite3_column_type(s, i) == SQLITE_TEXT)
                checksum +=
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)),
                                      sqlite3_column_bytes(s, i))
                            .isNull()
                        ? 0
                        : 1;
            else if (sqlite3_column_type(s, i) == SQLITE_INTEGER)
                checksum += sqlite3_column_int(s, i) >= 0 ? 1 : 0;
        }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QList<int> sizes{2000, 100000};
    int runs = 5;
    const QStringList args = app.arguments().mid(1);
    if (!args.isEmpty()) {
        sizes.clear();
        for (const QString& a : args) {
            if (a.startsWith("--runs="))
                runs = a.mid(7).toInt();
            else
                sizes << a.toInt();
        }
    }
    QTemporaryDir dir(QDir::current().absoluteFilePath("bench-XXXXXX"));
    QDir::setCurrent(dir.path());

    store::Session session(SessionName);
    session.addPassword(SessionPassword);
    QElapsedTimer clock;
    clock.start();
    session.rawKeys();
    std::printf("key derivation, once per session: %.1f ms\n", clock.nsecsElapsed() / 1e6);

    for (int size : sizes) {
        clock.start();
        bench::writeBenchBank(session, "bank.DAT", size, true);
        const double writeMs = clock.nsecsElapsed() / 1e6;
        bench::writeBenchBank(session, "plain.DAT", size, false);
        std::printf("\n%d questions: bank written through the store in %.0f ms (%.1f MB)\n", size,
                    writeMs, QFile("bank.DAT").size() / 1e6);

        std::vector<double> store, bare;
        long a = 0, b = 0;
        for (int i = 0; i < runs; ++i) {
            store.push_back(storeRead(session, "bank.DAT", a));
            bare.push_back(sqliteRead("plain.DAT", b));
        }
        if (a != b * 1)
            std::printf("  (rows differ: %ld vs %ld)\n", a, b);
        std::printf("  read Q_EXAM_N=3, every field: store+encrypted %.1f ms, bare SQLite plain "
                    "%.1f ms, ratio %.2f\n",
                    median(store), median(bare), median(store) / median(bare));

        for (const char* f : {"bank.DAT", "plain.DAT"})
            QFile::remove(f);
    }
    return 0;
}
