#ifndef SQLQUOTE_H
#define SQLQUOTE_H

#include <QString>

// A value meant to stand between single quotes in a condition string: every
// single quote is doubled, so the value cannot end the quoted text early.
// The caller writes the surrounding quotes itself.
QString sqlQuoted(const QString &text);

#endif // SQLQUOTE_H
