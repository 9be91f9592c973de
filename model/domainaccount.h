#ifndef DOMAINACCOUNT_H
#define DOMAINACCOUNT_H

#include <QObject>
#include <QString>

// A web account kept in the account book.
// Numbers start at 0 and texts empty; windows fill it field by field.
class DomainAccount : public QObject
{
    Q_OBJECT

public:
    explicit DomainAccount(QObject *parent = nullptr);

    int getId() const;
    void setId(int id);
    QString getAccountName() const;
    void setAccountName(const QString &accountName);
    QString getUsername() const;
    void setUsername(const QString &username);
    QString getPassword() const;
    void setPassword(const QString &password);
    QString getUserRealName() const;
    void setUserRealName(const QString &userRealName);
    QString getEMail() const;
    void setEMail(const QString &eMail);
    QString getTelephone() const;
    void setTelephone(const QString &telephone);
    QString getInformation1() const;
    void setInformation1(const QString &information1);
    QString getInformation2() const;
    void setInformation2(const QString &information2);
    QString getRegisterDate() const;
    void setRegisterDate(const QString &registerDate);
    QString getUpdateDate() const;
    void setUpdateDate(const QString &updateDate);
    QString getComment() const;
    void setComment(const QString &comment);
    QString getLoginName() const;
    void setLoginName(const QString &loginName);

private:
    int id = 0;
    QString accountName;
    QString username;
    QString password;
    QString userRealName;
    QString eMail;
    QString telephone;
    QString information1;
    QString information2;
    QString registerDate;
    QString updateDate;
    QString comment;
    QString loginName;
};

#endif // DOMAINACCOUNT_H
