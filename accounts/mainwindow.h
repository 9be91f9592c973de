#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QString>

#include "columnswitch.h"
#include "domainaccount.h"
#include "domainui.h"
#include "domainuser.h"
#include "httpaccount.h"
#include "tablewindow.h"

class QAction;
class QMenu;

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
QT_END_NAMESPACE

// The account book: one page of the user's web accounts in a table, with
// paging, column switches, a row menu (change, delete), adding, searching and
// the backup into a workbook. Built once by the dashboard; closing only hides it.
class MainWindow : public TableWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Adds one table row for a reply element and returns its record.
    DomainAccount *appendOneRow(QJsonObject &object);
    void createMenu();
    void deleteAccount(DomainAccount &account);
    void toExcel() override;

signals:
    void sendUser(QString &username);
    void sendAccount(DomainAccount &account);
    void sendGrade(int grade);
    void sendDomainUi(DomainUi &domainUi);

public slots:
    void receiveUsername(DomainUser &user);
    void receiveDomainUi(DomainUi &domainUi);

private slots:
    void on_realNameShowAction_triggered();
    void on_mailAction_triggered(bool checked);
    void on_telAction_triggered();
    void on_inforAction_triggered();
    void on_dateAction_triggered();
    void on_addAction_triggered();
    void on_findAction_triggered();
    void on_copyAction_triggered();
    void on_QuitAction_triggered();
    void slotContextMenu(QPoint pos);
    void slotMenuClicked(QAction *action);

private:
    QJsonObject requestList(const QJsonObject &request) override;
    void clearRows() override;
    void fillRows(const QJsonArray &rows) override;

    Ui::MainWindow *ui;
    QString username;
    HttpAccount httpAccount;
    QList<DomainAccount *> accounts;
    QStringList headerLabels;
    QList<QString> exportHeaders;
    QList<QString> exportKeys;

    QMenu *rowMenu = nullptr;
    QAction *changeAction = nullptr;
    QAction *deleteAction = nullptr;

    ColumnSwitch realNameSwitch;
    ColumnSwitch mailSwitch;
    ColumnSwitch telSwitch;
    ColumnSwitch inforSwitch;
    ColumnSwitch dateSwitch;
};

#endif // MAINWINDOW_H
