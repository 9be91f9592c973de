#include "shownoteimagedialog.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QUrl>

#include "domainnote.h"
#include "dworkplan.h"
#include "noticebox.h"

ShowNoteImageDialog::ShowNoteImageDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ShowNoteImageDialog"));
    resize(400, 300);
    setWindowTitle(QStringLiteral("Dialog"));
    gridLayout = new QGridLayout(this);
    gridLayout->setObjectName(QStringLiteral("gridLayout"));
    gridLayout->setContentsMargins(0, 0, 0, 0);
    // The window takes the sizes given below, never the label's.
    gridLayout->setSizeConstraint(QLayout::SetNoConstraint);
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("label"));
    label->setText(QStringLiteral("加载中........"));
    gridLayout->addWidget(label, 0, 0);

    menu = new QMenu(this);
    closeAction = new QAction(QIcon(QStringLiteral(":/images/close1.png")), QStringLiteral("关闭窗口"), this);
    menu->addAction(closeAction);
    connect(closeAction, &QAction::triggered, this, &QDialog::close);

    loading = new QMovie(QStringLiteral(":images/loading01.gif"), QByteArray(), this);
    loading->setScaledSize(QSize(200, 200));
    manager = new QNetworkAccessManager(this);
    connect(manager, &QNetworkAccessManager::finished, this, &ShowNoteImageDialog::replyFinished);
}

ShowNoteImageDialog::~ShowNoteImageDialog()
{
    // A request still running ends here without reaching replyFinished.
    manager->disconnect(this);
    delete pending;
}

void ShowNoteImageDialog::receiveNote(DomainNote &note)
{
    request(note.getTitle(), property.getHostURL() + QStringLiteral("/account/note/") + note.getImage());
}

void ShowNoteImageDialog::receiveWorkPlan(DWorkPlan &workPlan)
{
    request(workPlan.getTitle(), property.getHostURL() + QStringLiteral("/account/workPlan/") + workPlan.getImage());
}

void ShowNoteImageDialog::request(const QString &title, const QString &address)
{
    // An earlier request is given up: its picture would come under this title.
    if (QNetworkReply *earlier = pending) {
        pending = nullptr;
        earlier->abort();
    }

    label->setMovie(loading);
    label->setVisible(true);
    loading->start();
    resize(200, 200);
    setWindowTitle(title);

    pending = manager->get(QNetworkRequest(QUrl(address, QUrl::TolerantMode)));
}

void ShowNoteImageDialog::replyFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != pending)
        return;
    pending = nullptr;

    QPixmap picture;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status == 200 && reply->error() == QNetworkReply::NoError)
        picture.loadFromData(reply->readAll());
    if (picture.isNull()) {
        NoticeBox::show(QMessageBox::Information, QStringLiteral("提示"), QStringLiteral("图片加载错误!"));
        return;
    }

    loading->stop();
    label->setPixmap(picture);
    label->setVisible(false);
    const QRect place = placeOnScreen(picture.size(), screen()->geometry());
    resize(place.size());
    move(place.topLeft());
    activateWindow();
}

QRect ShowNoteImageDialog::placeOnScreen(const QSize &picture, const QRect &screen)
{
    QSize size = picture;
    if (picture.width() > screen.width() || picture.height() > screen.height())
        size = picture.scaled(screen.size(), Qt::KeepAspectRatio);
    const QPoint corner(screen.x() + (screen.width() - size.width()) / 2,
                        screen.y() + (screen.height() - size.height()) / 2);
    return QRect(corner, size);
}

void ShowNoteImageDialog::mousePressEvent(QMouseEvent *event)
{
    dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void ShowNoteImageDialog::mouseMoveEvent(QMouseEvent *event)
{
    move(event->globalPosition().toPoint() - dragOffset);
}

void ShowNoteImageDialog::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    const QPixmap picture = label->pixmap();
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(QRect(0, 0, width(), height()), picture);
}

void ShowNoteImageDialog::contextMenuEvent(QContextMenuEvent *event)
{
    menu->exec(QCursor::pos());
    event->accept();
}
