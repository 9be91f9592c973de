#include "conditionparser.h"

#include <QDate>
#include <QTime>
#include <QRegularExpression>
#include <QSet>

namespace {

// Deepest nesting of parentheses accepted (the client never nests more than one level).
constexpr int kMaxDepth = 16;

enum class TokenType { End, Word, Text, Number, Operator, Minus, LeftParen, RightParen };

struct Token
{
    TokenType type = TokenType::End;
    QString text;   // the word, the unquoted text, the number or the operator
    int position = 0;
};

bool isWordStart(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
           || c == QLatin1Char('_');
}

bool isWordChar(QChar c)
{
    return isWordStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Splits the condition into tokens; refuses comments, statement separators,
// unterminated texts and any character that has no place in a condition.
bool tokenize(const QString &s, QList<Token> *tokens, QString *error)
{
    int i = 0;
    const int n = int(s.size());
    while (i < n) {
        const QChar c = s.at(i);
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token token;
        token.position = i;
        if (c == QLatin1Char('\'')) {
            QString text;
            ++i;
            bool closed = false;
            while (i < n) {
                if (s.at(i) == QLatin1Char('\'')) {
                    if (i + 1 < n && s.at(i + 1) == QLatin1Char('\'')) {
                        text += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    closed = true;
                    ++i;
                    break;
                }
                text += s.at(i);
                ++i;
            }
            if (!closed) {
                *error = QStringLiteral("查询条件中的引号不成对");
                return false;
            }
            token.type = TokenType::Text;
            token.text = text;
        } else if (isDigit(c)) {
            int start = i;
            while (i < n && isDigit(s.at(i)))
                ++i;
            if (i + 1 < n && s.at(i) == QLatin1Char('.') && isDigit(s.at(i + 1))) {
                ++i;
                while (i < n && isDigit(s.at(i)))
                    ++i;
            }
            if (i < n && (isWordChar(s.at(i)) || s.at(i) == QLatin1Char('.'))) {
                *error = QStringLiteral("查询条件中的数字格式不正确: %1").arg(s.mid(start, i - start + 1));
                return false;
            }
            token.type = TokenType::Number;
            token.text = s.mid(start, i - start);
        } else if (isWordStart(c)) {
            int start = i;
            while (i < n && isWordChar(s.at(i)))
                ++i;
            token.type = TokenType::Word;
            token.text = s.mid(start, i - start);
        } else if (c == QLatin1Char('-')) {
            if (i + 1 < n && s.at(i + 1) == QLatin1Char('-')) {
                *error = QStringLiteral("查询条件中不能含有注释");
                return false;
            }
            token.type = TokenType::Minus;
            token.text = QStringLiteral("-");
            ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && s.at(i + 1) == QLatin1Char('*')) {
            *error = QStringLiteral("查询条件中不能含有注释");
            return false;
        } else if (c == QLatin1Char(';')) {
            *error = QStringLiteral("查询条件中不能含有分号");
            return false;
        } else if (c == QLatin1Char('(')) {
            token.type = TokenType::LeftParen;
            token.text = c;
            ++i;
        } else if (c == QLatin1Char(')')) {
            token.type = TokenType::RightParen;
            token.text = c;
            ++i;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>')
                   || (c == QLatin1Char('!') && i + 1 < n && s.at(i + 1) == QLatin1Char('='))) {
            QString op = c;
            ++i;
            if (i < n) {
                const QChar next = s.at(i);
                if ((c != QLatin1Char('=') && next == QLatin1Char('='))
                    || (c == QLatin1Char('<') && next == QLatin1Char('>'))) {
                    op += next;
                    ++i;
                }
            }
            token.type = TokenType::Operator;
            token.text = op;
        } else {
            const QString shown = c.isPrint() ? QString(c)
                                              : QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            *error = QStringLiteral("查询条件中含有不允许的字符: %1").arg(shown);
            return false;
        }
        tokens->append(token);
    }
    Token end;
    end.position = n;
    tokens->append(end);
    return true;
}

// One side of a test: a field, date(field) or a literal.
struct Operand
{
    enum Kind { Field, DateOfField, Literal } kind = Literal;
    QString field;      // canonical field name for Field and DateOfField
    QVariant value;     // for Literal
    bool isText = false;
};

class Parser
{
public:
    Parser(const QList<Token> &tokens, const QString &source,
           const QHash<QString, ConditionParser::FieldKind> &fields)
        : m_tokens(tokens), m_source(source), m_fields(fields)
    {
        for (auto it = fields.cbegin(); it != fields.cend(); ++it)
            m_lowerNames.insert(it.key().toLower(), it.key());
    }

    bool run(SqlCondition *out, QString *error)
    {
        if (peek().type == TokenType::End) {
            out->sql.clear();
            out->values.clear();
            return true;
        }
        if (isKeyword(peek(), "and"))
            ++m_index;
        QString sql;
        if (!parseConjunction(0, &sql))
            return fail(error);
        if (peek().type == TokenType::RightParen) {
            m_error = QStringLiteral("查询条件中的括号不成对");
            return fail(error);
        }
        if (isKeyword(peek(), "or")) {
            m_error = QStringLiteral("查询条件中的 or 只能写在括号内");
            return fail(error);
        }
        if (peek().type != TokenType::End) {
            syntaxError();
            return fail(error);
        }
        out->sql = sql;
        out->values = m_values;
        return true;
    }

private:
    const Token &peek() const { return m_tokens.at(m_index); }

    static bool isKeyword(const Token &token, const char *word)
    {
        return token.type == TokenType::Word && token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }

    bool fail(QString *error)
    {
        if (error)
            *error = m_error.isEmpty() ? QStringLiteral("查询条件格式错误") : m_error;
        return false;
    }

    bool syntaxError()
    {
        const Token &token = peek();
        if (!m_error.isEmpty())
            return false;
        if (token.type == TokenType::End)
            m_error = QStringLiteral("查询条件不完整");
        else
            m_error = QStringLiteral("查询条件格式错误，在“%1”附近")
                          .arg(m_source.mid(token.position, 20).trimmed());
        return false;
    }

    // conjunction := term ("and" term)*
    bool parseConjunction(int depth, QString *sql)
    {
        QStringList parts;
        for (;;) {
            QString part;
            if (!parseTerm(depth, &part))
                return false;
            parts << part;
            if (!isKeyword(peek(), "and"))
                break;
            ++m_index;
        }
        *sql = parts.join(QStringLiteral(" AND "));
        return true;
    }

    // disjunction := conjunction ("or" conjunction)*, only inside parentheses
    bool parseDisjunction(int depth, QString *sql)
    {
        QStringList parts;
        for (;;) {
            QString part;
            if (!parseConjunction(depth, &part))
                return false;
            parts << part;
            if (!isKeyword(peek(), "or"))
                break;
            ++m_index;
        }
        *sql = parts.join(QStringLiteral(" OR "));
        return true;
    }

    // term := "(" disjunction ")" | test
    bool parseTerm(int depth, QString *sql)
    {
        if (peek().type == TokenType::LeftParen) {
            if (depth >= kMaxDepth) {
                m_error = QStringLiteral("查询条件中的括号嵌套过深");
                return false;
            }
            ++m_index;
            QString inner;
            if (!parseDisjunction(depth + 1, &inner))
                return false;
            if (peek().type != TokenType::RightParen) {
                if (peek().type == TokenType::End)
                    m_error = QStringLiteral("查询条件中的括号不成对");
                return syntaxError();
            }
            ++m_index;
            *sql = QLatin1Char('(') + inner + QLatin1Char(')');
            return true;
        }
        return parseTest(sql);
    }

    bool parseTest(QString *sql)
    {
        Operand left;
        if (!parseOperand(&left))
            return false;
        const Token &token = peek();
        if (isKeyword(token, "is")) {
            ++m_index;
            bool negated = false;
            if (isKeyword(peek(), "not")) {
                negated = true;
                ++m_index;
            }
            if (!isKeyword(peek(), "null"))
                return syntaxError();
            ++m_index;
            if (left.kind == Operand::Literal) {
                m_error = QStringLiteral("查询条件中 is null 前面必须是字段");
                return false;
            }
            *sql = render(left, nullptr) + (negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
            return true;
        }
        if (isKeyword(token, "like")) {
            ++m_index;
            if (left.kind != Operand::Field) {
                m_error = QStringLiteral("查询条件中 like 前面必须是字段");
                return false;
            }
            if (peek().type != TokenType::Text) {
                m_error = QStringLiteral("查询条件中 like 后面必须是带引号的文字");
                return false;
            }
            Operand pattern;
            pattern.value = peek().text;
            pattern.isText = true;
            ++m_index;
            *sql = render(left, nullptr) + QStringLiteral(" LIKE ") + bind(pattern.value);
            return true;
        }
        if (isKeyword(token, "between")) {
            ++m_index;
            if (left.kind == Operand::Literal) {
                m_error = QStringLiteral("查询条件中 between 前面必须是字段");
                return false;
            }
            Operand low, high;
            if (!parseOperand(&low))
                return false;
            if (!isKeyword(peek(), "and"))
                return syntaxError();
            ++m_index;
            if (!parseOperand(&high))
                return false;
            if (low.kind != Operand::Literal || high.kind != Operand::Literal) {
                m_error = QStringLiteral("查询条件中 between 的范围必须是数字或文字");
                return false;
            }
            if (!checkPair(left, low) || !checkPair(left, high))
                return false;
            const QString lhs = render(left, nullptr);
            const QString lowSql = render(low, &left);
            const QString highSql = render(high, &left);
            *sql = lhs + QStringLiteral(" BETWEEN ") + lowSql + QStringLiteral(" AND ") + highSql;
            return true;
        }
        if (token.type == TokenType::Operator) {
            QString op = token.text;
            if (op == QLatin1String("<>"))
                op = QStringLiteral("!=");
            ++m_index;
            Operand right;
            if (!parseOperand(&right))
                return false;
            if (!checkPair(left, right) || !checkPair(right, left))
                return false;
            const QString lhs = render(left, &right);
            const QString rhs = render(right, &left);
            *sql = lhs + QLatin1Char(' ') + op + QLatin1Char(' ') + rhs;
            return true;
        }
        if (token.type == TokenType::End && left.kind != Operand::Literal)
            m_error = QStringLiteral("查询条件中“%1”后面缺少比较").arg(left.field);
        return syntaxError();
    }

    bool parseOperand(Operand *operand)
    {
        const Token token = peek();
        switch (token.type) {
        case TokenType::Text:
            ++m_index;
            operand->kind = Operand::Literal;
            operand->value = token.text;
            operand->isText = true;
            return true;
        case TokenType::Number:
            ++m_index;
            return makeNumber(token.text, operand);
        case TokenType::Minus:
            ++m_index;
            if (peek().type != TokenType::Number)
                return syntaxError();
            ++m_index;
            return makeNumber(QLatin1Char('-') + m_tokens.at(m_index - 1).text, operand);
        case TokenType::Word:
            break;
        default:
            return syntaxError();
        }

        static const QSet<QString> keywords = {
            QStringLiteral("and"), QStringLiteral("or"), QStringLiteral("not"), QStringLiteral("like"),
            QStringLiteral("between"), QStringLiteral("is"), QStringLiteral("null")};
        static const QSet<QString> statements = {
            QStringLiteral("select"), QStringLiteral("union"), QStringLiteral("insert"), QStringLiteral("update"),
            QStringLiteral("delete"), QStringLiteral("drop"), QStringLiteral("create"), QStringLiteral("alter"),
            QStringLiteral("from"), QStringLiteral("where"), QStringLiteral("exists"), QStringLiteral("attach"),
            QStringLiteral("pragma")};
        const QString lower = token.text.toLower();
        if (keywords.contains(lower))
            return syntaxError();
        const bool call = m_tokens.at(m_index + 1).type == TokenType::LeftParen;
        if (statements.contains(lower) && !m_lowerNames.contains(lower)) {
            m_error = QStringLiteral("查询条件中不能含有SQL语句: %1").arg(token.text);
            return false;
        }
        if (call) {
            if (lower != QLatin1String("date")) {
                m_error = QStringLiteral("查询条件中含有不支持的函数: %1").arg(token.text);
                return false;
            }
            m_index += 2;
            const Token &argument = peek();
            if (argument.type != TokenType::Word || keywords.contains(argument.text.toLower()))
                return syntaxError();
            QString field;
            if (!lookUpField(argument.text, &field))
                return false;
            if (m_fields.value(field) != ConditionParser::Text) {
                m_error = QStringLiteral("查询条件中 date() 只能用于日期字段: %1").arg(field);
                return false;
            }
            ++m_index;
            if (peek().type != TokenType::RightParen)
                return syntaxError();
            ++m_index;
            operand->kind = Operand::DateOfField;
            operand->field = field;
            return true;
        }
        QString field;
        if (!lookUpField(token.text, &field))
            return false;
        ++m_index;
        operand->kind = Operand::Field;
        operand->field = field;
        return true;
    }

    bool lookUpField(const QString &name, QString *field)
    {
        const auto it = m_lowerNames.constFind(name.toLower());
        if (it == m_lowerNames.cend()) {
            m_error = QStringLiteral("查询条件中含有未知字段: %1").arg(name);
            return false;
        }
        *field = it.value();
        return true;
    }

    bool makeNumber(const QString &text, Operand *operand)
    {
        operand->kind = Operand::Literal;
        operand->isText = false;
        bool ok = false;
        if (text.contains(QLatin1Char('.'))) {
            const double value = text.toDouble(&ok);
            operand->value = value;
        } else {
            const qlonglong value = text.toLongLong(&ok);
            operand->value = value;
        }
        if (!ok) {
            m_error = QStringLiteral("查询条件中的数字超出范围: %1").arg(text);
            return false;
        }
        return true;
    }

    // A literal set against date(field) must be a date or a timestamp.
    bool checkPair(const Operand &side, const Operand &other)
    {
        if (side.kind != Operand::DateOfField || other.kind != Operand::Literal)
            return true;
        if (!other.isText || datePart(other.value.toString()).isEmpty()) {
            m_error = QStringLiteral("查询条件中的日期格式不正确: %1").arg(other.value.toString());
            return false;
        }
        return true;
    }

    // "yyyy-MM-dd" or "yyyy-MM-dd HH:mm:ss" → "yyyy-MM-dd"; anything else → "".
    static QString datePart(const QString &text)
    {
        static const QRegularExpression shape(
            QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})( \\d{2}:\\d{2}:\\d{2})?$"));
        const QRegularExpressionMatch match = shape.match(text);
        if (!match.hasMatch())
            return QString();
        if (!QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd")).isValid())
            return QString();
        if (match.hasCaptured(2)
            && !QTime::fromString(match.captured(2).mid(1), QStringLiteral("HH:mm:ss")).isValid())
            return QString();
        return match.captured(1);
    }

    QString bind(const QVariant &value)
    {
        // An empty text must stay an empty text: a null QString would be bound as NULL.
        if (value.typeId() == QMetaType::QString && value.toString().isNull())
            m_values.append(QStringLiteral(""));
        else
            m_values.append(value);
        return QStringLiteral("?");
    }

    // Writes one operand; a literal compared with date(field) binds its date part.
    QString render(const Operand &operand, const Operand *partner)
    {
        switch (operand.kind) {
        case Operand::Field:
            return quoted(operand.field);
        case Operand::DateOfField:
            return QStringLiteral("date(") + quoted(operand.field) + QLatin1Char(')');
        case Operand::Literal:
            break;
        }
        if (partner && partner->kind == Operand::DateOfField)
            return bind(datePart(operand.value.toString()));
        return bind(operand.value);
    }

    static QString quoted(const QString &field)
    {
        QString escaped = field;
        escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
        return QLatin1Char('"') + escaped + QLatin1Char('"');
    }

    const QList<Token> &m_tokens;
    const QString &m_source;
    const QHash<QString, ConditionParser::FieldKind> &m_fields;
    QHash<QString, QString> m_lowerNames;
    int m_index = 0;
    QVariantList m_values;
    QString m_error;
};

} // namespace

bool ConditionParser::parse(const QString &conditionStr, const QHash<QString, FieldKind> &fields,
                            SqlCondition *out, QString *error)
{
    QString ignored;
    QString *message = error ? error : &ignored;
    if (!out) {
        *message = QStringLiteral("查询条件无处存放");
        return false;
    }
    if (conditionStr.toUtf8().size() > maxLength) {
        *message = QStringLiteral("查询条件过长");
        return false;
    }
    QList<Token> tokens;
    if (!tokenize(conditionStr, &tokens, message))
        return false;
    Parser parser(tokens, conditionStr, fields);
    SqlCondition result;
    if (!parser.run(&result, message))
        return false;
    *out = result;
    return true;
}
