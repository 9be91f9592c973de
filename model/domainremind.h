#ifndef DOMAINREMIND_H
#define DOMAINREMIND_H

#include <QObject>
#include <QString>

// A reminder.
// Numbers start at 0 and texts empty; windows fill it field by field.
class DomainRemind : public QObject
{
    Q_OBJECT

public:
    explicit DomainRemind(QObject *parent = nullptr);

    int getId() const;
    void setId(int id);
    QString getIsRemind() const;
    void setIsRemind(const QString &isRemind);
    QString getMold() const;
    void setMold(const QString &mold);
    QString getTitle() const;
    void setTitle(const QString &title);
    QString getContent() const;
    void setContent(const QString &content);
    QString getAddress() const;
    void setAddress(const QString &address);
    QString getRegisterDate() const;
    void setRegisterDate(const QString &registerDate);
    QString getUpdateDate() const;
    void setUpdateDate(const QString &updateDate);
    QString getRemindDate() const;
    void setRemindDate(const QString &remindDate);
    QString getRemindMethod() const;
    void setRemindMethod(const QString &remindMethod);
    QString getRemindMethodBody() const;
    void setRemindMethodBody(const QString &remindMethodBody);
    int getRemindDateNumber() const;
    void setRemindDateNumber(int remindDateNumber);
    QString getComment() const;
    void setComment(const QString &comment);
    QString getLoginName() const;
    void setLoginName(const QString &loginName);

private:
    int id = 0;
    QString isRemind;
    QString mold;
    QString title;
    QString content;
    QString address;
    QString registerDate;
    QString updateDate;
    QString remindDate;
    QString remindMethod;
    QString remindMethodBody;
    int remindDateNumber = 0;
    QString comment;
    QString loginName;
};

#endif // DOMAINREMIND_H
