#ifndef REMINDWINDOW_H
#define REMINDWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QString>

#include "columnswitch.h"
#include "domainremind.h"
#include "domainui.h"
#include "domainuser.h"
#include "httpremind.h"
#include "property.h"
#include "tablewindow.h"

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
class RemindWindow : public TableWindow
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
    DomainRemind *appendOneRow(QJsonObject &json);
    void createMenu();
    void toExcel() override;
    void deleteRemind(DomainRemind &remind);
    void updateRemind(DomainRemind &remind);

    QJsonObject requestList(const QJsonObject &request) override;
    QJsonObject requestDue(const QJsonObject &request) override;
    void clearRows() override;
    void fillRows(const QJsonArray &rows) override;
    void afterLoad() override;

    Ui::RemindWindow *ui;
    HttpRemind endpoint;
    QList<DomainRemind *> remindList;
    QList<QString> headerLabels;
    QList<QString> exportKeys;
    QList<QString> exportHeaders;
    QLabel *statusLabel = nullptr;
    Property property;
    bool addressHidden = true;
    bool registerDateHidden = true;
    bool remindMethodHidden = true;
    ColumnSwitch addressSwitch;
    ColumnSwitch registerDateSwitch;
    ColumnSwitch remindMethodSwitch;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *updateAction = nullptr;
};

#endif // REMINDWINDOW_H
