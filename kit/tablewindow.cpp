#include "tablewindow.h"

#include "conditionbuilder.h"
#include "domainuser.h"

TableWindow::TableWindow(QWidget *parent, int pageSize, ListRequest::EmptyCondition empty)
    : QMainWindow(parent), loader(this, this, pageSize, empty)
{
}

void TableWindow::findAll()
{
    loader.findAll();
}

void TableWindow::setPageComboBoxItem()
{
    loader.showPaging();
}

void TableWindow::on_pushButtonl_previousPage_clicked()
{
    loader.back();
}

void TableWindow::on_pushButton_nextPage_clicked()
{
    loader.next();
}

void TableWindow::on_comboBox_pageNumber_currentIndexChanged(int index)
{
    loader.choose(index);
}

void TableWindow::keepUser(DomainUser &user)
{
    this->user = &user;
    grade = user.getGrade();
}

QString TableWindow::ownerCondition() const
{
    return ConditionBuilder::equals(QStringLiteral("loginName"), user ? user->getUsername() : QString());
}
