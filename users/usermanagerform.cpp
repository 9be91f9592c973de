#include "usermanagerform.h"
#include "ui_usermanagerform.h"

#include <QCursor>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidgetItem>

#include "userupdatedialog.h"

namespace {

const int kColumnCount = 14;

} // namespace

UserManagerForm::UserManagerForm(QWidget *parent)
    : QWidget(parent), ui(new Ui::UserManagerForm), order(QStringLiteral("desc"))
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("您正在使用《用户管理》页面！"));
    ui->tableWidget->setColumnCount(kColumnCount);
    ui->tableWidget->verticalHeader()->setDefaultSectionSize(45);
    ui->comboBox_pageNumber->setEditable(true);
    ui->comboBox_pageNumber->lineEdit()->setAlignment(Qt::AlignCenter);
    ui->comboBox_pageNumber->lineEdit()->setReadOnly(true);
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
    if (!loaded)
        findAll();
}

void UserManagerForm::findAll()
{
    loaded = true;
    ui->tableWidget->clear();
    ui->tableWidget->setRowCount(0);
    qDeleteAll(userList);
    userList.clear();

    request.insert(QStringLiteral("curPage"), curPage);
    request.insert(QStringLiteral("pageSize"), pageSize);
    request.insert(QStringLiteral("conditionStr"), conditionStr);
    request.insert(QStringLiteral("order"), order);

    ui->tableWidget->setHorizontalHeaderLabels(
        {QStringLiteral("ID"), QStringLiteral("用户名"), QStringLiteral("密码"), QStringLiteral("真实姓名"),
         QStringLiteral("电话"), QStringLiteral("等级"), QStringLiteral("邮箱"), QStringLiteral("上级"),
         QStringLiteral("注册时间"), QStringLiteral("头像"), QStringLiteral("登录时间"), QStringLiteral("禁止状态"),
         QStringLiteral("禁止原因"), QStringLiteral("备注")});
    ui->tableWidget->horizontalHeader()->setStretchLastSection(true);
    ui->tableWidget->setColumnWidth(0, 75);
    ui->tableWidget->setColumnWidth(8, 150);
    ui->tableWidget->setColumnWidth(10, 150);
    ui->tableWidget->setAlternatingRowColors(true);

    const QJsonObject result = endpoint.findByCondition(request);
    if (!result.value(QStringLiteral("dList")).isArray())
        return;
    const QJsonArray rows = result.value(QStringLiteral("dList")).toArray();
    for (const QJsonValue &value : rows) {
        QJsonObject json = value.toObject();
        userList.append(appendOneRow(json));
    }
    totalCount = result.value(QStringLiteral("totalCount")).toInt();
    setPageComboBoxItem();
}

DomainUser *UserManagerForm::appendOneRow(QJsonObject &json)
{
    QTableWidget *table = ui->tableWidget;
    // Rows are placed by their index; sorting would move them while their cells arrive.
    const bool sorting = table->isSortingEnabled();
    table->setSortingEnabled(false);
    const int row = table->rowCount();
    table->setRowCount(row + 1);

    auto *user = new DomainUser(this);
    user->setId(json.value("id").toInt());
    user->setUsername(json.value("username").toString());
    user->setPassword(json.value("password").toString());
    user->setRealName(json.value("realName").toString());
    user->setTelephone(json.value("telephone").toString());
    user->setGrade(json.value("grade").toInt());
    user->setEMail(json.value("eMail").toString());
    user->setAdministrator(json.value("administrator").toString());
    user->setRegisterDate(json.value("registerDate").toString());
    user->setUserImage(json.value("userImage").toString());
    user->setLoginDate(json.value("loginDate").toString());
    user->setProhibit(json.value("prohibit").toString());
    user->setProhibitCause(json.value("prohibitCause").toString());
    user->setComment(json.value("comment").toString());

    const QStringList cells{QString::number(user->getId()), user->getUsername(),     user->getPassword(),
                            user->getRealName(),            user->getTelephone(),    QString::number(user->getGrade()),
                            user->getEMail(),               user->getAdministrator(), user->getRegisterDate(),
                            user->getUserImage(),           user->getLoginDate(),    user->getProhibit(),
                            user->getProhibitCause(),       user->getComment()};
    for (int column = 0; column < cells.size(); ++column) {
        auto *item = new QTableWidgetItem(cells.at(column));
        item->setTextAlignment(Qt::AlignCenter);
        table->setItem(row, column, item);
    }
    table->setSortingEnabled(sorting);
    return user;
}

void UserManagerForm::setPageComboBoxItem()
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
    } else {
        combo->clear();
        combo->addItem(QStringLiteral("第1页/共1页"));
        ui->label_pageMessage->setText(
            QStringLiteral("第1页/共1页 | 每页%1个账户 | 共%2个账户").arg(totalCount).arg(totalCount));
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

void UserManagerForm::slotContextMenu(QPoint pos)
{
    if (ui->tableWidget->indexAt(pos).isValid())
        menu->exec(QCursor::pos());
}

DomainUser *UserManagerForm::currentRecord() const
{
    const int row = ui->tableWidget->currentRow();
    const QTableWidgetItem *idItem = row < 0 ? nullptr : ui->tableWidget->item(row, 0);
    const int id = idItem ? idItem->text().toInt() : 0;
    for (DomainUser *user : userList)
        if (user->getId() == id)
            return user;
    return nullptr;
}

void UserManagerForm::slotMenuClicked(QAction *action)
{
    if (action == deleteAction) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("删除提示"), QStringLiteral("确定要删除吗？删除后无法恢复"));
        QPushButton *confirm = box.addButton(QStringLiteral("确认"), QMessageBox::ActionRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::ActionRole);
        box.exec();
        if (box.clickedButton() != confirm)
            return;
        if (DomainUser *user = currentRecord())
            deleteUser(*user);
    } else if (action == updateAction) {
        if (DomainUser *user = currentRecord())
            updateUser(*user);
    }
}

void UserManagerForm::deleteUser(DomainUser &user)
{
    const QJsonObject record{{"id", user.getId()},
                             {"username", user.getUsername()},
                             {"password", user.getPassword()},
                             {"realName", user.getRealName()},
                             {"telephone", user.getTelephone()},
                             {"grade", user.getGrade()},
                             {"eMail", user.getEMail()},
                             {"administrator", user.getAdministrator()},
                             {"registerDate", user.getRegisterDate()},
                             {"userImage", user.getUserImage()},
                             {"comment", user.getComment()}};
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

void UserManagerForm::updateUser(DomainUser &user)
{
    UserUpdateDialog dialog;
    connect(this, SIGNAL(sendUser(DomainUser&,int)), &dialog, SLOT(recevieUser(DomainUser&,int)));
    emit sendUser(user, 2);
    if (dialog.exec() == QDialog::Accepted)
        findAll();
}

void UserManagerForm::on_pushButtonl_previousPage_clicked()
{
    if (curPage > 1) {
        --curPage;
        findAll();
    }
}

void UserManagerForm::on_pushButton_nextPage_clicked()
{
    if (totalCount > pageSize * curPage) {
        ++curPage;
        findAll();
    }
}

void UserManagerForm::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    curPage = index + 1;
    findAll();
}

void UserManagerForm::receiveConditionStr(QString &conditionStr)
{
    this->conditionStr = conditionStr;
    curPage = 1;
    findAll();
}
