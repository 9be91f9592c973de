#include "xlsxsheet.h"

XlsxSheet::XlsxSheet(const QString &name)
    : name(name)
{
}

XlsxSheet::Cell &XlsxSheet::cell(int row, int column)
{
    return cells[Position(row, column)];
}

const XlsxSheet::Cell *XlsxSheet::findCell(int row, int column) const
{
    const auto it = cells.find(Position(row, column));
    return it == cells.end() ? nullptr : &it->second;
}

QString XlsxSheet::columnName(int column)
{
    if (column < 1 || column > MaxColumns)
        return QString();
    QString name;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        name.prepend(QChar(u'A' + rest));
        column = (column - 1) / 26;
    }
    return name;
}

int XlsxSheet::columnNumber(QStringView letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int number = 0;
    for (const QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return 0;
        number = number * 26 + (u - u'A' + 1);
    }
    return number <= MaxColumns ? number : 0;
}

bool XlsxSheet::parseCellReference(QStringView reference, int *row, int *column)
{
    qsizetype i = 0;
    const qsizetype n = reference.size();
    if (i < n && reference[i] == u'$')
        ++i;
    const qsizetype lettersStart = i;
    while (i < n && reference[i].isLetter())
        ++i;
    const int col = columnNumber(reference.mid(lettersStart, i - lettersStart));
    if (i < n && reference[i] == u'$')
        ++i;
    const QStringView digits = reference.mid(i);
    if (col == 0 || digits.isEmpty())
        return false;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return false;
    }
    bool ok = false;
    const int r = digits.toInt(&ok);
    if (!ok || r < 1 || r > MaxRows)
        return false;
    *row = r;
    *column = col;
    return true;
}

QString XlsxSheet::cellReference(int row, int column)
{
    return columnName(column) + QString::number(row);
}
