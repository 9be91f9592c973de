#include "messagewindow.h"
#include "ui_messagewindow.h"

#include <QCursor>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableWidgetItem>

namespace {

const int kColumnCount = 11;

} // namespace

MessageWindow::MessageWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MessageWindow), order(QStringLiteral("desc"))
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("您正在使用《消息管理》页面！"));
    statusLabel = new QLabel(this);
    ui->statusbar->addWidget(statusLabel, 0);
    ui->tableWidget->setColumnCount(kColumnCount);
    ui->tableWidget->verticalHeader()->setDefaultSectionSize(45);
    ui->comboBox_pageNumber->setEditable(true);
    ui->comboBox_pageNumber->lineEdit()->setAlignment(Qt::AlignCenter);
    ui->comboBox_pageNumber->lineEdit()->setReadOnly(true);
    ui->tableWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(ui->tableWidget, &QWidget::customContextMenuRequested, this, &MessageWindow::slotContextMenu);
    // No load here: the window is built before the log-in (see the class comment).
}

MessageWindow::~MessageWindow()
{
    delete ui;
}

void MessageWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!loaded)
        findAll();
}

void MessageWindow::findAll()
{
    loaded = true;
    ui->tableWidget->clear();
    ui->tableWidget->setRowCount(0);
    qDeleteAll(messageList);
    messageList.clear();

    request.insert(QStringLiteral("curPage"), curPage);
    request.insert(QStringLiteral("pageSize"), pageSize);
    request.insert(QStringLiteral("conditionStr"), conditionStr);
    request.insert(QStringLiteral("order"), order);

    ui->tableWidget->setHorizontalHeaderLabels(
        {QStringLiteral("ID"), QStringLiteral("操作系统"), QStringLiteral("是否展示"), QStringLiteral("信息类型"),
         QStringLiteral("版本号/标记"), QStringLiteral("等级"), QStringLiteral("添加日期"), QStringLiteral("展示日期"),
         QStringLiteral("展示结束日期"), QStringLiteral("备注"), QStringLiteral("信息")});
    ui->tableWidget->horizontalHeader()->setStretchLastSection(true);
    for (int column : {8, 7, 6})
        ui->tableWidget->setColumnWidth(column, 150);
    ui->tableWidget->setAlternatingRowColors(true);

    const QJsonObject result = endpoint.findByCondition(request);
    if (!result.value(QStringLiteral("dList")).isArray())
        return;
    const QJsonArray rows = result.value(QStringLiteral("dList")).toArray();
    for (const QJsonValue &value : rows) {
        QJsonObject json = value.toObject();
        messageList.append(appendOneRow(json));
    }
    totalCount = result.value(QStringLiteral("totalCount")).toInt();
    setPageComboBoxItem();
}

DomainMessage *MessageWindow::appendOneRow(QJsonObject &json)
{
    QTableWidget *table = ui->tableWidget;
    // Rows are placed by their index; sorting would move them while their cells arrive.
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    const int row = table->rowCount();
    table->setRowCount(row + 1);

    auto *message = new DomainMessage(this);
    message->setId(json.value("id").toInt());
    message->setAppOS(json.value("appOS").toString());
    message->setShowSwitchStr(json.value("showSwitchStr").toString());
    message->setMold(json.value("mold").toString());
    message->setFlag(json.value("flag").toDouble());
    message->setGrade(json.value("grade").toInt());
    message->setAddDate(json.value("addDate").toString());
    message->setShowDate(json.value("showDate").toString());
    message->setShowEndDate(json.value("showEndDate").toString());
    message->setComment(json.value("comment").toString());
    message->setMessage(json.value("message").toString());

    const QStringList cells{QString::number(message->getId()),
                            message->getAppOS(),
                            message->getShowSwitchStr(),
                            message->getMold(),
                            QString::number(message->getFlag(), 'g', 6),
                            QString::number(message->getGrade()),
                            message->getAddDate(),
                            message->getShowDate(),
                            message->getShowEndDate(),
                            message->getComment(),
                            message->getMessage()};
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells.at(column));
        item->setTextAlignment(column == kColumnCount - 1 ? Qt::Alignment(Qt::AlignLeft) : Qt::Alignment(Qt::AlignCenter));
        table->setItem(row, column, item);
    }
    table->setSortingEnabled(sorting);
    return message;
}

void MessageWindow::setPageComboBoxItem()
{
    QComboBox *combo = ui->comboBox_pageNumber;
    combo->blockSignals(true);
    int pages = 0;
    if (totalCount > pageSize) {
        pages = (totalCount + pageSize - 1) / pageSize;
        combo->clear();
        for (int i = 1; i <= pages; ++i)
            combo->addItem(QStringLiteral("第%1页/共%2页").arg(i).arg(pages));
        combo->setCurrentIndex(curPage - 1);
        ui->label_pageMessage->setText(
            QStringLiteral("第%1页/共%2页 |  共%3个账户").arg(curPage).arg(pages).arg(totalCount));
        statusLabel->setText(QStringLiteral("当前信息总数量为 %1 条，总共 %2 页，每页显示 %3 条信息，当前所在位置：第 %4 页;    ")
                                 .arg(totalCount)
                                 .arg(pages)
                                 .arg(pageSize)
                                 .arg(curPage));
    } else {
        combo->clear();
        combo->addItem(QStringLiteral("第1页/共1页"));
        ui->label_pageMessage->setText(
            QStringLiteral("第1页/共1页 | 每页%1个账户 | 共%2个账户").arg(totalCount).arg(totalCount));
        statusLabel->setText(QStringLiteral("当前信息总数量为 %1 条，已全部显示在页面中；    ").arg(totalCount));
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

void MessageWindow::createMenu()
{
    menu = new QMenu(this);
    deleteAction = new QAction(QStringLiteral("删除此行"), this);
    updateAction = new QAction(QStringLiteral("修改此行"), this);
    menu->addAction(updateAction);
    menu->addAction(deleteAction);
    connect(menu, &QMenu::triggered, this, &MessageWindow::slotMenuClicked);
}

void MessageWindow::slotContextMenu(QPoint pos)
{
    if (ui->tableWidget->indexAt(pos).isValid())
        menu->exec(QCursor::pos());
}

DomainMessage *MessageWindow::currentRecord() const
{
    const int row = ui->tableWidget->currentRow();
    const QTableWidgetItem *idItem = row < 0 ? nullptr : ui->tableWidget->item(row, 0);
    const int id = idItem ? idItem->text().toInt() : 0;
    for (DomainMessage *message : messageList)
        if (message->getId() == id)
            return message;
    return nullptr;
}

void MessageWindow::slotMenuClicked(QAction *action)
{
    if (action == deleteAction) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"));
        QPushButton *confirm = box.addButton(QStringLiteral("确认"), QMessageBox::ActionRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() != confirm)
            return;
        if (DomainMessage *message = currentRecord())
            deleteMessage(*message);
    } else if (action == updateAction) {
        if (DomainMessage *message = currentRecord())
            updateMessage(*message);
    }
}

void MessageWindow::deleteMessage(DomainMessage &message)
{
    const QJsonObject record{{"id", message.getId()},
                             {"appOS", message.getAppOS()},
                             {"showSwitchStr", message.getShowSwitchStr()},
                             {"mold", message.getMold()},
                             {"flag", message.getFlag() > 0 ? message.getFlag() : 0},
                             {"grade", message.getGrade()},
                             {"addDate", message.getAddDate()},
                             {"showDate", message.getShowDate()},
                             {"showEndDate", message.getShowEndDate()},
                             {"comment", message.getComment()},
                             {"message", message.getMessage()}};
    if (!dataArray.isEmpty())
        dataArray.removeAt(0);
    dataArray.append(record);
    request.insert(QStringLiteral("dList"), dataArray);
    const QJsonObject result = endpoint.delete1(request);
    if (result.value(QStringLiteral("flag")).toInt() == 1) {
        findAll();
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("提示信息"), result.value(QStringLiteral("temporary")).toString());
    box.addButton(QStringLiteral("知道了"), QMessageBox::ActionRole);
    box.exec();
}

void MessageWindow::updateMessage(DomainMessage &message)
{
    Q_UNUSED(message)
}

void MessageWindow::on_addAction_triggered() {}

void MessageWindow::on_searchAction_triggered() {}

void MessageWindow::on_pushButtonl_previousPage_clicked()
{
    if (curPage > 1) {
        --curPage;
        findAll();
    }
}

void MessageWindow::on_pushButton_nextPage_clicked()
{
    if (totalCount > pageSize * curPage) {
        ++curPage;
        findAll();
    }
}

void MessageWindow::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    curPage = index + 1;
    findAll();
}

void MessageWindow::receiveConditionStr(QString &conditionStr)
{
    this->conditionStr = conditionStr;
    curPage = 1;
    findAll();
}
