#ifndef DUEPROMPT_H
#define DUEPROMPT_H

#include <QString>

// The question a window asks on opening when the server reports entries whose
// reminder is due: "依据前置天数计算和过期计算, 当前有 " and the count in red,
// followed by the window's own words, answered by "查看" or "不查看".
class DuePrompt
{
public:
    // True when the user chose "查看".
    static bool ask(const QString &title, int count, const QString &countWords, const QString &informative);
};

#endif // DUEPROMPT_H
