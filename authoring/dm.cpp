#include "authoring/dm.h"

#include "app/dialogs.h"
#include "authoring/sampler_form.h"
#include "data/exam_tables.h"
#include "ui/forms.h"
#include "widgets/outlined_label.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

using store::State;

TDM::TDM(QObject* parent) : QObject(parent), session(data::SessionName) {
    setObjectName(QStringLiteral("DM"));
    data::configureUserSet(dtUserSet);
    connect(&dsUserSet, &store::DataSource::stateChange, this,
            [this] { app::guard([this] { dsUserSetStateChange(); }); });
    connect(&dsUserSet, &store::DataSource::dataChange, this,
            [this](const QString& field) { app::guard([&] { dsUserSetDataChange(field); }); });
}

TDM::~TDM() {
    dtUserSet.close();
}

void TDM::dsUserSetStateChange() {
    TSamplerForm* f = SamplerForm;
    if (!f || !f->BitBtn1)
        return;
    switch (dtUserSet.state()) {
    case State::Browse:
        f->BitBtn1->setEnabled(false);
        f->BitBtn2->setEnabled(false);
        f->setPanelText(2, QStringLiteral("  Browsing"));
        return;
    case State::Edit:
        f->setPanelText(2, QStringLiteral(" Edit Item"));
        f->fcLabel4->setText(QStringLiteral("Edit Item"));
        break;
    case State::Insert:
        f->fcLabel4->setText(QStringLiteral("Add new item"));
        f->setPanelText(2, QStringLiteral(" Add new item"));
        break;
    case State::Inactive:
        return;
    }
    f->BitBtn1->setEnabled(true);
    f->BitBtn2->setEnabled(true);
    f->setPanelText(3, QStringLiteral(" Modified"));
}

void TDM::dsUserSetDataChange(const QString& field) {
    TSamplerForm* f = SamplerForm;
    if (!f || !f->BitBtn1 || !dtUserSet.isOpen())
        return;
    if (dtUserSet.state() == State::Browse) {
        const QString id = QString::number(dtUserSet.asInteger(data::Q_ID));
        f->fcLabel4->setText(QStringLiteral("Item ID: ") + id);
        f->setPanelText(0, QStringLiteral(" Item ID: ") + id);
        f->setPanelText(1, QStringLiteral(" Items: ") + QString::number(dtUserSet.recordCount()));
        // Showing the stored type and section is not a choice of the user's.
        const QSignalBlocker quietList(f->ListBox1);
        const QSignalBlocker quietType(f->ComboBox1);
        const int sect = dtUserSet.asInteger(data::Q_SECT);
        if (sect >= 1 && sect <= f->ListBox1->count())
            f->ListBox1->setCurrentRow(sect - 1);
        else
            f->ListBox1->setCurrentRow(-1);
        f->ComboBox1->setCurrentIndex(dtUserSet.asBoolean(data::Q_TYPE) ? 1 : 0);
    }
    // A new item being added is not an empty set: the header keeps saying so.
    if (dtUserSet.isEmpty() && dtUserSet.state() != State::Insert) {
        f->EditAct->setEnabled(false);
        f->DelAct->setEnabled(false);
        f->fcLabel4->setText(QStringLiteral("The question set is empty"));
        f->setPanelText(0, QStringLiteral(" Empty"));
    }
}
