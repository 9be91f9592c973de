#ifndef WORKPLANWINDOW_H
#define WORKPLANWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QString>

#include "columnswitch.h"
#include "domainui.h"
#include "domainuser.h"
#include "dworkplan.h"
#include "http.h"
#include "httpworkplan.h"
#include "property.h"
#include "shownoteimagedialog.h"
#include "tablewindow.h"

class QAction;
class QLabel;
class QMenu;
class QStandardItem;
class QStandardItemModel;
class ShowPlanContentDialog;

QT_BEGIN_NAMESPACE
namespace Ui {
class WorkPlanWindow;
}
QT_END_NAMESPACE

// The work plans: the plans of the current query as a tree by plan kind
// (years, quarters, months, weeks, days, others), with paging, column switches
// and, on opening, the question about due plans.
class WorkPlanWindow : public TableWindow
{
    Q_OBJECT

public:
    explicit WorkPlanWindow(QWidget *parent = nullptr);
    ~WorkPlanWindow() override;

signals:
    void sendUser(DomainUser &user);
    void sendWorkPlan(DWorkPlan &workPlan);
    void sendDomainUi(DomainUi &domainUi);
    void sendWorkPlanToShowContent(DWorkPlan &workPlan);
    void sendWorkPlanToShowImage(DWorkPlan &workPlan);

public slots:
    void receiveUser(DomainUser &user, int tag);
    void receiveDomainUi(DomainUi &domainUi);
    void receiveSignal();
    void on_registerDateSwitchAction_triggered();
    void on_remindMethodSwitchAction_triggered();
    void on_imageAction_triggered();
    void on_commentSwitchAction_triggered();
    void on_assessAction_triggered();
    void on_QuitAction_triggered();
    void on_addAction_triggered();
    void on_findAction_triggered();
    void on_copyAction_triggered();
    void slotContextMenu(QPoint pos);
    void slotMenuClicked(QAction *action);

private:
    void init();
    void initTreeView();
    void updateTreeView();
    void jsonListToCList(QJsonArray &array);
    void bootAdd(int row, DWorkPlan *plan);
    void createMenu();
    void deleteWorkPlan(DWorkPlan &plan);
    void updateWorkPlan(DWorkPlan &plan);
    void toExcel() override;
    // The workbook's name, asked of the user; empty when cancelled.
    QString saveas();
    // The cells of one plan's row; the first carries the plan's subtree down to `level` 5.
    QList<QStandardItem *> planRow(DWorkPlan *plan, int level);
    // The plans of the nearest non-empty kind below `kind` that fit under `parent`.
    QList<DWorkPlan *> childrenOf(DWorkPlan *parent, int kind) const;
    QString defaultFilter() const;
    // Every column switch's columns and look as its flag says (the tree's
    // columns come anew with every rebuild).
    void applySwitches();
    // The tree emptied down to its headers.
    void clearTree();

    QJsonObject requestList(const QJsonObject &request) override;
    QJsonObject requestDue(const QJsonObject &request) override;
    void clearRows() override;
    void fillRows(const QJsonArray &rows) override;

    Ui::WorkPlanWindow *ui;
    QStandardItemModel *model = nullptr;
    HttpWorkPlan endpoint;
    // The window's own transport and configuration, beside its endpoint.
    Http http;
    Property property;
    QJsonArray jsonArray;
    QList<DWorkPlan *> workPlanList;
    QList<DWorkPlan *> yearList;
    QList<DWorkPlan *> quarterList;
    QList<DWorkPlan *> monthList;
    QList<DWorkPlan *> weekList;
    QList<DWorkPlan *> dayList;
    QList<DWorkPlan *> otherList;
    QList<QString> headerList;
    QList<QString> excelHeaderList;
    QLabel *statusLabel = nullptr;
    DWorkPlan *workPlan = nullptr;
    ShowPlanContentDialog *showPlanContentDialog = nullptr;
    ShowNoteImageDialog showNoteImageDialog;
    bool dateSwitch = true;
    bool remindSwitch = true;
    bool imageSwitch = true;
    bool commentSwitch = true;
    bool assessSwitch = true;
    ColumnSwitch dateColumns;
    ColumnSwitch remindColumns;
    ColumnSwitch imageColumns;
    ColumnSwitch commentColumns;
    ColumnSwitch assessColumns;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *updateAction = nullptr;
    QAction *showContentAction = nullptr;
    QAction *showImageAction = nullptr;
};

#endif // WORKPLANWINDOW_H
