#include "deletestep.h"

#include "listrequest.h"
#include "loadguard.h"
#include "noticebox.h"

bool DeleteStep::run(bool &busy, const Send &send, const QJsonObject &record, QMessageBox::Icon icon)
{
    QJsonObject reply;
    {
        LoadGuard guard(busy);
        if (!guard.entered())
            return false;
        reply = send(ListRequest::deletion(record));
    }
    if (reply.value(QStringLiteral("flag")).toInt() == 1)
        return true;
    NoticeBox::show(icon, QStringLiteral("提示信息"), reply.value(QStringLiteral("temporary")).toString());
    return false;
}
