#ifndef DOMAINUSER_H
#define DOMAINUSER_H

#include <QObject>
#include <QString>

// A user of the service.
// Numbers start at 0 and texts empty; windows fill it field by field.
class DomainUser : public QObject
{
    Q_OBJECT

public:
    explicit DomainUser(QObject *parent = nullptr);

    int getId() const;
    void setId(int id);
    QString getUsername() const;
    void setUsername(const QString &username);
    QString getPassword() const;
    void setPassword(const QString &password);
    QString getRealName() const;
    void setRealName(const QString &realName);
    QString getTelephone() const;
    void setTelephone(const QString &telephone);
    int getGrade() const;
    void setGrade(int grade);
    QString getEMail() const;
    void setEMail(const QString &eMail);
    QString getAdministrator() const;
    void setAdministrator(const QString &administrator);
    QString getRegisterDate() const;
    void setRegisterDate(const QString &registerDate);
    QString getUserImage() const;
    void setUserImage(const QString &userImage);
    QString getLoginDate() const;
    void setLoginDate(const QString &loginDate);
    QString getProhibit() const;
    void setProhibit(const QString &prohibit);
    QString getProhibitCause() const;
    void setProhibitCause(const QString &prohibitCause);
    QString getComment() const;
    void setComment(const QString &comment);

private:
    int id = 0;
    QString username;
    QString password;
    QString realName;
    QString telephone;
    int grade = 0;
    QString eMail;
    QString administrator;
    QString registerDate;
    QString userImage;
    QString loginDate;
    QString prohibit;
    QString prohibitCause;
    QString comment;
};

#endif // DOMAINUSER_H
