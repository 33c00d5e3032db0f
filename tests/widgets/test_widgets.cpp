#include "widgets/outlined_label.h"
#include "widgets/shape_button.h"

#include <QAccessible>
#include <QAction>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using widgets::OutlinedLabel;
using widgets::ShapeButton;

class TestWidgets : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void accelerator_data();
    void accelerator();
    void spaceClicksFocusedButton_data();
    void spaceClicksFocusedButton();
    void tabMovesFocus();
    void accessibleCaption();
    void followsAction();
    void labelExposesPlainText();
    void labelDrawsLettersAndShadow();
};

// A shown, active window holding the given buttons top to bottom.
static std::unique_ptr<QWidget> windowWith(std::initializer_list<QWidget*> children) {
    auto w = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(w.get());
    for (QWidget* c : children)
        layout->addWidget(c);
    w->show();
    w->activateWindow();
    [&] { QVERIFY(QTest::qWaitForWindowActive(w.get())); }();
    return w;
}

void TestWidgets::accelerator_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::addRow("marked letter") << "Start &Testing" << int(Qt::Key_T) << true << 1;
    QTest::addRow("letter after the first") << "E&xit" << int(Qt::Key_X) << true << 1;
    QTest::addRow("unmarked letter") << "Start &Testing" << int(Qt::Key_S) << true << 0;
    QTest::addRow("no accelerator at all") << "G" << int(Qt::Key_G) << true << 0;
    QTest::addRow("disabled") << "Test &Sampler" << int(Qt::Key_S) << false << 0;
}

void TestWidgets::accelerator() {
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    auto* button = new ShapeButton(text, Qt::darkBlue);
    button->setEnabled(enabled);
    auto* other = new ShapeButton(QStringLiteral("Other"), Qt::darkBlue);
    const auto w = windowWith({other, button});
    other->setFocus();
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::keyClick(other, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(clicked.count(), clicks);
}

void TestWidgets::spaceClicksFocusedButton_data() {
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("clicks");
    QTest::addRow("enabled") << true << 1;
    QTest::addRow("disabled") << false << 0;
}

void TestWidgets::spaceClicksFocusedButton() {
    QFETCH(bool, enabled);
    QFETCH(int, clicks);
    auto* button = new ShapeButton(QStringLiteral("&Go"), Qt::darkBlue);
    const auto w = windowWith({button});
    button->setFocus();
    button->setEnabled(enabled);
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), clicks);
}

void TestWidgets::tabMovesFocus() {
    auto* first = new ShapeButton(QStringLiteral("&One"), Qt::darkBlue);
    auto* second = new ShapeButton(QStringLiteral("&Two"), Qt::darkBlue);
    const auto w = windowWith({first, second});
    first->setFocus();
    QVERIFY(first->hasFocus());
    QTest::keyClick(first, Qt::Key_Tab);
    QVERIFY(second->hasFocus());
}

void TestWidgets::accessibleCaption() {
    ShapeButton button(QStringLiteral("Start &Testing"), Qt::darkBlue);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&button);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Button);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Start Testing"));
    QVERIFY(iface->state().focusable);
    QVERIFY(iface->actionInterface());
}

void TestWidgets::followsAction() {
    QAction shared(QStringLiteral("&Random Exam"));
    QSignalSpy triggered(&shared, &QAction::triggered);

    ShapeButton follower;
    follower.setAction(&shared);
    ShapeButton ownCaption(QStringLiteral("Random"), Qt::darkBlue);
    ownCaption.setAction(&shared, false);
    QCOMPARE(follower.text(), QStringLiteral("&Random Exam"));
    QCOMPARE(ownCaption.text(), QStringLiteral("Random"));

    shared.setEnabled(false);
    QVERIFY(!follower.isEnabled());
    QVERIFY(!ownCaption.isEnabled());
    QCOMPARE(ownCaption.text(), QStringLiteral("Random"));
    follower.click();
    QCOMPARE(triggered.count(), 0);

    shared.setEnabled(true);
    follower.click();
    ownCaption.click();
    QCOMPARE(triggered.count(), 2);
}

void TestWidgets::labelExposesPlainText() {
    OutlinedLabel label(QStringLiteral("Welcome to <b>Palvexa</b>"));
    QCOMPARE(label.textFormat(), Qt::PlainText);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Welcome to <b>Palvexa</b>"));
}

void TestWidgets::labelDrawsLettersAndShadow() {
    OutlinedLabel label(QStringLiteral("WWW"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(24);
    f.setBold(true);
    label.setFont(f);
    label.setTextColor(QColor(0, 255, 0));
    label.setOutlineColor(QColor());
    label.setShadowColor(QColor(255, 0, 0));
    label.setShadowDepth(3);
    label.resize(label.sizeHint());
    // The whole text fits the size the label asks for, shadow included.
    const QImage img = label.grab().toImage();
    int letters = 0, shadow = 0, lastShadowX = -1, lastLetterX = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c == QColor(0, 255, 0)) {
                ++letters;
                lastLetterX = qMax(lastLetterX, x);
            } else if (c == QColor(255, 0, 0)) {
                ++shadow;
                lastShadowX = qMax(lastShadowX, x);
            }
        }
    QVERIFY(letters > 50);
    QVERIFY(shadow > 20);
    QVERIFY(lastShadowX > lastLetterX);
    QVERIFY(lastShadowX < img.width() - 1);
}

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
