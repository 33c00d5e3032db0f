// Learn Now: the answer key of the item on screen, shown on demand until the next move. It
// records nothing; the refresh after a move takes the key away again.

#include "data/fields.h"
#include "ui/exam/test_form.h"

#include <QLabel>

void TTestForm::LearnButtonClick() {
    ExpText->show();
    QLabel* const labels[] = {ALabel1, ALabel2, ALabel3, ALabel4, ALabel5, ALabel6};
    for (int n = 1; n <= 6; ++n) {
        QLabel* label = labels[n - 1];
        if (!label)
            continue;
        const bool correct = dtCurrentSet.asBoolean(data::answerField(n - 1));
        QPalette pal = label->palette();
        pal.setColor(QPalette::Window, correct ? QColor(0, 255, 255) : QColor(255, 255, 255));
        label->setPalette(pal);
        label->setAutoFillBackground(true);
    }
}
