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
#include "noticebox.h"
#include "rowmenu.h"
#include "searchdialog.h"
#include "tablerows.h"

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

MainWindow::MainWindow(QWidget *parent) : TableWindow(parent, 30), ui(new Ui::MainWindow)
{
    ui->setupUi(this);

    headerLabels << QStringLiteral("账户名称") << QStringLiteral("登录名") << QStringLiteral("密码")
                 << QStringLiteral("注册真实姓名") << QStringLiteral("邮箱") << QStringLiteral("电话")
                 << QStringLiteral("网址") << QStringLiteral("信息") << QStringLiteral("建立日期")
                 << QStringLiteral("修改日期") << QStringLiteral("用户名") << QStringLiteral("备注")
                 << QStringLiteral("ID");

    QLabel *statusLabel = PagingBar::addStatus(ui->statusbar, QStringLiteral("QLabel{color:black}"));

    QTableWidget *table = ui->tableWidget;
    table->setColumnCount(kColumnCount);
    for (int column : {3, 4, 5, 7, 8, kIdColumn})
        table->setColumnHidden(column, true);
    table->verticalHeader()->setDefaultSectionSize(45);

    loader.setPaging(PagingBar::ofForm(ui, {
        QStringLiteral("第{curPage}页/共{pages}页 |  共{total}个账户"),
        QStringLiteral("当前总账户数量为 {total} 个，总共 {pages} 页，每页显示 {pageSize} 个账户，当前所在位置：第 {curPage} 页;    "),
        QStringLiteral("第1页/共1页 | 每页{total}个账户 | 共{total}个账户"),
        QStringLiteral("当前总账户数量为 {total} 个，已全部显示在页面中；    ")}, statusLabel));

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
    keepUser(user);
    username = user.getUsername();
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
    QString condition = query.getConditionStr();
    if (grade < 5)
        condition += ownerCondition();
    loader.select(condition, query.getPageSize(), query.getCurPage());
}

void MainWindow::clearRows()
{
    QTableWidget *table = ui->tableWidget;
    TableRows::reset(table, headerLabels, {{0, 150}, {6, 150}});
    qDeleteAll(accounts);
    accounts.clear();
    table->setColumnHidden(kOwnerColumn, grade <= 4);
}

QJsonObject MainWindow::requestList(const QJsonObject &request)
{
    return httpAccount.findByCondition(request);
}

void MainWindow::fillRows(const QJsonArray &rows)
{
    TableRows::fill(ui->tableWidget, rows, accounts, [this](QJsonObject &object) { return appendOneRow(object); });
}

DomainAccount *MainWindow::appendOneRow(QJsonObject &object)
{
    auto *account = new DomainAccount(this);
    AccountJson::fromJson(object, *account);

    QStringList cells;
    for (const QString &key : columnKeys())
        cells << object.value(key).toString();
    cells << QString::number(account->getId());
    TableRows::append(ui->tableWidget, cells, [](int column) {
        return column == kIdColumn ? Qt::Alignment() : Qt::Alignment(Qt::AlignCenter);
    });
    return account;
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
    const int key = RowMenu::currentId(ui->tableWidget, kIdColumn);
    if (action == deleteAction) {
        qDebug() << "删除item" << key;
        const bool confirmed = NoticeBox::show(QMessageBox::NoIcon, QString(), QStringLiteral("删除提示"),
                                               QStringLiteral("确定要删除吗？删除后无法恢复"));
        if (!confirmed)
            return;
        if (DomainAccount *account = RowMenu::find(accounts, key))
            deleteAccount(*account);
    } else if (action == changeAction) {
        qDebug() << "更新item" << key;
        DomainAccount *account = RowMenu::find(accounts, key);
        if (!account)
            return;
        AccountAddUpdateDialog dialog;
        connect(this, SIGNAL(sendAccount(DomainAccount&)), &dialog, SLOT(receiveAccount(DomainAccount&)));
        emit sendAccount(*account);
        if (dialog.exec() == 1)
            loader.reload();
    }
}

void MainWindow::deleteAccount(DomainAccount &account)
{
    loader.remove(AccountJson::toJson(account),
                  [this](const QJsonObject &request) { return httpAccount.delete1(request); },
                  [](const QString &reason) {
                      NoticeBox::show(QMessageBox::NoIcon, QString(), QStringLiteral("提示信息"), reason);
                  });
}

void MainWindow::on_addAction_triggered()
{
    AccountAddUpdateDialog dialog;
    connect(this, SIGNAL(sendUser(QString&)), &dialog, SLOT(receiveUser(QString&)));
    emit sendUser(username);
    if (dialog.exec() == 1)
        loader.reload();
}

void MainWindow::on_findAction_triggered()
{
    runSearch<SearchDialog>(this);
}

void MainWindow::on_copyAction_triggered()
{
    // "全部导出" takes every row of the condition last sent (for a user below
    // grade 5 that condition holds the owner condition).
    loader.backup({QString(), QStringLiteral("总账户数量大于当前显示的账户数"),
                   QStringLiteral("如果备份所有的账户:选择<全部导出>，只备份当前显示账户:选择<导出当前>")});
}

void MainWindow::toExcel()
{
    backUpShownRows(exportHeaders, exportKeys);
}

void MainWindow::on_QuitAction_triggered()
{
    close();
}
