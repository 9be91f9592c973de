#include "remindwindow.h"
#include "ui_remindwindow.h"

#include <QCursor>
#include <QDate>
#include <QDebug>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidgetItem>

#include "sqlquote.h"

namespace {

const int kColumnCount = 14;
const int kRemindDateColumn = 7;
const int kOwnerColumn = 11;
const int kIdColumn = 13;

} // namespace

RemindWindow::RemindWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::RemindWindow), order(QStringLiteral("desc"))
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
    pageSize = property.getPageSize();
    domainUi.setCurPage(curPage);
    domainUi.setPageSize(pageSize);

    statusLabel = new QLabel(this);
    ui->statusbar->addWidget(statusLabel, 0);
    ui->statusbar->setStyleSheet(QStringLiteral("QLabel{color:black}"));

    ui->tableWidget->setColumnCount(kColumnCount);
    for (int column : {4, 5, 8, 9, 13})
        ui->tableWidget->setColumnHidden(column, true);

    ui->remindMethodSwitchAction->setIcon(QIcon(QStringLiteral(":/images/remind-off.png")));
    ui->remindMethodSwitchAction->setText(QStringLiteral("打开提醒相关列"));
    ui->addressSwitchAction->setIcon(QIcon(QStringLiteral(":/images/address-off.png")));
    ui->addressSwitchAction->setText(QStringLiteral("打开地址列"));
    ui->registerDateSwitchAction->setIcon(QIcon(QStringLiteral(":/images/date-off.png")));
    ui->registerDateSwitchAction->setText(QStringLiteral("打开添加日期列"));

    ui->tableWidget->verticalHeader()->setDefaultSectionSize(45);
    ui->comboBox_pageNumber->setEditable(true);
    ui->comboBox_pageNumber->lineEdit()->setAlignment(Qt::AlignCenter);
    ui->comboBox_pageNumber->lineEdit()->setReadOnly(true);

    ui->tableWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(ui->tableWidget, &QWidget::customContextMenuRequested, this, &RemindWindow::slotContextMenu);
}

QString RemindWindow::ownerCondition() const
{
    return QStringLiteral(" and loginName =") + QLatin1Char('\'') + sqlQuoted(user ? user->getUsername() : QString())
        + QLatin1Char('\'');
}

void RemindWindow::clearRows()
{
    qDeleteAll(remindList);
    remindList.clear();
}

void RemindWindow::initTableWidget()
{
    ui->tableWidget->clear();
    ui->tableWidget->setRowCount(0);
    clearRows();
    ui->tableWidget->setColumnHidden(kOwnerColumn, grade <= 4);

    request.insert(QStringLiteral("pageSize"), pageSize);
    request.insert(QStringLiteral("curPage"), curPage);
    if (!conditionStr.isEmpty())
        request.insert(QStringLiteral("conditionStr"), conditionStr);
    request.insert(QStringLiteral("order"), order);

    headerLabels = {QStringLiteral("提醒开关"), QStringLiteral("提醒类型"), QStringLiteral("提醒主题"),
                    QStringLiteral("提醒内容"), QStringLiteral("访问的地址"), QStringLiteral("添加日期"),
                    QStringLiteral("更新日期"), QStringLiteral("提醒日期"), QStringLiteral("提醒方式"),
                    QStringLiteral("提醒主体"), QStringLiteral("前置天数"), QStringLiteral("用户名"),
                    QStringLiteral("备注"), QStringLiteral("ID")};
    ui->tableWidget->setHorizontalHeaderLabels(headerLabels);
    ui->tableWidget->horizontalHeader()->setStretchLastSection(true);
    const QList<QPair<int, int>> widths{{0, 60}, {1, 60}, {2, 100}, {3, 300}, {5, 90}, {6, 90}, {7, 90}, {9, 140}, {10, 60}};
    for (const auto &width : widths)
        ui->tableWidget->setColumnWidth(width.first, width.second);
    ui->tableWidget->setAlternatingRowColors(true);
}

DomainRemind *RemindWindow::appendOneRow(QJsonObject &json)
{
    QTableWidget *table = ui->tableWidget;
    // Rows are placed by their index; sorting would move them while their cells arrive.
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    const int row = table->rowCount();
    table->setRowCount(row + 1);

    auto *remind = new DomainRemind(this);
    remind->setId(json.value("id").toInt());
    remind->setIsRemind(json.value("isRemind").toString());
    remind->setMold(json.value("mold").toString());
    remind->setTitle(json.value("title").toString());
    remind->setContent(json.value("content").toString());
    remind->setAddress(json.value("address").toString());
    remind->setRegisterDate(json.value("registerDate").toString());
    remind->setUpdateDate(json.value("updateDate").toString());
    remind->setRemindDate(json.value("remindDate").toString());
    remind->setRemindMethod(json.value("remindMethod").toString());
    remind->setRemindMethodBody(json.value("remindMethodBody").toString());
    remind->setRemindDateNumber(json.value("remindDateNumber").toInt());
    remind->setComment(json.value("comment").toString());
    remind->setLoginName(json.value("loginName").toString());

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
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells.at(column));
        if (column == 3)
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        else if (column != kIdColumn)
            item->setTextAlignment(Qt::AlignCenter);
        if (column == kRemindDateColumn && !remind->getRemindDate().isEmpty()
            && remind->getIsRemind().contains(QStringLiteral("开启"))) {
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
        table->setItem(row, column, item);
    }
    table->setSortingEnabled(sorting);
    return remind;
}

void RemindWindow::findAll()
{
    initTableWidget();
    const QJsonObject result = endpoint.findByCondition(request);
    if (!result.value(QStringLiteral("dList")).isArray()) {
        exportAll = false;
        return;
    }
    rowArray = result.value(QStringLiteral("dList")).toArray();
    for (const QJsonValue &value : std::as_const(rowArray)) {
        QJsonObject json = value.toObject();
        remindList.append(appendOneRow(json));
    }
    if (!remindList.isEmpty())
        ui->tableWidget->resizeRowsToContents();
    totalCount = result.value(QStringLiteral("totalCount")).toInt();
    domainUi.setTotalCount(totalCount);
    setPageComboBoxItem();
    if (exportAll)
        toExcel();
}

void RemindWindow::setPageComboBoxItem()
{
    QComboBox *combo = ui->comboBox_pageNumber;
    combo->blockSignals(true);
    int pages = 0;
    if (totalCount > pageSize && pageSize > 0) {
        pages = (totalCount + pageSize - 1) / pageSize;
        combo->clear();
        for (int i = 1; i <= pages; ++i)
            combo->addItem(QStringLiteral("第%1页/共%2页").arg(i).arg(pages));
        combo->setCurrentIndex(curPage - 1);
        ui->label_pageMessage->setText(
            QStringLiteral("第%1页/共%2页 |  共%3个提醒").arg(curPage).arg(pages).arg(totalCount));
        statusLabel->setText(
            QStringLiteral("当前总提醒事件数量为 %1 个，总共 %2 页，每页显示 %3 个事件，当前所在位置：第 %4 页;    ")
                .arg(totalCount)
                .arg(pages)
                .arg(pageSize)
                .arg(curPage));
    } else {
        combo->clear();
        combo->addItem(QStringLiteral("第1页/共1页"));
        ui->label_pageMessage->setText(
            QStringLiteral("第1页/共1页 | 每页%1个提醒 | 共%2个提醒").arg(totalCount).arg(totalCount));
        statusLabel->setText(QStringLiteral("当前总提醒事件数量为 %1 个，已全部显示在页面中；    ").arg(totalCount));
    }
    combo->blockSignals(false);

    ui->pushButtonl_previousPage->setEnabled(curPage >= 2);
    ui->pushButton_nextPage->setEnabled(totalCount > curPage * pageSize);

    const bool several = pages > 1;
    for (QWidget *widget : {static_cast<QWidget *>(ui->label_pageMessage),
                            static_cast<QWidget *>(ui->pushButtonl_previousPage),
                            static_cast<QWidget *>(ui->comboBox_pageNumber),
                            static_cast<QWidget *>(ui->pushButton_nextPage)})
        widget->setVisible(several);
    for (QSpacerItem *spacer : {ui->horizontalSpacer, ui->horizontalSpacer_2}) {
        if (several)
            spacer->changeSize(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
        else
            spacer->changeSize(0, 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    }
    ui->horizontalLayout->invalidate();
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
    if (ui->tableWidget->indexAt(pos).isValid())
        menu->exec(QCursor::pos());
}

void RemindWindow::slotMenuClicked(QAction *action)
{
    auto rowRecord = [this]() -> DomainRemind * {
        const int row = ui->tableWidget->currentRow();
        const QTableWidgetItem *idItem = row < 0 ? nullptr : ui->tableWidget->item(row, kIdColumn);
        const int id = idItem ? idItem->text().toInt() : 0;
        for (DomainRemind *remind : std::as_const(remindList))
            if (remind->getId() == id)
                return remind;
        return nullptr;
    };
    if (action == deleteAction) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("删除提示"),
                        QStringLiteral("确定要删除吗？删除后无法恢复"), QMessageBox::Ok | QMessageBox::Cancel);
        QPushButton *confirm = box.addButton(QStringLiteral("确认"), QMessageBox::ActionRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() != confirm)
            return;
        if (DomainRemind *remind = rowRecord())
            deleteRemind(*remind);
    } else if (action == updateAction) {
        const int row = ui->tableWidget->currentRow();
        const QTableWidgetItem *idItem = row < 0 ? nullptr : ui->tableWidget->item(row, kIdColumn);
        qDebug() << "更新item" << (idItem ? idItem->text() : QString());
        if (DomainRemind *remind = rowRecord())
            updateRemind(*remind);
    }
}

void RemindWindow::deleteRemind(DomainRemind &remind)
{
    Q_UNUSED(remind)
}

void RemindWindow::updateRemind(DomainRemind &remind)
{
    Q_UNUSED(remind)
}

void RemindWindow::on_addAction_triggered() {}

void RemindWindow::on_findAction_triggered() {}

void RemindWindow::on_copyAction_triggered() {}

void RemindWindow::toExcel()
{
    exportAll = false;
}

void RemindWindow::on_instructionsAction_triggered() {}

void RemindWindow::on_QuitAction_triggered()
{
    close();
}

void RemindWindow::on_pushButtonl_previousPage_clicked()
{
    if (curPage > 1) {
        --curPage;
        findAll();
    }
}

void RemindWindow::on_pushButton_nextPage_clicked()
{
    if (totalCount > pageSize * curPage) {
        ++curPage;
        findAll();
    }
}

void RemindWindow::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    curPage = index + 1;
    findAll();
}

void RemindWindow::switchColumns(bool &flag, QAction *action, const QList<int> &columns, const QString &offIcon,
                                 const QString &offText, const QString &onIcon, const QString &onText)
{
    flag = !flag;
    for (int column : columns)
        ui->tableWidget->setColumnHidden(column, flag);
    action->setIcon(QIcon(flag ? offIcon : onIcon));
    action->setText(flag ? offText : onText);
}

void RemindWindow::on_addressSwitchAction_triggered()
{
    switchColumns(addressHidden, ui->addressSwitchAction, {4}, QStringLiteral(":/images/address-off.png"),
                  QStringLiteral("打开地址列"), QStringLiteral(":/images/address-on.png"), QStringLiteral("关闭地址列"));
}

void RemindWindow::on_registerDateSwitchAction_triggered()
{
    switchColumns(registerDateHidden, ui->registerDateSwitchAction, {5}, QStringLiteral(":/images/date-off.png"),
                  QStringLiteral("打开添加日期列"), QStringLiteral(":/images/date-on.png"), QStringLiteral("关闭添加日期列"));
}

void RemindWindow::on_remindMethodSwitchAction_triggered()
{
    switchColumns(remindMethodHidden, ui->remindMethodSwitchAction, {8, 9}, QStringLiteral(":/images/remind-off.png"),
                  QStringLiteral("打开提醒相关列"), QStringLiteral(":/images/remind-on.png"),
                  QStringLiteral("关闭提箱相关列"));
}

void RemindWindow::receiveUser(DomainUser &user, int tag)
{
    Q_UNUSED(tag)
    this->user = &user;
    grade = user.getGrade();
    conditionStr.clear();
    if (grade < 5)
        conditionStr = QStringLiteral("and loginName =") + QLatin1Char('\'') + sqlQuoted(user.getUsername())
            + QLatin1Char('\'');
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
    dueView = false;
    conditionStr = domainUi.getConditionStr();
    if (domainUi.getPageSize() != 0) {
        pageSize = domainUi.getPageSize();
        this->domainUi.setPageSize(pageSize);
    }
    if (domainUi.getCurPage() > 0)
        curPage = domainUi.getCurPage();
    if (grade < 5)
        conditionStr += ownerCondition();
    findAll();
}

void RemindWindow::receiveSignal()
{
    dueView = false;
    conditionStr = QStringLiteral("and isRemind = '开启'");
    if (grade < 5)
        conditionStr += ownerCondition();
    findAll();
    if (grade >= 5)
        return;

    curPage = 1;
    pageSize = 0;
    request.insert(QStringLiteral("pageSize"), 0);
    request.insert(QStringLiteral("curPage"), 1);
    request.insert(QStringLiteral("conditionStr"), conditionStr);
    request.insert(QStringLiteral("order"), order);
    const QJsonObject result = endpoint.findByRemindDay(request);
    const QJsonArray due = result.value(QStringLiteral("dList")).toArray();
    if (result.value(QStringLiteral("dList")).isArray() && !due.isEmpty()) {
        QMessageBox box;
        box.setWindowTitle(QStringLiteral("处理提醒提示"));
        box.setText(QStringLiteral("依据前置天数计算和过期计算, 当前有 ") + QStringLiteral("<span style='color:red'>")
                    + QString::number(due.size()) + QStringLiteral("</span>")
                    + QStringLiteral(" 个需要提醒的事件处理"));
        box.setInformativeText(QStringLiteral("查看提醒: 选择<查看>，不查看: 选择<不查看>"));
        QPushButton *view = box.addButton(QStringLiteral("查看"), QMessageBox::ActionRole);
        box.addButton(QStringLiteral("不查看"), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() == view) {
            dueView = true;
            rowArray = due;
            initTableWidget();
            for (const QJsonValue &value : due) {
                QJsonObject json = value.toObject();
                remindList.append(appendOneRow(json));
            }
            ui->tableWidget->resizeRowsToContents();
            totalCount = result.value(QStringLiteral("totalCount")).toInt();
            domainUi.setTotalCount(totalCount);
            pageSize = totalCount;
            setPageComboBoxItem();
        } else {
            dueView = false;
        }
    }
    pageSize = property.getPageSize();
}
