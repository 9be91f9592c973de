#ifndef MESSAGEWINDOW_H
#define MESSAGEWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QString>

#include "domainmessage.h"
#include "httpmessage.h"
#include "tablewindow.h"

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
class MessageWindow : public TableWindow
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
    void slotContextMenu(QPoint pos);
    void slotMenuClicked(QAction *action);
    void receiveConditionStr(QString &conditionStr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    DomainMessage *appendOneRow(QJsonObject &json);
    void createMenu();
    void deleteMessage(DomainMessage &message);
    void updateMessage(DomainMessage &message);

    QJsonObject requestList(const QJsonObject &request) override;
    void clearRows() override;
    void fillRows(const QJsonArray &rows) override;

    Ui::MessageWindow *ui;
    HttpMessage endpoint;
    QList<DomainMessage *> messageList;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *updateAction = nullptr;
};

#endif // MESSAGEWINDOW_H
