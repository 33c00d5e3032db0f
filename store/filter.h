#pragma once

// Filter expressions: comparisons of fields and literals joined by AND, OR, NOT and parentheses,
// turned into an SQL condition whose literals are bound as parameters.

#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

namespace store::filter {

struct Node {
    enum class Kind { And, Or, Not, Compare };
    enum class Operand { Field, Literal };
    Kind kind = Kind::Compare;
    std::unique_ptr<Node> left, right; // And/Or: both; Not: left
    // Compare: lhs op rhs, each a field name (as the table spells it) or a literal.
    QString op;
    Operand lhsKind = Operand::Literal, rhsKind = Operand::Literal;
    QVariant lhs, rhs;
};

// Parses `text` against the table's fields (matched without regard to case). Throws
// palvexa::Error naming the filter and what is wrong.
std::unique_ptr<Node> parse(const QString& text, const QStringList& fields);

struct Sql {
    QString where;          // condition with ? placeholders
    QList<QVariant> params; // bound in order
};
Sql toSql(const Node& node);

// A field name as an SQL identifier: double-quoted, its own double quotes doubled.
QString quoteIdent(const QString& name);

} // namespace store::filter
