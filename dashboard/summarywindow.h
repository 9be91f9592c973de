#ifndef SUMMARYWINDOW_H
#define SUMMARYWINDOW_H

#include <QJsonObject>
#include <QMainWindow>
#include <QMediaPlayer>
#include <QString>

#include "domainui.h"
#include "domainuser.h"
#include "httpaccount.h"
#include "httpmessage.h"
#include "httpnote.h"
#include "httpremind.h"
#include "httpuser.h"
#include "httpworkplan.h"
#include "mainwindow.h"
#include "messagewindow.h"
#include "notewindow.h"
#include "property.h"
#include "remindwindow.h"
#include "usermanagerform.h"
#include "workplanwindow.h"

class QAudioOutput;
class QCloseEvent;
class QLabel;
class QPushButton;

QT_BEGIN_NAMESPACE
namespace Ui {
class SummaryWindow;
}
QT_END_NAMESPACE

// The main window: summary counts of every module, the module windows it owns
// and opens (plain or preset to the query behind a count), the user's dialogs,
// the usage instructions and the background tune.
class SummaryWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit SummaryWindow(QWidget *parent = nullptr);
    ~SummaryWindow() override;

    // Brings a module window up: shown normal and activated unless it is
    // already visible, not minimised and active.
    void showWindown(QWidget &window);
    // Fetches the counts of the six modules and shows them.
    void updateSummary();

signals:
    void sendUser(DomainUser &user);
    void sendUSER(DomainUser &user, int tag);
    void sendDomainUi(DomainUi &domainUi);
    void sendDomainUiAccount(DomainUi &domainUi);
    void sendDomainUiNote(DomainUi &domainUi);
    void sendDomainUiWorkPlan(DomainUi &domainUi);
    void sendDomainUiUser(QString &conditionStr);
    void sendDomainUiMessage(QString &conditionStr);
    void sendSignal();
    void sendSignalNote();
    void sendSignalWorkPlan();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_updatePswAction_triggered();
    void on_userManagerAction_triggered();
    void on_actionaboutAction_triggered();
    void on_instructionsAction_triggered();
    void on_userUpateAction_triggered();
    void on_messageAction_triggered();
    void on_QuitAction_triggered();
    void on_remindAction_triggered();
    void on_noteAction_triggered();
    void on_accounAction_triggered();
    void on_workAction_triggered();
    void on_updateSummaryAction_triggered();
    void on_musicAction_triggered();
    void on_pushButton_account_clicked();
    void on_pushButton_remind_clicked();
    void on_pushButton_user_clicked();
    void on_pushButton_message_clicked();
    void on_pushButton_workPlan_clicked();
    void on_pushButton_note_clicked();
    void on_pushButton_accountTotal_clicked();
    void on_pushButton_account1Month_clicked();
    void on_pushButton_account6Month_clicked();
    void on_pushButton_account12Month_clicked();
    void on_pushButton_account2Year_clicked();
    void on_pushButton_account5Year_clicked();
    void on_pushButton_account6Year_clicked();
    void on_pushButton_remindTotal_clicked();
    void on_pushButton_remindExpired_clicked();
    void on_pushButton_remindToday_clicked();
    void on_pushButton_remind7Day_clicked();
    void on_pushButton_remind15Day_clicked();
    void on_pushButton_remind30Day_clicked();
    void on_pushButton_remind30OverDay_clicked();
    void on_pushButton_userTotal_clicked();
    void on_pushButton_userToday_clicked();
    void on_pushButton_user7Day_clicked();
    void on_pushButton_user1Month_clicked();
    void on_pushButton_user6Month_clicked();
    void on_pushButton_user1Year_clicked();
    void on_pushButton_userLogin30_clicked();
    void on_pushButton_messageTotal_clicked();
    void on_pushButton_messageWindows_clicked();
    void on_pushButton_messageAndroid_clicked();
    void on_pushButton_messageWebMobile_clicked();
    void on_pushButton_messageWebDesk_clicked();
    void on_pushButton_messageRemind_clicked();
    void on_pushButton_messageAbout_clicked();
    void on_pushButton_workPlanImage_clicked();
    void on_pushButton_workPlanTotal_clicked();
    void on_pushButton_yearPlan_clicked();
    void on_pushButton_quarterPlan_clicked();
    void on_pushButton_monthPlan_clicked();
    void on_pushButton_weekPlan_clicked();
    void on_pushButton_dayPlan_clicked();
    void on_pushButton_otherPlan_clicked();
    void on_pushButton_completePlan_clicked();
    void on_pushButton_workPlanExpired_clicked();
    void on_pushButton_workPlanToday_clicked();
    void on_pushButton_workPlan7Day_clicked();
    void on_pushButton_workPlan15Day_clicked();
    void on_pushButton_workPlan30Day_clicked();
    void on_pushButton_workPlan30OverDay_clicked();
    void on_pushButton_noteImage_clicked();
    void on_pushButton_noteTotal_clicked();
    void on_pushButton_noteGuide_clicked();
    void on_pushButton_noteStudy_clicked();
    void on_pushButton_noteWork_clicked();
    void on_pushButton_noteReadbook_clicked();
    void on_pushButton_noteSense_clicked();
    void on_pushButton_notelift_clicked();
    void on_pushButton_noteOther_clicked();
    void on_pushButton_noteVolume_clicked();
    void on_pushButton_noteAttachedFile_clicked();
    void on_pushButton_noteExpired_clicked();
    void on_pushButton_noteToday_clicked();
    void on_pushButton_note7Day_clicked();
    void on_pushButton_note15Day_clicked();
    void on_pushButton_note30Day_clicked();
    void on_pushButton_30OverDay_clicked();

public slots:
    void receiveUser(DomainUser &user);
    void mediaStatusChanged(QMediaPlayer::MediaStatus status);

private:
    struct Module;
    // Hands the window behind a button or action its preset condition, then shows it.
    void openPreset(const QString &objectName);
    void showModuleCounts(const Module &module, const QJsonObject &result);
    void failureBox(const QString &text);
    // The tune's player, made with its audio output when the tune is first turned on.
    QMediaPlayer *tunePlayer();

    Ui::SummaryWindow *ui;
    MainWindow accountWindow;
    RemindWindow remindWindow;
    NoteWindow noteWindow;
    MessageWindow messageWindow;
    UserManagerForm userManagerForm;
    WorkPlanWindow workPlanWindow;
    bool musicOff = true;
    QMediaPlayer *player = nullptr;
    QAudioOutput *audioOutput = nullptr;
    DomainUser *user = nullptr;
    Property property;
    QJsonObject jsonInstructions;
    HttpMessage messageEndpoint;
    HttpRemind remindEndpoint;
    HttpNote noteEndpoint;
    HttpAccount accountEndpoint;
    HttpUser userEndpoint;
    QJsonObject jsonSummary;
    DomainUi domainUi;
    QString conditionStr;
    HttpWorkPlan workPlanEndpoint;
};

#endif // SUMMARYWINDOW_H
