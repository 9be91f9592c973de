#include "mainwindow.h"

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), order(QStringLiteral("desc"))
{
    domainUi.setCurPage(1);
    domainUi.setPageSize(30);
}

MainWindow::~MainWindow() = default;

void MainWindow::receiveUsername(DomainUser &user)
{
    domainUser = &user;
    username = user.getUsername();
    grade = user.getGrade();
    conditionStr.clear();
    if (grade < 5)
        conditionStr = QStringLiteral("and loginName =") + QLatin1Char('\'') + username + QLatin1Char('\'');
    setWindowTitle(QStringLiteral("账号管理"));
}

void MainWindow::receiveDomainUi(DomainUi &ui)
{
    conditionStr.clear();
    conditionStr.append(ui.getConditionStr());
    if (ui.getPageSize() != 0)
        domainUi.setPageSize(ui.getPageSize());
    if (ui.getCurPage() > 0)
        domainUi.setCurPage(ui.getCurPage());
    if (grade < 5)
        conditionStr += QStringLiteral(" and loginName =") + QLatin1Char('\'') + username + QLatin1Char('\'');
    findAll();
}

void MainWindow::findAll()
{
    listRequest = QJsonObject{{"curPage", domainUi.getCurPage()}, {"pageSize", domainUi.getPageSize()}, {"order", order}};
    if (!conditionStr.isEmpty())
        listRequest.insert("conditionStr", conditionStr);
    const QJsonObject result = httpAccount.findByCondition(listRequest);
    domainUi.setTotalCount(result.value("totalCount").toInt());
}
