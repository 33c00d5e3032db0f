#include "data/bank_writer.h"

#include "data/fields.h"

#include <QFile>

namespace data {

void writeQuestionBank(const QString& fileName, const QList<QVariantMap>& records) {
    QFile::remove(fileName);
    store::Session session(SessionName);
    session.addPassword(SessionPassword);
    store::Table t(session);
    t.setFileName(fileName);
    t.setSchema(questionBankSchema());
    t.setEncryptWith(SessionPassword);
    t.setIndexField(Q_ID);
    t.open();
    t.beginTransaction();
    int position = 0;
    for (const QVariantMap& r : records) {
        ++position;
        t.append();
        t.setInteger(Q_ID, position);
        for (auto it = r.begin(); it != r.end(); ++it)
            t.setValue(it.key(), it.value());
        t.post();
    }
    t.commit();
    t.close();
}

} // namespace data
