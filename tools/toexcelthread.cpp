#include "toexcelthread.h"

ToExcelThread::ToExcelThread(QObject *parent)
    : QThread(parent)
{
}

ToExcelThread::~ToExcelThread() = default;

void ToExcelThread::setMolde(QStandardItemModel &model, QList<QString> &headerList, QList<QString> &keyList)
{
    this->model = &model;
    this->headerList = &headerList;
    this->keyList = &keyList;
}

void ToExcelThread::run()
{
}
