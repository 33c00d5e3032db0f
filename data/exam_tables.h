#pragma once

// The session and the table objects of the three question tables, as the exam window owns them.

#include "data/fields.h"
#include "store/table.h"

#include <QObject>

namespace data {

// The user question set's settings, shared by the exam window's and the Test Sampler's objects.
void configureUserSet(store::Table& table);

class ExamTables : public QObject {
    Q_OBJECT
public:
    explicit ExamTables(QObject* parent = nullptr);
    ~ExamTables() override;

    store::Session session{SessionName};
    store::Table dtQSet{session};       // question bank, "velmora.DAT"
    store::Table dtCurrentSet{session}; // exam set, "ces.DAT"
    store::Table dtUserSet{session};    // user question set, "velmorausr.DAT"
    store::DataSource dsQSet{&dtQSet};
    store::DataSource dsCurrentSet{&dtCurrentSet};
    store::DataSource dsUserSet{&dtUserSet};
};

} // namespace data
