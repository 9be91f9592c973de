#ifndef NOTEWINDOW_H
#define NOTEWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QString>

#include "columnswitch.h"
#include "domainnote.h"
#include "domainui.h"
#include "domainuser.h"
#include "http.h"
#include "httpnote.h"
#include "property.h"
#include "tablewindow.h"

class QAction;
class QLabel;
class QMenu;

QT_BEGIN_NAMESPACE
namespace Ui {
class NoteWindow;
}
QT_END_NAMESPACE

// The notes: one page of the current query in a 20-column table, with paging,
// column switches and, on opening, the question about due notes.
class NoteWindow : public TableWindow
{
    Q_OBJECT

public:
    explicit NoteWindow(QWidget *parent = nullptr);
    ~NoteWindow() override;

signals:
    void sendUser(DomainUser &user);
    void sendNote(DomainNote &note);
    void sendNoteToShowContent(DomainNote &note);
    void sendNoteToShowImage(DomainNote &note);
    void sendGrade(int grade);
    void sendDomainUi(DomainUi &domainUi);
    void sendMusicPath(QString &path);

public slots:
    void on_addAction_triggered();
    void on_findAction_triggered();
    void on_imageAction_triggered();
    void on_QuitAction_triggered();
    void on_copyAction_triggered();
    void on_registerDateSwitchAction_triggered();
    void on_remindMethodSwitchAction_triggered();
    void on_addressSwitchAction_triggered();
    void on_commentSwitchAction_triggered();
    void on_isShowAction_triggered();
    void receiveUser(DomainUser &user, int tag);
    void slotMenuClicked(QAction *action);
    void slotContextMenu(QPoint pos);
    void receiveDomainUi(DomainUi &domainUi);
    void receiveSignal();

private:
    void init();
    void initTableWidget();
    void createMenu();
    void toExcel() override;
    DomainNote *appendOneRow(QJsonObject &json);
    QString defaultFilter() const;

    QJsonObject requestList(const QJsonObject &request) override;
    QJsonObject requestDue(const QJsonObject &request) override;
    void clearRows() override;
    void fillRows(const QJsonArray &rows) override;

    Ui::NoteWindow *ui;
    HttpNote endpoint;
    QList<DomainNote *> noteList;
    QList<QString> exportKeys;
    QList<QString> exportHeaders;
    QLabel *statusLabel = nullptr;
    DomainNote *menuNote = nullptr;
    Property property;
    Http http;
    bool isShowHidden = true;
    bool addressHidden = true;
    bool registerDateHidden = true;
    bool remindMethodHidden = true;
    bool imageHidden = true;
    bool commentHidden = true;
    ColumnSwitch isShowSwitch;
    ColumnSwitch addressSwitch;
    ColumnSwitch registerDateSwitch;
    ColumnSwitch remindMethodSwitch;
    ColumnSwitch imageSwitch;
    ColumnSwitch commentSwitch;
    QMenu *menu = nullptr;
    QAction *deleteAction = nullptr;
    QAction *updateAction = nullptr;
    QAction *showContentAction = nullptr;
    QAction *showImageAction = nullptr;
};

#endif // NOTEWINDOW_H
