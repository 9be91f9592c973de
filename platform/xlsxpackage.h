#ifndef XLSXPACKAGE_H
#define XLSXPACKAGE_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The parts of an Office Open XML package (a zip archive of named parts),
// in archive order, and the relationships between them.
class XlsxPackage
{
public:
    using Part = QPair<QString, QByteArray>;

    struct Relation {
        QString id;
        QString type;   // the full relationship type URI
        QString target; // the part name within the package; empty for an external target
    };

    QList<Part> parts;

    // The part of that name (names compare without regard to case), or null.
    const QByteArray *find(const QString &name) const;
    // The relationships of a part ("" for the package's own), in the order written.
    QList<Relation> relationships(const QString &source) const;
    // The name of the part holding the relationships of `source`.
    static QString relationshipsPart(const QString &source);

    // Reads an archive; false with a reason when it is missing or no zip archive.
    bool read(const QString &path, QString *error);
    // Writes the archive in one piece: the file is replaced only once it is complete.
    bool write(const QString &path, QString *error) const;
};

#endif // XLSXPACKAGE_H
