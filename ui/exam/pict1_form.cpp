#include "ui/exam/pict1_form.h"

#include "app/dialogs.h"
#include "platform/picture.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int DesignSide = 105;
// Room left for the title bar and borders when the window has not been shown yet and the
// window manager's frame is unknown.
constexpr int FrameAllowanceW = 16;
constexpr int FrameAllowanceH = 40;

} // namespace

TPict1Form::TPict1Form(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Pict1Form"));
    setWindowTitle(QStringLiteral("Exhibit 1"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setAccessibleName(QStringLiteral("Exhibit 1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setAlignment(Qt::AlignCenter);
    ScrollBox1->setWidgetResizable(false);
    Image1 = new QLabel;
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAccessibleName(QStringLiteral("Exhibit 1"));
    ScrollBox1->setWidget(Image1);
    layout->addWidget(ScrollBox1);

    fitToPicture(QSize(DesignSide, DesignSide));
}

void TPict1Form::setPicture(const QImage& picture) {
    Image1->setPixmap(QPixmap::fromImage(picture));
    fitToPicture(picture.size());
}

void TPict1Form::showExhibit(const QString& fileName) {
    setPicture(platform::loadPicture(fileName));
    app::execModal(this);
}

void TPict1Form::fitToPicture(const QSize& picture) {
    Image1->setFixedSize(picture);

    QRect area(0, 0, 1024, 768);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        area = s->availableGeometry();
    // The window manager's frame, once known from an earlier showing.
    QSize frame(frameGeometry().width() - width(), frameGeometry().height() - height());
    if (frame.width() <= 0 && frame.height() <= 0)
        frame = QSize(FrameAllowanceW, FrameAllowanceH);
    const QSize room = area.size() - frame;

    QSize inner = picture;
    if (inner.width() > room.width() || inner.height() > room.height()) {
        // Too large: the free area with scroll bars; a bar across one side may call for the
        // other, so each side is checked against what the other bar takes.
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const bool needH = picture.width() > room.width() || (picture.height() > room.height() &&
                                                              picture.width() + bar > room.width());
        const bool needV =
            picture.height() > room.height() || (needH && picture.height() + bar > room.height());
        inner = QSize(qMin(room.width(), picture.width() + (needV ? bar : 0)),
                      qMin(room.height(), picture.height() + (needH ? bar : 0)));
    }
    setFixedSize(inner);

    QRect placed(QPoint(), inner + frame);
    placed.moveCenter(area.center());
    move(placed.topLeft());
}
