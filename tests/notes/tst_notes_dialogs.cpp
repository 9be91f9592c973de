// Writing notes against the real server, as a person would: adding one with an
// attachment from the notes window and downloading it again, changing it and
// replacing the attachment, saving and staying, the checks of the form, the
// size limits by grade, and uploads that are refused or cut off.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextCursor>
#include <QtTest>

#include "attachmentname.h"
#include "domainnote.h"
#include "domainuser.h"
#include "guidriver.h"
#include "httpstub.h"
#include "modalanswerer.h"
#include "noteaddupdatedialog.h"
#include "notejson.h"
#include "notetesting.h"
#include "notewindow.h"
#include "serverprocess.h"

namespace {

QByteArray randomBytes(int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &b : bytes)
        b = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The widgets of an add/update dialog by their form names.
struct Form {
    QWidget *dialog;
    template<class T>
    T *w(const char *name) const
    {
        return dialog->findChild<T *>(QString::fromLatin1(name));
    }
    QPushButton *button(const char *name) const { return w<QPushButton>(name); }
    QTextEdit *editor() const { return w<QTextEdit>("textEdit_content"); }
    void typeTitle(const QString &title) const
    {
        w<QLineEdit>("lineEdit_title")->clear();
        GuiDriver::type(w<QLineEdit>("lineEdit_title"), title);
    }
    // Chooses the attachment through the file dialog, as a person does.
    bool attach(const QString &path) const
    {
        ModalAnswerer answerer;
        GuiDriver::chooseFile(answerer, path);
        QTest::mouseClick(button("PushButton_attachedFile"), Qt::LeftButton);
        return answerer.allAnswered() && answerer.problems().isEmpty();
    }
    // Presses a button that writes, answering the box it brings (if any).
    QStringList press(const char *name, const QString &boxText = QString()) const
    {
        // A dialog run modally would count as unexpected to a new answerer.
        if (boxText.isNull() && dialog->isModal()) {
            QTest::mouseClick(button(name), Qt::LeftButton);
            return {};
        }
        ModalAnswerer answerer;
        if (!boxText.isNull())
            answerer.box(QStringLiteral("提示信息"), boxText, QStringLiteral("知道了"));
        QTest::mouseClick(button(name), Qt::LeftButton);
        QStringList problems = answerer.problems();
        if (!answerer.allAnswered())
            problems << QStringLiteral("no box with \"%1\"").arg(boxText);
        return problems;
    }
};

// An add dialog of one logged-in user, shown.
struct Writing {
    DomainUser user;
    NoteAddUpdateDialog dialog;
    Form form{&dialog};

    Writing(const QString &name, int grade)
    {
        logIn(user, name, grade);
        dialog.receiveUser(user);
        dialog.show();
    }
};

} // namespace

class TestNotesDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void addWithAnAttachmentAndDownloadIt();
    void changeReplacesTheAttachment();
    void saveStaysAndUploadsOnce();
    void contentKeepsItsFormWhetherTouchedOrNot();
    void formChecksCountBlankContentAsEmpty();
    void sizeLimitsByGrade_data();
    void sizeLimitsByGrade();
    void refusedUploadWritesNothing();
    void interruptedUploadWritesNothing();
    void attachmentNamesShownAsChosen_data();
    void attachmentNamesShownAsChosen();

private:
    // A note of `owner` with an attachment, added through the dialog.
    bool addWithAttachment(DomainUser &owner, const QString &title, const QString &path);
    QStringList noteFiles() const { return QDir(server.dataDir() + "/files/note").entryList(QDir::Files); }

    ServerProcess server;
    QTemporaryDir dir;
};

void TestNotesDialogs::initTestCase()
{
    QVERIFY(server.start());
}

bool TestNotesDialogs::addWithAttachment(DomainUser &owner, const QString &title, const QString &path)
{
    NoteAddUpdateDialog dialog;
    dialog.receiveUser(owner);
    dialog.show();
    const Form form{&dialog};
    form.typeTitle(title);
    return form.attach(path) && form.press("PushButton_confirem").isEmpty() && dialog.result() == QDialog::Accepted;
}

void TestNotesDialogs::addWithAnAttachmentAndDownloadIt()
{
    const QByteArray bytes = randomBytes(200 * 1024);
    const QString chosen = writeFile(dir.filePath("report.final.pdf"), bytes);
    QVERIFY(!chosen.isEmpty());
    DomainUser user;
    logIn(user, QStringLiteral("writer"), 2);
    NoteWindow window;
    window.receiveUser(user, 1);
    window.show();

    QStringList seen;
    {
        ModalAnswerer answerer;
        answerer.dialog("NoteAddUpdateDialog", [&](QWidget *w) {
            const Form form{w};
            seen << w->windowTitle() << form.button("PushButton_confirem")->text()
                 << (form.button("PushButton_save")->isVisible() ? "save shown" : "save hidden");
            form.w<QComboBox>("comboBox_mold")->setCurrentText(QStringLiteral("读书笔记"));
            form.typeTitle(QStringLiteral("附件笔记"));
            GuiDriver::type(form.editor(), QStringLiteral("第一行"));
            if (!form.attach(chosen))
                seen << "no file dialog";
            seen << form.w<QLabel>("label_attachedFile")->text() << form.button("PushButton_attachedFile")->text();
            seen << form.press("PushButton_confirem");
        });
        window.findChild<QAction *>(QStringLiteral("addAction"))->trigger();
        QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
        QVERIFY(answerer.allAnswered());
    }
    QVERIFY2(seen == QStringList({"添加笔记", "添   加", "save hidden", "report.final.pdf", "更新附件"}), qPrintable(seen.join("|")));

    // Stored under a name of its own, as chosen, the ".final" kept.
    const QJsonObject note = storedNote(QStringLiteral("writer"), QStringLiteral("附件笔记"));
    const QString name = note.value("attachedFile").toString();
    QVERIFY2(QRegularExpression(QStringLiteral("^report\\.final_\\d{13}\\.pdf$")).match(name).hasMatch(), qPrintable(name));
    QCOMPARE(note.value("content").toString(), QStringLiteral("第一行"));
    QCOMPARE(note.value("mold").toString(), QStringLiteral("读书笔记"));
    QCOMPARE(note.value("remindFrequency").toString(), QString());
    QCOMPARE(readFile(server.dataDir() + "/files/note/" + name), bytes);

    // The window lists it (the user's shown notes) and downloads it again.
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QCOMPARE(table->rowCount(), 1);
    QWidget *cell = table->cellWidget(0, 15);
    QVERIFY(cell);
    QCOMPARE(cell->findChild<QLabel *>()->text(), QStringLiteral("report.final.pdf"));
    const QString target = dir.filePath(QStringLiteral("downloaded.pdf"));
    ModalAnswerer saving;
    GuiDriver::chooseFile(saving, target);
    QTest::mouseClick(cell->findChild<QPushButton *>(), Qt::LeftButton);
    QTRY_VERIFY(saving.allAnswered());
    QTRY_COMPARE(QFileInfo(target).size(), qint64(bytes.size()));
    QCOMPARE(readFile(target), bytes);
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->inherits("DownLoadDialog"))
            w->close();
    }
}

void TestNotesDialogs::changeReplacesTheAttachment()
{
    DomainUser user;
    logIn(user, QStringLiteral("changer"), 3);
    const QString first = writeFile(dir.filePath("plan.xlsx"), randomBytes(1000));
    QVERIFY(addWithAttachment(user, QStringLiteral("计划"), first));
    const QString oldName = storedNote(QStringLiteral("changer"), QStringLiteral("计划")).value("attachedFile").toString();
    QVERIFY(noteFiles().contains(oldName));

    NoteWindow window;
    window.receiveUser(user, 1);
    DomainUi query;
    query.setCurPage(1);
    window.receiveDomainUi(query);
    window.show();
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QCOMPARE(table->rowCount(), 1);

    const QByteArray second = randomBytes(3000);
    const QString secondPath = writeFile(dir.filePath("second.txt"), second);
    QStringList seen;
    ModalAnswerer answerer;
    answerer.dialog("NoteAddUpdateDialog", [&](QWidget *w) {
        const Form form{w};
        seen << w->windowTitle() << form.button("PushButton_confirem")->text()
             << form.button("PushButton_attachedFile")->text() << form.w<QLabel>("label_attachedFile")->text();
        if (!form.attach(secondPath))
            seen << "no file dialog";
        seen << form.press("PushButton_confirem");
    });
    QVERIFY(GuiDriver::pickFromMenu(table, table->visualItemRect(table->item(0, 0)).center(), QStringLiteral("修改此行")));
    QVERIFY2(answerer.problems().isEmpty(), qPrintable(answerer.problems().join('\n')));
    QVERIFY(answerer.allAnswered());
    QVERIFY2(seen == QStringList({"更新笔记", "更   新", "更改附件", "plan.xlsx"}), qPrintable(seen.join("|")));

    const QString newName = storedNote(QStringLiteral("changer"), QStringLiteral("计划")).value("attachedFile").toString();
    QVERIFY2(newName.startsWith(QStringLiteral("second_")) && newName.endsWith(QStringLiteral(".txt")), qPrintable(newName));
    QCOMPARE(readFile(server.dataDir() + "/files/note/" + newName), second);
    // The replaced file is gone from the server.
    QVERIFY(!noteFiles().contains(oldName));
    // The window shows the change.
    QCOMPARE(table->cellWidget(0, 15)->findChild<QLabel *>()->text(), QStringLiteral("second.txt"));
}

void TestNotesDialogs::saveStaysAndUploadsOnce()
{
    DomainUser user;
    logIn(user, QStringLiteral("saver"), 5);
    QVERIFY(addWithAttachment(user, QStringLiteral("保存"), writeFile(dir.filePath("a.txt"), "first")));
    DomainNote note;
    NoteJson::fromJson(storedNote(QStringLiteral("saver"), QStringLiteral("保存")), note);
    const int filesBefore = noteFiles().size();

    NoteAddUpdateDialog dialog;
    dialog.receiveUser(user);
    dialog.receiveNote(note);
    dialog.show();
    const Form form{&dialog};
    QPushButton *save = form.button("PushButton_save");
    QVERIFY(save->isVisible());
    QVERIFY(!save->isEnabled());
    // Typing the title enables it.
    form.typeTitle(QStringLiteral("保存二"));
    QVERIFY(save->isEnabled());
    QVERIFY(form.attach(writeFile(dir.filePath("b.txt"), "second")));
    QCOMPARE(form.press("PushButton_save"), QStringList());
    QVERIFY(dialog.isVisible());
    QVERIFY(!save->isEnabled());
    const QString uploaded = storedNote(QStringLiteral("saver"), QStringLiteral("保存二")).value("attachedFile").toString();
    QVERIFY(uploaded.startsWith(QStringLiteral("b_")));
    QCOMPARE(noteFiles().size(), filesBefore); // a.txt's file replaced by b.txt's
    QCOMPARE(note.getAttachedFile(), uploaded);   // the caller's record follows

    // A second save sends the file no more.
    form.typeTitle(QStringLiteral("保存三"));
    QCOMPARE(form.press("PushButton_save"), QStringList());
    const QJsonObject again = storedNote(QStringLiteral("saver"), QStringLiteral("保存三"));
    QCOMPARE(again.value("attachedFile").toString(), uploaded);
    QCOMPARE(noteFiles().size(), filesBefore);
    QVERIFY(noteFiles().contains(uploaded));

    // Cancelled after a save, the dialog still tells its opener to reload.
    QTest::mouseClick(form.button("lPushButton_cancel"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestNotesDialogs::contentKeepsItsFormWhetherTouchedOrNot()
{
    const QString owner = QStringLiteral("keeper");
    // Plain text with line breaks and blanks, and HTML without a document head.
    const QList<QPair<QString, QString>> notes{{QStringLiteral("plain"), QStringLiteral("第一行\n第二行\n\n  缩进")},
                                               {QStringLiteral("html"), QStringLiteral("<p>这是一条<b>加粗</b>的笔记</p>")}};
    DomainUser user;
    logIn(user, owner, 1);
    for (const auto &[title, content] : notes) {
        QCOMPARE(ServerProcess::add(QStringLiteral("note"),
                                    QJsonObject{{"title", title}, {"content", content}, {"isShow", "展示"},
                                                {"isRemind", "关闭"}, {"grade", 1}, {"mold", "其它"}, {"loginName", owner}})
                     .value("flag").toInt(),
                 1);
        DomainNote note;
        NoteJson::fromJson(storedNote(owner, title), note);
        NoteAddUpdateDialog dialog;
        dialog.receiveUser(user);
        dialog.receiveNote(note);
        dialog.show();
        const Form form{&dialog};
        if (title == QLatin1String("plain"))
            QCOMPARE(form.editor()->toPlainText(), content);
        form.typeTitle(title + QStringLiteral("2"));
        QCOMPARE(form.press("PushButton_confirem"), QStringList());
        QCOMPARE(storedNote(owner, title + QStringLiteral("2")).value("content").toString(), content);

        // Typing into the content keeps its form: plain text stays plain, the
        // bold run of the HTML stays bold.
        NoteJson::fromJson(storedNote(owner, title + QStringLiteral("2")), note);
        NoteAddUpdateDialog typed;
        typed.receiveUser(user);
        typed.receiveNote(note);
        typed.show();
        const Form typing{&typed};
        typing.editor()->moveCursor(QTextCursor::End);
        GuiDriver::type(typing.editor(), QStringLiteral("!"));
        QCOMPARE(typing.press("PushButton_confirem"), QStringList());
        const QString stored = storedNote(owner, title + QStringLiteral("2")).value("content").toString();
        if (title == QLatin1String("plain")) {
            QCOMPARE(stored, content + QStringLiteral("!"));
        } else {
            QVERIFY2(stored.startsWith(QLatin1String("<body")) && stored.endsWith(QLatin1String("</body>")),
                     qPrintable(stored));
            QVERIFY2(stored.contains(QStringLiteral("font-weight:700;\">加粗</span>")), qPrintable(stored));
            QVERIFY2(stored.contains(QStringLiteral("的笔记!")), qPrintable(stored));
        }
    }
}

void TestNotesDialogs::formChecksCountBlankContentAsEmpty()
{
    Writing writing(QStringLiteral("checker"), 2);
    NoteAddUpdateDialog &dialog = writing.dialog;
    const Form &form = writing.form;
    // Neither title nor content.
    QCOMPARE(form.press("PushButton_confirem", QStringLiteral("笔记主题和笔记内容必须填写其中一个!")), QStringList());
    // Formatted blanks are no content either.
    form.w<QAction>("actionBold")->trigger();
    GuiDriver::type(form.editor(), QStringLiteral("   "));
    QCOMPARE(form.press("PushButton_confirem", QStringLiteral("笔记主题和笔记内容必须填写其中一个!")), QStringList());
    // The reminder's checks come first.
    form.w<QComboBox>("comboBox_isRemind")->setCurrentText(QStringLiteral("开启"));
    form.w<QCheckBox>("checkBox_remindMethod")->setChecked(true);
    form.w<QLineEdit>("lineEdit_remindMethodBody")->clear();
    QCOMPARE(form.press("PushButton_confirem", QStringLiteral("既然选择了邮件提醒,请输入邮箱名称")), QStringList());
    GuiDriver::type(form.w<QLineEdit>("lineEdit_remindMethodBody"), QStringLiteral("a@b"));
    QCOMPARE(form.press("PushButton_confirem", QStringLiteral("请输入正确的邮箱")), QStringList());
    QVERIFY(dialog.isVisible());
    QVERIFY(storedNote(QStringLiteral("checker"), QString()).isEmpty());

    // Content alone is enough; the e-mail reminder is stored.
    GuiDriver::type(form.w<QLineEdit>("lineEdit_remindMethodBody"), QStringLiteral(".cn"));
    form.w<QComboBox>("comboBox_remindFrequency")->setCurrentText(QStringLiteral("每周邮件提醒"));
    GuiDriver::type(form.editor(), QStringLiteral("内容"));
    QCOMPARE(form.press("PushButton_confirem"), QStringList());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QJsonArray rows = ServerProcess::rows(QStringLiteral("note"), QStringLiteral(" and loginName ='checker'"));
    QCOMPARE(rows.size(), 1);
    const QJsonObject note = rows.at(0).toObject();
    QCOMPARE(note.value("title").toString(), QString());
    QVERIFY(note.value("content").toString().startsWith(QStringLiteral("<body")));
    QCOMPARE(note.value("remindMethod").toString(), QStringLiteral("邮件"));
    QCOMPARE(note.value("remindMethodBody").toString(), QStringLiteral("a@b.cn"));
    QCOMPARE(note.value("remindFrequency").toString(), QStringLiteral("每周邮件提醒"));
    QVERIFY(!note.contains("attachedFile") || note.value("attachedFile").toString().isEmpty());
}

void TestNotesDialogs::sizeLimitsByGrade_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("style");
    QTest::newRow("grade 1 at the limit") << 1 << 102400 << "f.bin" << "color:black;";
    QTest::newRow("grade 1 over") << 1 << 102401 << "文件超过100KB,您的权限不能添加超过100KB的附件 " << "color:red;";
    QTest::newRow("grade 3 over") << 3 << 512001 << "文件超过500KB,您的权限不能添加超过500KB的附件 " << "color:red;";
    QTest::newRow("grade 4 at the limit") << 4 << 10485760 << "f.bin" << "color:black;";
    QTest::newRow("grade 5") << 5 << 10485761 << "f.bin" << "";
    QTest::newRow("grade 0") << 0 << 10485761 << "" << "";
}

void TestNotesDialogs::sizeLimitsByGrade()
{
    QFETCH(int, grade);
    QFETCH(int, size);
    QFETCH(QString, label);
    QFETCH(QString, style);
    QFile file(dir.filePath("f.bin"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(size));
    file.close();
    Writing writing(QStringLiteral("limits"), grade);
    const Form &form = writing.form;
    QVERIFY(form.attach(file.fileName()));
    QCOMPARE(form.w<QLabel>("label_attachedFile")->text(), label);
    QCOMPARE(form.w<QLabel>("label_attachedFile")->styleSheet(), style);
    QCOMPARE(form.button("PushButton_attachedFile")->text(), QStringLiteral("更新附件"));
}

void TestNotesDialogs::refusedUploadWritesNothing()
{
    Writing writing(QStringLiteral("refused"), 2);
    NoteAddUpdateDialog &dialog = writing.dialog;
    const Form &form = writing.form;
    form.typeTitle(QStringLiteral("空文件"));
    QVERIFY(form.attach(writeFile(dir.filePath("empty.txt"), QByteArray())));
    // The server refuses an empty file; the note is not written and the form stays.
    QCOMPARE(form.press("PushButton_confirem", QStringLiteral("文件内容为空，无法保存")), QStringList());
    QVERIFY(dialog.isVisible());
    QVERIFY(ServerProcess::rows(QStringLiteral("note"), QStringLiteral(" and loginName ='refused'")).isEmpty());
}

void TestNotesDialogs::interruptedUploadWritesNothing()
{
    Writing writing(QStringLiteral("cut"), 2);
    NoteAddUpdateDialog &dialog = writing.dialog;
    const Form &form = writing.form;
    form.typeTitle(QStringLiteral("断线"));
    QVERIFY(form.attach(writeFile(dir.filePath("cut.txt"), randomBytes(50000))));

    // The connection breaks off during the upload.
    server.stop();
    HttpStub stub;
    QVERIFY(stub.listen(8091));
    StubResponse cut;
    cut.drop = true;
    stub.enqueue(cut);
    QCOMPARE(form.press("PushButton_confirem", QStringLiteral("没有网络连接或是数据请求错误")), QStringList());
    QVERIFY(dialog.isVisible());
    QVERIFY(!stub.requests.isEmpty());
    for (const StubRequest &request : stub.requests) // the upload only, no note
        QCOMPARE(request.path, QByteArray("/android/note/updateImage"));
    stub.close();
    QVERIFY(server.start());
    QVERIFY(ServerProcess::rows(QStringLiteral("note"), QStringLiteral(" and loginName ='cut'")).isEmpty());
}

void TestNotesDialogs::attachmentNamesShownAsChosen_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    const qint64 at = 1700000000000;
    for (const QString &chosen : {QStringLiteral("report.final.pdf"), QStringLiteral("my_notes.docx"),
                                  QStringLiteral("README"), QStringLiteral("a_b"), QStringLiteral(".profile")})
        QTest::newRow(qPrintable(chosen)) << chosen << AttachmentName::stored(chosen, at) << chosen;
    // Names the server holds from elsewhere are shown as they are.
    for (const QString &stored : {QStringLiteral("plain"), QStringLiteral("photo.jpg"), QStringLiteral("data_2024"),
                                  QStringLiteral("a.b_c"), QStringLiteral("trailing_")})
        QTest::newRow(qPrintable(stored)) << QString() << stored << stored;
}

void TestNotesDialogs::attachmentNamesShownAsChosen()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(AttachmentName::display(stored), shown);
}

QTEST_MAIN(TestNotesDialogs)
#include "tst_notes_dialogs.moc"
