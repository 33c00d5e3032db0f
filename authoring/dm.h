#pragma once

#include "store/table.h"

#include <QObject>

// The Test Sampler's data module: the table over the user question set, the data source every
// data-aware control of the Sampler is bound to, and the two handlers that keep the Sampler's
// header, status bar and buttons in step with the table.
class TDM : public QObject {
    Q_OBJECT
public:
    explicit TDM(QObject* parent = nullptr);
    ~TDM() override;

    // The user question set is not encrypted, so this session needs no password of its own.
    store::Session session;
    store::Table dtUserSet{session};
    store::DataSource dsUserSet{&dtUserSet};

    void dsUserSetStateChange();
    void dsUserSetDataChange(const QString& field);
};
