#ifndef DELETESTEP_H
#define DELETESTEP_H

#include <QJsonObject>
#include <QMessageBox>

#include <functional>

// The delete of one row's record: the request {"dList": [record]} goes out on
// its own (the window's list request never carries a "dList") while the window
// is marked busy.
class DeleteStep
{
public:
    using Send = std::function<QJsonObject(const QJsonObject &request)>;

    // True when the server agreed ("flag" 1). Otherwise its "temporary" text
    // is shown in a box titled "提示信息" with the given icon and the button
    // "知道了", and false; false without a request while the window is busy.
    static bool run(bool &busy, const Send &send, const QJsonObject &record, QMessageBox::Icon icon);
};

#endif // DELETESTEP_H
