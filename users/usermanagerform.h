#ifndef USERMANAGERFORM_H
#define USERMANAGERFORM_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QWidget>
#include <QPoint>
#include <QString>

#include "domainuser.h"
#include "httpuser.h"
#include "tableloader.h"

class QAction;
class QMenu;
class QShowEvent;

QT_BEGIN_NAMESPACE
namespace Ui {
class UserManagerForm;
}
QT_END_NAMESPACE

// The administrators' paged table of the service's users; everything beyond
// paging is reached through the rows' context menu.
//
// Built with the dashboard before anyone has logged in, it asks the server for
// nothing until it is first used: the first condition it receives, or its first
// showing, loads the first page.
class UserManagerForm : public QWidget, private TableLoader::Hooks
{
    Q_OBJECT

public:
    explicit UserManagerForm(QWidget *parent = nullptr);
    ~UserManagerForm() override;

signals:
    void sendUser(DomainUser &user, int tag);

public slots:
    void on_pushButtonl_previousPage_clicked();
    void on_pushButton_nextPage_clicked();
    void on_comboBox_pageNumber_currentIndexChanged(int index);
    void slotContextMenu(QPoint pos);
    void slotMenuClicked(QAction *action);
    void receiveConditionStr(QString &conditionStr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void findAll();
    DomainUser *appendOneRow(QJsonObject &json);
    QJsonObject requestList(const QJsonObject &request) override;
    void clearRows() override;
    void fillRows(const QJsonArray &rows) override;
    void setPageComboBoxItem();
    void createMenu();
    void deleteUser(DomainUser &user);
    void updateUser(DomainUser &user);

    Ui::UserManagerForm *ui;
    HttpUser endpoint;
    QList<DomainUser *> userList;
    TableLoader loader;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *updateAction = nullptr;
    QAction *findAction = nullptr;
};

#endif // USERMANAGERFORM_H
