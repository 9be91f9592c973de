#ifndef DWORKPLAN_H
#define DWORKPLAN_H

#include <QObject>
#include <QString>

// A work plan.
// Numbers start at 0 and texts empty; windows fill it field by field.
class DWorkPlan : public QObject
{
    Q_OBJECT

public:
    explicit DWorkPlan(QObject *parent = nullptr);

    int getId() const;
    void setId(int id);
    QString getMold() const;
    void setMold(const QString &mold);
    QString getIsShow() const;
    void setIsShow(const QString &isShow);
    QString getTag() const;
    void setTag(const QString &tag);
    int getSerialNumber() const;
    void setSerialNumber(int serialNumber);
    QString getTitle() const;
    void setTitle(const QString &title);
    QString getTarget() const;
    void setTarget(const QString &target);
    QString getGainProfit() const;
    void setGainProfit(const QString &gainProfit);
    QString getStartDate() const;
    void setStartDate(const QString &startDate);
    QString getEndDate() const;
    void setEndDate(const QString &endDate);
    QString getStrategy() const;
    void setStrategy(const QString &strategy);
    QString getMeasurableIndicator() const;
    void setMeasurableIndicator(const QString &measurableIndicator);
    QString getActionPlan() const;
    void setActionPlan(const QString &actionPlan);
    QString getNeedResources() const;
    void setNeedResources(const QString &needResources);
    QString getDifficulty() const;
    void setDifficulty(const QString &difficulty);
    double getCompletionStatus() const;
    void setCompletionStatus(double completionStatus);
    int getScore() const;
    void setScore(int score);
    QString getAuditor() const;
    void setAuditor(const QString &auditor);
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
    QString getComment() const;
    void setComment(const QString &comment);
    QString getLoginName() const;
    void setLoginName(const QString &loginName);

    // Orders plans by ascending serial number.
    static bool compareWorkPlan(const DWorkPlan *a, const DWorkPlan *b);

private:
    int id = 0;
    QString mold;
    QString isShow;
    QString tag;
    int serialNumber = 0;
    QString title;
    QString target;
    QString gainProfit;
    QString startDate;
    QString endDate;
    QString strategy;
    QString measurableIndicator;
    QString actionPlan;
    QString needResources;
    QString difficulty;
    double completionStatus = 0.0;
    int score = 0;
    QString auditor;
    QString registerDate;
    QString updateDate;
    QString isRemind;
    QString remindMethod;
    QString remindMethodBody;
    QString remindFrequency;
    QString remindDate;
    int remindDateNumber = 0;
    QString image;
    QString comment;
    QString loginName;
};

#endif // DWORKPLAN_H
