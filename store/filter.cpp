#include "store/filter.h"

#include "platform/error.h"

namespace store::filter {
namespace {

struct Token {
    enum class Type { Ident, Int, Str, Op, LParen, RParen, End };
    Type type;
    QString text;
    QVariant value;
    int pos;
};

class Parser {
public:
    Parser(const QString& text, const QStringList& fields) : text_(text), fields_(fields) {
        tokenize();
    }

    std::unique_ptr<Node> run() {
        auto node = parseOr();
        if (peek().type != Token::Type::End)
            fail(QStringLiteral("unexpected \"%1\" at position %2")
                     .arg(peek().text)
                     .arg(peek().pos + 1));
        return node;
    }

private:
    [[noreturn]] void fail(const QString& what) const {
        throw palvexa::Error(QStringLiteral("Filter \"%1\": %2").arg(text_, what));
    }

    static bool isKeyword(const Token& t, const char* word) {
        return t.type == Token::Type::Ident &&
               t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    void tokenize() {
        int i = 0;
        const int n = text_.size();
        while (i < n) {
            const QChar c = text_[i];
            if (c.isSpace()) {
                ++i;
                continue;
            }
            const int start = i;
            if (c.isLetter() || c == u'_') {
                while (i < n && (text_[i].isLetterOrNumber() || text_[i] == u'_'))
                    ++i;
                tokens_.push_back({Token::Type::Ident, text_.mid(start, i - start), {}, start});
            } else if (c.isDigit() || (c == u'-' && i + 1 < n && text_[i + 1].isDigit())) {
                ++i;
                while (i < n && text_[i].isDigit())
                    ++i;
                bool ok = false;
                const QString digits = text_.mid(start, i - start);
                const qlonglong v = digits.toLongLong(&ok);
                if (!ok)
                    fail(QStringLiteral("number %1 is out of range").arg(digits));
                tokens_.push_back({Token::Type::Int, digits, v, start});
            } else if (c == u'\'' || c == u'"') {
                QString value;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (text_[i] == c) {
                        if (i + 1 < n && text_[i + 1] == c) { // doubled quote stands for one
                            value += c;
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    value += text_[i++];
                }
                if (!closed)
                    fail(QStringLiteral("the text starting at position %1 has no closing quote")
                             .arg(start + 1));
                tokens_.push_back({Token::Type::Str, text_.mid(start, i - start), value, start});
            } else if (c == u'(' || c == u')') {
                ++i;
                tokens_.push_back(
                    {c == u'(' ? Token::Type::LParen : Token::Type::RParen, QString(c), {}, start});
            } else if (c == u'=' || c == u'<' || c == u'>') {
                ++i;
                if (i < n && ((c == u'<' && (text_[i] == u'>' || text_[i] == u'=')) ||
                              (c == u'>' && text_[i] == u'=')))
                    ++i;
                tokens_.push_back({Token::Type::Op, text_.mid(start, i - start), {}, start});
            } else {
                fail(QStringLiteral("unexpected \"%1\" at position %2").arg(c).arg(start + 1));
            }
        }
        tokens_.push_back({Token::Type::End, QStringLiteral("end of text"), {}, int(n)});
    }

    const Token& peek() const { return tokens_[pos_]; }
    const Token& take() { return tokens_[pos_++]; }

    std::unique_ptr<Node> parseOr() {
        auto left = parseAnd();
        while (isKeyword(peek(), "OR")) {
            take();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Or;
            node->left = std::move(left);
            node->right = parseAnd();
            left = std::move(node);
        }
        return left;
    }

    std::unique_ptr<Node> parseAnd() {
        auto left = parseNot();
        while (isKeyword(peek(), "AND")) {
            take();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::And;
            node->left = std::move(left);
            node->right = parseNot();
            left = std::move(node);
        }
        return left;
    }

    std::unique_ptr<Node> parseNot() {
        if (isKeyword(peek(), "NOT")) {
            take();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Not;
            node->left = parseNot();
            return node;
        }
        if (peek().type == Token::Type::LParen) {
            take();
            auto inner = parseOr();
            if (peek().type != Token::Type::RParen)
                fail(QStringLiteral("expected \")\" at position %1").arg(peek().pos + 1));
            take();
            return inner;
        }
        return parseCompare();
    }

    void operand(Node::Operand& kind, QVariant& value) {
        const Token& t = peek();
        if (t.type == Token::Type::Int || t.type == Token::Type::Str) {
            kind = Node::Operand::Literal;
            value = t.value;
        } else if (isKeyword(t, "TRUE") || isKeyword(t, "FALSE")) {
            kind = Node::Operand::Literal;
            value = isKeyword(t, "TRUE") ? 1 : 0;
        } else if (t.type == Token::Type::Ident && !isKeyword(t, "AND") && !isKeyword(t, "OR") &&
                   !isKeyword(t, "NOT")) {
            const auto it = std::find_if(fields_.begin(), fields_.end(), [&](const QString& f) {
                return f.compare(t.text, Qt::CaseInsensitive) == 0;
            });
            if (it == fields_.end())
                fail(QStringLiteral("unknown field %1").arg(t.text));
            kind = Node::Operand::Field;
            value = *it;
        } else {
            fail(QStringLiteral("expected a field name or a value at position %1, found \"%2\"")
                     .arg(t.pos + 1)
                     .arg(t.text));
        }
        take();
    }

    std::unique_ptr<Node> parseCompare() {
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Compare;
        operand(node->lhsKind, node->lhs);
        if (peek().type != Token::Type::Op)
            fail(QStringLiteral("expected a comparison (= <> < > <= >=) at position %1, found "
                                "\"%2\"")
                     .arg(peek().pos + 1)
                     .arg(peek().text));
        node->op = take().text;
        operand(node->rhsKind, node->rhs);
        return node;
    }

    QString text_;
    QStringList fields_;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
};

void emit(const Node& n, Sql& out) {
    switch (n.kind) {
    case Node::Kind::And:
    case Node::Kind::Or:
        out.where += u'(';
        emit(*n.left, out);
        out.where += n.kind == Node::Kind::And ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
        emit(*n.right, out);
        out.where += u')';
        break;
    case Node::Kind::Not:
        // A comparison with an empty field is unknown, and NOT of unknown selects nothing.
        out.where += QStringLiteral("(NOT coalesce(");
        emit(*n.left, out);
        out.where += QStringLiteral(", 0))");
        break;
    case Node::Kind::Compare: {
        auto side = [&](Node::Operand kind, const QVariant& v) {
            if (kind == Node::Operand::Field) {
                out.where += quoteIdent(v.toString());
            } else {
                out.where += u'?';
                out.params.push_back(v);
            }
        };
        out.where += u'(';
        side(n.lhsKind, n.lhs);
        out.where += u' ' + n.op + u' ';
        side(n.rhsKind, n.rhs);
        out.where += u')';
        break;
    }
    }
}

} // namespace

QString quoteIdent(const QString& name) {
    QString q = name;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

std::unique_ptr<Node> parse(const QString& text, const QStringList& fields) {
    return Parser(text, fields).run();
}

Sql toSql(const Node& node) {
    Sql out;
    emit(node, out);
    return out;
}

} // namespace store::filter
