// Every window and dialog of the client, shown at its form's own size with
// what it shows on opening: no label's text is wider than the room the label
// gives it, so no text is cut.
#include <QLabel>
#include <QStyle>
#include <QTextDocument>
#include <QtMath>
#include <QtTest>

#include <functional>
#include <memory>

#include "httpstub.h"
#include "modalanswerer.h"

#include "accountaddupdatedialog.h"
#include "domainnote.h"
#include "domainui.h"
#include "domainuser.h"
#include "downloaddialog.h"
#include "dworkplan.h"
#include "loadingdialog.h"
#include "logindialog.h"
#include "mainwindow.h"
#include "messageaddupdatedialog.h"
#include "messagesearchdialog.h"
#include "messagewindow.h"
#include "musicplaydialog.h"
#include "noteaddupdatedialog.h"
#include "notesearchdialog.h"
#include "notewindow.h"
#include "pwdupdatedialog.h"
#include "registdialog.h"
#include "remindaddupdatedialog.h"
#include "remindsearchdialog.h"
#include "remindwindow.h"
#include "searchdialog.h"
#include "showcontentdialog.h"
#include "shownoteimagedialog.h"
#include "showplancontentdialog.h"
#include "summarywindow.h"
#include "userfinddialog.h"
#include "usermanagerform.h"
#include "userupdatedialog.h"
#include "waitdialog.h"
#include "wordwindow.h"
#include "workplanaddupdatedialog.h"
#include "workplansearchdialog.h"
#include "workplanwindow.h"

namespace {

// The width the label's text takes, as the label lays it out.
int textWidth(const QLabel *label)
{
    const Qt::TextFormat format = label->textFormat();
    if (format == Qt::RichText || format == Qt::MarkdownText
        || (format == Qt::AutoText && Qt::mightBeRichText(label->text()))) {
        QTextDocument document;
        document.setDocumentMargin(0);
        document.setDefaultFont(label->font());
        if (format == Qt::MarkdownText)
            document.setMarkdown(label->text());
        else
            document.setHtml(label->text());
        return qCeil(document.idealWidth());
    }
    return label->fontMetrics().size(Qt::TextExpandTabs, label->text()).width();
}

// The width the label draws its text in: the contents less margin and indent.
int room(const QLabel *label)
{
    int width = label->contentsRect().width() - 2 * label->margin();
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label->margin();
    if (indent > 0) {
        const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        if (align & Qt::AlignLeft)
            width -= indent;
        if (align & Qt::AlignRight)
            width -= indent;
    }
    return width;
}

// One line per shown label of the window whose one-line text does not fit.
QStringList cutLabels(const QWidget *window)
{
    QStringList cut;
    const QList<QLabel *> labels = window->findChildren<QLabel *>();
    for (const QLabel *label : labels) {
        if (!label->isVisible() || label->text().isEmpty() || label->wordWrap())
            continue;
        const int needed = textWidth(label);
        const int has = room(label);
        if (needed > has)
            cut << QStringLiteral("%1 \"%2\": needs %3 px, has %4")
                       .arg(label->objectName(), label->text())
                       .arg(needed)
                       .arg(has);
    }
    return cut;
}

} // namespace

class TestFormLabels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyLabelShowsItsWholeText_data();
    void everyLabelShowsItsWholeText();

private:
    using Make = std::function<QWidget *()>;

    HttpStub stub;
    DomainUser admin;
    QString loginName;
    DomainUi page;
    DomainNote note;
    DWorkPlan plan;
    QList<QPair<QString, Make>> forms;
};

void TestFormLabels::initTestCase()
{
    // Whatever a window asks on opening gets an answer: dashboard counts of
    // two digits, empty lists, and a refusal for anything else.
    QVERIFY(stub.listen());
    stub.setHandler([](const StubRequest &r) {
        if (r.path.endsWith("/findOfSummary"))
            return StubResponse::envelope(1, QStringLiteral("12-").repeated(17), QJsonValue::Null);
        if (r.path.endsWith("/findByCondition"))
            return StubResponse::list({}, 0);
        return StubResponse::raw(404, "no");
    });

    admin.setUsername(QStringLiteral("administrator"));
    admin.setGrade(5);
    admin.setEMail(QStringLiteral("administrator@example.com"));
    loginName = admin.getUsername();
    page.setPageSize(30);
    page.setCurPage(1);
    note.setTitle(QStringLiteral("读书笔记"));
    note.setMold(QStringLiteral("读书笔记"));
    plan.setTitle(QStringLiteral("设备效率提升"));
    plan.setMold(QStringLiteral("年度计划"));
    plan.setStartDate(QStringLiteral("2024-01-01"));
    plan.setEndDate(QStringLiteral("2024-12-31"));

    // Each as its window hands it over; the administrator sees every row.
    forms = {
        {"MainWindow", [this] { auto *w = new MainWindow; w->receiveUsername(admin); return w; }},
        {"SearchDialog", [this] {
             auto *w = new SearchDialog;
             w->receiveGrade(5);
             w->receiveDomainUi(page);
             return w;
         }},
        {"AccountAddUpdateDialog", [this] {
             auto *w = new AccountAddUpdateDialog;
             w->receiveUser(loginName);
             return w;
         }},
        {"NoteWindow", [this] { auto *w = new NoteWindow; w->receiveUser(admin, 1); return w; }},
        {"NoteAddUpdateDialog", [this] { auto *w = new NoteAddUpdateDialog; w->receiveUser(admin); return w; }},
        {"NoteSearchDialog", [this] {
             auto *w = new NoteSearchDialog;
             w->receiveGrade(5);
             w->receiveDomainUi(page);
             return w;
         }},
        {"ShowContentDialog", [this] { auto *w = new ShowContentDialog; w->receiveNote(note); return w; }},
        {"ShowNoteImageDialog", [] { return new ShowNoteImageDialog; }},
        {"WorkPlanWindow", [this] { auto *w = new WorkPlanWindow; w->receiveUser(admin, 1); return w; }},
        {"WorkPlanAddUpdateDialog", [this] {
             auto *w = new WorkPlanAddUpdateDialog; // opens maximised: here at its form's size
             w->receiveUser(admin);
             w->setWindowState(Qt::WindowNoState);
             w->resize(1079, 700);
             return w;
         }},
        {"WorkPlanSearchDialog", [this] {
             auto *w = new WorkPlanSearchDialog;
             w->receiveUser(admin);
             w->receiveDomainUi(page);
             return w;
         }},
        {"ShowPlanContentDialog", [this] {
             auto *w = new ShowPlanContentDialog;
             w->receiveWorkPlan(plan);
             return w;
         }},
        {"RemindWindow", [this] { auto *w = new RemindWindow; w->receiveUser(admin, 1); return w; }},
        {"RemindAddUpdateDialog", [this] { auto *w = new RemindAddUpdateDialog; w->receiveUser(admin); return w; }},
        {"RemindSearchDialog", [this] {
             auto *w = new RemindSearchDialog;
             w->receiveGrade(5);
             w->receiveDomainUi(page);
             return w;
         }},
        {"MessageWindow", [] { return new MessageWindow; }},
        {"MessageAddUpdateDialog", [] { return new MessageAddUpdateDialog; }},
        {"MessageSearchDialog", [] { return new MessageSearchDialog; }},
        {"UserManagerForm", [] { return new UserManagerForm; }},
        {"UserFindDialog", [] { return new UserFindDialog; }},
        {"UserUpdateDialog own profile", [this] {
             auto *w = new UserUpdateDialog;
             w->recevieUser(admin, 1);
             return w;
         }},
        {"UserUpdateDialog administration", [this] {
             auto *w = new UserUpdateDialog;
             w->recevieUser(admin, 2);
             return w;
         }},
        {"LoginDialog", [] { return new LoginDialog; }},
        {"RegistDialog", [] { return new RegistDialog; }},
        {"PwdUpdateDialog", [this] { auto *w = new PwdUpdateDialog; w->receiveUser(admin, 0); return w; }},
        {"SummaryWindow", [this] { auto *w = new SummaryWindow; w->receiveUser(admin); return w; }},
        {"DownLoadDialog", [] { return new DownLoadDialog; }},
        {"LoadingDialog", [] { return new LoadingDialog; }},
        {"MusicPlayDialog", [] { return new MusicPlayDialog; }},
        {"WaitDialog", [] { return new WaitDialog; }},
        {"WordWindow", [] { return new WordWindow; }},
    };
}

void TestFormLabels::everyLabelShowsItsWholeText_data()
{
    QTest::addColumn<int>("form");
    for (int i = 0; i < forms.size(); ++i)
        QTest::newRow(qPrintable(forms.at(i).first)) << i;
}

void TestFormLabels::everyLabelShowsItsWholeText()
{
    QFETCH(int, form);
    ModalAnswerer answerer; // no box is expected
    std::unique_ptr<QWidget> window(forms.at(form).second());
    const QSize formSize = window->size();
    window->show();
    window->resize(formSize);
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCoreApplication::processEvents();
    const QStringList cut = cutLabels(window.get());
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
    ANSWERED(answerer);
}

QTEST_MAIN(TestFormLabels)
#include "tst_formlabels.moc"
