#include "pageselector.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

void PageSelector::setup(QComboBox *combo)
{
    combo->setEditable(true);
    combo->lineEdit()->setAlignment(Qt::AlignCenter);
    combo->lineEdit()->setReadOnly(true);
}

void PageSelector::fill(QComboBox *combo, int pages, int curPage)
{
    const QSignalBlocker blocker(combo);
    const int count = pages < 1 ? 1 : pages;
    combo->clear();
    for (int i = 1; i <= count; ++i)
        combo->addItem(QStringLiteral("第%1页/共%2页").arg(i).arg(count));
    combo->setCurrentIndex(curPage >= 1 && curPage <= count ? curPage - 1 : -1);
}
