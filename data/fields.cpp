#include "data/fields.h"

namespace data {

using store::FieldDef;
using store::FieldType;

QString choiceField(int index) {
    return QStringLiteral("Q%1").arg(index + 1);
}
QString answerField(int index) {
    return QStringLiteral("A%1").arg(index + 1);
}

namespace {
void addQuestionBody(QList<FieldDef>& f) {
    f << FieldDef{Q_SECT, FieldType::Integer} << FieldDef{Q_TEXT, FieldType::Memo}
      << FieldDef{Q_EXPL, FieldType::Memo} << FieldDef{Q_TYPE, FieldType::Boolean};
    for (int i = 0; i < 6; ++i)
        f << FieldDef{choiceField(i), FieldType::Text};
    for (int i = 0; i < 6; ++i)
        f << FieldDef{answerField(i), FieldType::Boolean};
}
} // namespace

store::Schema questionBankSchema() {
    store::Schema s;
    s.fields << FieldDef{Q_ID, FieldType::Integer} << FieldDef{Q_EXAM_N, FieldType::Integer};
    addQuestionBody(s.fields);
    s.fields << FieldDef{Q_SIM, FieldType::Text} << FieldDef{PICT1, FieldType::Text}
             << FieldDef{PICT2, FieldType::Text} << FieldDef{U_MEMO, FieldType::Memo};
    s.keyField = Q_ID;
    return s;
}

store::Schema examSetSchema() {
    store::Schema s;
    s.fields << FieldDef{Q_EXAM_N, FieldType::Integer};
    addQuestionBody(s.fields);
    s.fields << FieldDef{Q_SIM, FieldType::Text} << FieldDef{PICT1, FieldType::Text}
             << FieldDef{PICT2, FieldType::Text} << FieldDef{Q_OR_NUMBER, FieldType::Integer}
             << FieldDef{U_MEMO, FieldType::Memo};
    return s;
}

store::Schema userSetSchema() {
    store::Schema s;
    s.fields << FieldDef{Q_ID, FieldType::AutoInc};
    addQuestionBody(s.fields);
    s.fields << FieldDef{U_MEMO, FieldType::Memo};
    s.keyField = Q_ID;
    return s;
}

} // namespace data
