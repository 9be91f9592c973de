#include "xlsxpackage.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipfileinfo.h>
#include <quazipnewinfo.h>

namespace {

// Guards against archives that unpack into absurd sizes.
constexpr qint64 MaxUnpackedBytes = qint64(1) << 30;

QString directory(const QString &partName)
{
    const qsizetype slash = partName.lastIndexOf(u'/');
    return slash < 0 ? QString() : partName.left(slash);
}

} // namespace

const QByteArray *XlsxPackage::find(const QString &name) const
{
    for (const Part &part : parts) {
        if (part.first.compare(name, Qt::CaseInsensitive) == 0)
            return &part.second;
    }
    return nullptr;
}

QString XlsxPackage::relationshipsPart(const QString &source)
{
    const QString base = directory(source);
    return (base.isEmpty() ? QString() : base + u'/') + QStringLiteral("_rels/")
           + source.mid(source.lastIndexOf(u'/') + 1) + QStringLiteral(".rels");
}

QList<XlsxPackage::Relation> XlsxPackage::relationships(const QString &source) const
{
    QList<Relation> result;
    const QByteArray *rels = find(relationshipsPart(source));
    if (!rels)
        return result;
    const QString base = directory(source);
    QXmlStreamReader xml(*rels);
    while (xml.readNextStartElement()) {
        if (xml.name() != u"Relationships") {
            xml.skipCurrentElement();
            continue;
        }
        while (xml.readNextStartElement()) {
            if (xml.name() == u"Relationship") {
                const auto a = xml.attributes();
                Relation relation;
                relation.id = a.value(QStringLiteral("Id")).toString();
                relation.type = a.value(QStringLiteral("Type")).toString();
                if (a.value(QStringLiteral("TargetMode")) != u"External") {
                    const QString target = a.value(QStringLiteral("Target")).toString();
                    relation.target = target.startsWith(u'/')
                                          ? target.mid(1)
                                          : QDir::cleanPath(base.isEmpty() ? target : base + u'/' + target);
                }
                result.append(relation);
            }
            xml.skipCurrentElement();
        }
    }
    return result;
}

bool XlsxPackage::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QBuffer zipBytes;
    zipBytes.setData(file.readAll());
    file.close();

    QuaZip zip(&zipBytes);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdUnzip)) {
        *error = QStringLiteral("not a zip archive");
        return false;
    }
    parts.clear();
    qint64 unpacked = 0;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info)) {
            *error = QStringLiteral("unreadable archive entry");
            return false;
        }
        if (info.name.endsWith(u'/'))
            continue;
        unpacked += qint64(info.uncompressedSize);
        if (unpacked > MaxUnpackedBytes) {
            *error = QStringLiteral("archive too large");
            return false;
        }
        QuaZipFile entry(&zip);
        if (!entry.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("cannot read %1").arg(info.name);
            return false;
        }
        parts.append(Part(info.name, entry.readAll()));
        entry.close();
        if (entry.getZipError() != 0) {
            *error = QStringLiteral("damaged entry %1").arg(info.name);
            return false;
        }
    }
    zip.close();
    return true;
}

bool XlsxPackage::write(const QString &path, QString *error) const
{
    QBuffer zipBytes;
    {
        QuaZip zip(&zipBytes);
        zip.setUtf8Enabled(true);
        if (!zip.open(QuaZip::mdCreate)) {
            *error = QStringLiteral("cannot create the archive (%1)").arg(zip.getZipError());
            return false;
        }
        for (const Part &part : parts) {
            QuaZipFile entry(&zip);
            if (!entry.open(QIODevice::WriteOnly, QuaZipNewInfo(part.first))
                || entry.write(part.second) != part.second.size()) {
                *error = QStringLiteral("cannot write %1 into the archive").arg(part.first);
                return false;
            }
            entry.close();
            if (entry.getZipError() != 0) {
                *error = QStringLiteral("cannot write %1 into the archive").arg(part.first);
                return false;
            }
        }
        zip.close();
        if (zip.getZipError() != 0) {
            *error = QStringLiteral("cannot finish the archive (%1)").arg(zip.getZipError());
            return false;
        }
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    file.write(zipBytes.data());
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
