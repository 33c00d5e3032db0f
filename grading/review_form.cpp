#include "grading/review_form.h"

#include "app/dialogs.h"
#include "grading/review_items.h"
#include "store/table.h"
#include "widgets/placement.h"

#include <QHBoxLayout>
#include <QIconEngine>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 442;
constexpr int ClientHeight = 372;
constexpr int ImageSize = 16;

// Paints one of the review images into whatever it is asked for, so it stays sharp at any
// size and device pixel ratio.
class ImageEngine : public QIconEngine {
public:
    explicit ImageEngine(int index) : index_(index) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        TReviewForm::drawImage(*painter, rect, index_);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }
    // `size` is in device pixels already.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
        QPixmap pm(size);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        TReviewForm::drawImage(p, QRectF(QPointF(0, 0), QSizeF(size) / scale), index_);
        return pm;
    }
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new ImageEngine(index_); }
    QString key() const override { return QStringLiteral("PalvexaReviewImage"); }

private:
    int index_;
};

// A legend image: paints itself, so it is drawn at the screen's own resolution.
class LegendImage : public QWidget {
public:
    LegendImage(int index, QWidget* parent) : QWidget(parent), index_(index) {
        setFixedSize(ImageSize, ImageSize);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        TReviewForm::drawImage(p, rect(), index_);
    }

private:
    int index_;
};

QFrame* makePanel(QWidget* parent, const QString& name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    return panel;
}

// A legend strip: image and text pairs, pushed to the right.
QFrame* makeLegend(QWidget* parent, const QString& name,
                   std::initializer_list<
                       std::tuple<QWidget**, QLabel**, int, const char*, const char*, const char*>>
                       pairs) {
    QFrame* strip = makePanel(parent, name);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(3, 3, 3, 3);
    row->setSpacing(0);
    row->addStretch(1);
    for (const auto& [image, label, index, imageName, labelName, text] : pairs) {
        *image = new LegendImage(index, strip);
        (*image)->setObjectName(QString::fromLatin1(imageName));
        *label = new QLabel(QString::fromLatin1(text), strip);
        (*label)->setObjectName(QString::fromLatin1(labelName));
        (*label)->setTextFormat(Qt::PlainText);
        row->addWidget(*image, 0, Qt::AlignVCenter);
        row->addWidget(*label, 0, Qt::AlignVCenter);
    }
    return strip;
}

} // namespace

TReviewForm::TReviewForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ReviewForm"));
    setWindowTitle(QStringLiteral("Items Review"));
    // A caption and nothing else: it is left by its own two buttons.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(13);
    setFont(f);
    setFixedSize(ClientWidth, ClientHeight);
    widgets::centreOnScreen(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel1 = makePanel(this, QStringLiteral("Panel1"));
    auto* legends = new QVBoxLayout(Panel1);
    legends->setContentsMargins(4, 4, 4, 4);
    legends->setSpacing(0);
    Panel5 = makeLegend(
        Panel1, QStringLiteral("Panel5"),
        {{&Image5, &Label6, palvexa::IncompleteImage, "Image5", "Label6", " - incomplete   "},
         {&Image6, &Label7, palvexa::CompleteImage, "Image6", "Label7", " - complete   "},
         {&Image4, &Label5, palvexa::MarkedImage, "Image4", "Label5", " - marked   "}});
    Panel5->setFixedHeight(25);
    Panel4 = makeLegend(
        Panel1, QStringLiteral("Panel4"),
        {{&Image1, &Label2, palvexa::IncorrectImage, "Image1", "Label2", " - incorrect item   "},
         {&Image3, &Label4, palvexa::CorrectImage, "Image3", "Label4", " - correct item   "}});
    Panel4->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    legends->addWidget(Panel5);
    legends->addWidget(Panel4);
    Panel4->hide();
    Panel1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout->addWidget(Panel1);

    Panel3 = makePanel(this, QStringLiteral("Panel3"));
    auto* middle = new QVBoxLayout(Panel3);
    middle->setContentsMargins(4, 4, 4, 4);
    ListView1 = new QListWidget(Panel3);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setAccessibleName(QStringLiteral("Items"));
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(true);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setMovement(QListView::Static);
    ListView1->setIconSize(QSize(ImageSize, ImageSize));
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setMouseTracking(true); // hover highlight
    ListView1->setUniformItemSizes(true);
    middle->addWidget(ListView1);
    layout->addWidget(Panel3, 1);

    Panel2 = makePanel(this, QStringLiteral("Panel2"));
    Panel2->setFixedHeight(36);
    BitBtn2 = new QPushButton(QStringLiteral("&Go to the selected question"), Panel2);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(4, 3, 309, 30);
    BitBtn2->setEnabled(false);
    BitBtn2->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("&Return"), Panel2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(ClientWidth - 4 - 121, 3, 121, 30);
    BitBtn1->setAutoDefault(false);
    layout->addWidget(Panel2);

    setTabOrder(ListView1, BitBtn2);
    setTabOrder(BitBtn2, BitBtn1);

    connect(ListView1, &QListWidget::itemSelectionChanged, this,
            [this] { app::guard([this] { ListView1SelectItem(); }); });
    connect(ListView1, &QListWidget::itemDoubleClicked, this,
            [this] { app::guard([this] { ListView1DblClick(); }); });
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn2Click(); }); });
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { app::guard([this] { BitBtn1Click(); }); });
}

QIcon TReviewForm::ImageList1(int index) {
    return QIcon(new ImageEngine(index));
}

void TReviewForm::drawImage(QPainter& painter, const QRectF& rect, int index) {
    painter.save();
    painter.translate(rect.topLeft());
    painter.scale(rect.width() / ImageSize, rect.height() / ImageSize);
    // A white square with a black frame and a gray shadow on its right and lower edges.
    painter.fillRect(QRectF(2, 2, 14, 14), QColor(128, 128, 128));
    painter.fillRect(QRectF(0, 0, 14, 14), Qt::black);
    painter.fillRect(QRectF(1, 1, 12, 12), Qt::white);

    painter.setRenderHint(QPainter::Antialiasing);
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    switch (index) {
    case palvexa::IncompleteImage:
        painter.fillRect(QRectF(6, 2.5, 2, 6.5), red);
        painter.fillRect(QRectF(6, 10, 2, 2), red);
        break;
    case palvexa::CompleteImage: {
        painter.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const QPointF check[] = {{3.0, 7.0}, {5.5, 9.8}, {10.8, 3.6}};
        painter.drawPolyline(check, 3);
        break;
    }
    case palvexa::MarkedImage: {
        painter.setPen(QPen(red, 1.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        const QPointF m[] = {{3.5, 11.5}, {3.5, 2.8}, {7.0, 7.5}, {10.5, 2.8}, {10.5, 11.5}};
        painter.drawPolyline(m, 5);
        break;
    }
    case palvexa::IncorrectImage:
        painter.setPen(QPen(red, 2.2, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(3.5, 3.5), QPointF(10.5, 10.5));
        painter.drawLine(QPointF(10.5, 3.5), QPointF(3.5, 10.5));
        break;
    default:
        break;
    }
    painter.restore();
}

void TReviewForm::fillList(const palvexa::AnswerSheet& sheet, Variant variant) {
    ListView1->clear();
    for (std::size_t i = 0; i < sheet.size(); ++i) {
        const palvexa::AnswerEntry& entry = sheet[i];
        const int image =
            variant == Variant::States ? palvexa::stateImage(entry) : palvexa::resultImage(entry);
        addItem(palvexa::reviewCaption(int(i) + 1, entry), image);
    }
    Panel4->setVisible(variant == Variant::Results);
    Panel5->setVisible(variant == Variant::States);
}

void TReviewForm::addItem(const QString& caption, int image) {
    auto* item = new QListWidgetItem(ImageList1(image), caption, ListView1);
    item->setData(ImageRole, image);
}

void TReviewForm::ListView1SelectItem() {
    BitBtn2->setEnabled(true);
}

void TReviewForm::BitBtn2Click() {
    goToSelected();
}

void TReviewForm::ListView1DblClick() {
    goToSelected();
}

void TReviewForm::goToSelected() {
    const QList<QListWidgetItem*> selected = ListView1->selectedItems();
    if (selected.isEmpty())
        return;
    if (ExamSet)
        ExamSet->setRecNo(ListView1->row(selected.first()) + 1);
    accept();
}

void TReviewForm::BitBtn1Click() {
    reject();
}

void TReviewForm::FormClose() {
    BitBtn2->setEnabled(false);
}

void TReviewForm::done(int result) {
    app::guard([this] { FormClose(); });
    QDialog::done(result);
}
