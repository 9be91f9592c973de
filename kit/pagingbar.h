#ifndef PAGINGBAR_H
#define PAGINGBAR_H

#include <QString>

class QBoxLayout;
class QComboBox;
class QLabel;
class QPushButton;
class QSpacerItem;
class QStatusBar;

// The paging row and status line under a table: page selector, page label,
// previous/next buttons and an optional status-bar label. The mechanism is
// shared; each window gives its own texts.
class PagingBar
{
public:
    // A window's texts: patterns whose fields {curPage}, {pages}, {total} and
    // {pageSize} stand for the numbers of the page shown (in decimal). An
    // empty pattern leaves its label as it is.
    struct Texts {
        QString pageLabelMany; // label_pageMessage when there are several pages
        QString statusMany;    // status line when there are several pages
        QString pageLabelOne;  // label_pageMessage when all rows fit on one page
        QString statusOne;     // status line when all rows fit on one page
    };

    struct Widgets {
        QLabel *pageLabel = nullptr;
        QPushButton *previous = nullptr;
        QComboBox *selector = nullptr;
        QPushButton *next = nullptr;
        QBoxLayout *row = nullptr;      // the layout holding the widgets above
        QSpacerItem *leftSpacer = nullptr;
        QSpacerItem *rightSpacer = nullptr;
        QLabel *status = nullptr;       // may be null: no status line
    };

    // The number of pages for `total` rows of `pageSize` each: the ceiling of
    // total / pageSize; 0 for no rows; 1 when the page size is below 1 (the
    // server then sends every row at once).
    static int pageCount(int total, int pageSize);
    // True when the rows do not fit on one page.
    static bool severalPages(int total, int pageSize);

    // A new status label added to the status bar (which owns it), the bar
    // given the style sheet when one is given.
    static QLabel *addStatus(QStatusBar *bar, const QString &styleSheet = QString());

    PagingBar() = default;
    // Takes the widgets and the window's texts, and makes the page selector
    // editable with a centred, read-only line edit, so that only its items can
    // be chosen.
    PagingBar(const Widgets &widgets, const Texts &texts);
    // The paging row of a window form whose widgets carry the table windows'
    // object names (label_pageMessage, pushButtonl_previousPage,
    // comboBox_pageNumber, pushButton_nextPage in horizontalLayout between
    // horizontalSpacer and horizontalSpacer_2), with an optional status label.
    template<class Form>
    static PagingBar ofForm(Form *form, const Texts &texts, QLabel *status = nullptr)
    {
        Widgets widgets;
        widgets.pageLabel = form->label_pageMessage;
        widgets.previous = form->pushButtonl_previousPage;
        widgets.selector = form->comboBox_pageNumber;
        widgets.next = form->pushButton_nextPage;
        widgets.row = form->horizontalLayout;
        widgets.leftSpacer = form->horizontalSpacer;
        widgets.rightSpacer = form->horizontalSpacer_2;
        widgets.status = status;
        return PagingBar(widgets, texts);
    }

    // Shows the outcome of one load: rebuilds the selector (signals blocked),
    // sets the texts, enables previous (page > 1) and next (rows beyond this
    // page), and shows the row only when there is more than one page (when
    // hidden its spacers shrink to nothing).
    void show(int total, int curPage, int pageSize);
    // Replaces the status line's text (when there is a status line).
    void setStatus(const QString &text);
    // Shows or hides the row's widgets; a hidden row's spacers shrink to nothing.
    void setRowVisible(bool visible);

private:
    // Gives the selector the items "第i页/共P页" of `pages` pages (refilled
    // only when the number of pages changed) and selects `curPage` (none when
    // out of range), its signals blocked, so that only a choice by the user
    // reports a change.
    void fillSelector(int pages, int curPage);
    // Sets `label` to `pattern` filled in, unless the pattern or the label is missing.
    static void setText(QLabel *label, const QString &pattern, int total, int curPage, int pageSize, int pages);

    Widgets w;
    Texts texts;
};

#endif // PAGINGBAR_H
