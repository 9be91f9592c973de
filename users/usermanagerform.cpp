#include "usermanagerform.h"
#include "ui_usermanagerform.h"

#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QShowEvent>
#include <QTableWidgetItem>

#include "noticebox.h"
#include "rowmenu.h"
#include "tablerows.h"
#include "userfinddialog.h"
#include "userjson.h"
#include "userupdatedialog.h"

namespace {

const int kColumnCount = 14;
const int kIdColumn = 0;

} // namespace

UserManagerForm::UserManagerForm(QWidget *parent)
    : QWidget(parent), ui(new Ui::UserManagerForm), loader(this, this, 30, ListRequest::EmptyCondition::Send)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("您正在使用《用户管理》页面！"));
    loader.setPaging(PagingBar::ofForm(ui, {QStringLiteral("第{curPage}页/共{pages}页 |  共{total}个账户"), QString(),
                                          QStringLiteral("第1页/共1页 | 每页{total}个账户 | 共{total}个账户"), QString()}));
    ui->tableWidget->setColumnCount(kColumnCount);
    ui->tableWidget->verticalHeader()->setDefaultSectionSize(45);
    ui->tableWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    createMenu();
    connect(ui->tableWidget, &QWidget::customContextMenuRequested, this, &UserManagerForm::slotContextMenu);
    // No load here: the page is built before the log-in (see the class comment).
}

UserManagerForm::~UserManagerForm()
{
    delete ui;
}

void UserManagerForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!loader.requested()) // nothing asked of the server yet
        findAll();
}

void UserManagerForm::findAll()
{
    loader.findAll();
}

void UserManagerForm::clearRows()
{
    qDeleteAll(userList);
    userList.clear();
    TableRows::reset(ui->tableWidget,
                     {QStringLiteral("ID"), QStringLiteral("用户名"), QStringLiteral("密码"), QStringLiteral("真实姓名"),
                      QStringLiteral("电话"), QStringLiteral("等级"), QStringLiteral("邮箱"), QStringLiteral("上级"),
                      QStringLiteral("注册时间"), QStringLiteral("头像"), QStringLiteral("登录时间"),
                      QStringLiteral("禁止状态"), QStringLiteral("禁止原因"), QStringLiteral("备注")},
                     {{0, 75}, {8, 150}, {10, 150}});
}

// The condition goes along even when empty: the server then lists every user.
QJsonObject UserManagerForm::requestList(const QJsonObject &request)
{
    return endpoint.findByCondition(request);
}

void UserManagerForm::fillRows(const QJsonArray &rows)
{
    TableRows::fill(ui->tableWidget, rows, userList, [this](QJsonObject &json) { return appendOneRow(json); });
}

DomainUser *UserManagerForm::appendOneRow(QJsonObject &json)
{
    auto *user = new DomainUser(this);
    UserJson::fromJson(json, *user);

    const QStringList cells{QString::number(user->getId()), user->getUsername(),     user->getPassword(),
                            user->getRealName(),            user->getTelephone(),    QString::number(user->getGrade()),
                            user->getEMail(),               user->getAdministrator(), user->getRegisterDate(),
                            user->getUserImage(),           user->getLoginDate(),    user->getProhibit(),
                            user->getProhibitCause(),       user->getComment()};
    TableRows::append(ui->tableWidget, cells, [](int) { return Qt::Alignment(Qt::AlignCenter); });
    return user;
}

void UserManagerForm::setPageComboBoxItem()
{
    loader.showPaging();
}

void UserManagerForm::createMenu()
{
    menu = new QMenu(this);
    deleteAction = new QAction(QStringLiteral("删除此行"), this);
    updateAction = new QAction(QStringLiteral("修改此行"), this);
    findAction = new QAction(QStringLiteral("组合查找"), this);
    menu->addAction(updateAction);
    menu->addAction(deleteAction);
    menu->addAction(findAction);
    connect(menu, &QMenu::triggered, this, &UserManagerForm::slotMenuClicked);
}

// Over a row the menu offers its three entries; elsewhere (below the last row,
// or in a table that a search left empty) "组合查找" alone, so that a search
// that found nothing is never a dead end.
void UserManagerForm::slotContextMenu(QPoint pos)
{
    const bool onRow = RowMenu::onCell(ui->tableWidget, pos);
    updateAction->setVisible(onRow);
    deleteAction->setVisible(onRow);
    menu->exec(QCursor::pos());
}

void UserManagerForm::slotMenuClicked(QAction *action)
{
    if (action == deleteAction) {
        if (!NoticeBox::confirmDelete(QMessageBox::Warning))
            return;
        if (DomainUser *user = RowMenu::current(ui->tableWidget, kIdColumn, userList))
            deleteUser(*user);
    } else if (action == updateAction) {
        if (DomainUser *user = RowMenu::current(ui->tableWidget, kIdColumn, userList))
            updateUser(*user);
    } else if (action == findAction) {
        UserFindDialog dialog;
        connect(&dialog, &UserFindDialog::sendConditionStr, this, &UserManagerForm::receiveConditionStr);
        dialog.exec();
    }
}

void UserManagerForm::deleteUser(DomainUser &user)
{
    // The user without the log-in date and the ban.
    const QJsonObject record = UserJson::toJson(
        user, {QStringLiteral("id"), QStringLiteral("username"), QStringLiteral("password"), QStringLiteral("realName"),
               QStringLiteral("telephone"), QStringLiteral("grade"), QStringLiteral("eMail"),
               QStringLiteral("administrator"), QStringLiteral("registerDate"), QStringLiteral("userImage"),
               QStringLiteral("comment")});
    loader.remove(record, [this](const QJsonObject &request) { return endpoint.delete1(request); },
                  [](const QString &reason) { NoticeBox::warning(QStringLiteral("提示信息"), reason); });
}

void UserManagerForm::updateUser(DomainUser &user)
{
    UserUpdateDialog dialog;
    connect(this, SIGNAL(sendUser(DomainUser&,int)), &dialog, SLOT(recevieUser(DomainUser&,int)));
    emit sendUser(user, 2);
    if (dialog.exec() == QDialog::Accepted)
        loader.reload();
}

void UserManagerForm::on_pushButtonl_previousPage_clicked()
{
    loader.back();
}

void UserManagerForm::on_pushButton_nextPage_clicked()
{
    loader.next();
}

void UserManagerForm::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    loader.choose(index);
}

void UserManagerForm::receiveConditionStr(QString &conditionStr)
{
    loader.select(conditionStr, 0, 1);
}
