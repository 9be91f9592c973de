#ifndef XLSXCELLFORMAT_H
#define XLSXCELLFORMAT_H

#include <QRgb>
#include <QString>

#include <optional>

// The look of one worksheet cell: font, solid fill and alignment. Empty or
// unset members mean the workbook's defaults (Calibri 11, no fill, general
// horizontal and bottom vertical alignment, no wrap).
class XlsxCellFormat
{
public:
    QString fontName;
    double fontSize = 0; // 0: the default size
    bool bold = false;
    std::optional<QRgb> fontColor;
    std::optional<QRgb> fillColor;
    bool wrapText = false;
    QString horizontal; // Office Open XML names: "center", "left", ...
    QString vertical;   // "center", "top", ...

    bool isDefault() const;
    bool hasFont() const;
    bool hasAlignment() const;

    // Keys that identify equal fonts, fills and whole formats, used to
    // share entries of the workbook's style sheet.
    QString fontKey() const;
    QString fillKey() const;
    QString key() const;
};

#endif // XLSXCELLFORMAT_H
