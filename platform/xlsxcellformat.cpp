#include "xlsxcellformat.h"

namespace {

QString colorKey(const std::optional<QRgb> &color)
{
    return color ? QString::number(*color & 0xFFFFFF, 16) : QStringLiteral("-");
}

} // namespace

bool XlsxCellFormat::isDefault() const
{
    return !hasFont() && !fillColor && !hasAlignment();
}

bool XlsxCellFormat::hasFont() const
{
    return !fontName.isEmpty() || fontSize > 0 || bold || fontColor.has_value();
}

bool XlsxCellFormat::hasAlignment() const
{
    return wrapText || !horizontal.isEmpty() || !vertical.isEmpty();
}

QString XlsxCellFormat::fontKey() const
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(fontName, QString::number(fontSize), bold ? QStringLiteral("b") : QString(),
             colorKey(fontColor));
}

QString XlsxCellFormat::fillKey() const
{
    return colorKey(fillColor);
}

QString XlsxCellFormat::key() const
{
    return QStringLiteral("%1/%2/%3|%4|%5")
        .arg(fontKey(), fillKey(), wrapText ? QStringLiteral("w") : QString(), horizontal, vertical);
}
