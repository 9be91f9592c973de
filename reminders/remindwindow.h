#ifndef REMINDWINDOW_H
#define REMINDWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "columnswitch.h"
#include "domainremind.h"
#include "domainui.h"
#include "domainuser.h"
#include "httpremind.h"
#include "pagesteps.h"
#include "pagingbar.h"
#include "property.h"

class QAction;
class QLabel;
class QMenu;

QT_BEGIN_NAMESPACE
namespace Ui {
class RemindWindow;
}
QT_END_NAMESPACE

// The reminders: one page of the current query in a 14-column table whose
// remind dates are coloured by how near they are, with paging, column switches
// and, on opening, the question about due reminders.
class RemindWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit RemindWindow(QWidget *parent = nullptr);
    ~RemindWindow() override;

signals:
    void sendUser(DomainUser &user);
    void sendRemind(DomainRemind &remind);
    void sendGrade(int grade);
    void sendDomainUi(DomainUi &domainUi);

public slots:
    void on_addAction_triggered();
    void on_findAction_triggered();
    void on_instructionsAction_triggered();
    void on_QuitAction_triggered();
    void on_copyAction_triggered();
    void on_pushButtonl_previousPage_clicked();
    void on_pushButton_nextPage_clicked();
    void on_comboBox_pageNumber_currentIndexChanged(int index);
    void on_registerDateSwitchAction_triggered();
    void on_remindMethodSwitchAction_triggered();
    void on_addressSwitchAction_triggered();
    void receiveUser(DomainUser &user, int tag);
    void slotMenuClicked(QAction *action);
    void slotContextMenu(QPoint pos);
    void receiveDomainUi(DomainUi &domainUi);
    void receiveSignal();

private:
    void init();
    void initTableWidget();
    void findAll();
    DomainRemind *appendOneRow(QJsonObject &json);
    // The rows of one reply in the table, then the total and the paging row.
    void showRows(const QJsonArray &rows, int total);
    void setPageComboBoxItem();
    void createMenu();
    void toExcel();
    void deleteRemind(DomainRemind &remind);
    void updateRemind(DomainRemind &remind);
    void clearRows();
    QString ownerCondition() const;

    Ui::RemindWindow *ui;
    int curPage = 1;
    int pageSize = 30;
    int totalCount = 0;
    QString conditionStr;
    QString order;
    DomainUser *user = nullptr;
    DomainUi domainUi;
    int grade = 0;
    HttpRemind endpoint;
    QJsonObject request;
    QList<DomainRemind *> remindList;
    QJsonArray rowArray;
    QList<QString> headerLabels;
    QList<QString> exportKeys;
    QList<QString> exportHeaders;
    QLabel *statusLabel = nullptr;
    Property property;
    bool exportAll = false;
    bool addressHidden = true;
    bool registerDateHidden = true;
    bool remindMethodHidden = true;
    bool dueView = false;
    bool busy = false; // a request of the window waits for the server
    PagingBar pagingBar;
    PageSteps pageSteps;
    ColumnSwitch addressSwitch;
    ColumnSwitch registerDateSwitch;
    ColumnSwitch remindMethodSwitch;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *updateAction = nullptr;
};

#endif // REMINDWINDOW_H
