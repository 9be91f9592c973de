#ifndef DOMAINNOTE_H
#define DOMAINNOTE_H

#include <QObject>
#include <QString>

// A note.
// Numbers start at 0 and texts empty; windows fill it field by field.
class DomainNote : public QObject
{
    Q_OBJECT

public:
    explicit DomainNote(QObject *parent = nullptr);

    int getId() const;
    void setId(int id);
    QString getMold() const;
    void setMold(const QString &mold);
    QString getIsShow() const;
    void setIsShow(const QString &isShow);
    int getGrade() const;
    void setGrade(int grade);
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
    QString getIsRemind() const;
    void setIsRemind(const QString &isRemind);
    QString getRemindMethod() const;
    void setRemindMethod(const QString &remindMethod);
    QString getRemindMethodBody() const;
    void setRemindMethodBody(const QString &remindMethodBody);
    QString getRemindFrequency() const;
    void setRemindFrequency(const QString &remindFrequency);
    QString getRemindDate() const;
    void setRemindDate(const QString &remindDate);
    int getRemindDateNumber() const;
    void setRemindDateNumber(int remindDateNumber);
    QString getImage() const;
    void setImage(const QString &image);
    QString getVolume() const;
    void setVolume(const QString &volume);
    QString getAttachedFile() const;
    void setAttachedFile(const QString &attachedFile);
    QString getComment() const;
    void setComment(const QString &comment);
    QString getLoginName() const;
    void setLoginName(const QString &loginName);

private:
    int id = 0;
    QString mold;
    QString isShow;
    int grade = 0;
    QString title;
    QString content;
    QString address;
    QString registerDate;
    QString updateDate;
    QString isRemind;
    QString remindMethod;
    QString remindMethodBody;
    QString remindFrequency;
    QString remindDate;
    int remindDateNumber = 0;
    QString image;
    QString volume;
    QString attachedFile;
    QString comment;
    QString loginName;
};

#endif // DOMAINNOTE_H
