// The modal seam, the error box text and the guards that keep errors out of the event loop.

#include "app/application.h"
#include "app/dialogs.h"
#include "support/scripted_dialogs.h"

#include <QDialog>
#include <QTest>
#include <stdexcept>

using app::MsgKind;
using testsupport::ScriptedDialogs;

namespace {

// An object whose every event handler fails, as a handler that forgot its guard would.
class Throwing : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw palvexa::Error(QStringLiteral("Table is locked"));
        return QObject::event(e);
    }
};

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void errorText_data();
    void errorText();
    void boxTextBreaksLines();
    void guardShowsErrorAndCarriesOn_data();
    void guardShowsErrorAndCarriesOn();
    void notifyIsTheBackstop();
    void scriptAnswersQuestionsInOrder();
    void showModalReturnsWhenHidden();
};

void TestDialogs::errorText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addRow("no full stop") << "Cannot open velmora.DAT"
                                  << "Cannot open velmora.DAT.";
    QTest::addRow("has one") << "Record locked."
                             << "Record locked.";
    QTest::addRow("other punctuation") << "Are you sure?"
                                       << "Are you sure?.";
    QTest::addRow("empty stays empty") << ""
                                       << "";
}

void TestDialogs::errorText() {
    QFETCH(QString, text);
    QFETCH(QString, shown);
    ScriptedDialogs script;
    script.expectError(shown);
    app::showError(text);
    QVERIFY2(script.done(), qPrintable(script.report()));
}

void TestDialogs::boxTextBreaksLines() {
    QCOMPARE(app::boxText(QStringLiteral("This exam is not completed.\rAre you shure ?")),
             QStringLiteral("This exam is not completed.\nAre you shure ?"));
    QCOMPARE(app::boxText(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
    QCOMPARE(app::captionFor(MsgKind::Confirm), QStringLiteral("Confirm"));
    QCOMPARE(app::captionFor(MsgKind::Warning), QStringLiteral("Warning"));
    QCOMPARE(app::captionFor(MsgKind::Information), QStringLiteral("Information"));
}

void TestDialogs::guardShowsErrorAndCarriesOn_data() {
    QTest::addColumn<int>("what");
    QTest::addColumn<QString>("shown");
    QTest::addRow("program error") << 0 << "Table velmora.DAT is locked.";
    QTest::addRow("library error") << 1 << "bad allocation.";
}

void TestDialogs::guardShowsErrorAndCarriesOn() {
    QFETCH(int, what);
    QFETCH(QString, shown);
    ScriptedDialogs script;
    script.expectError(shown);
    bool reachedEnd = false;
    const bool ran = app::guard([&] {
        if (what == 0)
            throw palvexa::Error(QStringLiteral("Table velmora.DAT is locked"));
        throw std::runtime_error("bad allocation");
        reachedEnd = true;
    });
    QVERIFY(!ran);
    QVERIFY(!reachedEnd);
    // The program carries on: the next handler runs normally and shows nothing.
    QVERIFY(app::guard([&] { reachedEnd = true; }));
    QVERIFY(reachedEnd);
    QVERIFY2(script.done(), qPrintable(script.report()));
}

void TestDialogs::notifyIsTheBackstop() {
    ScriptedDialogs script;
    script.expectError(QStringLiteral("Table is locked."));
    Throwing target;
    QEvent event(QEvent::User);
    QCOMPARE(QCoreApplication::sendEvent(&target, &event), false);
    QVERIFY2(script.done(), qPrintable(script.report()));
}

void TestDialogs::scriptAnswersQuestionsInOrder() {
    ScriptedDialogs script;
    script
        .expectQuestion(MsgKind::Confirm, QStringLiteral("Are you sure you wish to end this exam?"),
                        QMessageBox::Yes)
        .expectQuestion(MsgKind::Warning,
                        QStringLiteral("This exam is not completed.\rAre you shure ?"),
                        QMessageBox::Cancel);
    QCOMPARE(app::ask(MsgKind::Confirm, QStringLiteral("Are you sure you wish to end this exam?")),
             QMessageBox::Yes);
    QCOMPARE(app::ask(MsgKind::Warning,
                      QStringLiteral("This exam is not completed.\rAre you shure ?"),
                      QMessageBox::Ok | QMessageBox::Cancel),
             QMessageBox::Cancel);
    QVERIFY2(script.done(), qPrintable(script.report()));
}

void TestDialogs::showModalReturnsWhenHidden() {
    // The real seam: a local loop that ends when the window hides, whatever hides it.
    QWidget window;
    bool wasModal = false;
    bool wasVisible = false;
    QMetaObject::invokeMethod(
        &window,
        [&] {
            wasVisible = window.isVisible();
            wasModal = window.isModal();
            window.close();
        },
        Qt::QueuedConnection);
    app::RealDialogs().showModal(&window);
    QVERIFY(wasVisible);
    QVERIFY(wasModal);
    QVERIFY(!window.isVisible());
    QCOMPARE(window.windowModality(), Qt::NonModal);
}

int main(int argc, char** argv) {
    app::Application application(argc, argv);
    TestDialogs test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_dialogs.moc"
