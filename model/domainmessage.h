#ifndef DOMAINMESSAGE_H
#define DOMAINMESSAGE_H

#include <QObject>
#include <QString>

// A system message (announcement) shown by the client applications.
// Numbers start at 0 and texts empty; windows fill it field by field.
class DomainMessage : public QObject
{
    Q_OBJECT

public:
    explicit DomainMessage(QObject *parent = nullptr);

    int getId() const;
    void setId(int id);
    QString getAppOS() const;
    void setAppOS(const QString &appOS);
    QString getShowSwitchStr() const;
    void setShowSwitchStr(const QString &showSwitchStr);
    QString getMold() const;
    void setMold(const QString &mold);
    double getFlag() const;
    void setFlag(double flag);
    int getGrade() const;
    void setGrade(int grade);
    QString getAddDate() const;
    void setAddDate(const QString &addDate);
    QString getShowDate() const;
    void setShowDate(const QString &showDate);
    QString getShowEndDate() const;
    void setShowEndDate(const QString &showEndDate);
    QString getMessage() const;
    void setMessage(const QString &message);
    QString getComment() const;
    void setComment(const QString &comment);

private:
    int id = 0;
    QString appOS;
    QString showSwitchStr;
    QString mold;
    double flag = 0.0;
    int grade = 0;
    QString addDate;
    QString showDate;
    QString showEndDate;
    QString message;
    QString comment;
};

#endif // DOMAINMESSAGE_H
