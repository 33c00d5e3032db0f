#include "bench/bench_bank.h"

#include "data/fields.h"

#include <QFile>
#include <QRandomGenerator>

namespace bench {

namespace {

QString words(QRandomGenerator& rng, int length) {
    static const char* const pool[] = {"Windows", "NT",      "Workstation", "profile", "share",
                                       "NTFS",    "printer", "domain",      "user",    "the",
                                       "disk",    "boot",    "registry",    "which",   "network"};
    QString s;
    while (s.size() < length) {
        s += QLatin1String(pool[rng.bounded(15)]);
        s += u' ';
    }
    s.truncate(length);
    return s;
}

} // namespace

void writeBenchBank(store::Session& session, const QString& file, int count, bool encrypted) {
    using namespace data;
    QFile::remove(file);
    QRandomGenerator rng(42);
    store::Table t(session);
    t.setFileName(file);
    t.setSchema(questionBankSchema());
    t.setEncryptWith(encrypted ? SessionPassword : QString());
    t.setIndexField(Q_ID);
    t.open();
    t.beginTransaction();
    for (int id = 1; id <= count; ++id) {
        t.append();
        t.setInteger(Q_ID, id);
        t.setInteger(Q_EXAM_N, int(rng.bounded(8)));
        t.setInteger(Q_SECT, 1 + int(rng.bounded(7)));
        t.setText(Q_TEXT, words(rng, 300));
        t.setText(Q_EXPL, words(rng, 500));
        t.setBoolean(Q_TYPE, rng.bounded(2) == 1);
        for (int c = 0; c < 6; ++c) {
            t.setText(choiceField(c), c < 4 ? words(rng, 40) : QString());
            t.setBoolean(answerField(c), c == 1);
        }
        t.setText(PICT1, id % 10 == 0 ? QStringLiteral("exhibit%1.bmp").arg(id) : QString());
        t.post();
    }
    t.commit();
    t.close();
}

} // namespace bench
