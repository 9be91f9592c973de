// The write step of the add/update dialogs, through a small dialog that edits
// a copy of the caller's account record: against the real server, and against
// the scripted stub where the request itself is looked at. And the Return key,
// the confirm of every dialog whose form gives it to its confirm button.
#include <QDialog>
#include <QJsonArray>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

#include "accountaddupdatedialog.h"
#include "accountjson.h"
#include "domainaccount.h"
#include "domainmessage.h"
#include "domainremind.h"
#include "domainuser.h"
#include "dworkplan.h"
#include "httpaccount.h"
#include "httpstub.h"
#include "messageaddupdatedialog.h"
#include "messagesearchdialog.h"
#include "modalanswerer.h"
#include "notesearchdialog.h"
#include "pwdupdatedialog.h"
#include "registdialog.h"
#include "remindaddupdatedialog.h"
#include "remindsearchdialog.h"
#include "searchdialog.h"
#include "serverprocess.h"
#include "userfinddialog.h"
#include "userupdatedialog.h"
#include "workplanaddupdatedialog.h"
#include "workplansearchdialog.h"
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

// The dialogs whose confirm button has the shortcut "Return", set up as their
// openers set them up (records and users are children of the dialog). The work
// plan dialogs are not handed the user, which would ask the server for tags.
enum class ReturnCase {
    RemindAdd, RemindUpdate, MessageAdd, MessageUpdate, AccountAdd, AccountUpdate, PlanAdd, PlanUpdate,
    UserUpdate, Register, Password, AccountSearch, NoteSearch, PlanSearch, RemindSearch, MessageSearch, UserFind,
};

std::unique_ptr<QDialog> openForReturn(ReturnCase which)
{
    std::unique_ptr<QDialog> dialog;
    auto *user = new DomainUser;
    user->setUsername(QStringLiteral("alice"));
    user->setGrade(1);
    switch (which) {
    case ReturnCase::RemindAdd:
    case ReturnCase::RemindUpdate: {
        auto *remind = new RemindAddUpdateDialog;
        dialog.reset(remind);
        remind->receiveUser(*user);
        if (which == ReturnCase::RemindUpdate) {
            auto *row = new DomainRemind(remind);
            row->setId(5);
            row->setRemindDate(QStringLiteral("2020-01-01"));
            row->setContent(QStringLiteral("旧的提醒"));
            remind->receiveRemind(*row);
        }
        break;
    }
    case ReturnCase::MessageAdd:
    case ReturnCase::MessageUpdate: {
        auto *message = new MessageAddUpdateDialog;
        dialog.reset(message);
        if (which == ReturnCase::MessageUpdate) {
            auto *row = new DomainMessage(message);
            row->setId(5);
            message->receiveMessage(*row);
        }
        break;
    }
    case ReturnCase::AccountAdd:
    case ReturnCase::AccountUpdate: {
        auto *account = new AccountAddUpdateDialog;
        dialog.reset(account);
        QString name = user->getUsername();
        account->receiveUser(name);
        if (which == ReturnCase::AccountUpdate) {
            auto *row = new DomainAccount(account);
            row->setId(5);
            account->receiveAccount(*row);
        }
        break;
    }
    case ReturnCase::PlanAdd:
    case ReturnCase::PlanUpdate: {
        auto *plan = new WorkPlanAddUpdateDialog;
        dialog.reset(plan);
        if (which == ReturnCase::PlanUpdate) {
            auto *row = new DWorkPlan(plan);
            row->setId(5);
            plan->receiveWorkPlan(*row);
        }
        break;
    }
    case ReturnCase::UserUpdate: {
        auto *update = new UserUpdateDialog;
        dialog.reset(update);
        user->setTelephone(QStringLiteral("1390000"));
        update->recevieUser(*user, 2);
        break;
    }
    case ReturnCase::Register:
        dialog = std::make_unique<RegistDialog>();
        break;
    case ReturnCase::Password: {
        auto *password = new PwdUpdateDialog;
        dialog.reset(password);
        password->receiveUser(*user, 1);
        break;
    }
    case ReturnCase::AccountSearch:
        dialog = std::make_unique<SearchDialog>();
        break;
    case ReturnCase::NoteSearch:
        dialog = std::make_unique<NoteSearchDialog>();
        break;
    case ReturnCase::PlanSearch:
        dialog = std::make_unique<WorkPlanSearchDialog>();
        break;
    case ReturnCase::RemindSearch:
        dialog = std::make_unique<RemindSearchDialog>();
        break;
    case ReturnCase::MessageSearch:
        dialog = std::make_unique<MessageSearchDialog>();
        break;
    case ReturnCase::UserFind:
        dialog = std::make_unique<UserFindDialog>();
        break;
    }
    user->setParent(dialog.get());
    return dialog;
}

// The first field of the form that a person can type into (not the line edit
// inside a spin box, date edit or combo box).
QLineEdit *firstField(QDialog *dialog)
{
    for (QWidget *w = dialog->nextInFocusChain(); w != dialog; w = w->nextInFocusChain()) {
        auto *edit = qobject_cast<QLineEdit *>(w);
        if (edit && edit->isVisible() && edit->isEnabled() && !edit->isReadOnly() && !edit->objectName().isEmpty()
            && !edit->objectName().startsWith(QLatin1String("qt_")))
            return edit;
    }
    return nullptr;
}

int storedId(const QString &accountName)
{
    const QJsonArray rows = ServerProcess::rows(kEntity, QStringLiteral(" and accountName = '%1'").arg(accountName));
    return rows.isEmpty() ? 0 : rows.at(0).toObject().value(QStringLiteral("id")).toInt();
}

} // namespace

Q_DECLARE_METATYPE(ReturnCase)

class TestKitWriteStep : public QObject
{
    Q_OBJECT

private slots:
    void refusedWriteKeepsDialogOpenAndRecordUnchanged();
    void addOrUpdateByIdAndWriteBackOnSuccess();
    void stayOpenAfterSaveThenEndAccepted();
    void requestKeysAndButtonsWhileWaiting();
    void returnKeyConfirms_data();
    void returnKeyConfirms();
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

void TestKitWriteStep::returnKeyConfirms_data()
{
    QTest::addColumn<ReturnCase>("which");
    QTest::addColumn<QString>("problem"); // the box of the confirm's first check
    const QString date = QStringLiteral("提醒日期必须大于今天");
    const QString message = QStringLiteral("发布的信息不能为空");
    const QString account = QStringLiteral("你要注册哪个门户用户，这个名字不能为空");
    const QString tag = QStringLiteral("标签不能为空, 因为标签是识别同一类计划的标识!");
    const QString search = QStringLiteral("请选择左侧查询开关");
    QTest::newRow("reminder add") << ReturnCase::RemindAdd << date;
    QTest::newRow("reminder update") << ReturnCase::RemindUpdate << date;
    QTest::newRow("message add") << ReturnCase::MessageAdd << message;
    QTest::newRow("message update") << ReturnCase::MessageUpdate << message;
    QTest::newRow("account add") << ReturnCase::AccountAdd << account;
    QTest::newRow("account update") << ReturnCase::AccountUpdate << account;
    QTest::newRow("work plan add") << ReturnCase::PlanAdd << tag;
    QTest::newRow("work plan update") << ReturnCase::PlanUpdate << tag;
    QTest::newRow("user update") << ReturnCase::UserUpdate << QStringLiteral("手机号码至少11位，请检查");
    QTest::newRow("registration") << ReturnCase::Register << QStringLiteral("用户名不能为空");
    QTest::newRow("password") << ReturnCase::Password << QStringLiteral("旧密码不能为空");
    QTest::newRow("account search") << ReturnCase::AccountSearch << search;
    QTest::newRow("note search") << ReturnCase::NoteSearch << search;
    QTest::newRow("work plan search") << ReturnCase::PlanSearch << search;
    QTest::newRow("reminder search") << ReturnCase::RemindSearch << search;
    QTest::newRow("message search") << ReturnCase::MessageSearch << search;
    QTest::newRow("user search") << ReturnCase::UserFind << search;
}

// Return typed in a field of the shown dialog runs its confirm, never its
// cancel: the confirm's first check answers, and the dialog stays open.
void TestKitWriteStep::returnKeyConfirms()
{
    QFETCH(ReturnCase, which);
    QFETCH(QString, problem);
    const std::unique_ptr<QDialog> dialog = openForReturn(which);
    dialog->show();
    dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QLineEdit *field = firstField(dialog.get());
    QVERIFY(field);
    field->setFocus();

    ModalAnswerer answerer;
    answerer.box(QString(), problem, QStringLiteral("知道了"));
    QTest::keyClick(field, Qt::Key_Return);
    QTRY_VERIFY_WITH_TIMEOUT(answerer.allAnswered() || !dialog->isVisible(), 3000); // the shortcut's click is animated
    ANSWERED(answerer);
    QVERIFY(dialog->isVisible());
}

QTEST_MAIN(TestKitWriteStep)
#include "tst_kit_writestep.moc"
