#include "storedchoice.h"

#include <QComboBox>
#include <QString>

void StoredChoice::select(QComboBox *combo, const QString &value)
{
    if (value.isEmpty())
        return;
    int index = combo->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        if (combo->count() >= combo->maxCount())
            combo->setMaxCount(combo->count() + 1);
        combo->addItem(value);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}
