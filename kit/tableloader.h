#ifndef TABLELOADER_H
#define TABLELOADER_H

#include <QJsonArray>
#include <QJsonObject>
#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

#include "domainui.h"
#include "listrequest.h"
#include "pagingbar.h"

class QWidget;

// What every table window does with its pages, whatever its rows look like:
// the query and paging state (held in a DomainUi: current page, page size,
// total count, condition, order), the one list request the window reuses,
// the paging row and status line, the load of a page, paging, the due view,
// deleting a row's record and the backup of all pages.
//
// Every exchange with the server goes through one guarded path: while a
// request of the window waits, the user's presses on the window are held off
// (InputHold) and a second load, delete or paging step is dropped. A new query
// or an opening asked for meanwhile from outside the window (a dashboard
// preset, a search dialog) is not lost: the one asked for last runs as soon as
// the window's current work is done, so the window ends on it. Closing the
// window during a wait drops it, and the rest of the work under way: nothing
// more is sent, asked or written; the window shown again works afresh.
// The rows shown stay until the reply is there; then they give way to the
// reply's rows at once, or to none when the load failed.
//
// The window supplies its requests and its rows through Hooks.
class TableLoader
{
public:
    class Hooks
    {
    public:
        virtual ~Hooks() = default;
        // Sends a list request (the endpoint's findByCondition) and returns
        // the result object.
        virtual QJsonObject requestList(const QJsonObject &request) = 0;
        // Sends the request for the due entries (findByRemindDay). Only
        // windows that open with a due view are asked.
        virtual QJsonObject requestDue(const QJsonObject &request);
        // Empties the table (or tree) and the records of the rows shown.
        virtual void clearRows() = 0;
        // Shows one row per element of a list reply, in order, behind the rows
        // there are (after clearRows(): the only ones).
        virtual void fillRows(const QJsonArray &rows) = 0;
        // Shows the rows of a new load in place of the rows shown: clearRows()
        // and fillRows(). A window may reuse the rows it has instead.
        virtual void replaceRows(const QJsonArray &rows);
        // Runs after the rows and the paging row of a load are shown.
        virtual void afterLoad();
        // Writes the rows shown (rows()) into a workbook.
        virtual void toExcel();
    };

    // The due view a window offers when it is opened: the condition of the
    // due request and the words of the question asked about the entries found.
    struct Due {
        Due(const QString &condition, const QString &title, const QString &countWords, const QString &informative,
            const QString &again = QString(), int pageSizeAfter = 0)
            : condition(condition), title(title), countWords(countWords), informative(informative), again(again),
              pageSizeAfter(pageSizeAfter)
        {
        }
        QString condition;
        QString title;
        QString countWords;
        QString informative;
        // The condition of the due request sent again after a change or a
        // deletion in the due view; empty: the same as on opening.
        QString again;
        // The page size of the loads after the question; 0 keeps the window's.
        int pageSizeAfter;
    };

    // The scope question of a backup of several pages.
    struct BackupBox {
        QString title;
        QString text;
        QString informative;
    };

    // `window` is the widget whose input is held off during a wait; `pageSize`
    // the page size it starts with; `empty` what a load does with an empty condition.
    TableLoader(QWidget *window, Hooks *hooks, int pageSize,
                ListRequest::EmptyCondition empty = ListRequest::EmptyCondition::Omit);

    // The window's paging row (and status line), built from its form.
    void setPaging(const PagingBar &bar);

    // The query and paging state: curPage, pageSize, totalCount of the last
    // load, conditionStr of the window, order ("desc"). Handed to search dialogs.
    DomainUi &state() { return query; }
    const DomainUi &state() const { return query; }
    // The "dList" of the rows shown (a page, every page of a backup, or the due entries).
    const QJsonArray &rows() const { return shown; }
    // True while a request of the window waits for the server.
    bool busy() const { return waiting; }
    // True once the window has sent a list request.
    bool requested() const { return !request.isEmpty(); }
    // True while the window shows its due entries instead of a page.
    bool inDueView() const { return dueView; }

    // Runs one exchange with the server, unless one is waiting already or the
    // window was closed during the work under way (then false and nothing
    // runs). The window's input is held off meanwhile.
    bool exchange(const std::function<void()> &call);

    // Loads the current page with the window's condition. A page that comes
    // back empty behind the last page (its last rows were deleted) steps back
    // to the last page. A failed load shows the reason in the status line, no
    // rows and a total of 0.
    void findAll();
    // Loads again what is shown: the due entries in the due view (asked with
    // `dueCondition` when given), else the page.
    void reload(const QString &dueCondition = QString());
    // A new query: the condition, a page size (taken when 1 or more; 0 keeps
    // the window's and below 0 is refused) and a page (taken when above 0);
    // leaves the due view and loads. Asked for while a request waits, it runs
    // once the window's current work is done, unless another is asked for later.
    void select(const QString &condition, int pageSize = 0, int curPage = 0);
    // The condition of the next loads, without loading.
    void setCondition(const QString &condition) { query.setConditionStr(condition); }

    // The paging steps of the paging row: one page back (from page 2 on), one
    // page on (while rows lie beyond the current page), the page of a selector item.
    void back();
    void next();
    void choose(int selectorIndex);
    // Page selector, page label, status line and paging buttons for what is shown.
    void showPaging();

    // Opening the window: loads the first condition's page and then, when
    // `due` is given, asks the server for the due entries; when there are some
    // and the user chooses "查看", shows them on one page (the due view). The
    // window's page stays as it was, and so does its page size unless the due
    // view gives one, for the loads after. Asked for while a request waits, it
    // runs as a query does (select).
    void open(const QString &condition, const std::optional<Due> &due = std::nullopt);

    // Deletes one record with the request {"dList": [record]} sent by `send`;
    // on success reloads what is shown (reload(dueCondition)), otherwise hands
    // the server's or the transport's text to `refused`. False when nothing
    // was deleted.
    bool remove(const QJsonObject &record, const std::function<QJsonObject(const QJsonObject &)> &send,
                const std::function<void(const QString &reason)> &refused,
                const QString &dueCondition = QString());

    // The backup: when every row is shown, toExcel() at once; otherwise asks
    // "全部导出" / "导出当前" / "取消操作". "全部导出" loads every row of the
    // condition on one page and writes them; the page size is restored for
    // the loads after.
    void backup(const BackupBox &box);

private:
    // One piece of the window's work, outermost or nested; the outermost
    // starts the window's work afresh, and when it ends, the query asked for
    // meanwhile runs.
    class Work
    {
    public:
        explicit Work(TableLoader &loader);
        ~Work();
        Work(const Work &) = delete;
        Work &operator=(const Work &) = delete;

    private:
        TableLoader &loader;
    };

    // One load of the current page; false when nothing was loaded.
    bool load();
    // Shows a list reply's rows; false (and the failure shown) when it has none.
    bool show(const QJsonObject &reply, bool due);

    QWidget *window;
    Hooks *hooks;
    ListRequest::EmptyCondition emptyCondition;
    DomainUi query;
    QJsonObject request;
    QJsonArray shown;
    PagingBar paging;
    std::optional<Due> due;
    int shownPageSize = 0; // the page size the rows shown were loaded with
    std::function<void()> pending; // the query asked for during a wait
    int working = 0;               // pieces of work under way (Work)
    bool waiting = false;
    bool closed = false; // the window was closed during the work under way
    bool dueView = false;
    bool exportPending = false;
};

#endif // TABLELOADER_H
