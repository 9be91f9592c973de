#ifndef NOTEWINDOW_H
#define NOTEWINDOW_H

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPoint>
#include <QString>
#include <functional>

#include "columnswitch.h"
#include "domainnote.h"
#include "domainui.h"
#include "domainuser.h"
#include "httpnote.h"
#include "notethumbnails.h"
#include "property.h"
#include "shownoteimagedialog.h"
#include "tablewindow.h"

class MusicPlayDialog;
class QAction;
class QLabel;
class QMenu;
class ShowContentDialog;

QT_BEGIN_NAMESPACE
namespace Ui {
class NoteWindow;
}
QT_END_NAMESPACE

// The notes: one page of the current query in a 20-column table whose rows
// carry the note's content, a thumbnail of its picture, its voice clip and its
// attachment; column switches, the row menu (change, delete, content, picture),
// adding, searching, the backup and, on opening, the question about due notes.
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void init();
    void initTableWidget();
    // The records of the rows shown go (their rows stay); the owner column
    // follows the grade.
    void dropRecords();
    void createMenu();
    void toExcel() override;
    // Makes the record of one list element and shows it in the row at
    // `nextRow` (which it advances); the row's items are reused when it has them.
    DomainNote *appendOneRow(QJsonObject &json);
    // Shows one row per element from row `first` on (the rows after them go).
    void writeRows(const QJsonArray &rows, int first);
    void deleteRemind(DomainNote &note);
    void updateRemind(DomainNote &note);
    void showContent(DomainNote &note);
    void showImage(DomainNote &note);
    QString defaultFilter() const;
    // The server file address of a note's file (picture, voice clip, attachment).
    QString fileAddress(const QString &name) const;
    // Gives the rows in view that have none yet their cell widgets.
    void showCellWidgets();
    // Gives one row the cell widgets of its note: the row's widgets are
    // reused where they are, made where they are missing and removed where
    // the note has no such file.
    void fillCells(int row, const DomainNote &note);
    // The cell widget of one of a row's files: removed when the note has no
    // such file, updated when the row has one, made when it has none.
    void fileCell(int row, int column, const QString &file, const std::function<void(QWidget *)> &update,
                  const std::function<QWidget *()> &make);
    // Puts a cell widget into the table at its cell's size.
    void placeCell(int row, int column, QWidget *widget);
    // The cell widgets of one row.
    QLabel *contentLabel(const DomainNote &note);
    QLabel *thumbnail(const DomainNote &note);
    QWidget *voiceCell(const DomainNote &note);
    QWidget *attachmentCell(const DomainNote &note);

    QJsonObject requestList(const QJsonObject &request) override;
    QJsonObject requestDue(const QJsonObject &request) override;
    void clearRows() override;
    void fillRows(const QJsonArray &rows) override;
    void replaceRows(const QJsonArray &rows) override;

    Ui::NoteWindow *ui;
    HttpNote endpoint;
    QList<DomainNote *> noteList;
    QList<QString> exportKeys;
    QList<QString> exportHeaders;
    QLabel *statusLabel = nullptr;
    int menuNoteId = 0; // the id of the row the menu was opened on
    int nextRow = 0;    // the row appendOneRow() writes
    bool writing = false; // rows are being written: no cell widgets are made meanwhile
    Property property;
    ShowContentDialog *contentViewer = nullptr;
    ShowNoteImageDialog imageViewer;
    NoteThumbnails thumbnails;
    MusicPlayDialog *player = nullptr;
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
