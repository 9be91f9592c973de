#include "conditionparser.h"

#include <QRegularExpression>
#include <QStringList>

// Interim reader of condition strings (and/or, parentheses, comparisons, like,
// between, is [not] null, date(field)); every value is bound, never pasted.
namespace {

struct Token
{
    enum Kind { Word, Number, String, Symbol, End } kind;
    QString text;
};

class Reader
{
public:
    Reader(const QList<Token> &tokens, const QHash<QString, ConditionParser::FieldKind> &fields)
        : tokens(tokens), fields(fields) {}

    bool condition(SqlCondition *out)
    {
        if (peekWord(QStringLiteral("and")))
            ++pos;
        if (tokens.at(pos).kind == Token::End)
            return true;
        QString sql;
        if (!expression(&sql))
            return false;
        if (tokens.at(pos).kind != Token::End)
            return false;
        out->sql = sql;
        out->values = values;
        return true;
    }

private:
    bool peekWord(const QString &w) const
    {
        return tokens.at(pos).kind == Token::Word && tokens.at(pos).text.compare(w, Qt::CaseInsensitive) == 0;
    }
    bool peekSymbol(const QString &s) const { return tokens.at(pos).kind == Token::Symbol && tokens.at(pos).text == s; }

    bool expression(QString *sql)
    {
        if (!term(sql))
            return false;
        while (peekWord(QStringLiteral("or"))) {
            ++pos;
            QString right;
            if (!term(&right))
                return false;
            *sql += QStringLiteral(" OR ") + right;
        }
        return true;
    }

    bool term(QString *sql)
    {
        if (!factor(sql))
            return false;
        while (peekWord(QStringLiteral("and"))) {
            ++pos;
            QString right;
            if (!factor(&right))
                return false;
            *sql += QStringLiteral(" AND ") + right;
        }
        return true;
    }

    bool factor(QString *sql)
    {
        if (peekSymbol(QStringLiteral("("))) {
            ++pos;
            QString inner;
            if (!expression(&inner) || !peekSymbol(QStringLiteral(")")))
                return false;
            ++pos;
            *sql = QLatin1Char('(') + inner + QLatin1Char(')');
            return true;
        }
        bool isDate = false;
        QString left;
        if (!operand(&left, &isDate))
            return false;
        if (peekWord(QStringLiteral("is"))) {
            ++pos;
            bool negated = false;
            if (peekWord(QStringLiteral("not"))) {
                negated = true;
                ++pos;
            }
            if (!peekWord(QStringLiteral("null")))
                return false;
            ++pos;
            *sql = left + (negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
            return true;
        }
        if (peekWord(QStringLiteral("like"))) {
            ++pos;
            if (tokens.at(pos).kind != Token::String)
                return false;
            values << tokens.at(pos++).text;
            *sql = left + QStringLiteral(" LIKE ?");
            return true;
        }
        if (peekWord(QStringLiteral("between"))) {
            ++pos;
            QString a, b;
            bool d = false;
            if (!literal(&a, isDate) || !peekWord(QStringLiteral("and")))
                return false;
            ++pos;
            if (!literal(&b, isDate))
                return false;
            Q_UNUSED(d)
            *sql = left + QStringLiteral(" BETWEEN ") + a + QStringLiteral(" AND ") + b;
            return true;
        }
        static const QStringList ops{"=", "!=", "<>", "<", ">", "<=", ">="};
        if (tokens.at(pos).kind != Token::Symbol || !ops.contains(tokens.at(pos).text))
            return false;
        const QString op = tokens.at(pos++).text;
        QString right;
        bool rightDate = false;
        if (!operand(&right, &rightDate, isDate))
            return false;
        *sql = left + QLatin1Char(' ') + op + QLatin1Char(' ') + right;
        return true;
    }

    bool literal(QString *sql, bool dateContext)
    {
        const Token &t = tokens.at(pos);
        if (t.kind == Token::String) {
            values << (dateContext ? t.text.left(10) : t.text);
        } else if (t.kind == Token::Number) {
            values << (t.text.contains(QLatin1Char('.')) ? QVariant(t.text.toDouble()) : QVariant(t.text.toLongLong()));
        } else {
            return false;
        }
        ++pos;
        *sql = QStringLiteral("?");
        return true;
    }

    bool operand(QString *sql, bool *isDate, bool dateContext = false)
    {
        const Token &t = tokens.at(pos);
        if (t.kind == Token::String || t.kind == Token::Number)
            return literal(sql, dateContext);
        if (t.kind != Token::Word)
            return false;
        if (t.text.compare(QStringLiteral("date"), Qt::CaseInsensitive) == 0 && tokens.at(pos + 1).kind == Token::Symbol
            && tokens.at(pos + 1).text == QStringLiteral("(")) {
            pos += 2;
            if (tokens.at(pos).kind != Token::Word || !fields.contains(tokens.at(pos).text))
                return false;
            *sql = QStringLiteral("date(\"%1\")").arg(tokens.at(pos++).text);
            if (!peekSymbol(QStringLiteral(")")))
                return false;
            ++pos;
            *isDate = true;
            return true;
        }
        if (!fields.contains(t.text))
            return false;
        *sql = QLatin1Char('"') + t.text + QLatin1Char('"');
        ++pos;
        return true;
    }

    QList<Token> tokens;
    const QHash<QString, ConditionParser::FieldKind> &fields;
    QVariantList values;
    int pos = 0;
};

bool tokenize(const QString &text, QList<Token> *tokens)
{
    int i = 0;
    const int n = text.size();
    while (i < n) {
        const QChar c = text.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('\'')) {
            QString value;
            ++i;
            bool closed = false;
            while (i < n) {
                if (text.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && text.at(i + 1) == QLatin1Char('\'')) {
                        value += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                value += text.at(i++);
            }
            if (!closed)
                return false;
            tokens->append({Token::String, value});
        } else if (c.isDigit() || (c == QLatin1Char('-') && i + 1 < n && text.at(i + 1).isDigit())) {
            int j = i + 1;
            while (j < n && (text.at(j).isDigit() || text.at(j) == QLatin1Char('.')))
                ++j;
            tokens->append({Token::Number, text.mid(i, j - i)});
            i = j;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i + 1;
            while (j < n && (text.at(j).isLetterOrNumber() || text.at(j) == QLatin1Char('_')))
                ++j;
            tokens->append({Token::Word, text.mid(i, j - i)});
            i = j;
        } else if (c == QLatin1Char('(') || c == QLatin1Char(')')) {
            tokens->append({Token::Symbol, QString(c)});
            ++i;
        } else if (QStringLiteral("=!<>").contains(c)) {
            int j = i + 1;
            if (j < n && QStringLiteral("=>").contains(text.at(j)))
                ++j;
            tokens->append({Token::Symbol, text.mid(i, j - i)});
            i = j;
        } else {
            return false;
        }
    }
    tokens->append({Token::End, QString()});
    return true;
}

} // namespace

bool ConditionParser::parse(const QString &conditionStr, const QHash<QString, FieldKind> &fields, SqlCondition *out,
                            QString *error)
{
    *out = SqlCondition();
    QList<Token> tokens;
    if (!tokenize(conditionStr, &tokens)) {
        *error = QStringLiteral("查询条件无法识别");
        return false;
    }
    Reader reader(tokens, fields);
    SqlCondition result;
    if (!reader.condition(&result)) {
        *error = QStringLiteral("查询条件无法识别");
        return false;
    }
    *out = result;
    return true;
}
