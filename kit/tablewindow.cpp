#include "tablewindow.h"

#include "conditionbuilder.h"
#include "domainuser.h"
#include "excelhandler.h"
#include "noticebox.h"

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

void TableWindow::backUpShownRows(QList<QString> &headers, QList<QString> &keys)
{
    ExcelHandler handler;
    QJsonArray rows = loader.rows();
    const QString text = handler.setJsonArray(rows, headers, keys);
    if (!text.isEmpty())
        NoticeBox::show(QMessageBox::Information, QStringLiteral("备份提示"), text);
}
