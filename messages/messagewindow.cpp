#include "messagewindow.h"
#include "ui_messagewindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QShowEvent>
#include <QStatusBar>
#include <QTableWidgetItem>

#include "messageaddupdatedialog.h"
#include "messagejson.h"
#include "messagesearchdialog.h"
#include "noticebox.h"
#include "rowmenu.h"
#include "tablerows.h"

namespace {

const int kColumnCount = 11;
const int kIdColumn = 0;

} // namespace

MessageWindow::MessageWindow(QWidget *parent)
    : TableWindow(parent, 30, ListRequest::EmptyCondition::Send), ui(new Ui::MessageWindow)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("您正在使用《消息管理》页面！"));
    loader.setPaging(PagingBar::ofForm(ui, {
        QStringLiteral("第{curPage}页/共{pages}页 |  共{total}个账户"),
        QStringLiteral("当前信息总数量为 {total} 条，总共 {pages} 页，每页显示 {pageSize} 条信息，当前所在位置：第 {curPage} 页;    "),
        QStringLiteral("第1页/共1页 | 每页{total}个账户 | 共{total}个账户"),
        QStringLiteral("当前信息总数量为 {total} 条，已全部显示在页面中；    ")}, PagingBar::addStatus(ui->statusbar)));
    ui->tableWidget->setColumnCount(kColumnCount);
    ui->tableWidget->verticalHeader()->setDefaultSectionSize(45);
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
    if (!loader.requested()) // nothing asked of the server yet
        findAll();
}

void MessageWindow::clearRows()
{
    qDeleteAll(messageList);
    messageList.clear();
    TableRows::reset(ui->tableWidget,
                     {QStringLiteral("ID"), QStringLiteral("操作系统"), QStringLiteral("是否展示"),
                      QStringLiteral("信息类型"), QStringLiteral("版本号/标记"), QStringLiteral("等级"),
                      QStringLiteral("添加日期"), QStringLiteral("展示日期"), QStringLiteral("展示结束日期"),
                      QStringLiteral("备注"), QStringLiteral("信息")},
                     {{8, 150}, {7, 150}, {6, 150}});
}

// The condition goes along even when empty: the server then lists every message.
QJsonObject MessageWindow::requestList(const QJsonObject &request)
{
    return endpoint.findByCondition(request);
}

void MessageWindow::fillRows(const QJsonArray &rows)
{
    TableRows::fill(ui->tableWidget, rows, messageList, [this](QJsonObject &json) { return appendOneRow(json); });
}

DomainMessage *MessageWindow::appendOneRow(QJsonObject &json)
{
    auto *message = new DomainMessage(this);
    MessageJson::fromJson(json, *message);

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
    TableRows::append(ui->tableWidget, cells, [](int column) {
        return column == kColumnCount - 1 ? Qt::Alignment(Qt::AlignLeft) : Qt::Alignment(Qt::AlignCenter);
    });
    return message;
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
    RowMenu::open(menu, ui->tableWidget, pos, RowMenu::Show::Wait);
}

void MessageWindow::slotMenuClicked(QAction *action)
{
    if (action == deleteAction) {
        if (!NoticeBox::confirmDelete(QMessageBox::Warning))
            return;
        if (DomainMessage *message = RowMenu::current(ui->tableWidget, kIdColumn, messageList))
            deleteMessage(*message);
    } else if (action == updateAction) {
        if (DomainMessage *message = RowMenu::current(ui->tableWidget, kIdColumn, messageList))
            updateMessage(*message);
    }
}

void MessageWindow::deleteMessage(DomainMessage &message)
{
    QJsonObject record = MessageJson::toJson(message);
    if (message.getFlag() <= 0) // a flag below 0 goes as 0
        record.insert(QStringLiteral("flag"), 0);
    loader.remove(record, [this](const QJsonObject &request) { return endpoint.delete1(request); },
                  [](const QString &reason) { NoticeBox::warning(QStringLiteral("提示信息"), reason); });
}

void MessageWindow::updateMessage(DomainMessage &message)
{
    MessageAddUpdateDialog dialog;
    connect(this, &MessageWindow::sendMessage, &dialog, &MessageAddUpdateDialog::receiveMessage);
    emit sendMessage(message);
    if (dialog.exec() == QDialog::Accepted)
        loader.reload();
}

void MessageWindow::on_addAction_triggered()
{
    MessageAddUpdateDialog dialog;
    if (dialog.exec() == QDialog::Accepted)
        loader.reload();
}

// Every condition the dialog hands over reloads the first page behind it.
void MessageWindow::on_searchAction_triggered()
{
    MessageSearchDialog dialog;
    connect(&dialog, &MessageSearchDialog::sendConditionStr, this, &MessageWindow::receiveConditionStr);
    dialog.exec();
}

void MessageWindow::receiveConditionStr(QString &conditionStr)
{
    loader.select(conditionStr, 0, 1);
}
