// The data-aware controls over a small table of their own: showing, beginning an edit by typing
// or clicking, posting on a move, following the table, and the tree of records.

#include "support/scripted_dialogs.h"
#include "widgets/db_controls.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using store::FieldType;
using store::State;
using namespace widgets;

class DbControlsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void typingBeginsEditing_data();
    void typingBeginsEditing();
    void checkBoxShowsNeverSetFlagAsIndeterminate();
    void controlsFollowTheTable();
    void navigatorPostsAndMoves();
    void untouchedNewRecordIsDroppedOnMove();
    void treeListsSelectsAndFollows();

private:
    // `n` records: TXT "text k", NAME "name k", FLAG as given (null when not).
    void fill(int n, bool flag = true);
    void showControls();

    // Any error box would be unexpected; the script fails the test instead of blocking on it.
    std::unique_ptr<testsupport::ScriptedDialogs> script_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString oldDir_;
    std::unique_ptr<store::Session> session_;
    std::unique_ptr<store::Table> table_;
    std::unique_ptr<store::DataSource> ds_;
    std::unique_ptr<QWidget> window_;
    DBEdit* edit_ = nullptr;
    DBMemo* memo_ = nullptr;
    DBCheckBox* box_ = nullptr;
    DBNavigator* nav_ = nullptr;
    DBTreeView* tree_ = nullptr;
};

void DbControlsTest::init() {
    script_ = std::make_unique<testsupport::ScriptedDialogs>();
    dir_ = std::make_unique<QTemporaryDir>();
    oldDir_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    session_ = std::make_unique<store::Session>(QStringLiteral("Test"));
    table_ = std::make_unique<store::Table>(*session_);
    table_->setFileName(QStringLiteral("t.DAT"));
    store::Schema schema;
    schema.fields = {{QStringLiteral("ID"), FieldType::AutoInc},
                     {QStringLiteral("TXT"), FieldType::Memo},
                     {QStringLiteral("NAME"), FieldType::Text},
                     {QStringLiteral("FLAG"), FieldType::Boolean}};
    schema.keyField = QStringLiteral("ID");
    table_->setSchema(schema);
    ds_ = std::make_unique<store::DataSource>(table_.get());
}

void DbControlsTest::cleanup() {
    window_.reset();
    ds_.reset();
    table_.reset();
    session_.reset();
    QDir::setCurrent(oldDir_);
    dir_.reset();
    const bool clean = script_->done();
    const QString report = script_->report();
    script_.reset();
    QVERIFY2(clean, qPrintable(report));
}

void DbControlsTest::fill(int n, bool flag) {
    table_->open();
    for (int k = 1; k <= n; ++k) {
        table_->append();
        table_->setText(QStringLiteral("TXT"), QStringLiteral("text %1").arg(k));
        table_->setText(QStringLiteral("NAME"), QStringLiteral("name %1").arg(k));
        if (flag)
            table_->setBoolean(QStringLiteral("FLAG"), k % 2 == 1);
        table_->post();
    }
    table_->first();
}

void DbControlsTest::showControls() {
    window_ = std::make_unique<QWidget>();
    auto* l = new QVBoxLayout(window_.get());
    edit_ = new DBEdit(window_.get());
    memo_ = new DBMemo(window_.get());
    box_ = new DBCheckBox(QStringLiteral("a."), window_.get());
    nav_ = new DBNavigator(window_.get());
    tree_ = new DBTreeView(window_.get());
    edit_->setDataField(QStringLiteral("name")); // names match without regard to case
    memo_->setDataField(QStringLiteral("TXT"));
    box_->setDataField(QStringLiteral("FLAG"));
    tree_->setListField(QStringLiteral("ID"));
    for (auto* w : std::initializer_list<QWidget*>{edit_, memo_, box_, nav_, tree_})
        l->addWidget(w);
    edit_->setDataSource(ds_.get());
    memo_->setDataSource(ds_.get());
    box_->setDataSource(ds_.get());
    nav_->setDataSource(ds_.get());
    tree_->setDataSource(ds_.get());
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

void DbControlsTest::typingBeginsEditing_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<bool>("memo");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("typed");
    QTest::addRow("edit on an item") << 2 << false << int(State::Edit) << "name 1xy";
    QTest::addRow("memo on an item") << 2 << true << int(State::Edit) << "text 1xy";
    QTest::addRow("insert on an empty set") << 0 << false << int(State::Insert) << "xy";
    QTest::addRow("memo on an empty set") << 0 << true << int(State::Insert) << "xy";
}

void DbControlsTest::typingBeginsEditing() {
    QFETCH(int, records);
    QFETCH(bool, memo);
    QFETCH(int, state);
    QFETCH(QString, typed);
    fill(records);
    showControls();
    QWidget* target = memo ? static_cast<QWidget*>(memo_) : edit_;
    target->setFocus();
    if (memo)
        memo_->moveCursor(QTextCursor::End);
    else
        edit_->end(false);
    QTest::keyClicks(target, QStringLiteral("xy"));
    QCOMPARE(int(table_->state()), state);
    // Every typed letter reached the record, none was lost to the reload an insert causes.
    QCOMPARE(table_->asText(memo ? QStringLiteral("TXT") : QStringLiteral("NAME")), typed);
    QCOMPARE(memo ? memo_->toPlainText() : edit_->text(), typed);
    // The other control still shows the record's own value.
    const QString other = memo ? edit_->text() : memo_->toPlainText();
    QCOMPARE(other, records ? QString::fromLatin1(memo ? "name 1" : "text 1") : QString());
    table_->post();
    table_->first();
    QCOMPARE(table_->asText(memo ? QStringLiteral("TXT") : QStringLiteral("NAME")), typed);
    QCOMPARE(table_->recordCount(), std::max(records, 1));
}

void DbControlsTest::checkBoxShowsNeverSetFlagAsIndeterminate() {
    fill(1, false);
    showControls();
    QCOMPARE(box_->checkState(), Qt::PartiallyChecked);
    // Counts as false: the first click makes it true.
    QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(8, box_->height() / 2));
    QCOMPARE(table_->state(), State::Edit);
    QCOMPARE(table_->value(QStringLiteral("FLAG")), QVariant(true));
    QCOMPARE(box_->checkState(), Qt::Checked);
    QTest::mouseClick(box_, Qt::LeftButton, {}, QPoint(8, box_->height() / 2));
    QCOMPARE(table_->value(QStringLiteral("FLAG")), QVariant(false));
    QCOMPARE(box_->checkState(), Qt::Unchecked);
    table_->cancel();
    QCOMPARE(box_->checkState(), Qt::PartiallyChecked);
}

void DbControlsTest::controlsFollowTheTable() {
    showControls();
    // Closed: nothing to show and nothing to type into.
    QVERIFY(edit_->isReadOnly());
    QVERIFY(memo_->isReadOnly());
    QCOMPARE(box_->checkState(), Qt::Unchecked);
    fill(3);
    QVERIFY(!edit_->isReadOnly());
    QCOMPARE(edit_->text(), QStringLiteral("name 1"));
    table_->next();
    table_->next();
    QCOMPARE(edit_->text(), QStringLiteral("name 3"));
    QCOMPARE(memo_->toPlainText(), QStringLiteral("text 3"));
    QCOMPARE(box_->checkState(), Qt::Checked);
    // A value set by code shows at once.
    table_->edit();
    table_->setText(QStringLiteral("NAME"), QStringLiteral("renamed"));
    QCOMPARE(edit_->text(), QStringLiteral("renamed"));
    table_->cancel();
    QCOMPARE(edit_->text(), QStringLiteral("name 3"));
    table_->close();
    QCOMPARE(edit_->text(), QString());
    QVERIFY(edit_->isReadOnly());
}

void DbControlsTest::navigatorPostsAndMoves() {
    fill(3);
    showControls();
    const char* hints[] = {"First item", "Prior item", "Next item", "Last item"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(nav_->button(DBNavigator::Button(i))->toolTip(), QLatin1String(hints[i]));
    // On the first record after opening there is nothing before it.
    QVERIFY(!nav_->button(DBNavigator::First)->isEnabled());
    QVERIFY(!nav_->button(DBNavigator::Prior)->isEnabled());
    QVERIFY(nav_->button(DBNavigator::Next)->isEnabled());

    edit_->setFocus();
    edit_->end(false);
    QTest::keyClicks(edit_, QStringLiteral("!"));
    QTest::mouseClick(nav_->button(DBNavigator::Next), Qt::LeftButton);
    QCOMPARE(table_->state(), State::Browse);
    QCOMPARE(table_->recNo(), 2);
    QCOMPARE(edit_->text(), QStringLiteral("name 2"));
    table_->first();
    QCOMPARE(table_->asText(QStringLiteral("NAME")), QStringLiteral("name 1!"));

    QTest::mouseClick(nav_->button(DBNavigator::Last), Qt::LeftButton);
    QCOMPARE(table_->recNo(), 3);
    QTest::mouseClick(nav_->button(DBNavigator::Next), Qt::LeftButton);
    QVERIFY(!nav_->button(DBNavigator::Next)->isEnabled());
    QVERIFY(!nav_->button(DBNavigator::Last)->isEnabled());
    QTest::mouseClick(nav_->button(DBNavigator::Prior), Qt::LeftButton);
    QCOMPARE(table_->recNo(), 2);
    QTest::mouseClick(nav_->button(DBNavigator::First), Qt::LeftButton);
    QCOMPARE(edit_->text(), QStringLiteral("name 1!"));
}

void DbControlsTest::untouchedNewRecordIsDroppedOnMove() {
    fill(2);
    showControls();
    table_->insert();
    QVERIFY(!nav_->button(DBNavigator::Next)->isEnabled()); // a new record is not in the order
    checkBrowseMode(*table_);
    QCOMPARE(table_->state(), State::Browse);
    QCOMPARE(table_->recordCount(), 2);
    table_->insert();
    table_->setText(QStringLiteral("NAME"), QStringLiteral("kept"));
    checkBrowseMode(*table_);
    QCOMPARE(table_->recordCount(), 3);
}

void DbControlsTest::treeListsSelectsAndFollows() {
    showControls();
    QCOMPARE(tree_->topLevelItemCount(), 0);
    fill(3);
    QCOMPARE(tree_->labels(), (QStringList{"1", "2", "3"}));
    QCOMPARE(tree_->currentItem()->text(0), QStringLiteral("1"));
    // The walk that fills the tree leaves the controls and the position alone.
    QCOMPARE(edit_->text(), QStringLiteral("name 1"));
    QVERIFY(table_->bof());

    // Selecting a node posts what was typed and makes its record current.
    edit_->setFocus();
    edit_->end(false);
    QTest::keyClicks(edit_, QStringLiteral("?"));
    tree_->setCurrentItem(tree_->topLevelItem(2));
    QCOMPARE(table_->state(), State::Browse);
    QCOMPARE(table_->asText(QStringLiteral("NAME")), QStringLiteral("name 3"));
    QCOMPARE(edit_->text(), QStringLiteral("name 3"));

    // The tree follows moves, new records and deletions.
    table_->first();
    QCOMPARE(tree_->currentItem()->text(0), QStringLiteral("1"));
    QCOMPARE(table_->asText(QStringLiteral("NAME")), QStringLiteral("name 1?"));
    table_->append();
    table_->setText(QStringLiteral("NAME"), QStringLiteral("four"));
    table_->post();
    QCOMPARE(tree_->labels(), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(tree_->currentItem()->text(0), QStringLiteral("4"));
    table_->setRecNo(2);
    table_->remove();
    QCOMPARE(tree_->labels(), (QStringList{"1", "3", "4"}));
    QCOMPARE(tree_->currentItem()->text(0), QString::number(table_->asInteger("ID")));
    table_->emptyTable();
    QCOMPARE(tree_->topLevelItemCount(), 0);
    table_->close();
    QCOMPARE(tree_->topLevelItemCount(), 0);
}

QTEST_MAIN(DbControlsTest)
#include "db_controls_test.moc"
