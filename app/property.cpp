#include "property.h"

#ifndef CLIENT_HOST_URL
#error "CLIENT_HOST_URL must be defined by the build"
#endif

Property::Property(QObject *parent)
    : QObject(parent), hostURL(QStringLiteral(CLIENT_HOST_URL)), versionNumber(1.0), pageSize(30)
{
}

QString Property::getHostURL() const { return hostURL; }
void Property::setHostURL(const QString &hostURL) { this->hostURL = hostURL; }
double Property::getVersionNumber() const { return versionNumber; }
void Property::setVersionNumber(double versionNumber) { this->versionNumber = versionNumber; }
int Property::getPageSize() const { return pageSize; }
void Property::setPageSize(int pageSize) { this->pageSize = pageSize; }
