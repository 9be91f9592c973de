#ifndef XLSXUPDATE_H
#define XLSXUPDATE_H

#include <QString>

class XlsxPackage;
class XlsxWorkbook;

// Saves a workbook over the package it was read from. Whatever the workbook
// did not change goes out exactly as it came in: the sheets that were not
// written to (formulas, number formats, dates, merged cells, drawings...),
// the styles and texts they use, the theme, defined names and every other
// part. New sheets, and sheets written to, are written from the workbook;
// their styles and texts are appended to the file's own style sheet and
// text table, so the numbers the other sheets use keep their meaning. The
// workbook part gets the new sheet order and active sheet; only the active
// sheet's tab stays selected.
class XlsxUpdate
{
public:
    static bool write(const XlsxWorkbook &book, XlsxPackage *out, QString *error);
    // The name of the package's workbook part.
    static QString workbookPart(const XlsxPackage &package);
};

#endif // XLSXUPDATE_H
