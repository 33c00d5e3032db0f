// The items review: what each entry shows in both variants, its images, and the ways out.

#include "grading/review_form.h"
#include "grading/review_items.h"
#include "store/table.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using palvexa::AnswerEntry;
using palvexa::AnswerSheet;
using Variant = TReviewForm::Variant;

Q_DECLARE_METATYPE(TReviewForm::Variant)

namespace {

AnswerEntry entryOf(const QString& chosen, bool mark, bool correct) {
    AnswerEntry e;
    for (QChar c : chosen)
        e.choice[c.unicode() - u'a'] = true;
    e.mark = mark;
    e.correct = correct;
    return e;
}

QImage render(int index, qreal dpr) {
    QImage image(QSize(16, 16) * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    TReviewForm::drawImage(p, QRectF(0, 0, 16, 16), index);
    return image;
}

// Share of the image's pixels close to the colour.
double shareOf(const QImage& image, QColor color) {
    int hits = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) < 40 && qAbs(c.green() - color.green()) < 40 &&
                qAbs(c.blue() - color.blue()) < 40)
                ++hits;
        }
    return double(hits) / (image.width() * image.height());
}

} // namespace

class ReviewFormTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void window();
    void entries_data();
    void entries();
    void legends();
    void images_data();
    void images();
    void goButtonFollowsSelection();
    void goesToSelectedItem_data();
    void goesToSelectedItem();
    void goWithoutSelectionStaysOpen();
    void returnKeepsItem();
    void rebuiltEachTime();

private:
    // A sheet of 15 unanswered items, shown in the window.
    void openWith(const AnswerSheet& sheet, Variant variant);

    QTemporaryDir dir_;
    std::unique_ptr<store::Session> session_;
    std::unique_ptr<store::Table> examSet_;
    std::unique_ptr<TReviewForm> form_;
};

void ReviewFormTest::initTestCase() {
    QVERIFY(dir_.isValid());
    session_ = std::make_unique<store::Session>(QStringLiteral("review"));
    examSet_ = std::make_unique<store::Table>(*session_);
    examSet_->setFileName(dir_.filePath(QStringLiteral("set.DAT")));
    examSet_->setSchema({{{QStringLiteral("N"), store::FieldType::Integer}}, QString()});
    examSet_->open();
    for (int i = 1; i <= 15; ++i) {
        examSet_->append();
        examSet_->setInteger(QStringLiteral("N"), i);
        examSet_->post();
    }
}

void ReviewFormTest::init() {
    form_ = std::make_unique<TReviewForm>();
    form_->ExamSet = examSet_.get();
    examSet_->setRecNo(4);
}

void ReviewFormTest::openWith(const AnswerSheet& sheet, Variant variant) {
    form_->fillList(sheet, variant);
    form_->BitBtn2->setEnabled(false);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
}

void ReviewFormTest::window() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Items Review"));
    QCOMPARE(form_->size(), QSize(442, 372));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(!(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint |
                       Qt::WindowContextHelpButtonHint | Qt::WindowSystemMenuHint)));
    QCOMPARE(form_->BitBtn2->text(), QStringLiteral("&Go to the selected question"));
    QCOMPARE(form_->BitBtn1->text(), QStringLiteral("&Return"));
    QCOMPARE(form_->ListView1->viewMode(), QListView::ListMode);
    QCOMPARE(form_->ListView1->flow(), QListView::TopToBottom);
    QVERIFY(form_->ListView1->isWrapping());
    QCOMPARE(form_->ListView1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!form_->BitBtn2->isEnabled());

    // The buttons sit where they were placed, the return button against the right edge.
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    const QRect go(form_->BitBtn2->mapTo(form_.get(), QPoint()), form_->BitBtn2->size());
    const QRect back(form_->BitBtn1->mapTo(form_.get(), QPoint()), form_->BitBtn1->size());
    QCOMPARE(go.left(), 4);
    QCOMPARE(go.size(), QSize(309, 30));
    QCOMPARE(back.size(), QSize(121, 30));
    QCOMPARE(back.left(), 317);
    QCOMPARE(back.bottom(), form_->height() - 1 - 3);
}

void ReviewFormTest::entries_data() {
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<bool>("mark");
    QTest::addColumn<bool>("correct");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("image");

    const Variant t = Variant::States;
    const Variant r = Variant::Results;
    QTest::addRow("testing, unanswered") << t << "" << false << false << 1 << "1  " << 0;
    QTest::addRow("testing, b and d") << t << "bd" << false << false << 3 << "3  BD" << 1;
    QTest::addRow("testing, correct is not looked at")
        << t << "a" << false << true << 2 << "2  A" << 1;
    QTest::addRow("testing, marked unanswered") << t << "" << true << false << 5 << "5  " << 2;
    QTest::addRow("testing, marked with c") << t << "c" << true << false << 6 << "6  C" << 2;
    QTest::addRow("testing, all six, letters in order")
        << t << "fedcba" << false << false << 12 << "12  ABCDEF" << 1;
    QTest::addRow("review, correct") << r << "ac" << false << true << 4 << "4  AC" << 1;
    QTest::addRow("review, marked and wrong") << r << "b" << true << false << 7 << "7  B" << 3;
    QTest::addRow("review, marked and right") << r << "b" << true << true << 8 << "8  B" << 1;
    QTest::addRow("review, unanswered") << r << "" << false << false << 9 << "9  " << 3;
}

void ReviewFormTest::entries() {
    QFETCH(Variant, variant);
    QFETCH(QString, chosen);
    QFETCH(bool, mark);
    QFETCH(bool, correct);
    QFETCH(int, item);
    QFETCH(QString, caption);
    QFETCH(int, image);

    AnswerSheet sheet(15);
    sheet[item - 1] = entryOf(chosen, mark, correct);
    form_->fillList(sheet, variant);

    QCOMPARE(form_->ListView1->count(), 15);
    const QListWidgetItem* entry = form_->ListView1->item(item - 1);
    QCOMPARE(entry->text(), caption);
    QCOMPARE(entry->data(TReviewForm::ImageRole).toInt(), image);
    QVERIFY(!entry->icon().isNull());
    QVERIFY(!(entry->flags() & Qt::ItemIsEditable));
}

void ReviewFormTest::legends() {
    openWith(AnswerSheet(3), Variant::States);
    QVERIFY(form_->Panel5->isVisible());
    QVERIFY(!form_->Panel4->isVisible());
    QCOMPARE(form_->Label6->text(), QStringLiteral(" - incomplete   "));
    QCOMPARE(form_->Label7->text(), QStringLiteral(" - complete   "));
    QCOMPARE(form_->Label5->text(), QStringLiteral(" - marked   "));
    QCOMPARE(form_->Panel5->height(), 25);
    // The legend is pushed to the right edge, images left of their texts.
    QVERIFY(form_->Image5->x() < form_->Label6->x());
    QVERIFY(form_->Label5->geometry().right() >= form_->Panel5->width() - 4);

    form_->fillList(AnswerSheet(3), Variant::Results);
    QVERIFY(!form_->Panel5->isVisible());
    QVERIFY(form_->Panel4->isVisible());
    QCOMPARE(form_->Label2->text(), QStringLiteral(" - incorrect item   "));
    QCOMPARE(form_->Label4->text(), QStringLiteral(" - correct item   "));
    QVERIFY(form_->Image1->x() < form_->Image3->x());
}

void ReviewFormTest::images_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QColor>("sign");
    QTest::addRow("incomplete") << int(palvexa::IncompleteImage) << QColor(Qt::red);
    QTest::addRow("complete") << int(palvexa::CompleteImage) << QColor(Qt::blue);
    QTest::addRow("marked") << int(palvexa::MarkedImage) << QColor(Qt::red);
    QTest::addRow("incorrect") << int(palvexa::IncorrectImage) << QColor(Qt::red);
}

void ReviewFormTest::images() {
    QFETCH(int, index);
    QFETCH(QColor, sign);
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage image = render(index, dpr);
        const int px = int(dpr);
        // Frame, face, shadow on the right and the bottom, nothing beyond the shadow's corner.
        QCOMPARE(image.pixelColor(0, 8 * px), QColor(Qt::black));
        QCOMPARE(image.pixelColor(13 * px + px - 1, 8 * px), QColor(Qt::black));
        QCOMPARE(image.pixelColor(px, 13 * px - 1), QColor(Qt::white));
        QCOMPARE(image.pixelColor(15 * px, 8 * px), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(8 * px, 15 * px), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(15 * px, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(0, 15 * px).alpha(), 0);
        // Drawn at the pixel ratio, not stretched: the frame is exactly px pixels wide.
        QCOMPARE(image.pixelColor(px, 1 * px), QColor(Qt::white));
        // The sign is there, in its colour.
        QVERIFY2(shareOf(image, sign) > 0.05, qPrintable(QString::number(dpr)));
    }
    // The list's icon gives a sharp pixmap at a high pixel ratio.
    const QPixmap pm = TReviewForm::ImageList1(index).pixmap(QSize(16, 16), 2.0);
    QCOMPARE(pm.size(), QSize(32, 32));
    QCOMPARE(pm.toImage().pixelColor(2, 16), QColor(Qt::white));
}

void ReviewFormTest::goButtonFollowsSelection() {
    openWith(AnswerSheet(15), Variant::States);
    QVERIFY(!form_->BitBtn2->isEnabled());
    // Focus alone selects nothing.
    form_->ListView1->setFocus();
    QVERIFY(!form_->BitBtn2->isEnabled());
    form_->ListView1->item(2)->setSelected(true);
    QVERIFY(form_->BitBtn2->isEnabled());
    // A deselection is a change too; the button stays enabled.
    form_->ListView1->clearSelection();
    QVERIFY(form_->BitBtn2->isEnabled());
    form_->BitBtn1->click();
    QVERIFY(!form_->BitBtn2->isEnabled());
}

void ReviewFormTest::goesToSelectedItem_data() {
    QTest::addColumn<bool>("doubleClick");
    QTest::addRow("go button") << false;
    QTest::addRow("double click") << true;
}

void ReviewFormTest::goesToSelectedItem() {
    QFETCH(bool, doubleClick);
    openWith(AnswerSheet(15), Variant::Results);
    QListWidget* list = form_->ListView1;
    QListWidgetItem* twelve = list->item(11);
    list->scrollToItem(twelve);
    const QPoint at = list->visualItemRect(twelve).center();
    if (doubleClick) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    } else {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(form_->BitBtn2->isEnabled());
        QTest::mouseClick(form_->BitBtn2, Qt::LeftButton);
    }
    QCOMPARE(examSet_->recNo(), 12);
    QVERIFY(!form_->isVisible());
    QCOMPARE(form_->result(), int(QDialog::Accepted));
    QVERIFY(!form_->BitBtn2->isEnabled());
}

void ReviewFormTest::goWithoutSelectionStaysOpen() {
    openWith(AnswerSheet(15), Variant::States);
    form_->BitBtn2->setEnabled(true); // as after a deselection
    form_->BitBtn2->click();
    form_->ListView1DblClick();
    QVERIFY(form_->isVisible());
    QCOMPARE(examSet_->recNo(), 4);
}

void ReviewFormTest::returnKeepsItem() {
    openWith(AnswerSheet(15), Variant::States);
    form_->ListView1->item(9)->setSelected(true);
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    // The accelerator: a push button answers it with its short animated click.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_R, Qt::AltModifier);
    QTRY_VERIFY(!form_->isVisible());
    QCOMPARE(form_->result(), int(QDialog::Rejected));
    QCOMPARE(examSet_->recNo(), 4);
}

void ReviewFormTest::rebuiltEachTime() {
    AnswerSheet sheet(15);
    form_->fillList(sheet, Variant::States);
    QCOMPARE(form_->ListView1->item(0)->text(), QStringLiteral("1  "));
    sheet[0] = entryOf(QStringLiteral("e"), false, false);
    sheet.resize(10);
    form_->fillList(sheet, Variant::States);
    QCOMPARE(form_->ListView1->count(), 10);
    QCOMPARE(form_->ListView1->item(0)->text(), QStringLiteral("1  E"));
    QCOMPARE(form_->ListView1->item(0)->data(TReviewForm::ImageRole).toInt(), 1);
}

QTEST_MAIN(ReviewFormTest)
#include "review_form_test.moc"
