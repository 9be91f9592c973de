#ifndef NOTETHUMBNAILS_H
#define NOTETHUMBNAILS_H

#include <QHash>
#include <QMultiHash>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThreadPool>

class QEventLoop;
class QImage;
class QLabel;
class QNetworkReply;

// The thumbnails of one page of notes. All of a page's pictures are asked for
// at once, on connections that stay open from page to page, and decoded
// beside the window's thread as they arrive, each fitted into a square of
// `side`. Labels show a page's picture once it is there; the page's load
// waits for the last one.
class NoteThumbnails : public QObject
{
public:
    static constexpr int side = 40;

    explicit NoteThumbnails(QObject *parent = nullptr);
    ~NoteThumbnails() override;

    // Starts fetching the pictures of a new page (the addresses of its
    // pictures); the previous page's pictures are let go.
    void fetch(const QStringList &addresses);
    // Waits in a local event loop until every picture of the page has
    // arrived and been decoded, or failed.
    void waitAll();
    // Shows the page's picture at `address` in `label`, now or when it
    // arrives. A picture that cannot be fetched or read leaves the label empty.
    void show(QLabel *label, const QString &address);

private:
    void arrived(QNetworkReply *reply);
    void decoded(const QString &address, const QImage &picture);
    bool done() const { return pending.isEmpty() && decoding == 0; }

    QNetworkAccessManager manager;
    QThreadPool decoders;
    QHash<QNetworkReply *, QString> pending;    // address of each fetch under way
    int decoding = 0;
    QHash<QString, QPixmap> pictures;           // the page's pictures that have arrived
    QMultiHash<QString, QPointer<QLabel>> shownWhenThere;
    QEventLoop *waiting = nullptr;
};

#endif // NOTETHUMBNAILS_H
