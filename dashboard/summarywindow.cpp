#include "summarywindow.h"
#include "ui_summarywindow.h"

#include <QAudioOutput>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QIcon>
#include <QJsonArray>
#include <QLabel>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

#include <functional>

#include "aboutdialog.h"
#include "pwdupdatedialog.h"
#include "dashboardcounts.h"
#include "dashboardpresets.h"
#include "userupdatedialog.h"

// One module of the summary: how to ask for its counts and where they go.
struct SummaryWindow::Module {
    std::function<QJsonObject(const QJsonObject &)> fetch;
    QString prefix;
    QString unit;
    QList<QLabel *> labels;       // by position
    QList<QPushButton *> buttons; // by position
};

SummaryWindow::SummaryWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::SummaryWindow)
{
    ui->setupUi(this);
    domainUi.setPageSize(0);
    domainUi.setCurPage(1);

    const auto link = [this](const QString &text, bool framed) {
        auto *label = new QLabel(this);
        label->setText(text);
        label->setOpenExternalLinks(true);
        if (framed)
            label->setFrameStyle(QFrame::NoFrame | QFrame::Sunken);
        ui->statusbar->addWidget(label, 0);
    };
    link(tr("<a style='color:white;' href=\"https://qingwu.example.com/\">------访问青梧主页------</a>"), true);
    link(tr("<a style='color:white;' href=\"https://qingwu.example.com/textloom/\">------TextLoom文字处理------</a>"),
         true);
    link(tr("<a style='color:DarkGreen;' href=\"%1/\">------打开网页版------</a>").arg(property.getHostURL()), false);
    ui->statusbar->setStyleSheet(QStringLiteral("QLabel{color:black}"));

    ui->musicAction->setIcon(QIcon(QStringLiteral(":/images/music_off.png")));
    ui->musicAction->setText(QStringLiteral("打开音乐"));
}

SummaryWindow::~SummaryWindow()
{
    delete ui;
    // The tune's pipeline goes before the application does.
    delete player;
    delete audioOutput;
}

void SummaryWindow::receiveUser(DomainUser &user)
{
    // Unique connections: a second log-in delivery must not double every later emission.
    const auto unique = Qt::ConnectionType(Qt::AutoConnection | Qt::UniqueConnection);
    connect(this, SIGNAL(sendUser(DomainUser&)), &accountWindow, SLOT(receiveUsername(DomainUser&)), unique);
    connect(this, SIGNAL(sendDomainUiAccount(DomainUi&)), &accountWindow, SLOT(receiveDomainUi(DomainUi&)), unique);
    emit sendUser(user);

    connect(this, SIGNAL(sendUSER(DomainUser&,int)), &remindWindow, SLOT(receiveUser(DomainUser&,int)), unique);
    connect(this, SIGNAL(sendDomainUi(DomainUi&)), &remindWindow, SLOT(receiveDomainUi(DomainUi&)), unique);
    connect(this, SIGNAL(sendSignal()), &remindWindow, SLOT(receiveSignal()), unique);

    connect(this, SIGNAL(sendUSER(DomainUser&,int)), &noteWindow, SLOT(receiveUser(DomainUser&,int)), unique);
    connect(this, SIGNAL(sendDomainUiNote(DomainUi&)), &noteWindow, SLOT(receiveDomainUi(DomainUi&)), unique);
    connect(this, SIGNAL(sendSignalNote()), &noteWindow, SLOT(receiveSignal()), unique);

    connect(this, SIGNAL(sendUSER(DomainUser&,int)), &workPlanWindow, SLOT(receiveUser(DomainUser&,int)), unique);
    connect(this, SIGNAL(sendDomainUiWorkPlan(DomainUi&)), &workPlanWindow, SLOT(receiveDomainUi(DomainUi&)), unique);
    connect(this, SIGNAL(sendSignalWorkPlan()), &workPlanWindow, SLOT(receiveSignal()), unique);

    emit sendUSER(user, 1);

    connect(this, SIGNAL(sendDomainUiUser(QString&)), &userManagerForm, SLOT(receiveConditionStr(QString&)), unique);
    connect(this, SIGNAL(sendDomainUiMessage(QString&)), &messageWindow, SLOT(receiveConditionStr(QString&)), unique);

    this->user = &user;

    const bool administrator = user.getGrade() >= 5;
    ui->userManagerAction->setVisible(administrator);
    ui->messageAction->setVisible(administrator);
    ui->groupBox_user->setVisible(administrator);
    ui->groupBox_message->setVisible(administrator);

    setWindowTitle(user.getUsername() + QStringLiteral("您好，欢迎使用岚舟管理系统！ 软件版本：V")
                   + QString::number(property.getVersionNumber(), 'f', 2));
    jsonSummary.insert(QStringLiteral("temporary"), user.getUsername());
    updateSummary();
}

void SummaryWindow::showWindown(QWidget &window)
{
    if (window.isMinimized() || window.isHidden() || !window.isActiveWindow()) {
        window.showNormal();
        window.activateWindow();
    } else {
        window.show();
    }
}

void SummaryWindow::updateSummary()
{
    const QList<Module> modules{
        {[this](const QJsonObject &r) { return remindEndpoint.findOfSummary(r); }, QString(), QStringLiteral(" 件"),
         {ui->label_remindTotal, ui->label_remindExpired, ui->label_remindToday, ui->label_remind7Day,
          ui->label_remind15Day, ui->label_remind30Day, ui->label_remind30OverDay},
         {ui->pushButton_remindTotal, ui->pushButton_remindExpired, ui->pushButton_remindToday,
          ui->pushButton_remind7Day, ui->pushButton_remind15Day, ui->pushButton_remind30Day,
          ui->pushButton_remind30OverDay}},
        {[this](const QJsonObject &r) { return noteEndpoint.findOfSummary(r); }, QStringLiteral(" "),
         QStringLiteral(" 条"),
         {ui->label_noteTotal, ui->label_noteGuide, ui->label_noteStudy, ui->label_noteWork, ui->label_noteReadbook,
          ui->label_noteSense, ui->label_notelift, ui->label_noteOther, ui->label_noteExpired, ui->label_noteToday,
          ui->label_note7Day, ui->label_note15Day, ui->label_note30Day, ui->label_note30OverDay,
          ui->label_noteImage, ui->label_noteVolume, ui->label_noteAttachedFile},
         {ui->pushButton_noteTotal, ui->pushButton_noteGuide, ui->pushButton_noteStudy, ui->pushButton_noteWork,
          ui->pushButton_noteReadbook, ui->pushButton_noteSense, ui->pushButton_notelift, ui->pushButton_noteOther,
          ui->pushButton_noteExpired, ui->pushButton_noteToday, ui->pushButton_note7Day, ui->pushButton_note15Day,
          ui->pushButton_note30Day, ui->pushButton_30OverDay, ui->pushButton_noteImage, ui->pushButton_noteVolume,
          ui->pushButton_noteAttachedFile}},
        {[this](const QJsonObject &r) { return workPlanEndpoint.findOfSummary(r); }, QStringLiteral(" "),
         QStringLiteral(" 项"),
         {ui->label_workPlanTotal, ui->label_yearPlan, ui->label_quarterPlan, ui->label_monthPlan,
          ui->label_weekPlan, ui->label_dayPlan, ui->label_otherPlan, ui->label_completePlan,
          ui->label_workPlanExpired, ui->label_workPlanToday, ui->label_workPlan7Day, ui->label_workPlan15Day,
          ui->label_workPlan30Day, ui->label_workPlan30OverDay, ui->label_workPlanImage},
         {ui->pushButton_workPlanTotal, ui->pushButton_yearPlan, ui->pushButton_quarterPlan,
          ui->pushButton_monthPlan, ui->pushButton_weekPlan, ui->pushButton_dayPlan, ui->pushButton_otherPlan,
          ui->pushButton_completePlan, ui->pushButton_workPlanExpired, ui->pushButton_workPlanToday,
          ui->pushButton_workPlan7Day, ui->pushButton_workPlan15Day, ui->pushButton_workPlan30Day,
          ui->pushButton_workPlan30OverDay, ui->pushButton_workPlanImage}},
        {[this](const QJsonObject &r) { return accountEndpoint.findOfSummary(r); }, QString(), QStringLiteral(" 个"),
         {ui->label_accountTotal, ui->label_account1Month, ui->label_account6Month, ui->label_account12Month,
          ui->label_account2Year, ui->label_account5Year, ui->label_account6Year},
         {ui->pushButton_accountTotal, ui->pushButton_account1Month, ui->pushButton_account6Month,
          ui->pushButton_account12Month, ui->pushButton_account2Year, ui->pushButton_account5Year,
          ui->pushButton_account6Year}},
        {[this](const QJsonObject &r) { return userEndpoint.findOfSummary(r); }, QString(), QStringLiteral(" 位"),
         {ui->label_userTotal, ui->label_userToday, ui->label_user7Day, ui->label_user1Month, ui->label_user6Month,
          ui->label_user1Year, ui->label_userLogin30},
         {ui->pushButton_userTotal, ui->pushButton_userToday, ui->pushButton_user7Day, ui->pushButton_user1Month,
          ui->pushButton_user6Month, ui->pushButton_user1Year, ui->pushButton_userLogin30}},
        {[this](const QJsonObject &r) { return messageEndpoint.findOfSummary(r); }, QString(), QStringLiteral(" 个"),
         {ui->label_messageTotal, ui->label_messageWindows, ui->label_messageAndroid, ui->label_messageWebMobile,
          ui->label_messageWebDesk, ui->label_messageRemind, ui->label_messageAbout},
         {ui->pushButton_messageTotal, ui->pushButton_messageWindows, ui->pushButton_messageAndroid,
          ui->pushButton_messageWebMobile, ui->pushButton_messageWebDesk, ui->pushButton_messageRemind,
          ui->pushButton_messageAbout}},
    };

    for (const Module &module : modules) {
        for (QPushButton *button : module.buttons)
            button->show();
    }
    for (const Module &module : modules)
        showModuleCounts(module, module.fetch(jsonSummary));
}

void SummaryWindow::showModuleCounts(const Module &module, const QJsonObject &result)
{
    if (result.value(QStringLiteral("flag")).toInt(0) != 1) {
        failureBox(result.value(QStringLiteral("temporary")).toString());
        return;
    }
    const QList<DashboardCounts::Position> positions = DashboardCounts::read(
        result.value(QStringLiteral("temporary")).toString(), int(module.labels.size()), module.prefix, module.unit);
    for (int i = 0; i < positions.size(); ++i) {
        module.labels.at(i)->setText(positions.at(i).text);
        if (positions.at(i).hideButton)
            module.buttons.at(i)->hide();
    }
}

void SummaryWindow::failureBox(const QString &text)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QStringLiteral("提示信息"));
    box.setText(text);
    box.addButton(tr("知道了"), QMessageBox::ActionRole);
    box.exec();
}

void SummaryWindow::closeEvent(QCloseEvent *event)
{
    QMainWindow::closeEvent(event);
}

// --- actions -------------------------------------------------------------------

void SummaryWindow::on_updatePswAction_triggered()
{
    if (!user)
        return;
    PwdUpdateDialog dialog;
    connect(this, SIGNAL(sendUSER(DomainUser&,int)), &dialog, SLOT(receiveUser(DomainUser&,int)));
    emit sendUSER(*user, 0);
    dialog.exec();
}

void SummaryWindow::on_userUpateAction_triggered()
{
    if (!user)
        return;
    UserUpdateDialog dialog;
    connect(this, SIGNAL(sendUSER(DomainUser&,int)), &dialog, SLOT(recevieUser(DomainUser&,int)));
    emit sendUSER(*user, 1);
    dialog.exec();
}

void SummaryWindow::on_actionaboutAction_triggered()
{
    AboutDialog dialog;
    dialog.exec();
}

void SummaryWindow::on_instructionsAction_triggered()
{
    jsonInstructions.insert(QStringLiteral("conditionStr"),
                            QStringLiteral("and appOS = 'windows' and mold = 'instructions' and showSwitchStr = '展示'"));
    jsonInstructions.insert(QStringLiteral("order"), QStringLiteral("DESC"));
    const QJsonObject result = messageEndpoint.findByCondition(jsonInstructions);
    const QJsonValue list = result.value(QStringLiteral("dList"));
    if (!list.isArray())
        return;
    QString text;
    for (const QJsonValue &message : list.toArray())
        text += message.toObject().value(QStringLiteral("message")).toString();
    if (text.isEmpty())
        return;
    QMessageBox box;
    box.setIcon(QMessageBox::Information);
    box.setWindowTitle(QStringLiteral("软件使用指南"));
    box.setText(text);
    box.addButton(tr("知道了"), QMessageBox::ActionRole);
    box.exec();
}

void SummaryWindow::on_QuitAction_triggered()
{
    QCoreApplication::quit();
}

void SummaryWindow::on_updateSummaryAction_triggered()
{
    updateSummary();
}

void SummaryWindow::on_musicAction_triggered()
{
    musicOff = !musicOff;
    if (musicOff) {
        if (player)
            player->pause();
        ui->musicAction->setIcon(QIcon(QStringLiteral(":/images/music_off.png")));
        ui->musicAction->setText(QStringLiteral("打开音乐"));
    } else {
        tunePlayer()->play();
        ui->musicAction->setIcon(QIcon(QStringLiteral(":/images/music_on.png")));
        ui->musicAction->setText(QStringLiteral("关闭音乐"));
    }
}

QMediaPlayer *SummaryWindow::tunePlayer()
{
    // The media stack (decoders, the sound system) starts when the tune is
    // first turned on, not with the window: the window is built before the
    // log-in, which a missing or hanging sound system must not hold up.
    if (!player) {
        player = new QMediaPlayer;
        audioOutput = new QAudioOutput;
        player->setAudioOutput(audioOutput);
        connect(player, SIGNAL(mediaStatusChanged(QMediaPlayer::MediaStatus)), this,
                SLOT(mediaStatusChanged(QMediaPlayer::MediaStatus)));
        player->setSource(QUrl(property.getHostURL() + QStringLiteral("/account/backgroundMusic.mp3")));
        audioOutput->setVolume(0.5);
    }
    return player;
}

void SummaryWindow::mediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    qDebug() << QStringLiteral("status: ")
                    + QString::fromLatin1(QMetaEnum::fromType<QMediaPlayer::MediaStatus>().valueToKey(status));
    if (status == QMediaPlayer::EndOfMedia) {
        ui->musicAction->setIcon(QIcon(QStringLiteral(":/images/music_off.png")));
        ui->musicAction->setText(QStringLiteral("打开音乐"));
        musicOff = true;
    }
}

// --- module windows ------------------------------------------------------------

void SummaryWindow::on_remindAction_triggered()
{
    showWindown(remindWindow);
    emit sendSignal();
}

void SummaryWindow::on_pushButton_remind_clicked()
{
    showWindown(remindWindow);
    emit sendSignal();
}

void SummaryWindow::on_noteAction_triggered()
{
    showWindown(noteWindow);
    emit sendSignalNote();
}

void SummaryWindow::on_pushButton_note_clicked()
{
    showWindown(noteWindow);
    emit sendSignalNote();
}

void SummaryWindow::on_workAction_triggered()
{
    showWindown(workPlanWindow);
    emit sendSignalWorkPlan();
}

void SummaryWindow::on_pushButton_workPlan_clicked()
{
    showWindown(workPlanWindow);
    emit sendSignalWorkPlan();
}

void SummaryWindow::on_accounAction_triggered()
{
    openPreset(QStringLiteral("accounAction"));
}

void SummaryWindow::on_pushButton_account_clicked()
{
    openPreset(QStringLiteral("pushButton_account"));
}

void SummaryWindow::on_userManagerAction_triggered()
{
    openPreset(QStringLiteral("userManagerAction"));
}

void SummaryWindow::on_pushButton_user_clicked()
{
    openPreset(QStringLiteral("pushButton_user"));
}

void SummaryWindow::on_messageAction_triggered()
{
    openPreset(QStringLiteral("messageAction"));
}

void SummaryWindow::on_pushButton_message_clicked()
{
    openPreset(QStringLiteral("pushButton_message"));
}

// --- presets ---------------------------------------------------------------------

void SummaryWindow::openPreset(const QString &objectName)
{
    const DashboardPresets::Preset preset = DashboardPresets::of(objectName, QDateTime::currentDateTime());
    conditionStr.clear();
    conditionStr.append(preset.condition);
    switch (preset.target) {
    case DashboardPresets::Remind:
        domainUi.setConditionStr(conditionStr);
        emit sendDomainUi(domainUi);
        showWindown(remindWindow);
        break;
    case DashboardPresets::Note:
        domainUi.setConditionStr(conditionStr);
        emit sendDomainUiNote(domainUi);
        showWindown(noteWindow);
        break;
    case DashboardPresets::WorkPlan:
        domainUi.setConditionStr(conditionStr);
        emit sendDomainUiWorkPlan(domainUi);
        showWindown(workPlanWindow);
        break;
    case DashboardPresets::Account:
        domainUi.setConditionStr(conditionStr);
        emit sendDomainUiAccount(domainUi);
        showWindown(accountWindow);
        break;
    case DashboardPresets::User:
        emit sendDomainUiUser(conditionStr);
        showWindown(userManagerForm);
        break;
    case DashboardPresets::Message:
        emit sendDomainUiMessage(conditionStr);
        showWindown(messageWindow);
        break;
    case DashboardPresets::None:
        break;
    }
}

#define PRESET_BUTTON(name)                                                                                          \
    void SummaryWindow::on_##name##_clicked()                                                                        \
    {                                                                                                                \
        openPreset(QStringLiteral(#name));                                                                           \
    }

PRESET_BUTTON(pushButton_accountTotal)
PRESET_BUTTON(pushButton_account1Month)
PRESET_BUTTON(pushButton_account6Month)
PRESET_BUTTON(pushButton_account12Month)
PRESET_BUTTON(pushButton_account2Year)
PRESET_BUTTON(pushButton_account5Year)
PRESET_BUTTON(pushButton_account6Year)
PRESET_BUTTON(pushButton_remindTotal)
PRESET_BUTTON(pushButton_remindExpired)
PRESET_BUTTON(pushButton_remindToday)
PRESET_BUTTON(pushButton_remind7Day)
PRESET_BUTTON(pushButton_remind15Day)
PRESET_BUTTON(pushButton_remind30Day)
PRESET_BUTTON(pushButton_remind30OverDay)
PRESET_BUTTON(pushButton_userTotal)
PRESET_BUTTON(pushButton_userToday)
PRESET_BUTTON(pushButton_user7Day)
PRESET_BUTTON(pushButton_user1Month)
PRESET_BUTTON(pushButton_user6Month)
PRESET_BUTTON(pushButton_user1Year)
PRESET_BUTTON(pushButton_userLogin30)
PRESET_BUTTON(pushButton_messageTotal)
PRESET_BUTTON(pushButton_messageWindows)
PRESET_BUTTON(pushButton_messageAndroid)
PRESET_BUTTON(pushButton_messageWebMobile)
PRESET_BUTTON(pushButton_messageWebDesk)
PRESET_BUTTON(pushButton_messageRemind)
PRESET_BUTTON(pushButton_messageAbout)
PRESET_BUTTON(pushButton_workPlanImage)
PRESET_BUTTON(pushButton_workPlanTotal)
PRESET_BUTTON(pushButton_yearPlan)
PRESET_BUTTON(pushButton_quarterPlan)
PRESET_BUTTON(pushButton_monthPlan)
PRESET_BUTTON(pushButton_weekPlan)
PRESET_BUTTON(pushButton_dayPlan)
PRESET_BUTTON(pushButton_otherPlan)
PRESET_BUTTON(pushButton_completePlan)
PRESET_BUTTON(pushButton_workPlanExpired)
PRESET_BUTTON(pushButton_workPlanToday)
PRESET_BUTTON(pushButton_workPlan7Day)
PRESET_BUTTON(pushButton_workPlan15Day)
PRESET_BUTTON(pushButton_workPlan30Day)
PRESET_BUTTON(pushButton_workPlan30OverDay)
PRESET_BUTTON(pushButton_noteImage)
PRESET_BUTTON(pushButton_noteTotal)
PRESET_BUTTON(pushButton_noteGuide)
PRESET_BUTTON(pushButton_noteStudy)
PRESET_BUTTON(pushButton_noteWork)
PRESET_BUTTON(pushButton_noteReadbook)
PRESET_BUTTON(pushButton_noteSense)
PRESET_BUTTON(pushButton_notelift)
PRESET_BUTTON(pushButton_noteOther)
PRESET_BUTTON(pushButton_noteVolume)
PRESET_BUTTON(pushButton_noteAttachedFile)
PRESET_BUTTON(pushButton_noteExpired)
PRESET_BUTTON(pushButton_noteToday)
PRESET_BUTTON(pushButton_note7Day)
PRESET_BUTTON(pushButton_note15Day)
PRESET_BUTTON(pushButton_note30Day)
PRESET_BUTTON(pushButton_30OverDay)
