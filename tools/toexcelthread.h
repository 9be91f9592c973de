#ifndef TOEXCELTHREAD_H
#define TOEXCELTHREAD_H

#include <QList>
#include <QString>
#include <QThread>

class QStandardItemModel;

// A thread meant to run a tree backup away from the GUI thread; it only
// keeps what it is given and runs nothing. No window creates one.
class ToExcelThread : public QThread
{
public:
    explicit ToExcelThread(QObject *parent = nullptr);
    ~ToExcelThread() override;

    void setMolde(QStandardItemModel &model, QList<QString> &headerList, QList<QString> &keyList);

protected:
    void run() override;

private:
    QStandardItemModel *model = nullptr;
    QList<QString> *headerList = nullptr;
    QList<QString> *keyList = nullptr;
};

#endif // TOEXCELTHREAD_H
