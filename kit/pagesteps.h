#ifndef PAGESTEPS_H
#define PAGESTEPS_H

#include <functional>

class DomainUi;

// The paging of a table window: the previous and next buttons, a choice in the
// page selector and the page numbers of a received query move the window's
// current page and load it, unless a request of the window still waits (then
// the step is dropped, so rows are never loaded twice). The numbers stay the
// window's own members; the steps only point at them.
class PageSteps
{
public:
    using Load = std::function<void()>;

    PageSteps() = default;
    PageSteps(int *curPage, int *pageSize, const int *totalCount, const bool *busy, Load load);

    // One page back, from page 2 on.
    void back();
    // One page on, while rows lie beyond the current page.
    void on();
    // The page of a selector item (index from 0; -1, no item, does nothing).
    void choose(int selectorIndex);
    // Takes a received query's page size (unless 0; also into `own`, the
    // window's query state) and its page (when above 0). Loads nothing.
    void take(const DomainUi &query, DomainUi &own);

private:
    bool idle() const { return load && !(busy && *busy); }

    int *curPage = nullptr;
    int *pageSize = nullptr;
    const int *totalCount = nullptr;
    const bool *busy = nullptr;
    Load load;
};

#endif // PAGESTEPS_H
