#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QDebug>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidgetItem>

#include "accountaddupdatedialog.h"
#include "accountjson.h"
#include "conditionbuilder.h"
#include "excelhandler.h"
#include "loadguard.h"
#include "noticebox.h"
#include "rowmenu.h"
#include "searchdialog.h"
#include "sortingpause.h"

namespace {

// The column switches of the account book, one per switchable column; true
// while the column is hidden. They belong to the program, not to a window.
bool tag1 = true;
bool tag2 = true;
bool tag3 = true;
bool tag4 = true;
bool tag5 = true;

constexpr int kColumnCount = 13;
constexpr int kOwnerColumn = 10;
constexpr int kIdColumn = 12;

// JSON key of each shown column (0 to 11); column 12 holds the id.
const QStringList &columnKeys()
{
    static const QStringList keys{
        QStringLiteral("accountName"),  QStringLiteral("username"),     QStringLiteral("password"),
        QStringLiteral("userRealName"), QStringLiteral("eMail"),        QStringLiteral("telephone"),
        QStringLiteral("information1"), QStringLiteral("information2"), QStringLiteral("registerDate"),
        QStringLiteral("updateDate"),   QStringLiteral("loginName"),    QStringLiteral("comment")};
    return keys;
}

} // namespace

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    domainUi.setCurPage(1);
    domainUi.setPageSize(30);

    headerLabels << QStringLiteral("账户名称") << QStringLiteral("登录名") << QStringLiteral("密码")
                 << QStringLiteral("注册真实姓名") << QStringLiteral("邮箱") << QStringLiteral("电话")
                 << QStringLiteral("网址") << QStringLiteral("信息") << QStringLiteral("建立日期")
                 << QStringLiteral("修改日期") << QStringLiteral("用户名") << QStringLiteral("备注")
                 << QStringLiteral("ID");

    statusLabel = new QLabel(this);
    ui->statusbar->addWidget(statusLabel, 0);
    ui->statusbar->setStyleSheet(QStringLiteral("QLabel{color:black}"));

    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(kColumnCount);
    for (int column : {3, 4, 5, 7, 8, kIdColumn})
        table->setColumnHidden(column, true);
    table->verticalHeader()->setDefaultSectionSize(45);


    pagingBar = PagingBar::ofForm(ui, {
        QStringLiteral("第{curPage}页/共{pages}页 |  共{total}个账户"),
        QStringLiteral("当前总账户数量为 {total} 个，总共 {pages} 页，每页显示 {pageSize} 个账户，当前所在位置：第 {curPage} 页;    "),
        QStringLiteral("第1页/共1页 | 每页{total}个账户 | 共{total}个账户"),
        QStringLiteral("当前总账户数量为 {total} 个，已全部显示在页面中；    ")}, statusLabel);

    const ColumnSwitch::SetHidden columns = ColumnSwitch::columnsOf(table);
    realNameSwitch = ColumnSwitch(ui->realNameShowAction, &tag1, {3},
                                  {QStringLiteral(":/images/name-on.png"), QStringLiteral("关闭姓名列")},
                                  {QStringLiteral(":/images/name-off.png"), QStringLiteral("打开姓名列")}, columns);
    mailSwitch = ColumnSwitch(ui->mailAction, &tag2, {4},
                              {QStringLiteral(":/images/email-on.png"), QStringLiteral("关闭邮箱列")},
                              {QStringLiteral(":/images/email-off.png"), QStringLiteral("打开邮箱列")}, columns);
    telSwitch = ColumnSwitch(ui->telAction, &tag3, {5},
                             {QStringLiteral(":/images/phone-on.png"), QStringLiteral("关闭电话列")},
                             {QStringLiteral(":/images/phone-off.png"), QStringLiteral("打开电话列")}, columns);
    inforSwitch = ColumnSwitch(ui->inforAction, &tag4, {7},
                               {QStringLiteral(":/images/comment-on.png"), QStringLiteral("关闭信息列")},
                               {QStringLiteral(":/images/comment-off.png"), QStringLiteral("打开信息列")}, columns);
    dateSwitch = ColumnSwitch(ui->dateAction, &tag5, {8},
                              {QStringLiteral(":/images/date-on.png"), QStringLiteral("关闭添加日期列")},
                              {QStringLiteral(":/images/date-off.png"), QStringLiteral("打开添加日期列")}, columns);
    for (ColumnSwitch *s : {&realNameSwitch, &mailSwitch, &telSwitch, &inforSwitch, &dateSwitch})
        s->apply();

    table->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(table, SIGNAL(customContextMenuRequested(QPoint)), this, SLOT(slotContextMenu(QPoint)));
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::receiveUsername(DomainUser &user)
{
    this->user = &user;
    username = user.getUsername();
    grade = user.getGrade();
    conditionStr.clear();
    if (grade < 5)
        conditionStr = ConditionBuilder::equals(QStringLiteral("loginName"), username).mid(1);
    setWindowTitle(QStringLiteral("账号管理"));

    exportHeaders = {QStringLiteral("账户名称"), QStringLiteral("登录名"),   QStringLiteral("密码"),
                     QStringLiteral("注册真实姓名"), QStringLiteral("邮箱"), QStringLiteral("电话"),
                     QStringLiteral("网址"),     QStringLiteral("信息"),     QStringLiteral("建立日期"),
                     QStringLiteral("修改日期"), QStringLiteral("备注")};
    exportKeys = {QStringLiteral("accountName"),  QStringLiteral("username"),     QStringLiteral("password"),
                  QStringLiteral("userRealName"), QStringLiteral("eMail"),        QStringLiteral("telephone"),
                  QStringLiteral("information1"), QStringLiteral("information2"), QStringLiteral("registerDate"),
                  QStringLiteral("updateDate"),   QStringLiteral("comment")};
    if (grade > 4) {
        exportHeaders << QStringLiteral("用户名");
        exportKeys << QStringLiteral("loginName");
    }
}

void MainWindow::receiveDomainUi(DomainUi &query)
{
    // A query arriving while a load waits would change the state the pending
    // reply is shown with; it is dropped like any second load.
    if (busy)
        return;
    conditionStr = query.getConditionStr();
    if (query.getPageSize() > 0) {
        pageSize = query.getPageSize();
        domainUi.setPageSize(pageSize);
    }
    if (query.getCurPage() > 0)
        curPage = query.getCurPage();
    if (grade < 5)
        conditionStr += ConditionBuilder::equals(QStringLiteral("loginName"), username);
    findAll();
}

void MainWindow::findAll()
{
    if (!loadCurrentPage())
        return;
    // A page that came back empty behind the last one (its last row was
    // deleted) steps back to the last page that has rows.
    const int lastPage = PagingBar::pageCount(totalCount, pageSize);
    if (currentRows.isEmpty() && lastPage >= 1 && curPage > lastPage) {
        curPage = lastPage;
        findAll();
        return;
    }
    if (exportAll)
        toExcel();
}

bool MainWindow::loadCurrentPage()
{
    LoadGuard guard(busy);
    if (!guard.entered())
        return false;

    QTableWidget *table = ui->tableWidget;
    table->clear();
    table->setRowCount(0);
    qDeleteAll(accounts);
    accounts.clear();
    table->setColumnHidden(kOwnerColumn, grade <= 4);

    requestObject.insert(QStringLiteral("curPage"), curPage);
    requestObject.insert(QStringLiteral("pageSize"), pageSize);
    if (conditionStr.isEmpty())
        requestObject.remove(QStringLiteral("conditionStr"));
    else
        requestObject.insert(QStringLiteral("conditionStr"), conditionStr);
    requestObject.insert(QStringLiteral("order"), order);

    table->setHorizontalHeaderLabels(headerLabels);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setColumnWidth(0, 150);
    table->setColumnWidth(6, 150);
    table->setAlternatingRowColors(true);

    const QJsonObject reply = httpAccount.findByCondition(requestObject);
    if (!reply.value(QStringLiteral("dList")).isArray())
        return false;

    currentRows = reply.value(QStringLiteral("dList")).toArray();
    {
        const SortingPause pause(table);
        for (const QJsonValue &value : std::as_const(currentRows)) {
            QJsonObject object = value.toObject();
            accounts.append(appendOneRow(object));
        }
    }
    totalCount = reply.value(QStringLiteral("totalCount")).toInt(0);
    domainUi.setTotalCount(totalCount);
    setPageComboBoxItem();
    return true;
}

DomainAccount *MainWindow::appendOneRow(QJsonObject &object)
{
    QTableWidget *table = ui->tableWidget;
    const int row = table->rowCount();
    table->setRowCount(row + 1);

    const QStringList &keys = columnKeys();
    QList<QTableWidgetItem *> items;
    for (int column = 0; column < keys.size(); ++column) {
        auto *item = new QTableWidgetItem(object.value(keys.at(column)).toString());
        item->setTextAlignment(Qt::AlignCenter);
        items.append(item);
    }
    items.append(new QTableWidgetItem(QString::number(object.value(QStringLiteral("id")).toInt())));

    auto *account = new DomainAccount(this);
    AccountJson::fromJson(object, *account);

    for (int column = 0; column < items.size(); ++column)
        table->setItem(row, column, items.at(column));
    return account;
}

void MainWindow::setPageComboBoxItem()
{
    pagingBar.show(totalCount, curPage, pageSize);
}

void MainWindow::on_pushButtonl_previousPage_clicked()
{
    if (busy || curPage < 2)
        return;
    --curPage;
    findAll();
}

void MainWindow::on_pushButton_nextPage_clicked()
{
    if (busy || totalCount <= qint64(pageSize) * curPage)
        return;
    ++curPage;
    findAll();
}

void MainWindow::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    if (busy || index < 0)
        return;
    curPage = index + 1;
    findAll();
}

void MainWindow::on_realNameShowAction_triggered()
{
    realNameSwitch.toggle();
}

void MainWindow::on_mailAction_triggered(bool)
{
    mailSwitch.toggle();
}

void MainWindow::on_telAction_triggered()
{
    telSwitch.toggle();
}

void MainWindow::on_inforAction_triggered()
{
    inforSwitch.toggle();
}

void MainWindow::on_dateAction_triggered()
{
    dateSwitch.toggle();
}

void MainWindow::createMenu()
{
    rowMenu = new QMenu(this);
    changeAction = new QAction(QStringLiteral("修改此行"), this);
    deleteAction = new QAction(QStringLiteral("删除此行"), this);
    rowMenu->addAction(changeAction);
    rowMenu->addAction(deleteAction);
    connect(rowMenu, SIGNAL(triggered(QAction*)), this, SLOT(slotMenuClicked(QAction*)));
}

void MainWindow::slotContextMenu(QPoint pos)
{
    RowMenu::open(rowMenu, ui->tableWidget, pos);
}

void MainWindow::slotMenuClicked(QAction *action)
{
    if (busy)
        return;
    const int key = RowMenu::currentId(ui->tableWidget, kIdColumn);
    if (action == deleteAction) {
        qDebug() << "删除item" << key;
        const bool confirmed = NoticeBox::show(QMessageBox::NoIcon, QString(), QStringLiteral("删除提示"),
                                               QStringLiteral("确定要删除吗？删除后无法恢复"));
        if (!confirmed || accounts.isEmpty())
            return;
        if (DomainAccount *account = RowMenu::find(accounts, key))
            deleteAccount(*account);
    } else if (action == changeAction) {
        qDebug() << "更新item" << key;
        if (accounts.isEmpty())
            return;
        DomainAccount *account = RowMenu::find(accounts, key);
        if (!account)
            return;
        AccountAddUpdateDialog dialog;
        connect(this, SIGNAL(sendAccount(DomainAccount&)), &dialog, SLOT(receiveAccount(DomainAccount&)));
        emit sendAccount(*account);
        if (dialog.exec() == 1)
            findAll();
    }
}

void MainWindow::deleteAccount(DomainAccount &account)
{
    QJsonObject reply;
    {
        LoadGuard guard(busy);
        if (!guard.entered())
            return;
        // A delete request of its own: the list request keeps no "dList".
        QJsonObject request;
        request.insert(QStringLiteral("dList"), QJsonArray{AccountJson::toJson(account)});
        reply = httpAccount.delete1(request);
    }
    if (reply.value(QStringLiteral("flag")).toInt() == 1) {
        findAll();
        return;
    }
    NoticeBox::show(QMessageBox::NoIcon, QString(), QStringLiteral("提示信息"),
                    reply.value(QStringLiteral("temporary")).toVariant().toString());
}

void MainWindow::on_addAction_triggered()
{
    if (busy)
        return;
    AccountAddUpdateDialog dialog;
    connect(this, SIGNAL(sendUser(QString&)), &dialog, SLOT(receiveUser(QString&)));
    emit sendUser(username);
    if (dialog.exec() == 1)
        findAll();
}

void MainWindow::on_findAction_triggered()
{
    if (busy)
        return;
    SearchDialog dialog;
    connect(&dialog, &SearchDialog::sendDomainUi, this, &MainWindow::receiveDomainUi);
    connect(this, &MainWindow::sendGrade, &dialog, &SearchDialog::receiveGrade);
    connect(this, &MainWindow::sendDomainUi, &dialog, &SearchDialog::receiveDomainUi);
    emit sendGrade(grade);
    emit sendDomainUi(domainUi);
    dialog.exec();
}

void MainWindow::on_copyAction_triggered()
{
    if (busy)
        return;
    if (totalCount <= pageSize) {
        toExcel();
        return;
    }
    const int choice = NoticeBox::choose(
        QMessageBox::NoIcon, QString(), QStringLiteral("总账户数量大于当前显示的账户数"),
        QStringLiteral("如果备份所有的账户:选择<全部导出>，只备份当前显示账户:选择<导出当前>"),
        {QStringLiteral("全部导出"), QStringLiteral("导出当前"), QStringLiteral("取消操作")});
    if (choice == 0) {
        // Every row of the condition last sent: the condition stays as it is
        // (an empty one would ask for every account of every user).
        exportAll = true;
        pageSize = totalCount;
        curPage = 1;
        findAll();
    } else if (choice == 1) {
        toExcel();
    }
}

void MainWindow::toExcel()
{
    ExcelHandler handler;
    const QString text = handler.setJsonArray(currentRows, exportHeaders, exportKeys);
    if (!text.isEmpty())
        NoticeBox::show(QMessageBox::Information, QStringLiteral("备份提示"), text);
    exportAll = false;
}

void MainWindow::on_QuitAction_triggered()
{
    close();
}
