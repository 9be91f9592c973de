#include "tableloader.h"

#include "dueprompt.h"
#include "inputhold.h"
#include "loadguard.h"
#include "noticebox.h"

QJsonObject TableLoader::Hooks::requestDue(const QJsonObject &)
{
    return {};
}

void TableLoader::Hooks::replaceRows(const QJsonArray &rows)
{
    clearRows();
    fillRows(rows);
}

void TableLoader::Hooks::afterLoad() {}

void TableLoader::Hooks::toExcel() {}

TableLoader::TableLoader(QWidget *window, Hooks *hooks, int pageSize, ListRequest::EmptyCondition empty)
    : window(window), hooks(hooks), emptyCondition(empty)
{
    query.setCurPage(1);
    query.setPageSize(pageSize);
    query.setOrder(QStringLiteral("desc"));
}

void TableLoader::setPaging(const PagingBar &bar)
{
    paging = bar;
}

TableLoader::Work::Work(TableLoader &loader) : loader(loader)
{
    if (loader.working++ == 0)
        loader.closed = false;
}

TableLoader::Work::~Work()
{
    // Each query asked for while this one ran replaces the one before; the
    // last runs now, and may itself leave another behind.
    if (--loader.working == 0 && loader.pending) {
        const std::function<void()> next = std::move(loader.pending);
        loader.pending = nullptr;
        next();
    }
}

bool TableLoader::exchange(const std::function<void()> &call)
{
    if (closed)
        return false;
    // The work ends after the wait, so that a query kept meanwhile runs unhindered.
    const Work work(*this);
    const LoadGuard wait(waiting);
    if (!wait.entered())
        return false;
    const InputHold hold(window, [this] {
        pending = nullptr;
        closed = true;
    });
    call();
    return true;
}

void TableLoader::showPaging()
{
    paging.show(query.getTotalCount(), dueView ? 1 : query.getCurPage(), shownPageSize);
}

bool TableLoader::show(const QJsonObject &reply, bool due)
{
    dueView = due;
    shownPageSize = query.getPageSize();
    QJsonArray list;
    if (!ListRequest::rows(reply, list)) {
        // Nothing of an earlier load stays on show as if it were this one's.
        shown = QJsonArray();
        hooks->clearRows();
        query.setTotalCount(0);
        showPaging();
        paging.setStatus(reply.value(QStringLiteral("temporary")).toString());
        return false;
    }
    shown = list;
    hooks->replaceRows(shown);
    query.setTotalCount(ListRequest::totalCount(reply));
    if (due) // the due entries are shown on one page
        shownPageSize = query.getTotalCount();
    showPaging();
    hooks->afterLoad();
    return true;
}

bool TableLoader::load()
{
    bool loaded = false;
    exchange([this, &loaded] {
        ListRequest::fill(request, query.getCurPage(), query.getPageSize(), query.getConditionStr(),
                          query.getOrder(), emptyCondition);
        loaded = show(hooks->requestList(request), false);
    });
    return loaded;
}

void TableLoader::findAll()
{
    if (waiting)
        return;
    const Work work(*this);
    const bool loaded = load();
    const int lastPage = PagingBar::pageCount(query.getTotalCount(), query.getPageSize());
    if (loaded && !pending && shown.isEmpty() && lastPage >= 1 && query.getCurPage() > lastPage) {
        query.setCurPage(lastPage);
        load();
    }
    if (exportPending) {
        exportPending = false;
        if (loaded && !closed)
            hooks->toExcel();
    }
}

void TableLoader::reload(const QString &dueCondition)
{
    if (!dueView || !due) {
        findAll();
        return;
    }
    const QString condition =
        !dueCondition.isEmpty() ? dueCondition : !due->again.isEmpty() ? due->again : due->condition;
    exchange([this, &condition] { show(hooks->requestDue(ListRequest::due(condition, query.getOrder())), true); });
}

void TableLoader::select(const QString &condition, int pageSize, int curPage)
{
    if (waiting) {
        pending = [this, condition, pageSize, curPage] { select(condition, pageSize, curPage); };
        return;
    }
    const Work work(*this);
    query.setConditionStr(condition);
    if (pageSize >= 1)
        query.setPageSize(pageSize);
    if (curPage > 0)
        query.setCurPage(curPage);
    findAll();
}

void TableLoader::back()
{
    if (waiting || query.getCurPage() < 2)
        return;
    query.setCurPage(query.getCurPage() - 1);
    findAll();
}

void TableLoader::next()
{
    if (waiting || query.getTotalCount() <= qint64(query.getCurPage()) * query.getPageSize())
        return;
    query.setCurPage(query.getCurPage() + 1);
    findAll();
}

void TableLoader::choose(int selectorIndex)
{
    if (waiting || selectorIndex < 0)
        return;
    query.setCurPage(selectorIndex + 1);
    findAll();
}

void TableLoader::open(const QString &condition, const std::optional<Due> &dueEntries)
{
    if (waiting) {
        pending = [this, condition, dueEntries] { open(condition, dueEntries); };
        return;
    }
    const Work work(*this);
    due = dueEntries;
    query.setConditionStr(condition);
    findAll();
    if (!due)
        return;

    // A query asked for during the waits takes this opening's place: its
    // question is no longer asked. Nor is it once the window was closed (the
    // exchange refuses).
    QJsonObject reply;
    if (!pending)
        exchange([this, &reply] { reply = hooks->requestDue(ListRequest::due(due->condition, query.getOrder())); });
    if (due->pageSizeAfter >= 1)
        query.setPageSize(due->pageSizeAfter);
    QJsonArray entries;
    if (pending || !ListRequest::rows(reply, entries) || entries.isEmpty())
        return;
    if (!DuePrompt::ask(due->title, entries.size(), due->countWords, due->informative))
        return;
    exchange([this, &reply] { show(reply, true); });
}

bool TableLoader::remove(const QJsonObject &record, const std::function<QJsonObject(const QJsonObject &)> &send,
                         const std::function<void(const QString &)> &refused, const QString &dueCondition)
{
    const Work work(*this);
    QJsonObject reply;
    if (!exchange([&] { reply = send(ListRequest::deletion(record)); }))
        return false;
    if (reply.value(QStringLiteral("flag")).toInt() != 1) {
        refused(reply.value(QStringLiteral("temporary")).toString());
        return false;
    }
    reload(dueCondition);
    return true;
}

void TableLoader::backup(const BackupBox &box)
{
    if (waiting)
        return;
    const Work work(*this);
    if (query.getTotalCount() <= shownPageSize) {
        hooks->toExcel();
        return;
    }
    const int choice = NoticeBox::choose(
        QMessageBox::NoIcon, box.title, box.text, box.informative,
        {QStringLiteral("全部导出"), QStringLiteral("导出当前"), QStringLiteral("取消操作")});
    if (choice == 1) {
        hooks->toExcel();
    } else if (choice == 0) {
        // Every row of the condition in force, on one page; the window keeps
        // showing them, and later loads page with the page size it had.
        const int pageSize = query.getPageSize();
        exportPending = true;
        query.setPageSize(query.getTotalCount());
        query.setCurPage(1);
        findAll();
        query.setPageSize(pageSize);
    }
}
