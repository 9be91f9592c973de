#ifndef MESSAGEWINDOW_H
#define MESSAGEWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "domainmessage.h"
#include "httpmessage.h"
#include "pagesteps.h"
#include "pagingbar.h"

class QAction;
class QLabel;
class QMenu;
class QShowEvent;

QT_BEGIN_NAMESPACE
namespace Ui {
class MessageWindow;
}
QT_END_NAMESPACE

// The administrators' paged table of system messages (the announcements that
// the service's client applications show).
//
// Built with the dashboard before anyone has logged in, it asks the server for
// nothing until it is first used: the first condition it receives, or its first
// showing, loads the first page.
class MessageWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MessageWindow(QWidget *parent = nullptr);
    ~MessageWindow() override;

signals:
    void sendMessage(DomainMessage &message);

public slots:
    void on_addAction_triggered();
    void on_searchAction_triggered();
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
    DomainMessage *appendOneRow(QJsonObject &json);
    void setPageComboBoxItem();
    void createMenu();
    void deleteMessage(DomainMessage &message);
    void updateMessage(DomainMessage &message);

    Ui::MessageWindow *ui;
    int curPage = 1;
    int pageSize = 30;
    int totalCount = 0;
    QString conditionStr;
    QString order;
    HttpMessage endpoint;
    QJsonObject request;
    QList<DomainMessage *> messageList;
    QLabel *statusLabel = nullptr;
    PagingBar pagingBar;
    PageSteps pageSteps;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *updateAction = nullptr;
    bool busy = false; // a request of the window waits for the server
};

#endif // MESSAGEWINDOW_H
