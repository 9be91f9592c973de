// The write step of the add/update dialogs, through a small dialog that edits
// a copy of the caller's account record: against the real server, and against
// the scripted stub where the request itself is looked at.
#include <QDialog>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include "accountjson.h"
#include "domainaccount.h"
#include "httpaccount.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "serverprocess.h"
#include "writestep.h"

namespace {

const QString kEntity = QStringLiteral("accountInfo");

// Edits a copy of the caller's record; the caller's record takes the typed
// values only once the server stored them.
class CopyEditDialog : public QDialog
{
public:
    explicit CopyEditDialog(DomainAccount &caller) : caller(caller)
    {
        auto *layout = new QVBoxLayout(this);
        for (QWidget *w : QList<QWidget *>{name, confirmButton, saveButton, cancelButton})
            layout->addWidget(w);
        AccountJson::fromJson(AccountJson::toJson(caller), working);
        name->setText(caller.getAccountName());
        write.setButtons({confirmButton, saveButton});
        write.setOnStored([this] { AccountJson::fromJson(AccountJson::toJson(working), this->caller); });
        connect(confirmButton, &QPushButton::clicked, this, [this] { confirm(WriteStep::After::Close); });
        connect(saveButton, &QPushButton::clicked, this, [this] { confirm(WriteStep::After::Stay); });
        connect(cancelButton, &QPushButton::clicked, this, &QDialog::close);
    }

    QString validityCheck()
    {
        if (name->text().isEmpty())
            return QStringLiteral("名称不能为空");
        working.setAccountName(name->text());
        return QString();
    }
    bool confirm(WriteStep::After after)
    {
        return write.confirm(validityCheck(), [this] { return AccountJson::toJson(working); }, after);
    }

    DomainAccount &caller;
    DomainAccount working;
    HttpAccount http;
    WriteStep write{this, http};
    QLineEdit *name = new QLineEdit;
    QPushButton *confirmButton = new QPushButton(QStringLiteral("确   认"));
    QPushButton *saveButton = new QPushButton(QStringLiteral("保  存"));
    QPushButton *cancelButton = new QPushButton(QStringLiteral("取   消"));
};

void type(QLineEdit *edit, const QString &text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

int storedId(const QString &accountName)
{
    const QJsonArray rows = ServerProcess::rows(kEntity, QStringLiteral(" and accountName = '%1'").arg(accountName));
    return rows.isEmpty() ? 0 : rows.at(0).toObject().value(QStringLiteral("id")).toInt();
}

} // namespace

class TestKitWriteStep : public QObject
{
    Q_OBJECT

private slots:
    void refusedWriteKeepsDialogOpenAndRecordUnchanged();
    void addOrUpdateByIdAndWriteBackOnSuccess();
    void stayOpenAfterSaveThenEndAccepted();
    void requestKeysAndButtonsWhileWaiting();
};

void TestKitWriteStep::refusedWriteKeepsDialogOpenAndRecordUnchanged()
{
    ServerProcess server;
    QVERIFY(server.start());
    DomainAccount row;
    row.setId(987654); // the server has no such record
    row.setAccountName(QStringLiteral("old"));
    row.setLoginName(QStringLiteral("bob"));
    CopyEditDialog dialog(row);
    dialog.show();

    // A problem of the form: shown, nothing sent.
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("名称不能为空"), QStringLiteral("知道了"));
    dialog.name->clear();
    QTest::mouseClick(dialog.confirmButton, Qt::LeftButton);
    ANSWERED(answerer);

    // Refused by the server: its reason is shown, the dialog stays open with the input.
    type(dialog.name, QStringLiteral("typed"));
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("记录不存在"), QStringLiteral("知道了"));
    QTest::mouseClick(dialog.confirmButton, Qt::LeftButton);
    ANSWERED(answerer);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.name->text(), QStringLiteral("typed"));
    QCOMPARE(row.getAccountName(), QStringLiteral("old"));
    QVERIFY(dialog.confirmButton->isEnabled());
    QVERIFY(!dialog.write.stored());
    QCOMPARE(ServerProcess::rows(kEntity).size(), 0);

    // Cancelled afterwards: still nothing in the caller's record.
    QTest::mouseClick(dialog.cancelButton, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(row.getAccountName(), QStringLiteral("old"));
}

void TestKitWriteStep::addOrUpdateByIdAndWriteBackOnSuccess()
{
    ServerProcess server;
    QVERIFY(server.start());
    DomainAccount fresh;
    fresh.setLoginName(QStringLiteral("alice"));
    {
        CopyEditDialog dialog(fresh);
        dialog.show();
        type(dialog.name, QStringLiteral("site"));
        QTest::mouseClick(dialog.confirmButton, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(!dialog.isVisible());
    }
    const int id = storedId(QStringLiteral("site"));
    QVERIFY(id > 0);
    QCOMPARE(fresh.getAccountName(), QStringLiteral("site"));

    DomainAccount row;
    AccountJson::fromJson(ServerProcess::rows(kEntity).at(0).toObject(), row);
    CopyEditDialog dialog(row);
    dialog.show();
    type(dialog.name, QStringLiteral("site2"));
    QTest::mouseClick(dialog.confirmButton, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(ServerProcess::rows(kEntity).size(), 1);
    QCOMPARE(storedId(QStringLiteral("site2")), id);
    QCOMPARE(row.getAccountName(), QStringLiteral("site2"));
    QCOMPARE(row.getLoginName(), QStringLiteral("alice"));
}

void TestKitWriteStep::stayOpenAfterSaveThenEndAccepted()
{
    ServerProcess server;
    QVERIFY(server.start());
    QCOMPARE(ServerProcess::add(kEntity, QJsonObject{{"accountName", "site"}, {"loginName", "bob"}})["flag"].toInt(), 1);
    DomainAccount row;
    AccountJson::fromJson(ServerProcess::rows(kEntity).at(0).toObject(), row);
    CopyEditDialog dialog(row);

    bool openAfterSave = false;
    ModalAnswerer answerer;
    answerer.dialog("QDialog", [&](QWidget *) {
        type(dialog.name, QStringLiteral("saved"));
        QTest::mouseClick(dialog.saveButton, Qt::LeftButton);
        openAfterSave = dialog.isVisible() && dialog.write.stored();
        QTest::mouseClick(dialog.cancelButton, Qt::LeftButton);
    });
    // The opener reloads on Accepted: a stored save counts, however the dialog ends.
    QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    ANSWERED(answerer);
    QVERIFY(openAfterSave);
    QCOMPARE(row.getAccountName(), QStringLiteral("saved"));
    QCOMPARE(storedId(QStringLiteral("saved")), row.getId());
}

void TestKitWriteStep::requestKeysAndButtonsWhileWaiting()
{
    HttpStub stub;
    QVERIFY(stub.listen());
    DomainAccount row;
    row.setId(7);
    CopyEditDialog dialog(row);
    dialog.saveButton->setEnabled(false); // a button off before the write stays off after it
    dialog.write.setExtraKeys(QJsonObject{{"conditionStr", "and isShow = '正常' "}, {"dList", "ignored"}});
    dialog.show();
    type(dialog.name, QStringLiteral("n"));

    QList<bool> enabledWhileWaiting;
    bool secondConfirm = true;
    stub.setHandler([&](const StubRequest &) {
        enabledWhileWaiting << dialog.confirmButton->isEnabled() << dialog.saveButton->isEnabled();
        secondConfirm = dialog.confirm(WriteStep::After::Close); // a second press while waiting
        return StubResponse::envelope(0, QStringLiteral("拒绝"));
    });
    ModalAnswerer answerer;
    answerer.box(QStringLiteral("提示信息"), QStringLiteral("拒绝"), QStringLiteral("知道了"));
    QTest::mouseClick(dialog.confirmButton, Qt::LeftButton);
    ANSWERED(answerer);
    QCOMPARE(stub.requests.size(), 1);
    QCOMPARE(stub.requests.at(0).path, QByteArray("/android/accountInfo/update"));
    const QJsonObject request = stub.requests.at(0).json();
    QCOMPARE(request.keys(), (QStringList{"conditionStr", "dList"}));
    QCOMPARE(request["conditionStr"].toString(), QStringLiteral("and isShow = '正常' "));
    QCOMPARE(request["dList"].toArray().size(), 1);
    QCOMPARE(request["dList"].toArray().at(0).toObject()["id"].toInt(), 7);
    QCOMPARE(enabledWhileWaiting, (QList<bool>{false, false}));
    QVERIFY(!secondConfirm);
    QVERIFY(dialog.confirmButton->isEnabled());
    QVERIFY(!dialog.saveButton->isEnabled());

    // Id 0 goes to "add"; a record builder that gives nothing sends nothing.
    row.setId(0);
    CopyEditDialog adding(row);
    type(adding.name, QStringLiteral("m"));
    stub.setHandler([](const StubRequest &) { return StubResponse::envelope(1, QStringLiteral("ok")); });
    QVERIFY(adding.confirm(WriteStep::After::Close));
    QCOMPARE(stub.requests.last().path, QByteArray("/android/accountInfo/add"));
    QVERIFY(!stub.requests.last().json().contains("conditionStr"));
    QVERIFY(!adding.write.confirm(QString(), [] { return QJsonObject(); }));
    QCOMPARE(stub.requests.size(), 2);
}

QTEST_MAIN(TestKitWriteStep)
#include "tst_kit_writestep.moc"
