// Measures building the exam set from a large encrypted bank: BuildShuffledSet + InitAnswerSheet
// through the exam window's tables, against one shuffled INSERT ... SELECT between the same two
// encrypted files. The bank is written once and kept in the working directory between runs.
//
//   builder_bench [questions] [--runs=N] [--fresh]   (default 100000 questions, 3 runs)

#include "bench/bench_bank.h"
#include "data/exam_tables.h"
#include "data/fields.h"
#include "exam/answer_sheet.h"
#include "exam/builders.h"
#include "exam/exam_state.h"
#include "store/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <vector>

using namespace data;

namespace {

// Written through the store, as the bank tool writes it.
void writeBank(int count) {
    QFile::remove(QuestionBankFile);
    store::Session session(SessionName);
    session.addPassword(SessionPassword);
    const QString part = QuestionBankFile + QStringLiteral(".part");
    bench::writeBenchBank(session, part, count, true);
    // Renamed only when complete, so an interrupted run never leaves a short bank behind.
    QFile::rename(part, QuestionBankFile);
}

// CPU time of the process, in ms: on a busy machine it varies less than the wall clock.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Times {
    double wall = 0, cpu = 0;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Times storeBuild(int& items) {
    QElapsedTimer clock;
    ExamTables tables;
    tables.dtQSet.open();
    clock.start();
    const double cpu = cpuMs();
    palvexa::ExamState state;
    palvexa::BuildShuffledSet(tables, state);
    palvexa::InitAnswerSheet(tables.dtCurrentSet);
    const Times t{clock.nsecsElapsed() / 1e6, cpuMs() - cpu};
    items = int(palvexa::answerSheet().size());
    return t;
}

bool run(sqlite3* db, const QString& sql) {
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK)
        std::fprintf(stderr, "sqlite: %s\n  in: %s\n", err ? err : "?", qPrintable(sql.left(200)));
    sqlite3_free(err);
    return rc == SQLITE_OK;
}

bool quiet(sqlite3* db, const QString& sql) {
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Attaches an encrypted file, trying the page sizes the store writes. The cipher's default page
// size is process-wide: it is put back afterwards.
bool attach(sqlite3* db, const QString& file, const QString& as, const QString& key) {
    bool ok = false;
    for (int pageSize : {4096, 1024}) {
        quiet(db, QStringLiteral("PRAGMA cipher_default_page_size = %1").arg(pageSize));
        if (!quiet(db, QStringLiteral("ATTACH DATABASE '%1' AS %2 KEY \"%3\"").arg(file, as, key)))
            continue;
        if (quiet(db, QStringLiteral("SELECT count(*) FROM %1.sqlite_master").arg(as))) {
            ok = true;
            break;
        }
        quiet(db, QStringLiteral("DETACH DATABASE %1").arg(as));
    }
    quiet(db, QStringLiteral("PRAGMA cipher_default_page_size = 1024"));
    return ok;
}

// Bare SQLite: the same bank rows, shuffled, into the same exam-set file in one statement.
Times sqliteCopy(const QString& key, int& rows) {
    QElapsedTimer clock;
    clock.start();
    const double cpu = cpuMs();
    sqlite3* db = nullptr;
    sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr);
    if (!attach(db, QuestionBankFile, QStringLiteral("bank"), key) ||
        !attach(db, ExamSetFile, QStringLiteral("exam"), key)) {
        std::fprintf(stderr, "cannot attach the tables\n");
        sqlite3_close(db);
        return {};
    }
    QStringList cols, from;
    for (const store::FieldDef& f : examSetSchema().fields) {
        cols << f.name;
        from << (f.name == Q_OR_NUMBER ? Q_ID : f.name);
    }
    run(db, QStringLiteral("PRAGMA exam.synchronous=NORMAL"));
    run(db, QStringLiteral("BEGIN; DELETE FROM exam.records;"
                           "INSERT INTO exam.records (%1) SELECT %2 FROM bank.records "
                           "ORDER BY random(); COMMIT;")
                .arg(cols.join(", "), from.join(", ")));
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT count(*) FROM exam.records", -1, &s, nullptr);
    if (sqlite3_step(s) == SQLITE_ROW)
        rows = sqlite3_column_int(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return {clock.nsecsElapsed() / 1e6, cpuMs() - cpu};
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int size = 100000;
    int runs = 3;
    bool fresh = false;
    for (const QString& a : app.arguments().mid(1)) {
        if (a.startsWith("--runs="))
            runs = std::max(1, a.mid(7).toInt());
        else if (a == "--fresh")
            fresh = true;
        else
            size = a.toInt();
    }
    const QString dir = QStringLiteral("builder-bench-%1").arg(size);
    QDir().mkpath(dir);
    QDir::setCurrent(dir);

    QElapsedTimer clock;
    if (fresh || !QFile::exists(QuestionBankFile)) {
        clock.start();
        writeBank(size);
        std::printf("bank of %d questions written through the store in %.0f ms\n", size,
                    clock.nsecsElapsed() / 1e6);
    }
    QFile::remove(ExamSetFile);
    std::printf("%d questions, bank %.1f MB (in %s)\n", size, QFile(QuestionBankFile).size() / 1e6,
                qPrintable(QDir::currentPath()));

    store::Session session(SessionName);
    session.addPassword(SessionPassword);
    const QString key = session.rawKeyFor(SessionPassword);

    // Opening must cost no key derivation: a few opens of the bank take milliseconds.
    {
        QElapsedTimer clock;
        clock.start();
        store::Table t(session);
        t.setFileName(QuestionBankFile);
        for (int i = 0; i < 20; ++i) {
            t.open();
            t.close();
        }
        std::printf("open + close of the bank: %.1f ms each\n", clock.nsecsElapsed() / 1e6 / 20);
    }

    std::vector<double> built, copied, builtCpu, copiedCpu;
    for (int i = 0; i < runs; ++i) {
        int items = 0, rows = 0;
        const Times b = storeBuild(items);
        built.push_back(b.wall);
        builtCpu.push_back(b.cpu);
        std::printf("  run %d: BuildShuffledSet + InitAnswerSheet %.0f ms (cpu %.0f; %d items, "
                    "exam set %.1f MB)",
                    i + 1, b.wall, b.cpu, items, QFile(ExamSetFile).size() / 1e6);
        std::fflush(stdout);
        const Times c = sqliteCopy(key, rows);
        copied.push_back(c.wall);
        copiedCpu.push_back(c.cpu);
        std::printf(", INSERT ... SELECT %.0f ms (cpu %.0f; %d rows)\n", c.wall, c.cpu, rows);
        std::fflush(stdout);
        if (items != size || rows != size)
            std::printf("  (expected %d records)\n", size);
    }
    std::printf("median: store %.0f ms, INSERT ... SELECT %.0f ms, ratio %.2f (cpu: %.0f / %.0f "
                "ms, ratio %.2f)\n",
                median(built), median(copied), median(built) / median(copied), median(builtCpu),
                median(copiedCpu), median(builtCpu) / median(copiedCpu));
    return 0;
}
