#ifndef NOTEWINDOW_H
#define NOTEWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMainWindow>
#include <QPoint>
#include <QString>

#include "columnswitch.h"
#include "domainnote.h"
#include "domainui.h"
#include "domainuser.h"
#include "http.h"
#include "httpnote.h"
#include "pagesteps.h"
#include "pagingbar.h"
#include "property.h"

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
class NoteWindow : public QMainWindow
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
    void on_pushButtonl_previousPage_clicked();
    void on_pushButton_nextPage_clicked();
    void on_comboBox_pageNumber_currentIndexChanged(int index);
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
    void findAll();
    void setPageComboBoxItem();
    void createMenu();
    void toExcel();
    DomainNote *appendOneRow(QJsonObject &json);
    // The rows of one reply in the table, then the total and the paging row.
    void showRows(const QJsonArray &rows, int total);
    void clearRows();
    QString ownerCondition() const;
    QString defaultFilter() const;

    Ui::NoteWindow *ui;
    int curPage = 1;
    int pageSize = 30;
    int totalCount = 0;
    QString condition;
    QString order;
    DomainUser *user = nullptr;
    DomainUi domainUi;
    int grade = 0;
    HttpNote endpoint;
    QJsonObject listRequest;
    QList<DomainNote *> noteList;
    QJsonArray lastList;
    QList<QString> exportKeys;
    QList<QString> exportHeaders;
    QLabel *statusLabel = nullptr;
    DomainNote *menuNote = nullptr;
    Property property;
    Http http;
    bool exportPending = false;
    bool isShowHidden = true;
    bool addressHidden = true;
    bool registerDateHidden = true;
    bool remindMethodHidden = true;
    bool imageHidden = true;
    bool commentHidden = true;
    bool dueView = false;
    bool busy = false; // a request of the window waits for the server
    PagingBar pagingBar;
    PageSteps pageSteps;
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
