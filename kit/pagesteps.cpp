#include "pagesteps.h"

#include "domainui.h"

PageSteps::PageSteps(int *curPage, int *pageSize, const int *totalCount, const bool *busy, Load load)
    : curPage(curPage), pageSize(pageSize), totalCount(totalCount), busy(busy), load(std::move(load))
{
}

void PageSteps::back()
{
    if (!idle() || *curPage < 2)
        return;
    --*curPage;
    load();
}

void PageSteps::on()
{
    if (!idle() || *pageSize < 1 || *totalCount <= qint64(*curPage) * *pageSize)
        return;
    ++*curPage;
    load();
}

void PageSteps::choose(int selectorIndex)
{
    if (!idle() || selectorIndex < 0)
        return;
    *curPage = selectorIndex + 1;
    load();
}

void PageSteps::take(const DomainUi &query, DomainUi &own)
{
    if (query.getPageSize() != 0) {
        *pageSize = query.getPageSize();
        own.setPageSize(*pageSize);
    }
    if (query.getCurPage() > 0)
        *curPage = query.getCurPage();
}
