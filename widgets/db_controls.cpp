#include "widgets/db_controls.h"

#include "app/dialogs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPainter>
#include <QPainterPath>
#include <QSignalBlocker>
#include <QToolButton>

namespace widgets {

using store::Table;

bool beginEditing(Table& table) {
    if (!table.isOpen())
        return false;
    if (table.state() == store::State::Browse) {
        if (table.isEmpty())
            table.insert();
        else
            table.edit();
    }
    return table.state() == store::State::Edit || table.state() == store::State::Insert;
}

void checkBrowseMode(Table& table) {
    if (!table.isOpen())
        return;
    if (table.state() == store::State::Insert) {
        const QStringList names = table.fieldNames();
        const bool touched = std::any_of(names.begin(), names.end(),
                                         [&](const QString& f) { return !table.isNull(f); });
        if (!touched) {
            table.cancel();
            return;
        }
    }
    if (table.state() != store::State::Browse)
        table.post();
}

// --- FieldLink ---------------------------------------------------------------------------

FieldLink::FieldLink(QObject* parent) : QObject(parent) {}

void FieldLink::setDataSource(store::DataSource* source) {
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source_) {
        connect(source_, &store::DataSource::dataChange, this, &FieldLink::onDataChange);
        connect(source_, &store::DataSource::stateChange, this, [this] {
            if (!writing_)
                Q_EMIT reload();
        });
    }
    Q_EMIT reload();
}

void FieldLink::setDataField(const QString& field) {
    field_ = field;
    Q_EMIT reload();
}

Table* FieldLink::table() const {
    return source_ ? source_->table() : nullptr;
}

bool FieldLink::active() const {
    const Table* t = table();
    return t && t->isOpen() && !field_.isEmpty();
}

QVariant FieldLink::value() const {
    if (!active())
        return {};
    QVariant v;
    app::guard([&] { v = table()->value(field_); });
    return v;
}

bool FieldLink::write(const QVariant& value) {
    if (!active())
        return false;
    Table& t = *table();
    writing_ = true;
    const bool ok = app::guard([&] {
        if (beginEditing(t))
            t.setValue(field_, value);
    });
    writing_ = false;
    return ok && t.state() != store::State::Browse;
}

void FieldLink::onDataChange(const QString& field) {
    if (writing_)
        return;
    if (field.isEmpty() || field.compare(field_, Qt::CaseInsensitive) == 0)
        Q_EMIT reload();
}

// --- DBEdit, DBMemo, DBCheckBox ------------------------------------------------------------

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent) {
    connect(&link_, &FieldLink::reload, this, &DBEdit::load);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!link_.write(text))
            load();
    });
    load();
}

void DBEdit::load() {
    setReadOnly(!link_.active());
    const QString v = link_.value().toString();
    if (text() != v)
        setText(v);
}

DBMemo::DBMemo(QWidget* parent) : QPlainTextEdit(parent) {
    connect(&link_, &FieldLink::reload, this, &DBMemo::load);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (loading_)
            return;
        if (!link_.write(toPlainText()))
            load();
    });
    load();
}

void DBMemo::load() {
    setReadOnly(!link_.active());
    const QString v = link_.value().toString();
    if (toPlainText() != v) {
        loading_ = true;
        setPlainText(v);
        loading_ = false;
    }
}

DBCheckBox::DBCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent) {
    setTristate(true);
    connect(&link_, &FieldLink::reload, this, &DBCheckBox::load);
    load();
}

void DBCheckBox::nextCheckState() {
    if (link_.active())
        link_.write(!link_.value().toBool());
    load();
}

void DBCheckBox::load() {
    const QVariant v = link_.value();
    if (!link_.active())
        setCheckState(Qt::Unchecked);
    else if (v.isNull())
        setCheckState(Qt::PartiallyChecked);
    else
        setCheckState(v.toBool() ? Qt::Checked : Qt::Unchecked);
}

// --- DBNavigator ------------------------------------------------------------------------------

namespace {

// The classic glyphs: a bar and a triangle for first/last, a triangle for prior/next.
QIcon navigatorIcon(DBNavigator::Button which) {
    QIcon icon;
    for (const int size : {16, 32}) {
        for (const bool enabled : {true, false}) {
            QPixmap pm(size, size);
            pm.fill(Qt::transparent);
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 16.0, size / 16.0);
            const QColor ink = enabled ? QColor(0, 0, 0) : QColor(160, 160, 160);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            const bool left = which == DBNavigator::First || which == DBNavigator::Prior;
            const bool bar = which == DBNavigator::First || which == DBNavigator::Last;
            QPainterPath tri;
            if (left) {
                tri.moveTo(11.5, 3.5);
                tri.lineTo(11.5, 12.5);
                tri.lineTo(6.5, 8);
            } else {
                tri.moveTo(4.5, 3.5);
                tri.lineTo(4.5, 12.5);
                tri.lineTo(9.5, 8);
            }
            tri.closeSubpath();
            p.drawPath(tri);
            if (bar)
                p.drawRect(left ? QRectF(4, 3.5, 1.8, 9) : QRectF(10.2, 3.5, 1.8, 9));
            p.end();
            icon.addPixmap(pm, enabled ? QIcon::Normal : QIcon::Disabled);
        }
    }
    return icon;
}

} // namespace

DBNavigator::DBNavigator(QWidget* parent) : QWidget(parent) {
    static const char* const hints[] = {"First item", "Prior item", "Next item", "Last item"};
    static const char* const names[] = {"nbFirst", "nbPrior", "nbNext", "nbLast"};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(names[i]));
        b->setIcon(navigatorIcon(Button(i)));
        b->setIconSize(QSize(16, 16));
        b->setFixedSize(25, 25);
        b->setToolTip(QLatin1String(hints[i]));
        b->setAccessibleName(QLatin1String(hints[i]));
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
        layout->addWidget(b);
        buttons_[i] = b;
    }
    follow();
}

void DBNavigator::setDataSource(store::DataSource* source) {
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source_) {
        connect(source_, &store::DataSource::dataChange, this, [this](const QString& field) {
            if (field.isEmpty())
                follow();
        });
        connect(source_, &store::DataSource::stateChange, this, &DBNavigator::follow);
    }
    follow();
}

void DBNavigator::click(Button which) {
    Table* t = source_ ? source_->table() : nullptr;
    if (!t || !t->isOpen())
        return;
    app::guard([&] {
        checkBrowseMode(*t);
        switch (which) {
        case First:
            t->first();
            break;
        case Prior:
            t->prior();
            break;
        case Next:
            t->next();
            break;
        case Last:
            t->last();
            break;
        }
    });
    follow();
}

void DBNavigator::follow() {
    const Table* t = source_ ? source_->table() : nullptr;
    const bool any = t && t->isOpen() && !t->isEmpty() && t->state() != store::State::Insert;
    const bool up = any && !t->bof();
    const bool down = any && !t->eof();
    buttons_[First]->setEnabled(up);
    buttons_[Prior]->setEnabled(up);
    buttons_[Next]->setEnabled(down);
    buttons_[Last]->setEnabled(down);
}

// --- DBTreeView ------------------------------------------------------------------------------

namespace {
constexpr int RecNoRole = Qt::UserRole + 1;
}

DBTreeView::DBTreeView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] {
        if (!following_)
            onSelection();
    });
}

void DBTreeView::setDataSource(store::DataSource* source) {
    if (source_)
        disconnect(source_, nullptr, this, nullptr);
    source_ = source;
    if (source_) {
        connect(source_, &store::DataSource::dataChange, this, &DBTreeView::onDataChange);
        connect(source_, &store::DataSource::stateChange, this,
                [this] { onDataChange(QString()); });
    }
    stale_ = true;
    onDataChange(QString());
}

void DBTreeView::setListField(const QString& field) {
    field_ = field;
    stale_ = true;
    onDataChange(QString());
}

QList<int> DBTreeView::recordNumbers() const {
    QList<int> out;
    for (int i = 0; i < topLevelItemCount(); ++i)
        out.push_back(topLevelItem(i)->data(0, RecNoRole).toInt());
    return out;
}

QStringList DBTreeView::labels() const {
    QStringList out;
    for (int i = 0; i < topLevelItemCount(); ++i)
        out.push_back(topLevelItem(i)->text(0));
    return out;
}

void DBTreeView::onDataChange(const QString& field) {
    if (!field.isEmpty())
        return; // a field of the record being edited: the list shows stored values
    Table* t = source_ ? source_->table() : nullptr;
    if (!t || !t->isOpen() || field_.isEmpty()) {
        following_ = true;
        clear();
        following_ = false;
        stale_ = true;
        return;
    }
    if (t->state() != store::State::Browse) {
        selectCurrent();
        return;
    }
    app::guard([&] {
        bool rebuildNeeded = stale_ || t->recordCount() != topLevelItemCount();
        if (!rebuildNeeded && !t->isEmpty()) {
            const QList<int> recs = recordNumbers();
            const int at = recs.indexOf(t->recNo());
            if (at < 0)
                rebuildNeeded = true;
            else
                topLevelItem(at)->setText(0, t->asText(field_));
        }
        if (rebuildNeeded)
            rebuild();
    });
    selectCurrent();
}

void DBTreeView::rebuild() {
    Table* t = source_->table();
    QList<QPair<int, QString>> rows;
    {
        // A quiet walk: the controls bound to the table must not see these moves.
        const QSignalBlocker quiet(t);
        const int rec = t->recNo();
        const bool atBof = t->bof(), atEof = t->eof();
        auto restore = [&] {
            if (t->isEmpty())
                return;
            if (atBof) {
                t->first();
            } else if (atEof) {
                t->last();
                t->next();
            } else {
                t->setRecNo(rec);
            }
        };
        try {
            for (t->first(); !t->eof(); t->next())
                rows.push_back({t->recNo(), t->asText(field_)});
        } catch (...) {
            restore();
            throw;
        }
        restore();
    }
    following_ = true;
    clear();
    QList<QTreeWidgetItem*> items;
    for (const auto& [rec, label] : rows) {
        auto* item = new QTreeWidgetItem(QStringList{label});
        item->setData(0, RecNoRole, rec);
        items.push_back(item);
    }
    addTopLevelItems(items);
    following_ = false;
    stale_ = false;
}

void DBTreeView::selectCurrent() {
    const Table* t = source_ ? source_->table() : nullptr;
    const int rec = t && t->isOpen() && t->state() != store::State::Insert ? t->recNo() : 0;
    following_ = true;
    QTreeWidgetItem* found = nullptr;
    for (int i = 0; i < topLevelItemCount() && !found; ++i)
        if (topLevelItem(i)->data(0, RecNoRole).toInt() == rec)
            found = topLevelItem(i);
    setCurrentItem(found);
    if (found)
        scrollToItem(found);
    following_ = false;
}

void DBTreeView::onSelection() {
    Table* t = source_ ? source_->table() : nullptr;
    QTreeWidgetItem* item = currentItem();
    if (!t || !t->isOpen() || !item)
        return;
    const int rec = item->data(0, RecNoRole).toInt();
    if (rec == t->recNo() && t->state() != store::State::Insert)
        return;
    app::guard([&] {
        checkBrowseMode(*t);
        t->setRecNo(rec);
    });
    selectCurrent();
}

} // namespace widgets
