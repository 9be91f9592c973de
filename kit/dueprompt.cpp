#include "dueprompt.h"

#include <QStringList>

#include "noticebox.h"

bool DuePrompt::ask(const QString &title, int count, const QString &countWords, const QString &informative)
{
    const QString text = QStringLiteral("依据前置天数计算和过期计算, 当前有 ") + QStringLiteral("<span style='color:red'>")
                         + QString::number(count) + QStringLiteral("</span>") + countWords;
    return NoticeBox::choose(QMessageBox::NoIcon, title, text, informative,
                             {QStringLiteral("查看"), QStringLiteral("不查看")})
           == 0;
}
