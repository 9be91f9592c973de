#ifndef WRITESTEP_H
#define WRITESTEP_H

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractButton;
class QDialog;

// The confirm of an add/update dialog: the first problem of the form in a box,
// else the record to the server, and the dialog closed only once the server
// stored it. A dialog holds one by value, after its endpoint:
//
//     HttpRemind httpRemind;
//     WriteStep write{this, httpRemind};
//
// and, once its form is set up, names the buttons that start a write:
//
//     write.setButtons({ui->PushButton_confirem});
//
// Its confirm slot is then one call; validityCheck() fills the dialog's record
// and returns the first problem (empty when the form is valid):
//
//     write.confirm(validityCheck(), [this] { return RemindJson::toJson(remind); });
//
// A problem is shown in the warning box "提示信息" (button "知道了") and nothing
// is sent. Otherwise the request {"dList": [record]} (plus any extra keys) goes
// to the endpoint's add when the record's "id" is 0, else to its update (a step
// built with Target::Update always updates: the user's profile is never added),
// with the buttons disabled until the reply is in. "flag" 1 runs the stored hook and
// accepts the dialog (or, with After::Stay, leaves it open); any other flag
// shows the result's "temporary" text in the same box and the dialog stays open
// with the user's input, ready for another confirm.
//
// Dialogs that work on the caller's record edit a copy of it and write the copy
// back in the stored hook, so that a refused or cancelled edit never reaches
// the caller:
//
//     // receiveNote(DomainNote &note): this->note = &note; copy the fields into `working`
//     write.setOnStored([this] { NoteJson::fromJson(NoteJson::toJson(working), *note); });
class WriteStep : public QObject
{
public:
    enum class After {
        Close, // accept() once stored
        Stay,  // stay open once stored (the note's "保  存"); the dialog then ends
               // Accepted however it is closed later, so its opener reloads
    };

    // Where a write goes.
    enum class Target {
        ByRecordId, // add for a record with "id" 0, else update
        Update,     // update, whatever the record's id
    };

    // `endpoint` is any endpoint object with add(QJsonObject) and
    // update(QJsonObject) returning the result object; it must outlive the step.
    template<class Endpoint>
    WriteStep(QDialog *dialog, Endpoint &endpoint, Target target = Target::ByRecordId)
        : WriteStep(dialog, [&endpoint, target](bool adding, const QJsonObject &request) {
              return adding && target == Target::ByRecordId ? endpoint.add(request) : endpoint.update(request);
          })
    {
    }

    // The buttons that are disabled while a write waits (a click during the wait
    // would send the record twice); each gets its own state back afterwards.
    void setButtons(const QList<QAbstractButton *> &buttons);
    // Gives a confirm button a new text ("添   加", "更   新") and keeps its
    // shortcut, which a new text would otherwise replace.
    static void setButtonText(QAbstractButton *button, const QString &text);
    // Keys sent beside "dList" in every later request (the work plan's
    // "conditionStr"); a "dList" among them is ignored.
    void setExtraKeys(const QJsonObject &keys);
    // Runs after every stored write, before the dialog closes.
    void setOnStored(std::function<void()> onStored);

    // One confirm (see above). `record` is called only when `problem` is empty,
    // while the buttons are disabled, so it may do what has to precede the write
    // (the note uploads its attachment there); an empty object from it stops the
    // write without a message of the step's own. True when the server stored the
    // record. A confirm while a write waits does nothing and answers false.
    bool confirm(const QString &problem, const std::function<QJsonObject()> &record, After after = After::Close);

    bool busy() const { return waiting; }
    // True once any write of this dialog has been stored.
    bool stored() const { return storedOnce; }

private:
    using Send = std::function<QJsonObject(bool adding, const QJsonObject &request)>;
    WriteStep(QDialog *dialog, Send send);

    QDialog *dialog;
    Send send;
    QList<QPointer<QAbstractButton>> buttons;
    QJsonObject extraKeys;
    std::function<void()> onStored;
    bool waiting = false;
    bool storedOnce = false;
};

#endif // WRITESTEP_H
