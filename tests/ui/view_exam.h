#pragma once

// An exam over items given in presentation order: the exam set filled directly, the answer
// sheet initialised, testing mode, the question area shown and the first item current, in an
// exam window shown at a chosen size.

#include "data/fields.h"
#include "exam/answer_sheet.h"
#include "support/exam_fixture.h"
#include "ui/exam/test_form.h"
#include "ui/forms.h"

#include <QTest>
#include <QVariantMap>

namespace testsupport {

// An item: its question, its choices a..f (an empty text is an absent choice), the letters of
// its correct choices, single or multiple response.
inline QVariantMap item(const QString& text, const QStringList& choices, const QString& answer,
                        bool multiple = false, const QString& pict = QString(),
                        const QString& expl = QStringLiteral("Because."), int orNumber = 0) {
    QVariantMap r;
    r[data::Q_TEXT] = text;
    r[data::Q_TYPE] = multiple;
    r[data::Q_SECT] = 1;
    r[data::Q_EXPL] = expl;
    r[data::PICT1] = pict;
    r[data::Q_OR_NUMBER] = orNumber;
    for (int i = 0; i < 6; ++i) {
        r[data::choiceField(i)] = i < choices.size() ? choices.at(i) : QString();
        r[data::answerField(i)] = answer.contains(QChar(u'a' + i));
    }
    return r;
}

inline void startExamWith(const QList<QVariantMap>& items, QSize size = QSize(732, 505)) {
    TTestForm& f = *TestForm;
    f.setWindowState(Qt::WindowNoState);
    f.resize(size);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.ExamMode = palvexa::IdleMode;
    f.ExamTitle = QStringLiteral("Practice Exam A");
    f.dtCurrentSet.close();
    f.dtCurrentSet.emptyTable();
    f.dtCurrentSet.open();
    for (const QVariantMap& r : items) {
        f.dtCurrentSet.append();
        for (auto it = r.begin(); it != r.end(); ++it)
            f.dtCurrentSet.setValue(it.key(), it.value());
        f.dtCurrentSet.post();
    }
    f.ItemCount = f.dtCurrentSet.recordCount();
    f.FirstItemNumber = 1;
    palvexa::InitAnswerSheet(f.dtCurrentSet);
    f.ExamMode = palvexa::TestingMode;
    f.ExamControls();
    f.dtCurrentSet.first();
    QCoreApplication::processEvents();
}

} // namespace testsupport
