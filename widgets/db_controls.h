#pragma once

// Controls bound to one field of a data source's table. They show the current record's value
// and follow every data change; typing or clicking while the table is browsing begins editing
// the current record (an insert when the table is empty), and what the user types goes straight
// into the record being edited. Moving with the navigator or the tree posts typed changes first.

#include "store/table.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTreeWidget>
#include <QWidget>

class QToolButton;

namespace widgets {

// Begins editing the current record when the table is browsing: edit, or insert on an empty
// table. Returns whether the table is now editing or inserting.
bool beginEditing(store::Table& table);
// Ends an edit before a move: posts it, or drops a new record nothing was typed into.
void checkBrowseMode(store::Table& table);

// The binding shared by the controls: the data source and the field's name.
class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(QObject* parent = nullptr);
    void setDataSource(store::DataSource* source);
    store::DataSource* dataSource() const { return source_; }
    void setDataField(const QString& field);
    const QString& dataField() const { return field_; }

    store::Table* table() const;
    bool active() const; // the table is open
    QVariant value() const;
    // Begins editing if needed and writes the value into the record; errors are shown.
    bool write(const QVariant& value);
    // While set, changes the control makes itself are not reloaded into it.
    bool writing() const { return writing_; }

Q_SIGNALS:
    // The control should show the record's value again.
    void reload();

private:
    void onDataChange(const QString& field);

    QPointer<store::DataSource> source_;
    QString field_;
    bool writing_ = false;
};

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);
    FieldLink& link() { return link_; }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    void setDataField(const QString& field) { link_.setDataField(field); }

private:
    void load();
    FieldLink link_;
};

class DBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit DBMemo(QWidget* parent = nullptr);
    FieldLink& link() { return link_; }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    void setDataField(const QString& field) { link_.setDataField(field); }

private:
    void load();
    FieldLink link_;
    bool loading_ = false;
};

// A boolean field: an empty (never set) value shows the indeterminate look and counts as false;
// a click sets the opposite of what the value counts as.
class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(const QString& text, QWidget* parent = nullptr);
    FieldLink& link() { return link_; }
    void setDataSource(store::DataSource* source) { link_.setDataSource(source); }
    void setDataField(const QString& field) { link_.setDataField(field); }

protected:
    void nextCheckState() override;

private:
    void load();
    FieldLink link_;
};

// First, prior, next and last; a move posts the record being edited first.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last };
    explicit DBNavigator(QWidget* parent = nullptr);
    void setDataSource(store::DataSource* source);
    QToolButton* button(Button which) const { return buttons_[which]; }
    void click(Button which);

private:
    void follow();
    QPointer<store::DataSource> source_;
    QToolButton* buttons_[4] = {};
};

// One node per record, labelled by one field, in the table's order. Selecting a node makes its
// record current (posting the record being edited first); the selection follows the table.
class DBTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit DBTreeView(QWidget* parent = nullptr);
    void setDataSource(store::DataSource* source);
    void setListField(const QString& field);
    // Record numbers of the nodes, in order (for tests and for the selection).
    QList<int> recordNumbers() const;
    QStringList labels() const;

private:
    void onDataChange(const QString& field);
    void rebuild();
    void selectCurrent();
    void onSelection();

    QPointer<store::DataSource> source_;
    QString field_;
    bool following_ = false;
    bool stale_ = true;
};

} // namespace widgets
