#ifndef PROPERTY_H
#define PROPERTY_H

#include <QObject>
#include <QString>

// The configuration compiled into the client: server address, version, page size.
class Property : public QObject
{
    Q_OBJECT

public:
    explicit Property(QObject *parent = nullptr);

    QString getHostURL() const;
    void setHostURL(const QString &hostURL);
    double getVersionNumber() const;
    void setVersionNumber(double versionNumber);
    int getPageSize() const;
    void setPageSize(int pageSize);

private:
    QString hostURL;
    double versionNumber;
    int pageSize;
};

#endif // PROPERTY_H
