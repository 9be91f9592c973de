#include "attachmentname.h"

#include <QFileInfo>
#include <QRegularExpression>

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
    if (underscore < 0)
        return storedName;
    const int dot = storedName.lastIndexOf(QLatin1Char('.'));
    if (dot > underscore)
        return storedName.left(underscore) + storedName.mid(dot);
    // A file without a suffix: "README_1700000000000" was "README".
    static const QRegularExpression stamp(QStringLiteral("^\\d{13,}$"));
    if (stamp.match(QStringView(storedName).mid(underscore + 1)).hasMatch())
        return storedName.left(underscore);
    return storedName;
}
