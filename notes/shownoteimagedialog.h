#ifndef SHOWNOTEIMAGEDIALOG_H
#define SHOWNOTEIMAGEDIALOG_H

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

#include "property.h"

class DomainNote;
class DWorkPlan;
class QAction;
class QGridLayout;
class QLabel;
class QMenu;
class QMovie;
class QNetworkAccessManager;
class QNetworkReply;

// The image of a note or a work plan, fetched from the server without
// blocking: a loading animation first, then the picture over the whole
// window, sized to fit the screen and centred on it. Dragged by any point,
// closed from its context menu. Only the latest request is shown.
class ShowNoteImageDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ShowNoteImageDialog(QWidget *parent = nullptr);
    ~ShowNoteImageDialog() override;

    // Where a picture of the given size stands on a screen with the given
    // geometry: unchanged when it fits, else shrunk by the smaller of the two
    // ratios, and centred on that screen.
    static QRect placeOnScreen(const QSize &picture, const QRect &screen);

public slots:
    void receiveNote(DomainNote &note);
    void receiveWorkPlan(DWorkPlan &workPlan);
    void replyFinished(QNetworkReply *reply);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void request(const QString &title, const QString &address);

    QPoint dragOffset;
    QGridLayout *gridLayout = nullptr;
    QLabel *label = nullptr;
    Property property;
    QMenu *menu = nullptr;
    QAction *closeAction = nullptr;
    QMovie *loading = nullptr;
    QNetworkAccessManager *manager = nullptr;
    QPointer<QNetworkReply> pending; // the one request whose answer is shown
};

#endif // SHOWNOTEIMAGEDIALOG_H
