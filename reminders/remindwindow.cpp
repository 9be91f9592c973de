#include "remindwindow.h"
#include "ui_remindwindow.h"

#include <QDate>
#include <QDebug>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QTableWidgetItem>

#include "noticebox.h"
#include "remindaddupdatedialog.h"
#include "remindjson.h"
#include "remindsearchdialog.h"
#include "rowmenu.h"
#include "tablerows.h"

namespace {

const int kColumnCount = 14;
const int kRemindDateColumn = 7;
const int kOwnerColumn = 11;
const int kIdColumn = 13;

} // namespace

RemindWindow::RemindWindow(QWidget *parent) : TableWindow(parent, Property().getPageSize()), ui(new Ui::RemindWindow)
{
    ui->setupUi(this);
    init();
}

RemindWindow::~RemindWindow()
{
    delete ui;
}

void RemindWindow::init()
{
    statusLabel = PagingBar::addStatus(ui->statusbar, QStringLiteral("QLabel{color:black}"));
    loader.setPaging(PagingBar::ofForm(ui, {
        QStringLiteral("第{curPage}页/共{pages}页 |  共{total}个提醒"),
        QStringLiteral("当前总提醒事件数量为 {total} 个，总共 {pages} 页，每页显示 {pageSize} 个事件，当前所在位置：第 {curPage} 页;    "),
        QStringLiteral("第1页/共1页 | 每页{total}个提醒 | 共{total}个提醒"),
        QStringLiteral("当前总提醒事件数量为 {total} 个，已全部显示在页面中；    ")}, statusLabel));

    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(kColumnCount);
    table->setColumnHidden(kIdColumn, true);
    const ColumnSwitch::SetHidden columns = ColumnSwitch::columnsOf(table);
    remindMethodSwitch = ColumnSwitch(ui->remindMethodSwitchAction, &remindMethodHidden, {8, 9},
                                      {QStringLiteral(":/images/remind-on.png"), QStringLiteral("关闭提箱相关列")},
                                      {QStringLiteral(":/images/remind-off.png"), QStringLiteral("打开提醒相关列")},
                                      columns);
    addressSwitch = ColumnSwitch(ui->addressSwitchAction, &addressHidden, {4},
                                 {QStringLiteral(":/images/address-on.png"), QStringLiteral("关闭地址列")},
                                 {QStringLiteral(":/images/address-off.png"), QStringLiteral("打开地址列")}, columns);
    registerDateSwitch = ColumnSwitch(ui->registerDateSwitchAction, &registerDateHidden, {5},
                                      {QStringLiteral(":/images/date-on.png"), QStringLiteral("关闭添加日期列")},
                                      {QStringLiteral(":/images/date-off.png"), QStringLiteral("打开添加日期列")},
                                      columns);
    for (ColumnSwitch *s : {&remindMethodSwitch, &addressSwitch, &registerDateSwitch})
        s->apply();

    table->verticalHeader()->setDefaultSectionSize(45);

    table->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(table, &QWidget::customContextMenuRequested, this, &RemindWindow::slotContextMenu);
}

void RemindWindow::clearRows()
{
    initTableWidget();
}

void RemindWindow::initTableWidget()
{
    qDeleteAll(remindList);
    remindList.clear();
    headerLabels = {QStringLiteral("提醒开关"), QStringLiteral("提醒类型"), QStringLiteral("提醒主题"),
                    QStringLiteral("提醒内容"), QStringLiteral("访问的地址"), QStringLiteral("添加日期"),
                    QStringLiteral("更新日期"), QStringLiteral("提醒日期"), QStringLiteral("提醒方式"),
                    QStringLiteral("提醒主体"), QStringLiteral("前置天数"), QStringLiteral("用户名"),
                    QStringLiteral("备注"), QStringLiteral("ID")};
    TableRows::reset(ui->tableWidget, headerLabels,
                     {{0, 60}, {1, 60}, {2, 100}, {3, 300}, {5, 90}, {6, 90}, {7, 90}, {9, 140}, {10, 60}});
    ui->tableWidget->setColumnHidden(kOwnerColumn, grade <= 4);
}

DomainRemind *RemindWindow::appendOneRow(QJsonObject &json)
{
    auto *remind = new DomainRemind(this);
    RemindJson::fromJson(json, *remind);

    const QStringList cells{remind->getIsRemind(),
                            remind->getMold(),
                            remind->getTitle(),
                            remind->getContent(),
                            remind->getAddress(),
                            remind->getRegisterDate(),
                            remind->getUpdateDate(),
                            remind->getRemindDate(),
                            remind->getRemindMethod(),
                            remind->getRemindMethodBody(),
                            QString::number(remind->getRemindDateNumber()) + QStringLiteral(" 天"),
                            remind->getLoginName(),
                            remind->getComment(),
                            QString::number(remind->getId())};
    const QList<QTableWidgetItem *> items = TableRows::append(ui->tableWidget, cells, [](int column) {
        if (column == 3)
            return Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
        return column == kIdColumn ? Qt::Alignment() : Qt::Alignment(Qt::AlignCenter);
    });
    if (!remind->getRemindDate().isEmpty() && remind->getIsRemind().contains(QStringLiteral("开启"))) {
        QTableWidgetItem *item = items.at(kRemindDateColumn);
        const QDate today = QDate::currentDate();
        const QDate due = QDate::fromString(remind->getRemindDate(), QStringLiteral("yyyy-MM-dd"));
        const QDate start = due.addDays(-remind->getRemindDateNumber());
        if (today < start) {
            item->setForeground(QColor(0, 100, 0));
        } else if (today < due) {
            item->setForeground(QColor(255, 165, 0));
        } else if (today == due || !due.isValid()) {
            item->setForeground(QColor(255, 0, 0));
            item->setBackground(QColor(255, 228, 181));
        } else {
            item->setForeground(QColor(255, 0, 0));
        }
    }
    return remind;
}

QJsonObject RemindWindow::requestList(const QJsonObject &request)
{
    return endpoint.findByCondition(request);
}

QJsonObject RemindWindow::requestDue(const QJsonObject &request)
{
    return endpoint.findByRemindDay(request);
}

void RemindWindow::fillRows(const QJsonArray &rows)
{
    TableRows::fill(ui->tableWidget, rows, remindList, [this](QJsonObject &json) { return appendOneRow(json); });
}

void RemindWindow::afterLoad()
{
    if (!remindList.isEmpty())
        ui->tableWidget->resizeRowsToContents();
}

void RemindWindow::createMenu()
{
    menu = new QMenu(this);
    deleteAction = new QAction(QStringLiteral("删除此行"), this);
    updateAction = new QAction(QStringLiteral("修改此行"), this);
    menu->addAction(updateAction);
    menu->addAction(deleteAction);
    connect(menu, &QMenu::triggered, this, &RemindWindow::slotMenuClicked);
}

void RemindWindow::slotContextMenu(QPoint pos)
{
    RowMenu::open(menu, ui->tableWidget, pos, RowMenu::Show::Wait);
}

void RemindWindow::slotMenuClicked(QAction *action)
{
    if (action == deleteAction) {
        if (!NoticeBox::confirmDelete(QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel))
            return;
        if (DomainRemind *remind = RowMenu::current(ui->tableWidget, kIdColumn, remindList))
            deleteRemind(*remind);
    } else if (action == updateAction) {
        qDebug() << "更新item" << RowMenu::currentId(ui->tableWidget, kIdColumn);
        if (DomainRemind *remind = RowMenu::current(ui->tableWidget, kIdColumn, remindList))
            updateRemind(*remind);
    }
}

void RemindWindow::deleteRemind(DomainRemind &remind)
{
    loader.remove(
        RemindJson::toJson(remind), [this](const QJsonObject &request) { return endpoint.delete1(request); },
        [](const QString &reason) { NoticeBox::show(QMessageBox::Information, QStringLiteral("提示信息"), reason); });
}

void RemindWindow::updateRemind(DomainRemind &remind)
{
    if (!user)
        return;
    RemindAddUpdateDialog dialog;
    connect(this, &RemindWindow::sendUser, &dialog, &RemindAddUpdateDialog::receiveUser);
    emit sendUser(*user);
    connect(this, &RemindWindow::sendRemind, &dialog, &RemindAddUpdateDialog::receiveRemind);
    emit sendRemind(remind);
    if (dialog.exec() == QDialog::Accepted)
        loader.reload();
}

void RemindWindow::on_addAction_triggered()
{
    if (!user)
        return;
    RemindAddUpdateDialog dialog;
    connect(this, &RemindWindow::sendUser, &dialog, &RemindAddUpdateDialog::receiveUser);
    emit sendUser(*user);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The own enabled reminders, the new one among them, at every grade.
    loader.select(ownerCondition() + QStringLiteral("and isRemind = '开启'"));
}

void RemindWindow::on_findAction_triggered()
{
    runSearch<RemindSearchDialog>(this);
}

void RemindWindow::on_copyAction_triggered()
{
    loader.backup({QStringLiteral("备份"), QStringLiteral("总提醒数量大于当前显示的提醒数"),
                   QStringLiteral("如果备份所有的提醒:选择<全部导出>，只备份当前显示提醒:选择<导出当前>")});
}

void RemindWindow::toExcel()
{
    backUpShownRows(exportHeaders, exportKeys);
}

void RemindWindow::on_instructionsAction_triggered() {}

void RemindWindow::on_QuitAction_triggered()
{
    close();
}

void RemindWindow::on_addressSwitchAction_triggered()
{
    addressSwitch.toggle();
}

void RemindWindow::on_registerDateSwitchAction_triggered()
{
    registerDateSwitch.toggle();
}

void RemindWindow::on_remindMethodSwitchAction_triggered()
{
    remindMethodSwitch.toggle();
}

void RemindWindow::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    keepUser(user);
    loader.setCondition(grade < 5 ? ownerCondition().mid(1) : QString());
    setWindowTitle(QStringLiteral("提醒事件管理"));

    exportHeaders = {QStringLiteral("提醒开关"), QStringLiteral("提醒类型"), QStringLiteral("提醒主题"),
                     QStringLiteral("提醒内容"), QStringLiteral("访问的地址"), QStringLiteral("添加日期"),
                     QStringLiteral("更新日期"), QStringLiteral("提醒日期"), QStringLiteral("提醒方式"),
                     QStringLiteral("提醒主体"), QStringLiteral("前置天数"), QStringLiteral("备注")};
    exportKeys = {QStringLiteral("isRemind"),     QStringLiteral("mold"),
                  QStringLiteral("title"),        QStringLiteral("content"),
                  QStringLiteral("address"),      QStringLiteral("registerDate"),
                  QStringLiteral("updateDate"),   QStringLiteral("remindDate"),
                  QStringLiteral("remindMethod"), QStringLiteral("remindMethodBody"),
                  QStringLiteral("remindDateNumber"), QStringLiteral("comment")};
    if (grade > 4) {
        exportHeaders.append(QStringLiteral("用户名"));
        exportKeys.append(QStringLiteral("loginName"));
    }
}

void RemindWindow::receiveDomainUi(DomainUi &domainUi)
{
    const QString owner = grade < 5 ? ownerCondition() : QString();
    loader.select(domainUi.getConditionStr() + owner, domainUi.getPageSize(), domainUi.getCurPage());
}

void RemindWindow::receiveSignal()
{
    QString condition = QStringLiteral("and isRemind = '开启'");
    if (grade < 5)
        condition += ownerCondition();
    // Below grade 5 the user is asked about the reminders that are due.
    std::optional<TableLoader::Due> due;
    if (grade < 5)
        due = TableLoader::Due{condition, QStringLiteral("处理提醒提示"), QStringLiteral(" 个需要提醒的事件处理"),
                               QStringLiteral("查看提醒: 选择<查看>，不查看: 选择<不查看>"),
                               ownerCondition() + QStringLiteral(" and isRemind = '开启'")};
    loader.open(condition, due);
}
