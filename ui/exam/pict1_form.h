#pragma once

#include <QDialog>

class QImage;
class QLabel;
class QScrollArea;

// The exhibit window: the item's picture at its natural size. The window's inner area takes the
// picture's size; a picture larger than the screen's free area gets that area and scroll bars,
// so that the whole window, its close box included, stays reachable.
class TPict1Form : public QDialog {
    Q_OBJECT
public:
    explicit TPict1Form(QWidget* parent = nullptr);

    // Shows `picture` in Image1, fits the window to it and centres the window on the screen.
    void setPicture(const QImage& picture);
    // Loads the picture file afresh and shows it modally; a load error is thrown before the
    // window shows.
    void showExhibit(const QString& fileName);

    QScrollArea* ScrollBox1 = nullptr;
    QLabel* Image1 = nullptr;

private:
    void fitToPicture(const QSize& picture);
};
