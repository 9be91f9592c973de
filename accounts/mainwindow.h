#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "columnswitch.h"
#include "domainaccount.h"
#include "domainui.h"
#include "domainuser.h"
#include "httpaccount.h"
#include "pagingbar.h"
#include "property.h"

class QAction;
class QLabel;
class QMenu;

QT_BEGIN_NAMESPACE
namespace Ui {
class MainWindow;
}
QT_END_NAMESPACE

// The account book: one page of the user's web accounts in a table, with
// paging, column switches, a row menu (change, delete), adding, searching and
// the backup into a workbook. Built once by the dashboard; closing only hides it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Loads the current page with the window's condition (ignored while a
    // load or delete of this window still waits for the server).
    void findAll();
    // Adds one table row for a reply element and returns its record.
    DomainAccount *appendOneRow(QJsonObject &object);
    // Page selector, page label, status line and paging buttons after a load.
    void setPageComboBoxItem();
    void createMenu();
    void deleteAccount(DomainAccount &account);
    void toExcel();

signals:
    void sendUser(QString &username);
    void sendAccount(DomainAccount &account);
    void sendGrade(int grade);
    void sendDomainUi(DomainUi &domainUi);

public slots:
    void receiveUsername(DomainUser &user);
    void receiveDomainUi(DomainUi &domainUi);

private slots:
    void on_pushButtonl_previousPage_clicked();
    void on_pushButton_nextPage_clicked();
    void on_comboBox_pageNumber_currentIndexChanged(int index);
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
    // One guarded exchange with the server; false when nothing was loaded.
    bool loadCurrentPage();

    Ui::MainWindow *ui;
    int curPage = 1;
    int pageSize = 30;
    int totalCount = 0;
    QString conditionStr;
    QString order = QStringLiteral("desc");
    QString username;
    int grade = 0;
    DomainUser *user = nullptr;
    DomainUi domainUi;
    HttpAccount httpAccount;
    Property property;
    QJsonObject requestObject;
    QList<DomainAccount *> accounts;
    QJsonArray currentRows;
    QStringList headerLabels;
    QList<QString> exportHeaders;
    QList<QString> exportKeys;
    QLabel *statusLabel = nullptr;
    bool exportAll = false;
    bool busy = false;

    QMenu *rowMenu = nullptr;
    QAction *changeAction = nullptr;
    QAction *deleteAction = nullptr;

    PagingBar pagingBar;
    ColumnSwitch realNameSwitch;
    ColumnSwitch mailSwitch;
    ColumnSwitch telSwitch;
    ColumnSwitch inforSwitch;
    ColumnSwitch dateSwitch;
};

#endif // MAINWINDOW_H
