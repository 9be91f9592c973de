#ifndef MESSAGEADDUPDATEDIALOG_H
#define MESSAGEADDUPDATEDIALOG_H

#include <QDialog>
#include <QString>

#include "domainmessage.h"
#include "httpmessage.h"
#include "writestep.h"

QT_BEGIN_NAMESPACE
namespace Ui {
class MessageAddUpdateDialog;
}
QT_END_NAMESPACE

// Publishes a new system message, or changes the one handed over by
// receiveMessage. It fills a record of its own from the form (the caller's
// record is never written) and ends Accepted only once the server stored it.
class MessageAddUpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MessageAddUpdateDialog(QWidget *parent = nullptr);
    ~MessageAddUpdateDialog() override;

    // Copies the form into the dialog's record; the first problem's message,
    // or an empty text when the form is valid.
    QString validityCheck();

public slots:
    void on_cancelPushButton_clicked();
    void on_confiremPushButton_clicked();
    void on_checkBox_stateChanged(int arg1);
    void on_checkBox2_stateChanged(int arg1);
    void receiveMessage(DomainMessage &message);
    void updateView(DomainMessage &message);

private:
    Ui::MessageAddUpdateDialog *ui;
    DomainMessage message;
    HttpMessage httpMessage;
    WriteStep write{this, httpMessage};
    // The stored show dates as the record had them; sent back unchanged until
    // the user touches the date's switch or edit (a stored text that the edit
    // cannot read would otherwise become the time the dialog was opened).
    QString storedShowDate;
    QString storedShowEndDate;
};

#endif // MESSAGEADDUPDATEDIALOG_H
