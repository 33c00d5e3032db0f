#include "data/exam_tables.h"

namespace data {

void configureUserSet(store::Table& table) {
    table.setFileName(UserSetFile);
    table.setSchema(userSetSchema());
    table.setEncryptWith(QString()); // the user's own questions stay readable
    table.setIndexField(QString());  // the primary index, on Q_ID
    table.setForceFlush(false);
    table.setLockRetry(LockRetryCount, LockRetryWaitMs);
}

ExamTables::ExamTables(QObject* parent) : QObject(parent) {
    session.addPassword(SessionPassword);

    // The bank is delivered with the program, so it gets no schema: a missing bank is an error.
    dtQSet.setFileName(QuestionBankFile);
    dtQSet.setEncryptWith(SessionPassword);
    dtQSet.setIndexField(Q_ID);
    dtQSet.setForceFlush(true);
    dtQSet.setLockRetry(LockRetryCount, LockRetryWaitMs);

    dtCurrentSet.setFileName(ExamSetFile);
    dtCurrentSet.setSchema(examSetSchema());
    dtCurrentSet.setEncryptWith(SessionPassword);
    dtCurrentSet.setIndexField(QString());
    dtCurrentSet.setForceFlush(false);
    dtCurrentSet.setLockRetry(LockRetryCount, LockRetryWaitMs);

    configureUserSet(dtUserSet);
}

ExamTables::~ExamTables() {
    dtQSet.close();
    dtCurrentSet.close();
    dtUserSet.close();
}

} // namespace data
