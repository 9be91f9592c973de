#include "attachmentname.h"

#include <QFileInfo>

QString AttachmentName::stored(const QString &fileName, qint64 msecsSinceEpoch)
{
    const QFileInfo info(fileName);
    QString name = info.completeBaseName() + QLatin1Char('_') + QString::number(msecsSinceEpoch);
    if (!info.suffix().isEmpty())
        name += QLatin1Char('.') + info.suffix();
    return name;
}

QString AttachmentName::display(const QString &storedName)
{
    const int underscore = storedName.lastIndexOf(QLatin1Char('_'));
    const int dot = storedName.lastIndexOf(QLatin1Char('.'));
    if (underscore < 0 || dot < underscore)
        return storedName;
    return storedName.left(underscore) + storedName.mid(dot);
}
